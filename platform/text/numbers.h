// SPDX-License-Identifier: LicenseRef-Tavelcor
// Numbers read from texts and written as texts, the way the Windows runtime
// of the system does it: the leading number (Val), whole-number conversions
// that round halves to the even neighbour (CLng, CInt, CByte), and the number
// texts of single (7 significant digits) and double (15 significant digits)
// precision: Str (" 1.5", " .5", "-.25") and CStr ("1.5", "0.5", "-0.25").
//
// Nothing here depends on the user's locale: the decimal point is always ".".
#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform {

// ---- reading -------------------------------------------------------------

// The numeric value of a text: its leading decimal number.
// - Blanks (U+0020), tabs and line feeds are ignored wherever they stand
//   ("  12", "1 2" and "\t12\n" all read 12); any other character, the
//   full-width blank and full-width digits included, ends the number.
// - An optional "+" or "-", digits with at most one decimal point (".5",
//   "5." and "-.25" are numbers), then an optional exponent: "E", "e", "D" or
//   "d", an optional sign and at least one digit ("1.5E3" is 1500; in "12E"
//   and "1E+" the exponent is incomplete and is not read, giving 12 and 1).
// - Reading stops at the first character that cannot continue the number
//   ("12.5m" is 12.5, "1.2.3" is 1.2, "1,234" is 1).
// - A text that does not start with a number reads 0 ("", "abc", "-", ".",
//   "&H10"). No radix prefixes are read: the texts are decimal numbers.
// - A number beyond the range of double, or too small for it, reads 0, so no
//   infinity reaches the tables. The result is never -0.
// Full-width digits are not read: callers that accept them narrow the text
// first (see width.h), as the dialogs that take "５００" do.
double Val(QStringView text);

// The leading number of a text as Val reads it, or nullopt when the text
// does not start with a number (where Val gives 0) or the number lies
// beyond the range of double: "12.5m" 12.5, " -.5" -0.5, "-----" and ""
// nullopt. For replies whose "0" must not be taken for a value.
std::optional<double> leadingNumber(QStringView text);

// The whole text as a number, or nullopt when it is not one: blanks and tabs
// around the number are allowed, nothing else ("12", " -1.5E3 " and ".5" are
// numbers; "", "12a", "1 2", "1,234" are not). For fields that must be
// numbers in full.
std::optional<double> toNumberChecked(QStringView text);

// ---- whole numbers ---------------------------------------------------------

// The nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Infinities and NaN are returned unchanged.
double roundHalfEven(double value);

// Rounded half to even, nullopt when the result lies outside the type or the
// value is not finite. Use these where an out-of-range value must be refused.
std::optional<std::int32_t> toLongChecked(double value);    // -2147483648..2147483647
std::optional<std::int16_t> toIntegerChecked(double value); // -32768..32767
std::optional<std::uint8_t> toByteChecked(double value);    // 0..255

// Rounded half to even and clamped to the type's range; NaN gives 0. (The
// Windows runtime raised an overflow error instead; where that error ended an
// operation, use the checked form above.)
std::int32_t CLng(double value);
std::int16_t CInt(double value);
std::uint8_t CByte(double value);

// ---- number texts ----------------------------------------------------------
//
// The shortest decimal text of the value rounded to 15 significant digits
// (double) or 7 (single precision: the value is first taken as a float), with
// "." as the decimal point and no thousands separator; whole numbers carry no
// point. The exponent form "1E-05", "1.5E+20", "1.234568E+08" (upper-case E,
// sign, at least two digits) is used when the decimal exponent is below -4 or
// not below the number of digits (15 or 7): 0.0001 is ".0001" but 0.00001 is
// "1E-05"; 1E14 is "100000000000000" but 1E15 is "1E+15" in double; 1234567
// is "1234567" but 12345678 is "1.234568E+07" in single. A value exactly
// halfway between two 15- (7-) digit texts is rounded to the even digit.
// -0 is written as 0; NaN and infinities, which no field should hold, are
// written as 0 as well.

// Str: one blank before a value that is not negative (the sign's place), no
// zero before the point: Str(12) " 12", Str(-3.5) "-3.5", Str(0.5) " .5",
// Str(-0.25) "-.25", Str(0) " 0". This is also the signed-blank form of the
// site files, and Trim(Str(x)) is the trimmed number text (".5").
QString Str(double value);
QString StrSingle(float value);

// CStr: the same digits without the blank and with a zero before the point
// (0.5 -> "0.5", -0.25 -> "-0.25"): the text a number gets when it is joined
// to other text.
QString CStr(double value);
QString CStrSingle(float value);

// The plain number text of files that take no exponent (the KML file): the
// digits of Str without its blank (15 significant digits, the shortest text,
// no zero before the point: "139.75", ".5", "-.25", "12"), and never an
// exponent: where Str would write one the digits are written out in full
// (0.00001 is ".00001", 1E+15 is "1000000000000000"). -0, NaN and the
// infinities give "0".
QString plainNumberText(double value);
// The longest plain number text (1.8E+308 and 4.9E-324 written out).
inline constexpr std::size_t kPlainNumberTextMax = 352;
// The same text (ASCII) written to out, which has room for
// kPlainNumberTextMax characters; returns its length. For writers of large
// files that make no QString per number.
std::size_t writePlainNumberText(double value, char* out);

}  // namespace platform
