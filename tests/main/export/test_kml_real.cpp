// SPDX-License-Identifier: LicenseRef-Tavelcor
// The KML export of published registry maps (../shared/data/mojxml, read in
// place; 出典：「登記所備付地図データ 千葉市稲毛区」「同 熊毛郡屋久島町」
// （法務省）, processed here by the program under test): each map is opened
// through the site chooser as a user opens it, shown whole ("全　体"), and
// exported. The file is well-formed, GDAL's KML reader finds one line
// string per parcel edge and one point per coordinate, and every position
// equals PROJ's conversion of its plane coordinates in the map's zone.
#include "app_fixture.h"
#include "desktop_registry.h"
#include "kml_support.h"

#include "main/export/export_commands.h"
#include "main/export/kml_export.h"
#include "main/render/filters.h"
#include "main/render/view_wiring.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace tavelcor::kmltest {
namespace {

struct RealMap {
    const char* file;
    int zone;
};

void PrintTo(const RealMap& m, std::ostream* os)
{
    *os << m.file;
}

class KmlRealMap : public apptest::AppTest, public ::testing::WithParamInterface<RealMap> {};

void click(platform::Control& control)
{
    QTest::mouseClick(control.widget(), Qt::LeftButton, {}, QPoint(3, 3));
    QCoreApplication::processEvents();
}

TEST_P(KmlRealMap, ExportsEveryCoordinateAndParcelEdgeOfTheWholeMap)
{
    const QString map = QStringLiteral(TAVELCOR_SHARED_DATA "/mojxml/") + QString::fromLatin1(GetParam().file);
    if (!QFile::exists(map))
        GTEST_SKIP() << "the shared sample maps are not present: " << map.toStdString();
    testing_support::ScopedDesktopRegistry desktop;  // no viewer registered
    ASSERT_TRUE(desktop.isValid());
    addPlotWiring(wireView);
    addPlotWiring(wireExport);
    chooseFile(map);
    Plot& w = startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    ASSERT_EQ(ZoneNo, GetParam().zone);
    w.Show();
    QApplication::setActiveWindow(w.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window()));
    click(w.Command3);  // 全　体
    w.Check17.setValue(1);
    w.Check1.setValue(1);
    w.Check2.setValue(1);
    w.Check6.setValue(1);
    // The maps' folder is read-only: the file goes to a site folder of the test.
    SiteFolder = folder(QStringLiteral("site")) + u'/';
    const QString kml = SiteFolder + QStringLiteral("Tavelcor.KML");
    script().expectMessage(platform::MsgResult::Ok,
                           QStringLiteral("Google earthが見つかりません。先にソフトをインストールしてください"
                                          "\r\nKMLファイルは次の場所に作成しました：\r\n")
                               + kml);
    click(w.Command82);
    ASSERT_TRUE(QFile::exists(kml));
    ASSERT_TRUE(wellFormed(kml));

    // What the tables say the file must hold.
    std::vector<std::pair<double, double>> coordinates;
    for (int n = 1; n <= ZahyoMax; ++n) {
        if (!render::hiddenCoordinateName(ZahyoName[n]))
            coordinates.emplace_back(ZahyoX[n], ZahyoY[n]);
    }
    ASSERT_LE(static_cast<int>(coordinates.size()), PointLimit);
    std::vector<std::pair<double, double>> edgeEnds;
    const auto vertex = [](long k) {
        const int n = KakuchiVertex[k];
        return std::pair{ZahyoPX[n] + OriginX, ZahyoPY[n] + OriginY};
    };
    for (int p = 1; p <= KakuchiCount; ++p) {
        for (long k = KakuchiFirst[p] + 1; k <= KakuchiLast[p]; ++k) {
            edgeEnds.push_back(vertex(k - 1));
            edgeEnds.push_back(vertex(k));
        }
        if (KakuchiName[p] != openFigureName()) {
            edgeEnds.push_back(vertex(KakuchiLast[p]));
            edgeEnds.push_back(vertex(KakuchiFirst[p]));
        }
    }
    ASSERT_FALSE(coordinates.empty());
    ASSERT_FALSE(edgeEnds.empty());

    const auto layers = ogrLayers(kml);
    ASSERT_TRUE(layers.count(QStringLiteral("SIMA測点")));
    ASSERT_TRUE(layers.count(QStringLiteral("SIMA結線")));
    const auto& points = layers.at(QStringLiteral("SIMA測点"));
    const auto& edges = layers.at(QStringLiteral("SIMA結線"));
    EXPECT_EQ(points.size(), coordinates.size());
    EXPECT_EQ(edges.size() * 2, edgeEnds.size());
    for (const Feature& f : edges)
        EXPECT_EQ(f.type, QStringLiteral("LineString"));

    expectPositions(ZoneNo, points, coordinates);
    expectPositions(ZoneNo, edges, edgeEnds);
}

INSTANTIATE_TEST_SUITE_P(Kml, KmlRealMap,
                         ::testing::Values(RealMap{"12103-0400-76.xml", 9}, RealMap{"46505-3411-1.xml", 2}),
                         [](const auto& info) { return "zone" + std::to_string(info.param.zone); });

}  // namespace
}  // namespace tavelcor::kmltest
