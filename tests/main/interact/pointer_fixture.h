// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The interact test window, shown, with the motion and release on the plot
// driven as the plot receives them (x the plot east, y minus the plot
// north), a desktop in memory that tells the window in front, and pixel
// probes in plot coordinates.

#include "interact_fixture.h"

#include "main/interact/pointer_motion.h"
#include "main/interact/pointer_release.h"
#include "main/ui/ui_services.h"
#include "platform/canvas/colors.h"
#include "platform/desktop/fake_desktop.h"

#include <QImage>

namespace tavelcor::interacttest {

class PointerTest : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        uiServices().foreground = &desktop;
        mWindow = &shownPlot();
    }

    void TearDown() override
    {
        uiServices().foreground = nullptr;
        InteractTest::TearDown();
    }

    Plot& w() { return *mWindow; }

    /// A motion with `buttons` held at plot north, east.
    void moveTo(int buttons, double north, double east, int shift = 0)
    {
        ASSERT_TRUE(w().Picture1.MouseMove);
        w().Picture1.MouseMove(buttons, shift, east, -north);
    }

    /// A release of `button` at plot north, east.
    void releaseAt(int button, double north, double east)
    {
        ASSERT_TRUE(w().Picture1.MouseUp);
        w().Picture1.MouseUp(button, 0, east, -north);
    }

    /// Pixels that are not white in the plot rectangle between two corners.
    int nonWhitePixels(double north0, double east0, double north1, double east1)
    {
        const platform::Canvas& canvas = w().Picture1.canvas();
        const QPointF a = canvas.toPixel(QPointF(east0, -north0));
        const QPointF b = canvas.toPixel(QPointF(east1, -north1));
        const QImage& image = canvas.image();
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x(), b.x()))));
        const int x1 = std::min(image.width() - 1, static_cast<int>(std::ceil(std::max(a.x(), b.x()))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y(), b.y()))));
        const int y1 = std::min(image.height() - 1, static_cast<int>(std::ceil(std::max(a.y(), b.y()))));
        int count = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x)
                count += (image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu ? 1 : 0;
        }
        return count;
    }

    static std::uint32_t white() { return platform::QBColor(15); }

    platform::FakeDesktop desktop;

private:
    Plot* mWindow = nullptr;
};

}  // namespace tavelcor::interacttest
