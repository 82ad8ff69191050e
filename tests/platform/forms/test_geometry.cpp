// SPDX-License-Identifier: LicenseRef-Tavelcor
// Geometry in twips (15 per pixel at 96 dpi), the outer size of a form around
// its client area, controls inside frames, and fonts snapped to whole pixels.
#include "forms_fixture.h"
#include "sample_form.h"

#include "platform/canvas/colors.h"
#include "platform/forms/fonts.h"
#include "platform/forms/units.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <limits>

namespace formstest {
namespace {

class Geometry : public FormsTest {};

TEST_F(Geometry, TheHeadlessScreenHasFifteenTwipsPerPixel)
{
    EXPECT_DOUBLE_EQ(platform::twipsPerPixelX(), 15.0);
    EXPECT_DOUBLE_EQ(platform::twipsPerPixelY(), 15.0);
}

TEST_F(Geometry, PixelPositionsRoundHalfUpWithinWhatAWidgetTakes)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double pixels;
        int expected;
    } rows[] = {
        {0.0, 0},     {0.49, 0},   {0.5, 1},   {-0.5, 0},   {-0.51, -1}, {32.999, 33},
        {1e12, QWIDGETSIZE_MAX}, {-1e12, -QWIDGETSIZE_MAX}, {kInf, QWIDGETSIZE_MAX}, {-kInf, -QWIDGETSIZE_MAX},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::nearestPixel(row.pixels), row.expected) << row.pixels;
}

TEST_F(Geometry, FormOuterSizeIsClientPlusTheCaptionFrame)
{
    SampleForm f;
    f.setClientSize(3705, 2475);  // the keypad's design client area
    EXPECT_DOUBLE_EQ(f.ScaleWidth(), 3705.0);
    EXPECT_DOUBLE_EQ(f.ScaleHeight(), 2475.0);
    EXPECT_DOUBLE_EQ(f.Width(), 3825.0);
    EXPECT_DOUBLE_EQ(f.Height(), 2880.0);
    EXPECT_EQ(f.window()->size(), QSize(247, 165));

    f.Move(1500, 3000, 4590, 3456);  // factor 1.2 of the outer size
    EXPECT_DOUBLE_EQ(f.Left(), 1500.0);
    EXPECT_DOUBLE_EQ(f.Top(), 3000.0);
    EXPECT_DOUBLE_EQ(f.Width(), 4590.0);
    EXPECT_DOUBLE_EQ(f.Height(), 3450.0) << "3456 twips is not a whole number of pixels";
    EXPECT_EQ(f.window()->pos(), QPoint(100, 200));
}

// Offscreen no window system reports frames: a form asked to track its frame
// keeps the nominal one and the place it is given, shown or hidden.
TEST_F(Geometry, WithoutFramesReportedATrackedFormKeepsTheNominalFrame)
{
    SampleForm f;
    f.setClientSize(3705, 2475);
    f.setTracksWindowFrame();
    EXPECT_FALSE(f.tracksWindowFrame());
    f.Move(1500, 3000);
    f.Show();
    f.Hide();
    EXPECT_DOUBLE_EQ(f.Left(), 1500.0);
    EXPECT_DOUBLE_EQ(f.Top(), 3000.0);
    EXPECT_DOUBLE_EQ(f.Width(), 3825.0);
    EXPECT_DOUBLE_EQ(f.Height(), 2880.0);
}

TEST_F(Geometry, BorderlessFormHasNoFrame)
{
    SampleForm f;
    f.setBorderStyle(platform::FormBorder::None);
    f.setClientSize(1500, 1500);
    EXPECT_DOUBLE_EQ(f.Width(), 1500.0);
    EXPECT_TRUE(f.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(Geometry, FixedBorderKeepsTheUserFromResizing)
{
    SampleForm f;
    f.setBorderStyle(platform::FormBorder::FixedSingle);
    f.setClientSize(3000, 1500);
    EXPECT_EQ(f.window()->minimumSize(), QSize(200, 100));
    EXPECT_EQ(f.window()->maximumSize(), QSize(200, 100));
    f.setWidth(4620);  // the program still can
    EXPECT_EQ(f.window()->width(), 300);
}

TEST_F(Geometry, ControlsTakeAndGiveTwipsInTheirContainer)
{
    SampleForm f;
    f.Command3.Move(120, 720, 495, 495);
    EXPECT_EQ(f.Command3.widget()->geometry(), QRect(8, 48, 33, 33));
    EXPECT_DOUBLE_EQ(f.Command3.Left(), 120.0);
    EXPECT_DOUBLE_EQ(f.Command3.Width(), 495.0);
    f.Command3.setWidth(500);  // rounds to whole pixels
    EXPECT_DOUBLE_EQ(f.Command3.Width(), 495.0);
    f.Command3.setTop(1500);
    EXPECT_EQ(f.Command3.widget()->geometry(), QRect(8, 100, 33, 33));

    // Option1 lies in Frame1 at (120, 240): relative to the frame.
    EXPECT_EQ(f.Option1.widget()->parentWidget(), f.Frame1.widget());
    EXPECT_EQ(f.Option1.widget()->geometry().topLeft(), QPoint(8, 16));
    EXPECT_DOUBLE_EQ(f.Option1.Top(), 240.0);
}

TEST_F(Geometry, ValuesThatAreNotFiniteAreRefused)
{
    SampleForm f;
    f.Command3.Move(120, 720, 495, 495);
    const QRect before = f.Command3.widget()->geometry();
    f.Command3.setLeft(std::numeric_limits<double>::quiet_NaN());
    f.Command3.setWidth(std::numeric_limits<double>::infinity());
    EXPECT_EQ(f.Command3.widget()->geometry(), before);
    f.Command3.setWidth(-300);
    EXPECT_DOUBLE_EQ(f.Command3.Width(), 0.0);

    f.Move(1500, 1500, 4500, 3000);
    f.Move(std::numeric_limits<double>::quiet_NaN(), 0.0);
    f.setHeight(std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(f.Left(), 1500.0);
    EXPECT_DOUBLE_EQ(f.Height(), 3000.0);
}

TEST_F(Geometry, ZOrderBringsToFrontOrSendsBack)
{
    SampleForm f;
    QWidget* parent = f.window();
    f.Label1.ZOrder(0);
    EXPECT_EQ(parent->children().last(), f.Label1.widget());
    f.Label1.ZOrder(1);
    EXPECT_LT(parent->children().indexOf(f.Label1.widget()), parent->children().indexOf(f.Command1.widget()));
}

// A frame over a picture box shows its own background, not the drawing
// behind it (the main window's side panel lies over the plot).
TEST_F(Geometry, AFrameHidesWhatLiesBehindIt)
{
    class PanelOverPlot : public platform::Form {
    public:
        PanelOverPlot()
        {
            setClientSize(3000.0, 3000.0);
            Picture1.Move(0.0, 0.0, 3000.0, 3000.0);
            Picture1.setBackColor(platform::RGB(255, 0, 0));
            Panel.Move(1500.0, 0.0, 1500.0, 3000.0);
            Panel.setCaption(QString());  // and no colour of its own
        }
        platform::PictureBox Picture1{*this, QStringLiteral("Picture1")};
        platform::Frame Panel{*this, QStringLiteral("Panel")};
    };
    PanelOverPlot f;
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window()));
    const QImage shown = f.window()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 100), QColor(255, 0, 0)) << "the plot beside the panel";
    EXPECT_EQ(shown.pixelColor(150, 100), platform::toQColor(f.Panel.BackColor())) << "inside the panel";
    EXPECT_NE(shown.pixelColor(150, 100), QColor(255, 0, 0));
}

TEST_F(Geometry, FontSizesSnapToWholePixels)
{
    const std::vector<std::pair<double, double>> rows = {
        {9.0, 9.0}, {15.75, 15.75}, {16.0, 15.75}, {21.75, 21.75}, {12.0, 12.0}, {16.5, 16.5}, {8.0, 8.25},
    };
    SampleForm f;
    for (const auto& [asked, shown] : rows) {
        f.Command3.setFontSize(asked);
        EXPECT_DOUBLE_EQ(f.Command3.FontSize(), shown) << asked;
        EXPECT_EQ(f.Command3.widget()->font().pixelSize(), platform::fontPixels(asked));
    }
    f.Command3.setFontSize(0);  // refused
    EXPECT_DOUBLE_EQ(f.Command3.FontSize(), 8.25);
}

TEST_F(Geometry, WindowsFontNamesDrawWithTheIpaFonts)
{
    platform::installFontSubstitutions();
    // Qt keeps substitutes in lower case.
    EXPECT_EQ(QFont::substitute(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("ipagothic"));
    EXPECT_EQ(QFont::substitute(QStringLiteral("ＭＳ 明朝")), QStringLiteral("ipamincho"));
    EXPECT_EQ(QFont::substitute(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("ipapgothic"));

    SampleForm f;
    f.Command3.setFontName(QStringLiteral("ＭＳ ゴシック"));
    f.Command3.setFontBold(true);
    EXPECT_EQ(f.Command3.FontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(f.Command3.widget()->font().family(), QStringLiteral("IPAGothic"));
    EXPECT_TRUE(f.Command3.widget()->font().bold());
    EXPECT_EQ(f.Text1.FontName(), QStringLiteral("ＭＳ Ｐゴシック")) << "controls start with the form's font";
}

TEST_F(Geometry, MousePointerCodesSetTheCursor)
{
    SampleForm f;
    f.Picture1.setMousePointer(platform::pointer::Cross);
    EXPECT_EQ(f.Picture1.widget()->cursor().shape(), Qt::CrossCursor);
    f.setMousePointer(platform::pointer::Hourglass);
    EXPECT_EQ(f.window()->cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(platform::cursorShape(99), Qt::ArrowCursor);
}

}  // namespace
}  // namespace formstest
