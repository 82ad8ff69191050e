// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad typing into another program's text field on a real X server:
// a private Xvfb per test, a text field program of the tests, and xdotool to
// give the focus, to click and to look at the focus.
#include "child_process.h"
#include "keypad_fixture.h"
#include "xvfb_server.h"

#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"
#include "platform/system/window_presence.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

namespace {

using keypad_test::ChildProcess;
using keypad_test::runTool;

const QString kKintab = QStringLiteral(TAVELCOR_BIN_DIR "/kintab");
const QString kFieldProgram = QStringLiteral(KINTAB_FIELD_HELPER);

// A private X server with text fields of another program on it.
class KeypadOnX11 : public keypad_test::KeypadTest {
protected:
    void SetUp() override
    {
        KeypadTest::SetUp();
        mXdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (mXdotool.isEmpty())
            GTEST_FAIL() << "xdotool is not installed (scripts/install-packages installs it)";
        if (!XvfbServer::installed())
            GTEST_FAIL() << "Xvfb (Debian package xvfb) is not installed (scripts/install-packages installs it)";
        QString whyNot;
        ASSERT_TRUE(mServer.start(whyNot)) << "no private X server for this test: " << whyNot.toStdString();
        mX11 = mServer.programEnvironment();
        mX11.insert(QStringLiteral("TAVELCOR_HOME"), mHome.path());
    }

    void TearDown() override
    {
        KeypadTest::TearDown();
        mFields.clear();  // before the server stops
        // A keypad program ended from outside leaves its socket name behind.
        QLocalServer::removeServer(platform::presenceServerName(QStringLiteral("KINTAB")));
    }

    // Starts a text field program; its window id, or 0 when it did not come.
    platform::WindowHandle startField(const QString& record)
    {
        mFields.push_back(std::make_unique<ChildProcess>(kFieldProgram, QStringList{record}, mX11));
        const std::optional<QByteArray> id = mFields.back()->readLine();
        return id ? id->toULongLong() : 0;
    }

    bool xdotool(const QStringList& arguments)
    {
        return runTool(mXdotool, arguments, mX11).has_value();
    }

    platform::WindowHandle focusedWindow()
    {
        const std::optional<QByteArray> out = runTool(mXdotool, {"getwindowfocus"}, mX11);
        return out ? out->trimmed().toULongLong() : 0;
    }

    // Waits until the record file holds exactly `expected`.
    static QByteArray waitForRecord(const QString& path, const QByteArray& expected,
                                    int timeoutMs = 10000)
    {
        QElapsedTimer clock;
        clock.start();
        QByteArray now;
        while (clock.elapsed() < timeoutMs) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                now = file.readAll();
            if (now == expected)
                break;
            QThread::msleep(20);
        }
        return now;
    }

    // The keypad of this process types into the X server.
    void useTheXServer()
    {
        mWindows = platform::openForegroundWindows(mServer.display());
        kintab::KeypadServices services;
        services.windows = mWindows.get();
        const QString display = mServer.display();
        services.openKeySender = [display] { return platform::openKeySender(display); };
        kintab::installServices(std::move(services));
    }

    XvfbServer mServer;
    QString mXdotool;
    QProcessEnvironment mX11;
    std::vector<std::unique_ptr<ChildProcess>> mFields;
    std::unique_ptr<platform::ForegroundWindows> mWindows;
};

TEST_F(KeypadOnX11, EveryKeyTypesIntoTheFieldOfAnotherProgram)
{
    const QString record = mHome.path() + QStringLiteral("/field.txt");
    const platform::WindowHandle field = startField(record);
    ASSERT_NE(field, 0u);
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(field)}));
    useTheXServer();
    tickWith(0);  // the fake desktop is out of use; the tick reads the X server
    keypadWindow().Timer1_Timer();
    ASSERT_EQ(kintab::keypad().KeyTarget, field);

    // "123", back over the 3, rub out the 2 and the 3, then every other key.
    for (int key : {1, 2, 3, 14, 17, 16, 15, 4, 5, 6, 18, 19, 20, 11, 10, 0, 7, 8, 9, 21, 22, 23, 13})
        press(key);
    EXPECT_EQ(waitForRecord(record, "1456+-/ .0789XPR\nENTER 1\n"), "1456+-/ .0789XPR\nENTER 1\n");
    EXPECT_EQ(focusedWindow(), field);
}

TEST_F(KeypadOnX11, AKeyBringsTheTargetBackBeforeItTypes)
{
    const QString recordA = mHome.path() + QStringLiteral("/a.txt");
    const QString recordB = mHome.path() + QStringLiteral("/b.txt");
    const platform::WindowHandle fieldA = startField(recordA);
    const platform::WindowHandle fieldB = startField(recordB);
    ASSERT_NE(fieldA, 0u);
    ASSERT_NE(fieldB, 0u);
    useTheXServer();
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(fieldA)}));
    keypadWindow().Timer1_Timer();
    ASSERT_EQ(kintab::keypad().KeyTarget, fieldA);

    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(fieldB)}));  // no tick yet
    press(5);
    press(13);
    EXPECT_EQ(waitForRecord(recordA, "5\nENTER 1\n"), "5\nENTER 1\n");
    EXPECT_EQ(focusedWindow(), fieldA);

    keypadWindow().Timer1_Timer();  // A is in front now: the target stays
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(fieldB)}));
    keypadWindow().Timer1_Timer();
    press(9);
    EXPECT_EQ(waitForRecord(recordB, "9\nENTER 0\n"), "9\nENTER 0\n");
    EXPECT_EQ(waitForRecord(recordA, "5\nENTER 1\n", 200), "5\nENTER 1\n");
}

TEST_F(KeypadOnX11, TheKintabProgramTypesWhereTheUserWorksWhenItsButtonsAreClicked)
{
    // The build makes the program with this test.
    ASSERT_TRUE(QFile::exists(kKintab)) << "the kintab program is missing: " << kKintab.toStdString();
    const QString record = mHome.path() + QStringLiteral("/field.txt");
    const platform::WindowHandle field = startField(record);
    ASSERT_NE(field, 0u);
    ChildProcess keypadProgram(kKintab, {}, mX11);
    const std::optional<QByteArray> found =
        runTool(mXdotool, {"search", "--sync", "--name", "^KINTAB1\\.43$"}, mX11, 15000);
    ASSERT_TRUE(found.has_value()) << "the keypad window did not appear";
    const QString keypadId = QString::fromLatin1(found->split('\n').front().trimmed());
    ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(field)}));

    // Key centres at the design size: the keys start 8 pixels in and are 40
    // pixels apart; key 2 is row 3, column 2; "Ent" row 4, columns 5 and 6.
    const auto click = [&](int x, int y) {
        return xdotool({"mousemove", "--window", keypadId, "--sync", QString::number(x), QString::number(y),
                        "click", "1"});
    };
    // The keypad notes the window in front on its timer (every half second):
    // the first key is clicked until it reaches the field, the field brought
    // back in front before each try, so that the program's slow start costs
    // only the time it takes.
    QElapsedTimer clock;
    clock.start();
    const QByteArray untouched = "\nENTER 0\n";
    QByteArray first = untouched;
    while (first == untouched && clock.elapsed() < 15000) {
        ASSERT_TRUE(xdotool({"windowfocus", "--sync", QString::number(field)}));
        ASSERT_TRUE(click(64, 104));
        first = waitForRecord(record, "2\nENTER 0\n", 1000);
    }
    ASSERT_EQ(first, "2\nENTER 0\n") << "no key reached the field";
    ASSERT_TRUE(click(24, 144));
    ASSERT_TRUE(click(64, 104));
    ASSERT_TRUE(click(208, 144));
    EXPECT_EQ(waitForRecord(record, "202\nENTER 1\n"), "202\nENTER 1\n");
    EXPECT_EQ(focusedWindow(), field);

    // A click on the frame between the keys types nothing and brings nothing
    // back: the focus stays where it was only because the keypad never
    // takes it. The keypad handles clicks in their order: once the "Ent"
    // clicked after them has arrived, the clicks on the frame have been
    // handled.
    ASSERT_TRUE(click(4, 4));
    ASSERT_TRUE(click(44, 24));
    ASSERT_TRUE(click(208, 144));
    EXPECT_EQ(waitForRecord(record, "202\nENTER 2\n"), "202\nENTER 2\n");
    EXPECT_EQ(focusedWindow(), field) << "the keypad took the focus";
    EXPECT_TRUE(keypadProgram.running());
}

}  // namespace
