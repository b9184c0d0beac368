#include "app/handoff.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace vantor {

namespace {

// A window can vanish between listing it and asking for its class; Xlib's
// default error handler would then end the process.
int ignoreXError(Display *, XErrorEvent *) { return 0; }

class ErrorTrap
{
public:
    explicit ErrorTrap(Display *display) : m_display(display), m_old(XSetErrorHandler(ignoreXError)) {}
    ~ErrorTrap()
    {
        XSync(m_display, False);
        XSetErrorHandler(m_old);
    }

private:
    Display *m_display;
    XErrorHandler m_old;
};

bool hasRequestClass(Display *display, Window window)
{
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint))
        return false;
    const bool match = hint.res_class && std::strcmp(hint.res_class, kHandOffWindowClass) == 0;
    if (hint.res_name)
        XFree(hint.res_name);
    if (hint.res_class)
        XFree(hint.res_class);
    return match;
}

// _NET_WM_NAME (UTF-8) when set, else WM_NAME.
std::string windowTitle(Display *display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 4096, False, utf8, &type, &format, &count, &after, &data)
            == Success
        && data && type == utf8 && format == 8) {
        title.assign(reinterpret_cast<const char *>(data), count);
    }
    if (data)
        XFree(data);
    if (!title.empty())
        return title;
    char *name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

// The request window among the top-level windows and, under a window manager
// that puts each client into a frame, among the frames' children.
std::optional<Window> findRequestWindow(Display *display, Window parent, int depth)
{
    Window rootReturn = 0, parentReturn = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &rootReturn, &parentReturn, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i)
        if (hasRequestClass(display, children[i]))
            found = children[i];
    for (unsigned int i = 0; i < count && !found && depth > 0; ++i)
        found = findRequestWindow(display, children[i], depth - 1);
    if (children)
        XFree(children);
    return found;
}

} // namespace

X11HandOffWindows::~X11HandOffWindows()
{
    if (m_display)
        XCloseDisplay(static_cast<Display *>(m_display));
}

bool X11HandOffWindows::connect()
{
    if (!m_triedToConnect) {
        m_triedToConnect = true;
        m_display = XOpenDisplay(nullptr);
    }
    return m_display != nullptr;
}

std::optional<HandOffRequest> X11HandOffWindows::findRequest()
{
    if (!connect())
        return std::nullopt;
    auto *display = static_cast<Display *>(m_display);
    ErrorTrap trap(display);
    const std::optional<Window> window = findRequestWindow(display, DefaultRootWindow(display), 1);
    if (!window)
        return std::nullopt;
    return HandOffRequest{*window, windowTitle(display, *window)};
}

void X11HandOffWindows::markTakenUp(const HandOffRequest &request)
{
    if (!connect())
        return;
    auto *display = static_cast<Display *>(m_display);
    ErrorTrap trap(display);
    const Atom atom = XInternAtom(display, kHandOffTakenUpAtom, False);
    const long one = 1;
    XChangeProperty(display, request.window, atom, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&one), 1);
    XFlush(display);
}

HandOffResult OpenHandOffRequest(const std::string &title, int timeoutMs)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return HandOffResult::NoDisplay;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    std::string resName = "vantor-tool";
    std::string resClass = kHandOffWindowClass;
    XClassHint hint{resName.data(), resClass.data()};
    XSetClassHint(display, window, &hint);
    XStoreName(display, window, title.c_str());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(title.data()), int(title.size()));
    const Atom takenUp = XInternAtom(display, kHandOffTakenUpAtom, False);
    XFlush(display);

    HandOffResult result = HandOffResult::TimedOut;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        const bool marked = XGetWindowProperty(display, window, takenUp, 0, 1, False, AnyPropertyType, &type,
                                               &format, &count, &after, &data)
                                == Success
                            && type != None;
        if (data)
            XFree(data);
        if (marked) {
            result = HandOffResult::TakenUp;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return result;
}

} // namespace vantor
