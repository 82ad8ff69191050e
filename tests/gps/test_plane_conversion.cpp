// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's conversion entry: NMEA angles to packed d.mmss, and the forward
// conversion from packed d.mmss × 10000 with its zone check.
#include "geodesy/plane_rectangular.h"
#include "gps/messages.h"
#include "gps/plane_conversion.h"
#include "platform/prompt/testing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct DmsCase {
    const char* nmea;
    const char* packed;
};

const DmsCase kDmsCases[] = {
    {"3539.1234", "35.3907404"},
    {"13945.6789", "139.4540734"},
    {"3539.0000", "35.39"},
    {"3539.0001", "35.3900006"},  // a few ten-thousandths keep the same form
    {"3519.9046", "35.1954276"},
    {"00000.0000", "0"},
    {"4134.49821229", "41.34298927374"},  // eight decimals of a minute (RTK)
    {"4404.1306024", "44.0407836144"},      // seven decimals
    {"3539", "35.39"},                     // no point: whole minutes
};

TEST(NmeaToDms, GivesPackedDegreesMinutesSeconds)
{
    for (const DmsCase& c : kDmsCases)
        EXPECT_EQ(orbela::NmeaToDms(QString::fromLatin1(c.nmea)), QString::fromLatin1(c.packed)) << c.nmea;
}

TEST(NmeaToDms, ReadsAtMostNineDecimalsOfTheMinute)
{
    // 3539.1234567891 is cut to .123456789 of a minute.
    EXPECT_EQ(orbela::NmeaToDms(u"3539.1234567891"), orbela::NmeaToDms(u"3539.123456789"));
}

TEST(OrbelaBLtoXY, AgreesWithTheMainProgramsDecimalEntry)
{
    // 35° 39' 07.404" N, 139° 45' 40.734" E in zone 9.
    const double latDeg = 35 + 39.0 / 60 + 7.404 / 3600;
    const double lonDeg = 139 + 45.0 / 60 + 40.734 / 3600;
    platform::testing::GTestScriptedPrompter script;  // no message for a valid zone
    for (int flag : {0, 1}) {
        const double orbelaValue = orbela::BLtoXY(353907.404, 1394540.734, 9, flag);
        const double mainValue = geodesy::BLtoXY(latDeg * 10000, lonDeg * 10000, 9, flag);
        EXPECT_NEAR(orbelaValue, mainValue, 1e-6) << "flag " << flag;
    }
}

TEST(OrbelaBLtoXY, EveryZoneFrom1To19IsAccepted)
{
    platform::testing::GTestScriptedPrompter script;
    for (int zone = 1; zone <= 19; ++zone)
        EXPECT_TRUE(std::isfinite(orbela::BLtoXY(353907.404, 1394540.734, zone, 0))) << zone;
    EXPECT_TRUE(script->records().empty());
}

TEST(OrbelaBLtoXY, AZoneOutside1To19IsReportedAndStillComputed)
{
    for (int zone : {0, 20, 255}) {
        platform::testing::GTestScriptedPrompter script;
        script->expectMessage(platform::MsgResult::Ok, orbela::kMsgZone.toString());
        const double x = orbela::BLtoXY(353907.404, 1394540.734, zone, 0);
        EXPECT_TRUE(std::isfinite(x)) << zone;
        EXPECT_EQ(script->records().at(0).buttons, platform::MsgButtons::OkOnly);
        // Origin at latitude 0: X is about the meridian arc to 35.65 degrees.
        EXPECT_GT(x, 3900000) << zone;
    }
}

}  // namespace
