// SPDX-License-Identifier: LicenseRef-Tavelcor
// The conversion series against the same formulas evaluated in 40-digit
// arithmetic (series_reference.py).  This pins every coefficient, including
// the high-order terms whose effect lies below PROJ's printed micrometre.
#include "geodesy/plane_rectangular.h"

#include <gtest/gtest.h>

namespace {

struct ForwardRow {
    int zone;
    double latitudeDeg10000;
    double longitudeDeg10000;
    double x;
    double y;
};

struct InverseRow {
    int zone;
    double x;
    double y;
    double latitudeRad;
    double longitudeRad;
    double convergenceDeg;
};

struct ArcRow {
    double latitudeRad;
    double arc;
};

#include "series_reference.inc"

// Double-precision evaluation of the same formulas: metres to 10 nm,
// radians to 1e-14 (0.06 µm on the ground), the convergence to 1e-11 degree.
constexpr double kMetres = 1e-8;
constexpr double kRadians = 1e-14;
constexpr double kDegrees = 1e-11;

TEST(SeriesReference, ForwardSeries)
{
    for (const ForwardRow& r : kForwardRows) {
        const geodesy::PlaneXY p = geodesy::BLtoXYCalc(r.latitudeDeg10000, r.longitudeDeg10000, r.zone);
        EXPECT_NEAR(p.x, r.x, kMetres) << "zone " << r.zone << " " << r.latitudeDeg10000 << " " << r.longitudeDeg10000;
        EXPECT_NEAR(p.y, r.y, kMetres) << "zone " << r.zone << " " << r.latitudeDeg10000 << " " << r.longitudeDeg10000;
    }
}

TEST(SeriesReference, InverseSeriesAndConvergence)
{
    for (const InverseRow& r : kInverseRows) {
        const geodesy::LatLonRad b = geodesy::XYtoBLRad(r.x, r.y, r.zone);
        EXPECT_NEAR(b.latitude, r.latitudeRad, kRadians) << "zone " << r.zone << " " << r.x << " " << r.y;
        EXPECT_NEAR(b.longitude, r.longitudeRad, kRadians) << "zone " << r.zone << " " << r.x << " " << r.y;
        const auto gamma = geodesy::Convergence(r.x, r.y, r.zone);
        ASSERT_TRUE(gamma.has_value());
        EXPECT_NEAR(*gamma, r.convergenceDeg, kDegrees) << "zone " << r.zone << " " << r.x << " " << r.y;
    }
}

TEST(SeriesReference, MeridianArc)
{
    for (const ArcRow& r : kArcRows)
        EXPECT_NEAR(geodesy::MeridianArc(r.latitudeRad), r.arc, kMetres) << r.latitudeRad;
}

}  // namespace
