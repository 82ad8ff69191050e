// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The survey part's test window (survey_fixture.h: the shown main window, a
// scripted prompter, a small site centred on the origin with a 100 m view,
// 再表示 wired) with the edit part wired: the history buttons and "候補".
// The label size stays fixed (VarFont off) unless a test turns it on.

#include "history_fixture.h"
#include "survey_fixture.h"

#include "main/edit/edit_wiring.h"
#include "main/edit/koho.h"

#include <QImage>

namespace tavelcor::edittest {

class EditWindowTest : public surveytest::SurveyTest {
protected:
    void SetUp() override
    {
        SurveyTest::SetUp();
        addPlotWiring(wireEdit);
        VarFont = 0;
    }

    /// The plot's picture as it stands.
    static QImage picture() { return plot().Picture1.canvas().image().copy(); }

    /// True when every pixel that `text` printed at plot coordinate (px, py)
    /// in the picture's letter size would ink is white.
    static ::testing::AssertionResult erasedAt(double px, double py, const QString& text)
    {
        const platform::Canvas& canvas = plot().Picture1.canvas();
        const QImage ink = render::testing_support::referenceText(canvas, py, -px, text, platform::QBColor(0),
                                                                  canvas.FontSize());
        const QImage& image = canvas.image();
        int inked = 0;
        for (int y = 0; y < ink.height(); ++y)
            for (int x = 0; x < ink.width(); ++x) {
                if ((ink.pixel(x, y) | 0xFF000000u) == 0xFFFFFFFFu)
                    continue;
                ++inked;
                if ((image.pixel(x, y) | 0xFF000000u) != 0xFFFFFFFFu)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is not white";
            }
        if (inked == 0)
            return ::testing::AssertionFailure() << "the text leaves no ink";
        return ::testing::AssertionSuccess();
    }

    /// Pixels that are not white within `radius` metres of plot point (px, py).
    static int inkNear(double px, double py, double radius)
    {
        const platform::Canvas& canvas = plot().Picture1.canvas();
        const QImage& image = canvas.image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const double east = canvas.ScaleLeft() + (x + 0.5) * canvas.ScaleWidth() / image.width();
                const double south = canvas.ScaleTop() + (y + 0.5) * canvas.ScaleHeight() / image.height();
                if (std::abs(east - py) > radius || std::abs(-south - px) > radius)
                    continue;
                n += (image.pixel(x, y) | 0xFF000000u) != 0xFFFFFFFFu ? 1 : 0;
            }
        return n;
    }
};

}  // namespace tavelcor::edittest
