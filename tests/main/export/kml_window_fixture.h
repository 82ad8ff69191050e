// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window with the KML export wired, shown on the offscreen
// platform, a desktop of the test's own (no program registered for KML until
// a test registers one), a scripted prompter whose surprises fail the test,
// and a site folder whose name holds a blank. The site lies in zone 9; the
// view of 100 m by 100 m is centred on its origin.
#pragma once

#include "desktop_registry.h"
#include "kml_support.h"
#include "scoped_env.h"
#include "site_builders.h"

#include "main/export/export_commands.h"
#include "main/export/kml_export.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "main/window/start_form.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

namespace tavelcor::kmltest {

using render::testing_support::addCoordinate;
using render::testing_support::addLine;
using render::testing_support::addPoint;
using render::testing_support::addSquare;
using render::testing_support::addText;

inline const QString kKmlType = QStringLiteral("application/vnd.google-earth.kml+xml");
inline const QString kViewerMissing = QStringLiteral("Google earthが見つかりません。先にソフトをインストールしてください");

/// The message without a globe viewer: that none was found, and where the
/// file `written` lies.
inline QString viewerMissingFor(const QString& written)
{
    return kViewerMissing + QStringLiteral("\r\nKMLファイルは次の場所に作成しました：\r\n") + written;
}
inline const QString kTooMuch = QStringLiteral("データが多すぎます。表示範囲を絞ってください。");

class KmlWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(desktop.isValid());
        mHome.emplace("TAVELCOR_HOME", desktop.path(QStringLiteral("home")));
        allocateTables();
        resetTables();
        site = desktop.path(QStringLiteral("my site/"));
        ASSERT_TRUE(QDir().mkpath(site));
        SiteFolder = site;
        WorkFolder = desktop.path(QStringLiteral("work/Eld"));
        ZoneNo = 9;
        OriginX = -30000.0;
        OriginY = 10000.0;
        ViewCX = OriginX;
        ViewCY = OriginY;
        ViewSpanX = 100.0;
        ViewSpanY = 100.0;
        mScript.emplace();
        clearPlotWirings();
        addPlotWiring(wireExport);
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        mScript.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    /// The main window, shown and active.
    Plot& shownPlot()
    {
        Plot& w = plot();
        w.Show();
        QApplication::setActiveWindow(w.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window()));
        return w;
    }

    /// Clicks "GoogleEarth KML" as a user does.
    void clickExport()
    {
        Plot& w = shownPlot();
        QTest::mouseClick(w.Command82.widget(), Qt::LeftButton, {}, QPoint(3, 3));
        QCoreApplication::processEvents();
    }

    platform::ScriptedPrompter& script() { return mScript->get(); }

    QString kmlPath() const { return site + QStringLiteral("Tavelcor.KML"); }

    /// The message without a globe viewer, for the site's file.
    QString viewerMissing() const { return viewerMissingFor(kmlPath()); }

    QByteArray kmlBytes() const
    {
        QFile f(kmlPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    bool writeOldFile(const QByteArray& bytes) const
    {
        QFile f(kmlPath());
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    /// The files of the site folder.
    QStringList siteFiles() const { return QDir(site).entryList(QDir::Files | QDir::Hidden); }

    /// What the stand-in viewer recorded, once it has run ("" when it did
    /// not run within 20 s).
    QByteArray viewerRecord(const QString& program)
    {
        const QString path = desktop.record(program);
        QDeadlineTimer deadline(20000);
        while (!QFile::exists(path) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    /// START was shown with the export's caption and its label hidden, and
    /// is hidden again.
    static void expectSplashDone()
    {
        ASSERT_TRUE(startForm().isLoaded());
        EXPECT_EQ(start().Caption(), QStringLiteral("KMLを作成しています"));
        EXPECT_FALSE(start().Label1.Visible());
        EXPECT_FALSE(start().Visible());
    }

    testing_support::ScopedDesktopRegistry desktop;
    QString site;

private:
    std::optional<testing_support::ScopedEnv> mHome;
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

}  // namespace tavelcor::kmltest
