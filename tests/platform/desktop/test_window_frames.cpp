// SPDX-License-Identifier: LicenseRef-Tavelcor
// The frames of windows as the window system reports them, on a private Xvfb
// with and without a reparenting window manager (Openbox). The frame the
// platform reports is compared with the window manager's own frame window.
#include "platform/desktop/window_frames.h"

#include "window_manager_process.h"
#include "x11_probe.h"
#include "xvfb_server.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// Polls `done` every 20 ms for at most timeoutMs.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (done())
            return true;
        QThread::msleep(20);
    }
    return done();
}

class WindowFramesTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbServer::installed())
            GTEST_FAIL() << "Xvfb (Debian package xvfb) is not installed (scripts/install-packages installs it)";
        QString whyNot;
        ASSERT_TRUE(mServer.start(whyNot)) << whyNot.toStdString();
        mDisplay = mServer.display().toStdString();
    }

    // The window manager on this test's server; fails without Openbox.
    void startWindowManager()
    {
        if (!WindowManagerProcess::installed())
            GTEST_FAIL() << "openbox (Debian package openbox) is not installed (scripts/install-packages installs it)";
        QString whyNot;
        ASSERT_TRUE(mManager.start(mServer.display(), whyNot)) << whyNot.toStdString();
    }

    XvfbServer mServer;
    WindowManagerProcess mManager;  // stopped before the server
    std::string mDisplay;
};

TEST_F(WindowFramesTest, WithoutAWindowManagerNoWindowIsFramed)
{
    std::unique_ptr<platform::WindowFrames> frames = platform::openWindowFrames(mServer.display());
    ASSERT_NE(frames, nullptr);
    x11_probe::TestWindow window(mDisplay, "plain", 200, 100);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(frames->requestExtents(window.id(), 5000), std::nullopt);
    EXPECT_LT(clock.elapsed(), 1000) << "nobody to ask: the answer comes at once";
    window.show();
    ASSERT_TRUE(waitFor([&] { return x11_probe::viewable(mDisplay, window.id()); }));
    EXPECT_EQ(frames->frameOf(window.id()), std::nullopt) << "shown, but nobody framed it";
    EXPECT_EQ(frames->frameOf(0), std::nullopt);
}

TEST_F(WindowFramesTest, AFramedWindowIsReportedWhereItsFrameIs)
{
    startWindowManager();
    if (HasFatalFailure())
        return;
    std::unique_ptr<platform::WindowFrames> frames = platform::openWindowFrames(mServer.display());
    ASSERT_NE(frames, nullptr);
    x11_probe::TestWindow window(mDisplay, "framed", 200, 100);

    // Asked before the window is shown, the manager says how wide its frame
    // will be.
    const std::optional<QMargins> promised = frames->requestExtents(window.id(), 5000);
    ASSERT_TRUE(promised.has_value());
    EXPECT_GT(promised->top(), 0) << "a title bar";
    EXPECT_EQ(frames->frameOf(window.id()), std::nullopt) << "not shown yet";

    window.show();
    std::optional<x11_probe::Framed> framed;
    ASSERT_TRUE(waitFor([&] { return (framed = x11_probe::framedWindow(mDisplay, window.id())).has_value(); }));
    std::optional<platform::WindowFrame> reported;
    ASSERT_TRUE(waitFor([&] { return (reported = frames->frameOf(window.id())).has_value(); }));
    EXPECT_EQ(reported->outerTopLeft, QPoint(framed->frame.x, framed->frame.y));
    const QMargins measured(framed->client.x - framed->frame.x, framed->client.y - framed->frame.y,
                            framed->frame.right() - framed->client.right(),
                            framed->frame.bottom() - framed->client.bottom());
    EXPECT_EQ(reported->extents, measured);
    EXPECT_EQ(*promised, measured);

    window.hide();
    EXPECT_TRUE(waitFor([&] { return !frames->frameOf(window.id()).has_value(); }))
        << "a hidden window has no frame on the screen";
}

TEST(WindowFrames, NoDisplayNoFrames)
{
    EXPECT_EQ(platform::openWindowFrames(QStringLiteral(":65000")), nullptr);
}

}  // namespace
