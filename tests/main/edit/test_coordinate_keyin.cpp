// SPDX-License-Identifier: LicenseRef-Tavelcor
// Reading and storing keyed-in coordinates and point positions, without the
// windows.
#include "main/edit/coordinate_keyin.h"

#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavelcor {
namespace {

class CoordinateKeyIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        OriginX = 1000.0;
        OriginY = -2000.0;
    }

    static void stored(int n, const QString& name, double x, double y, double h)
    {
        ZahyoName[n] = name;
        ZahyoX[n] = x;
        ZahyoY[n] = y;
        ZahyoH[n] = h;
        ZahyoMax = std::max(ZahyoMax, n);
    }
};

struct NumberCase {
    const char* text;
    int number;  // 0: refused
    KeyInNumberFault fault;
};

TEST_F(CoordinateKeyIn, NumbersAreReadRoundedAndKeptInsideTheTable)
{
    const std::vector<NumberCase> cases = {
        {"1", 1, {}},
        {" 121", 121, {}},
        {"12.5", 12, {}},  // halves to the even neighbour
        {"13.5", 14, {}},
        {"500000", 500000, {}},
        {"500000.5", 500000, {}},
        {"500001", 0, KeyInNumberFault::AboveRange},
        {"600000", 0, KeyInNumberFault::AboveRange},
        {"1E20", 0, KeyInNumberFault::AboveRange},
        {"0", 0, KeyInNumberFault::BelowRange},
        {"0.4", 0, KeyInNumberFault::BelowRange},
        {"-5", 0, KeyInNumberFault::BelowRange},
        {"abc", 0, KeyInNumberFault::BelowRange},
        {"", 0, KeyInNumberFault::BelowRange},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = readKeyInNumber(QString::fromUtf8(c.text));
        if (c.number > 0) {
            ASSERT_TRUE(std::holds_alternative<int>(read));
            EXPECT_EQ(std::get<int>(read), c.number);
        } else {
            ASSERT_TRUE(std::holds_alternative<KeyInNumberFault>(read));
            EXPECT_EQ(std::get<KeyInNumberFault>(read), c.fault);
        }
    }
    EXPECT_EQ(keyInNumberMessage(KeyInNumberFault::AboveRange), QStringLiteral("登録番号は５０万番以内です"));
    EXPECT_EQ(keyInNumberMessage(KeyInNumberFault::BelowRange), QStringLiteral("登録番号は１番以上です"));
}

TEST_F(CoordinateKeyIn, AFreeNumberIsNotInUse)
{
    stored(5, QStringLiteral("P1"), 1.0, 2.0, 3.0);
    EXPECT_TRUE(coordinateInUse(5));
    EXPECT_FALSE(coordinateInUse(6));
    EXPECT_FALSE(coordinateInUse(0)) << "the scratch slot";
    EXPECT_FALSE(coordinateInUse(500001));
    stored(7, QString(), 0.0, 0.0, 0.0);
    EXPECT_TRUE(coordinateInUse(7)) << "an empty name is a name";
}

TEST_F(CoordinateKeyIn, FieldsShowTheEntryWithThreeDecimalsAndTheFormattersBlanks)
{
    stored(5, QStringLiteral("P1"), 12345.6789, -2.5, 10.0);
    const KeyInFields f = coordinateFields(5);
    EXPECT_EQ(f.name, QStringLiteral("P1"));
    EXPECT_EQ(f.x, QStringLiteral("  12345.679"));
    EXPECT_EQ(f.y, QStringLiteral("     -2.500"));
    EXPECT_EQ(f.z, QStringLiteral("  10.000"));
}

TEST_F(CoordinateKeyIn, ShownValuesOfAtMostThreeDecimalsCountAsUnchanged)
{
    stored(5, QStringLiteral("P1"), 100.125, 200.5, 3.0);
    EXPECT_FALSE(keyInChangesEntry(5, coordinateFields(5)));
    ZahyoX[5] = 100.12345;
    EXPECT_TRUE(keyInChangesEntry(5, coordinateFields(5))) << "100.12345 shows as 100.123";
}

TEST_F(CoordinateKeyIn, NamesAreComparedWithoutTheirOuterBlanks)
{
    stored(5, QStringLiteral("P1"), 1.0, 2.0, 3.0);
    KeyInFields f = coordinateFields(5);
    f.name = QStringLiteral(" P1 ");
    EXPECT_FALSE(keyInChangesEntry(5, f));
    f.name = QStringLiteral("P 1");
    EXPECT_TRUE(keyInChangesEntry(5, f));
    f = coordinateFields(5);
    f.z = QStringLiteral("3.001");
    EXPECT_TRUE(keyInChangesEntry(5, f));
}

TEST_F(CoordinateKeyIn, TheQuestionNamesNumberAndStoredName)
{
    stored(5, QStringLiteral("P1"), 1.0, 2.0, 3.0);
    EXPECT_EQ(keyInOverwriteQuestion(5), QStringLiteral("すでに5:P1が登録されています。上書きしますか？"));
}

TEST_F(CoordinateKeyIn, StoringKeepsTheNameAsTypedAndSetsThePlotCoordinates)
{
    ZahyoMax = 120;
    ASSERT_TRUE(storeKeyedCoordinate(121, {QStringLiteral(" P1 "), QStringLiteral(" 1500.25"),
                                           QStringLiteral("-1999.5m"), QStringLiteral("abc")}));
    EXPECT_EQ(ZahyoName[121], QStringLiteral(" P1 "));
    EXPECT_DOUBLE_EQ(ZahyoX[121], 1500.25);
    EXPECT_DOUBLE_EQ(ZahyoY[121], -1999.5);
    EXPECT_DOUBLE_EQ(ZahyoH[121], 0.0) << "a text without a number stores 0";
    EXPECT_DOUBLE_EQ(ZahyoPX[121], 500.25);
    EXPECT_DOUBLE_EQ(ZahyoPY[121], 0.5);
    EXPECT_EQ(ZahyoMax, 121);
    EXPECT_EQ(ZahyoDirty, 1);
}

TEST_F(CoordinateKeyIn, ANumberBelowTheHighestLeavesIt)
{
    ZahyoMax = 300;
    ASSERT_TRUE(storeKeyedCoordinate(40, {QStringLiteral("Q"), QStringLiteral("1"), QStringLiteral("2"),
                                          QStringLiteral("3")}));
    EXPECT_EQ(ZahyoMax, 300);
}

TEST_F(CoordinateKeyIn, NumbersOutsideTheTableAreNeverStored)
{
    ZahyoMax = 500000;
    for (int n : {0, -5, 500001}) {
        EXPECT_FALSE(storeKeyedCoordinate(n, {QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("2"),
                                              QStringLiteral("3")}));
    }
    EXPECT_EQ(ZahyoDirty, 0);
    EXPECT_EQ(ZahyoName[0], freeZahyoName()) << "the scratch slot is untouched";
    EXPECT_EQ(ZahyoMax, 500000);
}

// ------------------------------------------------------------------ point move

TEST_F(CoordinateKeyIn, MoveFieldsTakeTheWholeMetreBelow)
{
    EXPECT_EQ(moveFieldText(12345.678), QStringLiteral(" 12345"));
    EXPECT_EQ(moveFieldText(-6789.5), QStringLiteral("-6790"));
    EXPECT_EQ(moveFieldText(1234.56), QStringLiteral(" 1234"));
    EXPECT_EQ(moveFieldText(-567.8), QStringLiteral("-568"));
    EXPECT_EQ(moveFieldText(0.4), QStringLiteral(" 0"));
    EXPECT_EQ(moveFieldText(-0.4), QStringLiteral("-1"));
}

TEST_F(CoordinateKeyIn, TargetsOneHundredKilometresFromTheViewCentreAreOutOfReach)
{
    ViewCX = -35000.0;
    ViewCY = 12000.0;
    EXPECT_TRUE(moveTargetInReach(ViewCX + 99999.99, ViewCY));
    EXPECT_FALSE(moveTargetInReach(ViewCX + 100000.0, ViewCY));
    EXPECT_FALSE(moveTargetInReach(ViewCX - 100000.0, ViewCY));
    EXPECT_TRUE(moveTargetInReach(ViewCX, ViewCY - 99999.99));
    EXPECT_FALSE(moveTargetInReach(ViewCX, ViewCY + 100000.0));
}

}  // namespace
}  // namespace tavelcor
