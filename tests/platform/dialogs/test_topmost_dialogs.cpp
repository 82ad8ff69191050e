// SPDX-License-Identifier: LicenseRef-Tavelcor
// Dialogs under a real window manager: a private Xvfb with Openbox, both
// started and stopped by the test, and helper programs that open the dialogs
// on the xcb platform. A dialog opened from a window kept above the others
// comes up above that window (the window manager's stacking); a modal dialog
// opened from a modal dialog leaves that one where it is and comes up inside
// the screen (the frames' places).
#include "xvfb_server.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Openbox on the given display for the life of the object.
class WindowManager {
public:
    ~WindowManager()
    {
        if (mProcess.state() != QProcess::NotRunning) {
            mProcess.terminate();
            if (!mProcess.waitForFinished(5000))
                mProcess.kill();
            mProcess.waitForFinished(5000);
        }
    }

    // False with the reason when Openbox is missing or did not take over.
    bool start(const QString& display, QString& whyNot)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (program.isEmpty()) {
            whyNot = QStringLiteral("openbox is not installed");
            return false;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        mProcess.setProcessEnvironment(environment);
        mProcess.setProgram(program);
        mProcess.setArguments({QStringLiteral("--sm-disable")});
        mProcess.setStandardErrorFile(QProcess::nullDevice());
        mProcess.start();
        if (!mProcess.waitForStarted(10000)) {
            whyNot = QStringLiteral("openbox did not start");
            return false;
        }
        // It announces itself on the root window once it manages the screen.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15000) {
            QProcess xprop;
            xprop.setProcessEnvironment(environment);
            xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            xprop.waitForFinished(5000);
            if (xprop.readAllStandardOutput().contains("window id"))
                return true;
            QThread::msleep(100);
        }
        whyNot = QStringLiteral("openbox did not take over the screen");
        return false;
    }

private:
    QProcess mProcess;
};

struct Stacking {
    QByteArray window;
    QByteArray dialog;
    QList<QByteArray> bottomToTop;
};

Stacking readStacking(const QByteArray& output)
{
    Stacking s;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("window "))
            s.window = line.mid(7).trimmed();
        else if (line.startsWith("dialog "))
            s.dialog = line.mid(7).trimmed();
        else if (line.startsWith("stacking ")) {
            const int ids = line.indexOf('#');
            for (const QByteArray& id : line.mid(ids + 1).split(','))
                s.bottomToTop.append(id.trimmed());
        }
    }
    return s;
}

class TopmostDialogs : public ::testing::TestWithParam<const char*> {};

TEST_P(TopmostDialogs, ComeUpAboveTheWindowTheyAreOpenedFrom)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
        GTEST_FAIL() << "xprop (Debian package x11-utils) is not installed (scripts/install-packages installs it)";
    XvfbServer xvfb;
    QString whyNot;
    ASSERT_TRUE(xvfb.start(whyNot)) << whyNot.toStdString();
    WindowManager openbox;
    ASSERT_TRUE(openbox.start(xvfb.display(), whyNot)) << whyNot.toStdString();

    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    helper.setProcessEnvironment(environment);
    helper.start(QStringLiteral(TAVELCOR_TOPMOST_HELPER), {QString::fromLatin1(GetParam())});
    ASSERT_TRUE(helper.waitForFinished(60000));
    const QByteArray output = helper.readAllStandardOutput();
    const std::string all = (output + helper.readAllStandardError()).toStdString();
    ASSERT_EQ(helper.exitCode(), 0) << all;

    const Stacking s = readStacking(output);
    const qsizetype window = s.bottomToTop.indexOf(s.window);
    const qsizetype dialog = s.bottomToTop.indexOf(s.dialog);
    ASSERT_GE(window, 0) << all;
    ASSERT_GE(dialog, 0) << all;
    EXPECT_GT(dialog, window) << "the dialog lies under the window it was opened from\n" << all;
}

INSTANTIATE_TEST_SUITE_P(Kinds, TopmostDialogs, ::testing::Values("file", "message", "input"));

// The helper's "<step> x,y" lines: the frame corners it saw, by step, as
// "x,y" texts.
std::map<std::string, std::string> framePlaces(const QByteArray& output)
{
    std::map<std::string, std::string> places;
    for (const QByteArray& line : output.split('\n')) {
        const qsizetype space = line.lastIndexOf(' ');
        if (space > 0 && line.mid(space + 1).contains(','))
            places[line.left(space).toStdString()] = line.mid(space + 1).trimmed().toStdString();
    }
    return places;
}

// A settings dialog shown modally at (300, 200) px that places itself again
// each time it becomes active stays there while a dialog it opens runs and
// after that dialog closes; the nested dialog, put partly above the screen,
// comes up inside it.
TEST(NestedModalDialogs, TheParentStaysWhereItIsAndTheChildOpensInsideTheScreen)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
        GTEST_SKIP() << "xprop is not installed";
    XvfbServer xvfb;
    QString whyNot;
    if (!xvfb.start(whyNot))
        GTEST_SKIP() << whyNot.toStdString();
    WindowManager openbox;
    ASSERT_TRUE(openbox.start(xvfb.display(), whyNot)) << whyNot.toStdString();

    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    helper.setProcessEnvironment(environment);
    helper.start(QStringLiteral(TAVELCOR_NESTED_MODAL_HELPER), {});
    ASSERT_TRUE(helper.waitForFinished(60000));
    const QByteArray output = helper.readAllStandardOutput();
    const std::string all = (output + helper.readAllStandardError()).toStdString();
    ASSERT_EQ(helper.exitCode(), 0) << all;

    const std::map<std::string, std::string> places = framePlaces(output);
    for (const char* step : {"parent before", "parent during", "parent after"}) {
        ASSERT_TRUE(places.count(step)) << step << "\n" << all;
        EXPECT_EQ(places.at(step), "300,200") << step << "\n" << all;
    }
    ASSERT_TRUE(places.count("child")) << all;
    EXPECT_EQ(places.at("child"), "400,0") << "the nested dialog opens with its frame inside the screen\n" << all;
}

}  // namespace
