// SPDX-License-Identifier: LicenseRef-Tavelcor
// The lines of a map XML file as the line-oriented reader looks at them:
// fixed texts searched in the line's bytes, and the values taken from fixed
// places of the decoded line. Internal to the map XML import.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <string_view>

namespace tavelcor::mapxml {

enum class FileEncoding {
    Utf8,   // ".xml" read as it is
    Cp932,  // ".TXT", and the converter's output
};

// A fixed text the reader looks for, held in the bytes of the file's
// encoding so that lines are searched without decoding them.
class Marker {
public:
    Marker(QStringView text, FileEncoding encoding);

    std::string_view bytes() const { return {mBytes.constData(), std::size_t(mBytes.size())}; }
    // True when the text holds a non-ASCII character (a byte of 0x80 or more).
    bool nonAscii() const { return mNonAscii; }
    // True when the text holds "zmn:".
    bool geometry() const { return mGeometry; }

private:
    QByteArray mBytes;
    bool mNonAscii = false;
    bool mGeometry = false;
};

// One line of the file. contains() tells whether the line holds a marker as
// text: in CP932 a match that starts on the second byte of a two-byte
// character is no match. Two quick tests are made once per line (any byte of
// 0x80 or more; "zmn:" anywhere) so that most markers are ruled out without
// a search.
class Line {
public:
    explicit Line(FileEncoding encoding) : mEncoding(encoding) {}

    // Takes the line's bytes (without its line end) and gives bytes the
    // array it held before, so that reading line after line allocates
    // nothing; number is the line's number in the file, counted from 1.
    void reset(QByteArray& bytes, qint64 number);
    void reset(QByteArray&& bytes, qint64 number) { reset(bytes, number); }
    // Swaps contents with other (for keeping the previous line without a copy).
    void swap(Line& other) noexcept;

    bool contains(const Marker& marker) const;
    // The line decoded, decoded on first use.
    QStringView text();
    qint64 number() const { return mNumber; }
    bool empty() const { return mBytes.isEmpty(); }

private:
    FileEncoding mEncoding;
    QByteArray mBytes;
    qint64 mNumber = 0;
    bool mHasHigh = false;
    bool mHasGeometry = false;
    bool mDecoded = false;
    QString mText;
};

// What the bytes of a line are: ASCII alone; UTF-8 (a character beyond
// ASCII, and valid UTF-8 as a whole; a byte order mark counts); or other
// text, such as Shift-JIS. A line of Japanese Shift-JIS text is almost never
// valid UTF-8, so the first line of a ".TXT" map beyond ASCII tells a map
// saved in UTF-8.
enum class TextKind { Ascii, Utf8, Other };
TextKind textKindOf(QByteArrayView bytes);

// ---- values at fixed places (positions in characters) ---------------------------

// The id number of a line holding an id or idref attribute: the leading
// number of the 20 characters that begin two characters after the first
// double quote (the quote and the id's leading letter are skipped: "P000123"
// gives 123). nullopt when it is no whole number of 32 bits.
std::optional<qint64> idNumber(QStringView line);

// Characters an element's text is taken long, and the shorter width of a
// map sheet's number ("<地図番号>").
inline constexpr qsizetype kElementTextWidth = 100;
inline constexpr qsizetype kSheetNumberWidth = 20;

// An element's text: the `width` characters after the first ">" of the line
// (fewer at the end of the line), cut before the first "<" among them.
QString elementText(QStringView line, qsizetype width = kElementTextWidth);

// A coordinate: the leading number of the 20 characters after the first ">"
// of the line (metres).
double coordinate(QStringView line);

// The zone of a "<座標系>" line: the leading number of the two characters that
// begin four characters after "公共" (公共座標9系 gives 9, 公共座標13系 13); 0
// when the line holds no "公共"; nullopt when the number is no byte.
std::optional<int> zoneNumber(QStringView line);

// The line as a message shows it: without the blanks and tabs around it,
// cut after 80 characters.
QString quotedLine(QStringView line);

}  // namespace tavelcor::mapxml
