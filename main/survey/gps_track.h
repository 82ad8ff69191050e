// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The GPS client's reading of the GPS program's fix text and the track it
// keeps (GpsX, GpsY, GpsCount of the shared tables). QtCore only.
//
// The fix text is either a fix line, "X, Y, height, ..." with X (north) and
// Y (east) in metres, or one of the status words without a comma. Only X and
// Y are read.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace tavelcor {

/// The status words of the GPS program, compared exactly (a word followed by
/// a blank is no status word).
enum class GpsStatusWord : std::uint8_t {
    Other,        ///< any other text without a comma, the empty text included
    Suspended,    ///< "中断": reception stopped by the user
    Ended,        ///< "終了": the GPS program is closing
    Preparing,    ///< "準備中": data without a usable fix
    Unconnected,  ///< "未接続": no receiver data
};

GpsStatusWord gpsStatusWord(QStringView text);

/// X and Y of a fix line, absolute metres.
struct GpsFix {
    double x = 0.0;  ///< north
    double y = 0.0;  ///< east
};

/// The fix of a text holding a comma: X is the leading number of the whole
/// text, Y the leading number of the 12 characters after the first comma
/// (blanks skipped, 0 without a number). nullopt for a text without a comma.
std::optional<GpsFix> readGpsFixLine(QStringView text);

/// The most positions the track keeps (entries 1..kGpsTrackSize).
inline constexpr std::int32_t kGpsTrackSize = 30000;
/// From this many stored positions on, a jump beyond kGpsJumpLimitM is dropped.
inline constexpr std::int32_t kGpsFreePositions = 10;
/// Metres a position may lie from the previous one.
inline constexpr double kGpsJumpLimitM = 1000000.0;

/// What a fix did to the track.
enum class TrackStep : std::uint8_t {
    Stored,    ///< a new position at GpsCount
    Repeat,    ///< equal to the last position: dropped
    Jump,      ///< more than kGpsJumpLimitM from the last position: dropped
    Restart,   ///< the track was full: dropped, GpsCount restarts at 1
};

/// Adds the fix to the track: the position is the fix minus the site origin
/// (OriginX, OriginY) in single precision. The first kGpsFreePositions are
/// stored whatever their distance, later jumps are dropped, a repeat of the
/// last position is dropped, and a fix that finds the track full is dropped
/// with GpsCount set to 1, so the next fix becomes position 2. Nothing is
/// ever written past entry kGpsTrackSize.
TrackStep appendGpsFix(const GpsFix& fix);

/// The next value of the marker's blink counter (1, 2, 3, then 0 on the
/// fourth fix line; the marker shows on that fourth one).
std::int16_t nextGpsBlink(std::int16_t blink);

/// The workbook signal value of a cell text: its leading number rounded to
/// the nearest whole number, halves to the even neighbour (0 without one).
std::int32_t workbookSignalValue(QStringView text);

}  // namespace tavelcor
