// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixed-width number text that every report and file writer uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace geodesy {

/// Formats `value` right-aligned in `width` characters with exactly
/// `decimals` decimals (0 to 9).
///
/// - The value is first moved away from zero by a tiny bias (1e-7 for 0 to 6
///   decimals, 1e-8 for 7, 1e-9 for 8, 1e-10 for 9), so that a stored 1.005
///   (really 1.00499999…) still rounds to 1.01.
/// - Rounding is to the nearest, halves away from zero, on the exact binary
///   value; the integer part is never cut; "." is the decimal separator (no
///   point for 0 decimals), "-" leads negative values, no thousands
///   separators.  A negative value that rounds to zero is written without a
///   minus sign ("0.00").
/// - The text is put behind 15 blanks and the last `width` characters of the
///   whole are returned: a text longer than `width` loses its leading
///   characters (123456.789, width 6, 2 decimals → "456.79"), and a width
///   beyond the text's length plus 15 gives just 15 blanks in front.
/// - `decimals` outside 0 to 9, or a value that is not finite, give
///   min(width, 15) blanks.  A negative width gives the empty text.
///
/// Never throws; uses no locale.  Widths up to 15 stay in the small-string
/// buffer, so writers of large tables do not allocate per number.
std::string FormatFixed(double value, int width, int decimals);

/// Room for every text FixedDigits writes.
inline constexpr std::size_t kFixedDigitsRoom = 32;

/// The text FormatFixed gives, without the blanks it puts in front and never
/// cut at the width: the sign, the whole part, "." and the decimals.  For
/// writers of large tables: written to `out`, which must have room for
/// kFixedDigitsRoom characters, nothing allocated.  Returns the length of the
/// text; 0
/// when decimals lie outside 0 to 9, the value is not finite (FormatFixed
/// gives only blanks then) or its text would not fit the room (magnitudes
/// from about 1.8e10 on): the caller then takes FormatFixed's text.
std::size_t FixedDigits(double value, int decimals, char* out) noexcept;

/// Room for every text WholeDigits writes.
inline constexpr std::size_t kWholeDigitsRoom = 24;

/// The decimal digits of value ("0", "500000"), as std::to_chars writes them,
/// written to `out`, which must have room for kWholeDigitsRoom characters
/// (it writes whole words beyond the digits); returns their count. For
/// writers of large tables: nothing allocated.
std::size_t WholeDigits(std::uint64_t value, char* out) noexcept;

/// FormatFixed of a number given as text (a field's contents).  The text may
/// carry blanks around an optional sign, digits with an optional "." and an
/// optional exponent ("1.5", " -2 ", "1e3"); anything else is not a number
/// and gives nullopt, as does a negative width.  An empty or blank text is
/// not a number either.
std::optional<std::string> FormatFixedText(std::string_view text, int width, int decimals);

}  // namespace geodesy
