// Finding and raising top-level windows of the X display, in place of the window-handle
// calls a second instance uses to bring the first one forward. Every call opens its own
// connection to $DISPLAY; without a display nothing is found and nothing happens.
#pragma once

#include <QString>

namespace x11 {

using WindowId = unsigned long; // an X window id; 0 = none

// The first top-level window whose _NET_WM_NAME or WM_NAME equals title.
WindowId findWindowByTitle(const QString &title);

// The first top-level window that carries a property named property.
WindowId findWindowWithProperty(const QString &property);

// Asks the window manager to activate the window (_NET_ACTIVE_WINDOW) and raises it.
bool activateWindow(WindowId window);

// True when the window is iconified (WM_STATE).
bool isIconic(WindowId window);

// Shows the window in its normal state: maps it, un-iconifies and un-maximises it.
void showNormal(WindowId window);

// Drops the window's keep-above state without moving or resizing it.
void clearTopmost(WindowId window);

// Sets the urgency hint so the desktop draws attention to the window.
void flashWindow(WindowId window);

// The top-level window that declares itself transient for window (its pop-up), or 0.
WindowId transientFor(WindowId window);

} // namespace x11
