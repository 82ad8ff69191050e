// SPDX-License-Identifier: LicenseRef-Tavelcor
// A fixture for the main window's life cycle: fresh tables, the program
// folder (TAVELCOR_HOME), the system temporary folder (TMPDIR) and the user's
// runtime folder (XDG_RUNTIME_DIR, which holds the work folder and the local
// raster folder) inside one temporary folder, a clipboard in memory, a fixed clock, and a scripted prompter that
// fails the test on any prompt it was not told about. The start-up,
// save, backup and shut-down handlers are wired; plot() loads the window and
// so runs the start-up.
#pragma once

#include "main/app/app_context.h"
#include "main/app/site_wiring.h"
#include "main/app/window_layout.h"
#include "main/background/background_drawing.h"
#include "main/background/tile_mosaic.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"
#include "platform/system/clipboard.h"
#include "platform/text/cp932.h"
#include "scoped_env.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace tavelcor::apptest {

// The stored fixtures of these tests.
inline QString fixtureFolder()
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/main/app");
}

// lines joined with CR LF after each line, in CP932.
inline QByteArray cp932Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += platform::toCp932(line) + "\r\n";
    return bytes;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline bool writeLines(const QString& path, const QStringList& lines)
{
    return writeBytes(path, cp932Lines(lines));
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The lines of a CP932 file (line ends CR LF), without the last empty one.
inline QStringList fileLines(const QString& path)
{
    QString text = platform::fromCp932(fileBytes(path));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Copies every file of folder `from` into `to` (made when missing).
inline bool copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QStringList names = QDir(from).entryList(QDir::Files);
    for (const QString& name : names) {
        QFile::remove(to + u'/' + name);
        if (!QFile::copy(from + u'/' + name, to + u'/' + name))
            return false;
    }
    return !names.isEmpty();
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mRoot.isValid());
        mHome = mRoot.path() + QStringLiteral("/home");
        mTemp = mRoot.path() + QStringLiteral("/tmp");
        ASSERT_TRUE(QDir().mkpath(mHome));
        ASSERT_TRUE(QDir().mkpath(mTemp));
        mHomeEnv.emplace("TAVELCOR_HOME", mHome);
        mTempEnv.emplace("TMPDIR", mTemp);
        mRuntimeEnv.emplace("XDG_RUNTIME_DIR", mTemp);
        ASSERT_EQ(QDir::tempPath(), mTemp);

        allocateTables();
        resetTables();
        resetAppContext();
        appServices().clipboard = &clipboardText;
        appServices().now = [this] { return now; };
        mScript.emplace();
        clearPlotWirings();
        addPlotWiring(wireWindowLayout);
        addPlotWiring(wireSiteLifecycle);
        // The redraw draws its backgrounds as the program does.
        addPlotWiring(wireBackground);
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        mScript.reset();
        resetAppContext();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mRuntimeEnv.reset();
        mTempEnv.reset();
        mHomeEnv.reset();
    }

    platform::ScriptedPrompter& script() { return mScript->get(); }

    // A folder inside the test's temporary folder (made), path without "/".
    QString folder(const QString& name) const
    {
        const QString path = mRoot.path() + u'/' + name;
        QDir().mkpath(path);
        return path;
    }

    // A copy of the stored fixture folder `fixture` as folder `name`.
    QString copyFixture(const QString& fixture, const QString& name)
    {
        const QString target = folder(name);
        EXPECT_TRUE(copyFolder(fixtureFolder() + u'/' + fixture, target)) << fixture.toStdString();
        return target;
    }

    QString programFolder() const { return mHome; }
    QString workFolder() const { return mTemp + QStringLiteral("/tavelcor/Eld"); }
    QString rasterCopyFolder() const { return mTemp + QStringLiteral("/tavelcor/TVXTEMP"); }

    // Loads the main window: start-up runs.
    Plot& startProgram() { return plot(); }

    // Ends the run so that the next startProgram() starts afresh: every form
    // unloaded, the tables and the main window's run state as at start.
    static void endRun()
    {
        platform::destroyAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetTables();
        plotRunState() = PlotRunState{};
    }
    StartupEnd startupEnd() const { return plotRunState().startupEnd; }

    // The chooser answers with path (nullopt: cancelled).
    void chooseFile(const std::optional<QString>& path)
    {
        script().expectOpenFile(path, QStringLiteral("TVX SIMA 呼び出し"));
    }

    // Start-up asks whether to show the map alone, and `answer` answers.
    // Yes draws the map, whose tiles the test programs' tile service (a
    // port of this machine that refuses) cannot give: that is said once.
    void answerMapOnly(platform::MsgResult answer)
    {
        script().expectMessage(answer, QStringLiteral("地理院地図のみでも表示しますか"));
        if (answer == platform::MsgResult::Yes)
            script().expectMessage(platform::MsgResult::Ok, QString::fromUtf16(kTilesNotFetchedMessage));
    }

    // Loads the main window with `chosen` from the chooser (nullopt:
    // cancelled) opening no site; answerMapOnly(answer) answers the map
    // question.
    Plot& startWithoutASite(platform::MsgResult answer, const std::optional<QString>& chosen = std::nullopt)
    {
        chooseFile(chosen);
        answerMapOnly(answer);
        return startProgram();
    }

    platform::MemoryClipboard clipboardText;
    QDateTime now = QDateTime(QDate(2024, 1, 5), QTime(9, 0));

private:
    QTemporaryDir mRoot;
    QString mHome;
    QString mTemp;
    std::optional<testing_support::ScopedEnv> mHomeEnv;
    std::optional<testing_support::ScopedEnv> mTempEnv;
    std::optional<testing_support::ScopedEnv> mRuntimeEnv;
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

}  // namespace tavelcor::apptest
