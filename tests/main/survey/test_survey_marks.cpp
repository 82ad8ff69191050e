// SPDX-License-Identifier: LicenseRef-Tavelcor
// The marks of the calculation picks on the main window's Picture1, drawn by
// the full redraw through the survey part's call points: the blue picks with
// their labels and the construction lines between them.
#include "survey_fixture.h"

#include "main/render/window_plot_face.h"
#include "main/site/tables.h"

#include <QPoint>
#include <QRect>

#include <cmath>
#include <tuple>

namespace tavelcor::surveytest {
namespace {

const std::uint32_t kBlue = platform::QBColor(9);
const std::uint32_t kMagenta = platform::QBColor(13);
const std::uint32_t kNavy = platform::QBColor(1);

class SurveyMarks : public SurveyTest {
protected:
    void SetUp() override
    {
        SurveyTest::SetUp();
        // A square of four coordinates 60 m across around the view's centre;
        // the scratch coordinate 0 (the perpendicular foot) in a corner.
        addCoordinate(11, QStringLiteral("K11"), 0.0, -30.0);
        addCoordinate(12, QStringLiteral("K12"), 0.0, 30.0);
        addCoordinate(13, QStringLiteral("K13"), 30.0, 30.0);
        addCoordinate(14, QStringLiteral("K14"), 30.0, -30.0);
        ZahyoPX[0] = -45.0;
        ZahyoPY[0] = -45.0;
    }

    // Picture1 with the number and name switches ticked and the picks drawn.
    Plot& redrawn()
    {
        Plot& w = shownPlot();
        w.Check1.setValue(1);
        w.Check2.setValue(1);
        crtplot();
        return w;
    }

    static void pickList(std::initializer_list<int> picks)
    {
        int i = 0;
        for (int n : picks)
            CalcPickList[++i] = n;
        CalcPickCount = i;
    }

    // The pixel of plot coordinate (PX, PY).
    static QPoint pixelOf(double px, double py)
    {
        const platform::Canvas& c = plot().Picture1.canvas();
        const double u = (py - c.ScaleLeft()) * c.image().width() / c.ScaleWidth();
        const double v = (-px - c.ScaleTop()) * c.image().height() / c.ScaleHeight();
        return {static_cast<int>(std::floor(u + 0.5)), static_cast<int>(std::floor(v + 0.5))};
    }

    // Pixels of one colour in a rectangle of the plot.
    static int countIn(const QRect& area, std::uint32_t color)
    {
        const QImage& image = plot().Picture1.canvas().image();
        const QRgb wanted = platform::toQRgb(color);
        int n = 0;
        for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
                n += (image.pixel(x, y) | 0xFF000000u) == wanted ? 1 : 0;
        return n;
    }

    // Where the label of the coordinate at (PX, PY) is printed: right of
    // and below the point.
    static QRect labelArea(double px, double py)
    {
        const QPoint at = pixelOf(px, py);
        return {at.x() + 1, at.y() - 2, 80, 22};
    }
};

TEST_F(SurveyMarks, PicksAreBlueWithTheirLabels)
{
    CalcPick1 = 11;
    CalcPick2 = 12;
    CalcPick3 = 13;
    redrawn();
    for (const auto& [px, py, label] : {std::tuple{0.0, -30.0, u" 11:K11"}, std::tuple{0.0, 30.0, u" 12:K12"},
                                        std::tuple{30.0, 30.0, u" 13:K13"}}) {
        EXPECT_EQ(colorAt(px, py), kBlue) << px << "," << py;
        EXPECT_TRUE(printedAt(px, py, QString::fromUtf16(label), kBlue));
    }
    EXPECT_NE(colorAt(30.0, -30.0), kBlue) << "coordinate 14 is no pick";
    EXPECT_EQ(plot().Picture1.canvas().ForeColor(), platform::QBColor(0)) << "black again afterwards";
}

TEST_F(SurveyMarks, LabelsFollowTheNumberAndNameSwitches)
{
    CalcPick1 = 11;
    Plot& w = redrawn();
    w.Check2.setValue(0);
    crtplot();
    EXPECT_TRUE(printedAt(0.0, -30.0, QStringLiteral(" 11"), kBlue));
    w.Check1.setValue(0);
    w.Check2.setValue(1);
    crtplot();
    EXPECT_TRUE(printedAt(0.0, -30.0, QStringLiteral(" K11"), kBlue));
    w.Check2.setValue(0);
    crtplot();
    EXPECT_EQ(colorAt(0.0, -30.0), kBlue);
    EXPECT_EQ(countIn(labelArea(0.0, -30.0), kBlue), 0) << "no label without the switches";
}

TEST_F(SurveyMarks, NothingIsMarkedWithoutAFirstPick)
{
    CalcPick1 = 0;
    CalcPick2 = 12;
    CalcPick3 = 13;
    redrawn();
    EXPECT_EQ(countColor(kBlue), 0);
}

TEST_F(SurveyMarks, AProfileSampleAsFirstPickGetsItsPointButNoLabel)
{
    ZahyoName[11] = QStringLiteral("n_p_m");
    CalcPick1 = 11;
    CalcPick2 = 12;
    redrawn();
    EXPECT_EQ(colorAt(0.0, -30.0), kBlue);
    EXPECT_EQ(countIn(labelArea(0.0, -30.0), kBlue), 0);
    EXPECT_EQ(colorAt(0.0, 30.0), kBlue) << "the second pick is still marked";
    EXPECT_TRUE(printedAt(0.0, 30.0, QStringLiteral(" 12:K12"), kBlue));
}

TEST_F(SurveyMarks, AProfileSampleAsSecondPickEndsTheMarking)
{
    ZahyoName[12] = QStringLiteral("n_p_m");
    CalcPick1 = 11;
    CalcPick2 = 12;
    CalcPick3 = 13;
    redrawn();
    EXPECT_EQ(colorAt(0.0, -30.0), kBlue);
    EXPECT_NE(colorAt(0.0, 30.0), kBlue);
    EXPECT_NE(colorAt(30.0, 30.0), kBlue) << "the third is not marked either";
    EXPECT_EQ(countIn(labelArea(30.0, 30.0), kBlue), 0);
}

TEST_F(SurveyMarks, FourPointModeJoinsPairsOnlyForTwoThreeOrFivePicks)
{
    RclickMode = 34;
    const struct {
        std::initializer_list<int> picks;
        bool firstPair;   // 11 to 12
        bool secondPair;  // 13 to 14
    } rows[] = {
        {{11, 12, 13, 14}, false, false},
        {{11, 12}, true, false},
        {{11, 12, 13}, true, false},
        {{11, 12, 13, 14, 0}, true, true},
        {{11}, false, false},
    };
    shownPlot();
    for (const auto& row : rows) {
        pickList(row.picks);
        crtplot();
        EXPECT_EQ(colorAt(0.0, 0.0) == kMagenta, row.firstPair) << CalcPickCount << " picks";
        EXPECT_EQ(colorAt(30.0, 0.0) == kMagenta, row.secondPair) << CalcPickCount << " picks";
        EXPECT_NE(colorAt(15.0, 30.0), kMagenta) << "12 to 13 is never joined";
        if (!row.firstPair && !row.secondPair) {
            EXPECT_EQ(countColor(kMagenta), 0) << CalcPickCount << " picks";
        }
    }
}

TEST_F(SurveyMarks, PerpendicularCheckWithFourPicksAddsANavyLineFromTheFirstToTheThird)
{
    RclickMode = 3;
    pickList({11, 12, 13, 14});
    shownPlot();
    EXPECT_EQ(colorAt(0.0, 0.0), kMagenta) << "11 to 12";
    EXPECT_EQ(colorAt(15.0, 30.0), kMagenta) << "12 to 13";
    EXPECT_EQ(colorAt(30.0, 0.0), kMagenta) << "13 to 14";
    EXPECT_EQ(colorAt(15.0, 0.0), kNavy) << "11 to 13";
    EXPECT_NE(colorAt(15.0, -30.0), kMagenta) << "14 is not joined back to 11";
    EXPECT_EQ(plot().Picture1.canvas().DrawWidth(), 1) << "the pen is thin again";
    // Three picks in the same mode: the two lines only, no navy one.
    pickList({11, 12, 13});
    crtplot();
    EXPECT_EQ(colorAt(15.0, 30.0), kMagenta);
    EXPECT_EQ(countColor(kNavy), 0);
}

TEST_F(SurveyMarks, OtherModesJoinEveryPickToTheNext)
{
    RclickMode = 2;
    pickList({11, 12, 13, 14});
    shownPlot();
    EXPECT_EQ(colorAt(0.0, 0.0), kMagenta);
    EXPECT_EQ(colorAt(15.0, 30.0), kMagenta);
    EXPECT_EQ(colorAt(30.0, 0.0), kMagenta);
    EXPECT_EQ(countColor(kNavy), 0) << "the navy line belongs to the perpendicular check";
}

TEST_F(SurveyMarks, APickThatIsNoCoordinateSkipsItsLineOnly)
{
    RclickMode = 2;
    pickList({11, 12, 700000, 13, 14});
    CalcPick1 = -5;
    shownPlot();
    EXPECT_EQ(colorAt(0.0, 0.0), kMagenta) << "11 to 12";
    EXPECT_NE(colorAt(15.0, 30.0), kMagenta) << "12 to the bad entry and on to 13 are skipped";
    EXPECT_EQ(colorAt(30.0, 0.0), kMagenta) << "13 to 14";
    EXPECT_EQ(countColor(kBlue), 0);
}

}  // namespace
}  // namespace tavelcor::surveytest
