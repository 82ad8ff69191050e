// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/settings_file.h"
#include "site_test_support.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tavelcor {
namespace {

// tavelcor.jkn as the writer puts out the start-up values.
QStringList startupLines()
{
    QStringList lines{" 10", " 12", " 0", "", "1", "", "2", "0", " 2", " 2", " 2", " 5", " 0", "1", "1", "0",
                      " 5", " 1", " 6", " 5", " 1", " 0", "", "", "", "", " 0", " 1000", " 500", " 0", " 0", " 0"};
    for (int k = 0; k < 20; ++k)
        lines.append(QStringLiteral("0"));
    lines << " 1" << " 0" << " 0" << " 0";
    return lines;
}

class SettingsFile : public testsupport::SiteFileTest {
protected:
    // Writes the site's tavelcor.jkn: the start-up lines with line `line`
    // (1-based) replaced by `item`.
    void writeWithLine(int line, const QString& item)
    {
        QStringList lines = startupLines();
        lines[line - 1] = item;
        writeSiteLines(QStringLiteral("tavelcor.jkn"), lines);
    }
};

TEST_F(SettingsFile, WriterPutsOutTheStartupValuesLineByLine)
{
    const WriteResult result = SaveSettings();
    ASSERT_EQ(result.outcome, WriteOutcome::Written);
    EXPECT_EQ(result.path, workPath(QStringLiteral("tavelcor.jkn"))) << "no sign file: the work folder";
    const QByteArray bytes = testsupport::fileBytes(result.path);
    EXPECT_EQ(bytes, testsupport::cp932Lines(startupLines()));
    EXPECT_EQ(startupLines().size(), 56);
}

TEST_F(SettingsFile, WriterUsesTheSiteFolderOnlyWhenItHoldsTheSignFile)
{
    writeSiteBytes(QStringLiteral("tavelcor.tvx"), {});
    EXPECT_EQ(settingsFileToWrite(), sitePath(QStringLiteral("tavelcor.jkn")));
    writeSiteBytes(QStringLiteral("TAVELCOR.JKN"), {});
    EXPECT_EQ(settingsFileToWrite(), sitePath(QStringLiteral("TAVELCOR.JKN")))
        << "an existing file of another case is replaced, not doubled";
    QFile::remove(sitePath(QStringLiteral("tavelcor.tvx")));
    EXPECT_EQ(settingsFileToWrite(), workPath(QStringLiteral("tavelcor.jkn")));
}

TEST_F(SettingsFile, ReaderPrefersTheSiteFolderThenTheWorkFolder)
{
    EXPECT_TRUE(settingsFileToRead().isEmpty());
    ASSERT_TRUE(testsupport::writeBytes(workPath(QStringLiteral("tavelcor.jkn")), testsupport::cp932Lines({" 20"})));
    EXPECT_EQ(settingsFileToRead(), workPath(QStringLiteral("tavelcor.jkn")));
    EXPECT_EQ(LoadSettings().path, workPath(QStringLiteral("tavelcor.jkn")));
    EXPECT_EQ(HitRadius, 20);
    // A site folder without the sign file still has its own copy read.
    writeSiteLines(QStringLiteral("tavelcor.jkn"), {" 25"});
    EXPECT_EQ(LoadSettings().path, sitePath(QStringLiteral("tavelcor.jkn")));
    EXPECT_EQ(HitRadius, 25);
}

TEST_F(SettingsFile, WithoutAFileOnlyTheReaderDefaultsAreSet)
{
    HitRadius = 20;
    KeepStation = QStringLiteral("2");
    BackupMinutes = 9;
    PointLimit = 7;
    const SettingsReadResult result = LoadSettings();
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_EQ(HitRadius, 20);
    EXPECT_EQ(FontSize, 12) << "11 is set only when a file is read";
    EXPECT_EQ(KeepStation, QStringLiteral("1"));
    EXPECT_EQ(BackupMinutes, 5);
    EXPECT_EQ(PointLimit, 1000);
}

// FontSize becomes 11 as soon as a file is found, before its lines are read:
// a file that ends before line 2 (or is empty) leaves 11, not the start-up
// 12, and PointFontSize follows it as it does after a full file.
TEST_F(SettingsFile, AFileEndingBeforeTheFontSizeLineGivesEleven)
{
    const struct {
        const char* name;
        QStringList lines;
        int linesRead;
    } rows[] = {
        {"one line", {QStringLiteral(" 20")}, 1},
        {"empty file", {}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FontSize = PointFontSize = 12;
        writeSiteLines(QStringLiteral("tavelcor.jkn"), row.lines);
        const SettingsReadResult result = LoadSettings();
        EXPECT_EQ(result.linesRead, row.linesRead);
        EXPECT_EQ(FontSize, 11);
        EXPECT_EQ(PointFontSize, 11);
    }
}

// One line of the file, the item it holds, and the settings it must give.
struct LineRow {
    const char* name;
    int line;
    const char* item;
    std::function<bool()> check;
    int linesRead = 56;
};

void PrintTo(const LineRow& row, std::ostream* os)
{
    *os << row.name;
}

class SettingsLine : public SettingsFile, public ::testing::WithParamInterface<LineRow> {};

TEST_P(SettingsLine, TakesTheLineByItsRule)
{
    const LineRow& row = GetParam();
    KeepView = 1;  // the start-up lines say 0: a stop before line 55 keeps this
    writeWithLine(row.line, QString::fromUtf8(row.item));
    const SettingsReadResult result = LoadSettings();
    EXPECT_EQ(result.linesRead, row.linesRead);
    EXPECT_TRUE(row.check());
    EXPECT_EQ(KeepView, row.linesRead == 56 ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingsLine,
    ::testing::Values(
        LineRow{"HitRadius30", 1, "30", [] { return HitRadius == 30; }},
        LineRow{"HitRadius0Ignored", 1, "0", [] { return HitRadius == 10; }},
        LineRow{"HitRadius31Ignored", 1, "31", [] { return HitRadius == 10; }},
        LineRow{"FontSize7Gives11", 2, "7", [] { return FontSize == 11 && PointFontSize == 11; }},
        LineRow{"FontSize30", 2, "30", [] { return FontSize == 30 && PointFontSize == 30; }},
        LineRow{"FontSize31Gives11", 2, "31", [] { return FontSize == 11; }},
        LineRow{"WindowLayoutHalf", 3, "1.5", [] { return WindowLayout == 1.5F; }},
        LineRow{"WindowLayout4Ignored", 3, "4", [] { return WindowLayout == 0.0F; }},
        LineRow{"KeepStationItem", 5, " 2 ", [] { return KeepStation == u"2"; }},
        LineRow{"Setting6Trimmed", 6, "  メモ 1 ", [] { return Setting6Text == u"メモ 1"; }},
        LineRow{"DiagZoomOn", 7, "1", [] { return DiagZoom == 1; }},
        LineRow{"GpsWaitMsg", 8, "1", [] { return GpsWaitMsg == 1; }},
        LineRow{"SxfTextHeight0Ignored", 9, "0", [] { return SxfTextH == 2.0F; }},
        LineRow{"SxfMarkHeight", 10, "3.5", [] { return SxfMarkH == 3.5F; }},
        LineRow{"BackupOff", 12, "0", [] { return BackupMinutes == 0; }},
        LineRow{"BackupNegativeIgnored", 12, "-1", [] { return BackupMinutes == 5; }},
        LineRow{"BackupPastByteEndsReading", 12, "300", [] { return BackupMinutes == 5; }, 11},
        LineRow{"SxfMarkModeOne", 13, " 1", [] { return SxfMarkMode == 1; }},
        LineRow{"SxfMarkModeTwoIsZero", 13, "2", [] { return SxfMarkMode == 0; }},
        LineRow{"TxtSplitOn", 14, "1", [] { return TxtSplit == -1; }},
        LineRow{"TxtSplitOff", 14, "-1", [] { return TxtSplit == 0; }},
        LineRow{"TxtLineEditOff", 15, "", [] { return TxtLineEdit == 0; }},
        LineRow{"BackToAddTwo", 16, "2", [] { return BackToAdd == 2; }},
        LineRow{"BackToAddThreeIsZero", 16, "3", [] { return BackToAdd == 0; }},
        LineRow{"Setting17ZeroGives5", 17, "0", [] { return Setting17 == 5; }},
        LineRow{"Setting17SixGives5", 17, "6", [] { return Setting17 == 5; }},
        LineRow{"Setting17Three", 17, "3", [] { return Setting17 == 3; }},
        LineRow{"WembraOn", 18, "2", [] { return WembraOff == 0; }},
        LineRow{"WembraEmptyIsOn", 18, "", [] { return WembraOff == 0; }},
        LineRow{"WembraOff", 18, "1", [] { return WembraOff == 1; }},
        LineRow{"Zone20Gives6", 19, "20", [] { return ZoneNo == 6; }},
        LineRow{"Zone19", 19, "19", [] { return ZoneNo == 19; }},
        LineRow{"ZoneNegativeEndsReading", 19, "-1", [] { return ZoneNo == 6; }, 18},
        LineRow{"TileScreens100Gives5", 20, "100", [] { return TileScreens == 5; }},
        LineRow{"TileScreens99", 20, "99", [] { return TileScreens == 99; }},
        LineRow{"Slide9HalfGives1", 21, "9.5", [] { return SlideFactor == 1.0F; }},
        LineRow{"Slide9", 21, "9", [] { return SlideFactor == 9.0F; }},
        LineRow{"SlideZero", 21, "0", [] { return SlideFactor == 0.0F; }},
        LineRow{"GsiOffline", 22, "1", [] { return GsiOffline == 1; }},
        LineRow{"PointLimitZeroGives1000", 28, "0", [] { return PointLimit == 1000; }},
        LineRow{"PointLimit", 28, "2500", [] { return PointLimit == 2500; }},
        LineRow{"TxtLimitZeroGives500", 29, "0", [] { return TxtLimit == 500; }},
        LineRow{"SelOnlyEmptyIsOne", 32, "", [] { return SelOnly == 1; }},
        LineRow{"SelOnlyZero", 32, "0", [] { return SelOnly == 0; }},
        LineRow{"FirstTextLineHidden", 33, "1", [] { return TxtLineShow[1] == 1 && TxtLineShow[2] == 0; }},
        LineRow{"TenthAttributeHidden", 52, "1", [] { return KakuchiAttrShow[10] == 1; }},
        LineRow{"FillSelectedNine", 56, "9", [] { return FillSelected == 9; }}),
    [](const ::testing::TestParamInfo<LineRow>& info) { return std::string(info.param.name); });

// Setting17 starts at 0, which its line would read as 5: the writer puts out
// what the reader takes, so the file does not change when read and written
// again. Likewise for the other lines with a range.
TEST_F(SettingsFile, RangeLimitedValuesAreWrittenAsTheyReadBack)
{
    Setting17 = 0;
    ZoneNo = 0;
    TileScreens = 120;
    SlideFactor = -2.0F;
    PointLimit = 0;
    TxtLimit = 0;
    ASSERT_EQ(SaveSettings().outcome, WriteOutcome::Written);
    const QStringList lines = QString::fromLatin1(testsupport::fileBytes(workPath(QStringLiteral("tavelcor.jkn"))))
                                  .split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[16], QStringLiteral(" 5"));
    EXPECT_EQ(lines[18], QStringLiteral(" 6"));
    EXPECT_EQ(lines[19], QStringLiteral(" 5"));
    EXPECT_EQ(lines[20], QStringLiteral(" 1"));
    EXPECT_EQ(lines[27], QStringLiteral(" 1000"));
    EXPECT_EQ(lines[28], QStringLiteral(" 500"));
}

TEST_F(SettingsFile, AShortFileSetsTheLinesItHas)
{
    QStringList lines = startupLines().mid(0, 22);
    lines[0] = QStringLiteral(" 15");
    writeSiteLines(QStringLiteral("tavelcor.jkn"), lines);
    KeepView = 1;
    FillSelected = 9;
    const SettingsReadResult result = LoadSettings();
    EXPECT_EQ(result.linesRead, 22);
    EXPECT_EQ(HitRadius, 15);
    EXPECT_EQ(KeepView, 1);
    EXPECT_EQ(FillSelected, 9);
}

// A file from elsewhere with a comma in a text line: the comma splits the
// line into two items and every later value moves one line on.
TEST_F(SettingsFile, ACommaInALineShiftsTheLaterValues)
{
    writeWithLine(6, QStringLiteral("memo,1"));
    LoadSettings();
    EXPECT_EQ(Setting6Text, QStringLiteral("memo"));
    EXPECT_EQ(DiagZoom, 1) << "line 7 took the item after the comma";
}

TEST_F(SettingsFile, WindowLayoutIsAppliedRightAfterLineThree)
{
    writeWithLine(3, QStringLiteral("2"));
    std::vector<float> applied;
    int hitRadiusSeen = 0;
    LoadSettings([&](float layout) {
        applied.push_back(layout);
        hitRadiusSeen = HitRadius;
    });
    EXPECT_EQ(applied, std::vector<float>({2.0F}));
    EXPECT_EQ(hitRadiusSeen, 10);
    writeSiteLines(QStringLiteral("tavelcor.jkn"), {" 10", " 12"});
    applied.clear();
    LoadSettings([&](float layout) { applied.push_back(layout); });
    EXPECT_TRUE(applied.empty()) << "a file without line 3 applies nothing";
}

TEST_F(SettingsFile, WriteThenReadGivesTheSameValues)
{
    writeSiteBytes(QStringLiteral("TAVELCOR.TVX"), {});
    HitRadius = 25;
    FontSize = 16;
    WindowLayout = 2.5F;
    KeepStation = QStringLiteral(" 2 ");
    Setting6Text = QStringLiteral("現場 A");
    DiagZoom = 1;
    GpsWaitMsg = 1;
    SxfTextH = 2.5F;
    SxfMarkH = 0.1F;
    SxfPointTextH = 12345.67F;
    BackupMinutes = 0;
    SxfMarkMode = 1;
    TxtSplit = 0;
    TxtLineEdit = 0;
    BackToAdd = 2;
    Setting17 = 4;
    WembraOff = 0;
    ZoneNo = 9;
    TileScreens = 12;
    SlideFactor = 0.5F;
    GsiOffline = 1;
    DblClickInput = 1;
    PointLimit = 123456;
    TxtLimit = 77;
    CollectorSdl = 1;
    KintabAuto = 1;
    SelOnly = 1;
    TxtLineShow[4] = 1;
    KakuchiAttrShow[7] = 1;
    VarFont = 0;
    RecordMain = 1;
    KeepView = 1;
    FillSelected = 9;
    ASSERT_EQ(SaveSettings().path, sitePath(QStringLiteral("tavelcor.jkn")));
    const QByteArray written = siteBytes(QStringLiteral("tavelcor.jkn"));
    resetKeepingFolders();
    EXPECT_EQ(LoadSettings().linesRead, 56);
    EXPECT_EQ(HitRadius, 25);
    EXPECT_EQ(FontSize, 16);
    EXPECT_EQ(WindowLayout, 2.5F);
    EXPECT_EQ(KeepStation, QStringLiteral("2"));
    EXPECT_EQ(Setting6Text, QStringLiteral("現場 A"));
    EXPECT_EQ(DiagZoom, 1);
    EXPECT_EQ(GpsWaitMsg, 1);
    EXPECT_EQ(SxfTextH, 2.5F);
    EXPECT_EQ(SxfMarkH, 0.1F);
    EXPECT_EQ(SxfPointTextH, 12345.67F);
    EXPECT_EQ(BackupMinutes, 0);
    EXPECT_EQ(SxfMarkMode, 1);
    EXPECT_EQ(TxtSplit, 0);
    EXPECT_EQ(TxtLineEdit, 0);
    EXPECT_EQ(BackToAdd, 2);
    EXPECT_EQ(Setting17, 4);
    EXPECT_EQ(WembraOff, 0);
    EXPECT_EQ(ZoneNo, 9);
    EXPECT_EQ(TileScreens, 12);
    EXPECT_EQ(SlideFactor, 0.5F);
    EXPECT_EQ(GsiOffline, 1);
    EXPECT_EQ(DblClickInput, 1);
    EXPECT_EQ(PointLimit, 123456);
    EXPECT_EQ(TxtLimit, 77);
    EXPECT_EQ(CollectorSdl, 1);
    EXPECT_EQ(KintabAuto, 1);
    EXPECT_EQ(SelOnly, 1);
    EXPECT_EQ(TxtLineShow[4], 1);
    EXPECT_EQ(KakuchiAttrShow[7], 1);
    EXPECT_EQ(VarFont, 0);
    EXPECT_EQ(RecordMain, 1);
    EXPECT_EQ(KeepView, 1);
    EXPECT_EQ(FillSelected, 9);
    ASSERT_EQ(SaveSettings().outcome, WriteOutcome::Written);
    EXPECT_EQ(siteBytes(QStringLiteral("tavelcor.jkn")), written);
}

// A text setting holding a comma or a line break would split its line and
// move every later value; the writer makes them "_" and a blank.
TEST_F(SettingsFile, TextSettingsStayOneItem)
{
    Setting6Text = QStringLiteral("a,b\r\nc");
    DiagZoom = 1;
    ASSERT_EQ(SaveSettings().outcome, WriteOutcome::Written);
    resetKeepingFolders();
    ASSERT_EQ(LoadSettings().linesRead, 56);
    EXPECT_EQ(Setting6Text, QStringLiteral("a_b c"));
    EXPECT_EQ(DiagZoom, 1);
}

TEST_F(SettingsFile, WembraTimerIsSwitchedOnAfterWritingWhenTheLinkIsUsed)
{
    int switchedOn = 0;
    const auto timer = [&switchedOn] { ++switchedOn; };
    WembraOff = 1;
    ASSERT_EQ(SaveSettings(timer).outcome, WriteOutcome::Written);
    EXPECT_EQ(switchedOn, 0);
    WembraOff = 0;
    ASSERT_EQ(SaveSettings(timer).outcome, WriteOutcome::Written);
    EXPECT_EQ(switchedOn, 1);
    ASSERT_TRUE(QFile::remove(workPath(QStringLiteral("tavelcor.jkn"))));
    ASSERT_TRUE(QDir(mWork.path()).mkdir(QStringLiteral("tavelcor.jkn")));  // in the way
    EXPECT_EQ(SaveSettings(timer).outcome, WriteOutcome::Failed);
    EXPECT_EQ(switchedOn, 1) << "no timer after a failed write";
}

}  // namespace
}  // namespace tavelcor
