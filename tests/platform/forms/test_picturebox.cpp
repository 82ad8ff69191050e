// SPDX-License-Identifier: LicenseRef-Tavelcor
// The picture box: a canvas as large as its client area that keeps its
// picture when resized, shows what is drawn on it, and places its labels in
// its user scale.
#include "forms_fixture.h"
#include "sample_form.h"

#include "platform/canvas/colors.h"

#include <QLabel>
#include <QTemporaryDir>

namespace formstest {
namespace {

class Pictures : public FormsTest {};

TEST_F(Pictures, CanvasCoversTheClientAreaInsideTheBorder)
{
    SampleForm f;
    EXPECT_EQ(f.Picture1.widget()->size(), QSize(204, 124));
    EXPECT_EQ(f.Picture1.clientPixels(), QSize(200, 120));
    EXPECT_EQ(f.Picture1.canvas().pixelSize(), QSize(200, 120));
    EXPECT_EQ(f.Picture1.clientWidget()->geometry(), QRect(2, 2, 200, 120));
    f.Picture1.setBorderStyle(0);
    EXPECT_EQ(f.Picture1.clientPixels(), QSize(204, 124));
}

TEST_F(Pictures, ResizingKeepsThePictureAtTheTopLeft)
{
    SampleForm f;
    platform::Canvas& canvas = f.Picture1.canvas();
    canvas.setScaleMode(platform::ScaleMode::Pixels);
    canvas.PSet(10, 10, platform::QBColor(12));
    f.Picture1.setWidth(1560);  // 104 pixels: 100 of client area
    f.Picture1.setHeight(1560);
    EXPECT_EQ(canvas.pixelSize(), QSize(100, 100));
    EXPECT_EQ(canvas.Point(10, 10), static_cast<std::int32_t>(platform::QBColor(12)));
}

TEST_F(Pictures, ShowsWhatIsDrawn)
{
    SampleForm& f = sampleForm().instance();
    ASSERT_TRUE(showActive(f));
    platform::Canvas& canvas = f.Picture1.canvas();
    canvas.Scale(0, 0, 100, 60);
    canvas.Line(10, 10, 30, 20, platform::QBColor(9), platform::LineOpt::BoxFill);
    const QImage shown = f.Picture1.clientWidget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(30, 30)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(shown.pixel(150, 100)), QColor(255, 255, 255));
}

TEST_F(Pictures, LabelsLieInTheUserScale)
{
    SampleForm f;
    ASSERT_TRUE(f.Picture1.canvas().Scale(0, 0, 100, 60));  // half a unit per pixel
    f.Label28.Move(10, 20, 30, 5);
    EXPECT_EQ(f.Label28.widget()->parentWidget(), f.Picture1.clientWidget());
    EXPECT_EQ(f.Label28.widget()->geometry(), QRect(20, 40, 60, 10));
    EXPECT_DOUBLE_EQ(f.Label28.Left(), 10.0);
    EXPECT_DOUBLE_EQ(f.Label28.Top(), 20.0);
    EXPECT_DOUBLE_EQ(f.Label28.Width(), 30.0);

    f.Picture1.canvas().Scale(-50, 30, 50, -30);  // the same label read in another scale
    EXPECT_DOUBLE_EQ(f.Label28.Left(), -40.0);
    EXPECT_DOUBLE_EQ(f.Label28.Top(), 10.0);
}

TEST_F(Pictures, ColoursAndFontAreTheCanvasOnes)
{
    SampleForm f;
    f.Picture1.setForeColor(platform::QBColor(4));
    f.Picture1.setFontName(QStringLiteral("ＭＳ ゴシック"));
    f.Picture1.setFontSize(11);
    EXPECT_EQ(f.Picture1.canvas().ForeColor(), platform::QBColor(4));
    EXPECT_EQ(f.Picture1.ForeColor(), platform::QBColor(4));
    EXPECT_EQ(f.Picture1.canvas().FontName(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_DOUBLE_EQ(f.Picture1.canvas().FontSize(), f.Picture1.FontSize());
    f.Picture1.canvas().setScaleMode(platform::ScaleMode::Pixels);
    f.Picture1.canvas().PSet(3, 3, platform::QBColor(12));
    f.Picture1.setBackColor(platform::QBColor(14));  // clears to the new colour
    EXPECT_EQ(f.Picture1.canvas().Point(3, 3), static_cast<std::int32_t>(platform::QBColor(14)));
}

TEST_F(Pictures, TransparentLabelShowsThePictureBehind)
{
    SampleForm& f = sampleForm().instance();
    ASSERT_TRUE(showActive(f));
    f.Picture1.canvas().setScaleMode(platform::ScaleMode::Pixels);
    f.Picture1.canvas().Line(0, 0, 199, 119, platform::QBColor(10), platform::LineOpt::BoxFill);
    f.Label28.Move(0, 0, 50, 20);
    f.Label28.setCaption(QString());
    f.Label28.setBackStyle(0);
    const QImage transparent = f.Picture1.clientWidget()->grab().toImage();
    EXPECT_EQ(QColor(transparent.pixel(25, 10)), QColor(0, 255, 0));
    f.Label28.setBackStyle(1);
    f.Label28.setBackColor(platform::QBColor(15));
    const QImage opaque = f.Picture1.clientWidget()->grab().toImage();
    EXPECT_EQ(QColor(opaque.pixel(25, 10)), QColor(255, 255, 255));
}

class ImageForm : public platform::Form {
public:
    platform::Image Image1{*this, QStringLiteral("Image1")};
};

TEST_F(Pictures, ImageTakesThePictureSizeUnlessStretched)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString path = dir.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(picture.save(path));

    ImageForm f;
    f.Image1.Move(150, 150, 1500, 1500);
    EXPECT_FALSE(f.Image1.LoadPicture(dir.filePath(QStringLiteral("missing.png"))));
    EXPECT_TRUE(f.Image1.Picture().isNull());
    ASSERT_TRUE(f.Image1.LoadPicture(path));
    EXPECT_EQ(f.Image1.widget()->geometry(), QRect(10, 10, 40, 30));
    EXPECT_DOUBLE_EQ(f.Image1.Width(), 600.0);

    f.Image1.setStretch(true);
    f.Image1.Move(150, 150, 1500, 1500);
    ASSERT_TRUE(f.Image1.LoadPicture(path));
    EXPECT_EQ(f.Image1.widget()->size(), QSize(100, 100));
    const QImage shown = f.Image1.widget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(90, 90)), QColor(255, 0, 0));
}

TEST_F(Pictures, LabelAutoSizeFollowsItsCaption)
{
    SampleForm f;
    f.Label1.setAutoSize(true);
    f.Label1.setCaption(QStringLiteral("短"));
    const int narrow = f.Label1.widget()->width();
    f.Label1.setCaption(QStringLiteral("ずっと長い見出しの文字列"));
    EXPECT_GT(f.Label1.widget()->width(), narrow);
    EXPECT_DOUBLE_EQ(f.Label1.Left(), 2400.0);
}

}  // namespace
}  // namespace formstest
