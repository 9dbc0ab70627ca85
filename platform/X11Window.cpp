#include "platform/X11Window.h"

#include <QByteArray>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <functional>
#include <vector>

namespace x11 {
namespace {

// One short-lived connection to the display.
class Connection
{
public:
    Connection() : m_display(XOpenDisplay(nullptr)) {}
    ~Connection()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    Display *display() const { return m_display; }
    explicit operator bool() const { return m_display != nullptr; }
    Window root() const { return DefaultRootWindow(m_display); }
    Atom atom(const char *name, bool onlyIfExists = false) const
    {
        return XInternAtom(m_display, name, onlyIfExists ? True : False);
    }

private:
    Display *m_display;
};

bool isItemFormat(int format)
{
    return format == 8 || format == 16 || format == 32;
}

// Reads a whole property of the given type (any type with AnyPropertyType) and item
// format (8, 16 or 32 bits; 0 for any of them). Empty when missing, or when another
// client set it with another type or format: the items are counted in the format they
// were stored with, so only a checked format says how many bytes the data holds.
QByteArray readProperty(const Connection &x, Window window, Atom property, Atom type, int format)
{
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char *data = nullptr;
    QByteArray result;
    if (XGetWindowProperty(x.display(), window, property, 0, 1 << 16, False, type, &actualType, &actualFormat,
                           &items, &remaining, &data) == Success &&
        data && (actualFormat == format || (format == 0 && isItemFormat(actualFormat))) &&
        (type == AnyPropertyType || actualType == type)) {
        // Xlib hands 32-bit items over as longs.
        const int unit = actualFormat == 32 ? int(sizeof(long)) : actualFormat / 8;
        result = QByteArray(reinterpret_cast<const char *>(data), int(items) * unit);
    }
    if (data)
        XFree(data);
    return result;
}

// The 32-bit items of a property, as Xlib delivers them.
std::vector<long> readLongs(const Connection &x, Window window, Atom property, Atom type)
{
    const QByteArray bytes = readProperty(x, window, property, type, 32);
    std::vector<long> values(size_t(bytes.size()) / sizeof(long));
    if (!values.empty())
        std::memcpy(values.data(), bytes.constData(), values.size() * sizeof(long));
    return values;
}

// The top-level windows: the window manager's client list when there is one, else the
// root's children and, for frames a reparenting manager put around clients, theirs.
std::vector<Window> topLevelWindows(const Connection &x)
{
    std::vector<Window> windows;
    const std::vector<long> list = readLongs(x, x.root(), x.atom("_NET_CLIENT_LIST"), XA_WINDOW);
    if (!list.empty()) {
        for (const long id : list)
            windows.push_back(Window(static_cast<unsigned long>(id)));
        return windows;
    }
    const std::function<void(Window, int)> walk = [&](Window parent, int depth) {
        Window rootReturn = 0, parentReturn = 0, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(x.display(), parent, &rootReturn, &parentReturn, &children, &n))
            return;
        for (unsigned int i = 0; i < n; ++i) {
            windows.push_back(children[i]);
            if (depth > 0)
                walk(children[i], depth - 1);
        }
        if (children)
            XFree(children);
    };
    walk(x.root(), 1);
    return windows;
}

QString windowTitle(const Connection &x, Window window)
{
    const QByteArray netName = readProperty(x, window, x.atom("_NET_WM_NAME"), x.atom("UTF8_STRING"), 8);
    if (!netName.isEmpty())
        return QString::fromUtf8(netName);
    return QString::fromLatin1(readProperty(x, window, XA_WM_NAME, AnyPropertyType, 8));
}

WindowId findWindow(const std::function<bool(const Connection &, Window)> &matches)
{
    Connection x;
    if (!x)
        return 0;
    for (Window window : topLevelWindows(x)) {
        if (matches(x, window))
            return window;
    }
    return 0;
}

void sendRootMessage(const Connection &x, Window window, Atom type, long a, long b, long c)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = a;
    event.xclient.data.l[1] = b;
    event.xclient.data.l[2] = c;
    XSendEvent(x.display(), x.root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// _NET_WM_STATE change request: action 0 removes, 1 adds.
void changeState(const Connection &x, Window window, long action, const char *first, const char *second = nullptr)
{
    sendRootMessage(x, window, x.atom("_NET_WM_STATE"), action, long(x.atom(first)),
                    second ? long(x.atom(second)) : 0L);
}

// Runs request for a real window on a fresh connection and sends it to the server.
template <typename Request>
bool onWindow(WindowId window, Request request)
{
    Connection x;
    if (!x || !window)
        return false;
    request(x, Window(window));
    XFlush(x.display());
    return true;
}

} // namespace

WindowId findWindowByTitle(const QString &title)
{
    return findWindow([&](const Connection &x, Window window) { return windowTitle(x, window) == title; });
}

WindowId findWindowWithProperty(const QString &property)
{
    return findWindow([&](const Connection &x, Window window) {
        const Atom atom = x.atom(property.toLatin1().constData(), true);
        return atom != None && !readProperty(x, window, atom, AnyPropertyType, 0).isEmpty();
    });
}

bool activateWindow(WindowId window)
{
    return onWindow(window, [](const Connection &x, Window w) {
        // Source indication 1: a normal application asks.
        sendRootMessage(x, w, x.atom("_NET_ACTIVE_WINDOW"), 1, CurrentTime, 0);
        XRaiseWindow(x.display(), w);
    });
}

bool isIconic(WindowId window)
{
    bool iconic = false;
    onWindow(window, [&](const Connection &x, Window w) {
        const Atom wmState = x.atom("WM_STATE");
        const std::vector<long> state = readLongs(x, w, wmState, wmState);
        iconic = !state.empty() && state.front() == IconicState;
    });
    return iconic;
}

void showNormal(WindowId window)
{
    onWindow(window, [](const Connection &x, Window w) {
        XMapWindow(x.display(), w);
        changeState(x, w, 0, "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
        changeState(x, w, 0, "_NET_WM_STATE_HIDDEN");
    });
}

void clearTopmost(WindowId window)
{
    onWindow(window, [](const Connection &x, Window w) { changeState(x, w, 0, "_NET_WM_STATE_ABOVE"); });
}

void flashWindow(WindowId window)
{
    onWindow(window, [](const Connection &x, Window w) {
        XWMHints *hints = XGetWMHints(x.display(), w);
        XWMHints fresh{};
        XWMHints *target = hints ? hints : &fresh;
        target->flags |= XUrgencyHint;
        XSetWMHints(x.display(), w, target);
        if (hints)
            XFree(hints);
    });
}

WindowId transientFor(WindowId window)
{
    if (!window)
        return 0;
    return findWindow([&](const Connection &x, Window candidate) {
        Window owner = 0;
        return XGetTransientForHint(x.display(), candidate, &owner) && owner == window;
    });
}

} // namespace x11
