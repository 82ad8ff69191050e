// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The arithmetic of printing the plot: scale denominators against the page,
// the extents printed for a denominator, the printable-area offsets from the
// printer's device capabilities, the labels written into the output and the
// lines of plain-text printing. Pure functions.
//
// Units: page sizes in twips as the printer reports them; extents in metres
// (ViewSpanX north, ViewSpanY east). Page twips become metres at 56.7 twips
// per millimetre (the dialog's own factor, not 1440 / 25.4).

#include "platform/print/device_caps.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace tavelcor::render {

inline constexpr double kPrintTwipsPerMm = 56.7;
/// The long side of an A0 sheet, metres: the bitmap output's reference.
inline constexpr double kA0LongSideM = 1.189;
/// Width of the bitmap output's picture, twips (its height is this ÷ √2).
inline constexpr double kBitmapWidthTwips = 80000.0;

/// Page twips -> metres (twips ÷ 56.7 ÷ 1000).
double pageMetres(double twips) noexcept;

/// The default scale denominator: the whole part of the east extent over the
/// page width in metres; 0 when the page has no width or the extent is not
/// positive.
double defaultDenominator(double eastSpanM, double pageWidthTwips) noexcept;

/// The denominator that fits the whole shown range: in landscape the east
/// extent against the page width (the default denominator), else the north
/// extent against the page height; whole part, 0 as above.
double wholeRangeDenominator(double northSpanM, double eastSpanM, double pageWidthTwips,
                             double pageHeightTwips, bool landscape) noexcept;

/// A denominator as the input box proposes it: one blank for the sign of a
/// value that is not negative (" 357", " 0").
QString denominatorText(double denominator);

/// The denominator a typed text asks for: full-width characters narrowed,
/// then the leading number ("５００" and " 500" read 500, "1250.5" 1250.5,
/// "" and "abc" 0).
double readDenominator(QStringView typed);

/// North and east extents (metres) of the printed view.
struct PrintExtents {
    double spanX = 0.0;
    double spanY = 0.0;
};

/// The extents that print the east extent `eastSpanM` at denominator N on a
/// page of the given size, where D0 is the default denominator: the north
/// extent follows the page's proportions, and when N differs from D0 both
/// extents are scaled by N / D0. A D0 of 0 (a view narrower than the page)
/// takes the east extent straight from N (N × page width in metres) instead
/// of dividing by zero. Nullopt, nothing to print, when N is not a positive
/// number or the page has no size.
std::optional<PrintExtents> printExtents(double eastSpanM, double pageWidthTwips,
                                         double pageHeightTwips, double N, double D0) noexcept;

/// The extents of the bitmap output: the east extent kept, the north extent
/// in an A-series sheet's proportions (east ÷ √2).
PrintExtents bitmapExtents(double eastSpanM) noexcept;

/// The approximate denominator of the bitmap on an A0 sheet: east extent
/// over 1.189 m, halves rounded up.
double bitmapDenominator(double eastSpanM) noexcept;

/// The printer's left offset and bottom unprintable strip in whole twips
/// (PrintOffsetL, PrintMarginB), rounded to nearest with halves to even.
/// Zero for capabilities without a resolution.
struct PrintOffsets {
    std::int32_t left = 0;
    std::int32_t bottom = 0;
};
PrintOffsets printOffsets(const platform::DeviceCaps& caps);

/// Printable height and width of the page in whole millimetres.
struct PrintableSize {
    double heightMm = 0.0;
    double widthMm = 0.0;
};
PrintableSize printableSize(const platform::DeviceCaps& caps);

/// The label of a printed plot: "縮尺= 1/" N, four blanks, and the first 16
/// characters of the window caption (the whole caption with `wholeCaption`).
QString scaleLabel(double N, const QString& caption, bool wholeCaption);

/// The label of the bitmap output with its approximate A0 denominator and
/// the corners of the view (absolute metres, rounded down).
QString bitmapLabel(double N, double viewCX, double viewCY, double spanX, double spanY);

/// The lines of plain-text printing: a CR ends a line and the character
/// after it is skipped (the LF of CR LF); the last line is what follows the
/// last CR (empty when the text ends with CR LF). "" is one empty line.
QStringList printLines(QStringView text);

}  // namespace tavelcor::render
