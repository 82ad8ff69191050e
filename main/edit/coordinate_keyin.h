// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Key-in of SIMA coordinates by number and of a point's new position: the
// reading of the typed fields and the changes to the tables, without the
// windows (xyin.h, xyin2.h).

#include <QString>

#include <variant>

namespace tavelcor {

// ------------------------------------------------------------ coordinate key-in

/// The highest coordinate number the table holds.
inline constexpr int kKeyInNumberMax = 500000;

/// A number field that reads above 500000, or below 1 (0, a negative number
/// or a text that does not start with a number).
enum class KeyInNumberFault { AboveRange, BelowRange };

/// The coordinate number of a field: its leading number rounded half to even,
/// or why it cannot be stored.
std::variant<int, KeyInNumberFault> readKeyInNumber(const QString& text);

/// The message that refuses a number: "登録番号は５０万番以内です" above the
/// range, "登録番号は１番以上です" below it.
QString keyInNumberMessage(KeyInNumberFault fault);

/// True when coordinate n (1..500000) is in use: its name is not "_?>".
bool coordinateInUse(int n);

/// The texts of the key-in window's fields.
struct KeyInFields {
    QString name;  ///< as typed
    QString x;     ///< north, metres
    QString y;     ///< east, metres
    QString z;     ///< height, metres
};

/// The fields showing coordinate n: its name, X and Y in width 11 and Z in
/// width 8, three decimals each, with the formatter's leading blanks.
KeyInFields coordinateFields(int n);

/// True when storing the fields into coordinate n (in use) would change it:
/// the names differ without their outer blanks, or a field's value differs
/// from the stored one.  Stored values with more than three decimals differ
/// from their own shown texts.
bool keyInChangesEntry(int n, const KeyInFields& fields);

/// "すでに<n>:<name>が登録されています。上書きしますか？".
QString keyInOverwriteQuestion(int n);

/// Stores the fields into coordinate n (1..500000): the name as typed, X, Y
/// and Z as the leading numbers of their texts (0 without one), the plot
/// coordinates relative to the site origin; raises ZahyoMax to n when it is
/// lower and marks the coordinates changed (ZahyoDirty 1).  A number outside
/// 1..500000 changes nothing and returns false.
bool storeKeyedCoordinate(int n, const KeyInFields& fields);

// ------------------------------------------------------------ point move

/// Targets as far or farther than this from the view centre, along either
/// axis, are refused (metres).
inline constexpr double kMoveReachM = 100000.0;

/// The text a move pick puts into a field of the point-move window: the
/// largest whole number not above the absolute coordinate, with one leading
/// blank when it is not negative (12345.678 -> " 12345", -6789.5 -> "-6790").
QString moveFieldText(double absoluteM);

/// True when a target (absolute north x, east y) lies less than 100 km from
/// the view centre along both axes.
bool moveTargetInReach(double x, double y);

}  // namespace tavelcor
