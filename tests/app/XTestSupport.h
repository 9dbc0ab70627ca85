// Small X11 probes for the tests that run under Xvfb, kept apart so that the X headers'
// macros never meet QtTest's.
#pragma once

#include <QByteArray>
#include <QSize>

#include <memory>

namespace xtest {

// Watches the root window the way a window manager does, to see the requests other
// programs send it.
class RootWatcher
{
public:
    RootWatcher();
    ~RootWatcher();
    bool isOpen() const;
    // True when a _NET_ACTIVE_WINDOW request for window arrives within timeoutMs.
    bool sawActivationOf(unsigned long window, int timeoutMs);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Replaces the root window's X resource database text (what xrdb would load).
void setRootResources(const QByteArray &resources);

// Sets a property of the root window as any client may: of this type and item format
// (8, 16 or 32), whatever the property is meant to hold. An empty data deletes it.
void setRootProperty(const char *name, const char *type, int format, const QByteArray &data);

// The window's size in device pixels, as the X server has it.
QSize windowSize(unsigned long window);

} // namespace xtest
