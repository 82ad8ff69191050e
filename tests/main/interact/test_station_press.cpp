// SPDX-License-Identifier: LicenseRef-Tavelcor
// Presses on the plot while the station frame is open: lines designate the
// station and back-sight (and, for the signal 993, the foresights), points
// and coordinates fill the field of the chosen option.
#include "interact_fixture.h"

#include "main/site/tables.h"
#include "platform/canvas/colors.h"

#include <cmath>

namespace tavelcor::interacttest {
namespace {

using render::testing_support::addLine;

const std::uint32_t kMagenta = platform::QBColor(13);

class StationPress : public InteractTest {
protected:
    Plot& stationFrame(int signal)
    {
        Plot& w = shownPlot();
        WembraValue = signal;
        openPanel(w.Frame13, &w.Option26);
        t = ViewSpanY * 100.0 / w.Picture1.Width();
        return w;
    }

    // P (1) at the origin, Q (2) 40 m north; the line runs from P to Q.
    void lineFromPToQ()
    {
        addPoint(1, QStringLiteral("P"), 0.0, 0.0);
        addPoint(2, QStringLiteral("Q"), 40.0, 0.0);
        addLine(0.0, 0.0, 40.0, 0.0, 9);
    }

    double t = 0.0;
};

TEST_F(StationPress, APressBesideALineDesignatesItsNearerEndAsTheStation)
{
    Plot& w = stationFrame(992);
    lineFromPToQ();
    pressAt(1, 24.0, 0.4 * t);
    EXPECT_EQ(w.Text11.Text(), QStringLiteral("Q"));
    EXPECT_EQ(w.Text12.Text(), QStringLiteral("P"));
    EXPECT_EQ(SightList[1], 2);
    EXPECT_EQ(SightList[2], 1);
    EXPECT_TRUE(w.Option26.Value());
    EXPECT_EQ(colorAt(10.0, 0.0), kMagenta) << "the line is marked";
    EXPECT_FALSE(w.Command51.Visible());
}

TEST_F(StationPress, OnlyTheStretchAfterTheFirstEndUpToTheSecondTakesTheLine)
{
    struct Row {
        const char* name;
        double north;
        bool taken;
    } rows[] = {{"beyond the second end", 40.5, false}, {"level with the first end", 0.0, false},
                {"level with the second end", 40.0, true}, {"just after the first end", 0.5, true}};
    Plot& w = stationFrame(992);
    lineFromPToQ();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        w.Option26.setValue(true);  // a point in reach may have moved it on
        pressAt(1, row.north, 0.4 * t);
        // Only a taken line writes the station into the list.
        EXPECT_EQ(SightList[1] != 0, row.taken);
    }
}

TEST_F(StationPress, WithBackChosenALineIsOnlyMarkedAndANearbyPointFillsTheBackSight)
{
    Plot& w = stationFrame(992);
    lineFromPToQ();
    addPoint(3, QStringLiteral("R"), 20.0, 0.3 * t);
    w.Option27.setValue(true);
    pressAt(1, 20.0, 0.4 * t);
    EXPECT_EQ(w.Text11.Text(), QString());
    EXPECT_EQ(w.Text12.Text(), QStringLiteral("R"));
    EXPECT_EQ(SightList[1], 0);
    EXPECT_TRUE(w.Option28.Value());
    EXPECT_EQ(colorAt(10.0, 0.0), kMagenta);
}

TEST_F(StationPress, Signal993ListsTheFarEndsOfTheStationsOtherLinesAsForesights)
{
    Plot& w = stationFrame(993);
    lineFromPToQ();
    addPoint(3, QStringLiteral("R1"), 40.0, 30.0);
    addPoint(4, QStringLiteral("R2"), 70.0, 0.0);
    addPoint(5, QStringLiteral("R3"), 40.0, -30.0);
    addLine(40.0, 0.0, 40.0, 30.0, 9);   // from the station
    addLine(70.0, 0.0, 40.0, 0.0, 9);    // to the station
    addLine(40.0, 0.0, 40.0, -30.0, 9);  // from the station
    pressAt(1, 30.0, 0.4 * t);
    EXPECT_EQ(SightList[3], 3);
    EXPECT_EQ(SightList[4], 4);
    EXPECT_EQ(SightList[5], 5);
    EXPECT_EQ(SightList[6], 0);
    EXPECT_EQ(SightList[0], 4);
    EXPECT_TRUE(w.Command51.Visible());
    EXPECT_EQ(w.Text13.Text(), QStringLiteral("R1"));
    // The thick sight line to R1: two pixels across.
    const double pixel = ViewSpanY / (w.Picture1.Width() / 15.0);
    EXPECT_EQ(colorAt(40.0, 15.0), kMagenta);
    EXPECT_TRUE(colorAt(40.0 + pixel, 15.0) == kMagenta || colorAt(40.0 - pixel, 15.0) == kMagenta);
}

TEST_F(StationPress, OneForesightLeavesNextHidden)
{
    Plot& w = stationFrame(993);
    lineFromPToQ();
    addPoint(3, QStringLiteral("R1"), 40.0, 30.0);
    addLine(40.0, 0.0, 40.0, 30.0, 9);
    pressAt(1, 30.0, 0.4 * t);
    EXPECT_EQ(SightList[3], 3);
    EXPECT_EQ(SightList[0], 0);
    EXPECT_FALSE(w.Command51.Visible());
    EXPECT_EQ(w.Text13.Text(), QStringLiteral("R1"));
}

TEST_F(StationPress, AForesightMustLieWithinFiveCentimetresInNorthAndInEast)
{
    Plot& w = stationFrame(993);
    lineFromPToQ();
    addLine(40.0, 0.0, 40.0, 30.0, 9);
    addPoint(3, QStringLiteral("IN"), 40.04, 30.04);   // 5.7 cm straight, inside the square
    addPoint(4, QStringLiteral("OUT"), 40.06, 30.0);   // 6 cm north
    pressAt(1, 30.0, 0.4 * t);
    EXPECT_EQ(SightList[3], 3);
    EXPECT_EQ(SightList[4], 0);
    EXPECT_EQ(w.Text13.Text(), QStringLiteral("IN"));
}

TEST_F(StationPress, ForesightsStopBeforeTheListsLastEntry)
{
    Plot& w = stationFrame(993);
    lineFromPToQ();
    for (int k = 0; k < 20; ++k) {
        const double angle = (10.0 + k * 8.0) * 3.14159265358979 / 180.0;
        addPoint(3 + k, QStringLiteral("R%1").arg(k + 1), 40.0 + 30.0 * std::cos(angle), 30.0 * std::sin(angle));
        addLine(40.0, 0.0, PointX[3 + k], PointY[3 + k], 9);
    }
    SightList[20] = 77;
    pressAt(1, 30.0, 0.4 * t);
    EXPECT_EQ(SightList[19], 3 + 16);
    EXPECT_EQ(SightList[20], 0) << "a 0 always ends the list";
    // "次" then wraps from the last listed foresight to the first.
    EXPECT_TRUE(w.Command51.Visible());
}

TEST_F(StationPress, TwoPointsInReachFillStationAndBackSightHighestFirst)
{
    Plot& w = stationFrame(992);
    addPoint(1, QStringLiteral("LOW"), 0.0, 0.0);
    addPoint(2, QStringLiteral("HIGH"), 0.2 * t, 0.0);
    pressAt(1, 0.1 * t, 0.0);
    EXPECT_EQ(w.Text11.Text(), QStringLiteral("HIGH"));
    EXPECT_EQ(w.Text12.Text(), QStringLiteral("LOW"));
    EXPECT_TRUE(w.Option28.Value());
    EXPECT_EQ(SightList[1], 0) << "the point way writes the fields alone";
}

TEST_F(StationPress, Signal992WithBothEndsOnCoordinatesGivesTheirNumbers)
{
    Plot& w = stationFrame(992);
    w.Check1.setValue(1);
    addCoordinate(12, QStringLiteral("K12"), 0.0, 0.0);
    addCoordinate(15, QStringLiteral("K15"), 40.0, 0.0);
    addLine(0.0, 0.0, 40.0, 0.0, 9);
    pressAt(1, 10.0, 0.4 * t);
    EXPECT_EQ(w.Text11.Text(), QStringLiteral("12"));
    EXPECT_EQ(w.Text12.Text(), QStringLiteral("15"));
    EXPECT_EQ(SightList[1], 12);
    EXPECT_EQ(SightList[2], 15);
}

TEST_F(StationPress, ALineWithOnlyOneEndMatchedDesignatesNothing)
{
    Plot& w = stationFrame(992);
    w.Check1.setValue(1);
    addPoint(1, QStringLiteral("P"), 0.0, 0.0);
    addLine(0.0, 0.0, 40.0, 0.0, 9);
    // A coordinate at the first end only: no coordinate number may reach
    // the point tables.
    addCoordinate(7, QStringLiteral("K7"), 0.0, 5.0);
    addLine(0.0, 5.0, 40.0, 5.0, 9);
    pressAt(1, 20.0, 0.4 * t);
    EXPECT_EQ(w.Text11.Text(), QString());
    EXPECT_EQ(w.Text12.Text(), QString());
    EXPECT_EQ(SightList[1], 0);
}

// Regression: a passing line with one unmatched end took the previous
// line's back-sight with its own first end.
TEST_F(StationPress, AnUnmatchedLineKeepsTheEndsOfTheLineBeforeIt)
{
    Plot& w = stationFrame(992);
    lineFromPToQ();
    addPoint(3, QStringLiteral("X"), 0.0, 0.2 * t);
    addLine(0.0, 0.2 * t, 40.0, 0.2 * t, 9);  // its second end carries nothing
    pressAt(1, 24.0, 0.1 * t);
    EXPECT_EQ(w.Text11.Text(), QStringLiteral("Q"));
    EXPECT_EQ(w.Text12.Text(), QStringLiteral("P"));
    EXPECT_EQ(SightList[1], 2);
    EXPECT_EQ(SightList[2], 1);
}

TEST_F(StationPress, ThePressIsKeptAsTheLastClick)
{
    stationFrame(992);
    pressAt(1, 12.0, 34.0);
    EXPECT_DOUBLE_EQ(LastClickX, 34.0);
    EXPECT_DOUBLE_EQ(LastClickY, -12.0);
    EXPECT_FLOAT_EQ(RangeStartX, 34.0F);
    EXPECT_FLOAT_EQ(RangeStartY, -12.0F);
}

}  // namespace
}  // namespace tavelcor::interacttest
