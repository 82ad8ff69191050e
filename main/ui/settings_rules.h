// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the settings dialog accepts in its fields. Each rule takes a field's
// text, reads its numeric value (the leading number, blanks ignored; a text
// without one is 0) and gives the value to store, or nullopt when the value
// is refused and the setting keeps what it had. Whole-number settings take
// the nearest whole number, a half going to the even one. QtCore only.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace tavelcor {

/// HitRadius (pixels): above 0 and below 31 ("0.3" gives 0, "30.6" gives 31).
std::optional<std::int16_t> hitRadiusFromText(const QString& text);
/// FontSize (points): above 7 and below 31.
std::optional<std::int16_t> fontSizeFromText(const QString& text);
/// WindowLayout: 0 up to below 4, kept as a real number ("2.5" stays 2.5).
std::optional<float> windowLayoutFromText(const QString& text);
/// The three SXF heights (mm) and SlideFactor: above 0 and below 51.
std::optional<float> sxfHeightFromText(const QString& text);
std::optional<float> slideFactorFromText(const QString& text);
/// BackupMinutes: 0 (no backup) up to below 99.
std::optional<std::uint8_t> backupMinutesFromText(const QString& text);
/// PointLimit and TxtLimit: whole numbers 1 to 2147483647; a limit of 0 or
/// below would hide every label and drop whole folders of the KML export.
std::optional<std::int32_t> displayLimitFromText(const QString& text);

/// The zone field as a whole number: a value below 1 ("0.7" too) or one
/// that rounds above 19 turns the field into "6" (`resetText`) and gives
/// zone 6 ("19.4" gives 19, "20" gives 6).
struct ZoneEntry {
    std::uint8_t zone = 6;
    bool resetText = false;
};
ZoneEntry zoneFromText(const QString& text);

/// TileScreens from the screens field, taken on every change: its value
/// above 0 and below 100, else 5.
std::uint8_t tileScreensFromText(const QString& text);

/// The steppers of the dialog's first three fields on a double click, as
/// trimmed decimal text: HitRadius adds 5 and starts again at 5 above 30;
/// FontSize adds 1 and starts again at 8 above 30; WindowLayout adds 1 and
/// starts again at 0 above 3.
QString stepHitRadius(const QString& text);
QString stepFontSize(const QString& text);
QString stepWindowLayout(const QString& text);

/// The first entry of the phrase editor's page (1..3971) from its page
/// field: full-width characters narrowed, the leading number taken (0 when
/// none), below 1 gives 1, 3971 and above give 3971, rounded halves to even.
int phrasePageFromText(const QString& text);

/// The page start one page (30 entries) back or forward, kept in 1..3971.
int previousPhrasePage(int start);
int nextPhrasePage(int start);

/// The first entry of the last page: it shows entries 3971 to 4000.
inline constexpr int kLastPhrasePage = 3971;
/// Entries on one page of the phrase editor.
inline constexpr int kPhrasePageRows = 30;

}  // namespace tavelcor
