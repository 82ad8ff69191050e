// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/print_scale.h"

#include "platform/text/numbers.h"
#include "platform/text/width.h"

#include <cmath>
#include <numbers>

namespace tavelcor::render {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMillimetresPerInch = 25.4;

double wholePart(double value) noexcept
{
    return std::isfinite(value) ? std::floor(value) : 0.0;
}

double ratioDenominator(double spanM, double pageTwips) noexcept
{
    const double pageM = pageMetres(pageTwips);
    if (!(pageM > 0.0) || !(spanM > 0.0))
        return 0.0;
    return wholePart(spanM / pageM);
}

// One device length in whole units (halves to even); `perInch` units per inch.
double whole(int pixels, double dpi, double perInch)
{
    return platform::roundHalfEven(pixels * perInch / dpi);
}

// The strip left over after the printable length and the leading offset,
// and the printable length that remains, in whole units.
struct Axis {
    double offset = 0.0;
    double trailing = 0.0;
    double printable = 0.0;
};

Axis axis(int offsetPx, int physicalPx, int printablePx, double dpi, double perInch)
{
    Axis a;
    if (!(dpi > 0.0))
        return a;
    a.offset = whole(offsetPx, dpi, perInch);
    const double physical = whole(physicalPx, dpi, perInch);
    a.trailing = platform::roundHalfEven(physical - (printablePx * perInch / dpi + a.offset));
    a.printable = physical - a.offset - a.trailing;
    return a;
}

}  // namespace

double pageMetres(double twips) noexcept
{
    return twips / kPrintTwipsPerMm / 1000.0;
}

double defaultDenominator(double eastSpanM, double pageWidthTwips) noexcept
{
    return ratioDenominator(eastSpanM, pageWidthTwips);
}

double wholeRangeDenominator(double northSpanM, double eastSpanM, double pageWidthTwips,
                             double pageHeightTwips, bool landscape) noexcept
{
    return landscape ? ratioDenominator(eastSpanM, pageWidthTwips)
                     : ratioDenominator(northSpanM, pageHeightTwips);
}

QString denominatorText(double denominator)
{
    return platform::Str(denominator);
}

double readDenominator(QStringView typed)
{
    return platform::Val(platform::toHalfWidth(typed));
}

std::optional<PrintExtents> printExtents(double eastSpanM, double pageWidthTwips,
                                         double pageHeightTwips, double N, double D0) noexcept
{
    if (!std::isfinite(N) || !(N > 0.0) || !(pageWidthTwips > 0.0) || !(pageHeightTwips > 0.0))
        return std::nullopt;
    const double aspect = pageHeightTwips / pageWidthTwips;
    PrintExtents e{eastSpanM * aspect, eastSpanM};
    if (N != D0) {
        e.spanY = D0 > 0.0 ? e.spanY * N / D0 : N * pageMetres(pageWidthTwips);
        e.spanX = e.spanY * aspect;
    }
    return e;
}

PrintExtents bitmapExtents(double eastSpanM) noexcept
{
    return PrintExtents{eastSpanM / std::numbers::sqrt2, eastSpanM};
}

double bitmapDenominator(double eastSpanM) noexcept
{
    return wholePart(eastSpanM / kA0LongSideM + 0.5);
}

PrintOffsets printOffsets(const platform::DeviceCaps& caps)
{
    const Axis across = axis(caps.physicalOffsetX, caps.physicalWidth, caps.horzRes, caps.dpiX, kTwipsPerInch);
    const Axis down = axis(caps.physicalOffsetY, caps.physicalHeight, caps.vertRes, caps.dpiY, kTwipsPerInch);
    return PrintOffsets{platform::CLng(across.offset), platform::CLng(down.trailing)};
}

PrintableSize printableSize(const platform::DeviceCaps& caps)
{
    const Axis across = axis(caps.physicalOffsetX, caps.physicalWidth, caps.horzRes, caps.dpiX, kMillimetresPerInch);
    const Axis down = axis(caps.physicalOffsetY, caps.physicalHeight, caps.vertRes, caps.dpiY, kMillimetresPerInch);
    return PrintableSize{down.printable, across.printable};
}

QString scaleLabel(double N, const QString& caption, bool wholeCaption)
{
    return QStringLiteral("縮尺= 1/") + platform::CStr(N) + QStringLiteral("    ") +
           (wholeCaption ? caption : caption.left(16));
}

QString bitmapLabel(double N, double viewCX, double viewCY, double spanX, double spanY)
{
    const auto corner = [](double value) { return platform::CStr(std::floor(value)); };
    return QStringLiteral("Ａ０出力で　概算縮尺= 1/") + platform::CStr(N) +
           QStringLiteral("   左下X = ") + corner(viewCX - spanX / 2) +
           QStringLiteral("   左下Y = ") + corner(viewCY - spanY / 2) +
           QStringLiteral("   右上X = ") + corner(viewCX + spanX / 2) +
           QStringLiteral("   右上Y = ") + corner(viewCY + spanY / 2);
}

QStringList printLines(QStringView text)
{
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r')) {
            lines << current;
            current.clear();
            ++i;  // the character after a CR (the LF of CR LF) is skipped
            continue;
        }
        current += text[i];
    }
    lines << current;
    return lines;
}

}  // namespace tavelcor::render
