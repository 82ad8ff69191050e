// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "x11_probe.h"

#include <cstring>
#include <initializer_list>
#include <unistd.h>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11_probe {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

DisplayPtr open(const std::string& name)
{
    return DisplayPtr(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
}

// Windows of the X server that went away between two requests raise errors
// that would end the test: they are ignored, the next look sees the change.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::vector<unsigned long> windowProperty(Display* display, Window window, const char* name, Atom type)
{
    const Atom atom = XInternAtom(display, name, True);
    std::vector<unsigned long> values;
    if (atom == None)
        return values;
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, atom, 0, 4096, False, type, &actual, &format, &count, &after,
                           &data) == Success
        && data != nullptr && format == 32) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr)
        XFree(data);
    return values;
}

std::string titleOf(Display* display, Window window)
{
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

// The child of the root window that holds the window: the frame window of a
// reparenting window manager, or the window itself.
Window topLevelOf(Display* display, Window window)
{
    for (int depth = 0; depth < 64; ++depth) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
            return None;
        if (children != nullptr)
            XFree(children);
        if (parent == root || parent == None)
            return window;
        window = parent;
    }
    return None;
}

std::optional<Rect> onScreen(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.map_state != IsViewable)
        return std::nullopt;
    int x = 0;
    int y = 0;
    Window child = None;
    if (XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child) == 0)
        return std::nullopt;
    // The outer edge: a window's border lies outside its origin.
    const int border = attributes.border_width;
    return Rect{x - border, y - border, attributes.width + 2 * border, attributes.height + 2 * border};
}

std::optional<Framed> framedOf(Display* display, Window window)
{
    const Window frame = topLevelOf(display, window);
    if (frame == None || frame == window)
        return std::nullopt;  // not reparented: not (yet) framed
    const std::optional<Rect> client = onScreen(display, window);
    const std::optional<Rect> outer = onScreen(display, frame);
    if (!client || !outer)
        return std::nullopt;
    return Framed{window, *client, *outer};
}

}  // namespace

bool windowManagerRuns(const std::string& displayName)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return false;
    XSetErrorHandler(ignoreErrors);
    const std::vector<unsigned long> check =
        windowProperty(display.get(), DefaultRootWindow(display.get()), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty())
        return false;
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display.get(), static_cast<Window>(check.front()), &attributes) != 0;
}

bool windowManagerAnswers(const std::string& displayName, int timeoutMs)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return false;
    XSetErrorHandler(ignoreErrors);
    Display* d = display.get();
    const Window window = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    constexpr int kStepMs = 20;
    bool answered = false;
    for (int waited = 0; waited < timeoutMs && !answered; waited += kStepMs) {
        if (waited % 200 == 0) {  // asked again: a request that came too early is lost
            XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &request);
            XSync(d, False);
        }
        answered = windowProperty(d, window, "_NET_FRAME_EXTENTS", XA_CARDINAL).size() == 4;
        if (!answered)
            usleep(kStepMs * 1000);
    }
    XDestroyWindow(d, window);
    XSync(d, False);
    return answered;
}

std::optional<Rect> screen(const std::string& displayName)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return std::nullopt;
    const int number = DefaultScreen(display.get());
    return Rect{0, 0, DisplayWidth(display.get(), number), DisplayHeight(display.get(), number)};
}

std::optional<Framed> framedWindow(const std::string& displayName, const std::string& title)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return std::nullopt;
    XSetErrorHandler(ignoreErrors);
    for (const unsigned long window :
         windowProperty(display.get(), DefaultRootWindow(display.get()), "_NET_CLIENT_LIST", XA_WINDOW)) {
        if (titleOf(display.get(), static_cast<Window>(window)) == title)
            return framedOf(display.get(), static_cast<Window>(window));
    }
    return std::nullopt;
}

std::optional<Framed> framedWindow(const std::string& displayName, unsigned long window)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return std::nullopt;
    XSetErrorHandler(ignoreErrors);
    return framedOf(display.get(), static_cast<Window>(window));
}

bool viewable(const std::string& displayName, unsigned long window)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return false;
    XSetErrorHandler(ignoreErrors);
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display.get(), static_cast<Window>(window), &attributes) != 0
           && attributes.map_state == IsViewable;
}

namespace {

// A request about the window to the window manager (a client message to the
// root window).
bool askWindowManager(const std::string& displayName, unsigned long window, const char* message,
                      std::initializer_list<long> data)
{
    DisplayPtr display = open(displayName);
    if (!display)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(window);
    event.xclient.message_type = XInternAtom(display.get(), message, False);
    event.xclient.format = 32;
    int at = 0;
    for (const long value : data)
        event.xclient.data.l[at++] = value;
    XSendEvent(display.get(), DefaultRootWindow(display.get()), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display.get(), False);
    return true;
}

}  // namespace

bool askToClose(const std::string& displayName, unsigned long window)
{
    // Asked by a pager or the like, as a user would.
    return askWindowManager(displayName, window, "_NET_CLOSE_WINDOW", {CurrentTime, 2});
}

bool askToMove(const std::string& displayName, unsigned long window, int x, int y)
{
    // North-west gravity, x and y given, from a pager.
    return askWindowManager(displayName, window, "_NET_MOVERESIZE_WINDOW",
                            {NorthWestGravity | (1L << 8) | (1L << 9) | (2L << 12), x, y});
}

struct TestWindow::Connection {
    DisplayPtr display;
    Window window = None;
};

TestWindow::TestWindow(const std::string& displayName, const std::string& title, int width, int height)
    : mConnection(std::make_unique<Connection>())
{
    mConnection->display = open(displayName);
    Display* display = mConnection->display.get();
    if (display == nullptr)
        return;
    const int number = DefaultScreen(display);
    mConnection->window = XCreateSimpleWindow(display, DefaultRootWindow(display), 100, 100,
                                              static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                              BlackPixel(display, number), WhitePixel(display, number));
    XStoreName(display, mConnection->window, title.c_str());
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, mConnection->window, &hints);
    XSync(display, False);
}

TestWindow::~TestWindow()
{
    if (mConnection->display && mConnection->window != None)
        XDestroyWindow(mConnection->display.get(), mConnection->window);
}

unsigned long TestWindow::id() const
{
    return mConnection->window;
}

void TestWindow::show()
{
    if (mConnection->display) {
        XMapWindow(mConnection->display.get(), mConnection->window);
        XSync(mConnection->display.get(), False);
    }
}

void TestWindow::hide()
{
    if (mConnection->display) {
        XUnmapWindow(mConnection->display.get(), mConnection->window);
        XSync(mConnection->display.get(), False);
    }
}

}  // namespace x11_probe
