// Whether the desktop offers a system tray to hide the window in. Tests may answer
// in the desktop's place, to walk both the tray and the no-tray paths.
#pragma once

bool systemTrayAvailable();

// 1 or 0 answers for the desktop from now on; -1 asks the desktop again.
void setSystemTrayAvailableOverride(int available);
