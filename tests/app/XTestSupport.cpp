#include "XTestSupport.h"

#include <QElapsedTimer>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace xtest {

struct RootWatcher::Private {
    Display *display = nullptr;
};

RootWatcher::RootWatcher() : d(new Private)
{
    d->display = XOpenDisplay(nullptr);
    if (d->display) {
        XSelectInput(d->display, DefaultRootWindow(d->display), SubstructureNotifyMask);
        XSync(d->display, False);
    }
}

RootWatcher::~RootWatcher()
{
    if (d->display)
        XCloseDisplay(d->display);
}

bool RootWatcher::isOpen() const
{
    return d->display != nullptr;
}

bool RootWatcher::sawActivationOf(unsigned long window, int timeoutMs)
{
    if (!d->display)
        return false;
    const Atom activeWindow = XInternAtom(d->display, "_NET_ACTIVE_WINDOW", False);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        while (XPending(d->display)) {
            XEvent event;
            XNextEvent(d->display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == activeWindow &&
                event.xclient.window == window)
                return true;
        }
        QThread::msleep(20);
    }
    return false;
}

void setRootResources(const QByteArray &resources)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(resources.constData()), resources.size());
    XCloseDisplay(display);
}

void setRootProperty(const char *name, const char *type, int format, const QByteArray &data)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const Atom property = XInternAtom(display, name, False);
    if (data.isEmpty()) {
        XDeleteProperty(display, DefaultRootWindow(display), property);
    } else {
        const int unit = format == 32 ? int(sizeof(long)) : format / 8; // Xlib takes 32-bit items as longs
        XChangeProperty(display, DefaultRootWindow(display), property, XInternAtom(display, type, False), format,
                        PropModeReplace, reinterpret_cast<const unsigned char *>(data.constData()),
                        data.size() / unit);
    }
    XCloseDisplay(display);
}

QSize windowSize(unsigned long window)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return QSize();
    XWindowAttributes attributes{};
    const bool known = XGetWindowAttributes(display, window, &attributes);
    XCloseDisplay(display);
    return known ? QSize(attributes.width, attributes.height) : QSize();
}

} // namespace xtest
