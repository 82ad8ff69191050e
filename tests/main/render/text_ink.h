// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Finding a printed text on a picture: the ink the text leaves when printed
// alone on a blank picture of the same size, scale and font, compared pixel
// for pixel with the picture (no antialiasing, so the same text at the same
// place leaves the same pixels).

#include "platform/canvas/canvas.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>

namespace tavelcor::render::testing_support {

// The ink of `text` printed at user point (x, y) in `color` with letter size
// `fontSize` on a blank picture like `like` (its size, user scale, font name
// and boldness).
inline QImage referenceText(const platform::Canvas& like, double x, double y, const QString& text,
                            std::uint32_t color, double fontSize)
{
    platform::Canvas ref(like.image().size());
    ref.setScaleLeft(like.ScaleLeft());
    ref.setScaleTop(like.ScaleTop());
    ref.setScaleWidth(like.ScaleWidth());
    ref.setScaleHeight(like.ScaleHeight());
    ref.setFontName(like.FontName());
    ref.setFontBold(like.FontBold());
    ref.setFontSize(fontSize);
    ref.setForeColor(color);
    ref.setCurrentX(x);
    ref.setCurrentY(y);
    ref.Print(text);
    return ref.image().copy();
}

// Every inked pixel of the reference has the same colour in `image`.
inline ::testing::AssertionResult containsText(const QImage& image, const QImage& reference)
{
    int ink = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb r = reference.pixel(x, y) | 0xFF000000u;
            if (r == 0xFFFFFFFFu)
                continue;
            ++ink;
            if ((image.pixel(x, y) | 0xFF000000u) != r) {
                if (qEnvironmentVariableIsSet("RENDER_TEST_DUMP")) {
                    image.save(QStringLiteral("/tmp/render-actual.png"));
                    reference.save(QStringLiteral("/tmp/render-reference.png"));
                }
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                     << image.pixel(x, y) << ", the text has " << r;
            }
        }
    if (ink == 0)
        return ::testing::AssertionFailure() << "the reference text left no ink";
    return ::testing::AssertionSuccess();
}

}  // namespace tavelcor::render::testing_support
