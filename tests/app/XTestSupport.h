// Small X11 probes for the tests that run under Xvfb, kept apart so that the X headers'
// macros never meet QtTest's.
#pragma once

#include <QByteArray>

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

} // namespace xtest
