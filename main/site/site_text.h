// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small text helpers shared by the site file readers and writers: building a
// row without allocating per number, splitting a row into field views,
// finding a site file without regard to the case of its name, and the result
// of a finished writer.
#pragma once

#include "main/site/site_file_result.h"
#include "main/site/site_numbers.h"

#include "geodesy/format_fixed.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
class TextFileReader;
class TextFileWriter;
}  // namespace platform

namespace tavelcor::sitetext {

// The path of the file name in folder, matched without regard to letter case
// ("画地属性.txt" finds "画地属性.TXT"); folder + name when no such file exists,
// so a writer creates the designed name and never a second file beside an old
// one that differs only in case. folder may end in "/" or not; an empty
// folder gives the bare name.
QString siteFile(const QString& folder, const QString& name);

// siteFile() of a full path: its file name matched without regard to case in
// its own folder ("/a/text.jkn" for "/a/TEXT.JKN" when only that exists).
QString siteFilePath(const QString& path);

// Commits what a writer wrote to path through out: Written, or Failed with
// the reason when the file could not be replaced (the old file then stays).
WriteResult commitFile(platform::TextFileWriter& out, const QString& path);

// How the reading of fileName through in ended: StopProgram after the
// message of readFailureMessage when the reading failed part-way (the lines
// given are no whole file), Ok otherwise.
ReadOutcome readingEnd(const platform::TextFileReader& in, const QString& fileName);

// Why the reading of fileName through in stopped before the file's end: a
// line too long (naming its row), or a read that failed.
QString readFailureMessage(const platform::TextFileReader& in, const QString& fileName);

// For a reader whose file at path did not open: Missing when there is no such
// file; StopProgram after the message naming fileName when the file is there
// but cannot be opened (reading on without it would give half a site).
ReadOutcome notOpened(const QString& path, const QString& fileName);

// One row of a file being written: a UTF-16 buffer that keeps its capacity
// from row to row, so building the rows of a large table allocates nothing
// per row (QString's append carries more bookkeeping per call).
class Row {
public:
    Row() = default;

    // Starts the next row.
    void clear() { mSize = 0; }
    QStringView view() const { return QStringView(mText.data(), static_cast<qsizetype>(mSize)); }
    QString toString() const { return view().toString(); }

    Row& operator<<(char16_t c)
    {
        reserveMore(1);
        mText[mSize++] = c;
        return *this;
    }
    Row& operator<<(QStringView text)
    {
        const auto n = static_cast<std::size_t>(text.size());
        reserveMore(n);
        std::copy_n(text.utf16(), n, mText.data() + mSize);
        mSize += n;
        return *this;
    }
    // ASCII bytes (numbers).
    void appendAscii(const char* text, std::size_t size)
    {
        reserveMore(size);
        char16_t* out = mText.data() + mSize;
        for (std::size_t i = 0; i < size; ++i)
            out[i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
        mSize += size;
    }

private:
    void reserveMore(std::size_t n)
    {
        if (mSize + n > mText.size())
            mText.resize(std::max(mText.size() * 2, mSize + n));
    }

    std::u16string mText = std::u16string(256, u'\0');  // capacity in use: mText.size()
    std::size_t mSize = 0;                                // characters of the current row
};

// The lines of a CP932 file being written, built as their bytes in one
// block that goes to the writer whenever it holds kLineBlockBytes: numbers
// are written straight into it and texts encoded straight into it, so a
// large file is made without a row or a string per line. The block is kept
// small enough to stay in the processor's cache while it fills and is
// copied out. The text functions clean texts as the Row functions of the
// same names do.
// Call flush() before the writer's commit().
class LineBlock {
public:
    explicit LineBlock(platform::TextFileWriter& out);
    LineBlock(const LineBlock&) = delete;
    LineBlock& operator=(const LineBlock&) = delete;

    // ASCII text.
    LineBlock& operator<<(char c)
    {
        *room(1) = c;
        ++mNext;
        return *this;
    }
    LineBlock& operator<<(std::string_view ascii)
    {
        std::memcpy(room(ascii.size()), ascii.data(), ascii.size());
        mNext += ascii.size();
        return *this;
    }
    // In line, as the rows of the large files call them for every number.
    void appendInt(std::int64_t value)
    {
        char* p = room(1 + geodesy::kWholeDigitsRoom);
        // The sign is stored always and kept only for a negative value.
        *p = '-';
        const bool negative = value < 0;
        auto magnitude = static_cast<std::uint64_t>(value);
        magnitude = negative ? 0 - magnitude : magnitude;  // in unsigned arithmetic: the lowest value too
        p += negative ? 1 : 0;
        mNext = p + geodesy::WholeDigitsInline(magnitude, p);
    }
    // The fixed form and its trimmed form, as appendFixed(Row&, ...) and
    // appendFixedTrimmed(Row&, ...) give them.
    void appendFixed(double value, int width, int decimals);
    void appendFixedTrimmed(double value, int width, int decimals)
    {
        const std::size_t n = geodesy::FixedDigits(value, decimals, room(geodesy::kFixedDigitsRoom));
        if (n > 0) [[likely]]
            mNext += n;
        else
            appendLongFixedTrimmed(value, width, decimals);
    }
    // The same with 2 or 3 decimals known when compiling: in line.
    template <int Decimals>
    void appendFixedTrimmed(double value, int width)
    {
        const std::size_t n = geodesy::FixedDigitsOf<Decimals>(value, room(geodesy::kFixedDigitsRoom));
        if (n > 0) [[likely]]
            mNext += n;
        else
            appendLongFixedTrimmed(value, width, Decimals);
    }
    // Two trimmed fixed forms with a comma between them ("x,y"), both
    // turned into digits at once where the processor allows.
    template <int Decimals>
    void appendFixedPairTrimmed(double first, double second, int width)
    {
        const std::size_t n =
            geodesy::FixedDigitsPairOf<Decimals>(first, second, ',', room(2 * geodesy::kFixedDigitsRoom));
        if (n > 0) [[likely]] {
            mNext += n;
            return;
        }
        appendFixedTrimmed<Decimals>(first, width);
        *this << ',';
        appendFixedTrimmed<Decimals>(second, width);
    }
    void appendField(QStringView text);
    void appendTrimmedField(QStringView text);
    void appendCompact(QStringView text);

    // Ends the line with CR LF.
    void endLine()
    {
        std::memcpy(room(2), "\r\n", 2);
        mNext += 2;
        if (static_cast<std::size_t>(mNext - mStart) >= kLineBlockBytes) [[unlikely]]
            flush();
    }
    // Gives the writer every byte not yet given.
    void flush();

    // The bytes a block gathers before it goes to the writer.
    static constexpr std::size_t kLineBlockBytes = std::size_t(1) << 17;

private:
    // Room for n more bytes behind the used ones: in line, as it comes
    // with every field; the block seldom grows (it goes out at every
    // kLineBlockBytes), and growing is out of line.
    char* room(std::size_t n)
    {
        if (static_cast<std::size_t>(mEnd - mNext) < n) [[unlikely]]
            grow(n);
        return mNext;
    }
    void grow(std::size_t n);
    // appendFixedTrimmed of a number FixedDigits leaves to the formatter.
    void appendLongFixedTrimmed(double value, int width, int decimals);
    // Encodes text behind the used bytes and counts them as used; a text
    // that holds a character at or below ',' (a comma, a blank, CR, LF or
    // another sign) has its bytes cleaned by clean(first, end, out), which
    // writes the kept bytes from out on and returns where they end.
    using Cleaner = char* (*)(const char* first, const char* end, char* out);
    void appendEncoded(QStringView text, Cleaner clean);

    platform::TextFileWriter& mOut;
    std::vector<char> mBytes;
    char* mStart = nullptr;  // mBytes.data()
    char* mNext = nullptr;   // behind the used bytes
    char* mEnd = nullptr;    // behind the block
};

// Appends the decimal text of value ("-12", "500000").
void appendInt(Row& row, std::int64_t value);

// Appends the fixed-width number text of value (FormatFixed: value plus a
// tiny bias, decimals 0..9, right-aligned in width characters). Unlike the
// bare formatter it never cuts leading digits or the sign: a number whose text
// is longer than width is appended whole (wider than width), so a reader gets
// the value back. Values that fit keep their exact width.
void appendFixed(Row& row, double value, int width, int decimals);

// The same without the leading blanks (the trimmed fixed form).
void appendFixedTrimmed(Row& row, double value, int width, int decimals);

// Appends text made safe for one comma-separated field
// (platform::sanitizeField): a comma becomes "_" and a line break (CR LF, a
// lone CR or LF) one blank.
void appendField(Row& row, QStringView text);

// Appends text that runs to the end of its line: commas stay, and each line
// break (CR LF, a lone CR or LF) becomes one blank, so the text stays one
// line.
void appendLineText(Row& row, QStringView text);

// Appends text made safe as appendField() does, then without its leading and
// trailing half-width blanks (cleaning first, so a trailing line break does
// not leave a blank behind).
void appendTrimmedField(Row& row, QStringView text);

// Appends text without any comma, half-width blank or line break: the names
// of the rows of POINT.DAT, whose finished lines lose every blank.
void appendCompact(Row& row, QStringView text);

// Fields of one row split at every comma, as views into the row (no copy).
// count is the number of fields of the row (0 for an empty row, commas + 1
// otherwise), even when it exceeds the views kept (the first N).
template <typename View, std::size_t N>
struct FieldViews {
    std::array<View, N> view{};
    int count = 0;

    View operator[](std::size_t i) const { return view[i]; }
};

// Of a row of text, and of a row of CP932 bytes: the bytes of a two-byte
// character are never a comma, so the fields are those of the decoded row.
template <std::size_t N>
using Fields = FieldViews<QStringView, N>;
template <std::size_t N>
using ByteFields = FieldViews<QByteArrayView, N>;

template <std::size_t N>
Fields<N> splitFields(QStringView line)
{
    Fields<N> f;
    if (line.isEmpty())
        return f;
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(u',', start);
        const qsizetype end = comma < 0 ? line.size() : comma;
        if (f.count < static_cast<int>(N))
            f.view[static_cast<std::size_t>(f.count)] = line.sliced(start, end - start);
        ++f.count;
        if (comma < 0)
            return f;
        start = comma + 1;
    }
}

// The fields of CP932 bytes that are no plain numbers, decoded and read as
// the text versions read them.
double fieldNumberOfText(QByteArrayView field);
// The leading number as platform::leadingNumber reads the decoded field:
// nullopt when the field does not start with a number.
std::optional<double> leadingNumberOfText(QByteArrayView field);
std::optional<std::int32_t> fieldLongOfText(QByteArrayView field);
std::optional<std::uint8_t> fieldByteOfText(QByteArrayView field);

template <std::size_t N>
ByteFields<N> splitFields(QByteArrayView line)
{
    ByteFields<N> f;
    if (line.isEmpty())
        return f;
    const char* const begin = line.data();
    const qsizetype size = line.size();
    qsizetype start = 0;
    // Ends the field that runs from start to the comma at `at`.
    const auto fieldEndsAt = [&](qsizetype at) {
        if (f.count < static_cast<int>(N))
            f.view[static_cast<std::size_t>(f.count)] = QByteArrayView(begin + start, at - start);
        ++f.count;
        start = at + 1;
    };
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: the rows are short and their fields shorter.
    const __m128i comma = _mm_set1_epi8(',');
    for (; size - i >= 16; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin + i));
        for (auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, comma))); hits != 0;
             hits &= hits - 1)
            fieldEndsAt(i + __builtin_ctz(hits));
    }
#endif
    for (; i < size; ++i) {
        if (begin[i] == ',')
            fieldEndsAt(i);
    }
    fieldEndsAt(size);
    return f;
}

// For a reader that fills tables row by row in rising order: has the system
// give the memory of the rows ahead a run at a time (prefaultRows), instead
// of a page fault for every page the rows reach. The runs start short and
// grow, so a small file takes little memory beyond its rows; a row that
// jumps ahead of the run is left to fault as before and the runs start
// again after it, so a file of scattered rows makes the tables take no
// pages it does not write.
template <typename... Tables>
class RowsAhead {
public:
    // lastRow: the last row the reader can write (a table may have more).
    explicit RowsAhead(std::ptrdiff_t lastRow, Tables&... tables) : mTables(&tables...), mLastRow(lastRow) {}

    // The file holds fileBytes bytes in rows of at least minRowBytes: a
    // file that may hold a longest run of rows asks for the longest runs
    // from its first row on, so that the first huge pages of the tables
    // come whole too (a table whose first pages came one by one cannot
    // have them as a huge page any more).
    void expectFile(std::int64_t fileBytes, std::int64_t minRowBytes)
    {
        if (minRowBytes > 0 && fileBytes / minRowBytes >= kLongestRun)
            mRun = kLongestRun;
    }

    // Row i is about to be written.
    void row(std::ptrdiff_t i)
    {
        if (i < mNext)
            return;
        if (i - mNext >= mRun) {
            mNext = i + 1;
            mRun = kFirstRun;
            return;
        }
        const std::ptrdiff_t last = std::min(i + mRun - 1, mLastRow);
        std::apply([&](const auto*... table) { (table->prefaultRows(i, last), ...); }, mTables);
        mNext = i + mRun;
        mRun = std::min(2 * mRun, kLongestRun);
    }

private:
    static constexpr std::ptrdiff_t kFirstRun = 256;
    static constexpr std::ptrdiff_t kLongestRun = 16384;

    std::tuple<const Tables*...> mTables;
    std::ptrdiff_t mLastRow;
    std::ptrdiff_t mNext = 0;  // the first row not yet asked for
    std::ptrdiff_t mRun = kFirstRun;
};

// Reads the fields of one row of CP932 bytes in order, numbers straight from
// the bytes: a field that holds a plain number is read as it is scanned,
// without looking for its end first; any other field is found and read as
// the text versions read it. Each read takes one field and moves past its
// comma; a field past the row's end reads as empty (as NextField gives it).
// The row must outlive the cursor.
class RowCursor {
public:
    explicit RowCursor(QByteArrayView line) : mNext(line.data()), mEnd(line.data() + line.size()) {}
    // A row that platform::LineReader::readLineView gave: the numbers are
    // read sixteen bytes at a time, which may look past the row's end into
    // the padding that follows it.
    struct Padded {};
    RowCursor(QByteArrayView line, Padded) : RowCursor(line) { mPadded = true; }

    // The next field as it stands.
    QByteArrayView text()
    {
        if (mNext == nullptr) {
            mOverran = true;
            return {};
        }
        const char* const start = mNext;
        const void* comma = std::memchr(start, ',', static_cast<std::size_t>(mEnd - start));
        const char* const stop = comma != nullptr ? static_cast<const char*>(comma) : mEnd;
        pass(stop);
        return QByteArrayView(start, stop - start);
    }
    // The next field passed over.
    void skip() { (void)text(); }
    // The next field as fieldNumber() reads it. In line, as the row loops
    // read their numbers one after the other.
    [[gnu::always_inline]] double number()
    {
        plain::Parts parts;
        const char* stop = nullptr;
        if (mNext != nullptr && partsAt(mNext, parts, stop)) {
            pass(stop);
            return plain::valueOf(parts);
        }
        return fieldNumberOfText(text());
    }
    // The next field as number() reads it, into out; false (and out 0) when
    // the field does not start with a number, where number() gives 0: an
    // empty field, one past the row's end, "abc".
    [[gnu::always_inline]] bool leadingNumber(double& out)
    {
        plain::Parts parts;
        const char* stop = nullptr;
        if (mNext != nullptr && partsAt(mNext, parts, stop)) {
            pass(stop);
            out = plain::valueOf(parts);
            return true;
        }
        const std::optional<double> value = leadingNumberOfText(text());
        out = value.value_or(0.0);
        return value.has_value();
    }
    // True when every field of the row has been read.
    bool atEnd() const { return mNext == nullptr; }
    // True when a read went past the row's last field: the row has fewer
    // fields than were read.
    bool overran() const { return mOverran; }

    // The next field as fieldLong() (within lo..hi) and fieldByte() read
    // it: true and the value in out when it gives one. A flag and a
    // reference, not an optional: the optionals went through memory and
    // stalled the readers.
    [[gnu::always_inline]] bool whole(std::int32_t lo, std::int32_t hi, std::int32_t& out)
    {
        plain::Parts parts;
        const char* const start = mNext;
        const char* stop = nullptr;
        if (start != nullptr && partsAt(start, parts, stop)) {
            pass(stop);
            if (parts.decimals < 0) {
                const std::int64_t value = parts.negative ? -parts.mantissa : parts.mantissa;
                out = static_cast<std::int32_t>(value);
                return value >= lo && value <= hi;
            }
            return within(fieldLongOfText(QByteArrayView(start, stop - start)), lo, hi, out);
        }
        return within(fieldLongOfText(text()), lo, hi, out);
    }
    [[gnu::always_inline]] bool byte(std::uint8_t& out)
    {
        plain::Parts parts;
        const char* const start = mNext;
        const char* stop = nullptr;
        if (start != nullptr && partsAt(start, parts, stop)) {
            pass(stop);
            if (parts.decimals < 0) {
                const std::int64_t value = parts.negative ? -parts.mantissa : parts.mantissa;
                out = static_cast<std::uint8_t>(value);
                return value >= 0 && value <= UINT8_MAX;
            }
            return taken(fieldByteOfText(QByteArrayView(start, stop - start)), out);
        }
        return taken(fieldByteOfText(text()), out);
    }

private:
    static bool within(std::optional<std::int32_t> value, std::int32_t lo, std::int32_t hi, std::int32_t& out)
    {
        if (!value || *value < lo || *value > hi)
            return false;
        out = *value;
        return true;
    }
    static bool taken(std::optional<std::uint8_t> value, std::uint8_t& out)
    {
        if (!value)
            return false;
        out = *value;
        return true;
    }

    // Moves past the field that ends at stop (a comma, or the row's end).
    void pass(const char* stop) { mNext = stop == mEnd ? nullptr : stop + 1; }
    // The plain number of the field at start (see plain::partsUpTo).
    [[gnu::always_inline]] bool partsAt(const char* start, plain::Parts& parts, const char*& stop) const
    {
        return mPadded ? plain::partsUpToPadded(start, mEnd, parts, stop) : plain::partsUpTo(start, mEnd, parts, stop);
    }

    const char* mNext;  // where the next field starts; nullptr past the last one
    const char* mEnd;
    bool mOverran = false;
    bool mPadded = false;
};

// Bytes of CP932 text without the half-width blanks (0x20) at their end, or
// at both ends: the bytes of the text trimmed as platform::RTrim and
// platform::Trim trim it (a blank is never part of a two-byte character).
QByteArrayView rightTrimmed(QByteArrayView bytes);
QByteArrayView trimmed(QByteArrayView bytes);

// The leading number of a field, exactly as platform::Val reads it, with a
// fast path for the plain forms the site files hold ("-1234.56", " 12",
// ".5"): blanks, a sign, at most 15 digits with one point, then the end of
// the field. Any other text is read by platform::Val itself.
double fieldNumber(QStringView field);

// The leading number of a field rounded to a whole number (halves to even)
// as platform::toLongChecked / toByteChecked take it; nullopt when it does
// not fit the type. Plain whole numbers (" 12", "-3") are read directly.
std::optional<std::int32_t> fieldLong(QStringView field);
std::optional<std::uint8_t> fieldByte(QStringView field);

// The same for a field of CP932 bytes: the value of the decoded field,
// without decoding the plain forms.
double fieldNumber(QByteArrayView field);
std::optional<std::int32_t> fieldLong(QByteArrayView field);
std::optional<std::uint8_t> fieldByte(QByteArrayView field);

// text with every run of half-width blanks made one blank (a leading or a
// trailing run stays, as one blank).
QString collapseBlankRuns(QStringView text);

}  // namespace tavelcor::sitetext
