// SPDX-License-Identifier: LicenseRef-Tavelcor
// The arithmetic of the raster placement by two points: the preview of a
// bitmap over the view, the placement about A, the rotation's text and
// warning, the definition file's path and line, and the choice of the
// picked points among the observation points.
#include "main/background/raster_placement.h"

#include "main/site/tables.h"
#include "platform/text/cp932.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

TEST(RasterPreview, TwoToOneBitmapFillsTheViewWidthFromItsTopLeftCorner)
{
    // A view centred at (50, 100), 100 m north by 200 m east.
    const std::optional<RasterRect> rect = previewForBitmap(QSize(400, 200), {50.0, 100.0, 100.0, 200.0});
    ASSERT_TRUE(rect);
    EXPECT_DOUBLE_EQ(rect->xMin, 0.0);
    EXPECT_DOUBLE_EQ(rect->xMax, 100.0);
    EXPECT_DOUBLE_EQ(rect->yMin, 0.0);
    EXPECT_DOUBLE_EQ(rect->yMax, 200.0);
}

TEST(RasterPreview, TwoToOneBitmapInASquareViewTakesHalfItsHeight)
{
    const std::optional<RasterRect> rect = previewForBitmap(QSize(200, 100), {0.0, 0.0, 100.0, 100.0});
    ASSERT_TRUE(rect);
    EXPECT_DOUBLE_EQ(rect->xMax, 50.0);
    EXPECT_DOUBLE_EQ(rect->xMin, 0.0);
    EXPECT_DOUBLE_EQ(rect->yMin, -50.0);
    EXPECT_DOUBLE_EQ(rect->yMax, 50.0);
}

TEST(RasterPreview, EmptyBitmapOrViewGivesNone)
{
    EXPECT_FALSE(previewForBitmap(QSize(0, 10), {0.0, 0.0, 100.0, 100.0}));
    EXPECT_FALSE(previewForBitmap(QSize(10, 10), {0.0, 0.0, 0.0, 100.0}));
}

// The preview X 0..100, Y 0..200; A picked at plot (50, 50), B at (50, 150).
PlacementInput placementOf(float ax, float ay, float bx, float by)
{
    PlacementInput in;
    in.preview = {0.0, 0.0, 100.0, 200.0};
    in.pickedAX = 50.0;
    in.pickedAY = 50.0;
    in.pickedBX = 50.0;
    in.pickedBY = 150.0;
    in.trueAX = ax;
    in.trueAY = ay;
    in.trueBX = bx;
    in.trueBY = by;
    return in;
}

TEST(RasterPlacement, DoubleScaleWithoutRotationMovesAOntoItsTruePlace)
{
    const std::optional<PlacementResult> r = placeByTwoPoints(placementOf(1050, 1050, 1050, 1250));
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->rotationDeg, 0.0);
    EXPECT_NEAR(r->placed.xMin, 950.0, 0.01);
    EXPECT_NEAR(r->placed.yMin, 950.0, 0.01);
    EXPECT_NEAR(r->placed.xMax, 1150.0, 0.01);
    EXPECT_NEAR(r->placed.yMax, 1350.0, 0.01);
}

TEST(RasterPlacement, SameScaleAndNoRotationOnlyShifts)
{
    const std::optional<PlacementResult> r = placeByTwoPoints(placementOf(550, 50, 550, 150));
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->placed.xMin, 500.0, 1e-3);
    EXPECT_NEAR(r->placed.xMax, 600.0, 1e-3);
    EXPECT_NEAR(r->placed.yMin, 0.0, 1e-3);
    EXPECT_NEAR(r->placed.yMax, 200.0, 1e-3);
}

TEST(RasterPlacement, RotationTurnsOnlyTheCornerAboutA)
{
    // B' lies north of A': the true direction is 0, the picked one 90.
    const std::optional<PlacementResult> r = placeByTwoPoints(placementOf(0, 0, 100, 0));
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->rotationDeg, -90.0);
    // The corner (50, -50) from A turned by -90 degrees: (-50, -50).
    EXPECT_NEAR(r->placed.xMax, -50.0, 1e-3);
    EXPECT_NEAR(r->placed.yMin, -50.0, 1e-3);
    // The image keeps its axes and its size.
    EXPECT_NEAR(r->placed.xMax - r->placed.xMin, 100.0, 1e-3);
    EXPECT_NEAR(r->placed.yMax - r->placed.yMin, 200.0, 1e-3);
}

TEST(RasterPlacement, PicksOnOneSpotAreRefused)
{
    PlacementInput in = placementOf(1050, 1050, 1050, 1250);
    in.pickedBX = in.pickedAX;
    in.pickedBY = in.pickedAY;
    EXPECT_FALSE(placeByTwoPoints(in));
}

TEST(RasterPlacement, RotationTextAndWarningLimit)
{
    const struct {
        double degrees;
        const char* text;
        bool warns;
    } rows[] = {
        {0.0, "  0.0000", false},
        {0.05, "  0.0500", false},
        {static_cast<double>(0.05F), "  0.0500", false},  // single-precision 0.05
        {-0.05, " -0.0500", false},
        {0.0501, "  0.0501", true},
        {-0.0501, " -0.0501", true},
        {359.99, "359.9900", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(rotationText(row.degrees), QString::fromLatin1(row.text)) << row.degrees;
        EXPECT_EQ(rotationWarns(row.degrees), row.warns) << row.degrees;
    }
}

TEST(RasterDefinitionPath, BesideTheBitmapNamedUpToTheFirstDot)
{
    const struct {
        const char* bitmap;
        const char* definition;
    } rows[] = {
        {"/data/site.east.bmp", "/data/site.AR2"},
        // The folder's name holds the bitmap's name: only the last part is cut.
        {"/data/site.east.bmp.d/site.east.bmp", "/data/site.east.bmp.d/site.AR2"},
        // A name without "." keeps the whole name.
        {"/data/scan", "/data/scan.AR2"},
        {"C:\\maps\\plan.BMP", "C:\\maps\\plan.AR2"},
        {"plan.bmp", "plan.AR2"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(definitionPathFor(QString::fromUtf8(row.bitmap)), QString::fromUtf8(row.definition)) << row.bitmap;
}

TEST(RasterDefinitionLine, NameAndFourCoordinatesWithAllTheirDigits)
{
    const RasterRect rect{950.0, -12.5, static_cast<double>(12345.67F), 1350.0};
    EXPECT_EQ(definitionLine(QStringLiteral("site.east.bmp"), rect),
              QByteArray("site.east.bmp,950,-12.5,12345.669921875,1350\r\n"));
    EXPECT_EQ(platform::fromCp932(definitionLine(QStringLiteral("図面.bmp"), {0, 0, 1, 1})),
              QStringLiteral("図面.bmp,0,0,1,1\r\n"));
}

// A bitmap name goes into the definition's line only when that line reads
// back as this very name: a comma would split it, a line break end the line,
// and a character without a CP932 form come back as another name.
TEST(RasterDefinitionLine, OnlyNamesThatReadBackAreWritable)
{
    const struct {
        const char* label;
        const char16_t* name;
        DefinitionNameFault fault;
    } rows[] = {
        {"plain", u"plan.bmp", DefinitionNameFault::None},
        {"japanese_and_blanks", u" 地図 第2版.bmp", DefinitionNameFault::None},
        {"comma", u"plan,2.bmp", DefinitionNameFault::Comma},
        {"comma_first", u",plan.bmp", DefinitionNameFault::Comma},
        {"line_feed", u"plan\n2.bmp", DefinitionNameFault::Unreadable},
        {"carriage_return", u"plan\r2.bmp", DefinitionNameFault::Unreadable},
        {"no_cp932_form", u"plan\u00e9.bmp", DefinitionNameFault::Unreadable},
        {"empty", u"", DefinitionNameFault::Unreadable},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(definitionNameFault(QString::fromUtf16(row.name)), row.fault);
    }
}

class PlacementPoints : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
    }
    static void point(int i, const char16_t* name, int mark)
    {
        PointName[i] = QString::fromUtf16(name);
        PointMark[i] = static_cast<std::uint8_t>(mark);
        PointCount = std::max(PointCount, i);
    }
};

TEST_F(PlacementPoints, LowestLiveIndexHoldsAndDeletedPointsAreIgnored)
{
    point(1, u"Ａ点", 103);  // deleted
    point(2, u"Ｂ点", 3);
    point(3, u"Ａ点", 3);
    point(4, u"Ａ点", 3);
    EXPECT_EQ(findPlacementPoint(QStringLiteral("Ａ点"), PointCount), 3);
    EXPECT_EQ(findPlacementPoint(QStringLiteral("Ｂ点"), PointCount), 2);
    // Beyond the count nothing is looked at.
    EXPECT_EQ(findPlacementPoint(QStringLiteral("Ａ点"), 2), 0);
    EXPECT_EQ(findPlacementPoint(QStringLiteral("Ｃ点"), PointCount), 0);
}

}  // namespace
}  // namespace tavelcor
