// SPDX-License-Identifier: LicenseRef-Tavelcor
// The messages of the site file readers, in one place, and the way they are
// shown (an OK box through the installed prompter, so tests see them).
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace tavelcor {

// A DAT row with more comma-separated fields than its layout has:
// file "POINT.DAT" gives "POINT.DATの「<line>」行データに余分なカンマ「,」が入っています。…".
QString extraCommaMessage(const QString& fileName, QStringView line);

// A TEXT.DAT row with fewer than five fields (an empty line included).
QString missingCommaMessage(const QString& fileName, QStringView line);

// A row whose number lies outside the table it indexes or outside the type of
// its field (a point index 0 or 600000, a colour 300): the row is refused.
QString outOfRangeMessage(const QString& fileName, QStringView line);

// A row that would take one more entry than the table holds (the 32768th
// parcel, the 600002nd vertex slot, the 30001st text, the 500001st line):
// limit is the most the table takes.
QString tableFullMessage(const QString& fileName, QStringView line, int limit);

// A file that ends where more lines were announced after line (a parcel or
// polyline cut short): "<file>の「<line>」行データの後でファイルが途切れています。…".
QString truncatedMessage(const QString& fileName, QStringView line);

// A row whose count field must be a whole number in full and is not.
QString notNumberMessage(const QString& fileName, QStringView line);

// A parcel vertex (B01) whose coordinate number holds no coordinate:
// "<parcel name>画地データに、座標ナンバー <field> を含んでいますが、
// 座標データが有りませんので、このポイントを無視しました<stored name>".
QString missingCoordinateMessage(const QString& parcelName, QStringView numberField,
                                 const QString& storedName);

// Coordinate rows (A01) without a number for X or Y (a row cut short, a
// field that holds no number): the rows are read with 0 there, as peers
// write blank fields, and this one message names the file and the first
// rows (each "<row>行目「<line>」"), and how many there were in all:
// "<file>の次の行にX座標またはY座標の数値がありません。…".
QString missingPositionMessage(const QString& fileName, const QStringList& firstRows, int total);

// A file whose reading failed part-way (a USB stick pulled out, a network
// share that dropped): "<file>の読み込み中にエラーが発生しました。…". What was
// read is no whole file, so the reader stops.
QString readErrorMessage(const QString& fileName);

// A line longer than the reader takes (platform::kMaxLineBytes, 1 MiB): a
// file without line breaks, or not a text file. row counts from 1:
// "<file>の<row>行目が長すぎます（1行は1MBまでです）。…".
QString lineTooLongMessage(const QString& fileName, qint64 row);

// A file that exists but cannot be opened (no right to read it, a device
// that does not answer): "<file>を開けません。…"; file is a name or a path.
QString cannotOpenMessage(const QString& file);

// Shows text in a message box with an OK button and the program's title.
void showSiteMessage(const QString& text);

// Asks question in a message box with Yes and No buttons and the program's
// title; true for Yes.
bool askSiteQuestion(const QString& question);

}  // namespace tavelcor
