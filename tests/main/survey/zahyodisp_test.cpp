// SPDX-License-Identifier: LicenseRef-Tavelcor
// The one-line text of a coordinate in the calculation reports, without any
// window: the number's width, the name filled by display width, the
// perpendicular foot and the height part.
#include "main/survey/survey_marks.h"

#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor {
namespace {

class Zahyodisp : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
    }

    static void coordinate(int n, const QString& name, double x, double y, double h = 0.0)
    {
        ZahyoName[n] = name;
        ZahyoX[n] = x;
        ZahyoY[n] = y;
        ZahyoH[n] = h;
    }

    static QString line(int a, bool fourPoint = false, int heights = 1)
    {
        return zahyodispText(a, ZahyoLineSwitches{fourPoint, heights});
    }
};

TEST_F(Zahyodisp, NumberNameAndPosition)
{
    coordinate(12, QStringLiteral("T1"), 100.0, 200.0);
    EXPECT_EQ(line(12), QStringLiteral("   12 T1             X=    100.000 Y=    200.000"));
    coordinate(3, QStringLiteral("  K 3  "), -1234.5675, 0.0004);
    EXPECT_EQ(line(3), QStringLiteral("    3 K 3            X=  -1234.568 Y=      0.000"))
        << "blanks trimmed at the ends, the one inside kept";
}

TEST_F(Zahyodisp, TheNumberTakesWidthSixFrom100000On)
{
    coordinate(99999, QStringLiteral("A"), 1.0, 2.0);
    coordinate(100000, QStringLiteral("A"), 1.0, 2.0);
    coordinate(500000, QStringLiteral("A"), 1.0, 2.0);
    EXPECT_TRUE(line(99999).startsWith(QStringLiteral("99999 A "))) << line(99999).toStdString();
    EXPECT_TRUE(line(100000).startsWith(QStringLiteral("100000 A "))) << line(100000).toStdString();
    EXPECT_TRUE(line(500000).startsWith(QStringLiteral("500000 A ")));
    EXPECT_EQ(line(100000).indexOf(QStringLiteral("X=")), line(99999).indexOf(QStringLiteral("X=")) + 1);
}

TEST_F(Zahyodisp, TheNameFillsFourteenDisplayColumns)
{
    const struct {
        const char16_t* name;
        const char16_t* kept;  // what of the name is written
        int blanks;            // the blanks that fill it to 14 columns
    } rows[] = {
        {u"", u"", 13},
        {u"ABCDEFGHIJKLMNOPQR", u"ABCDEFGHIJKLMN", 0},              // cut to 14
        {u"境界杭１２３４５６７８９０１", u"境界杭１２３４", 0},    // 14 wide: cut to 7
        {u"境界杭１２３４５", u"境界杭１２３４", 0},                // 8 wide: 7 counted, cut to 7
        {u"境界1", u"境界1", 9},                                    // 2 wide + 1 narrow
        {u"ｶﾅ名", u"ｶﾅ名", 10},                                     // half-width kana are narrow
        {u"ABCDEFGHIJKLMN境界", u"ABCDEFGHIJKLMN", 0},              // wide ones beyond 14 do not count
    };
    for (const auto& row : rows) {
        coordinate(7, QString::fromUtf16(row.name), 0.0, 0.0);
        const QString text = line(7);
        const QString expected = QStringLiteral("    7 ") + QString::fromUtf16(row.kept)
                                 + QString(row.blanks + 1, QLatin1Char(' ')) + QStringLiteral("X=");
        EXPECT_TRUE(text.startsWith(expected))
            << text.toStdString() << " for " << QString::fromUtf16(row.name).toStdString();
    }
}

TEST_F(Zahyodisp, ThePerpendicularFootHasNoNumber)
{
    coordinate(0, QStringLiteral("foot"), 10.0, -20.0);
    RclickMode = 3;
    EXPECT_EQ(line(0), QStringLiteral("直交点  X=     10.000 Y=    -20.000"));
    RclickMode = 1;
    EXPECT_EQ(line(0), QStringLiteral("X=     10.000 Y=    -20.000"));
}

TEST_F(Zahyodisp, TheHeightNeedsItsValueTheFourPointOptionAndTheHeightSwitch)
{
    const struct {
        double h;
        bool fourPoint;
        int heights;
        bool shown;
    } rows[] = {
        {12.3456, true, 1, true},  {0.0, true, 1, false},    {12.3456, false, 1, false},
        {12.3456, true, 0, false}, {-0.5, true, 1, true},    {12.3456, true, 2, false},
    };
    for (const auto& row : rows) {
        coordinate(5, QStringLiteral("H"), 1.0, 2.0, row.h);
        const QString text = line(5, row.fourPoint, row.heights);
        EXPECT_EQ(text.contains(QStringLiteral(" Z=")), row.shown) << text.toStdString();
    }
    coordinate(5, QStringLiteral("H"), 1.0, 2.0, 12.3456);
    EXPECT_TRUE(line(5, true, 1).endsWith(QStringLiteral("Y=      2.000 Z=  12.346")));
}

TEST_F(Zahyodisp, ANumberOutsideTheTableGivesNoLine)
{
    EXPECT_TRUE(line(-1).isEmpty());
    EXPECT_TRUE(line(500001).isEmpty());
}

}  // namespace
}  // namespace tavelcor
