// The desktop's horizontal screen resolution, as the font scaling at start-up needs it.
#pragma once

#include <QByteArray>

// The primary screen's horizontal DPI: the X resource Xft.dpi when the desktop sets one,
// else the screen's logical DPI, else 96.
int screenDpiX();

// Reads Xft.dpi out of an X resource database text ("Xft.dpi:\t144\n..."); 0 when absent
// or not a positive number.
int xftDpiFromResources(const QByteArray &resources);
