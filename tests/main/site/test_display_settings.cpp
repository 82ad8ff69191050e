// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/display_settings.h"
#include "main/site/site_messages.h"
#include "site_test_support.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>
#include <utility>
#include <vector>

namespace tavelcor {
namespace {

using platform::MsgResult;

class DisplaySettings : public testsupport::SiteFileTest {};

// ---- LINEWID.JKN --------------------------------------------------------------

TEST_F(DisplaySettings, MissingLineWidthsGiveTheDefaultWidths)
{
    LineWidthOf[3] = 9;
    LineWidthOf[8] = 9;
    EXPECT_EQ(LoadLineWidths(), ReadOutcome::Missing);
    EXPECT_EQ(LineWidthOf[3], 2);
    EXPECT_EQ(LineWidthOf[8], 1);
}

TEST_F(DisplaySettings, LineWidthsAreReadUntilTheEndOfTheFile)
{
    writeSiteLines(QStringLiteral("linewid.jkn"), {"1", "3,4", " 5 ", "2.5"});
    ASSERT_EQ(LoadLineWidths(), ReadOutcome::Ok);
    EXPECT_EQ(LineWidthOf[0], 1);
    EXPECT_EQ(LineWidthOf[1], 3) << "a comma separates values too";
    EXPECT_EQ(LineWidthOf[2], 4);
    EXPECT_EQ(LineWidthOf[3], 5);
    EXPECT_EQ(LineWidthOf[4], 2) << "2.5 rounds to the even 2";
    EXPECT_EQ(LineWidthOf[5], 2) << "not in the file: unchanged";
}

TEST_F(DisplaySettings, LineWidthsPastTheTableAreNotRead)
{
    QStringList lines;
    for (int c = 0; c < 30; ++c)
        lines.append(QString::number(c % 10));
    writeSiteLines(QStringLiteral("LINEWID.JKN"), lines);
    ASSERT_EQ(LoadLineWidths(), ReadOutcome::Ok);
    EXPECT_EQ(LineWidthOf[16], 6);
}

TEST_F(DisplaySettings, AWidthThatIsNoByteIsRefused)
{
    writeSiteLines(QStringLiteral("LINEWID.JKN"), {"3", "300", "4"});
    mScript->expectMessage(MsgResult::Ok, outOfRangeMessage(QStringLiteral("LINEWID.JKN"), u"300"));
    EXPECT_EQ(LoadLineWidths(), ReadOutcome::Ok);
    EXPECT_EQ(LineWidthOf[0], 3);
    EXPECT_EQ(LineWidthOf[1], 2) << "the refused value is not stored";
    EXPECT_EQ(LineWidthOf[2], 2) << "nothing after it is read";
}

TEST_F(DisplaySettings, LineWidthsWriteAndReadBack)
{
    for (int c = 0; c <= 16; ++c)
        LineWidthOf[c] = static_cast<std::uint8_t>(c);
    ASSERT_EQ(SaveLineWidths().outcome, WriteOutcome::Written);
    QStringList expected;
    for (int c = 0; c < 15; ++c)
        expected.append(QString::number(c));
    EXPECT_EQ(siteLines(QStringLiteral("LINEWID.JKN")), expected);
    LineWidthOf[7] = 0;
    ASSERT_EQ(LoadLineWidths(), ReadOutcome::Ok);
    EXPECT_EQ(LineWidthOf[7], 7);
}

// ---- COLSELECT.JKN ------------------------------------------------------------

TEST_F(DisplaySettings, ThreeFlagFormLeavesTheHandStrokeFlags)
{
    copyFixture(QStringLiteral("colselect_three_flags"));
    TegakiColorShown[12] = 0;
    ASSERT_EQ(LoadColorSelect(), ReadOutcome::Ok);
    EXPECT_EQ(PointColorShown[12], 0);
    EXPECT_EQ(PointColorShown[11], 1);
    EXPECT_EQ(LineColorShown[9], 0);
    EXPECT_EQ(TxtColorShown[4], 0);
    EXPECT_EQ(TxtColorShown[14], 1);
    EXPECT_EQ(TegakiColorShown[12], 0) << "unchanged";
    EXPECT_EQ(TegakiColorShown[4], 1);
}

TEST_F(DisplaySettings, ColourFlagsWriteAndReadBackWithFourPerColour)
{
    PointColorShown[2] = 0;
    LineColorShown[3] = 0;
    TxtColorShown[13] = 0;
    TegakiColorShown[14] = 0;
    ASSERT_EQ(SaveColorSelect().outcome, WriteOutcome::Written);
    const QStringList lines = siteLines(QStringLiteral("COLSELECT.JKN"));
    ASSERT_EQ(lines.size(), 60);
    EXPECT_EQ(lines.mid(8, 4), QStringList({"0", "1", "1", "1"}));
    EXPECT_EQ(lines.mid(56, 4), QStringList({"1", "1", "1", "0"}));
    resetKeepingFolders();
    ASSERT_EQ(LoadColorSelect(), ReadOutcome::Ok);
    EXPECT_EQ(PointColorShown[2], 0);
    EXPECT_EQ(LineColorShown[3], 0);
    EXPECT_EQ(TxtColorShown[13], 0);
    EXPECT_EQ(TegakiColorShown[14], 0);
    EXPECT_EQ(TegakiColorShown[13], 1);
}

TEST_F(DisplaySettings, MissingColourFileKeepsTheFlags)
{
    PointColorShown[5] = 0;
    EXPECT_EQ(LoadColorSelect(), ReadOutcome::Missing);
    EXPECT_EQ(PointColorShown[5], 0);
}

// ---- HAIKEI.JKN ---------------------------------------------------------------

// Records what the background window was asked to do.
class FakeBackgroundWindow final : public BackgroundWindow {
public:
    void loadUserRaster(int n, const QString& path) override
    {
        loads.emplace_back(n, path);
        autoLoadSeen = HaikeiAutoLoad;
        Haikei1Code = static_cast<std::uint8_t>(n);  // as the window's raster button does
    }
    void unload() override { ++unloads; }

    std::vector<std::pair<int, QString>> loads;
    int autoLoadSeen = -1;
    int unloads = 0;
};

TEST_F(DisplaySettings, BackgroundSettingsLoadTheRastersThatExist)
{
    const QString def1 = sitePath(QStringLiteral("one.AR2"));
    const QString def3 = sitePath(QStringLiteral("three.AR2"));
    writeSiteLines(QStringLiteral("one.AR2"), {"a.bmp,0,0,1,1"});
    writeSiteLines(QStringLiteral("three.AR2"), {"b.bmp,0,0,1,1"});
    writeSiteLines(QStringLiteral("HAIKEI.JKN"), {"7", "3", "0", "5", "-1", "2.5", "1", "6", def1,
                                                  sitePath(QStringLiteral("gone.AR2")), def3, " 5 ", " 2 "});
    FakeBackgroundWindow window;
    ASSERT_EQ(LoadBackgroundSettings(&window), ReadOutcome::Ok);
    EXPECT_EQ(HaikeiBright[1], 0) << "7 is outside 0..5";
    EXPECT_EQ(HaikeiBright[2], 3);
    EXPECT_EQ(HaikeiBright[4], 5);
    EXPECT_EQ(HaikeiBright[5], 0);
    EXPECT_EQ(HaikeiBright[6], 2);
    EXPECT_EQ(HaikeiBright[8], 0);
    EXPECT_EQ(window.loads, (std::vector<std::pair<int, QString>>{{1, def1}, {3, def3}}));
    EXPECT_EQ(window.autoLoadSeen, 1);
    EXPECT_EQ(HaikeiDef[1], QString()) << "a definition that is gone is forgotten";
    EXPECT_EQ(HaikeiDef[2], def3);
    EXPECT_EQ(Haikei1Code, 5) << "the file's codes come after the rasters";
    EXPECT_EQ(Haikei2Code, 2);
    EXPECT_EQ(window.unloads, 1);
    EXPECT_EQ(HaikeiAutoLoad, 0);
}

// Makes path the process's current folder until the object goes.
class ScopedCurrentFolder {
public:
    explicit ScopedCurrentFolder(const QString& path) : mOld(QDir::currentPath())
    {
        mChanged = QDir::setCurrent(path);
    }
    ~ScopedCurrentFolder() { QDir::setCurrent(mOld); }
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;
    bool changed() const { return mChanged; }

private:
    QString mOld;
    bool mChanged = false;
};

// A definition stored under another drive is looked for below the site
// folder's root. The site lies at "drive/genba/", relative to the current
// folder, so its root is "drive/" (as "E:\" is of "E:\genba\"), whatever
// the temporary folder's path: the stored "C:\rasters\moved.AR2" is found
// as "drive/rasters/moved.AR2".
TEST_F(DisplaySettings, ADefinitionMovedToTheSiteRootIsFound)
{
    const ScopedCurrentFolder here(sitePath(QString()));
    ASSERT_TRUE(here.changed());
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("drive/genba")));
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("drive/rasters")));
    ASSERT_TRUE(testsupport::writeBytes(QStringLiteral("drive/rasters/moved.AR2"),
                                        testsupport::cp932Lines({"a.bmp,0,0,1,1"})));
    SiteFolder = QStringLiteral("drive/genba/");
    ASSERT_TRUE(testsupport::writeBytes(QStringLiteral("drive/genba/HAIKEI.JKN"),
                                        testsupport::cp932Lines({"0", "0", "0", "0", "0", "0", "0", "0",
                                                                 "C:\\rasters\\moved.AR2", "", "", " 1 ",
                                                                 " 0 "})));
    FakeBackgroundWindow window;
    ASSERT_EQ(LoadBackgroundSettings(&window), ReadOutcome::Ok);
    const QString moved = QStringLiteral("drive/rasters/moved.AR2");
    EXPECT_EQ(window.loads, (std::vector<std::pair<int, QString>>{{1, moved}}));
    EXPECT_EQ(HaikeiDef[0], moved) << "the found path is kept for the next save";
}

TEST_F(DisplaySettings, MissingBackgroundFileKeepsTheTables)
{
    HaikeiAutoLoad = 1;
    Haikei1Code = 6;
    EXPECT_EQ(LoadBackgroundSettings(), ReadOutcome::Missing);
    EXPECT_EQ(HaikeiAutoLoad, 0);
    EXPECT_EQ(Haikei1Code, 6);
}

TEST_F(DisplaySettings, AShortBackgroundFileSetsWhatItHolds)
{
    Haikei1Code = 6;
    writeSiteLines(QStringLiteral("HAIKEI.JKN"), {"1", "2"});
    ASSERT_EQ(LoadBackgroundSettings(), ReadOutcome::Ok);
    EXPECT_EQ(HaikeiBright[2], 2);
    EXPECT_EQ(Haikei1Code, 6);
}

TEST_F(DisplaySettings, ALayerCodeOutsideTheLayersIsRefused)
{
    Haikei1Code = 6;
    Haikei2Code = 7;
    writeSiteLines(QStringLiteral("HAIKEI.JKN"), {"0", "0", "0", "0", "0", "0", "0", "0", "", "", "", " 12 ", " 1 "});
    mScript->expectMessage(MsgResult::Ok, outOfRangeMessage(QStringLiteral("HAIKEI.JKN"), u"12"));
    ASSERT_EQ(LoadBackgroundSettings(), ReadOutcome::Ok);
    EXPECT_EQ(Haikei1Code, 6);
    EXPECT_EQ(Haikei2Code, 7);
}

TEST_F(DisplaySettings, BackgroundWriterLayoutAndRoundTrip)
{
    for (int layer = 1; layer <= 9; ++layer)
        HaikeiBright[layer] = static_cast<std::uint8_t>(layer % 6);
    HaikeiDef[0] = sitePath(QStringLiteral("地図,1.AR2"));
    HaikeiDef[2] = QStringLiteral("C:\\maps\\b.AR2");
    Haikei1Code = 2;
    Haikei2Code = 5;
    ASSERT_EQ(SaveBackgroundSettings().outcome, WriteOutcome::Written);
    const QStringList lines = siteLines(QStringLiteral("HAIKEI.JKN"));
    EXPECT_EQ(lines, QStringList({"1", "2", "3", "4", "5", "0", "1", "2",
                                  u'"' + HaikeiDef[0] + u'"', "", "C:\\maps\\b.AR2", " 2 ", " 5 "}));
    writeSiteLines(QStringLiteral("地図,1.AR2"), {"a.bmp,0,0,1,1"});
    const QString expectedDef = HaikeiDef[0];
    resetKeepingFolders();
    FakeBackgroundWindow window;
    ASSERT_EQ(LoadBackgroundSettings(&window), ReadOutcome::Ok);
    EXPECT_EQ(HaikeiDef[0], expectedDef) << "the quoted path keeps its comma";
    EXPECT_EQ(HaikeiBright[5], 5);
    EXPECT_EQ(Haikei1Code, 2);
}

struct RelocationRow {
    const char* stored;
    const char* siteFolder;
    const char* expected;
};

void PrintTo(const RelocationRow& row, std::ostream* os)
{
    *os << '"' << row.stored << "\" in \"" << row.siteFolder << '"';
}

class RasterRelocation : public ::testing::TestWithParam<RelocationRow> {};

TEST_P(RasterRelocation, PutsTheStoredFoldersBelowTheSiteRoot)
{
    const RelocationRow row = GetParam();
    EXPECT_EQ(relocatedRasterPath(QString::fromUtf8(row.stored), QString::fromUtf8(row.siteFolder)),
              QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RasterRelocation,
    ::testing::Values(
        RelocationRow{"C:\\data\\maps\\a.AR2", "E:\\site\\", "E:\\data\\maps\\a.AR2"},
        RelocationRow{"C:\\data\\maps\\a.AR2", "\\\\server\\share\\site\\", "\\\\server\\data\\maps\\a.AR2"},
        RelocationRow{"C:\\ maps\\a.AR2 ", "E:\\s\\", "E:\\maps\\a.AR2"},
        RelocationRow{"C:\\12345678901234567890123456789012345678901234567890XYZ", "E:\\s\\",
                      "E:\\12345678901234567890123456789012345678901234567890"},
        RelocationRow{"C:\\maps\\a.AR2", "/home/u/site/", "/maps/a.AR2"},
        RelocationRow{"/media/old/maps/a.AR2", "//server/share/", "//server/media/old/maps/a.AR2"},
        RelocationRow{"a.AR2", "E:\\s\\", ""}));

}  // namespace
}  // namespace tavelcor
