// SPDX-License-Identifier: LicenseRef-Tavelcor
// The right press on the idle plot, driven through the main window: the
// radial, continuous and perpendicular calculations with their report lines,
// clipboard and picks, and the parcel information box. Every figure is a
// hand calculation to the millimetre.
#include "rclick_fixture.h"

#include "main/interact/rclick_calc.h"
#include "main/survey/survey_marks.h"

namespace tavelcor::rclicktest {
namespace {

// --- radial inverse ------------------------------------------------------------

class RadialTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        coordinate(1, QStringLiteral("S1"), 0.0, 0.0);
        coordinate(2, QStringLiteral("B"), 100.0, 0.0);
        coordinate(3, QStringLiteral("F1"), 0.0, 123.456);
        ASSERT_EQ(RclickMode, 1);
    }

    void pickStationBackAndFore()
    {
        rightPress(0.0, 0.0);
        rightPress(100.0, 0.0);
        rightPress(0.0, 123.456);
    }
};

TEST_F(RadialTest, ForesightLineWithDirectionDistanceAndInteriorAngle)
{
    tick(plot().Check8, true);
    tick(plot().Check9, true);
    clipboard.setText(QStringLiteral("earlier text"));
    pickStationBackAndFore();
    const QString expected =
        QStringLiteral("TAVELCOR 放射状逆計算") + kCrLf
        + QStringLiteral("器械点     1 S1             X=      0.000 Y=      0.000") + kCrLf
        + QStringLiteral("バック     2 B              X=    100.000 Y=      0.000 S=   100.000") + kCrLf
        + QStringLiteral("    3 F1             X=      0.000 Y=    123.456  方向角= 90-00-00 S=   123.456 内角= 90-00-00")
        + kCrLf;
    EXPECT_EQ(reportText(), expected);
    EXPECT_EQ(clipboard.text(), QStringLiteral("    123.456")) << "replaces what the clipboard held";
    EXPECT_EQ(CalcPick1, 1);
    EXPECT_EQ(CalcPick2, 2);
    EXPECT_EQ(CalcPick3, 3);
    EXPECT_EQ(CalcPickCount, 3);
    EXPECT_EQ(CalcPickList[1], 2) << "the back-sight first: the construction lines run back, station, fore";
    EXPECT_EQ(CalcPickList[2], 1);
    EXPECT_EQ(CalcPickList[3], 3);
    EXPECT_EQ(StationNo, 1.0F);
    EXPECT_EQ(BackNo, 2.0F);
    EXPECT_DOUBLE_EQ(BaseAzimuth, 0.0);
}

TEST_F(RadialTest, WithoutDirectionAnglesTheForesightKeepsItsInteriorAngle)
{
    tick(plot().Check8, true);
    tick(plot().Check9, false);
    pickStationBackAndFore();
    EXPECT_TRUE(reportText().endsWith(
        QStringLiteral("バック     2 B              X=    100.000 Y=      0.000 S=   100.000") + kCrLf
        + QStringLiteral("    3 F1             X=      0.000 Y=    123.456 S=   123.456 内角= 90-00-00") + kCrLf))
        << reportText().toStdString();
    EXPECT_FALSE(reportText().contains(QStringLiteral("方向角")));
}

TEST_F(RadialTest, APressBesideEveryCoordinateAddsNoPick)
{
    rightPress(0.0, 0.0);
    rightPress(40.0, 40.0);
    EXPECT_EQ(CalcPick1, 1);
    EXPECT_EQ(CalcPick2, 0);
}

// --- continuous inverse ----------------------------------------------------------

class ContinuousTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        coordinate(1, QStringLiteral("A"), 0.0, 0.0);
        coordinate(2, QStringLiteral("B"), 0.0, 10.0);
        coordinate(3, QStringLiteral("C"), 10.0, 10.0);
        coordinate(4, QStringLiteral("D"), 10.0, 0.0);
        plot().Option2.setValue(true);
        ASSERT_EQ(RclickMode, 2);
    }

    static void pickInOrder(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            rightPress(ZahyoX[n], ZahyoY[n]);
    }
};

TEST_F(ContinuousTest, ClosingTheSquareReportsItsAreaAndStartsAnew)
{
    tick(plot().Check8, true);
    tick(plot().Check9, true);
    pickInOrder({1, 2, 3, 4, 1});
    const QString report = reportText();
    EXPECT_TRUE(report.startsWith(QStringLiteral("TAVELCOR 連続逆計算") + kCrLf + QStringLiteral("1:    1 A")));
    // Legs: A-B 90 degrees 10 m; B-C 0 degrees, turning 90 from the back
    // direction 270; C-D 270, D-A 180.
    EXPECT_TRUE(report.contains(QStringLiteral("2:    2 B              X=      0.000 Y=     10.000  方向角= 90-00-00 S=    10.000")
                                + kCrLf));
    EXPECT_TRUE(report.contains(
        QStringLiteral("3:    3 C              X=     10.000 Y=     10.000  方向角=  0-00-00 S=    10.000 内角= 90-00-00")));
    EXPECT_TRUE(report.endsWith(
        QStringLiteral("1:    1 A              X=      0.000 Y=      0.000  方向角=180-00-00 S=    10.000 内角= 90-00-00")
        + kCrLf + QStringLiteral("  面積=              100.000㎡") + kCrLf + kCrLf))
        << report.toStdString();
    EXPECT_EQ(CalcPick1, 0);
    EXPECT_EQ(CalcPick2, 0);
    EXPECT_EQ(CalcPick3, 0);
    // The next press starts a new traverse.
    rightPress(10.0, 10.0);
    EXPECT_EQ(CalcPick1, 3);
    EXPECT_EQ(CalcPickCount, 1);
    EXPECT_TRUE(reportText().endsWith(QStringLiteral("1:    3 C              X=     10.000 Y=     10.000") + kCrLf));
}

TEST_F(ContinuousTest, TheFirstPointAsThirdPickClosesWithNoArea)
{
    tick(plot().Check8, false);
    tick(plot().Check9, false);
    pickInOrder({1, 2, 1});
    EXPECT_TRUE(reportText().endsWith(QStringLiteral("3:    1 A              X=      0.000 Y=      0.000 S=    10.000")
                                      + kCrLf + QStringLiteral("  面積=                0.000㎡") + kCrLf + kCrLf))
        << reportText().toStdString();
    EXPECT_EQ(CalcPick1, 0);
}

TEST_F(ContinuousTest, ATraversePastAHundredPicksIsRefused)
{
    pickInOrder({1, 2});
    for (int k = 3; k <= rclick::kMaxPicks; ++k)
        pickInOrder({k % 2 == 1 ? 3 : 4});
    ASSERT_EQ(CalcPickCount, 100);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("連続逆計算の点は100点までです"));
    pickInOrder({3});
    EXPECT_EQ(CalcPickCount, 100) << "the list is not written past its end";
    EXPECT_EQ(CalcPick3, 4);
}

// --- perpendicular check -------------------------------------------------------------

class PerpendicularTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        coordinate(1, QStringLiteral("P1"), 0.0, 0.0);
        coordinate(2, QStringLiteral("P2"), 10.0, 0.0);
        coordinate(3, QStringLiteral("Q"), 5.0, 3.0);
        coordinate(4, QStringLiteral("ON"), 7.0, 0.0);
        coordinate(5, QStringLiteral("BEHIND"), -2.0, 1.0);
        plot().Option3.setValue(true);
        ASSERT_EQ(RclickMode, 3);
    }
};

TEST_F(PerpendicularTest, FootDistanceAndOffsetOfTestedPoints)
{
    rightPress(0.0, 0.0);
    rightPress(10.0, 0.0);
    EXPECT_DOUBLE_EQ(BaseLength, 10.0);
    struct Row {
        double north, east;
        const char* line;
    };
    const Row rows[] = {
        {5.0, 3.0, "直交点  X=      5.000 Y=      0.000 [1]-交点間 =      5.000 垂線長=     3.000"},
        {7.0, 0.0, "直交点  X=      7.000 Y=      0.000 [1]-交点間 =      7.000 垂線長=     0.000"},
        {-2.0, 1.0, "直交点  X=     -2.000 Y=      0.000 [1]-交点間 =     -2.000 垂線長=     1.000"},
    };
    for (const Row& row : rows) {
        rightPress(row.north, row.east);
        EXPECT_TRUE(reportText().endsWith(QString::fromUtf8(row.line) + kCrLf)) << reportText().toStdString();
        EXPECT_EQ(CalcPickCount, 4);
        EXPECT_EQ(CalcPickList[3], 0);
        EXPECT_NEAR(ZahyoX[0], row.north, 1e-9) << "the foot in the scratch slot";
        EXPECT_NEAR(ZahyoY[0], 0.0, 1e-9);
    }
    EXPECT_TRUE(reportText().contains(QStringLiteral("指定点     3 Q              X=      5.000 Y=      3.000") + kCrLf));
}

TEST_F(PerpendicularTest, AFirstPressBesideAParcelEdgePicksBothEnds)
{
    coordinate(6, QStringLiteral("C"), 10.0, 10.0);
    coordinate(7, QStringLiteral("D"), 0.0, 10.0);
    tick(plot().Check9, false);
    render::testing_support::addParcel(QStringLiteral("1"), {1, 2, 6, 7});
    // Beside the edge D(0, 10) - P1(0, 0), nearer D: more than 4 t0 from
    // every coordinate.
    rightPress(0.2, 7.0);
    EXPECT_EQ(CalcPick1, 7);
    EXPECT_EQ(CalcPick2, 1);
    EXPECT_EQ(CalcPickCount, 2);
    EXPECT_DOUBLE_EQ(BaseLength, 10.0);
    EXPECT_DOUBLE_EQ(BaseAzimuth, 270.0);
    EXPECT_TRUE(reportText().endsWith(QStringLiteral("1:    7 D              X=      0.000 Y=     10.000") + kCrLf
                                      + QStringLiteral("2:    1 P1             X=      0.000 Y=      0.000") + kCrLf
                                      + QStringLiteral(" S=    10.000") + kCrLf))
        << reportText().toStdString();
}

TEST_F(PerpendicularTest, OnAnEdgeTwoParcelsShareTheLowerParcelWins)
{
    // Parcel 1 west of the edge P1(0, 0) - P2(10, 0) ... over its own
    // coordinates; parcel 2 east of it over coordinates 8 and 9 lying on
    // P1 and P2 (a shared edge kept twice, as two surveys leave it).
    coordinate(6, QStringLiteral("W1"), 10.0, -10.0);
    coordinate(7, QStringLiteral("W2"), 0.0, -10.0);
    coordinate(8, QStringLiteral("E1"), 10.0, 0.0);
    coordinate(9, QStringLiteral("E2"), 0.0, 0.0);
    coordinate(10, QStringLiteral("E3"), 0.0, 10.0);
    coordinate(11, QStringLiteral("E4"), 10.0, 10.0);
    render::testing_support::addParcel(QStringLiteral("WEST"), {1, 2, 6, 7});
    render::testing_support::addParcel(QStringLiteral("EAST"), {9, 10, 11, 8});
    tick(plot().Check9, false);
    rightPress(3.0, 0.1);
    EXPECT_EQ(CalcPick1, 1) << "parcel 1's end nearer the foot, not coordinate 9 of parcel 2";
    EXPECT_EQ(CalcPick2, 2);
}

TEST_F(PerpendicularTest, APressOffTheCoordinatesAfterPointOneDoesNothing)
{
    rightPress(0.0, 0.0);
    const QString before = reportText();
    rightPress(40.0, 40.0);
    EXPECT_EQ(CalcPick2, 0);
    EXPECT_EQ(reportText(), before);
}

// --- parcel information ------------------------------------------------------------------

class ParcelInformationTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        render::testing_support::addSquare(1, 0.0, 0.0, 10.0, 10.0, QStringLiteral("A-1"));
        render::testing_support::addSquare(11, 5.0, 5.0, 15.0, 15.0, QStringLiteral("B-2"));
        render::testing_support::addSquare(21, -20.0, -20.0, 20.0, 20.0, QStringLiteral("type open"));
        setKakuchiAttr(2, 3, QStringLiteral("山林"));
        plot().Option5.setValue(true);
    }
};

TEST_F(ParcelInformationTest, APressInsideTwoParcelsTogglesAndListsBothInOrder)
{
    Plot& w = plot();
    rightPress(7.0, 7.0);
    EXPECT_EQ(KakuchiSel[1], 1);
    EXPECT_EQ(KakuchiSel[2], 1);
    EXPECT_EQ(KakuchiSel[3], 0) << "\"type open\" is skipped";
    const QString blocks = QStringLiteral("画地　　　A-1") + kCrLf + QStringLiteral("座標面積　100.0000000㎡") + kCrLf
                           + kCrLf + QStringLiteral("画地　　　B-2") + kCrLf + QStringLiteral("座標面積　100.0000000㎡")
                           + kCrLf + QStringLiteral("山林") + kCrLf + kCrLf;
    EXPECT_EQ(w.Text18.Text(), blocks);
    EXPECT_TRUE(w.Frame16.Visible());
    EXPECT_NEAR(w.Frame16.Top(), 4250.0, 15.0) << "within a pixel";
    EXPECT_DOUBLE_EQ(w.Frame16.Left(), 0.0);
    EXPECT_EQ(w.Text18.SelStart(), blocks.size() - 2) << "the caret at the end of the last block";
    rightPress(7.0, 7.0);
    EXPECT_EQ(KakuchiSel[1], 0) << "a second press toggles back";
    EXPECT_EQ(KakuchiSel[2], 0);
    EXPECT_EQ(w.Text18.Text(), blocks + blocks) << "the box only grows";
}

TEST_F(ParcelInformationTest, DetailsListTheVertices)
{
    tick(plot().Check35, true);
    rightPress(2.0, 2.0);
    EXPECT_EQ(plot().Text18.Text(),
              QStringLiteral("画地　　　A-1") + kCrLf + QStringLiteral("座標面積　100.0000000㎡") + kCrLf
                  + QStringLiteral("    NO  NAME                 X            Y") + kCrLf
                  + QStringLiteral("      1 C1                   0.000        0.000") + kCrLf
                  + QStringLiteral("      2 C2                  10.000        0.000") + kCrLf
                  + QStringLiteral("      3 C3                  10.000       10.000") + kCrLf
                  + QStringLiteral("      4 C4                   0.000       10.000") + kCrLf + kCrLf);
}

TEST_F(ParcelInformationTest, APressOutsideEveryParcelListsNothing)
{
    rightPress(30.0, 30.0);
    EXPECT_TRUE(plot().Text18.Text().isEmpty());
    EXPECT_FALSE(plot().Frame16.Visible());
}

}  // namespace
}  // namespace tavelcor::rclicktest
