#include "platform/ScreenDpi.h"

#include <QGuiApplication>
#include <QScreen>

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>

namespace {
constexpr int kDefaultDpi = 96;

int xResourceDpi()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    const char *resources = XResourceManagerString(display);
    const int dpi = resources ? xftDpiFromResources(QByteArray(resources)) : 0;
    XCloseDisplay(display);
    return dpi;
}
} // namespace

int xftDpiFromResources(const QByteArray &resources)
{
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources.constData());
    if (!database)
        return 0;
    char *type = nullptr;
    XrmValue value{};
    int dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        const double parsed = std::strtod(value.addr, nullptr);
        if (parsed >= 1.0 && parsed < 10000.0)
            dpi = static_cast<int>(std::lround(parsed));
    }
    XrmDestroyDatabase(database);
    return dpi;
}

int screenDpiX()
{
    if (const int dpi = xResourceDpi())
        return dpi;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const qreal logical = screen->logicalDotsPerInchX();
        if (logical >= 1.0)
            return static_cast<int>(std::lround(logical));
    }
    return kDefaultDpi;
}
