// SPDX-License-Identifier: LicenseRef-Tavelcor
// Screen metrics in the units the forms use: twips (1440 per inch).
#pragma once

#include <functional>
#include <optional>

namespace platform {

// Twips per pixel for a logical resolution in dots per inch: 1440 / dpi
// (15 at 96 dpi, 12 at 120 dpi). 15 for a resolution that is not positive.
double twipsPerPixelForDpi(double dotsPerInch);

// The primary screen measured in twips.
struct ScreenMetrics {
    double twipsPerPixelX = 15.0;  // twips per pixel, horizontal
    double twipsPerPixelY = 15.0;  // twips per pixel, vertical
    double widthTwips = 0.0;       // whole screen width, twips
    double heightTwips = 0.0;      // whole screen height, twips
};

// Metrics of the primary screen from its logical resolution and size; nullopt
// without a QGuiApplication or without a screen.
std::optional<ScreenMetrics> primaryScreenMetrics();

// The desktop work area (the screen less panels and docks) in pixels, as a
// Windows rectangle: right and bottom lie one pixel past the last one.
struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The primary screen's work area; nullopt when it cannot be had (the caller
// then shows its failure message).
std::optional<WorkArea> desktopWorkArea();

// Tests: desktopWorkArea() gives what `source` gives until called again with
// nullptr (the screen's own again).
void setWorkAreaSource(std::function<std::optional<WorkArea>()> source);

}  // namespace platform
