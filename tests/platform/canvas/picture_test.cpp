// SPDX-License-Identifier: LicenseRef-Tavelcor
// Pictures: bitmap files out and in, the background Picture, Cls and
// BackColor, resizing, PaintPicture and DrawImage.
#include "canvas_support.h"
#include "file_size_limit.h"

#include "platform/canvas/bitmap_file.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>

namespace {

using platform::Canvas;
using platform::LineOpt;
using platform::PictureOp;
using platform::ScaleMode;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

template <class T>
T le(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

// A 3 x 2 bitmap written out byte by byte: 24 bits per pixel, rows stored
// bottom-up and padded to 4 bytes (3 pixels = 9 bytes + 3 padding bytes).
// Top row: red, green, blue; bottom row: white, black, grey.
QByteArray handMadeBitmap()
{
    const unsigned char bytes[] = {
        'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,          // file header
        40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,        // info header
        0, 0, 0, 0, 24, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0,
        0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x80, 0x80, 0, 0, 0,   // bottom row (B, G, R)
        0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0,             // top row
    };
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class CanvasPictureTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

TEST_F(CanvasPictureTest, SavedBitmapIs24BitAndLoadsBackWithTheSamePixels)
{
    Canvas canvas(QSize(37, 21)); // odd width: rows need padding
    canvas.PaintPicture(canvas_test::noisePicture(37, 21), 0, 0);
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.Line(2, 2, 30, 18, kRed);
    ASSERT_TRUE(canvas.SavePicture(path("TEMP.BMP")));

    const QByteArray file = readAll(path("TEMP.BMP"));
    ASSERT_GE(file.size(), 54);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(le<quint32>(file, 2), static_cast<quint32>(file.size()));
    EXPECT_EQ(le<qint32>(file, 18), 37);
    EXPECT_EQ(le<qint32>(file, 22), 21);
    EXPECT_EQ(le<quint16>(file, 28), 24);
    EXPECT_EQ(le<quint32>(file, 30), 0u); // uncompressed
    EXPECT_EQ(file.size(), 54 + 21 * 112); // 37 * 3 = 111 bytes, padded to 112

    Canvas loaded(QSize(37, 21));
    ASSERT_TRUE(loaded.LoadPicture(path("TEMP.BMP")));
    EXPECT_TRUE(canvas_test::samePixels(loaded.image(), canvas.image()));
}

TEST_F(CanvasPictureTest, HandMadeBitmapLoadsAsThePictureAtTheTopLeft)
{
    ASSERT_TRUE(writeAll(path("small.bmp"), handMadeBitmap()));
    Canvas canvas(QSize(5, 4));
    canvas.setBackColor(kBlue);
    ASSERT_TRUE(canvas.LoadPicture(path("small.bmp")));
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::colorAt(image, 0, 0), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 1, 0), kGreen);
    EXPECT_EQ(canvas_test::colorAt(image, 2, 0), kBlue);
    EXPECT_EQ(canvas_test::colorAt(image, 0, 1), kWhite);
    EXPECT_EQ(canvas_test::colorAt(image, 1, 1), kBlack);
    EXPECT_EQ(canvas_test::colorAt(image, 2, 1), 0x808080u);
    EXPECT_EQ(canvas_test::colorAt(image, 3, 0), kBlue); // beyond the picture: BackColor
    EXPECT_EQ(canvas_test::colorAt(image, 0, 2), kBlue);
    EXPECT_EQ(canvas.Picture().size(), QSize(3, 2));
}

TEST_F(CanvasPictureTest, ClsShowsTheLoadedPictureAgain)
{
    ASSERT_TRUE(writeAll(path("small.bmp"), handMadeBitmap()));
    Canvas canvas(QSize(5, 4));
    ASSERT_TRUE(canvas.LoadPicture(path("small.bmp")));
    const QImage withPicture = canvas.image().copy();
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.Line(0, 0, 4, 3, kBlack, LineOpt::BoxFill);
    EXPECT_FALSE(canvas_test::samePixels(canvas.image(), withPicture));
    canvas.Cls();
    EXPECT_TRUE(canvas_test::samePixels(canvas.image(), withPicture));
    canvas.setPicture(QImage());
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
}

TEST_F(CanvasPictureTest, UnreadableFilesAreRefusedWithThePictureUnchanged)
{
    ASSERT_TRUE(writeAll(path("notes.bmp"), QByteArray("not an image at all")));
    Canvas canvas(QSize(8, 8));
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.PSet(3, 3, kRed);
    EXPECT_FALSE(canvas.LoadPicture(path("missing.bmp")));
    EXPECT_FALSE(canvas.LoadPicture(path("notes.bmp")));
    EXPECT_EQ(canvas.Point(3, 3), static_cast<std::int32_t>(kRed));
    EXPECT_TRUE(canvas.Picture().isNull());
}

TEST_F(CanvasPictureTest, FailedSaveReportsAndKeepsTheOldFile)
{
    Canvas canvas(QSize(4, 4));
    EXPECT_FALSE(canvas.SavePicture(path("no/such/folder/x.bmp")));

    ASSERT_TRUE(writeAll(path("old.bmp"), handMadeBitmap()));
    EXPECT_FALSE(platform::saveBitmap24(QImage(), path("old.bmp")));
    EXPECT_EQ(readAll(path("old.bmp")), handMadeBitmap());

    ASSERT_TRUE(canvas.SavePicture(path("old.bmp"))); // a good save replaces it
    EXPECT_EQ(platform::loadImageFile(path("old.bmp")).size(), QSize(4, 4));
}

// The disk fills while the bitmap is written: the save fails and the old
// file stays whole, with no temporary file left beside it.
TEST_F(CanvasPictureTest, AFullDiskLeavesTheOldBitmap)
{
    ASSERT_TRUE(writeAll(path("PRINTIMAGE.BMP"), handMadeBitmap()));
    Canvas canvas(QSize(200, 100)); // about 60 KB as a 24-bit bitmap
    {
        // The limit lies past the writes of whole buffers, within the last one:
        // only the final flush of the save meets the full disk.
        const testing_support::ScopedFileSizeLimit limit(55000);
        ASSERT_TRUE(limit.isActive());
        EXPECT_FALSE(canvas.SavePicture(path("PRINTIMAGE.BMP")));
    }
    EXPECT_EQ(readAll(path("PRINTIMAGE.BMP")), handMadeBitmap());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("PRINTIMAGE.BMP")});
}

TEST(CanvasBackColorTest, SettingBackColorClearsThePictureAndTheCurrentPoint)
{
    Canvas canvas(QSize(20, 10));
    canvas.setScaleMode(ScaleMode::Pixels);
    canvas.Line(1, 1, 8, 8, kRed);
    canvas.setBackColor(kBlue);
    EXPECT_EQ(canvas.BackColor(), kBlue);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), kBlue), 200);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 0.0);
}

TEST(CanvasClsTest, ClsFillsWithBackColorAndResetsTheCurrentPointToZero)
{
    Canvas canvas(QSize(20, 10));
    ASSERT_TRUE(canvas.Scale(-50, -20, 50, 20));
    canvas.Line(-40, -10, 40, 10, kRed);
    canvas.Cls();
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 0);
    EXPECT_DOUBLE_EQ(canvas.CurrentX(), 0.0);
    EXPECT_DOUBLE_EQ(canvas.CurrentY(), 0.0);
}

TEST(CanvasResizeTest, ContentStaysAtTheTopLeftAndNewAreaShowsBackColor)
{
    Canvas canvas(QSize(20, 10));
    const QImage noise = canvas_test::noisePicture(20, 10);
    canvas.PaintPicture(noise, 0, 0);
    canvas.resize(QSize(30, 25));
    const QImage& grown = canvas.image();
    EXPECT_TRUE(canvas_test::samePixels(grown.copy(0, 0, 20, 10), noise));
    EXPECT_EQ(canvas_test::countColor(grown, kWhite), 30 * 25 - 20 * 10);

    canvas.resize(QSize(7, 4));
    EXPECT_TRUE(canvas_test::samePixels(canvas.image(), noise.copy(0, 0, 7, 4)));
    canvas.resize(QSize(-3, 0)); // a window without area
    EXPECT_EQ(canvas.pixelSize(), QSize(0, 0));
    canvas.Line(0, 0, 10, 10, kRed); // drawing on nothing is harmless
    canvas.Print(QStringLiteral("x"));
    EXPECT_EQ(canvas.Point(0, 0), -1);
}

class CanvasPaintPictureTest : public testing::Test {
protected:
    CanvasPaintPictureTest()
    {
        canvas.setScaleMode(ScaleMode::Pixels);
        picture.setPixel(0, 0, platform::toQRgb(kRed));
        picture.setPixel(1, 0, platform::toQRgb(kGreen));
        picture.setPixel(0, 1, platform::toQRgb(kBlue));
        picture.setPixel(1, 1, platform::toQRgb(kBlack));
    }
    Canvas canvas{QSize(20, 20)};
    QImage picture{2, 2, QImage::Format_RGB32};
};

TEST_F(CanvasPaintPictureTest, NaturalSizeAtTheUserPoint)
{
    ASSERT_TRUE(canvas.Scale(-10, -10, 10, 10)); // one pixel per unit
    canvas.PaintPicture(picture, 0, 0);
    EXPECT_EQ(canvas.Point(0, 0), static_cast<std::int32_t>(kRed));
    EXPECT_EQ(canvas.Point(1, 1), static_cast<std::int32_t>(kBlack));
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 4);
}

TEST_F(CanvasPaintPictureTest, StretchedByPickingPixels)
{
    canvas.PaintPicture(picture, 4, 6, 6.0, 4.0);
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::boundsOfOther(image, kWhite), QRect(4, 6, 6, 4));
    EXPECT_EQ(canvas_test::colorAt(image, 4, 6), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 6, 7), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 7, 7), kGreen);
    EXPECT_EQ(canvas_test::colorAt(image, 4, 8), kBlue);
    EXPECT_EQ(canvas_test::colorAt(image, 9, 9), kBlack);
}

TEST_F(CanvasPaintPictureTest, NegativeSizesMirrorAndSourceRectSelects)
{
    canvas.PaintPicture(picture, 10, 10, -2.0, 2.0); // covers x 8..9, mirrored
    EXPECT_EQ(canvas.Point(8, 10), static_cast<std::int32_t>(kGreen));
    EXPECT_EQ(canvas.Point(9, 10), static_cast<std::int32_t>(kRed));
    canvas.PaintPicture(picture, 0, 0, 3.0, 3.0, QRect(1, 1, 1, 1)); // black only
    EXPECT_EQ(canvas_test::countColor(canvas.image().copy(0, 0, 3, 3), kBlack), 9);
}

TEST_F(CanvasPaintPictureTest, PartlyOutsideIsClipped)
{
    canvas.PaintPicture(picture, -1, -1, 4.0, 4.0);
    EXPECT_EQ(canvas.Point(0, 0), static_cast<std::int32_t>(kRed));
    EXPECT_EQ(canvas.Point(1, 0), static_cast<std::int32_t>(kGreen));
    EXPECT_EQ(canvas.Point(0, 1), static_cast<std::int32_t>(kBlue));
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 9);
    canvas.PaintPicture(picture, 1e12, 0, 1e13, 5.0); // nowhere near: nothing
    EXPECT_EQ(canvas_test::countOther(canvas.image(), kWhite), 9);
}

struct OpCase {
    const char* name;
    PictureOp op;
    std::uint32_t expected; // source 0x5A3C0F over picture 0x336699
};

class CanvasPictureOpTest : public testing::TestWithParam<OpCase> {};

TEST_P(CanvasPictureOpTest, CombinesSourceAndPicture)
{
    Canvas canvas(QSize(4, 4));
    canvas.setBackColor(0x336699);
    QImage source(4, 4, QImage::Format_RGB32);
    source.fill(platform::toQRgb(0x5A3C0F));
    canvas.PaintPicture(source, 0, 0, std::nullopt, std::nullopt, {}, GetParam().op);
    EXPECT_EQ(canvas_test::countColor(canvas.image(), GetParam().expected), 16);
    EXPECT_TRUE(canvas_test::allOpaque(canvas.image()));
}

INSTANTIATE_TEST_SUITE_P(
    Ops, CanvasPictureOpTest,
    testing::Values(OpCase{"SrcCopy", PictureOp::SrcCopy, 0x5A3C0F},
                    OpCase{"SrcPaint", PictureOp::SrcPaint, 0x5A3C0F | 0x336699},
                    OpCase{"SrcAnd", PictureOp::SrcAnd, 0x5A3C0F & 0x336699},
                    OpCase{"SrcInvert", PictureOp::SrcInvert, 0x5A3C0F ^ 0x336699},
                    OpCase{"SrcErase", PictureOp::SrcErase, 0x5A3C0F & (~0x336699 & 0xFFFFFF)},
                    OpCase{"NotSrcCopy", PictureOp::NotSrcCopy, ~0x5A3C0Fu & 0xFFFFFF},
                    OpCase{"NotSrcErase", PictureOp::NotSrcErase, ~(0x5A3C0Fu | 0x336699) & 0xFFFFFF},
                    OpCase{"MergePaint", PictureOp::MergePaint, (~0x5A3C0Fu | 0x336699) & 0xFFFFFF},
                    OpCase{"DstInvert", PictureOp::DstInvert, ~0x336699u & 0xFFFFFF},
                    OpCase{"Blackness", PictureOp::Blackness, 0x000000},
                    OpCase{"Whiteness", PictureOp::Whiteness, 0xFFFFFF}),
    [](const testing::TestParamInfo<OpCase>& info) { return info.param.name; });

class CanvasDrawImageTest : public testing::Test {
protected:
    CanvasDrawImageTest()
    {
        // Four columns: red, green, blue, black.
        const std::uint32_t colors[4] = {kRed, kGreen, kBlue, kBlack};
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y)
                strip.setPixel(x, y, platform::toQRgb(colors[x]));
    }
    Canvas canvas{QSize(200, 100)};
    QImage strip{4, 4, QImage::Format_RGB32};
};

TEST_F(CanvasDrawImageTest, DrawsIntoTheTargetBoxInPixels)
{
    canvas.DrawImage(strip, 10, 20, 40, 8, 0.0, false);
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::boundsOfOther(image, kWhite), QRect(10, 20, 40, 8));
    EXPECT_EQ(canvas_test::colorAt(image, 10, 20), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 19, 27), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 20, 20), kGreen);
    EXPECT_EQ(canvas_test::colorAt(image, 49, 27), kBlack);
}

TEST_F(CanvasDrawImageTest, HugeBoxShowsOnlyItsVisiblePart)
{
    // Each image column becomes 1000 pixels wide; the box starts 1500
    // pixels left of the canvas, so the canvas shows columns 1 and 2.
    canvas.DrawImage(strip, -1500, -2000, 4000, 4000, 0.0, false);
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::colorAt(image, 0, 0), kGreen);
    EXPECT_EQ(canvas_test::colorAt(image, 199, 99), kGreen);
    EXPECT_EQ(canvas_test::countColor(image, kGreen), 200 * 100);

    // From 1950 pixels left, column 2 begins 50 pixels into the canvas.
    canvas.DrawImage(strip, -1950, 0, 4000, 100, 0.0, false);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 0, 50), kGreen);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 49, 50), kGreen);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 50, 50), kBlue);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 199, 50), kBlue);
}

TEST_F(CanvasDrawImageTest, NegativeWidthMirrors)
{
    canvas.DrawImage(strip, 40, 0, -40, 10, 0.0, false); // covers x 0..39
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 0, 5), kBlack);
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 39, 5), kRed);
    EXPECT_EQ(canvas_test::boundsOfOther(canvas.image(), kWhite), QRect(0, 0, 40, 10));
}

TEST_F(CanvasDrawImageTest, RotationTurnsAboutTheTopLeftPixel)
{
    // Turned a quarter clockwise about (0, 0), the box (0, -40)-(40, 0)
    // lands on (0, 0)-(40, 40); the image's top row becomes its right column.
    QImage topRowRed(4, 4, QImage::Format_RGB32);
    topRowRed.fill(platform::toQRgb(kBlue));
    for (int x = 0; x < 4; ++x)
        topRowRed.setPixel(x, 0, platform::toQRgb(kRed));
    canvas.DrawImage(topRowRed, 0, -40, 40, 40, 90.0, false);
    const QImage& image = canvas.image();
    EXPECT_EQ(canvas_test::boundsOfOther(image, kWhite), QRect(0, 0, 40, 40));
    EXPECT_EQ(canvas_test::colorAt(image, 35, 20), kRed);
    EXPECT_EQ(canvas_test::colorAt(image, 5, 20), kBlue);
}

TEST_F(CanvasDrawImageTest, TransparentPixelsLeaveTheCanvas)
{
    QImage withHole(2, 1, QImage::Format_ARGB32);
    withHole.setPixel(0, 0, qRgba(255, 0, 0, 255));
    withHole.setPixel(1, 0, qRgba(0, 0, 0, 0));
    canvas.DrawImage(withHole, 0, 0, 2, 1, 0.0, false);
    EXPECT_EQ(canvas.Point(0, 0), static_cast<std::int32_t>(kRed));
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 1, 0), kWhite);
}

TEST(CanvasImageForEditTest, DirectEditsShowInTheImage)
{
    Canvas canvas(QSize(3, 3));
    canvas.imageForEdit().setPixel(1, 1, platform::toQRgb(kRed));
    EXPECT_EQ(canvas_test::colorAt(canvas.image(), 1, 1), kRed);
}

} // namespace
