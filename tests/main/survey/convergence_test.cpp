// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main program's meridian convergence: the value of the conversion, and
// the message with 0 when the position is beyond computing.
#include "main/survey/convergence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/plane_rectangular.h"
#include "platform/prompt/testing.h"

namespace {

using tavelcor::survey::Convergence;

struct ConvergenceRow {
    const char* name;
    double x;
    double y;
    int zone;
    int expectedSign;  // 0: zero within 1e-6 degree
};

// Signs as the map tiles need them: the usual convergence reversed, so
// positive west of the central meridian and negative east of it (north of
// the equator).  Zone 20 computes for latitude 0, longitude 0: on the
// equator the convergence vanishes, north of it the signs are the same.
const ConvergenceRow kRows[] = {
    {"zone9_on_meridian", 30000, 0, 9, 0},
    {"zone9_west", 30000, -80000, 9, +1},
    {"zone9_east", 30000, 80000, 9, -1},
    {"zone19_west", -50000, -120000, 19, +1},
    {"zone19_east", -50000, 120000, 19, -1},
    {"zone20_equator", 0, 100000, 20, 0},
    {"zone20_north_east", 500000, 100000, 20, -1},
    {"zone0_north_west", 500000, -100000, 0, +1},
};

TEST(MainConvergence, GivesTheSignReversedConvergenceWithoutAnyMessage)
{
    platform::testing::GTestScriptedPrompter script;  // any prompt fails
    for (const ConvergenceRow& row : kRows) {
        const double gamma = Convergence(row.x, row.y, row.zone);
        const std::optional<double> direct = geodesy::Convergence(row.x, row.y, row.zone);
        ASSERT_TRUE(direct.has_value()) << row.name;
        EXPECT_EQ(gamma, *direct) << row.name;
        if (row.expectedSign == 0) {
            EXPECT_NEAR(gamma, 0, 1e-6) << row.name;
        } else {
            EXPECT_GT(gamma * row.expectedSign, 0.01) << row.name;
        }
    }
    EXPECT_TRUE(script->records().empty());
}

// Near the zone origin the convergence is Δλ sin φ to first order; 80 km
// west of the meridian of zone 9 at 36° 16' N that is about 0.52 degree.
TEST(MainConvergence, MatchesTheFirstOrderValueNearTheOrigin)
{
    platform::testing::GTestScriptedPrompter script;
    const geodesy::LatLonRad at = geodesy::XYtoBLRad(30000, -80000, 9);
    const double dLambda = at.longitude - geodesy::ZoneOrigin(9).longitude;
    const double firstOrder = -dLambda * std::sin(at.latitude) * 180 / 3.141592653589793;
    EXPECT_NEAR(Convergence(30000, -80000, 9), firstOrder, 0.002);
}

struct FailureRow {
    const char* name;
    double x;
    double y;
};

const FailureRow kFailures[] = {
    {"far_beyond_the_projection", 1e300, 1e300},
    {"not_a_number", std::numeric_limits<double>::quiet_NaN(), 0},
    {"infinite_easting", 0, std::numeric_limits<double>::infinity()},
};

TEST(MainConvergence, FailureShowsItsMessageWithOkAndGivesZero)
{
    for (const FailureRow& row : kFailures) {
        platform::testing::GTestScriptedPrompter script;
        script->expectMessage(platform::MsgResult::Ok,
                              QStringLiteral("縮小しすぎです。「＋」か「全体」をクリックしてください"));
        EXPECT_EQ(Convergence(row.x, row.y, 9), 0.0) << row.name;
        ASSERT_EQ(script->records().size(), 1u) << row.name;
        EXPECT_EQ(script->records().front().buttons, platform::MsgButtons::OkOnly) << row.name;
        EXPECT_EQ(script->records().front().icon, platform::MsgIcon::None) << row.name;
    }
}

}  // namespace
