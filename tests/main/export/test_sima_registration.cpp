// SPDX-License-Identifier: LicenseRef-Tavelcor
// SIMA registration without windows: which parcels and coordinates each
// target chooses, the radius search of target 6 (checked against the plain
// all-pairs search), the renumbering limit and the records written.
#include "export_fixture.h"

#include "main/export/sima_registration.h"
#include "main/site/tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cmath>

namespace tavelcor::exporttest {
namespace {

using sima::Selection;

class SimaLogicTest : public ExportLogicTest {
protected:
    void SetUp() override
    {
        ExportLogicTest::SetUp();
        OriginX = 0.0;
        OriginY = 0.0;
        // The view: centre (0, 0), 100 m each way; the window of the tests
        // reaches 60 m from the centre.
        ViewCX = 0.0;
        ViewCY = 0.0;
        ViewSpanX = 100.0;
        ViewSpanY = 100.0;
    }

    static std::vector<int> flagged(const std::vector<std::uint8_t>& flags, std::uint8_t value)
    {
        std::vector<int> out;
        for (std::size_t i = 1; i < flags.size(); ++i)
            if (flags[i] == value)
                out.push_back(static_cast<int>(i));
        return out;
    }

    QStringList writeAndRead(const Selection& selection, const sima::SimaFileOptions& options,
                             sima::SimaNumbers* next = nullptr)
    {
        const QString file = path(QStringLiteral("T.SIM"));
        const sima::SimaWriteResult result = sima::writeSimaRegistration(file, selection, options);
        EXPECT_FALSE(result.file.failed());
        if (next)
            *next = result.next;
        return readCrLfLines(file).value_or(QStringList{});
    }
};

TEST_F(SimaLogicTest, UsableCoordinatesByName)
{
    const std::pair<QString, bool> rows[] = {
        {"K1", true},         {"", true},           {"_?>", false},   {" _?> ", false}, {"P_?_", false},
        {"P_?_  ", false},    {"P_?_x", true},      {"n_p_m", false}, {"n_p_m2", true},
    };
    int n = 0;
    for (const auto& [name, usable] : rows) {
        ZahyoName[++n] = name;
        EXPECT_EQ(sima::isUsableZahyo(n), usable) << name.toStdString();
    }
    EXPECT_FALSE(sima::isUsableZahyo(0));
    EXPECT_FALSE(sima::isUsableZahyo(kZahyoTop + 1));
}

TEST_F(SimaLogicTest, ParcelsCrossingTheViewBecomeSelected)
{
    addCoordinate(1, "in", 0.0, 0.0);
    addCoordinate(2, "far north", 500.0, 0.0);
    addCoordinate(3, "far north east", 500.0, 500.0);
    addCoordinate(4, "far east", 0.0, 500.0);
    addCoordinate(5, "far south east", -500.0, 500.0);
    const int inside = addParcel("inside", {1, 2});
    const int single = addParcel("single", {1});
    // Each edge between consecutive vertices has both ends beyond one side
    // (north, then east twice); only its closing edge, from 4 back to 2,
    // would pass the test, and that edge is not tested.
    const int closing = addParcel("closing", {2, 3, 5, 4});
    const int before = addParcel("selected before", {3, 4});
    KakuchiSel[before] = 1;
    for (const int target : {2, 3, 4}) {
        for (int p = 1; p <= KakuchiCount; ++p)
            KakuchiSel[p] = p == before ? 1 : 0;
        Selection selection;
        ASSERT_TRUE(sima::chooseParcels(target, selection));
        EXPECT_EQ(flagged(selection.parcel, 1), std::vector<int>{inside}) << "target " << target;
        EXPECT_EQ(KakuchiSel[inside], 1);
        EXPECT_EQ(KakuchiSel[single], 0);
        EXPECT_EQ(KakuchiSel[closing], 0);
        EXPECT_EQ(KakuchiSel[before], 1) << "a selection made before stays";
    }
}

TEST_F(SimaLogicTest, SelectedTargetsNeedASelection)
{
    addCoordinate(1, "a", 0.0, 0.0);
    addParcel("p", {1});
    addParcel("q", {1});
    Selection none;
    EXPECT_FALSE(sima::chooseParcels(5, none));
    EXPECT_FALSE(sima::chooseParcels(6, none));
    EXPECT_TRUE(flagged(none.parcel, 1).empty());
    KakuchiSel[2] = 1;
    Selection one;
    EXPECT_TRUE(sima::chooseParcels(6, one));
    EXPECT_EQ(flagged(one.parcel, 1), std::vector<int>{2});
    Selection all;
    EXPECT_TRUE(sima::chooseParcels(1, all));
    EXPECT_EQ(flagged(all.parcel, 1), (std::vector<int>{1, 2}));
}

TEST_F(SimaLogicTest, CoordinatesOfEachTarget)
{
    addCoordinate(1, "in", 10.0, 10.0);
    addCoordinate(2, "on the bound", 60.0, 0.0);  // X exactly ViewCX + 0.6 x ViewSpanX
    addCoordinate(3, "out", 60.001, 0.0);
    addCoordinate(4, "temp_?_", 0.0, 0.0);
    addCoordinate(5, "vertex out", 900.0, 900.0);
    addCoordinate(6, "vertex_?_", 1.0, 1.0);
    addCoordinate(7, "far", 900.0, -900.0);
    addParcel("p", {5, 6, 1});
    struct Row {
        int target;
        bool renumber;
        std::vector<int> written;
    };
    const Row rows[] = {
        {1, false, {1, 2, 3, 5, 7}},
        {1, true, {1, 2, 3, 5, 6, 7}},  // the temporary vertex is written too when renumbering
        {2, false, {1, 2}},
        {3, false, {1, 2, 5, 6}},
        {4, false, {1, 5, 6}},
        {5, false, {1, 5, 6}},
        {6, true, {1, 5, 6}},
    };
    KakuchiSel[1] = 1;
    for (const Row& row : rows) {
        Selection selection;
        ASSERT_TRUE(sima::chooseParcels(row.target, selection));
        sima::chooseCoordinates(row.target, row.renumber, selection);
        EXPECT_EQ(flagged(selection.coordinate, sima::kWritten), row.written)
            << "target " << row.target << " renumber " << row.renumber;
        EXPECT_EQ(sima::writtenCoordinateCount(selection), static_cast<int>(row.written.size()));
    }
}

// ---- the radius of target 6 ----------------------------------------------------------

TEST_F(SimaLogicTest, NearMeansCloserThanTheRadiusAndNoParcelVertex)
{
    addCoordinate(1, "centre", 0.0, 0.0);
    addCoordinate(2, "at the radius", 30.0, 40.0);     // 50 m exactly
    addCoordinate(3, "just inside", 29.99, 40.0);
    addCoordinate(4, "vertex of another parcel", 1.0, 1.0);
    addCoordinate(5, "temp_?_", 1.0, 1.0);
    addCoordinate(6, "chain", 79.0, 40.0);              // near 3 only, which is no centre
    addCoordinate(7, "_?>", 2.0, 2.0);
    addParcel("selected", {1});
    addParcel("other", {4});
    KakuchiSel[1] = 1;
    Selection selection;
    ASSERT_TRUE(sima::chooseParcels(6, selection));
    sima::chooseCoordinates(6, false, selection);
    sima::addNearCoordinates(50.0, selection);
    EXPECT_EQ(flagged(selection.coordinate, sima::kWritten), std::vector<int>{1});
    EXPECT_EQ(flagged(selection.coordinate, sima::kNear), std::vector<int>{3});
    Selection nothing = selection;
    sima::addNearCoordinates(0.0, nothing);
    sima::addNearCoordinates(-5.0, nothing);
    sima::addNearCoordinates(std::nan(""), nothing);
    EXPECT_EQ(nothing.coordinate, selection.coordinate);
}

// The plain search the grid replaces: every centre against every coordinate.
std::vector<int> nearByAllPairs(const Selection& selection, double radius)
{
    std::vector<int> out;
    for (int j = 1; j <= ZahyoMax; ++j) {
        if (selection.coordinate[std::size_t(j)] != 0 || ZahyoUsed[j] != 0 || !sima::isUsableZahyo(j))
            continue;
        for (int c = 1; c <= ZahyoMax; ++c) {
            if (selection.coordinate[std::size_t(c)] != sima::kWritten)
                continue;
            if (std::sqrt((ZahyoX[j] - ZahyoX[c]) * (ZahyoX[j] - ZahyoX[c])
                          + (ZahyoY[j] - ZahyoY[c]) * (ZahyoY[j] - ZahyoY[c]))
                < radius) {
                out.push_back(j);
                break;
            }
        }
    }
    return out;
}

TEST_F(SimaLogicTest, TheGridFindsWhatTheAllPairsSearchFinds)
{
    QRandomGenerator random(20240611);
    // Sites from a few metres to 200 km across (the grid widens its cells
    // when the radius is small against the extent), radii 1 to 999 m.
    const double extents[] = {5.0, 800.0, 200000.0};
    const double radii[] = {1.0, 7.5, 50.0, 999.0};
    for (const double extent : extents) {
        resetTables();
        for (int n = 1; n <= 3000; ++n)
            addCoordinate(n, QStringLiteral("K%1").arg(n), random.bounded(extent) - extent / 2,
                          random.bounded(extent) + 100000.0);
        for (int p = 0; p < 40; ++p) {
            const int first = 1 + 5 * p;
            addParcel(QString::number(p), {first, first + 1, first + 2});
            KakuchiSel[KakuchiCount] = p % 2 == 0 ? 1 : 0;
        }
        for (const double radius : radii) {
            Selection selection;
            ASSERT_TRUE(sima::chooseParcels(6, selection));
            sima::chooseCoordinates(6, false, selection);
            const std::vector<int> expected = nearByAllPairs(selection, radius);
            sima::addNearCoordinates(radius, selection);
            EXPECT_EQ(flagged(selection.coordinate, sima::kNear), expected)
                << "extent " << extent << " radius " << radius;
        }
    }
}

TEST_F(SimaLogicTest, RenumberingStaysInsideTheTable)
{
    const struct {
        std::int32_t start;
        std::int32_t count;
        bool fits;
    } rows[] = {{1, 500000, true},  {2, 500000, false}, {499990, 11, true}, {499990, 20, false},
                {400000, 0, true},  {0, 5, false},      {500001, 0, true},  {2147483647, 2, false}};
    for (const auto& row : rows)
        EXPECT_EQ(sima::renumberingFits(row.start, row.count), row.fits) << row.start << " + " << row.count;
}

// ---- the file -------------------------------------------------------------------------

TEST_F(SimaLogicTest, RecordsWithoutRenumbering)
{
    addCoordinate(3, QStringLiteral(" K,1 "), 100.5, -200.25);
    ZahyoH[3] = -1000.5;
    addCoordinate(9, QStringLiteral("high"), 1.0, 2.0);
    ZahyoH[9] = 12345.678;
    const int p = addParcel(QStringLiteral(" 12-3,4 "), {3, 9});
    KakuchiInfo[p] = QStringLiteral("字上,ノ原\r\n1番");
    addParcel(QStringLiteral("type open"), {9, 3});
    Selection selection;
    ASSERT_TRUE(sima::chooseParcels(1, selection));
    sima::chooseCoordinates(1, false, selection);
    sima::SimaFileOptions options;
    options.withLocation = true;
    options.numbers = {7, 20};
    sima::SimaNumbers next;
    EXPECT_EQ(writeAndRead(selection, options, &next),
              (QStringList{"Z00,,", "G00,01,", "A00,", "A01,3,K_1,100.500,-200.250,-1000.500,",
                           "A01,9,high,1.000,2.000,12345.678,", "A99,", "Z00,,",
                           "D00,20, 12-3_4 ,1,字上_ノ原 1番", "B01,3,K_1,", "B01,9,high,", "D99,",
                           "D00,21,type open,2,", "B01,9,high,", "B01,3,K_1,", "D99,", "Z00,,"}));
    EXPECT_EQ(next.zahyoStart, 7) << "no renumbering";
    EXPECT_EQ(next.kakuchiStart, 22);
}

TEST_F(SimaLogicTest, RenumberingMapsTheVertices)
{
    addCoordinate(40, QStringLiteral("K1"), 100.5, -200.25);
    ZahyoH[40] = 3.1;
    addCoordinate(41, QStringLiteral("K2"), 0.0, 0.0);
    addCoordinate(52, QStringLiteral("P_?_"), 1.0, 1.0);
    addParcel(QStringLiteral("7-1"), {40, 52, 41});
    Selection selection;
    ASSERT_TRUE(sima::chooseParcels(1, selection));
    sima::chooseCoordinates(1, true, selection);
    sima::SimaFileOptions options;
    options.renumber = true;
    options.numbers = {101, 7};
    sima::SimaNumbers next;
    const QStringList lines = writeAndRead(selection, options, &next);
    EXPECT_EQ(lines.mid(3, 3), (QStringList{"A01,101,K1,100.500,-200.250,3.100,", "A01,102,K2,0.000,0.000,0.000,",
                                            "A01,103,P_?_,1.000,1.000,0.000,"}));
    EXPECT_EQ(lines.mid(8, 4), (QStringList{"D00,7,7-1,1,", "B01,101,K1,", "B01,103,P_?_,", "B01,102,K2,"}));
    EXPECT_EQ(next.zahyoStart, 104);
    EXPECT_EQ(next.kakuchiStart, 8);
    for (const QString& line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("B01,0,"))) << line.toStdString();
}

TEST_F(SimaLogicTest, CoordinatesOnlyWithoutParcels)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    addParcel(QStringLiteral("p"), {1});
    Selection selection;
    ASSERT_TRUE(sima::chooseParcels(2, selection));
    sima::chooseCoordinates(2, false, selection);
    sima::SimaFileOptions options;
    options.writeParcels = false;
    sima::SimaNumbers next;
    EXPECT_EQ(writeAndRead(selection, options, &next),
              (QStringList{"Z00,,", "G00,01,", "A00,", "A01,1,A,0.000,0.000,0.000,", "A99,", "Z00,,"}));
    EXPECT_EQ(next.kakuchiStart, 1) << "no parcel written";
}

TEST_F(SimaLogicTest, AFailedWriteLeavesWhatWasThere)
{
    Selection selection;
    const QString folder = path(QStringLiteral("T.SIM"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(sima::writeSimaRegistration(folder, selection, {}).file.failed());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

}  // namespace
}  // namespace tavelcor::exporttest
