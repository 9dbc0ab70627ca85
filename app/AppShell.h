// The steps of the process entry, kept out of main so they can be tested one by one.
#pragma once

#include <QFont>

#include <optional>

class InstanceLock;

// 1 = show the main window at start, 0 = start hidden in the tray. The main window's
// start-up writes it; main reads it right after constructing the window.
extern int g_nShowMainWindow;

// The window title the running instance is found by.
extern const char *const kMainWindowTitle;

// The key of the running instance's marker and of the socket it listens on.
extern const char *const kInstanceKey;

// The application font for a screen of the given DPI: point size times dpi / 96,
// truncated, and weight 57. A font sized in pixels, or one the scaling would shrink to
// nothing, keeps its size.
QFont scaledApplicationFont(QFont font, int dpi);

// Adds the compiled-in faces, makes "Arial" the application family, and maps the
// families the form names ("Arial", "BankGothic Lt BT", "SimSun") onto those faces.
void loadApplicationFonts();

// The single-instance check of a start, on marker (keyed kInstanceKey). Nothing when
// this process is to run the program: it took the marker, or no marker can be made
// anywhere. Otherwise another instance runs: the user is told the program is running,
// the running instance is asked to show its window (from the tray or minimised, raised
// and active), and one that does not answer is looked for by its window title; the
// result is main's: 0 when the window was brought forward, -1 when not. An instance
// that ended meanwhile leaves the marker to this start, which then runs the program.
std::optional<int> settleSingleInstance(InstanceLock &marker);
