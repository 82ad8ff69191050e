// SPDX-License-Identifier: LicenseRef-Tavelcor
// Twips (1440 per inch; 15 per pixel at 96 dots per inch), the unit of form
// and control geometry, and font sizes snapped to whole pixels as the forms
// show them.
#pragma once

namespace platform {

/// Twips per pixel across and down: 1440 / the primary screen's logical
/// resolution; 15 when there is no screen (or no QGuiApplication).
double twipsPerPixelX();
double twipsPerPixelY();

/// The em height in whole pixels (at least 1) of a font of `points` points at
/// the screen's logical resolution: 9 pt -> 12 px, 15.75 pt -> 21 px at 96 dpi.
int fontPixels(double points);

/// The size in points of a font `pixels` high: 11 px -> 8.25 pt at 96 dpi.
double fontPointsOfPixels(int pixels);

/// The nearest whole pixel (halves round up) of a position or size in pixels,
/// kept within what a widget can take (+-QWIDGETSIZE_MAX); NaN gives 0 and
/// an infinity the limit of its sign.
int nearestPixel(double pixels);

/// The frame a form's outer size includes around its client area, in pixels:
/// a single border with a caption bar at 96 dpi, whatever the window manager
/// draws, so that outer sizes are the same on every desktop and headless.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
inline constexpr FrameMargins kCaptionedFrame{4, 23, 4, 4};

}  // namespace platform
