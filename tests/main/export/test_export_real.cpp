// SPDX-License-Identifier: LicenseRef-Tavelcor
// The exports of two published registry maps (../shared/data/mojxml, read in
// place; 出典：「登記所備付地図データ 千葉市稲毛区」「同 熊毛郡屋久島町」（法務省）,
// processed here by the program under test): each map is imported as the
// start-up imports it, then
// - its SXF file is read back with the tests' own feature reader, and holds
//   one outline per parcel with the parcel's vertices;
// - its SIMA registration (everything, not renumbered) is read back with the
//   site's SIMA reader into the same coordinates and parcels.
#include "export_fixture.h"

#include "main/app/view_fit.h"
#include "main/export/sima_registration.h"
#include "main/export/sxf_file.h"
#include "main/site/mapxml.h"
#include "main/site/sima_file.h"
#include "main/site/tables.h"
#include "platform/prompt/testing.h"
#include "platform/text/fields.h"
#include "platform/text/strings.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavelcor::exporttest {
namespace {

struct Coordinate {
    QString name;
    double x = 0.0;
    double y = 0.0;
    double h = 0.0;
};

struct Parcel {
    QString name;
    QString info;
    std::vector<int> vertices;
};

struct Site {
    std::vector<std::optional<Coordinate>> coordinates;  // by number; nullopt when free
    std::vector<Parcel> parcels;
};

// What a registration of everything must give back, as the tables hold it.
Site siteInTables()
{
    Site s;
    s.coordinates.resize(std::size_t(ZahyoMax) + 1);
    for (int n = 1; n <= ZahyoMax; ++n)
        if (sima::isUsableZahyo(n))
            s.coordinates[std::size_t(n)] = Coordinate{ZahyoName[n], ZahyoX[n], ZahyoY[n], ZahyoH[n]};
    for (int p = 1; p <= KakuchiCount; ++p) {
        Parcel parcel{KakuchiName[p], KakuchiInfo[p], {}};
        for (int s2 = KakuchiFirst[p]; s2 <= KakuchiLast[p]; ++s2)
            parcel.vertices.push_back(KakuchiVertex[s2]);
        s.parcels.push_back(parcel);
    }
    return s;
}

class RealExport : public ExportLogicTest, public ::testing::WithParamInterface<const char*> {
protected:
    // Imports the map as start-up does: the tables, the view fitted to the
    // coordinates with the origin at its centre, plot coordinates, labels.
    void importMap()
    {
        const QString folder = QStringLiteral(TAVELCOR_SHARED_DATA "/mojxml");
        const QString file = folder + u'/' + QString::fromLatin1(GetParam());
        if (!QFile::exists(file))
            GTEST_SKIP() << "the shared sample maps are not present: " << folder.toStdString();
        SiteFolder = folder + u'/';  // the maps' folder holds no attribute file
        MapXmlEnvironment environment;
        environment.runConverter = [](const QString&, const QStringList&) { return ProcessRun::NotStarted; };
        environment.openTextEditor = [](const QString&) { return false; };
        ASSERT_EQ(ReadMapXml(file, environment), ReadOutcome::Ok);
        fitViewToCoordinates();
        shiftMapXmlRows(OriginX, OriginY);
        setPlotCoordinates();
        placeParcelLabels();
        ASSERT_GT(KakuchiCount, 0);
        SiteFolder = path(QString());
    }

    platform::testing::GTestScriptedPrompter mScript;
};

TEST_P(RealExport, TheSxfFileHoldsOneOutlinePerParcel)
{
    importMap();
    if (IsSkipped())
        return;
    sxf::SxfView view;
    view.includeHidden = true;
    view.check1 = view.check2 = view.check6 = 1;
    const std::vector<SxfFeature> features = exportSxf(view);
    ASSERT_FALSE(features.empty());
    EXPECT_EQ(features.back().attributes, (QStringList{"TEXT20", "1"}));
    std::vector<SxfFeature> outlines;
    for (const SxfFeature& f : featuresNamed(features, "polyline_feature"))
        if (f.attributes.at(0) == "6")
            outlines.push_back(f);
    ASSERT_EQ(outlines.size(), std::size_t(KakuchiCount));
    for (int p = 1; p <= KakuchiCount; ++p) {
        const SxfFeature& outline = outlines[std::size_t(p - 1)];
        const bool closed = KakuchiName[p] != openFigureName();
        std::vector<long long> east;
        std::vector<long long> north;
        for (int s = KakuchiFirst[p]; s <= KakuchiLast[p] + (closed ? 1 : 0); ++s) {
            const int v = KakuchiVertex[s <= KakuchiLast[p] ? s : KakuchiFirst[p]];
            east.push_back(std::llround(ZahyoY[v] * 1000.0));
            north.push_back(std::llround(ZahyoX[v] * 1000.0));
        }
        EXPECT_EQ(outline.attributes.at(4), QString::number(east.size())) << "parcel " << p;
        EXPECT_EQ(listNumbers(outline.attributes.at(5)), east) << "parcel " << p;
        EXPECT_EQ(listNumbers(outline.attributes.at(6)), north) << "parcel " << p;
    }
}

TEST_P(RealExport, TheSimaRegistrationReadsBackIntoTheSameSite)
{
    importMap();
    if (IsSkipped())
        return;
    const Site before = siteInTables();
    sima::Selection selection;
    ASSERT_TRUE(sima::chooseParcels(sima::kTargetAll, selection));
    sima::chooseCoordinates(sima::kTargetAll, false, selection);
    sima::SimaFileOptions options;
    options.withLocation = true;
    const QString file = path(QStringLiteral("REAL.SIM"));
    ASSERT_FALSE(sima::writeSimaRegistration(file, selection, options).file.failed());

    resetTables();
    SiteFolder = path(QString());
    ASSERT_EQ(ReadSima(file), ReadOutcome::Ok);
    const Site after = siteInTables();
    ASSERT_EQ(after.coordinates.size(), before.coordinates.size());
    for (std::size_t n = 1; n < before.coordinates.size(); ++n) {
        ASSERT_EQ(after.coordinates[n].has_value(), before.coordinates[n].has_value()) << "number " << n;
        if (!before.coordinates[n])
            continue;
        const Coordinate& a = *after.coordinates[n];
        const Coordinate& b = *before.coordinates[n];
        EXPECT_EQ(a.name, platform::Trim(platform::sanitizeField(b.name))) << "number " << n;
        EXPECT_NEAR(a.x, b.x, 0.0005) << "number " << n;
        EXPECT_NEAR(a.y, b.y, 0.0005) << "number " << n;
        EXPECT_NEAR(a.h, b.h, 0.0005) << "number " << n;
    }
    ASSERT_EQ(after.parcels.size(), before.parcels.size());
    for (std::size_t p = 0; p < before.parcels.size(); ++p) {
        EXPECT_EQ(after.parcels[p].name, platform::Trim(platform::sanitizeField(before.parcels[p].name)));
        EXPECT_EQ(after.parcels[p].info, platform::sanitizeField(before.parcels[p].info));
        EXPECT_EQ(after.parcels[p].vertices, before.parcels[p].vertices) << "parcel " << p + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(MojXml, RealExport, ::testing::Values("12103-0400-76.xml", "46505-3411-1.xml"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return (name.starts_with("12103") ? "zone9_" : "zone2_") + name.substr(0, name.size() - 4);
                         });

}  // namespace
}  // namespace tavelcor::exporttest
