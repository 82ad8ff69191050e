// SPDX-License-Identifier: LicenseRef-Tavelcor
// The redraw through the spatial index against the walk over every table:
// the same picture and the same kept values on a full-size site at many
// windows, and on small sites the index follows the tables, so that items
// added or moved after a redraw are drawn by the next one.
#include "plot_fixture.h"

#include "bench/full_size_site.h"
#include "main/render/site_index.h"

#include <QImage>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace tavelcor::render::testing_support {
namespace {

using Use = SiteIndex::Use;

// What one redraw leaves behind besides its picture.
struct Outcome {
    QImage picture;
    std::int32_t coordCount = 0;
    std::int32_t labelCount = 0;
    std::int16_t pointFontSize = 0;
    float textScale = 0.0F;
    std::vector<std::uint8_t> pens;
    QString scaleCaption;
    // The picture's settings as the redraw leaves them.
    std::uint32_t foreColor = 0, fillColor = 0;
    int drawWidth = 0;
    double fontSize = 0.0;
};

struct Window {
    const char* name;
    double centrePX, centrePY, span;
};

// The benchmarks' full-size site with awkward items: selected parcels and texts, deleted
// points, hidden colours, pen codes to mend, positions that are no numbers.
class FullSiteIndexTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        resetTables();
        LoadingFlag = 0;
        OriginX = -30000;
        OriginY = 20000;
        benchsupport::buildFullSiteParcels(9000.0);
        benchsupport::buildFullSiteItems(9000.0);
        KakuchiSel[4000] = 1;     // a selected parcel near the middle
        KakuchiSel[32000] = 1;
        KakuchiName[4001] = QStringLiteral("type open");
        KakuchiLabelX[4002] += 300.0F;  // its label point off the parcel
        for (int i = 7; i <= kPointTop; i += 997)
            PointMark[i] = 105;   // deleted
        for (int i = 11; i <= kLineTop; i += 13)
            LineColor[i] = 120;   // deleted
        LineColorShown[9] = 0;    // the blue lines are hidden
        TxtSel[17] = 1;
        TxtColor[18] = 100;
        // Pen codes to mend: an end followed by continuations and by an
        // end, a deleted vertex after an end.
        for (int i = 150; i <= kTegakiTop; i += 1000) {
            TegakiPen[i] = 3;
            TegakiPen[i + 1] = 2;
        }
        TegakiPen[40050] = 3;
        TegakiPen[40051] = 3;
        TegakiPen[40150] = 3;
        TegakiPen[40151] = 0;
        // Positions that are no numbers are taken for inside by the walk.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        ZahyoX[499999] = nan;
        PointX[123] = nan;
        LineY2[456] = nan;
    }

    void SetUp() override
    {
        mPens.assign(std::as_const(TegakiPen).begin(), std::as_const(TegakiPen).end());
        mLabelX.assign(std::as_const(KakuchiLabelX).begin(), std::as_const(KakuchiLabelX).end());
    }

    void TearDown() override { siteIndex().setUse(Use::Auto); }

    // One redraw from the same start: a new picture, kept counts forgotten,
    // pen codes as the site has them.
    Outcome redraw(const Window& w, Use use)
    {
        face = plotWithSymbols(QSize(960, 540));
        siteIndex().setUse(use);
        renderState() = RenderState{};
        std::copy(mPens.begin(), mPens.end(), TegakiPen.begin());
        ViewCX = OriginX + w.centrePX;
        ViewCY = OriginY + w.centrePY;
        ViewSpanX = w.span;
        ViewSpanY = w.span;
        crtplot(*face);
        Outcome o;
        o.picture = face->picture().image().copy();
        o.coordCount = renderState().CoordCountKept;
        o.labelCount = renderState().LabelCountKept;
        o.pointFontSize = PointFontSize;
        o.textScale = TextScale;
        o.pens.assign(std::as_const(TegakiPen).begin(), std::as_const(TegakiPen).end());
        o.scaleCaption = face->scaleBar().label25Caption;
        const platform::Canvas& c = face->picture();
        o.foreColor = c.ForeColor();
        o.fillColor = c.FillColor();
        o.drawWidth = c.DrawWidth();
        o.fontSize = c.FontSize();
        EXPECT_TRUE(std::equal(mLabelX.begin(), mLabelX.end(), std::as_const(KakuchiLabelX).begin()))
            << w.name << ": label points are put back";
        return o;
    }

    void expectSame(const Window& w, const Outcome& walk, const Outcome& other, const char* how)
    {
        EXPECT_TRUE(walk.picture == other.picture) << w.name << ": the picture " << how;
        EXPECT_EQ(walk.coordCount, other.coordCount) << w.name << " " << how;
        EXPECT_EQ(walk.labelCount, other.labelCount) << w.name << " " << how;
        EXPECT_EQ(walk.pointFontSize, other.pointFontSize) << w.name << " " << how;
        EXPECT_EQ(walk.textScale, other.textScale) << w.name << " " << how;
        EXPECT_TRUE(walk.pens == other.pens) << w.name << ": the mended pen codes " << how;
        EXPECT_EQ(walk.scaleCaption, other.scaleCaption) << w.name << " " << how;
        EXPECT_EQ(walk.foreColor, other.foreColor) << w.name << " " << how;
        EXPECT_EQ(walk.fillColor, other.fillColor) << w.name << ": the fill colour " << how;
        EXPECT_EQ(walk.drawWidth, other.drawWidth) << w.name << " " << how;
        EXPECT_EQ(walk.fontSize, other.fontSize) << w.name << " " << how;
    }

    std::unique_ptr<StandalonePlot> face;
    std::vector<std::uint8_t> mPens;
    std::vector<float> mLabelX;
};

const Window kWindows[] = {
    {"whole site", 0, 0, 9450},
    {"100 m", 120, -340, 100},
    {"100 m over the selected parcel", -4500 + 22 * 49.45, -4500 + 35 * 49.45, 100},
    {"100 m at the north-east corner", 4450, 4450, 100},
    {"25 m", 1000, 1000, 25},
    {"300 m with the label search", -1200, 2200, 300},
    {"1 km", -2000, 1500, 1000},
    {"3 km", 1500, -1500, 3000},
    {"100 m, 100 km off the data", 100000, 0, 100},
};

TEST_F(FullSiteIndexTest, IndexedRedrawDrawsWhatTheWalkDraws)
{
    for (const Window& w : kWindows) {
        const Outcome walk = redraw(w, Use::Never);
        expectSame(w, walk, redraw(w, Use::Auto), "as the index pays");
        expectSame(w, walk, redraw(w, Use::Always), "through the index wherever it can");
        // A second redraw of the same window uses the grids as they are.
        expectSame(w, walk, redraw(w, Use::Always), "again");
    }
}

TEST_F(FullSiteIndexTest, ItemsMovedIntoAWindowAfterARedrawAreDrawnByTheNext)
{
    const Window w{"100 m", 120, -340, 100};
    redraw(w, Use::Always);  // every grid is built for this window
    // A point, a line, a text, a coordinate and a stroke vertex from far away
    // move into the window, as edits move them.
    PointX[200000] = 121;
    PointY[200000] = -341;
    PointMark[200000] = 1;
    LineX1[300000] = 110;
    LineY1[300000] = -350;
    LineX2[300000] = 130;
    LineY2[300000] = -330;
    LineColor[300000] = 12;
    TxtX[20000] = 125.0F;
    TxtY[20000] = -345.0F;
    ZahyoX[499000] = OriginX + 119;
    ZahyoY[499000] = OriginY - 339;
    TegakiX[500050] = 122.0F;
    TegakiY[500050] = -338.0F;
    const Outcome indexed = redraw(w, Use::Always);
    expectSame(w, redraw(w, Use::Never), indexed, "after the moves");
    // Undo them: the next redraw no longer draws them.
    PointX[200000] = 4000;
    LineX1[300000] = LineX2[300000] = -4000;
    TxtX[20000] = 4000.0F;
    ZahyoX[499000] = OriginX + 4000;
    TegakiX[500050] = 4000.0F;
    const Outcome back = redraw(w, Use::Always);
    expectSame(w, redraw(w, Use::Never), back, "after the moves were undone");
    EXPECT_FALSE(back.picture == indexed.picture);
}

// Small sites: the index follows the tables whatever code changes them.
class SiteIndexFollowsTest : public PlotFixture {};

TEST_F(SiteIndexFollowsTest, APointAddedOrMovedAfterARedrawIsDrawnByTheNext)
{
    face->setCheck(17, 0);  // symbols only
    const std::uint32_t blue = platform::QBColor(9);
    addPoint(QStringLiteral("P1"), {}, 0, 0, 1);
    crtplot(*face);
    const int one = countPixels(blue);
    ASSERT_GT(one, 0);
    const int moved = addPoint(QStringLiteral("P2"), {}, 90000, 90000, 1);  // far outside
    crtplot(*face);
    EXPECT_EQ(countPixels(blue), one) << "only P1 is drawn";
    PointX[moved] = 50;
    PointY[moved] = 100;
    crtplot(*face);
    EXPECT_EQ(countPixels(blue), 2 * one) << "the moved point is drawn";
    addPoint(QStringLiteral("P3"), {}, -50, -100, 1);
    crtplot(*face);
    EXPECT_EQ(countPixels(blue), 3 * one) << "the added point is drawn";
}

TEST_F(SiteIndexFollowsTest, AMovedCoordinateTakesItsParcelOutlineAlong)
{
    // A parcel far east of the view; one coordinate move brings a corner in.
    const int parcel = addSquare(10, 100, 1000, 120, 1020, QStringLiteral("1"));
    (void)parcel;
    crtplot(*face);
    const std::uint32_t grey = platform::QBColor(8);
    EXPECT_EQ(countPixels(grey), 0);
    ZahyoX[11] = OriginX + 0;
    ZahyoY[11] = OriginY + 0;
    ZahyoPX[11] = 0;
    ZahyoPY[11] = 0;
    crtplot(*face);
    EXPECT_GT(countPixels(grey), 50) << "the edges to the moved corner cross the view";
}

TEST_F(SiteIndexFollowsTest, AWriteThroughAnEarlierPointerCountsOnceTouched)
{
    face->setCheck(17, 0);
    double* xs = PointX.begin();
    double* ys = PointY.begin();
    const int i = addPoint(QStringLiteral("P"), {}, 90000, 90000, 1);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(9)), 0);
    xs[i] = 0;
    ys[i] = 0;
    PointX.touch();
    crtplot(*face);
    EXPECT_GT(countPixels(platform::QBColor(9)), 0);
}

TEST_F(SiteIndexFollowsTest, DroppingTheIndexBuildsItAgain)
{
    face->setCheck(17, 0);
    addPoint(QStringLiteral("P"), {}, 0, 0, 1);
    crtplot(*face);
    const int drawn = countPixels(platform::QBColor(9));
    ASSERT_GT(drawn, 0);
    dropSiteIndex();
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(9)), drawn);
}

}  // namespace
}  // namespace tavelcor::render::testing_support
