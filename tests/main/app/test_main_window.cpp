// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window: its design layout, its resize rule and the plot face the
// drawing sees.
#include "main/app/app_forms.h"
#include "main/app/window_layout.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "main/render/window_plot_face.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <optional>

// Geometry lands on whole pixels (15 twips at 96 dpi), as on the designed
// platform; positions are compared to within one pixel.
#define EXPECT_TWIPS(actual, expected) EXPECT_NEAR((actual), (expected), 15.0)

namespace tavelcor {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
        mScript.emplace();
        clearPlotWirings();
        addPlotWiring(wireWindowLayout);
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        mScript.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

TEST_F(MainWindowTest, DesignPlacesPlotAndPanel)
{
    Plot& window = plot();
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360"));
    EXPECT_DOUBLE_EQ(window.Picture1.Left(), 0.0);
    EXPECT_DOUBLE_EQ(window.Picture1.Width(), window.Width());
    EXPECT_DOUBLE_EQ(window.Picture1.Height(), window.Height() - 360.0);
    EXPECT_DOUBLE_EQ(window.protprp.Left(), window.Width() - 4200.0);
    EXPECT_TRUE(window.protprp.Visible());
    EXPECT_FALSE(window.Frame15.Visible());
    EXPECT_FALSE(window.Label28.Visible());
    EXPECT_FALSE(window.Command23.Visible());
    for (const platform::PictureBox* hidden :
         {&window.Picture3, &window.Picture4, &window.Picture5, &window.Picture6, &window.Picture7})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name().toStdString();
    EXPECT_FALSE(window.Timer2.Enabled());
    EXPECT_EQ(window.Timer2.Interval(), 60000);
}

TEST_F(MainWindowTest, ResizeKeepsPlotAndPanelInPlace)
{
    Plot& window = plot();
    window.Move(0.0, 0.0, 12000.0, 9000.0);
    Form_Resize(window);
    EXPECT_TWIPS(window.Picture1.Width(), 12000.0);
    EXPECT_TWIPS(window.Picture1.Height(), 9000.0 - 360.0);
    EXPECT_TWIPS(window.protprp.Left(), 12000.0 - 4200.0);
    EXPECT_TWIPS(window.protprp.Top(), 10.0);
}

TEST_F(MainWindowTest, ResizeBelowMinimumGrowsToFiveThousandTwips)
{
    Plot& window = plot();
    window.Move(0.0, 0.0, 3000.0, 3000.0);
    Form_Resize(window);
    EXPECT_TWIPS(window.Width(), 5000.0);
    EXPECT_TWIPS(window.Height(), 5000.0);
    EXPECT_TWIPS(window.Picture1.Width(), 5000.0);
}

TEST_F(MainWindowTest, CompactLayoutMovesTheCommandFrame)
{
    Plot& window = plot();
    FullLayout = 0;
    window.Move(0.0, 0.0, 10000.0, 8000.0);
    Form_Resize(window);
    EXPECT_TWIPS(window.Frame15.Left(), 10000.0 - 1800.0);
    EXPECT_TWIPS(window.Frame15.Top(), 200.0);
}

TEST_F(MainWindowTest, PlotFaceReadsTheWindowsControls)
{
    Plot& window = plot();
    render::PlotFace& face = plotFace();
    EXPECT_EQ(&face.picture(), &window.Picture1.canvas());
    EXPECT_EQ(face.checkValue(12), 1);
    EXPECT_EQ(face.checkValue(1), 0);
    window.Check1.setValue(1);
    EXPECT_EQ(face.checkValue(1), 1);
    EXPECT_EQ(face.checkValue(99), 0);
    EXPECT_EQ(face.rangeText(2), QStringLiteral("1"));
    EXPECT_EQ(face.rangeText(16), QStringLiteral("500000"));

    window.Option13(5).setCaption(QStringLiteral("◎"));
    window.Option13(5).setForeColor(platform::QBColor(12));
    EXPECT_EQ(face.symbolCaption(5), QStringLiteral("◎"));
    EXPECT_EQ(face.symbolColor(5), platform::QBColor(12));
    EXPECT_EQ(face.symbolCaption(19), QString());

    face.setPointNameFields(QStringLiteral("K1"), QStringLiteral("境界①"));
    EXPECT_EQ(window.Text6.Text(), QStringLiteral("K1"));
    EXPECT_EQ(window.Text7.Text(), QStringLiteral("境界①"));

    face.setGauge(render::Gauge::Point, 150);
    EXPECT_DOUBLE_EQ(window.ProgressBar3.Value(), 100.0);

    window.Label28.setVisible(true);
    face.hideStatusLabel();
    EXPECT_FALSE(window.Label28.Visible());
}

TEST_F(MainWindowTest, PlotFaceFollowsTheWindowAcrossUnload)
{
    Plot& first = plot();
    EXPECT_EQ(&plotFace().picture(), &first.Picture1.canvas());
    plotForm().destroy();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Plot& second = plot();
    EXPECT_EQ(&plotFace().picture(), &second.Picture1.canvas());
}

TEST_F(MainWindowTest, CreditAndWhitePicturesHoldTheirImages)
{
    Plot& window = plot();
    const QImage white = window.Picture7.canvas().image();
    ASSERT_FALSE(white.isNull());
    EXPECT_EQ(white.pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);

    const QImage credit = window.Picture4.canvas().image();
    ASSERT_FALSE(credit.isNull());
    int dark = 0;
    for (int y = 0; y < credit.height(); ++y)
        for (int x = 0; x < credit.width(); ++x)
            dark += (qGray(credit.pixel(x, y)) < 128) ? 1 : 0;
    EXPECT_GT(dark, 10) << "the credit image shows its text";
}

// The small windows of the life cycle as designed: the splash window, the
// backup window and the registered-strings window.
TEST_F(MainWindowTest, SmallWindowsCarryTheirDesignedTexts)
{
    EXPECT_EQ(start().Caption(), QStringLiteral("背景ラスター準備中"));
    EXPECT_EQ(start().Label1.Caption(), QStringLiteral("起動準備中です"));
    EXPECT_TRUE(start().Label1.Visible());
    EXPECT_EQ(backup().Caption(), QStringLiteral("バックアップ"));
    EXPECT_EQ(backup().Label1.Caption(), QStringLiteral("ＴＶＸ自動バックアップ中"));
    EXPECT_EQ(plist().Caption(), QStringLiteral("登録文字"));
}

// Loading the registered-strings window places it 100 twips below the main
// window's top and 100 twips in from its right edge, above other windows.
TEST_F(MainWindowTest, RegisteredStringsWindowSitsAtTheMainWindowsTopRight)
{
    Plot& window = plot();
    window.Move(1500.0, 900.0, 12000.0, 9000.0);
    const Plist& strings = plist();
    EXPECT_TWIPS(strings.Top(), 900.0 + 100.0);
    EXPECT_TWIPS(strings.Left() + strings.Width(), 1500.0 + 12000.0 - 100.0);
    EXPECT_TRUE(strings.TopMost());
    EXPECT_FALSE(strings.Visible());
}

TEST_F(MainWindowTest, WiringRunsBeforeLoad)
{
    clearPlotWirings();
    int seen = 0;
    addPlotWiring([&seen](Plot& window) {
        ++seen;
        window.Load = [&seen] { seen += 10; };
    });
    plot();
    EXPECT_EQ(seen, 11);
}

}  // namespace
}  // namespace tavelcor
