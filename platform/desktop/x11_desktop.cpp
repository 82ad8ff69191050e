// SPDX-License-Identifier: LicenseRef-Tavelcor
// X11 side of the window in front and of key sending. Xlib's headers define
// macros (None, Bool, Status, KeyPress ...) that clash with Qt's, so they are
// included here only, after every Qt header.
#include "platform/desktop/x11_desktop.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>

#include <chrono>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace platform {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct XFreeDeleter {
    void operator()(void* data) const { XFree(data); }
};

// Xlib reports protocol errors (a window that vanished, a focus change the
// server refuses) through one process-wide handler whose default ends the
// program. ErrorTrap puts a recording handler in place for the length of one
// operation and the previous one back afterwards; the code lives here
// because the handler is a plain C callback. UI thread only.
int gTrappedErrorCode = 0;

int recordError(Display*, XErrorEvent* event)
{
    gTrappedErrorCode = event->error_code;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : mDisplay(display)
    {
        XSync(mDisplay, False);
        gTrappedErrorCode = 0;
        mPrevious = XSetErrorHandler(&recordError);
    }
    ~ErrorTrap()
    {
        XSync(mDisplay, False);
        XSetErrorHandler(mPrevious);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // True when a request made since the trap was set failed.
    bool failed()
    {
        XSync(mDisplay, False);
        return gTrappedErrorCode != 0;
    }

private:
    Display* mDisplay;
    int (*mPrevious)(Display*, XErrorEvent*) = nullptr;
};

QString displayLabel(const QString& displayName)
{
    return displayName.isEmpty() ? qEnvironmentVariable("DISPLAY") : displayName;
}

DisplayPtr openDisplay(const QString& displayName)
{
    const QByteArray name = displayName.toLocal8Bit();
    return DisplayPtr(XOpenDisplay(displayName.isEmpty() ? nullptr : name.constData()));
}

// The atoms listed in the root window's _NET_SUPPORTED: what the window
// manager says it does.
bool windowManagerSupports(Display* display, const char* atomName)
{
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
    const Atom wanted = XInternAtom(display, atomName, True);
    if (supported == None || wanted == None)
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 4096, False,
                           XA_ATOM, &type, &format, &count, &after, &data) != Success)
        return false;
    const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    if (type != XA_ATOM || format != 32 || data == nullptr)
        return false;
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) {
        if (atoms[i] == wanted)
            return true;
    }
    return false;
}

// The root window's _NET_ACTIVE_WINDOW (0 when the manager says none).
WindowHandle activeWindowProperty(Display* display)
{
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    if (active == None)
        return 0;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), active, 0, 1, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) != Success)
        return 0;
    const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    if (type != XA_WINDOW || format != 32 || count < 1 || data == nullptr)
        return 0;
    return static_cast<WindowHandle>(*reinterpret_cast<const Window*>(data));
}

// The child of the root window that holds window (window itself when it is
// one); 0 when the window is the root or cannot be followed.
WindowHandle topLevelOf(Display* display, Window window)
{
    constexpr int kMaxDepth = 64;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
            return 0;
        if (children != nullptr)
            XFree(children);
        if (window == root)
            return 0;
        if (parent == root || parent == None)
            return static_cast<WindowHandle>(window);
        window = parent;
    }
    return 0;
}

WindowHandle focusedTopLevel(Display* display)
{
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    if (focus == None || focus == PointerRoot)
        return 0;
    return topLevelOf(display, focus);
}

class X11ForegroundWindows final : public ForegroundWindows {
public:
    explicit X11ForegroundWindows(DisplayPtr display) : mDisplay(std::move(display)) {}

    WindowHandle foregroundWindow() override
    {
        ErrorTrap trap(mDisplay.get());
        const WindowHandle window = currentWindow();
        return trap.failed() ? 0 : window;
    }

    bool bringToFront(WindowHandle window) override
    {
        if (window == 0)
            return false;
        if (foregroundWindow() == window)
            return true;
        if (!requestFront(static_cast<Window>(window)))
            return false;
        return waitUntilInFront(window);
    }

private:
    WindowHandle currentWindow()
    {
        Display* display = mDisplay.get();
        if (windowManagerSupports(display, "_NET_ACTIVE_WINDOW"))
            return activeWindowProperty(display);
        return focusedTopLevel(display);
    }

    bool requestFront(Window window)
    {
        Display* display = mDisplay.get();
        ErrorTrap trap(display);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, window, &attributes) == 0 || trap.failed())
            return false;
        if (attributes.map_state != IsViewable)
            return false;
        if (windowManagerSupports(display, "_NET_ACTIVE_WINDOW"))
            sendActivateMessage(window);
        else {
            XRaiseWindow(display, window);
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
        }
        return !trap.failed();
    }

    // Asks the window manager to activate the window, as a pager would
    // (source 2): managers apply no focus-stealing prevention to those.
    void sendActivateMessage(Window window)
    {
        Display* display = mDisplay.get();
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = CurrentTime;
        event.xclient.data.l[2] = 0;
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }

    bool waitUntilInFront(WindowHandle window)
    {
        constexpr qint64 kWaitMs = 250;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < kWaitMs) {
            if (foregroundWindow() == window)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return foregroundWindow() == window;
    }

    DisplayPtr mDisplay;
};

// Keys of the notation's named keys.
KeySym keysymOfNamed(NamedKey key)
{
    switch (key) {
    case NamedKey::Enter: return XK_Return;
    case NamedKey::Left: return XK_Left;
    case NamedKey::Right: return XK_Right;
    case NamedKey::Up: return XK_Up;
    case NamedKey::Down: return XK_Down;
    case NamedKey::Delete: return XK_Delete;
    case NamedKey::Backspace: return XK_BackSpace;
    case NamedKey::Tab: return XK_Tab;
    case NamedKey::Escape: return XK_Escape;
    case NamedKey::Home: return XK_Home;
    case NamedKey::End: return XK_End;
    case NamedKey::Insert: return XK_Insert;
    case NamedKey::PageUp: return XK_Prior;
    case NamedKey::PageDown: return XK_Next;
    }
    return NoSymbol;
}

// Latin-1 characters have keysyms equal to their code; every other Unicode
// character has the keysym 0x01000000 + code.
KeySym keysymOfCharacter(char32_t character)
{
    if ((character >= 0x20 && character <= 0x7e) || (character >= 0xa0 && character <= 0xff))
        return static_cast<KeySym>(character);
    return static_cast<KeySym>(0x01000000UL | character);
}

// A key of the keyboard and whether Shift must be held to get the symbol.
struct KeyPlace {
    KeyCode code = 0;
    bool shifted = false;
};

class X11KeySender final : public KeySender {
public:
    explicit X11KeySender(DisplayPtr display) : mDisplay(std::move(display)) {}

    bool sendKeys(const QString& keys) override
    {
        const std::optional<std::vector<KeyStroke>> strokes = parseKeyNotation(keys);
        if (!strokes)
            return false;
        ErrorTrap trap(mDisplay.get());
        for (const KeyStroke& stroke : *strokes) {
            if (!typeStroke(stroke))
                return false;
        }
        return !trap.failed();
    }

private:
    // The first key that gives the symbol without Shift, else with it, in the
    // first group of the keyboard map.
    std::optional<KeyPlace> placeOf(KeySym symbol) const
    {
        Display* display = mDisplay.get();
        int minCode = 0;
        int maxCode = 0;
        XDisplayKeycodes(display, &minCode, &maxCode);
        for (unsigned int level = 0; level < 2; ++level) {
            for (int code = minCode; code <= maxCode; ++code) {
                const auto keyCode = static_cast<KeyCode>(code);
                if (XkbKeycodeToKeysym(display, keyCode, 0, level) == symbol)
                    return KeyPlace{keyCode, level == 1};
            }
        }
        return std::nullopt;
    }

    void tap(const std::vector<KeyCode>& held, KeyCode key)
    {
        Display* display = mDisplay.get();
        for (KeyCode modifier : held)
            XTestFakeKeyEvent(display, modifier, True, CurrentTime);
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            XTestFakeKeyEvent(display, *it, False, CurrentTime);
        XFlush(display);
    }

    bool typeStroke(const KeyStroke& stroke)
    {
        Display* display = mDisplay.get();
        const KeySym symbol = stroke.named ? keysymOfNamed(*stroke.named)
                                           : keysymOfCharacter(stroke.character);
        const std::optional<KeyPlace> place = placeOf(symbol);
        if (!place)
            return false;
        std::vector<KeyCode> held;
        const auto addModifier = [&](KeySym modifier) {
            const KeyCode code = XKeysymToKeycode(display, modifier);
            if (code != 0)
                held.push_back(code);
            return code != 0;
        };
        if ((stroke.shift || place->shifted) && !addModifier(XK_Shift_L))
            return false;
        if (stroke.control && !addModifier(XK_Control_L))
            return false;
        if (stroke.alt && !addModifier(XK_Alt_L))
            return false;
        tap(held, place->code);
        return true;
    }

    DisplayPtr mDisplay;
};

// Why the X11 display named displayName (empty: $DISPLAY) cannot be used
// from here, as a sentence for the user; empty when it can be tried. Looks at
// the environment only: a Wayland session (when no display is named) or no
// display at all.
QString x11UnavailableReason(const QString& displayName)
{
    if (displayName.isEmpty()) {
        const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE").compare(
                                 QStringLiteral("wayland"), Qt::CaseInsensitive) == 0
                             || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
        if (wayland)
            return QStringLiteral("Wayland の画面では他のウィンドウへキーを送れません。"
                                  "X11 のセッションでお使い下さい。");
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            return QStringLiteral("X11 の画面がないため（DISPLAY が設定されていません）、"
                                  "キーを送れません。");
    }
    return {};
}

// The window's _NET_FRAME_EXTENTS (left, right, top, bottom); nullopt when
// no window manager has set them.
std::optional<QMargins> frameExtentsProperty(Display* display, Window window)
{
    const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", True);
    if (extents == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, extents, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success)
        return std::nullopt;
    const std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
    if (type != XA_CARDINAL || format != 32 || count < 4 || data == nullptr)
        return std::nullopt;
    const auto* sides = reinterpret_cast<const long*>(data);
    return QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]), static_cast<int>(sides[1]),
                    static_cast<int>(sides[3]));
}

class X11WindowFrames final : public WindowFrames {
    static constexpr qint64 kAskAgainMs = 200;

public:
    explicit X11WindowFrames(DisplayPtr display) : mDisplay(std::move(display)) {}

    std::optional<WindowFrame> frameOf(WindowHandle window) override
    {
        if (window == 0)
            return std::nullopt;
        Display* display = mDisplay.get();
        ErrorTrap trap(display);
        const auto x11Window = static_cast<Window>(window);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, x11Window, &attributes) == 0 || attributes.map_state != IsViewable)
            return std::nullopt;
        const std::optional<QMargins> extents = frameExtentsProperty(display, x11Window);
        int x = 0;
        int y = 0;
        Window child = None;
        const bool placed = extents
                            && XTranslateCoordinates(display, x11Window, DefaultRootWindow(display), 0, 0,
                                                     &x, &y, &child) != 0;
        if (!placed || trap.failed())
            return std::nullopt;
        return WindowFrame{QPoint(x - extents->left(), y - extents->top()), *extents};
    }

    std::optional<QMargins> requestExtents(WindowHandle window, int timeoutMs) override
    {
        Display* display = mDisplay.get();
        if (window == 0 || !windowManagerSupports(display, "_NET_REQUEST_FRAME_EXTENTS"))
            return std::nullopt;
        const auto x11Window = static_cast<Window>(window);
        const Atom extentsAtom = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
        ErrorTrap trap(display);
        // Watch the window's properties on this connection, then ask, and
        // ask again now and then: a window manager that is still starting
        // drops what it is asked.
        XSelectInput(display, x11Window, PropertyChangeMask);
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = x11Window;
        request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
        request.xclient.format = 32;
        std::optional<QMargins> answer;
        QElapsedTimer clock;
        clock.start();
        qint64 askedAt = -kAskAgainMs;
        while (!answer && clock.elapsed() < timeoutMs && !trap.failed()) {
            if (clock.elapsed() - askedAt >= kAskAgainMs) {
                askedAt = clock.elapsed();
                XSendEvent(display, DefaultRootWindow(display), False,
                           SubstructureRedirectMask | SubstructureNotifyMask, &request);
                XFlush(display);
            }
            XEvent event{};
            if (XCheckTypedWindowEvent(display, x11Window, PropertyNotify, &event) != 0) {
                if (event.xproperty.atom == extentsAtom)
                    answer = frameExtentsProperty(display, x11Window);
                continue;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        XSelectInput(display, x11Window, NoEventMask);
        return answer;
    }

    bool placesClientArea(WindowHandle window) override
    {
        if (window == 0)
            return false;
        Display* display = mDisplay.get();
        ErrorTrap trap(display);
        XSizeHints hints{};
        long supplied = 0;
        const bool read = XGetWMNormalHints(display, static_cast<Window>(window), &hints, &supplied) != 0;
        return read && !trap.failed() && (hints.flags & PWinGravity) != 0 && hints.win_gravity == StaticGravity;
    }

    bool moveFrame(WindowHandle window, QPoint outerTopLeft) override
    {
        Display* display = mDisplay.get();
        if (window == 0 || !windowManagerSupports(display, "_NET_MOVERESIZE_WINDOW"))
            return false;
        constexpr long kNorthWest = NorthWestGravity;
        constexpr long kXGiven = 1L << 8;
        constexpr long kYGiven = 1L << 9;
        constexpr long kFromApplication = 1L << 12;
        ErrorTrap trap(display);
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = static_cast<Window>(window);
        request.xclient.message_type = XInternAtom(display, "_NET_MOVERESIZE_WINDOW", False);
        request.xclient.format = 32;
        request.xclient.data.l[0] = kNorthWest | kXGiven | kYGiven | kFromApplication;
        request.xclient.data.l[1] = outerTopLeft.x();
        request.xclient.data.l[2] = outerTopLeft.y();
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &request);
        return !trap.failed();
    }

private:
    DisplayPtr mDisplay;
};

// An X11 service with a connection of its own to the display; nullptr
// when the display cannot be used.
template <class Service>
std::unique_ptr<Service> openOnDisplay(const QString& displayName)
{
    if (!x11UnavailableReason(displayName).isEmpty())
        return nullptr;
    DisplayPtr display = openDisplay(displayName);
    if (!display)
        return nullptr;
    return std::make_unique<Service>(std::move(display));
}

}  // namespace

KeySenderOpening openX11KeySender(const QString& displayName)
{
    KeySenderOpening opening;
    opening.failure = x11UnavailableReason(displayName);
    if (!opening.failure.isEmpty())
        return opening;
    DisplayPtr display = openDisplay(displayName);
    if (!display) {
        opening.failure = QStringLiteral("X11 の画面 %1 を開けないため、キーを送れません。")
                              .arg(displayLabel(displayName));
        return opening;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor) == 0) {
        opening.failure = QStringLiteral("X11 の画面 %1 に XTest 拡張がないため、キーを送れません。")
                              .arg(displayLabel(displayName));
        return opening;
    }
    opening.sender = std::make_unique<X11KeySender>(std::move(display));
    return opening;
}

std::unique_ptr<ForegroundWindows> openX11ForegroundWindows(const QString& displayName)
{
    return openOnDisplay<X11ForegroundWindows>(displayName);
}

std::unique_ptr<WindowFrames> openX11WindowFrames(const QString& displayName)
{
    return openOnDisplay<X11WindowFrames>(displayName);
}

}  // namespace platform
