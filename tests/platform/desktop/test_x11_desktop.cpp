// SPDX-License-Identifier: LicenseRef-Tavelcor
// The window in front and key sending against a real X server: a private
// Xvfb per test, with plain X windows of the test itself as the receivers.
#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"

#include "print_qt.h"
#include "scoped_env.h"
#include "xvfb_server.h"

#include <QElapsedTimer>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

// Xlib's macros clash with Qt's and GoogleTest's names: include it last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

using testing_support::ScopedEnv;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// A plain top-level window that records the keys it receives.
class KeyWindow {
public:
    KeyWindow(Display* display, int left) : mDisplay(display)
    {
        const int screen = DefaultScreen(display);
        mWindow = XCreateSimpleWindow(display, RootWindow(display, screen), left, 10, 200, 100, 1,
                                      BlackPixel(display, screen), WhitePixel(display, screen));
        XSelectInput(display, mWindow, KeyPressMask | StructureNotifyMask);
        XMapWindow(display, mWindow);
        waitForMap();
    }
    ~KeyWindow() { destroy(); }
    KeyWindow(const KeyWindow&) = delete;
    KeyWindow& operator=(const KeyWindow&) = delete;

    platform::WindowHandle handle() const { return mWindow; }

    void focus()
    {
        XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
        XSync(mDisplay, False);
    }

    void destroy()
    {
        if (mWindow == 0)
            return;
        XDestroyWindow(mDisplay, mWindow);
        XSync(mDisplay, False);
        mWindow = 0;
    }

    // The keys received, as their characters or <KeysymName> for keys that
    // type none; waits until count keys came or the time is up.
    QStringList keys(int count, int timeoutMs = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (mKeys.size() < count && clock.elapsed() < timeoutMs) {
            if (XPending(mDisplay) == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            XEvent event;
            XNextEvent(mDisplay, &event);
            if (event.type == KeyPress && event.xkey.window == mWindow
                && !IsModifierKey(XLookupKeysym(&event.xkey, 0)))
                mKeys << tokenOf(event.xkey);
        }
        return mKeys;
    }

private:
    static QString tokenOf(XKeyEvent& event)
    {
        char text[16] = {};
        KeySym symbol = NoSymbol;
        const int length = XLookupString(&event, text, sizeof text, &symbol, nullptr);
        switch (symbol) {
        case XK_Return: case XK_Left: case XK_Right: case XK_Delete: case XK_BackSpace:
            return QStringLiteral("<%1>").arg(QString::fromLatin1(XKeysymToString(symbol)));
        default:
            return QString::fromLatin1(text, length);
        }
    }

    void waitForMap()
    {
        XEvent event;
        do {
            XNextEvent(mDisplay, &event);
        } while (event.type != MapNotify);
    }

    Display* mDisplay;
    Window mWindow = 0;
    QStringList mKeys;
};

class X11Desktop : public testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbServer::installed())
            GTEST_FAIL() << "Xvfb (Debian package xvfb) is not installed (scripts/install-packages installs it)";
        QString whyNot;
        ASSERT_TRUE(mServer.start(whyNot)) << "no private X server for this test: " << whyNot.toStdString();
        mClient.reset(XOpenDisplay(mServer.display().toLocal8Bit().constData()));
        ASSERT_NE(mClient, nullptr);
    }

    Display* client() { return mClient.get(); }
    const QString& display() const { return mServer.display(); }

private:
    XvfbServer mServer;
    DisplayPtr mClient;  // closed before the server stops
};

TEST_F(X11Desktop, TypesEveryKeypadKeyIntoTheFocusedWindow)
{
    KeyWindow target(client(), 10);
    target.focus();
    platform::KeySenderOpening opening = platform::openKeySender(display());
    ASSERT_NE(opening.sender, nullptr) << opening.failure.toStdString();

    ASSERT_TRUE(opening.sender->sendKeys(QStringLiteral("0123456789. ")));
    ASSERT_TRUE(opening.sender->sendKeys(QStringLiteral("{+}-/XPR")));
    ASSERT_TRUE(opening.sender->sendKeys(
        QStringLiteral("{ENTER}{LEFT}{RIGHT}{DELETE}{BS}")));

    const QStringList expected{
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", " ",
        "+", "-", "/", "X", "P", "R",
        "<Return>", "<Left>", "<Right>", "<Delete>", "<BackSpace>"};
    EXPECT_EQ(target.keys(expected.size()), expected);
}

TEST_F(X11Desktop, RefusedStringAndKeyWithoutPlaceTypeNothingMore)
{
    KeyWindow target(client(), 10);
    target.focus();
    platform::KeySenderOpening opening = platform::openKeySender(display());
    ASSERT_NE(opening.sender, nullptr);

    EXPECT_FALSE(opening.sender->sendKeys(QStringLiteral("12+")));  // malformed: nothing typed
    EXPECT_FALSE(opening.sender->sendKeys(QStringLiteral("測")));   // no key of the keyboard types it
    ASSERT_TRUE(opening.sender->sendKeys(QStringLiteral("9")));
    ASSERT_TRUE(opening.sender->sendKeys(QStringLiteral("0")));
    // Keys arrive in the order they were sent: anything the refused strings
    // typed would stand before the 9.
    EXPECT_EQ(target.keys(2), (QStringList{"9", "0"}));
}

TEST_F(X11Desktop, ForegroundFollowsTheFocusAndIsBroughtBack)
{
    KeyWindow first(client(), 10);
    KeyWindow second(client(), 300);
    const std::unique_ptr<platform::ForegroundWindows> windows =
        platform::openForegroundWindows(display());

    first.focus();
    EXPECT_EQ(windows->foregroundWindow(), first.handle());
    second.focus();
    EXPECT_EQ(windows->foregroundWindow(), second.handle());

    ASSERT_TRUE(windows->bringToFront(first.handle()));
    EXPECT_EQ(windows->foregroundWindow(), first.handle());

    platform::KeySenderOpening opening = platform::openKeySender(display());
    ASSERT_NE(opening.sender, nullptr);
    ASSERT_TRUE(opening.sender->sendKeys(QStringLiteral("4")));
    EXPECT_EQ(first.keys(1), QStringList{"4"});
    EXPECT_TRUE(second.keys(1, 200).isEmpty());
}

TEST_F(X11Desktop, NoWindowAndAClosedWindowAreNotBroughtToFront)
{
    KeyWindow open(client(), 10);
    KeyWindow closed(client(), 300);
    const platform::WindowHandle gone = closed.handle();
    closed.destroy();
    open.focus();
    const std::unique_ptr<platform::ForegroundWindows> windows =
        platform::openForegroundWindows(display());

    EXPECT_FALSE(windows->bringToFront(0));
    EXPECT_FALSE(windows->bringToFront(gone));  // a protocol error, trapped
    EXPECT_EQ(windows->foregroundWindow(), open.handle());
}

TEST_F(X11Desktop, NoFocusMeansNoWindowInFront)
{
    XSetInputFocus(client(), None, RevertToNone, CurrentTime);
    XSync(client(), False);
    EXPECT_EQ(platform::openForegroundWindows(display())->foregroundWindow(), 0u);
}

// ---- no usable display: a reason for the user, never a crash ---------------

TEST(KeySenderUnavailable, UnderWaylandTheReasonSaysSo)
{
    ScopedEnv wayland("WAYLAND_DISPLAY", "wayland-0");
    const platform::KeySenderOpening opening = platform::openKeySender();
    EXPECT_EQ(opening.sender, nullptr);
    EXPECT_TRUE(opening.failure.contains(QStringLiteral("Wayland"))) << opening.failure.toStdString();
    EXPECT_EQ(platform::openForegroundWindows()->foregroundWindow(), 0u);
}

TEST(KeySenderUnavailable, WithoutADisplayTheReasonSaysSo)
{
    ScopedEnv noWayland("WAYLAND_DISPLAY", "");
    ScopedEnv session("XDG_SESSION_TYPE", "x11");
    ScopedEnv noDisplay("DISPLAY", "");
    const platform::KeySenderOpening opening = platform::openKeySender();
    EXPECT_EQ(opening.sender, nullptr);
    EXPECT_TRUE(opening.failure.contains(QStringLiteral("DISPLAY"))) << opening.failure.toStdString();
}

TEST(KeySenderUnavailable, ADisplayThatCannotBeOpenedIsNamed)
{
    const platform::KeySenderOpening opening = platform::openKeySender(QStringLiteral(":9871"));
    EXPECT_EQ(opening.sender, nullptr);
    EXPECT_TRUE(opening.failure.contains(QStringLiteral(":9871"))) << opening.failure.toStdString();
    const auto windows = platform::openForegroundWindows(QStringLiteral(":9871"));
    ASSERT_NE(windows, nullptr);
    EXPECT_EQ(windows->foregroundWindow(), 0u);
    EXPECT_FALSE(windows->bringToFront(1234));
}

}  // namespace
