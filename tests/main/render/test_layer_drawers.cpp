// SPDX-License-Identifier: LicenseRef-Tavelcor
// Observation points, lines, hand strokes, texts, the area polyline and the
// single-item highlights.
#include "plot_fixture.h"

#include <QString>

#include <cmath>
#include <vector>

namespace tavelcor::render::testing_support {
namespace {

class DrawersTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        VarFont = 0;
        FontSize = 12;
    }
};

TEST_F(DrawersTest, PointsAreDrawnUpToTheLimitAndNotBeyond)
{
    PointLimit = 3;
    for (int k = 0; k < 3; ++k)
        addPoint(QStringLiteral("P%1").arg(k), QString(), -60.0 + 40 * k, 0, 1);
    crtplot(*face);
    EXPECT_GT(countPixels(platform::QBColor(9)), 0) << "3 points of a limit of 3";

    addPoint(QStringLiteral("P4"), QString(), 100, 100, 1);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(9)), 0) << "4 points: none";
    EXPECT_EQ(countInk(QRect(0, 0, 400, 300)), 0);
}

TEST_F(DrawersTest, PointFontSizeShrinksWithTheVariableFont)
{
    VarFont = 1;
    FontSize = 11;
    PointLimit = 3;
    for (int k = 0; k < 3; ++k)
        addPoint(QStringLiteral("P%1").arg(k), QString(), 10.0 * k, 0, 1);
    crtplot(*face);
    EXPECT_EQ(PointFontSize, 6) << "11 / 2 = 5.5 goes to the even 6";
    face->setCheck(12, 0);
    PointFontSize = 0;
    crtplot(*face);
    EXPECT_EQ(PointFontSize, 0) << "layer switched off: the drawer does not run";
}

TEST_F(DrawersTest, PointsOutsideTheWindowOrDeletedOrOfHiddenColourAreLeftOut)
{
    PointLimit = 2;
    addPoint(QStringLiteral("OUT"), QString(), 1000, 1000, 1);  // outside: not counted
    addPoint(QStringLiteral("DEL"), QString(), 0, 50, 101);     // deleted
    addPoint(QStringLiteral("NONE"), QString(), 0, 60, 0);      // no symbol
    addPoint(QStringLiteral("GREEN"), QString(), 0, -50, 2);
    addPoint(QStringLiteral("BLUE"), QString(), 50, 0, 1);
    PointColorShown[2] = 0;
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(2)), 0);
    EXPECT_GT(countPixels(platform::QBColor(9)), 0);
    EXPECT_EQ(countInk(around(0, 50, 10, 30)), 0) << "deleted point";
}

TEST_F(DrawersTest, MeasuredPointNameIsRedAndHiddenWithoutItsSwitch)
{
    addPoint(QStringLiteral("K1"), QStringLiteral("済"), 0, 0, 1);
    crtplot(*face);
    EXPECT_GT(countPixels(around(0, 0, 0, 40), platform::QBColor(12)), 0);
    face->setCheck(16, 0);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0);
    EXPECT_GT(countPixels(platform::QBColor(9)), 0) << "the symbol stays";
}

TEST_F(DrawersTest, LinesInTheirColourAndWidthAndHiddenOrDeletedOnesNot)
{
    addLine(100, -150, 100, 150, 12);
    addLine(50, -150, 50, 150, 12 + 100);  // deleted
    addLine(0, -150, 0, 150, 10);
    addLine(-50, -150, -50, 150, 60);      // no colour flag
    LineColorShown[10] = 0;
    LineWidthOf[12] = 3;
    crtplot(*face);
    EXPECT_EQ(colorAt(100, 0), platform::QBColor(12));
    EXPECT_EQ(countPixels(QRect(200, 45, 1, 10), platform::QBColor(12)), 3) << "3 pixels wide";
    EXPECT_EQ(countInk(around(50, 0, 3, 3)), 0);
    EXPECT_EQ(countInk(around(0, 0, 3, 3)), 0);
    EXPECT_EQ(countInk(around(-50, 0, 3, 3)), 0);
    EXPECT_EQ(Redrawn, 1);
    face->setCheck(13, 0);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0);
}

TEST_F(DrawersTest, LinesAndStrokesUseTheCopyPenSoLaterPointsDoToo)
{
    // A grey background line: copy pen lines paint over it, so a line over a
    // parcel edge shows its own colour, not the AND of both.
    addCoordinate(3, QStringLiteral("A"), 0, -150);
    addCoordinate(4, QStringLiteral("B"), 0, 150);
    addCoordinate(5, QStringLiteral("C"), 10, 0);
    addParcel(QStringLiteral("1"), {3, 4, 5});
    face->setCheck(6, 0);
    addLine(-100, 0, 100, 0, 12);
    crtplot(*face);
    EXPECT_EQ(colorAt(0, 0), platform::QBColor(12));
}

TEST_F(DrawersTest, StrokeThinningAndPenRepair)
{
    // A stroke whose steps all stay within ViewSpanX / 500 = 0.6 m of its
    // start: drawn as one segment from the start to the end vertex.
    addStrokeVertex(0, 0, 12, 1);
    for (int k = 1; k <= 5; ++k)
        addStrokeVertex(0.1 * k, 0.1 * k, 12, 2);
    addStrokeVertex(0, 100, 12, 3);
    addStrokeVertex(50, 50, 12, 2);   // after an end: becomes a start
    addStrokeVertex(50, 60, 12, 0);   // deleted
    addStrokeVertex(80, 80, 12, 3);
    addStrokeVertex(90, 90, 12, 0);   // deleted after an end: stays deleted
    crtplot(*face);
    EXPECT_EQ(TegakiPen[8], 1);
    EXPECT_EQ(TegakiPen[11], 0);
    EXPECT_EQ(colorAt(0, 50), platform::QBColor(12)) << "start to end";
    EXPECT_EQ(colorAt(65, 65), platform::QBColor(12)) << "second stroke";
    TegakiColorShown[12] = 0;
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0);
}

// The hand-stroke drawer skips work it can prove invisible (segments off
// the picture, whole strokes beyond one side).  A plain walk of the thinning
// rule over the same table must give the same picture and the same repaired
// pen codes.
TEST_F(DrawersTest, StrokesMatchAPlainWalkOfTheThinningRule)
{
    std::uint32_t seed = 12345;
    auto next = [&] { seed = seed * 1103515245u + 12345u; return (seed >> 8) % 10000 / 10000.0; };
    for (int s = 0; s < 300; ++s) {
        double x = -400 + 800 * next(), y = -500 + 1000 * next();
        const int length = 2 + static_cast<int>(next() * 60);
        for (int k = 0; k < length; ++k) {
            x += (next() - 0.5) * 8;
            y += (next() - 0.5) * 8;
            // Some strokes lack their start code: the end before repairs it.
            int pen = k == 0 ? (next() < 0.3 ? 2 : 1) : (k == length - 1 ? 3 : 2);
            if (next() < 0.05)
                pen = 0;
            addStrokeVertex(x, y, next() < 0.5 ? 12 : 2, pen);
        }
    }
    TegakiColorShown[2] = 0;
    std::vector<std::uint8_t> pens(TegakiPen.begin(), TegakiPen.begin() + TegakiCount + 2);
    crtplot(*face);
    const QImage drawn = canvas().image().copy();

    // The same picture drawn vertex by vertex, as the rule reads.
    platform::Canvas& c = canvas();
    c.Cls();
    c.setDrawMode(13);
    c.setDrawWidth(2);
    const double thin = ViewSpanX / 500;
    auto outside = [](double px, double py) {
        return std::fabs(px + OriginX - ViewCX) > 0.6 * ViewSpanX || std::fabs(py + OriginY - ViewCY) > 0.6 * ViewSpanY;
    };
    double px = TegakiX[1], py = TegakiY[1];
    for (int i = 2; i <= TegakiCount; ++i) {
        const double qx = TegakiX[i], qy = TegakiY[i];
        const int col = TegakiColor[i];
        if (pens[i] == 1) {
            px = qx;
            py = qy;
        } else if (pens[i] == 3) {
            if (pens[i + 1] != 0)
                pens[i + 1] = 1;
            if (TegakiColorShown[col] == 1)
                c.Line(py, -px, qy, -qx, platform::QBColor(col));
        } else if (pens[i] == 2) {
            const double dx = std::fabs(px - qx), dy = std::fabs(py - qy);
            if (std::hypot(dx, dy) < 0.5 && outside(px, py) && outside(qx, qy))
                continue;
            if (dx >= thin || dy >= thin) {
                if (TegakiColorShown[col] == 1)
                    c.Line(py, -px, qy, -qx, platform::QBColor(col));
                px = qx;
                py = qy;
            }
        }
    }
    EXPECT_EQ(drawn, c.image());
    for (int i = 1; i <= TegakiCount; ++i)
        ASSERT_EQ(TegakiPen[i], pens[i]) << i;
    EXPECT_GT(countPixels(platform::QBColor(12)), 100);
}

TEST_F(DrawersTest, TextsBelowTheLimitAreDrawnAndAtTheLimitNone)
{
    TxtLimit = 3;
    addText(QStringLiteral("AB"), 50, -100, 12);
    addText(QStringLiteral("CD"), -50, 100, 12);
    crtplot(*face);
    EXPECT_GT(countPixels(platform::QBColor(12)), 0);
    addText(QStringLiteral("EF"), 0, 0, 12);
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0) << "3 texts of a limit of 3";
}

TEST_F(DrawersTest, TextScaleWithTheVariableFont)
{
    VarFont = 1;
    TxtLimit = 10;
    addText(QStringLiteral("A"), 0, 0, 12);
    addText(QStringLiteral("B"), 10, 0, 12);
    crtplot(*face);
    EXPECT_FLOAT_EQ(TextScale, 0.8F);
    for (int k = 0; k < 6; ++k)
        addText(QStringLiteral("C"), -10.0 * k, 50, 12);
    crtplot(*face);
    EXPECT_FLOAT_EQ(TextScale, 0.5F) << "8 of 10 gives 0.2, floored at 0.5";
}

TEST_F(DrawersTest, SelectedTextShowsInMagentaEvenOfAHiddenColour)
{
    addText(QStringLiteral("SEL"), 50, -100, 3);
    addText(QStringLiteral("OTHER"), -50, -100, 12);
    TxtSel[1] = 1;
    TxtColorShown[3] = 0;
    crtplot(*face);
    EXPECT_GT(countPixels(around(50, -100, 0, 40), platform::QBColor(13)), 0);
    EXPECT_GT(countPixels(around(-50, -100, 0, 40), platform::QBColor(12)), 0);
    SelOnly = 1;
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0) << "only the selected text";
    EXPECT_GT(countPixels(platform::QBColor(13)), 0);
}

TEST_F(DrawersTest, NoTextsInPrintPreview)
{
    addText(QStringLiteral("AB"), 0, 0, 12);
    crtplot(*face);
    EXPECT_GT(countPixels(platform::QBColor(12)), 0) << "the text is drawn outside the preview";
    PrintMode = 10;
    crtplot(*face);
    EXPECT_EQ(countPixels(platform::QBColor(12)), 0);
}

TEST_F(DrawersTest, SplitTextLinesAndTheirLayout)
{
    TxtSplit = -1;
    TxtLineShow[2] = 1;
    const int i = addText(QStringLiteral("A B  C"), 40, -100, 12);
    crtplot(*face);
    TxtLineStr[2] = QStringLiteral("untouched");
    const int e = Txtexserch(*face, i);
    EXPECT_EQ(e, 4);
    const double pitch = FontSize * canvas().ScaleWidth() / face->pictureWidthTwips() * 20 * TextScale;
    EXPECT_FLOAT_EQ(TxtLinePos[1], 40.0F);
    EXPECT_FLOAT_EQ(TxtLinePos[3], static_cast<float>(40 - pitch));
    EXPECT_FLOAT_EQ(TxtLinePos[4], static_cast<float>(40 - 2 * pitch));
    EXPECT_EQ(TxtLineStr[1], QStringLiteral("A"));
    EXPECT_EQ(TxtLineStr[2], QStringLiteral("untouched"));
    EXPECT_EQ(TxtLineStr[3], QString());
    EXPECT_EQ(TxtLineStr[4], QStringLiteral("C"));
    EXPECT_TRUE(containsText(referenceText(-100, -40, QStringLiteral("A"), platform::QBColor(12), 12)));
    EXPECT_TRUE(containsText(
        referenceText(-100, -(40 - 2 * pitch), QStringLiteral("C"), platform::QBColor(12), 12)));
}

TEST_F(DrawersTest, TxtexprintDrawsNothingForDeletedColours)
{
    const int i = addText(QStringLiteral("AB"), 0, 0, 12);
    crtplot(*face);
    canvas().Cls();
    Txtexprint(*face, i, 112);
    EXPECT_EQ(countInk(QRect(0, 0, 400, 300)), 0);
    Txtexprint(*face, i, 13);
    EXPECT_GT(countPixels(platform::QBColor(13)), 0);
    Txtexprint(*face, 40000, 13);  // no such text: nothing, no crash
}

TEST_F(DrawersTest, AreaPolylineInPurple)
{
    AreaX[1] = 0;
    AreaY[1] = -100;
    AreaX[2] = 0;
    AreaY[2] = 100;
    AreaCount = 3;  // two stored vertices while measuring
    crtplot(*face);
    EXPECT_EQ(colorAt(0, 0), platform::QBColor(5));
}

TEST_F(DrawersTest, HighlightLabelsFollowTheSwitches)
{
    addCoordinate(12, QStringLiteral("K5"), 40, -100);
    face->setCheck(17, 0);
    crtplot(*face);
    face->setCheck(1, 1);
    face->setCheck(2, 1);
    redplot(*face, 12);
    EXPECT_EQ(colorAt(40, -100), platform::QBColor(12));
    EXPECT_TRUE(containsText(referenceText(-100, -40, QStringLiteral(" 12:K5"), platform::QBColor(12), 12)));
    EXPECT_EQ(canvas().ForeColor(), platform::QBColor(0)) << "black again after redplot";

    crtplot(*face);
    face->setCheck(1, 0);
    redplot(*face, 12);
    EXPECT_TRUE(containsText(referenceText(-100, -40, QStringLiteral(" K5"), platform::QBColor(12), 12)));

    face->setCheck(2, 0);
    crtplot(*face);
    redplot(*face, 12);
    EXPECT_EQ(countInk(around(40, -100, -2, 40)), 0) << "no label without switches";
    crtplot(*face);
    ZahyoIDplot(*face, 12);
    EXPECT_TRUE(containsText(referenceText(-100, -40, QStringLiteral(" 12:K5"), platform::QBColor(13), 12)));
    EXPECT_EQ(canvas().ForeColor(), platform::QBColor(13)) << "magenta stays after ZahyoIDplot";
}

TEST_F(DrawersTest, BlueMarkOfAProfileSampleHasNoLabel)
{
    addCoordinate(3, QStringLiteral("n_p_m"), 0, 0);
    face->setCheck(1, 1);
    face->setCheck(2, 1);
    crtplot(*face);
    Stblueplot2(*face, 3);
    EXPECT_EQ(colorAt(0, 0), platform::QBColor(9));
    EXPECT_EQ(countPixels(platform::QBColor(9)), 1) << "the dot only";
    Stblueplot2(*face, 600000);  // no such coordinate: nothing
}

TEST_F(DrawersTest, PointplotFillsTheNameFieldsAndHighlights)
{
    const int i = addPoint(QStringLiteral("K7"), QStringLiteral("済  "), 0, 0, 1);
    face->setDeleteOption(true);
    Pointplot(*face, i);
    EXPECT_EQ(face->pointNameField(), QStringLiteral("K7"));
    EXPECT_EQ(face->pointName2Field(), QStringLiteral("済"));
    EXPECT_GT(countPixels(around(0, 0, 20, 20), platform::QBColor(13)), 0) << "magenta symbol";
    PointMark[i] = 30;
    face->setPointNameFields(QString(), QString());
    Pointplot(*face, i);
    EXPECT_TRUE(face->pointNameField().isEmpty()) << "no marker button: nothing highlighted";
}

TEST_F(DrawersTest, TxtplotUnderlinesInMagenta)
{
    const int i = addText(QStringLiteral("ABC"), 0, 0, 12);
    Txtplot(*face, i);
    EXPECT_GT(countPixels(around(0, 0, 0, 40), platform::QBColor(13)), 0);
    EXPECT_FALSE(canvas().FontUnderline());
}

}  // namespace
}  // namespace tavelcor::render::testing_support
