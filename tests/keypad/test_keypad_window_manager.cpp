// SPDX-License-Identifier: LicenseRef-Tavelcor
// The kintab program under a reparenting window manager (Openbox on a private
// Xvfb), as on a user's desktop: its place is the place of the frame the
// window manager draws, at start-up, through the compact mode and from one
// run to the next. Positions are measured on the window manager's own frame
// window.
#include "child_process.h"
#include "window_manager_process.h"
#include "x11_probe.h"
#include "xvfb_server.h"

#include "keypad/settings_file.h"

#include "platform/system/window_presence.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

namespace {

using keypad_test::ChildProcess;
using keypad_test::runTool;
using x11_probe::Framed;

const QString kKintab = QStringLiteral(TAVELCOR_BIN_DIR "/kintab");
const std::string kCaption = "KINTAB1.43";
constexpr int kTwipsPerPixel = 15;
constexpr int kWaitMs = 15000;
// Wider than the compact keypad, narrower than the full one (pixels).
constexpr int kCompactWidthBelow = 150;

class KintabUnderWindowManager : public testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbServer::installed())
            GTEST_FAIL() << "Xvfb (Debian package xvfb) is not installed (scripts/install-packages installs it)";
        if (!WindowManagerProcess::installed())
            GTEST_FAIL() << "openbox (Debian package openbox) is not installed (scripts/install-packages installs it)";
        ASSERT_TRUE(mHome.isValid());
        ASSERT_TRUE(QFile::exists(kKintab)) << "the kintab program is missing: " << kKintab.toStdString();
        QString whyNot;
        ASSERT_TRUE(mServer.start(whyNot)) << "no private X server: " << whyNot.toStdString();
        ASSERT_TRUE(mManager.start(mServer.display(), whyNot)) << "no window manager: " << whyNot.toStdString();
        mDisplay = mServer.display().toStdString();
        mEnvironment = mServer.programEnvironment();
        mEnvironment.insert(QStringLiteral("TAVELCOR_HOME"), mHome.path());
    }

    void TearDown() override
    {
        mKeypad.reset();  // before the window manager and the server go
        if (mHome.isValid()) {
            // A keypad ended from outside leaves its socket name behind.
            qputenv("TAVELCOR_HOME", mHome.path().toLocal8Bit());
            QLocalServer::removeServer(platform::presenceServerName(QStringLiteral("KINTAB")));
            qunsetenv("TAVELCOR_HOME");
        }
    }

    QString settingsPath() const { return mHome.path() + QStringLiteral("/KINTAB.JKN"); }

    void startKeypad() { mKeypad = std::make_unique<ChildProcess>(kKintab, QStringList{}, mEnvironment); }

    // The keypad window once the window manager shows it framed and (when
    // `settled`) it has stayed where it is for a moment; nullopt when it did
    // not come in time.
    std::optional<Framed> keypadWhen(const std::function<bool(const Framed&)>& wanted, bool settled = true,
                                     int waitMs = kWaitMs)
    {
        QElapsedTimer clock;
        clock.start();
        std::optional<Framed> last;
        while (clock.elapsed() < waitMs) {
            const std::optional<Framed> now = x11_probe::framedWindow(mDisplay, kCaption);
            if (now && wanted(*now) && (!settled || last == now))
                return now;
            last = now;
            QThread::msleep(settled ? 100 : 5);
        }
        return std::nullopt;
    }

    std::optional<Framed> fullKeypad(bool settled = true)
    {
        return keypadWhen([](const Framed& f) { return f.client.width >= kCompactWidthBelow; }, settled);
    }

    std::optional<Framed> compactKeypad(bool settled = true)
    {
        return keypadWhen([](const Framed& f) { return f.client.width < kCompactWidthBelow; }, settled);
    }

    // The close box, through the window manager.
    bool close(const Framed& keypad) { return x11_probe::askToClose(mDisplay, keypad.window); }

    // Closes the compact keypad and waits until the program has ended.
    void closeAndEnd(const Framed& compact)
    {
        ASSERT_TRUE(close(compact));
        ASSERT_TRUE(mKeypad->waitForEnd(kWaitMs)) << "the keypad did not end";
        EXPECT_EQ(mKeypad->exitCode(), 0);
    }

    // The place kept in KINTAB.JKN, in twips.
    std::optional<std::pair<double, double>> savedLeftTop() const
    {
        const std::optional<kintab::KeypadFileValues> values = kintab::readKeypadFile(settingsPath());
        if (!values)
            return std::nullopt;
        return std::make_pair(values->left, values->top);
    }

    static std::pair<double, double> twipsOf(const x11_probe::Rect& frame)
    {
        return {frame.x * kTwipsPerPixel, frame.y * kTwipsPerPixel};
    }

    XvfbServer mServer;
    WindowManagerProcess mManager;
    QTemporaryDir mHome;
    std::string mDisplay;
    QProcessEnvironment mEnvironment;
    std::unique_ptr<ChildProcess> mKeypad;
};

// The keypad's frame stands 100 twips from the screen's right edge and 600
// from its bottom, whatever the window manager's frame is like.
TEST_F(KintabUnderWindowManager, StartsWithItsFrameAtTheBottomRightOfTheScreen)
{
    startKeypad();
    const std::optional<Framed> full = fullKeypad();
    ASSERT_TRUE(full) << "the keypad was not shown framed";
    const std::optional<x11_probe::Rect> screen = x11_probe::screen(mDisplay);
    ASSERT_TRUE(screen);
    EXPECT_NEAR(full->frame.right(), screen->width - 100.0 / kTwipsPerPixel, 1.0);
    EXPECT_NEAR(full->frame.bottom(), screen->height - 600.0 / kTwipsPerPixel, 1.0);
    ASSERT_GT(full->client.y, full->frame.y) << "the window manager drew no title bar";

    ASSERT_TRUE(close(*full));
    const std::optional<Framed> compact = compactKeypad();
    ASSERT_TRUE(compact) << "the close box did not shrink the keypad";
    closeAndEnd(*compact);
    EXPECT_EQ(savedLeftTop(), twipsOf(full->frame)) << "the file keeps the frame's place";
}

// Run after run the keypad comes back where it was: the place kept is the
// frame's, never the client area's (which lies a title bar lower).
TEST_F(KintabUnderWindowManager, KeepsItsFramesPlaceThroughTheCompactModeRunAfterRun)
{
    kintab::KeypadFileContents contents;
    contents.left = 6000;  // 400 pixels
    contents.top = 3000;   // 200 pixels
    ASSERT_TRUE(kintab::writeKeypadFile(settingsPath(), contents).isEmpty());
    for (int run = 1; run <= 6; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        startKeypad();
        const std::optional<Framed> full = fullKeypad();
        ASSERT_TRUE(full) << "the keypad was not shown framed";
        ASSERT_EQ(full->frame.x, 400);
        ASSERT_EQ(full->frame.y, 200);

        // Closed again as soon as the compact keypad is framed, as a user
        // who double-clicks the close box does.
        ASSERT_TRUE(close(*full));
        const std::optional<Framed> compact = compactKeypad(run % 2 == 0);
        ASSERT_TRUE(compact) << "the close box did not shrink the keypad";
        EXPECT_NEAR(compact->frame.right(), full->frame.right(), 1) << "the same bottom-right corner";
        EXPECT_NEAR(compact->frame.bottom(), full->frame.bottom(), 1);

        closeAndEnd(*compact);
        if (HasFatalFailure())
            return;
        ASSERT_EQ(savedLeftTop(), std::make_pair(6000.0, 3000.0));
    }
}

// A press on the compact keypad brings the full one back to its frame's
// place, while the window is shown.
TEST_F(KintabUnderWindowManager, APressOnTheCompactKeypadBringsItBackToItsPlace)
{
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_FAIL() << "xdotool is not installed (scripts/install-packages installs it)";
    startKeypad();
    const std::optional<Framed> full = fullKeypad();
    ASSERT_TRUE(full) << "the keypad was not shown framed";
    ASSERT_TRUE(close(*full));
    const std::optional<Framed> compact = compactKeypad();
    ASSERT_TRUE(compact) << "the close box did not shrink the keypad";

    ASSERT_TRUE(runTool(xdotool,
                        {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(compact->window),
                         QStringLiteral("--sync"), QStringLiteral("20"), QStringLiteral("20"),
                         QStringLiteral("click"), QStringLiteral("1")},
                        mEnvironment));
    const std::optional<Framed> restored = fullKeypad();
    ASSERT_TRUE(restored) << "the press did not restore the keypad";
    EXPECT_EQ(restored->frame, full->frame);

    ASSERT_TRUE(close(*restored));
    const std::optional<Framed> again = compactKeypad();
    ASSERT_TRUE(again);
    closeAndEnd(*again);
    EXPECT_EQ(savedLeftTop(), twipsOf(full->frame));
}

// The user drags the keypad elsewhere: that place is kept, through the
// compact mode and in the file.
TEST_F(KintabUnderWindowManager, APlaceTheUserDragsItToIsKept)
{
    startKeypad();
    const std::optional<Framed> full = fullKeypad();
    ASSERT_TRUE(full) << "the keypad was not shown framed";
    // The request is asked again when it is not carried out: on a loaded
    // machine the window may still be settling into its first place and the
    // window manager then drops a move that came too early.
    std::optional<Framed> moved;
    for (int attempt = 0; attempt < 3 && !moved; ++attempt) {
        ASSERT_TRUE(x11_probe::askToMove(mDisplay, full->window, 300, 150));
        moved = keypadWhen([](const Framed& f) { return f.frame.x == 300 && f.frame.y == 150; }, true, kWaitMs / 3);
    }
    ASSERT_TRUE(moved) << "the window manager did not move the keypad";

    ASSERT_TRUE(close(*moved));
    const std::optional<Framed> compact = compactKeypad();
    ASSERT_TRUE(compact) << "the close box did not shrink the keypad";
    EXPECT_NEAR(compact->frame.right(), moved->frame.right(), 1) << "the same bottom-right corner";
    EXPECT_NEAR(compact->frame.bottom(), moved->frame.bottom(), 1);
    closeAndEnd(*compact);
    EXPECT_EQ(savedLeftTop(), std::make_pair(4500.0, 2250.0));
}

}  // namespace
