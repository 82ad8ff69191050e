// SPDX-License-Identifier: LicenseRef-Tavelcor
// The exported document read by programs that did not write it: GDAL's KML
// reader (ogr2ogr, to GeoJSON) finds each folder with placemarks as a layer
// with the expected points and line strings, and every position equals
// PROJ's conversion (cs2cs) of its plane coordinates in the site's zone.
#include "kml_document_fixture.h"

#include <cmath>

namespace tavelcor::kmltest {
namespace {

constexpr double kToleranceDeg = 1e-8;

using Plane = std::pair<double, double>;  // absolute x north, y east

std::size_t countOfType(const std::vector<Feature>& features, const QString& type)
{
    return static_cast<std::size_t>(
        std::count_if(features.begin(), features.end(), [&](const Feature& f) { return f.type == type; }));
}

class KmlReadBack : public KmlDocumentTest, public ::testing::WithParamInterface<int> {};

TEST_P(KmlReadBack, GdalFindsEveryFolderAndProjAgreesOnEveryPosition)
{
    ZoneNo = static_cast<std::uint8_t>(GetParam());
    input.switches.check1 = input.switches.check2 = input.switches.check6 = 1;
    setView(OriginX, OriginY, 400.0, 600.0);
    std::vector<Plane> coordinates, edges, labels, points, lineEnds, texts;

    for (int n = 1; n <= 30; ++n) {
        addCoordinate(n, QStringLiteral("K%1").arg(n), n * 7.25 - 100.0, n * -5.5 + 60.0);
        coordinates.emplace_back(ZahyoX[n], ZahyoY[n]);
    }
    addCoordinate(31, QStringLiteral("遠い"), 5000.0, 0.0);  // out of view
    const int square = addSquare(40, -50.0, -70.0, 50.0, 80.0, QStringLiteral("12-3"));
    for (int k = 0; k < 4; ++k)
        coordinates.emplace_back(ZahyoX[40 + k], ZahyoY[40 + k]);
    for (const auto& [a, b] : {std::pair{40, 41}, {41, 42}, {42, 43}, {43, 40}}) {
        edges.emplace_back(ZahyoX[a], ZahyoY[a]);
        edges.emplace_back(ZahyoX[b], ZahyoY[b]);
    }
    labels.emplace_back(KakuchiLabelX[square] + OriginX, KakuchiLabelY[square] + OriginY);
    for (int i = 1; i <= 12; ++i) {
        addPoint(QStringLiteral("P%1").arg(i), QString(), i * 11.0 - 60.0, i * -13.0 + 70.0, 1 + i % 18);
        points.emplace_back(PointX[i] + OriginX, PointY[i] + OriginY);
    }
    for (int i = 1; i <= 9; ++i) {
        addLine(i * 9.0 - 50.0, -100.0, i * -8.0 + 40.0, 120.0 + i, 12);
        lineEnds.emplace_back(LineX1[LineNext - 1] + OriginX, LineY1[LineNext - 1] + OriginY);
        lineEnds.emplace_back(LineX2[LineNext - 1] + OriginX, LineY2[LineNext - 1] + OriginY);
    }
    for (int i = 1; i <= 5; ++i) {
        addText(QStringLiteral("宅地 %1㎡").arg(i * 100), i * 20.0 - 50.0, i * 15.0, 12);
        texts.emplace_back(double(TxtX[i]) + OriginX, double(TxtY[i]) + OriginY);
    }

    const QString path = written(build());
    ASSERT_TRUE(wellFormed(path));
    const auto layers = ogrLayers(path);
    QStringList layerNames;
    for (const auto& [name, features] : layers)
        layerNames << name + QStringLiteral(" (%1)").arg(features.size());
    // The six folders, and the outer folder, which holds the overlay only.
    ASSERT_EQ(layers.size(), 7u) << layerNames.join(u", ").toStdString();
    const auto& outer = layers.at(QStringLiteral("Tavelcor4"));
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(countOfType(outer, "Point") + countOfType(outer, "LineString"), 0u) << outer[0].type.toStdString();
    const auto& simaPoints = layers.at(QStringLiteral("SIMA測点"));
    const auto& simaEdges = layers.at(QStringLiteral("SIMA結線"));
    const auto& simaLabels = layers.at(QStringLiteral("SIMA地番"));
    EXPECT_EQ(countOfType(simaPoints, "Point"), coordinates.size());
    EXPECT_EQ(countOfType(simaEdges, "LineString"), edges.size() / 2);
    EXPECT_EQ(countOfType(simaLabels, "Point"), labels.size());
    EXPECT_EQ(countOfType(layers.at(QStringLiteral("POINT")), "Point"), points.size());
    EXPECT_EQ(countOfType(layers.at(QStringLiteral("LINE")), "LineString"), lineEnds.size() / 2);
    EXPECT_EQ(countOfType(layers.at(QStringLiteral("TEXT")), "Point"), texts.size());

    expectPositions(ZoneNo, simaPoints, coordinates);
    expectPositions(ZoneNo, simaEdges, edges);
    expectPositions(ZoneNo, simaLabels, labels);
    expectPositions(ZoneNo, layers.at(QStringLiteral("POINT")), points);
    expectPositions(ZoneNo, layers.at(QStringLiteral("LINE")), lineEnds);
    expectPositions(ZoneNo, layers.at(QStringLiteral("TEXT")), texts);
}

// Positions whose seconds lie just below a whole minute keep their place:
// the packed degrees-minutes-seconds would carry them to the next minute,
// up to 0.06 second (about 1.8 m) away.
TEST_F(KmlDocumentTest, SecondsJustBelowAWholeMinuteAreNotCarried)
{
    input.switches.check2 = 1;
    const std::vector<std::pair<double, double>> latLon = {
        {35.0 + 40.0 / 60 + 30.0 / 3600, 139.0 + 45.0 / 60 + 59.97 / 3600},
        {35.0 + 40.0 / 60 + 59.95 / 3600, 139.0 + 46.0 / 60 + 10.0 / 3600},
        {35.0 + 59.0 / 60 + 59.999 / 3600, 139.0 + 59.0 / 60 + 59.995 / 3600},
    };
    const auto plane = projPlane(ZoneNo, latLon);
    ASSERT_EQ(plane.size(), latLon.size());
    for (std::size_t k = 0; k < plane.size(); ++k) {
        const int n = static_cast<int>(k) + 1;
        addCoordinate(n, QStringLiteral("S%1").arg(n), plane[k].first - OriginX, plane[k].second - OriginY);
    }
    setView(plane[0].first, plane[0].second, 1e6, 1e6);
    const auto layers = ogrLayers(written(build()));
    const auto& read = layers.at(QStringLiteral("SIMA測点"));
    ASSERT_EQ(read.size(), latLon.size());
    for (std::size_t k = 0; k < read.size(); ++k) {
        EXPECT_NEAR(read[k].points[0].first, latLon[k].second, kToleranceDeg) << k;
        EXPECT_NEAR(read[k].points[0].second, latLon[k].first, kToleranceDeg) << k;
    }
}

// Zones at the west and east ends of the country and the default zone.
INSTANTIATE_TEST_SUITE_P(Kml, KmlReadBack, ::testing::Values(1, 6, 9, 13, 19),
                         [](const auto& info) { return "zone" + std::to_string(info.param); });

}  // namespace
}  // namespace tavelcor::kmltest
