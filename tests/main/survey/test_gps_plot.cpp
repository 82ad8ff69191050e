// SPDX-License-Identifier: LicenseRef-Tavelcor
// The track drawing over the plot, the marker, follow mode and the GPS
// window's switches and track colour.
#include "field_link_fixture.h"

#include "main/render/color_picker.h"
#include "main/site/tables.h"
#include "platform/canvas/colors.h"

namespace tavelcor::fieldlinktest {
namespace {

const std::uint32_t kYellow = platform::QBColor(14);

class GpsPlot : public FieldLinkTest {
protected:
    static void store(std::initializer_list<std::pair<float, float>> positions)
    {
        int n = 0;
        for (const auto& [north, east] : positions) {
            ++n;
            GpsX[n] = north;
            GpsY[n] = east;
        }
        GpsCount = n;
    }
};

TEST_F(GpsPlot, OnePositionPlacesOnlyTheMarker)
{
    Plot& w = shownPlot();
    w.Check7.setValue(1);
    store({{10.0F, -20.0F}});
    Gpsplot(w);
    const double s = ViewSpanY / w.Picture1.Width();
    // The marker's corner stands to the pixel (15 twips).
    EXPECT_NEAR(w.Image1.Top(), -10.0 - 200.0 * s, 15.0 * s);
    EXPECT_NEAR(w.Image1.Left(), -20.0 - 200.0 * s, 15.0 * s);
    EXPECT_NE(colorAt(10.0, -20.0), kYellow);
}

TEST_F(GpsPlot, TheTrackIsDrawnInItsColourWithAGapAfterAJump)
{
    Plot& w = shownPlot();
    w.Check7.setValue(1);
    // 1 -> 2 a short segment, 2 -> 3 a jump of 1000 m (left out), 3 -> 4
    // crosses the view with both ends outside.
    store({{0.0F, -30.0F}, {0.0F, -10.0F}, {0.0F, 990.0F}, {-100.0F, 25.0F}, {100.0F, 25.0F}});
    GpsCount = 4;
    Gpsplot(w);
    EXPECT_EQ(colorAt(0.0, -20.0), kYellow);
    EXPECT_NE(colorAt(0.0, 20.0), kYellow) << "the jump leaves a gap";
    GpsCount = 5;
    Gpsplot(w);
    EXPECT_EQ(colorAt(0.0, 25.0), kYellow) << "a segment across the view is drawn";
    EXPECT_EQ(w.Picture1.canvas().DrawWidth(), 1);
}

TEST_F(GpsPlot, WithoutTrackShownNothingIsDrawn)
{
    Plot& w = shownPlot();
    w.Check7.setValue(0);
    store({{0.0F, -30.0F}, {0.0F, -10.0F}});
    Gpsplot(w);
    EXPECT_NE(colorAt(0.0, -20.0), kYellow);
}

struct FollowRow {
    int tileScreens;
    double offset;  // east of the centre, in parts of the view's east span
    bool recentres;
};

TEST_F(GpsPlot, FollowModeRecentresBeyondAPartOfTheSpan)
{
    const FollowRow rows[] = {{2, 0.049, false}, {2, 0.051, true}, {5, 0.051, false}, {5, 0.199, false}, {5, 0.201, true}};
    Plot& w = shownPlot();
    w.Check11.setValue(1);
    for (const FollowRow& row : rows) {
        SCOPED_TRACE(row.tileScreens);
        SCOPED_TRACE(row.offset);
        const double offsetM = row.offset * ViewSpanY;
        ViewCX = kOriginX;
        ViewCY = kOriginY;
        TileScreens = static_cast<std::uint8_t>(row.tileScreens);
        store({{0.0F, static_cast<float>(offsetM)}});
        redraws = 0;
        Gpsplot(w);
        EXPECT_EQ(ViewCY != kOriginY, row.recentres);
        EXPECT_EQ(redraws, row.recentres ? 1 : 0);
        if (row.recentres) {
            EXPECT_DOUBLE_EQ(ViewCY, kOriginY + static_cast<float>(offsetM));
        }
    }
}

TEST_F(GpsPlot, TickingFollowInTheGpsWindowWaitsForTheNextDrawing)
{
    Plot& w = shownPlot();
    store({{0.0F, 40.0F}});
    gpsWindow().Check3.setValue(1);
    EXPECT_EQ(w.Check11.Value(), 1);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY);
    Gpsplot(w);
    EXPECT_DOUBLE_EQ(ViewCY, kOriginY + 40.0);
}

TEST_F(GpsPlot, TheGpsWindowMirrorsTheSwitchesAndTheTrackColourRedraws)
{
    Plot& w = shownPlot();
    w.Check7.setValue(1);
    w.Check11.setValue(0);
    store({{0.0F, -30.0F}, {0.0F, -10.0F}});
    Gpsplot(w);
    ASSERT_EQ(colorAt(0.0, -20.0), kYellow);
    script().expectModal([](platform::ModalWindow&) {
        GPS& g = gpsWindow();
        EXPECT_EQ(g.Check1.Value(), 0);
        EXPECT_EQ(g.Check2.Value(), 1);
        EXPECT_EQ(g.Check3.Value(), 0);
        EXPECT_EQ(g.Command1.BackColor(), kYellow);
        g.Command1.setValue(true);
        EXPECT_EQ(GpsColor, 12);
        EXPECT_EQ(g.Command1.BackColor(), platform::QBColor(12));
        g.Command2.setValue(true);
    }, QStringLiteral("GPS表示"));
    script().expectModal([](platform::ModalWindow&) {
        Color& chooser = colorPicker();
        chooser.Option14(12).setValue(true);
        chooser.Command1.setValue(true);
    });
    redraws = 0;
    w.Command54.setValue(true);
    EXPECT_EQ(redraws, 1);
    EXPECT_NE(colorAt(0.0, -20.0), kYellow) << "the redraw wipes the track until the next drawing";
    EXPECT_FALSE(gpsForm().isLoaded());
}

}  // namespace
}  // namespace tavelcor::fieldlinktest
