// SPDX-License-Identifier: LicenseRef-Tavelcor
// The SIMA text of the redisplay command on its own: the kinds of texts, the
// check against the tables' bounds before anything changes, the reload's
// clearing and the field-by-field scan with its vertex-slot rule.
#include "main/survey/sima_reload.h"

#include "main/site/tables.h"
#include "platform/prompt/testing.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor {
namespace {

QString crlf(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

class SimaReload : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
        OriginX = 1000.0;
        OriginY = 2000.0;
    }

    static void name(int n, const QString& text)
    {
        ZahyoName[n] = text;
        ZahyoMax = std::max(ZahyoMax, n);
    }

    // One parcel named `parcelName` over the given coordinate numbers, from
    // the next slot on.
    static void addParcel(const QString& parcelName, std::initializer_list<int> vertices)
    {
        std::int32_t slot = nextVertexSlot();
        ++KakuchiCount;
        KakuchiName[KakuchiCount] = parcelName;
        KakuchiFirst[KakuchiCount] = slot;
        for (int n : vertices)
            KakuchiVertex[slot++] = n;
        KakuchiLast[KakuchiCount] = slot - 1;
    }

    platform::testing::GTestScriptedPrompter script;
};

TEST_F(SimaReload, KindsOfTexts)
{
    const struct {
        const char16_t* text;
        bool workbook;
        SimaTextKind kind;
    } rows[] = {
        {u"Z00,SIMA_RELOAD,\r\nA01,1,P,0,0,0,", true, SimaTextKind::Reload},
        {u"Z00,SIMA_RELOAD", true, SimaTextKind::Reload},
        {u"Z00,SIMA_TUIKA,\r\n", true, SimaTextKind::Append},
        {u"Z00,SIMA_OTHER,", true, SimaTextKind::Merge},
        {u"Z00,SIMA_", true, SimaTextKind::Merge},
        {u"z00,sima_reload,", false, SimaTextKind::Merge},  // compared exactly
        {u" Z00,SIMA_RELOAD,", false, SimaTextKind::Merge},
        {u"Z00,SIMA", false, SimaTextKind::Merge},
        {u"A01,1,P,0,0,0,", false, SimaTextKind::Merge},
        {u"", false, SimaTextKind::Merge},
    };
    for (const auto& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(isWorkbookSimaText(text), row.workbook) << text.toStdString();
        EXPECT_EQ(simaTextKind(text), row.kind) << text.toStdString();
    }
}

TEST_F(SimaReload, NextVertexSlotFollowsTheLastParcel)
{
    EXPECT_EQ(nextVertexSlot(), 1);
    name(1, QStringLiteral("A"));
    addParcel(QStringLiteral("L1"), {1, 1, 1});
    EXPECT_EQ(nextVertexSlot(), 4);
    KakuchiLast[1] = 599999;
    EXPECT_EQ(nextVertexSlot(), 600000);
}

TEST_F(SimaReload, ScanReadsCoordinatesParcelsAndVertices)
{
    const QString text = crlf({QStringLiteral("Z00,SIMA_RELOAD,"), QStringLiteral("A01,1, P 1 ,100.5,200.25,7,"),
                               QStringLiteral("A01,2,P2,-10,-20,0,"), QStringLiteral("D00,1,LOT1,1,,"),
                               QStringLiteral("B01,1,P 1,"), QStringLiteral("B01,2,P2,"), QStringLiteral("D99,"),
                               QStringLiteral("D00,2, LOT 2 ,1,,"), QStringLiteral("B01,2,P2,")});
    scanSimaText(text, false, 1);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("P 1")) << "a name is trimmed at its ends only";
    EXPECT_EQ(ZahyoX[1], 100.5);
    EXPECT_EQ(ZahyoY[1], 200.25);
    EXPECT_EQ(ZahyoPX[1], 100.5 - 1000.0);
    EXPECT_EQ(ZahyoPY[1], 200.25 - 2000.0);
    EXPECT_EQ(ZahyoH[1], 0.0) << "the height is not read";
    EXPECT_EQ(ZahyoMax, 2);
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiName[2], QStringLiteral(" LOT 2 ")) << "a parcel name is kept as read";
    EXPECT_EQ(KakuchiFirst[1], 1);
    EXPECT_EQ(KakuchiLast[1], 2);
    EXPECT_EQ(KakuchiVertex[1], 1);
    EXPECT_EQ(KakuchiVertex[2], 2);
    EXPECT_EQ(KakuchiFirst[2], 3);
    EXPECT_EQ(KakuchiLast[2], 3);
    EXPECT_EQ(KakuchiVertex[3], 2);
    EXPECT_EQ(ZahyoUsed[1], 0) << "the vertex flag is not touched";
    EXPECT_EQ(KakuchiSel[1], 0);
    EXPECT_TRUE(script->records().empty());
}

TEST_F(SimaReload, AVertexWithoutCoordinateIsPassedOverWithItsMessageEachTime)
{
    const QString text =
        crlf({QStringLiteral("A01,1,P1,100,200,0,"), QStringLiteral("D00,1,LOT1,1,,"), QStringLiteral("B01,1,P1,"),
              QStringLiteral("B01,9,P9,"), QStringLiteral("B01, 9,P9,")});
    const QString message = QStringLiteral(
        "LOT1画地データに、座標ナンバー 9 を含んでいますが、座標データが有りませんので、このポイントを無視しました_?>");
    script->expectMessage(platform::MsgResult::Ok, message)
        .expectMessage(platform::MsgResult::Ok,
                       QStringLiteral("LOT1画地データに、座標ナンバー  9 を含んでいますが、"
                                      "座標データが有りませんので、このポイントを無視しました_?>"));
    scanSimaText(text, false, 1);
    EXPECT_EQ(KakuchiFirst[1], 1);
    EXPECT_EQ(KakuchiLast[1], 1);
    EXPECT_EQ(KakuchiVertex[1], 1);
    ASSERT_EQ(script->records().size(), 2u);
    EXPECT_TRUE(script->records()[0].title.isEmpty()) << "the message has no title";
    EXPECT_EQ(script->records()[0].buttons, platform::MsgButtons::OkOnly);
}

TEST_F(SimaReload, AParcelWithoutVerticesEndsBeforeItStarts)
{
    name(1, QStringLiteral("A"));
    addParcel(QStringLiteral("OLD"), {1, 1});
    scanSimaText(QStringLiteral("D00,2,EMPTY,1,,\r\n"), false, nextVertexSlot());
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiFirst[2], 3);
    EXPECT_EQ(KakuchiLast[2], KakuchiFirst[2] - 1);
    EXPECT_EQ(KakuchiLast[1], 2) << "the parcel before keeps its last slot";
}

TEST_F(SimaReload, AppendSelectsOnlyTheNewParcels)
{
    name(1, QStringLiteral("A"));
    addParcel(QStringLiteral("OLD"), {1});
    scanSimaText(QStringLiteral("Z00,SIMA_TUIKA,\r\nD00,1,N1,1,,\r\nB01,1,A,\r\nD00,2,N2,1,,\r\n"), true,
                 nextVertexSlot());
    ASSERT_EQ(KakuchiCount, 3);
    EXPECT_EQ(KakuchiSel[1], 0);
    EXPECT_EQ(KakuchiSel[2], 1);
    EXPECT_EQ(KakuchiSel[3], 1);
    EXPECT_EQ(KakuchiFirst[2], 2);
    EXPECT_EQ(KakuchiVertex[2], 1);
}

TEST_F(SimaReload, RecordsAreFoundWhereverTheyStandAndOnlyWhole)
{
    // Records glued onto one line, an "A01" among the fields after Y, a
    // field "A01\r" that a carriage return keeps from being a record.
    const QString text = QStringLiteral("x,A01,3,N3,1,2,A01,4,N4,5,6,\r\nA01\r,5,N5,7,8,");
    scanSimaText(text, false, 1);
    EXPECT_EQ(ZahyoName[3], QStringLiteral("N3"));
    EXPECT_EQ(ZahyoName[4], QStringLiteral("N4"));
    EXPECT_EQ(ZahyoX[4], 5.0);
    EXPECT_EQ(ZahyoName[5], QStringLiteral("_?>"));
    EXPECT_EQ(ZahyoMax, 4);
}

// Line ends of every kind, records cut short by the end of the text, and
// numbers in forms other than the plain ones: what the scan makes of
// coordinate 1 and of the first parcel.
TEST_F(SimaReload, ScanTakesEveryLineEndAndShortRecords)
{
    const struct {
        const char* name;
        const char16_t* text;
        const char16_t* name1;  // ZahyoName[1]
        double x1;
        double y1;
        int zahyoMax;
        int parcels;
        int last1;  // KakuchiLast[1] (slots from 1)
    } rows[] = {
        {"crlf", u"A01,1,P1,100,200,0,\r\nD00,1,L,1,,\r\nB01,1,P1,\r\n", u"P1", 100, 200, 1, 1, 1},
        {"lf", u"A01,1,P1,100,200,0,\nD00,1,L,1,,\nB01,1,P1,\n", u"P1", 100, 200, 1, 1, 1},
        {"no_line_end", u"A01,1,P1,100,200,0,D00,1,L,1,,B01,1,P1", u"P1", 100, 200, 1, 1, 1},
        // A lone CR belongs to the field: "\rA01" is no record.
        {"lone_cr", u"A01,1,P1,100,200,0,\rA01,2,P2,1,2,0,\r", u"P1", 100, 200, 1, 0, 0},
        {"cut_after_x", u"A01,1,P1,100", u"P1", 100, 0, 1, 0, 0},
        {"cut_after_number", u"A01,1", u"", 0, 0, 1, 0, 0},
        {"cut_parcel", u"A01,1,P1,1,2,\r\nD00,1", u"P1", 1, 2, 1, 1, 0},
        {"vertex_cut", u"A01,1,P1,1,2,\r\nD00,1,L,\r\nB01,1", u"P1", 1, 2, 1, 1, 1},
        {"blanks_and_empty", u"A01, 1 ,  P 1  , 100.5 ,,\r\n", u"P 1", 100.5, 0, 1, 0, 0},
        {"other_number_forms", u"A01,1.4,P1,1.5e3,-.25,\r\n", u"P1", 1500, -0.25, 1, 0, 0},
        {"long_fields", u"A01,000000000001,名前が長い座標の名前,-123456789.125,98765.4321,\r\n",
         u"名前が長い座標の名前", -123456789.125, 98765.4321, 1, 0, 0},
    };
    for (const auto& row : rows) {
        resetTables();
        scanSimaText(QString::fromUtf16(row.text), false, 1);
        EXPECT_EQ(ZahyoName[1], QString::fromUtf16(row.name1)) << row.name;
        EXPECT_EQ(ZahyoX[1], row.x1) << row.name;
        EXPECT_EQ(ZahyoY[1], row.y1) << row.name;
        EXPECT_EQ(ZahyoPX[1], row.x1 - OriginX) << row.name;
        EXPECT_EQ(ZahyoMax, row.zahyoMax) << row.name;
        EXPECT_EQ(ZahyoName[2], QStringLiteral("_?>")) << row.name;
        ASSERT_EQ(KakuchiCount, row.parcels) << row.name;
        if (row.parcels > 0) {
            EXPECT_EQ(KakuchiFirst[1], 1) << row.name;
            EXPECT_EQ(KakuchiLast[1], row.last1) << row.name;
        }
    }
    EXPECT_TRUE(script->records().empty());
}

// A reload starts from empty coordinates and parcels, as a fresh read
// does: nothing of the old point 7 or the old parcel 1 stays under the new
// data. The highest number in use is kept.
TEST_F(SimaReload, ReloadClearingStartsFromEmptyCoordinatesAndParcels)
{
    name(7, QStringLiteral("K7"));
    ZahyoX[7] = 5.0;
    ZahyoY[7] = 6.0;
    ZahyoH[7] = 3.5;
    ZahyoPX[7] = 4.0;
    ZahyoLink[7] = QStringLiteral("photo.jpg");
    ZahyoUsed[7] = 1;
    addParcel(QStringLiteral("L"), {7});
    KakuchiSel[1] = 1;
    KakuchiInfo[1] = QStringLiteral("字上ノ原");
    ASSERT_TRUE(setKakuchiAttr(1, 3, QStringLiteral("宅地")));
    KakuchiLabelX[1] = 2.5F;
    clearForSimaReload();
    EXPECT_EQ(KakuchiCount, 0);
    EXPECT_EQ(KakuchiSel[1], 0);
    EXPECT_EQ(ZahyoName[7], QStringLiteral("_?>"));
    EXPECT_EQ(ZahyoX[7], 0.0);
    EXPECT_EQ(ZahyoY[7], 0.0);
    EXPECT_EQ(ZahyoUsed[7], 0);
    EXPECT_EQ(ZahyoName[500000], QStringLiteral("_?>"));
    EXPECT_EQ(ZahyoMax, 7) << "the highest number in use is kept";
    EXPECT_EQ(ZahyoH[7], 0.0);
    EXPECT_EQ(ZahyoPX[7], 0.0);
    EXPECT_EQ(ZahyoLink[7], QStringLiteral("photo.jpg")) << "no site file holds the links";
    EXPECT_TRUE(KakuchiName[1].isEmpty());
    EXPECT_TRUE(KakuchiInfo[1].isEmpty());
    EXPECT_TRUE(KakuchiAttr(1, 3).isEmpty());
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
    EXPECT_EQ(KakuchiLabelX[1], 2.5F) << "label points are worked out by the redraw";
}

// After a reload the tables hold what a fresh read of the text gives: the
// old point 1's height and the old parcel's location do not stay.
TEST_F(SimaReload, AReloadedPointAndParcelCarryNothingOfTheOldOnes)
{
    name(1, QStringLiteral("OLD1"));
    ZahyoH[1] = 19.649;
    addParcel(QStringLiteral("OLD"), {1});
    KakuchiInfo[1] = QStringLiteral("大字山田字中島");
    const std::int32_t slot = nextVertexSlot();
    clearForSimaReload();
    scanSimaText(QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,P1,-37000.000,-8000.000,0,\r\nD00,1,R1,1,\r\nB01,1,P1,\r\n"),
                 false, slot);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("P1"));
    EXPECT_EQ(ZahyoH[1], 0.0);
    ASSERT_EQ(KakuchiCount, 1);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("R1"));
    EXPECT_TRUE(KakuchiInfo[1].isEmpty());
}

// A reload takes each coordinate's height from the text, as a fresh read
// does; a line that ends after Y gives no height and takes nothing of the
// next line. Appended and merged texts leave the heights as they are.
TEST_F(SimaReload, AReloadTakesTheHeightsOfItsText)
{
    const QString text = QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,P1,-37000.000,-8000.000,19.649,\r\n"
                                        "A01,2,P2,-37001.000,-8001.000\r\nA01,3,P3,-37002.000,-8002.000,,\r\n"
                                        "A01,4,P4,-37003.000,-8003.000,-2.5,X,\r\nD00,1,R1,1,\r\nB01,2,P2,\r\n");
    ZahyoH[2] = 7.0;
    ASSERT_FALSE(checkSimaText(text, SimaTextKind::Reload, 1));
    clearForSimaReload();
    scanSimaText(text, false, 1, true);
    EXPECT_EQ(ZahyoH[1], 19.649);
    EXPECT_EQ(ZahyoH[2], 0.0);
    EXPECT_EQ(ZahyoName[3], QStringLiteral("P3")) << "the line after a short one is read";
    EXPECT_EQ(ZahyoX[3], -37002.0);
    EXPECT_EQ(ZahyoH[3], 0.0);
    EXPECT_EQ(ZahyoH[4], -2.5);
    ASSERT_EQ(KakuchiCount, 1);
    EXPECT_EQ(KakuchiLast[1] - KakuchiFirst[1], 0);

    for (const bool append : {true, false}) {
        ZahyoH[1] = 3.0;
        scanSimaText(QStringLiteral("A01,1,Q1,5,6,9.5,\r\n"), append, nextVertexSlot());
        EXPECT_EQ(ZahyoName[1], QStringLiteral("Q1"));
        EXPECT_EQ(ZahyoH[1], 3.0) << "only a reload takes heights";
    }
}

// ------------------------------------------------------------- the check

struct RefusalRow {
    const char* name;
    const char16_t* text;
    const char16_t* record;  // nullptr: the text fits
    SimaRefusal::Reason reason = SimaRefusal::Reason::CoordinateNumber;
};

const RefusalRow kCoordinateRows[] = {
    {"highest_number", u"A01,500000,P,1,2,0,\r\nB01,500000,P,", nullptr},
    {"number_500001", u"A01,1,P,1,2,0,\r\nA01,500001,P,1,2,0,", u"A01,500001"},
    {"number_0", u"A01,0,P,1,2,0,", u"A01,0"},
    {"no_number", u"A01,,P,1,2,0,", u"A01,"},
    {"negative", u"A01,-3,P,1,2,0,", u"A01,-3"},
    {"half_rounds_to_even", u"A01,0.5,P,1,2,0,", u"A01,0.5"},
    {"beyond_32_bits", u"A01,9E12,P,1,2,0,", u"A01,9E12"},
    {"vertex_number_0", u"D00,1,L,1,,\r\nB01,0,P,", u"B01,0"},
    {"vertex_number_600000", u"D00,1,L,1,,\r\nB01,600000,P,", u"B01,600000"},
    {"last_field_cut", u"A01,1,P,1,2,0,\r\nB01", u"B01,"},
};

TEST_F(SimaReload, CoordinateNumbersOutsideTheTableRefuseTheText)
{
    for (const RefusalRow& row : kCoordinateRows) {
        const std::optional<SimaRefusal> refusal =
            checkSimaText(QString::fromUtf16(row.text), SimaTextKind::Merge, 1);
        if (row.record == nullptr) {
            EXPECT_FALSE(refusal.has_value()) << row.name;
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << row.name;
        EXPECT_EQ(refusal->reason, SimaRefusal::Reason::CoordinateNumber) << row.name;
        EXPECT_EQ(refusal->record, QString::fromUtf16(row.record)) << row.name;
    }
}

TEST_F(SimaReload, The32768thParcelRefusesTheText)
{
    KakuchiCount = 32766;
    KakuchiLast[32766] = 10;
    EXPECT_FALSE(checkSimaText(QStringLiteral("D00,1,A,1,,"), SimaTextKind::Merge, 11));
    const std::optional<SimaRefusal> refusal =
        checkSimaText(QStringLiteral("D00,1,A,1,,\r\nD00,2,B,1,,"), SimaTextKind::Append, 11);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, SimaRefusal::Reason::ParcelCount);
    EXPECT_EQ(refusal->record, QStringLiteral("D00,2"));
    EXPECT_FALSE(checkSimaText(QStringLiteral("D00,1,A,1,,\r\nD00,2,B,1,,"), SimaTextKind::Reload, 11))
        << "a reload counts from no parcel";
}

TEST_F(SimaReload, AVertexBeyondSlot600000RefusesTheTextWhenItWouldBeWritten)
{
    name(1, QStringLiteral("K1"));
    const QString two = QStringLiteral("D00,1,L,1,,\r\nB01,1,K1,\r\nB01,1,K1,\r\n");
    EXPECT_FALSE(checkSimaText(two, SimaTextKind::Merge, 599999)) << "slots 599999 and 600000";
    const std::optional<SimaRefusal> refusal = checkSimaText(two, SimaTextKind::Merge, 600000);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, SimaRefusal::Reason::VertexSlot);
    EXPECT_EQ(refusal->record, QStringLiteral("B01,1"));
    // A vertex whose coordinate is free takes no slot and is passed over.
    EXPECT_FALSE(checkSimaText(QStringLiteral("D00,1,L,1,,\r\nB01,2,X,"), SimaTextKind::Merge, 600001));
}

TEST_F(SimaReload, TheCheckFollowsTheNamesTheTextAndTheReloadLeave)
{
    name(1, QStringLiteral("K1"));
    const QString vertexOf1 = QStringLiteral("D00,1,L,1,,\r\nB01,1,K1,");
    EXPECT_TRUE(checkSimaText(vertexOf1, SimaTextKind::Merge, 600001)) << "K1 exists: its vertex needs a slot";
    EXPECT_FALSE(checkSimaText(vertexOf1, SimaTextKind::Reload, 600001)) << "the reload frees K1 first";
    EXPECT_TRUE(checkSimaText(QStringLiteral("A01,1,K1,0,0,0,\r\n") + vertexOf1, SimaTextKind::Reload, 600001))
        << "named again by the text";
    EXPECT_FALSE(checkSimaText(QStringLiteral("A01,1, _?> ,0,0,0,\r\n") + vertexOf1, SimaTextKind::Merge, 600001))
        << "freed by the text";
}

TEST_F(SimaReload, CheckingChangesNothing)
{
    name(1, QStringLiteral("K1"));
    addParcel(QStringLiteral("L"), {1});
    checkSimaText(QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,2,K2,5,6,0,\r\nD00,1,N,1,,\r\nB01,2,K2,"),
                  SimaTextKind::Reload, nextVertexSlot());
    EXPECT_EQ(ZahyoName[1], QStringLiteral("K1"));
    EXPECT_EQ(ZahyoName[2], QStringLiteral("_?>"));
    EXPECT_EQ(KakuchiCount, 1);
    EXPECT_EQ(ZahyoMax, 1);
    EXPECT_TRUE(script->records().empty());
}

TEST_F(SimaReload, TheRefusalNamesTheRecord)
{
    const QString message =
        simaRefusalMessage(SimaRefusal{SimaRefusal::Reason::CoordinateNumber, QStringLiteral("A01,500001")});
    EXPECT_TRUE(message.contains(QStringLiteral("「A01,500001」"))) << message.toStdString();
    EXPECT_NE(simaRefusalMessage(SimaRefusal{SimaRefusal::Reason::ParcelCount, QStringLiteral("D00,9")}),
              simaRefusalMessage(SimaRefusal{SimaRefusal::Reason::VertexSlot, QStringLiteral("D00,9")}));
}

}  // namespace
}  // namespace tavelcor
