// SPDX-License-Identifier: LicenseRef-Tavelcor
// The view fit with the site origin, the parcel presets and label points,
// and the saved view window, on hand-built tables.
#include "main/app/view_fit.h"
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tavelcor {
namespace {

class ViewFitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
    }

    static void coordinate(int n, double x, double y, const QString& name = QStringLiteral("C"))
    {
        ZahyoName[n] = name;
        ZahyoX[n] = x;
        ZahyoY[n] = y;
        ZahyoMax = std::max(ZahyoMax, n);
    }

    // A parcel over coordinate numbers; open figures carry the open name.
    static int parcel(const std::vector<int>& vertices, bool open = false)
    {
        const int p = ++KakuchiCount;
        const int first = p == 1 ? 1 : KakuchiLast[p - 1] + 1;
        for (std::size_t k = 0; k < vertices.size(); ++k)
            KakuchiVertex[first + static_cast<int>(k)] = vertices[k];
        KakuchiFirst[p] = first;
        KakuchiLast[p] = first + static_cast<int>(vertices.size()) - 1;
        KakuchiName[p] = open ? openFigureName() : QStringLiteral("P%1").arg(p);
        if (open)
            ++KakuchiOpenCount;
        return p;
    }
};

TEST_F(ViewFitTest, ExtentGrowsByTwoAndAHalfPercentAndCentresTheOrigin)
{
    coordinate(1, 1000.0, 2000.0);
    coordinate(5, 1200.0, 2100.0);
    coordinate(7, 1100.0, 1900.0);
    fitViewToCoordinates();
    EXPECT_DOUBLE_EQ(DataXMax, 1205.0);
    EXPECT_DOUBLE_EQ(DataXMin, 995.0);
    EXPECT_DOUBLE_EQ(DataYMax, 2105.0);
    EXPECT_DOUBLE_EQ(DataYMin, 1895.0);
    EXPECT_DOUBLE_EQ(ViewSpanX, 210.0);
    EXPECT_DOUBLE_EQ(ViewSpanY, 210.0);
    EXPECT_DOUBLE_EQ(FitSpanX, ViewSpanX);
    EXPECT_DOUBLE_EQ(ViewCX, 1100.0);
    EXPECT_DOUBLE_EQ(ViewCY, 2000.0);
    EXPECT_DOUBLE_EQ(OriginX, ViewCX);
    EXPECT_DOUBLE_EQ(OriginY, ViewCY);
    EXPECT_DOUBLE_EQ(PrevCX, ViewCX);
    EXPECT_DOUBLE_EQ(PrevSpanY, ViewSpanY);
}


// Coordinates read without X or Y stand at a made-up 0: left out, as seed
// (the highest number) or below it, they do not stretch the view to the
// zone origin.
TEST_F(ViewFitTest, CoordinatesWithoutAPlaceAreLeftOut)
{
    coordinate(1, -37000.0, -8000.0);
    coordinate(2, -37050.1, 0.0);  // its Y was missing
    coordinate(3, -37100.0, -7900.0);
    coordinate(4, 0.0, -8000.0);   // its X was missing
    fitViewToCoordinates({2, 4});
    EXPECT_DOUBLE_EQ(DataXMax, -37000.0 + 2.5);
    EXPECT_DOUBLE_EQ(DataXMin, -37100.0 - 2.5);
    EXPECT_DOUBLE_EQ(DataYMax, -7900.0 + 2.5);
    EXPECT_DOUBLE_EQ(DataYMin, -8000.0 - 2.5);
    EXPECT_DOUBLE_EQ(OriginX, -37050.0);
    EXPECT_DOUBLE_EQ(OriginY, -7950.0);
    // without the list they would count
    fitViewToCoordinates();
    EXPECT_DOUBLE_EQ(DataXMax, 0.0 + 0.025 * 37100.0);
}
TEST_F(ViewFitTest, FreeNumbersArePassedOverButTheSeedIsTakenWhateverItsName)
{
    coordinate(1, 10.0, 10.0);
    coordinate(2, 99999.0, 99999.0, freeZahyoName());
    coordinate(3, 0.0, 0.0, freeZahyoName());  // ZahyoMax: the seed
    DragZoomArmed = 1;
    fitViewToCoordinates();
    EXPECT_DOUBLE_EQ(DataXMax, 10.25);
    EXPECT_DOUBLE_EQ(DataXMin, -0.25);
    EXPECT_EQ(DragZoomArmed, 0);
}

// One absurd coordinate of a damaged file decided the origin: with 1e308 the
// extent became infinite and the origin not a number (the next save wrote
// blank X values); with 2e16 every other value lost its centimetres. It is
// left out, also as the seed.
TEST_F(ViewFitTest, ACoordinateThatCannotBeAPlaneCoordinateDoesNotDecideTheOrigin)
{
    const struct {
        const char* name;
        double x, y;
    } rows[] = {{"x 1e308", 1e308, 2000.0},  {"y -1e308", 1000.0, -1e308}, {"both huge", 1e308, -1e308},
                {"x 2e16", 2e16, 2000.0},    {"y 1e7 and a metre", 1000.0, 10000001.0},
                {"not a number", std::nan(""), 0.0}};
    for (const auto& row : rows) {
        for (const int absurd : {3, 9}) {  // 9 is the seed, ZahyoMax
            SCOPED_TRACE(std::string(row.name) + (absurd == 9 ? ", as the seed" : ""));
            resetTables();
            coordinate(1, 1000.0, 2000.0);
            coordinate(5, 1200.0, 2100.0);
            coordinate(7, 1100.0, 1900.0);
            coordinate(absurd, row.x, row.y);
            ZahyoMax = 9;
            if (absurd != 9)
                coordinate(9, 1150.0, 1950.0);
            fitViewToCoordinates();
            EXPECT_DOUBLE_EQ(OriginX, 1100.0);
            EXPECT_DOUBLE_EQ(OriginY, 2000.0);
            EXPECT_DOUBLE_EQ(ViewSpanX, 210.0);
            EXPECT_DOUBLE_EQ(ViewSpanY, 210.0);
        }
    }
}

TEST_F(ViewFitTest, OnlyImpossibleCoordinatesGiveThePointZero)
{
    coordinate(1, 1e300, -1e300);
    coordinate(2, -2e16, 3e16);
    fitViewToCoordinates();
    EXPECT_EQ(OriginX, 0.0);
    EXPECT_EQ(OriginY, 0.0);
    EXPECT_EQ(ViewSpanX, 0.0);
}

TEST_F(ViewFitTest, PlaneCoordinatesReachTenThousandKilometres)
{
    EXPECT_TRUE(isPlaneCoordinate(-10000000.0));
    EXPECT_TRUE(isPlaneCoordinate(10000000.0));
    EXPECT_FALSE(isPlaneCoordinate(10000000.01));
    EXPECT_FALSE(isPlaneCoordinate(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(isPlaneCoordinate(std::nan("")));
}

TEST_F(ViewFitTest, EmptyTableGivesThePointZeroAndNoSpan)
{
    ZahyoMax = 1;
    fitViewToCoordinates();
    EXPECT_DOUBLE_EQ(ViewSpanX, 0.0);
    EXPECT_DOUBLE_EQ(ViewSpanY, 0.0);
    EXPECT_DOUBLE_EQ(OriginX, 0.0);
    EXPECT_DOUBLE_EQ(OriginY, 0.0);
}

TEST_F(ViewFitTest, PlotCoordinatesOfNumbersInUse)
{
    coordinate(1, 110.0, 220.0);
    coordinate(2, 5.0, 5.0, QStringLiteral(" _?> "));
    OriginX = 100.0;
    OriginY = 200.0;
    setPlotCoordinates();
    EXPECT_DOUBLE_EQ(ZahyoPX[1], 10.0);
    EXPECT_DOUBLE_EQ(ZahyoPY[1], 20.0);
    EXPECT_DOUBLE_EQ(ZahyoPX[2], 0.0);  // free after trimming: untouched
}

TEST_F(ViewFitTest, PresetsFollowTheParcels)
{
    const struct {
        const char* name;
        int closed;
        int open;
        bool numbers;
        bool names;
        bool hide;
    } rows[] = {
        {"none", 0, 0, false, false, true},
        {"one closed", 1, 0, true, true, false},
        {"one open", 0, 1, false, false, true},
        {"one closed, one open", 1, 1, false, true, false},
        {"two closed", 2, 0, false, false, false},
        {"two open", 0, 2, false, false, true},
    };
    for (const auto& row : rows) {
        KakuchiCount = static_cast<std::int16_t>(row.closed + row.open);
        KakuchiOpenCount = row.open;
        const ParcelPresets presets = parcelPresets();
        EXPECT_EQ(presets.tickNumbers, row.numbers) << row.name;
        EXPECT_EQ(presets.tickNames, row.names) << row.name;
        EXPECT_EQ(presets.hideParcelControls, row.hide) << row.name;
    }
}

TEST_F(ViewFitTest, ConvexParcelIsLabelledAtItsCentroid)
{
    coordinate(1, 0.0, 0.0);
    coordinate(2, 0.0, 10.0);
    coordinate(3, 6.0, 10.0);
    coordinate(4, 6.0, 0.0);
    setPlotCoordinates();
    parcel({1, 2, 3, 4});
    placeParcelLabels();
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 3.0F);
    EXPECT_FLOAT_EQ(KakuchiLabelY[1], 5.0F);
}

// Label points of parcels whose centroid lies outside them (x north, y
// east); expected values worked out by hand from the centroid and the
// vertex distances.
TEST_F(ViewFitTest, ParcelWhoseCentroidIsOutsideFallsBackToVertexMidpoints)
{
    const struct {
        const char* name;
        std::vector<std::pair<double, double>> corners;
        float labelX;
        float labelY;
    } rows[] = {
        // an L with arms 2 wide: centroid (3.22, 3.22); nearest the inner
        // corner (2, 2), then (0, 0): their midpoint lies inside
        {"L", {{0, 0}, {0, 10}, {2, 10}, {2, 2}, {10, 2}, {10, 0}}, 1.0F, 1.0F},
        // a V notch from the north: centroid (3.56, 5) in the notch; nearest
        // the notch's tip (3, 5), then (0, 0), which is not its neighbour
        {"V notch", {{0, 0}, {0, 10}, {10, 10}, {3, 5}, {10, 0}}, 1.5F, 2.5F},
        // a square ring cut by a slit from the north: centroid in the hole;
        // the two nearest vertices face each other across the slit, so
        // their midpoint is outside; the label goes between the nearest
        // vertex (8, -0.5) and the one before it in the list (10, -0.5)
        {"slit ring",
         {{10, 0.5}, {10, 10}, {-10, 10}, {-10, -10}, {10, -10}, {10, -0.5},
          {8, -0.5}, {8, -8}, {-8, -8}, {-8, 8}, {8, 8}, {8, 0.5}},
         9.0F, -0.5F},
    };
    for (const auto& row : rows) {
        resetTables();
        std::vector<int> vertices;
        for (const auto& [x, y] : row.corners) {
            const int n = static_cast<int>(vertices.size()) + 1;
            coordinate(n, x, y);
            vertices.push_back(n);
        }
        setPlotCoordinates();
        parcel(vertices);
        placeParcelLabels();
        EXPECT_NEAR(KakuchiLabelX[1], row.labelX, 1e-5) << row.name;
        EXPECT_NEAR(KakuchiLabelY[1], row.labelY, 1e-5) << row.name;
    }
}

TEST_F(ViewFitTest, ParcelWithoutVerticesKeepsTheCentroid)
{
    coordinate(1, 5.0, 5.0);
    setPlotCoordinates();
    KakuchiCount = 1;
    KakuchiFirst[1] = 1;
    KakuchiLast[1] = 0;
    KakuchiLabelX[1] = 99.0F;
    placeParcelLabels();
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 0.0F);
    EXPECT_FLOAT_EQ(KakuchiLabelY[1], 0.0F);
}

TEST_F(ViewFitTest, SavedWindowIsAppliedOnlyWhenAskedAndNotFlat)
{
    OriginX = 1000.0;
    OriginY = 2000.0;
    ViewSpanX = 7.0;
    const SignFileWindow window{-45.0F, -20.0F, 45.0F, 20.0F};
    KeepView = 0;
    EXPECT_EQ(applySavedView(window), SavedView::NotApplied);
    KeepView = 1;
    EXPECT_EQ(applySavedView(std::nullopt), SavedView::NotApplied);
    EXPECT_EQ(applySavedView(SignFileWindow{5.0F, 5.0F, 45.0F, 20.0F}), SavedView::NotApplied);
    EXPECT_EQ(applySavedView(SignFileWindow{-45.0F, -20.0F, 20.0F, 20.0F}), SavedView::NotApplied);
    EXPECT_DOUBLE_EQ(ViewSpanX, 7.0);

    ASSERT_EQ(applySavedView(window), SavedView::Applied);
    EXPECT_DOUBLE_EQ(ViewSpanY, 117.0);
    EXPECT_DOUBLE_EQ(ViewSpanX, 40.0);
    EXPECT_DOUBLE_EQ(ViewCY, 2013.5);
    EXPECT_DOUBLE_EQ(ViewCX, 1000.0);
}

TEST_F(ViewFitTest, SavedWindowWidensTowardsTheLargerX)
{
    KeepView = 1;
    ASSERT_EQ(applySavedView(SignFileWindow{10.0F, 0.0F, 0.0F, -4.0F}), SavedView::Applied);
    // left is the larger x: it moves out by 30 % of the width
    EXPECT_DOUBLE_EQ(ViewSpanY, 13.0);
    EXPECT_DOUBLE_EQ(ViewCY, 6.5);
    EXPECT_DOUBLE_EQ(ViewCX, 2.0);
}

TEST_F(ViewFitTest, TinySavedWindowGetsTheSmallestNorthExtent)
{
    KeepView = 1;
    const struct {
        float height;
        SavedView result;
        double spanX;
    } rows[] = {{0.1F, SavedView::AppliedAtFloor, 0.12}, {0.2F, SavedView::Applied, 0.2}};
    for (const auto& row : rows) {
        const SignFileWindow window{0.02F, 0.0F, 0.12F, row.height};
        EXPECT_EQ(applySavedView(window), row.result) << row.height;
        EXPECT_NEAR(ViewSpanX, row.spanX, 1e-6) << row.height;
        EXPECT_NEAR(ViewSpanY, 0.13, 1e-6) << row.height;
    }
}

}  // namespace
}  // namespace tavelcor
