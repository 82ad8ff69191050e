// SPDX-License-Identifier: LicenseRef-Tavelcor
// The photo viewer jpegdisp, opened as the link mode opens it and driven
// through its buttons and the mouse handlers of its picture: layout and size
// steps, the candidates and the blue mark on the plot, zoom by buttons and by
// a right-dragged box, the pan, the turns.
#include "main/background/photo_viewer.h"

#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

class PhotoViewerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        allocateTables();
        resetTables();
        resetPhotoViewerState();
        clearPlotWirings();
        TwipPixX = TwipPixY = 15.0F * 1.002F;
        SiteFolder = dir.path() + u'/';
        WorkFolder = dir.filePath(QStringLiteral("Eld"));
        OriginX = 1000.0;
        OriginY = 2000.0;
        ViewCX = OriginX;
        ViewCY = OriginY;
        ViewSpanX = ViewSpanY = 100.0;
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A photo whose upper half is red and lower half blue.
    QString photo(const QString& name, QSize pixels)
    {
        QImage image(pixels, QImage::Format_RGB32);
        image.fill(platform::toQRgb(kBlue));
        for (int y = 0; y < pixels.height() / 2; ++y)
            for (int x = 0; x < pixels.width(); ++x)
                image.setPixel(x, y, platform::toQRgb(kRed));
        EXPECT_TRUE(image.save(dir.filePath(name), "PNG"));
        return name;
    }

    // Candidates: coordinates 10, 20, ... each linked to its own photo,
    // all near the plot's centre.
    void candidates(int n, QSize pixels = QSize(400, 300))
    {
        LinkCand[0] = n;
        for (int i = 1; i <= n; ++i) {
            const int coordinate = 10 * i;
            LinkCand[i] = coordinate;
            ZahyoLink[coordinate] = photo(QStringLiteral("photo%1.png").arg(i), pixels);
            ZahyoName[coordinate] = QStringLiteral("P%1").arg(i);
            ZahyoPX[coordinate] = i;
            ZahyoPY[coordinate] = 2.0 * i;
        }
    }

    Jpegdisp& open()
    {
        render::justsc(plotFace());
        showPhotoCandidates();
        Jpegdisp* viewer = jpegdispForm().ifLoaded();
        EXPECT_NE(viewer, nullptr);
        return *viewer;
    }

    static std::uint32_t colorAt(Jpegdisp& v, double fx, double fy)
    {
        const QImage& image = v.Picture1.canvas().image();
        return platform::fromQRgb(image.pixel(static_cast<int>(fx * image.width()),
                                              static_cast<int>(fy * image.height())));
    }

    static void rightDrag(Jpegdisp& v, QPointF from, QPointF to, int moves)
    {
        v.Picture1.MouseDown(2, 0, from.x(), from.y());
        for (int m = 1; m <= moves; ++m) {
            const QPointF at = from + (to - from) * m / moves;
            v.Picture1.MouseMove(2, 0, at.x(), at.y());
        }
        v.Picture1.MouseUp(2, 0, to.x(), to.y());
    }

    static void leftDrag(Jpegdisp& v, QPointF from, QPointF to, int moves)
    {
        v.Picture1.MouseDown(1, 0, from.x(), from.y());
        for (int m = 1; m <= moves; ++m)
            v.Picture1.MouseMove(1, 0, to.x(), to.y());
        v.Picture1.MouseUp(1, 0, to.x(), to.y());
    }

    struct ViewRect {
        double left, top, width, height;
    };
    static ViewRect view(Jpegdisp& v)
    {
        const platform::Canvas& c = v.Picture1.canvas();
        return {c.ScaleLeft(), c.ScaleTop(), c.ScaleWidth(), c.ScaleHeight()};
    }

    QTemporaryDir dir;
    platform::testing::GTestScriptedPrompter script;
};

TEST_F(PhotoViewerTest, APhotoOf4000By3000PixelsOpensAt10000By7500Twips)
{
    candidates(1, QSize(4000, 3000));
    Jpegdisp& v = open();
    const PhotoViewerState& s = photoViewerState();
    EXPECT_FLOAT_EQ(s.PhotoHeight, 3750.0F);
    EXPECT_FLOAT_EQ(s.PhotoWidth, 5000.0F);
    EXPECT_FLOAT_EQ(s.PhotoAspect, 0.75F);
    // Twips held as whole pixels (15 twips each).
    EXPECT_NEAR(v.Picture1.Width(), 10000.0, 7.5);
    EXPECT_NEAR(v.Picture1.Height(), 7500.0, 7.5);
    EXPECT_GE(v.ScaleWidth(), 10000.0 - 15.0) << "the window's inner area holds the picture";
    EXPECT_EQ(v.Caption(), QStringLiteral("photo1.png"));
    EXPECT_EQ(colorAt(v, 0.5, 0.25), kRed);
    EXPECT_EQ(colorAt(v, 0.5, 0.75), kBlue);
    EXPECT_TRUE(v.Visible());
    EXPECT_TRUE(v.TopMost());
    EXPECT_EQ(LinkCandCount, 1);
    EXPECT_TRUE(script->records().empty()) << "the viewer says nothing";
}

TEST_F(PhotoViewerTest, OneCandidateHidesTheSecondRowOfButtons)
{
    candidates(1);
    Jpegdisp& v = open();
    EXPECT_FALSE(v.Command5.Visible());
    EXPECT_FALSE(v.Command6.Visible());
    EXPECT_FALSE(v.Command9.Visible());
    EXPECT_NEAR(v.Frame1.Height(), Jpegdisp::kFrame1Height / 2, 7.5) << "whole pixels";
    EXPECT_TRUE(v.Command10.Visible());
}

TEST_F(PhotoViewerTest, CandidatesStepRoundAndEachIsMarkedInBlueOnThePlot)
{
    candidates(5);
    Jpegdisp& v = open();
    EXPECT_TRUE(v.Command5.Visible());
    EXPECT_EQ(v.Command9.Caption(), QStringLiteral("1/5"));
    v.Command5.Click();  // 前候補 on the first
    EXPECT_EQ(LinkCandCount, 5);
    EXPECT_EQ(v.Command9.Caption(), QStringLiteral("5/5"));
    EXPECT_EQ(v.Caption(), QStringLiteral("photo5.png"));
    const platform::Canvas& plotPicture = plot().Picture1.canvas();
    EXPECT_EQ(static_cast<std::uint32_t>(plotPicture.Point(ZahyoPY[50], -ZahyoPX[50])), platform::QBColor(9));
    v.Command6.Click();  // 次候補 on the last
    EXPECT_EQ(LinkCandCount, 1);
    EXPECT_EQ(v.Command9.Caption(), QStringLiteral("1/5"));
    v.Command6.Click();
    EXPECT_EQ(v.Caption(), QStringLiteral("photo2.png"));
    EXPECT_EQ(colorAt(v, 0.5, 0.25), kRed);
}

TEST_F(PhotoViewerTest, ARightDraggedBoxTakesThePhotosAspectAboutItsCentre)
{
    candidates(1);  // 400 x 300: aspect 0.75
    Jpegdisp& v = open();
    rightDrag(v, QPointF(1000, 1000), QPointF(1100, 1010), 6);
    const ViewRect r = view(v);
    EXPECT_NEAR(r.width, 100.0, 1e-3);
    EXPECT_NEAR(r.height, 75.0, 1e-3);
    EXPECT_NEAR(r.left + r.width / 2, 1050.0, 1e-3);
    EXPECT_NEAR(r.top + r.height / 2, 1005.0, 1e-3);
    EXPECT_EQ(photoViewerState().moveCount, 0);
}

TEST_F(PhotoViewerTest, SmallBoxesAndShortDragsChangeNothing)
{
    candidates(1);
    Jpegdisp& v = open();
    const QImage before = v.Picture1.canvas().image().copy();
    rightDrag(v, QPointF(1000, 1000), QPointF(1005, 1004), 8);  // 5 units or less
    rightDrag(v, QPointF(1000, 1000), QPointF(2000, 1800), 3);  // fewer than four moves
    v.Picture1.MouseDown(2, 0, 100, 100);  // a right click
    v.Picture1.MouseUp(2, 0, 100, 100);
    const ViewRect r = view(v);
    EXPECT_DOUBLE_EQ(r.width, 5000.0);
    EXPECT_DOUBLE_EQ(r.height, 3750.0);
    EXPECT_TRUE(v.Picture1.canvas().image() == before) << "the boxes drawn while dragging are gone";
}

TEST_F(PhotoViewerTest, ALeftDragPansAfterTwoMoves)
{
    candidates(1);
    Jpegdisp& v = open();
    leftDrag(v, QPointF(2000, 2000), QPointF(2500, 1800), 1);
    EXPECT_DOUBLE_EQ(view(v).left, 0.0) << "one move is no drag";
    leftDrag(v, QPointF(2000, 2000), QPointF(2500, 1800), 2);
    const ViewRect r = view(v);
    EXPECT_DOUBLE_EQ(r.left, -500.0);
    EXPECT_DOUBLE_EQ(r.top, 200.0);
    EXPECT_DOUBLE_EQ(r.width, 5000.0);
    EXPECT_EQ(colorAt(v, 0.05, 0.5), kWhite) << "the photo moved right";
    EXPECT_EQ(v.Picture1.shownCursor(), platform::SystemCursor::SizeAll);
}

TEST_F(PhotoViewerTest, ZoomButtonsHalveAndDoubleAboutTheCentreWithinTheirLimits)
{
    candidates(1);
    Jpegdisp& v = open();
    v.Command10.Click();  // 拡大
    ViewRect r = view(v);
    EXPECT_DOUBLE_EQ(r.width, 2500.0);
    EXPECT_DOUBLE_EQ(r.left, 1250.0);
    EXPECT_DOUBLE_EQ(r.top, 3750.0 / 4);
    for (int i = 0; i < 20; ++i)
        v.Command10.Click();
    EXPECT_GE(view(v).height, 4.0) << "no zoom below a shown height of 8 units";
    EXPECT_LT(view(v).height, 8.0);
    for (int i = 0; i < 30; ++i)
        v.Command11.Click();  // 縮小
    EXPECT_LE(view(v).height, 40000.0);
    EXPECT_GT(view(v).height, 20000.0);
}

TEST_F(PhotoViewerTest, SizeStepsStopAtTheirEndsAndOutliveTheWindow)
{
    candidates(1);
    Jpegdisp& v = open();
    for (int i = 0; i < 20; ++i)
        v.Command8.Click();  // +
    EXPECT_FLOAT_EQ(photoViewerState().PhotoFactor, 8.5F);
    EXPECT_NEAR(v.Picture1.Width(), 8.5 * 5000, 7.5);
    for (int i = 0; i < 30; ++i)
        v.Command7.Click();  // -
    EXPECT_FLOAT_EQ(photoViewerState().PhotoFactor, 1.0F);
    v.Command8.Click();
    jpegdispForm().unload();
    EXPECT_EQ(LinkCandCount, 0);
    Jpegdisp& again = open();
    EXPECT_FLOAT_EQ(photoViewerState().PhotoFactor, 1.5F);
    EXPECT_NEAR(again.Picture1.Width(), 1.5 * 5000, 7.5);
}

TEST_F(PhotoViewerTest, AfterAQuarterTurnZoomAndPanWorkOnTheTurnedPictureAndGoingBackShowsThePhoto)
{
    candidates(1);  // red above blue
    Jpegdisp& v = open();
    v.Command2.Click();  // ⊃
    EXPECT_EQ(PhotoUseTemp, 1);
    EXPECT_TRUE(QFile::exists(WorkFolder + QStringLiteral("/JPEGTEMP.BMP")));
    EXPECT_TRUE(v.Picture1.Visible());
    EXPECT_FLOAT_EQ(photoViewerState().PhotoFactor, 2.0F) << "the layout resets the factor";
    // Turned clockwise, at the picture's full height: the photo's top (red)
    // is on the right, its bottom (blue) on the left, both between 0.19 and
    // 0.75 of the picture's width.
    EXPECT_EQ(colorAt(v, 0.65, 0.5), kRed);
    EXPECT_EQ(colorAt(v, 0.3, 0.5), kBlue);
    EXPECT_EQ(colorAt(v, 0.9, 0.5), kWhite);

    v.Command10.Click();  // 拡大 on the turned picture
    EXPECT_EQ(photoViewerState().PhotoFile, WorkFolder + QStringLiteral("/JPEGTEMP.BMP"));
    EXPECT_EQ(colorAt(v, 0.1, 0.5), kBlue);   // 0.3 of the turned picture
    EXPECT_EQ(colorAt(v, 0.75, 0.5), kRed);   // 0.625 of it
    leftDrag(v, QPointF(2500, 1800), QPointF(3750, 1800), 2);  // a quarter width to the right
    EXPECT_EQ(colorAt(v, 0.6, 0.5), kBlue);

    v.Command1.Click();  // 元
    EXPECT_EQ(PhotoUseTemp, 0);
    EXPECT_EQ(colorAt(v, 0.5, 0.25), kRed);
    EXPECT_EQ(colorAt(v, 0.5, 0.75), kBlue);
    EXPECT_DOUBLE_EQ(view(v).width, 5000.0);
}

TEST_F(PhotoViewerTest, AHalfTurnShowsThePhotoUpsideDown)
{
    candidates(1);
    Jpegdisp& v = open();
    v.Command4.Click();  // 180
    EXPECT_EQ(colorAt(v, 0.5, 0.25), kBlue);
    EXPECT_EQ(colorAt(v, 0.5, 0.75), kRed);
    jpegdispForm().unload();
    EXPECT_EQ(PhotoUseTemp, 0) << "closing goes back to the linked file";
}

TEST_F(PhotoViewerTest, AFileThatCannotBeReadOrIsNoBareNameShowsNothingAndSaysNothing)
{
    candidates(3);
    QFile broken(dir.filePath(QStringLiteral("broken.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    ZahyoLink[10] = QStringLiteral("broken.png");
    ZahyoLink[20] = QStringLiteral("../photo1.png");
    Jpegdisp& v = open();
    EXPECT_EQ(v.Caption(), QStringLiteral("broken.png"));
    EXPECT_EQ(colorAt(v, 0.5, 0.5), kWhite);
    v.Command6.Click();
    EXPECT_EQ(LinkCandCount, 2);
    EXPECT_EQ(colorAt(v, 0.5, 0.5), kWhite);
    v.Command6.Click();
    EXPECT_EQ(colorAt(v, 0.5, 0.25), kRed);
    EXPECT_TRUE(script->records().empty());
}

TEST_F(PhotoViewerTest, OpeningAgainWhileShownLaysTheViewerOutWithTheNewCandidates)
{
    candidates(2);
    Jpegdisp& v = open();
    v.Command6.Click();
    EXPECT_EQ(LinkCandCount, 2);
    LinkCand[0] = 1;
    LinkCand[1] = 20;
    // The user clicks the plot: the viewer is no longer the active window.
    plot().Show();
    QApplication::setActiveWindow(plot().window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(plot().window()));
    open();
    EXPECT_EQ(LinkCandCount, 1);
    EXPECT_EQ(PhotoReload, 0) << "the activation laid it out";
    EXPECT_EQ(v.Caption(), QStringLiteral("photo2.png"));
    EXPECT_FALSE(v.Command6.Visible());
}

}  // namespace
}  // namespace tavelcor
