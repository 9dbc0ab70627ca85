// Whether the window system the toolkit is about to start on can be had. Without one, Qt
// gives up by aborting (a core dump, and advice to reinstall); the start asks first, so
// that it can say what is missing and exit cleanly instead.
#pragma once

#include <QString>

// Empty when the toolkit can start with these arguments and this environment, else one
// sentence saying what is missing. The platform is chosen as Qt chooses it: the
// "-platform" argument, else QT_QPA_PLATFORM, else the session's (Wayland, then X as the
// fallback), each a ';'-separated list tried in order. Only X ("xcb": its display must
// open) and Wayland (its plugin must be installed) are looked at; any other platform
// (offscreen, minimal, vnc, ...) is taken to start.
QString missingWindowSystem(int argc, char **argv);
