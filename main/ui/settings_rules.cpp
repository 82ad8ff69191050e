// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/settings_rules.h"

#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/width.h"

#include <limits>

namespace tavelcor {

namespace {

// Rounded to the nearest whole number, halves to even.
double whole(double value)
{
    return platform::roundHalfEven(value);
}

// The stepper's new value as the field shows it.
QString wholeText(double value)
{
    return platform::Trim(platform::Str(value));
}

}  // namespace

std::optional<std::int16_t> hitRadiusFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (!(value > 0.0 && value < 31.0))
        return std::nullopt;
    return static_cast<std::int16_t>(whole(value));
}

std::optional<std::int16_t> fontSizeFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (!(value > 7.0 && value < 31.0))
        return std::nullopt;
    return static_cast<std::int16_t>(whole(value));
}

std::optional<float> windowLayoutFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (!(value >= 0.0 && value < 4.0))
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<float> sxfHeightFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (!(value > 0.0 && value < 51.0))
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<float> slideFactorFromText(const QString& text)
{
    return sxfHeightFromText(text);
}

std::optional<std::uint8_t> backupMinutesFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (!(value >= 0.0 && value < 99.0))
        return std::nullopt;
    return static_cast<std::uint8_t>(whole(value));
}

std::optional<std::int32_t> displayLimitFromText(const QString& text)
{
    const std::optional<std::int32_t> value = platform::toLongChecked(platform::Val(text));
    if (!value || *value < 1)
        return std::nullopt;
    return value;
}

ZoneEntry zoneFromText(const QString& text)
{
    // A value under 1 is no zone, however it rounds (0.7 is not zone 1);
    // the upper bound is tested on the whole number the zone becomes, so
    // 19.4 is zone 19.
    const double value = platform::Val(text);
    const double zone = whole(value);
    if (value < 1.0 || zone > 19.0)
        return ZoneEntry{6, true};
    return ZoneEntry{static_cast<std::uint8_t>(zone), false};
}

std::uint8_t tileScreensFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (!(value > 0.0 && value < 100.0))
        return 5;
    return static_cast<std::uint8_t>(whole(value));
}

QString stepHitRadius(const QString& text)
{
    const double value = platform::Val(text) + 5.0;
    return wholeText(value > 30.0 ? 5.0 : value);
}

QString stepFontSize(const QString& text)
{
    const double value = platform::Val(text) + 1.0;
    return wholeText(value > 30.0 ? 8.0 : value);
}

QString stepWindowLayout(const QString& text)
{
    const double value = platform::Val(text) + 1.0;
    return wholeText(value > 3.0 ? 0.0 : value);
}

int phrasePageFromText(const QString& text)
{
    double value = platform::Val(platform::toHalfWidth(text));
    if (value < 1.0)
        value = 1.0;
    if (value >= kLastPhrasePage)
        value = kLastPhrasePage;
    return static_cast<int>(whole(value));
}

int previousPhrasePage(int start)
{
    const int page = start - kPhrasePageRows;
    return page < 1 ? 1 : page;
}

int nextPhrasePage(int start)
{
    const int page = start + kPhrasePageRows;
    return page > kLastPhrasePage - 1 ? kLastPhrasePage : page;
}

}  // namespace tavelcor
