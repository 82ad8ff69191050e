// SPDX-License-Identifier: LicenseRef-Tavelcor
// Plane rectangular coordinates: zone table, packed angles, the published
// fixed points, round trips and the meridian convergence.
#include "geodesy/plane_rectangular.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geodesy/constants.h"

namespace {

constexpr double kTrueRadPerDeg = 0.017453292519943295;

// Packed d.mmss × 10000 → decimal degrees, written independently of the code
// under test (whole parts by integer arithmetic).
double packedToDegrees(double packed10000)
{
    const double sign = packed10000 < 0 ? -1 : 1;
    const double v = std::fabs(packed10000);
    const double d = std::floor(v / 10000);
    const double m = std::floor((v - d * 10000) / 100);
    const double s = v - d * 10000 - m * 100;
    return sign * (d + m / 60 + s / 3600);
}

struct ZoneRow {
    int zone;
    double latitude;   // packed × 10000
    double longitude;  // packed × 10000
};

// The published origins of the 19 zones.
const ZoneRow kOrigins[] = {
    {1, 330000, 1293000},  {2, 330000, 1310000},  {3, 360000, 1321000},  {4, 330000, 1333000},
    {5, 360000, 1342000},  {6, 360000, 1360000},  {7, 360000, 1371000},  {8, 360000, 1383000},
    {9, 360000, 1395000},  {10, 400000, 1405000}, {11, 440000, 1401500}, {12, 440000, 1421500},
    {13, 440000, 1441500}, {14, 260000, 1420000}, {15, 260000, 1273000}, {16, 260000, 1240000},
    {17, 260000, 1310000}, {18, 200000, 1360000}, {19, 260000, 1540000},
};

TEST(ZoneTable, OriginsOfAllNineteenZones)
{
    for (const ZoneRow& row : kOrigins) {
        EXPECT_TRUE(geodesy::IsKnownZone(row.zone));
        const geodesy::LatLonPacked p = geodesy::ZoneOriginPacked(row.zone);
        EXPECT_EQ(p.latitude, row.latitude) << row.zone;
        EXPECT_EQ(p.longitude, row.longitude) << row.zone;
        const geodesy::LatLonRad r = geodesy::ZoneOrigin(row.zone);
        EXPECT_NEAR(r.latitude, packedToDegrees(row.latitude) * kTrueRadPerDeg, 1e-13) << row.zone;
        EXPECT_NEAR(r.longitude, packedToDegrees(row.longitude) * kTrueRadPerDeg, 1e-13) << row.zone;
    }
}

TEST(ZoneTable, OtherZoneNumbersTakeOriginZeroWithoutError)
{
    for (int zone : {0, 20, -1, 255, 256}) {
        EXPECT_FALSE(geodesy::IsKnownZone(zone));
        const geodesy::LatLonPacked p = geodesy::ZoneOriginPacked(zone);
        EXPECT_EQ(p.latitude, 0);
        EXPECT_EQ(p.longitude, 0);
    }
}

// Zones outside 1 to 19 project about latitude 0, longitude 0 with the same
// scale factor.  Expected values from PROJ, independently of this code:
//   cs2cs -f %.6f +proj=latlong +ellps=GRS80 +to +proj=tmerc +lat_0=0
//         +lon_0=0 +k=0.9999 +x_0=0 +y_0=0 +ellps=GRS80 +axis=neu
// with the input "lon lat" of each row.
struct OriginZeroRow {
    const char* name;
    double latitudeDeg;
    double longitudeDeg;
    double x;
    double y;
};

const OriginZeroRow kOriginZeroRows[] = {
    {"one_degree_north_on_greenwich", 1, 0, 110563.331115, 0},
    {"half_degree_north_east", 0.5, 0.5, 55283.742402, 55652.785491},
    {"two_north_one_west", 2, -1, 221161.221833, -111246.678613},
};

TEST(ZoneTable, ZonesZeroAndTwentyAgreeWithProjAboutLatitudeZeroLongitudeZero)
{
    for (int zone : {0, 20}) {
        for (const OriginZeroRow& row : kOriginZeroRows) {
            const geodesy::PlaneXY p = geodesy::BLtoXYCalc(row.latitudeDeg * 10000, row.longitudeDeg * 10000, zone);
            EXPECT_NEAR(p.x, row.x, 0.0005) << row.name << " zone " << zone;
            EXPECT_NEAR(p.y, row.y, 0.0005) << row.name << " zone " << zone;
        }
    }
}

TEST(ZoneTable, ZonesZeroAndTwentyComputeRelativeToLatitudeZeroLongitudeZero)
{
    const geodesy::PlaneXY origin0 = geodesy::BLtoXYCalc(0, 0, 0);
    EXPECT_EQ(origin0.x, 0);
    EXPECT_EQ(origin0.y, 0);
    // One degree north on the meridian of Greenwich: 0.9999 × the arc.
    const geodesy::PlaneXY p0 = geodesy::BLtoXYCalc(10000, 0, 0);
    const geodesy::PlaneXY p20 = geodesy::BLtoXYCalc(10000, 0, 20);
    EXPECT_NEAR(p0.x, 0.9999 * geodesy::MeridianArc(geodesy::kPi / 180), 1e-9);
    EXPECT_EQ(p0.y, 0);
    EXPECT_EQ(p0.x, p20.x);
    const geodesy::PlaneXY q = geodesy::BLtoXYCalc(5000, 5000, 20);
    EXPECT_GT(q.x, 0);
    EXPECT_GT(q.y, 0);
    const geodesy::LatLonPacked back = geodesy::XYtoBLCalc(q.x, q.y, 0);
    EXPECT_NEAR(packedToDegrees(back.latitude), 0.5, 1e-6);
    EXPECT_NEAR(packedToDegrees(back.longitude), 0.5, 1e-6);
}

struct DmsToDegCase {
    double packed;
    double degrees;
};

TEST(DmsToDeg, PackedToDecimalDegreesWithSign)
{
    const DmsToDegCase cases[] = {
        {-35.3, -35.5},               // -(35° + 30/60°): sign kept
        {35.3, 35.5},
        {123.4530, 123.7583333333333},
        {35.3907404, 35 + 39.0 / 60 + 7.404 / 3600},
        {0.0001, 1.0 / 3600},
        {0, 0},
        {-0.0059, -59.0 / 3600},
        {139.5, 139 + 50.0 / 60},
    };
    for (const DmsToDegCase& c : cases)
        EXPECT_NEAR(geodesy::DmsToDeg(c.packed), c.degrees, 1e-12) << c.packed;
}

TEST(DmsToRad, UsesTheSurveyPi)
{
    EXPECT_DOUBLE_EQ(geodesy::DmsToRad(1800000), 180 * geodesy::kPi / 180);
    EXPECT_DOUBLE_EQ(geodesy::DmsToRad(-353000), -35.5 * geodesy::kPi / 180);
}

TEST(DegToDmsFractional, CarriesMinutesAndKeepsTheBias)
{
    EXPECT_EQ(geodesy::DegToDmsFractional(35.999999), 36);       // minutes reach 60
    const double half = geodesy::DegToDmsFractional(35.5);
    EXPECT_GT(half, 35.3);                                       // the bias shows
    EXPECT_LT(half, 35.3 + 1e-7);
    EXPECT_EQ(geodesy::DegToDmsFractional(0), 0);
    EXPECT_NEAR(geodesy::DegToDmsFractional(-35.5), -half, 1e-15);
    // Seconds keep their fraction: 12.345678 s.
    const double deg = 10 + 20.0 / 60 + 12.345678 / 3600;
    EXPECT_NEAR(geodesy::DegToDmsFractional(deg), 10.2012345678 + 0.00036 / 10000, 1e-11);
}

TEST(DegToDmsFractional, RoundTripsThroughDmsToDegWithinTheBias)
{
    for (double a = 0.0003; a < 180; a += 0.0731 * std::sqrt(3.0)) {
        const double back = geodesy::DmsToDeg(geodesy::DegToDmsFractional(a));
        EXPECT_NEAR(back - a, 1e-7, 1e-10) << a;
    }
}

TEST(RadToDms, GivesPackedTimesTenThousand)
{
    EXPECT_NEAR(geodesy::RadToDms(35.5 * geodesy::kPi / 180), 353000.00036, 1e-6);
}

// A zone's origin is X = 0, Y = 0 by the definition of the coordinate
// system (no false northing or easting); zone 9's origin is 36° N,
// 139° 50' E, passed as decimal degrees × 10000.
TEST(Forward, OriginOfZoneNineIsZero)
{
    const geodesy::PlaneXY p = geodesy::BLtoXYCalc(360000, (139 + 50.0 / 60) * 10000, 9);
    EXPECT_NEAR(p.x, 0, 0.001);
    EXPECT_NEAR(p.y, 0, 0.001);
}

// 38° N, 137° 50' E (two degrees west of zone 9's meridian).  PROJ gives
// X = 223821.067169, Y = -175656.072885:
//   echo "38 137.83333333333333" | cs2cs -f %.6f EPSG:6668 EPSG:6677
// (JGD2011 geographic to JGD2011 zone 9, both in latitude-first order).
TEST(Forward, ZoneNineTwoDegreesWestAtThirtyEight)
{
    const double lon = (139 + 50.0 / 60 - 2) * 10000;
    EXPECT_NEAR(geodesy::BLtoXY(380000, lon, 9, 0), 223821.067, 0.0005);
    EXPECT_NEAR(geodesy::BLtoXY(380000, lon, 9, 1), -175656.073, 0.0005);
    // Any selector other than 0 gives Y.
    EXPECT_EQ(geodesy::BLtoXY(380000, lon, 9, 7), geodesy::BLtoXY(380000, lon, 9, 1));
}

TEST(Forward, PackedEntryOfTheGpsProgramMatchesTheDecimalEntry)
{
    // 35°39'07.404" N, 139°45'40.734" E in zone 9.
    const geodesy::PlaneXY packed = geodesy::BLtoXYCalcPacked(353907.404, 1394540.734, 9);
    const double lat = 35 + 39.0 / 60 + 7.404 / 3600;
    const double lon = 139 + 45.0 / 60 + 40.734 / 3600;
    const geodesy::PlaneXY decimal = geodesy::BLtoXYCalc(lat * 10000, lon * 10000, 9);
    EXPECT_NEAR(packed.x, decimal.x, 1e-6);
    EXPECT_NEAR(packed.y, decimal.y, 1e-6);
    EXPECT_EQ(geodesy::BLtoXYPacked(353907.404, 1394540.734, 9, 0), packed.x);
    EXPECT_EQ(geodesy::BLtoXYPacked(353907.404, 1394540.734, 9, 1), packed.y);
    // The zone origin in its own packed form is 0, 0.
    const geodesy::PlaneXY origin = geodesy::BLtoXYCalcPacked(360000, 1395000, 9);
    EXPECT_NEAR(origin.x, 0, 1e-9);
    EXPECT_NEAR(origin.y, 0, 1e-9);
}

// The inverse of a zone origin is the origin itself (36° N, 136° E for
// zone 6); the packing adds 1e-7 degree = 0.00036 second, which stands in
// the fourth and fifth decimals of packed d.mmss × 10000.
TEST(Inverse, ZoneSixOriginShowsThePackingBias)
{
    EXPECT_NEAR(geodesy::XYtoBL(0, 0, 6, 0), 360000.00036, 1e-7);
    EXPECT_NEAR(geodesy::XYtoBL(0, 0, 6, 1), 1360000.00036, 1e-7);
    const geodesy::LatLonRad r = geodesy::XYtoBLRad(0, 0, 6);
    EXPECT_NEAR(r.latitude, 36 * geodesy::kPi / 180, 1e-15);
    EXPECT_NEAR(r.longitude, 136 * geodesy::kPi / 180, 1e-15);
}

TEST(Inverse, FootpointLatitudeHasTheTargetArc)
{
    for (int zone : {1, 9, 13, 18}) {
        const double s0 = geodesy::MeridianArc(geodesy::ZoneOrigin(zone).latitude);
        for (double x = -400000; x <= 400000; x += 25000) {
            const double phi = geodesy::FootpointLatitude(x, zone);
            EXPECT_NEAR(geodesy::MeridianArc(phi) - s0, x / 0.9999, 1e-6) << zone << " " << x;
        }
    }
}

TEST(Inverse, MeridianArcIsOddAndIncreasing)
{
    EXPECT_EQ(geodesy::MeridianArc(0), 0);
    double previous = -1;
    for (double deg = 0; deg <= 90; deg += 0.5) {
        const double s = geodesy::MeridianArc(deg * geodesy::kPi / 180);
        EXPECT_GT(s, previous);
        EXPECT_DOUBLE_EQ(geodesy::MeridianArc(-deg * geodesy::kPi / 180), -s);
        previous = s;
    }
    // Quarter meridian of GRS80: 10001965.7293 m.
    EXPECT_NEAR(geodesy::MeridianArc(geodesy::kPi / 2), 10001965.7293, 1e-3);
}

// Forward then packed inverse within 200 km of the central meridian returns
// the start within 0.001 second (the packing adds its 0.00036 second).
TEST(RoundTrip, PackedWithinTwoHundredKilometres)
{
    for (const ZoneRow& row : kOrigins) {
        const double lat0 = packedToDegrees(row.latitude);
        const double lon0 = packedToDegrees(row.longitude);
        for (double dLat = -1.5; dLat <= 1.5; dLat += 0.5) {
            for (double dLon = -2.0; dLon <= 2.0; dLon += 0.25) {
                const double lat = lat0 + dLat, lon = lon0 + dLon;
                const geodesy::PlaneXY p = geodesy::BLtoXYCalc(lat * 10000, lon * 10000, row.zone);
                if (std::fabs(p.y) > 200000)
                    continue;
                const geodesy::LatLonPacked back = geodesy::XYtoBLCalc(p.x, p.y, row.zone);
                EXPECT_NEAR(packedToDegrees(back.latitude) * 3600, lat * 3600, 0.001) << row.zone;
                EXPECT_NEAR(packedToDegrees(back.longitude) * 3600, lon * 3600, 0.001) << row.zone;
            }
        }
    }
}

TEST(Convergence, ZeroOnTheCentralMeridianAndSignReversed)
{
    for (const ZoneRow& row : kOrigins) {
        const auto onMeridian = geodesy::Convergence(50000, 0, row.zone);
        ASSERT_TRUE(onMeridian.has_value());
        EXPECT_NEAR(*onMeridian, 0, 1e-6) << row.zone;  // only the packing bias
        const auto west = geodesy::Convergence(50000, -100000, row.zone);
        const auto east = geodesy::Convergence(50000, 100000, row.zone);
        ASSERT_TRUE(west && east);
        EXPECT_GT(*west, 0.1) << row.zone;
        EXPECT_LT(*east, -0.1) << row.zone;
    }
}

// The convergence is the grid bearing of true north: walk a short way north
// along the meridian with the forward conversion and compare.
TEST(Convergence, MatchesTheGridBearingOfTheMeridian)
{
    for (const ZoneRow& row : {kOrigins[0], kOrigins[8], kOrigins[12], kOrigins[17]}) {
        for (double x = -100000; x <= 100000; x += 100000) {
            for (double y = -150000; y <= 150000; y += 50000) {
                const geodesy::LatLonRad r = geodesy::XYtoBLRad(x, y, row.zone);
                const double latDeg = r.latitude / geodesy::kPi * 180;
                const double lonDeg = r.longitude / geodesy::kPi * 180;
                const double step = 1e-4;
                const geodesy::PlaneXY a = geodesy::BLtoXYCalc((latDeg - step) * 10000, lonDeg * 10000, row.zone);
                const geodesy::PlaneXY b = geodesy::BLtoXYCalc((latDeg + step) * 10000, lonDeg * 10000, row.zone);
                const double bearing = std::atan2(b.y - a.y, b.x - a.x) / kTrueRadPerDeg;
                const auto gamma = geodesy::Convergence(x, y, row.zone);
                ASSERT_TRUE(gamma.has_value());
                EXPECT_NEAR(*gamma, bearing, 2e-6) << row.zone << " " << x << " " << y;
            }
        }
    }
}

TEST(Convergence, FailsInsteadOfReturningGarbageForImpossiblePositions)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(geodesy::Convergence(nan, 0, 9).has_value());
    EXPECT_FALSE(geodesy::Convergence(0, inf, 9).has_value());
    EXPECT_FALSE(geodesy::Convergence(1e300, 1e300, 9).has_value());
}

}  // namespace
