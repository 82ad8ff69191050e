// SPDX-License-Identifier: LicenseRef-Tavelcor
// The redraw through the main window's own controls: Picture1, the status
// label, the scale-bar labels, the switches, the range fields and the point
// name fields.
#include "site_builders.h"

#include "main/render/plot_render.h"
#include "main/render/render_state.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "main/render/window_plot_face.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace tavelcor::render {
namespace {

using testing_support::addCoordinate;
using testing_support::addLine;

class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        renderState() = RenderState{};
        LoadingFlag = 0;
        OriginX = 5000;
        OriginY = -3000;
        ViewCX = OriginX;
        ViewCY = OriginY;
        ViewSpanX = 100;
        ViewSpanY = 100;
        for (int n : {1, 2}) {
            ZahyoName[n] = QStringLiteral("FAR");
            ZahyoX[n] = OriginX + 50000.0 * n;
            ZahyoPX[n] = 50000.0 * n;
        }
        ZahyoMax = 2;
    }
    void TearDown() override { plotForm().unload(); }

    static std::uint32_t colorAt(double px, double py)
    {
        return static_cast<std::uint32_t>(plot().Picture1.canvas().Point(py, -px));
    }
};

TEST_F(PlotWindowTest, RedrawsIntoPicture1AndSetsTheScaleBarLabels)
{
    Plot& w = plot();
    w.Label28.setVisible(true);
    addLine(0, -40, 0, 40, 12);
    crtplot(plotFace());
    EXPECT_FALSE(w.Label28.Visible());
    EXPECT_EQ(w.Label25.Caption(), QStringLiteral("10m"));
    // Labels sit on whole pixels of the picture.
    const double pixel = ViewSpanY / (w.Picture1.Width() / 15.0);
    EXPECT_NEAR(w.Label26.Width(), 10.0, pixel);
    EXPECT_NEAR(w.Label26.Left(), -0.45 * ViewSpanY, pixel);
    EXPECT_EQ(colorAt(0, 0), platform::QBColor(12));

    w.Check13.setValue(0);
    crtplot(plotFace());
    EXPECT_EQ(colorAt(0, 0), 0xFFFFFFu) << "line layer switched off";
}

// The scale bar as it shows on the screen: a thin bar, and its caption below
// it whole, nothing lying over it, at the design width and at the narrowest
// window (where the caption's offset of 0.6 % of the width is 2 pixels).
TEST_F(PlotWindowTest, TheScaleBarIsThinAndItsCaptionReadsWhole)
{
    Plot& w = plot();
    w.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window()));
    for (const double width : {Plot::kDesignWidth, 5000.0}) {
        w.setWidth(width);
        w.Picture1.setWidth(width);
        crtplot(plotFace());
        QWidget* bar = w.Label26.widget();
        QWidget* caption = w.Label25.widget();
        EXPECT_GE(bar->height(), 2) << width;
        EXPECT_LE(bar->height(), 4) << width;
        EXPECT_FALSE(w.Label25.Caption().isEmpty());

        // What the plot shows where the caption lies is the caption itself.
        const QImage shown = w.Picture1.clientWidget()->grab().toImage();
        ASSERT_TRUE(shown.rect().contains(caption->geometry())) << width;
        const QImage alone = caption->grab().toImage().convertToFormat(shown.format());
        EXPECT_TRUE(shown.copy(caption->geometry()) == alone) << "the caption is covered at width " << width;
        // At the design width the caption stands clear below the bar.
        if (width == Plot::kDesignWidth) {
            EXPECT_GT(caption->geometry().top(), bar->geometry().bottom());
        }
    }
}

TEST_F(PlotWindowTest, SwitchesAndRangeFieldsOfTheWindowRuleTheCoordinates)
{
    Plot& w = plot();
    addCoordinate(3, QStringLiteral("A"), 10, 10);
    w.Check1.setValue(1);
    crtplot(plotFace());
    const platform::Canvas& c = w.Picture1.canvas();
    const double r = 70.0 * ViewSpanY / w.Picture1.Width();
    EXPECT_EQ(static_cast<std::uint32_t>(c.Point(10 + r, -10)), platform::QBColor(12)) << "marker";

    w.Text5.setText(QStringLiteral("2"));
    crtplot(plotFace());
    EXPECT_EQ(static_cast<std::uint32_t>(c.Point(10 + r, -10)), 0xFFFFFFu) << "outside the ranges";
}

TEST_F(PlotWindowTest, PointplotFillsTheWindowsNameFields)
{
    Plot& w = plot();
    w.Option13[1].setCaption(QStringLiteral("■"));
    w.Option13[1].setForeColor(platform::QBColor(9));
    PointName[1] = QStringLiteral("P1");
    PointName2[1] = QStringLiteral("済 ");
    PointMark[1] = 1;
    PointCount = 1;
    Pointplot(plotFace(), 1);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("P1"));
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("済"));
}

}  // namespace
}  // namespace tavelcor::render
