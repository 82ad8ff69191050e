// SPDX-License-Identifier: LicenseRef-Tavelcor
// "GoogleEarth KML" on the main window: the file in the site folder, the
// splash window, the hand-over to the globe viewer, and every failure
// leaving the old file as it was.
#include "kml_window_fixture.h"

#include "file_size_limit.h"

#include "main/render/view_window.h"
#include "platform/canvas/colors.h"

#include <QFileInfo>

namespace tavelcor::kmltest {
namespace {

using platform::MsgResult;

TEST_F(KmlWindowTest, EmptySiteWritesTheFileAndTellsThatNoViewerIsRegistered)
{
    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    const QByteArray bytes = kmlBytes();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList l = documentLines(bytes);
    ASSERT_EQ(l.size(), 32);
    EXPECT_EQ(l[1], QStringLiteral("<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
                                   "xmlns:gx=\"http://www.google.com/kml/ext/2.2\">"));
    EXPECT_EQ(l.mid(13, 4), (QStringList{"<Folder>", "<name>SIMA測点</name>", "<visibility>0</visibility>",
                                         "</Folder>"}));
    EXPECT_EQ(l[18], QStringLiteral("<Icon> <href>") + WorkFolder + QStringLiteral("/WHITE.BMP</href> </Icon>"));
    EXPECT_EQ(l.mid(30), (QStringList{"</Folder>", "</kml>"}));
    // The focus the button gave is the plot's once the window is in front
    // again (the splash window of the export came and went).
    QApplication::setActiveWindow(plot().window());
    EXPECT_TRUE(plot().Picture1.hasFocus()) << "the button gives the focus back to the plot";
    EXPECT_TRUE(wellFormed(kmlPath()));
    expectSplashDone();
    EXPECT_EQ(siteFiles(), QStringList{"Tavelcor.KML"});
}

// Without a globe viewer the export is no failure: the message keeps its
// words and says where the file was written, and the file is there.
TEST_F(KmlWindowTest, WithoutAViewerTheMessageSaysWhereTheFileWasWritten)
{
    addCoordinate(1, QStringLiteral("K1"), 1.0, 1.0);
    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    ASSERT_FALSE(script().records().empty());
    const QString said = script().records().back().text;
    EXPECT_TRUE(said.startsWith(kViewerMissing)) << said.toStdString();
    EXPECT_TRUE(said.endsWith(site + QStringLiteral("Tavelcor.KML"))) << said.toStdString();
    EXPECT_TRUE(wellFormed(kmlPath()));
    EXPECT_EQ(countOf(documentLines(kmlBytes()), "<Placemark>"), 1);
}

// The registered Google Earth gets the file's path as one argument, though
// the site folder's name holds a blank.
TEST_F(KmlWindowTest, GoogleEarthOpensTheFile)
{
    ASSERT_TRUE(desktop.addRecordingProgram(QStringLiteral("googleearth")));
    ASSERT_TRUE(desktop.registerDefault(kKmlType, QStringLiteral("google-earth.desktop"),
                                        QStringLiteral("googleearth %f")));
    clickExport();
    EXPECT_EQ(viewerRecord(QStringLiteral("googleearth")), "1\n" + kmlPath().toUtf8() + "\n");
    expectSplashDone();
}

TEST_F(KmlWindowTest, AProgramSpelledGoogleEarthDoesNotGetTheFile)
{
    ASSERT_TRUE(desktop.addRecordingProgram(QStringLiteral("GoogleEarth")));
    ASSERT_TRUE(desktop.registerDefault(kKmlType, QStringLiteral("ge.desktop"), QStringLiteral("GoogleEarth %f")));
    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    EXPECT_TRUE(wellFormed(kmlPath()));
    EXPECT_FALSE(QFile::exists(desktop.record(QStringLiteral("GoogleEarth"))));
}

// Exporting again replaces the file, leaving no temporary file beside it.
TEST_F(KmlWindowTest, ExportingTwiceReplacesTheFile)
{
    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    addCoordinate(1, QStringLiteral("K1"), 1.0, 1.0);
    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    EXPECT_EQ(countOf(documentLines(kmlBytes()), "<Placemark>"), 1);
    EXPECT_EQ(siteFiles(), QStringList{"Tavelcor.KML"});
}

// The document follows the plot: the view fitted to the picture's aspect
// (a line beyond the wanted extent but inside the fitted one is written),
// the display switches and the point filter of the window.
TEST_F(KmlWindowTest, TheDocumentFollowsThePlotAndItsSwitches)
{
    Plot& w = shownPlot();
    const double aspect = w.Picture1.Width() / w.Picture1.Height();
    ASSERT_GT(aspect, 1.2);
    addLine(0.0, 60.0, 1.0, 60.0 * aspect, 12);  // east of the wanted 100 m, inside the fitted extent
    addSquare(1, -10, -10, 10, 10, QStringLiteral("7-1"));
    addPoint(QStringLiteral("blue"), QString(), 1.0, 1.0, 1);
    addPoint(QStringLiteral("red"), QString(), 2.0, 2.0, 2);
    w.Option13(1).setForeColor(platform::QBColor(9));
    w.Option13(2).setForeColor(platform::QBColor(12));
    PointColorShown[9] = 0;
    w.Check6.setValue(1);
    w.Check1.setValue(1);
    w.Check2.setValue(0);
    w.Check3.setValue(0);
    w.Check17.setValue(1);

    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    EXPECT_NEAR(ViewSpanY, 100.0 * aspect, 1e-6 * aspect);
    const QStringList l = documentLines(kmlBytes());
    EXPECT_EQ(countOf(folder(l, QStringLiteral("LINE")), "<Placemark>"), 1);
    EXPECT_EQ(countOf(folder(l, QStringLiteral("SIMA地番")), "<Placemark>"), 1);
    const QStringList points = folder(l, QStringLiteral("POINT"));
    EXPECT_EQ(countOf(points, "<name>red</name>"), 1);
    EXPECT_EQ(countOf(points, "<name>blue</name>"), 0);
    EXPECT_EQ(countOf(folder(l, QStringLiteral("SIMA測点")), "<name> 1</name>"), 1);

    w.Check12.setValue(0);
    w.Check6.setValue(0);
    script().expectMessage(MsgResult::Ok, viewerMissing());
    clickExport();
    const QStringList again = documentLines(kmlBytes());
    EXPECT_TRUE(folder(again, QStringLiteral("POINT")).isEmpty());
    EXPECT_TRUE(folder(again, QStringLiteral("SIMA地番")).isEmpty());
    EXPECT_TRUE(wellFormed(kmlPath()));
}

// More than 1,000,000 entries: the message, and the old file stays.
TEST_F(KmlWindowTest, TooLargeADocumentLeavesTheOldFile)
{
    ASSERT_TRUE(writeOldFile("old"));
    for (int i = 0; i < 142860; ++i)
        addLine(-1, -1, 1, 1, 12);
    script().expectMessage(MsgResult::Ok, kTooMuch);
    clickExport();
    EXPECT_EQ(kmlBytes(), QByteArray("old"));
    expectSplashDone();
    EXPECT_EQ(siteFiles(), QStringList{"Tavelcor.KML"});
}

// The disk fills while the file is written: the message, the old file
// whole, no temporary file left.
TEST_F(KmlWindowTest, AFullDiskLeavesTheOldFile)
{
    ASSERT_TRUE(writeOldFile("old"));
    addCoordinate(1, QStringLiteral("K1"), 1.0, 1.0);
    shownPlot();
    script().expectMessage(MsgResult::Ok, kTooMuch);
    {
        const testing_support::ScopedFileSizeLimit limit(600);
        ASSERT_TRUE(limit.isActive());
        clickExport();
    }
    EXPECT_EQ(kmlBytes(), QByteArray("old"));
    EXPECT_EQ(siteFiles(), QStringList{"Tavelcor.KML"});
    expectSplashDone();
}

TEST_F(KmlWindowTest, AMissingSiteFolderGivesTheMessage)
{
    SiteFolder = desktop.path(QStringLiteral("gone/"));
    script().expectMessage(MsgResult::Ok, kTooMuch);
    clickExport();
    EXPECT_FALSE(QFileInfo::exists(SiteFolder));
    expectSplashDone();
}

// A failure while the view is fitted (a picture without width) is reported
// like the others; the view and the old file stay.
TEST_F(KmlWindowTest, APictureWithoutWidthGivesTheMessage)
{
    ASSERT_TRUE(writeOldFile("old"));
    Plot& w = shownPlot();
    w.Picture1.setWidth(0.0);
    script().expectMessage(MsgResult::Ok, kTooMuch);
    clickExport();
    EXPECT_EQ(kmlBytes(), QByteArray("old"));
    EXPECT_EQ(ViewSpanX, 100.0);
    EXPECT_EQ(ViewSpanY, 100.0);
    expectSplashDone();
}

// The desktop cannot be asked to open the file (no xdg-open on the path):
// the file is written, then the export's message.
TEST_F(KmlWindowTest, ADesktopThatCannotOpenTheFileGivesTheMessageAfterWriting)
{
    ASSERT_TRUE(desktop.addRecordingProgram(QStringLiteral("googleearth")));
    ASSERT_TRUE(desktop.registerDefault(kKmlType, QStringLiteral("google-earth.desktop"),
                                        QStringLiteral("googleearth %f")));
    // A path holding every program of the current one except xdg-open.
    const QString farm = desktop.path(QStringLiteral("path-without-xdg-open"));
    ASSERT_TRUE(QDir().mkpath(farm));
    for (const QString& dir : qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts)) {
        for (const QFileInfo& program : QDir(dir).entryInfoList(QDir::Files | QDir::Executable)) {
            if (program.fileName() != u"xdg-open" && !QFileInfo::exists(farm + u'/' + program.fileName()))
                QFile::link(program.absoluteFilePath(), farm + u'/' + program.fileName());
        }
    }
    const testing_support::ScopedEnv path("PATH", farm);
    script().expectMessage(MsgResult::Ok, kTooMuch);
    clickExport();
    EXPECT_TRUE(wellFormed(kmlPath()));
    EXPECT_FALSE(QFile::exists(desktop.record(QStringLiteral("googleearth"))));
    expectSplashDone();
}

}  // namespace
}  // namespace tavelcor::kmltest
