// SPDX-License-Identifier: LicenseRef-Tavelcor
// The arithmetic of the elevation profile: where the samples fall and what
// they are named, the pitch, the refusals, the curvature correction, the
// height grid, the distance labels and the texts of the hand-over and of the
// two output files. Expected values are worked by hand from the sampling
// rules (a sample every pitch along each line, the line's start and the
// route's end always sampled).
#include "main/background/profile_build.h"

#include "platform/text/cp932.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace tavelcor::profile {
namespace {

// A route of lines joined end to end through the given vertices (plot X
// north, Y east).
std::vector<RouteLine> routeThrough(std::initializer_list<std::pair<double, double>> vertices)
{
    std::vector<RouteLine> route;
    const std::vector<std::pair<double, double>> v(vertices);
    for (std::size_t i = 1; i < v.size(); ++i)
        route.push_back({v[i - 1].first, v[i - 1].second, v[i].first, v[i].second});
    return route;
}

// 50 m north, then 30 m east.
std::vector<RouteLine> fiftyThenThirty()
{
    return routeThrough({{0.0, 0.0}, {50.0, 0.0}, {50.0, 30.0}});
}

ProfileSettings fixedPitch(int pitch)
{
    ProfileSettings s;
    s.fixedPitch = pitch;
    return s;
}

std::vector<float> distances(const ProfilePlan& plan)
{
    std::vector<float> out;
    for (const Sample& s : plan.samples)
        out.push_back(s.distance);
    return out;
}

QStringList namesOf(const ProfilePlan& plan)
{
    QStringList out;
    for (const Sample& s : plan.samples)
        out << s.name;
    return out;
}

QStringList lines(const QString& text)
{
    QStringList out = text.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(out.last().isEmpty()) << "every record ends with CR LF";
    out.removeLast();
    return out;
}

std::vector<Sample> withHeights(std::initializer_list<float> heights)
{
    std::vector<Sample> out;
    for (const float h : heights) {
        Sample s;
        s.height = h;
        out.push_back(s);
    }
    return out;
}

TEST(ProfileSampling, TwoLinesWithAFixedPitchAreSampledAtEveryPitchAndAtEveryVertex)
{
    const PlanResult result = planProfile(fiftyThenThirty(), fixedPitch(20));
    ASSERT_FALSE(result.refusal);
    const ProfilePlan& plan = result.plan;
    EXPECT_EQ(distances(plan), (std::vector<float>{0, 20, 40, 50, 70, 80}));
    EXPECT_EQ(namesOf(plan), (QStringList{"1", "n_p_m", "n_p_m", "2", "n_p_m", "3"}));
    EXPECT_FLOAT_EQ(plan.total, 80.0F);
    EXPECT_FLOAT_EQ(plan.pitch, 20.0F);
    // Along the first line northwards, then eastwards from the corner.
    EXPECT_NEAR(plan.samples[2].x, 40.0F, 1e-4);
    EXPECT_NEAR(plan.samples[2].y, 0.0F, 1e-4);
    EXPECT_NEAR(plan.samples[4].x, 50.0F, 1e-4);
    EXPECT_NEAR(plan.samples[4].y, 20.0F, 1e-4);
    EXPECT_FLOAT_EQ(plan.samples[5].x, 50.0F);
    EXPECT_FLOAT_EQ(plan.samples[5].y, 30.0F);
    EXPECT_EQ(fileNames(plan.samples, plan.pitch), (std::vector<QString>{"1", "1+20", "1+40", "2", "2+20", "3"}));
}

TEST(ProfileSampling, NamedPitchSamplesAreEmptyInTheHandOverAndNumberedInTheFiles)
{
    ProfileSettings settings = fixedPitch(20);
    settings.pitchPoints = true;
    const ProfilePlan plan = planProfile(fiftyThenThirty(), settings).plan;
    EXPECT_EQ(namesOf(plan), (QStringList{"1", "", "", "2", "", "3"}));
    EXPECT_EQ(fileNames(plan.samples, plan.pitch), (std::vector<QString>{"1", "2", "3", "4", "5", "6"}));
}

TEST(ProfileSampling, ALineOfAWholeNumberOfPitchesKeepsBothSamplesAtItsEnd)
{
    const ProfilePlan plan = planProfile(routeThrough({{0, 0}, {60, 0}, {60, 25}}), fixedPitch(20)).plan;
    EXPECT_EQ(distances(plan), (std::vector<float>{0, 20, 40, 60, 60, 80, 85}));
    EXPECT_EQ(namesOf(plan), (QStringList{"1", "n_p_m", "n_p_m", "n_p_m", "2", "n_p_m", "3"}));
}

TEST(ProfileSampling, ThePitchComesFromTheMaximumNumberOfPointsUnlessItIsFixed)
{
    const struct {
        const char* name;
        double length;
        int maxPoints;
        int fixed;
        float pitch;
        std::size_t samples;
    } rows[] = {
        {"1000 m over 50 points", 1000.0, 50, 0, 20.0F, 52},
        {"100 m over 50 points is raised to 5 m", 100.0, 50, 0, 5.0F, 22},
        {"a fixed 100 m on a 60 m line", 60.0, 50, 100, 100.0F, 2},
        {"a fixed pitch below 5 m is raised", 100.0, 50, 2, 5.0F, 22},
    };
    for (const auto& row : rows) {
        ProfileSettings settings;
        settings.maxPoints = row.maxPoints;
        settings.fixedPitch = row.fixed;
        const PlanResult result = planProfile(routeThrough({{0, 0}, {0, row.length}}), settings);
        ASSERT_FALSE(result.refusal) << row.name;
        EXPECT_FLOAT_EQ(result.plan.pitch, row.pitch) << row.name;
        EXPECT_EQ(result.plan.samples.size(), row.samples) << row.name;
    }
}

TEST(ProfileSampling, RoutesThatGiveNoProfileAreRefusedBeforeAnySampleIsMade)
{
    std::vector<RouteLine> tooMany(501, RouteLine{0, 0, 0, 10});
    std::vector<RouteLine> longest(500, RouteLine{0, 0, 0, 10});
    const struct {
        const char* name;
        std::vector<RouteLine> route;
        ProfileSettings settings;
        std::optional<Refusal> refusal;
    } rows[] = {
        {"no line", {}, {}, Refusal::TooShort},
        {"19.99 m", routeThrough({{0, 0}, {0, 19.99}}), {}, Refusal::TooShort},
        {"20 m", routeThrough({{0, 0}, {0, 20}}), {}, std::nullopt},
        {"501 lines", tooMany, {}, Refusal::TooManyLines},
        {"500 lines", longest, {}, std::nullopt},
        {"a fixed 5 m pitch on 8 km", routeThrough({{0, 0}, {8000, 0}}), fixedPitch(5), Refusal::TooManySamples},
        {"1000 points on 500 lines is more than the table holds", longest, ProfileSettings{1000, 0, false, false, 1},
         Refusal::TooManySamples},
    };
    for (const auto& row : rows) {
        const PlanResult result = planProfile(row.route, row.settings);
        EXPECT_EQ(result.refusal, row.refusal) << row.name;
        if (result.refusal) {
            EXPECT_TRUE(result.plan.samples.empty()) << row.name;
        }
    }
}

TEST(ProfileSampling, TheSampleLimitKeepsTheSampleNumbersBelowTheGridNumbers)
{
    EXPECT_EQ(sampleLimit(ProfileSettings{10, 0, false, false, 1}), 1010);
    EXPECT_EQ(sampleLimit(ProfileSettings{50, 0, false, false, 1}), 1050);
    EXPECT_EQ(sampleLimit(ProfileSettings{1000, 0, false, false, 1}), 1100);
    // With 50 points, 1050 samples are allowed: one line with a fixed 5 m
    // pitch gives its start, Int(length / 5) pitch samples and the end.
    EXPECT_FALSE(planProfile(routeThrough({{0, 0}, {5240, 0}}), fixedPitch(5)).refusal);
    EXPECT_EQ(planProfile(routeThrough({{0, 0}, {5245, 0}}), fixedPitch(5)).refusal, Refusal::TooManySamples);
}

TEST(ProfileHeights, TheCurvatureCorrectionGrowsWithTheSquareOfTheDistance)
{
    std::vector<Sample> samples = withHeights({100.0F, 100.0F, 100.0F});
    samples[1].distance = 1000.0F;
    samples[2].distance = 10000.0F;
    applyCurvature(samples);
    EXPECT_FLOAT_EQ(samples[0].height, 100.0F);
    EXPECT_NEAR(samples[1].height, 100.0F - 0.0681F, 1e-4);
    EXPECT_NEAR(samples[2].height, 100.0F - 6.81F, 1e-4);
}

TEST(ProfileHeights, TheGridSpansTheHeightsInRoundSteps)
{
    const struct {
        const char* name;
        std::vector<Sample> samples;
        HeightGrid grid;
    } rows[] = {
        {"12.4 to 87.6", withHeights({12.4F, 50.0F, 87.6F}), {10, 90, 10, 8}},
        {"105 to 420", withHeights({105.0F, 420.0F, 300.0F}), {100, 500, 50, 8}},
        {"0 to 130", withHeights({130.0F, 0.0F}), {0, 225, 25, 9}},
        {"flat at 5", withHeights({5.0F}), {0, 10, 10, 1}},
        {"below sea level", withHeights({-12.0F, 3.0F}), {-20, 10, 10, 3}},
        {"a mountain", withHeights({200.0F, 2600.0F}), {0, 3000, 1000, 3}},
        {"halves go to the even neighbour", withHeights({10.5F, 19.5F}), {10, 30, 10, 2}},
    };
    for (const auto& row : rows) {
        const HeightGrid grid = heightGrid(row.samples);
        EXPECT_EQ(grid.minH, row.grid.minH) << row.name;
        EXPECT_EQ(grid.maxH, row.grid.maxH) << row.name;
        EXPECT_EQ(grid.step, row.grid.step) << row.name;
        EXPECT_EQ(grid.levels, row.grid.levels) << row.name;
    }
}

TEST(ProfileLabels, TheDistanceStepFollowsHalfTheTotal)
{
    const struct {
        float total;
        double step;
    } rows[] = {{80, 50},       {499, 50},        {500, 100},        {1800, 250},       {4999, 500},
                {9999, 1000},   {24999, 2500},    {49999, 5000},     {99999, 10000},    {199999, 50000},
                {999999, 100000}, {1000000, 500000}};
    for (const auto& row : rows)
        EXPECT_EQ(distanceStep(row.total), row.step) << row.total;
}

TEST(ProfileLabels, A1800MetreRouteIsLabelledEvery250Metres)
{
    ProfilePlan plan = planProfile(routeThrough({{0, 0}, {0, 1800}}), ProfileSettings{}).plan;
    for (Sample& s : plan.samples)
        s.height = 40.0F;
    const QStringList records = lines(handoverText(plan, heightGrid(plan.samples), ProfileSettings{}));
    QStringList labels;
    for (const QString& r : records)
        if (r.section(u',', 2, 2).startsWith(QStringLiteral("L=")))
            labels << r.section(u',', 2, 2);
    EXPECT_EQ(labels, (QStringList{"L=0m", "L=250m", "L=500m", "L=750m", "L=1km", "L=1.25km", "L=1.5km",
                                   "L=1.75km"}));
}

// The whole hand-over of the 50 m + 30 m route with heights 10, 12.5, 15,
// 20, 0.5 and 31: grid 0..40 in steps of 10 (four levels), labels every
// 50 m, point numbers of the grid from 50 + 1001.
TEST(ProfileTexts, TheHandOverDrawsTheProfileItsGridAndItsLabels)
{
    ProfilePlan plan = planProfile(fiftyThenThirty(), fixedPitch(20)).plan;
    const float heights[] = {10.0F, 12.5F, 15.0F, 20.0F, 0.5F, 31.0F};
    for (std::size_t i = 0; i < plan.samples.size(); ++i)
        plan.samples[i].height = heights[i];
    const HeightGrid grid = heightGrid(plan.samples);
    EXPECT_EQ(grid.minH, 0);
    EXPECT_EQ(grid.maxH, 40);
    const QStringList records = lines(handoverText(plan, grid, fixedPitch(20)));
    QStringList expected = {
        "Z00,NEW_SIMA 地理院標高API,", "G00,01,", "A00,",
        "A01,1,1,10,0,", "A01,2,n_p_m,12.5,20,", "A01,3,n_p_m,15,40,", "A01,4,2,20,50,",
        "A01,5,n_p_m,0.5,70,", "A01,6,3,31,80,",
    };
    for (int level = 0; level <= 4; ++level) {
        const QString v = QString::number(level * 10);
        const int n = 1051 + 2 * level;
        expected << QStringLiteral("A01,%1,H=%2,%2,-4,").arg(n).arg(v)
                 << QStringLiteral("A01,%1,H=%2,%2,-4,").arg(n + 100).arg(v)
                 << QStringLiteral("A01,%1,H=%2,%2,84,").arg(n + 1).arg(v)
                 << QStringLiteral("A01,%1,H=%2,%2,84,").arg(n + 101).arg(v);
    }
    expected << "A01,1061,L=0m,0,0," << "A01,1062,L=50m,0,50,";
    expected << "A99," << "Z00,," << "D00,1,type open,2,";
    for (int i = 1; i <= 6; ++i)
        expected << QStringLiteral("B01,%1,,").arg(i);
    expected << "D00,2,DL,1,";
    for (int j = 1051; j < 1051 + 2 * 4; j += 2)
        expected << QStringLiteral("B01,%1,,").arg(j) << QStringLiteral("B01,%1,,").arg(j + 1)
                 << QStringLiteral("B01,%1,,").arg(j + 3) << QStringLiteral("B01,%1,,").arg(j + 2);
    expected << "D99,";
    EXPECT_EQ(records, expected);
}

TEST(ProfileTexts, TheVerticalFactorScalesTheHeightsOfTheDrawing)
{
    ProfileSettings settings = fixedPitch(20);
    settings.scale = 5;
    ProfilePlan plan = planProfile(fiftyThenThirty(), settings).plan;
    for (Sample& s : plan.samples)
        s.height = 12.5F;
    const QStringList records = lines(handoverText(plan, heightGrid(plan.samples), settings));
    EXPECT_EQ(records.at(3), QStringLiteral("A01,1,1,62.5,0,"));
    EXPECT_TRUE(records.contains(QStringLiteral("A01,1051,H=10,50,-4,")));
}

TEST(ProfileTexts, TheFilesHoldAbsoluteCoordinatesAndLatitudesUnderTheirFileNames)
{
    ProfilePlan plan = planProfile(fiftyThenThirty(), fixedPitch(20)).plan;
    for (std::size_t i = 0; i < plan.samples.size(); ++i) {
        plan.samples[i].height = 0.5F + static_cast<float>(i);
        plan.samples[i].latitudeDeg = 35.5 + static_cast<double>(i) / 1000.0;
        plan.samples[i].longitudeDeg = 139.25;
    }
    const std::vector<QString> names = fileNames(plan.samples, plan.pitch);
    const QStringList sima = lines(platform::fromCp932(simaFile(plan.samples, names, -1000.0, 2000.0)));
    EXPECT_EQ(sima.mid(0, 5), (QStringList{"Z00,ルート,", "G00,01,", "A00,", "A01,1,1,-1000,2000,0.5",
                                           "A01,2,1+20,-980,2000,1.5"}));
    EXPECT_EQ(sima.at(8), QStringLiteral("A01,6,3,-950,2030,5.5"));
    EXPECT_EQ(sima.mid(9, 4), (QStringList{"A99,", "Z00,,", "D00,1,ルート,2,", "B01,1,,"}));
    EXPECT_EQ(sima.mid(sima.size() - 3), (QStringList{"B01,6,,", "D99,", "Z00,,"}));
    const QByteArray csvBytes = csvFile(plan.samples, names);
    const QStringList csv = lines(platform::fromCp932(csvBytes));
    EXPECT_EQ(csv, (QStringList{"1,1,35.5,139.25,0.5", "2,1+20,35.501,139.25,1.5", "3,1+40,35.502,139.25,2.5",
                                "4,2,35.503,139.25,3.5", "5,2+20,35.504,139.25,4.5", "6,3,35.505,139.25,5.5"}));
    EXPECT_EQ(platform::toCp932(QStringLiteral("ルート")), simaFile(plan.samples, names, 0, 0).mid(4, 6))
        << "the SIMA file is Shift-JIS";
}

TEST(ProfileTexts, TheOutputNameLosesItsExtensionOnly)
{
    const struct {
        const char* chosen;
        const char* base;
    } rows[] = {
        {"/data/route.csv", "/data/route"},
        {"/data/route", "/data/route"},
        {"/data/route.tar.sim", "/data/route.tar"},
        {"/da.ta/route", "/da.ta/route"},
        {"C:\\data\\route.csv", "C:\\data\\route"},
        {"route.", "route"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(outputBase(QString::fromUtf8(row.chosen)), QString::fromUtf8(row.base)) << row.chosen;
}

}  // namespace
}  // namespace tavelcor::profile
