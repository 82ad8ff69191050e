// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/textfile.h"

#include "platform/text/cp932.h"
#include "platform/text/fields.h"
#include "chunked_device.h"
#include "file_size_limit.h"
#include "print_qt.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

namespace {

using platform::LineReader;
using platform::TextEncoding;
using platform::TextFileReader;
using platform::TextFileWriter;

// Produces `count` lines "n,abc" followed by CR LF without ever holding them.
class GeneratedLines : public QIODevice {
public:
    explicit GeneratedLines(qint64 count) : mCount(count) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        qint64 written = 0;
        while (written < max) {
            if (mPending.isEmpty()) {
                if (mNext >= mCount)
                    break;
                mPending = QByteArray::number(mNext++) + ",abc\r\n";
            }
            const qint64 n = std::min(max - written, qint64(mPending.size()));
            std::memcpy(out + written, mPending.constData(), size_t(n));
            mPending.remove(0, qsizetype(n));
            written += n;
        }
        return written;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    qint64 mCount;
    qint64 mNext = 0;
    QByteArray mPending;
};

// The lines the reader gives until it stops.
QStringList linesOf(LineReader& reader)
{
    QStringList lines;
    QString line;
    while (reader.readLine(line))
        lines.append(line);
    return lines;
}

QStringList readAll(QIODevice* device, TextEncoding encoding = TextEncoding::Cp932)
{
    LineReader reader(device, encoding);
    const QStringList lines = linesOf(reader);
    EXPECT_FALSE(reader.hasError());
    EXPECT_EQ(reader.lineCount(), lines.size());
    return lines;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// ---- line ends -----------------------------------------------------------------

struct LinesRow {
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

class LineEnds : public testing::TestWithParam<LinesRow> {};

// The same lines whatever the size of the reads: a CR LF pair split across
// two reads is one line end.
TEST_P(LineEnds, SplitTheSameInEveryReadSize)
{
    for (const qint64 chunk : {1, 2, 3, 7, 1 << 20}) {
        ChunkedDevice device(GetParam().bytes, chunk);
        EXPECT_EQ(readAll(&device), GetParam().lines) << "read size " << chunk;
    }
}

// Passing over lines finds the same line ends, and stops at its limit.
TEST_P(LineEnds, SkippedLinesAreTheLinesRead)
{
    const auto lines = static_cast<qint64>(GetParam().lines.size());
    for (const qint64 chunk : {1, 7, 1 << 20}) {
        ChunkedDevice all(GetParam().bytes, chunk);
        EXPECT_EQ(LineReader(&all).skipLines(lines + 5), lines) << "read size " << chunk;
        ChunkedDevice some(GetParam().bytes, chunk);
        LineReader reader(&some);
        EXPECT_EQ(reader.skipLines(1), std::min<qint64>(lines, 1));
        // The lines after the skipped one follow.
        QString line;
        if (lines > 1) {
            ASSERT_TRUE(reader.readLine(line));
            EXPECT_EQ(line, GetParam().lines.at(1));
        }
    }
}

// Lines of 0 to 40 characters with every kind of line end in turn, so that
// the ends fall on every place of a 16-byte block the search looks at whole.
LinesRow longLinesRow()
{
    static const char* const kEnds[] = {"\r\n", "\r", "\n"};
    LinesRow row{"every_end_at_every_place", {}, {}};
    for (int n = 0; n <= 40; ++n) {
        const QByteArray text(n, char('a' + n % 26));
        row.bytes += text + kEnds[n % 3];
        row.lines.append(QString::fromLatin1(text));
    }
    return row;
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, LineEnds,
    testing::Values(
        LinesRow{"empty_file_no_line", "", {}},
        LinesRow{"only_crlf_one_empty_line", "\r\n", {""}},
        LinesRow{"crlf", "a\r\nb\r\n", {"a", "b"}},
        LinesRow{"last_line_without_end", "a\r\nb", {"a", "b"}},
        LinesRow{"cr_alone", "a\rb\r", {"a", "b"}},
        LinesRow{"lf_alone", "a\nb\n", {"a", "b"}},
        LinesRow{"lf_cr_is_two_ends", "a\n\rb", {"a", "", "b"}},
        LinesRow{"two_crs", "\r\r", {"", ""}},
        LinesRow{"three_lfs", "\n\n\n", {"", "", ""}},
        LinesRow{"empty_line_between", "a\r\n\r\nb", {"a", "", "b"}},
        LinesRow{"mixed_ends", "1\r\n2\r3\n4", {"1", "2", "3", "4"}},
        LinesRow{"crlf_after_cr", "x\r\r\ny", {"x", "", "y"}},
        // Shift-JIS text with a trail byte 0x5C (ソ) and a comma after kanji.
        LinesRow{"cp932_text", QByteArray("\x83\x5C\x83\x74\x83\x67,\x89\xE6\x92\x6E\r\nA01,1"),
                 {QStringLiteral(u"ソフト,画地"), "A01,1"}},
        longLinesRow()),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineReader, BadBytesAtALineEndStayInThatLine)
{
    // A lead byte right before CR LF.
    ChunkedDevice cp932(QByteArray("a\x82\r\nb"), 1);
    EXPECT_EQ(readAll(&cp932), QStringList({"a" + QString(QChar(0xFFFD)), "b"}));
    // A cut UTF-8 sequence before CR LF: replacement characters in its own
    // line, the next line whole.
    ChunkedDevice utf8(QByteArray("a\xE3\x81\r\n\xE3\x81\x82"), 1);
    const QStringList lines = readAll(&utf8, TextEncoding::Utf8);
    ASSERT_EQ(lines.size(), 2);
    ASSERT_GE(lines[0].size(), 2);
    EXPECT_EQ(lines[0].at(0), QChar(u'a'));
    for (qsizetype i = 1; i < lines[0].size(); ++i)
        EXPECT_EQ(lines[0].at(i), QChar(0xFFFD));
    EXPECT_EQ(lines[1], QStringLiteral(u"あ"));
}

// Gives bytes without a line end for ever, as a device that never ends.
class EndlessLine : public QIODevice {
public:
    EndlessLine() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        std::memset(data, 'x', size_t(maxSize));
        return maxSize;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
};

struct LongLineRow {
    const char* name;
    QByteArray data;
    QStringList lines;  // the lines given before the reading ends
    bool tooLong;
};

// A line may be as long as kMaxLineBytes; a longer one stops the reading at
// once, without holding more than about twice the limit: a file of gigabytes
// without a line break took its size three times in memory, and an endless
// stream ended in std::bad_alloc.
TEST(LineReader, ALineLongerThanTheLimitStopsTheReading)
{
    const QByteArray atLimit(platform::kMaxLineBytes, 'x');
    const QByteArray beyond(platform::kMaxLineBytes + 1, 'x');
    const LongLineRow rows[] = {
        {"a line of the limit, ended", "a\r\n" + atLimit + "\r\nend", {"a", QString::fromLatin1(atLimit), "end"}, false},
        {"a last line of the limit", "a\n" + atLimit, {"a", QString::fromLatin1(atLimit)}, false},
        {"one byte more, ended", "a\r\n" + beyond + "\r\nend", {"a"}, true},
        {"one byte more at the end", "a\r\nb\r\n" + beyond, {"a", "b"}, true},
        {"three blocks without an end", QByteArray(3 * platform::kMaxLineBytes, 'x'), {}, true},
    };
    for (const LongLineRow& row : rows) {
        for (const qint64 chunk : {qint64(3), qint64(4096), qint64(1) << 20}) {
            SCOPED_TRACE(std::string(row.name) + ", chunk " + std::to_string(chunk));
            ChunkedDevice device(row.data, chunk);
            LineReader reader(&device);
            EXPECT_EQ(linesOf(reader), row.lines);
            EXPECT_EQ(reader.lineTooLong(), row.tooLong);
            EXPECT_EQ(reader.hasError(), row.tooLong);
            EXPECT_EQ(reader.lineCount(), row.lines.size()) << "the long line is number lineCount() + 1";
            QString line;
            EXPECT_FALSE(reader.readLine(line)) << "the reader stays at its end";
        }
    }
}

TEST(LineReader, AnEndlessStreamWithoutLineEndsStops)
{
    EndlessLine device;
    LineReader reader(&device);
    QString line;
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_TRUE(reader.lineTooLong());
    EXPECT_EQ(reader.lineCount(), 0);
}

TEST(LineReader, RawBytesShareThePosition)
{
    ChunkedDevice device(QByteArray("\x89\xE6\r\nb\r\n"), 1);
    LineReader reader(&device);
    QByteArray raw("a longer line read before");  // its room is reused, its text not kept
    ASSERT_TRUE(reader.readLineBytes(raw));
    EXPECT_EQ(raw, QByteArray("\x89\xE6"));
    EXPECT_EQ(reader.readLine(), QString("b"));
    EXPECT_FALSE(reader.readLineBytes(raw));
    EXPECT_TRUE(raw.isEmpty());
}

// A view of each line's bytes, with the line rules of the other reads and
// across reads of the device.
TEST(LineReader, LineViewsFollowTheLineRules)
{
    ChunkedDevice device(QByteArray("a,\x89\xE6\r\n\r\nlast"), 2);
    LineReader reader(&device);
    QByteArrayView view;
    ASSERT_TRUE(reader.readLineView(view));
    EXPECT_EQ(view, QByteArrayView("a,\x89\xE6"));
    ASSERT_TRUE(reader.readLineView(view));
    EXPECT_TRUE(view.isEmpty());
    EXPECT_EQ(reader.readLine(), QString("last"));
    EXPECT_FALSE(reader.readLineView(view));
    EXPECT_EQ(reader.lineCount(), 3);
}

// Behind every line view lie kLinePadding bytes of the reader's own buffer
// (a reader of numbers loads whole vectors from the end of a line): also for
// a last line without a line end that fills the buffer to its last byte,
// and for a line that made the buffer grow. Under the address sanitizer a
// missing byte of padding is an error; everywhere, the byte behind a line is
// its line end, or zero behind a last line without one.
TEST(LineReader, LineViewsAreFollowedByPadding)
{
    const QByteArray longLine(5000, '7');
    for (const QByteArray& data : {QByteArray("12"), QByteArray("1\r\n23"), QByteArray(4095, '5'),
                                   QByteArray(4096, '5'), longLine + "\r\n" + longLine, QByteArray(1 << 20, '4')}) {
        QBuffer device;
        device.setData(data);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly));
        LineReader reader(&device);
        QByteArrayView view;
        qsizetype bytes = 0;
        while (reader.readLineView(view)) {
            bytes += view.size();
            char behind[LineReader::kLinePadding];
            std::memcpy(behind, view.data() + view.size(), sizeof behind);
            EXPECT_TRUE(behind[0] == '\r' || behind[0] == '\n' || behind[0] == '\0')
                << "the byte behind a line is its line end or zero padding, not " << int(behind[0]);
        }
        EXPECT_EQ(bytes, data.size() - data.count('\r') - data.count('\n'));
    }
}

// Streams twenty million lines through the reader: the generator never holds
// them, so the reader must not either (it would need gigabytes of strings).
TEST(LineReader, StreamsTwentyMillionLines)
{
    constexpr qint64 kLines = 20'000'000;
    GeneratedLines device(kLines);
    LineReader reader(&device);
    QString line;
    qint64 count = 0;
    QString last;
    while (reader.readLine(line)) {
        ++count;
        if (count == kLines)
            last = line;
    }
    EXPECT_EQ(count, kLines);
    EXPECT_EQ(last, QString::number(kLines - 1) + ",abc");
}

// ---- read errors -------------------------------------------------------------------

struct BreakRow {
    const char* name;
    qint64 failAfter;       // bytes handed out before every read fails
    QStringList lines;      // the lines given before the failure
};

// A read that fails part-way (a USB stick pulled out) ends the lines with the
// error flag set; a line the failure cut is not given, so no reader takes a
// half row for a whole one.
TEST(LineReader, ReadErrorEndsTheLinesWithoutTheCutOne)
{
    const QByteArray data("1,abc\r\n2,defgh\r\n3,ij");
    const BreakRow rows[] = {
        {"at the start", 0, {}},
        {"inside the first line", 3, {}},
        {"after a whole line", 7, {"1,abc"}},
        {"between CR and LF", 6, {"1,abc"}},
        {"inside the second line", 10, {"1,abc"}},
        {"inside the last line without an end", 18, {"1,abc", "2,defgh"}},
        {"after the last byte, where the end should be", 20, {"1,abc", "2,defgh"}},
    };
    for (const BreakRow& row : rows) {
        for (const qint64 chunk : {qint64(1), qint64(4096)}) {
            SCOPED_TRACE(std::string(row.name) + ", chunk " + std::to_string(chunk));
            ChunkedDevice device(data, chunk, row.failAfter);
            LineReader reader(&device);
            EXPECT_EQ(linesOf(reader), row.lines);
            EXPECT_TRUE(reader.hasError());
            QString line;
            EXPECT_FALSE(reader.readLine(line)) << "the reader stays at its end";
        }
    }
}

// ---- UTF-8 -----------------------------------------------------------------------

class Utf8Files : public testing::TestWithParam<qint64> {};

TEST_P(Utf8Files, ByteOrderMarkIsSkippedWhenPresent)
{
    const QByteArray body = QStringLiteral(u"<筆 id=\"H000123\">\r\nb").toUtf8();
    ChunkedDevice withMark(QByteArray("\xEF\xBB\xBF") + body, GetParam());
    ChunkedDevice withoutMark(body, GetParam());
    const QStringList expected = {QStringLiteral(u"<筆 id=\"H000123\">"), "b"};
    EXPECT_EQ(readAll(&withMark, TextEncoding::Utf8), expected);
    EXPECT_EQ(readAll(&withoutMark, TextEncoding::Utf8), expected);
}

INSTANTIATE_TEST_SUITE_P(ReadSizes, Utf8Files, testing::Values(1, 2, 4096));

TEST(Utf8Files, MarkOnlyFileHasNoLine)
{
    ChunkedDevice device(QByteArray("\xEF\xBB\xBF"), 1);
    EXPECT_EQ(readAll(&device, TextEncoding::Utf8), QStringList());
}

// ---- files on disk: fixtures -----------------------------------------------------

QString fixture(const char* name)
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/platform/text/") + QString::fromLatin1(name);
}

TEST(TextFileReader, ReadsTheCp932FixtureWithMixedLineEnds)
{
    const std::optional<QStringList> lines = platform::readTextLines(fixture("mixed_line_ends.txt"));
    ASSERT_TRUE(lines.has_value()) << "fixture missing";
    EXPECT_EQ(*lines, QStringList({QStringLiteral(u"A01,1,境界点①,100.000,200.000,0.000,"),
                                   QStringLiteral(u"面積３５㎡～"), "", QStringLiteral(u"ｱｲｳ,ソ"),
                                   "last line without end"}));
}

TEST(TextFileReader, ReadsTheUtf8FixtureWithByteOrderMark)
{
    const std::optional<QStringList> lines =
        platform::readTextLines(fixture("utf8_bom.xml"), TextEncoding::Utf8);
    ASSERT_TRUE(lines.has_value()) << "fixture missing";
    ASSERT_EQ(lines->size(), 3);
    EXPECT_EQ(lines->at(0), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    EXPECT_EQ(lines->at(1), QStringLiteral(u"<地番>１２３－４</地番>"));
    EXPECT_EQ(lines->at(2), QStringLiteral(u"<座標系>公共座標9系</座標系>"));
}

TEST(TextFileReader, MissingFileOrFolderDoesNotOpen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TextFileReader missing(dir.filePath("none.txt"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.readLine().has_value());
    EXPECT_TRUE(missing.hasError());
    TextFileReader folder(dir.path());
    EXPECT_FALSE(folder.isOpen());
    EXPECT_FALSE(platform::readTextLines(dir.filePath("none.txt")).has_value());
}

// A test's stand-in device takes the place of the file it names; other
// paths, and every path once the stand-in is gone, read the file itself.
TEST(TextFileReader, StandInDeviceTakesThePlaceOfItsFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString broken = dir.filePath("broken.txt");
    const QString whole = dir.filePath("whole.txt");
    for (const QString& path : {broken, whole}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("a\r\nb\r\n");
    }
    {
        const platform::ScopedReadDeviceStandIn standIn([&broken](const QString& path) -> std::unique_ptr<QIODevice> {
            if (path != broken)
                return nullptr;
            return std::make_unique<ChunkedDevice>(QByteArray("a\r\nb\r\n"), 1, 3);
        });
        TextFileReader reader(broken);
        EXPECT_TRUE(reader.isOpen());
        EXPECT_EQ(reader.readLine(), std::optional<QString>(QStringLiteral("a")));
        EXPECT_FALSE(reader.readLine().has_value());
        EXPECT_TRUE(reader.hasError());
        EXPECT_FALSE(platform::readTextLines(broken).has_value());
        EXPECT_EQ(platform::readTextLines(whole), std::optional<QStringList>({"a", "b"}));
    }
    EXPECT_EQ(platform::readTextLines(broken), std::optional<QStringList>({"a", "b"}));
}

// ---- writer ------------------------------------------------------------------------

class TextWriter : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // Files left in the folder, to see that no temporary file stays behind.
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir dir;
};

TEST_F(TextWriter, WritesCp932LinesWithCrLf)
{
    TextFileWriter w(path("POINT.DAT"));
    ASSERT_TRUE(w.isOpen());
    w.writeLine(QStringLiteral(u"1,境界①,,-1234.56,5678.90,1"));
    w.writeLine();
    w.write(QStringLiteral(u"末尾"));
    ASSERT_TRUE(w.commit()) << w.errorString().toStdString();
    EXPECT_TRUE(w.errorString().isEmpty());
    EXPECT_EQ(fileBytes(path("POINT.DAT")),
              QByteArray("1,\x8B\xAB\x8A\x45\x87\x40,,-1234.56,5678.90,1\r\n\r\n\x96\x96\x94\xF6"));
    EXPECT_EQ(entries(), QStringList({"POINT.DAT"}));
}

// Bytes a writer built itself go in as they are, in order with the lines,
// also across the writer's chunks.
TEST_F(TextWriter, BytesAndLinesInOrder)
{
    TextFileWriter w(path("T.SFC"));
    w.writeLine(u"ISO-10303-21;");
    w.writeBytes("/*SXF\r\n#430=a(\x82\xA0)\r\n");
    w.write(u"END");
    const QByteArray block(700000, 'x');
    w.writeBytes(block);
    w.writeBytes(block);
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(fileBytes(path("T.SFC")),
              QByteArray("ISO-10303-21;\r\n/*SXF\r\n#430=a(\x82\xA0)\r\nEND") + block + block);
}

// A text of a few megabytes in one write (a whole SIMA text) comes out as
// its encoding in one piece, also where the writer's chunks end: the
// surrogate pairs stand across the 2^19th character, where the first chunk
// ends, once at each parity.
TEST_F(TextWriter, OneLongTextIsWrittenWholeAcrossChunks)
{
    QString lines;
    for (int i = 0; i < 200000; ++i)
        lines += QStringLiteral(u"A01,境界,①\r\n");
    const QString tail = QStringLiteral(u"😀境界😀,末尾");
    const struct {
        const char* name;
        TextEncoding encoding;
        qsizetype lead;  // characters before the first pair
    } rows[] = {
        {"pair_split_cp932", TextEncoding::Cp932, (qsizetype(1) << 19) - 1},
        {"pair_whole_cp932", TextEncoding::Cp932, (qsizetype(1) << 19) - 2},
        {"pair_split_utf8", TextEncoding::Utf8, (qsizetype(1) << 19) - 1},
        {"pair_whole_utf8", TextEncoding::Utf8, (qsizetype(1) << 19) - 2},
    };
    for (const auto& row : rows) {
        const QString text = lines.first(row.lead) + tail + lines;
        TextFileWriter w(path(row.name), row.encoding);
        w.write(text);
        ASSERT_TRUE(w.commit()) << row.name;
        const QByteArray expected =
            row.encoding == TextEncoding::Cp932 ? platform::toCp932(text) : text.toUtf8();
        EXPECT_EQ(fileBytes(path(row.name)), expected) << row.name;
    }
}

TEST_F(TextWriter, Utf8WithAndWithoutByteOrderMark)
{
    TextFileWriter bom(path("Tavelcor.KML"), TextEncoding::Utf8Bom);
    bom.writeLine(QStringLiteral(u"<name>画地</name>"));
    bom.write(u"</kml>");
    ASSERT_TRUE(bom.commit());
    EXPECT_EQ(fileBytes(path("Tavelcor.KML")),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral(u"<name>画地</name>\r\n</kml>").toUtf8());
    TextFileWriter plain(path("plain.txt"), TextEncoding::Utf8);
    plain.writeLine(QStringLiteral(u"あ"));
    ASSERT_TRUE(plain.commit());
    EXPECT_EQ(fileBytes(path("plain.txt")), QStringLiteral(u"あ\r\n").toUtf8());
}

// Written lines read back as they were, fields included.
TEST_F(TextWriter, WhatIsWrittenReadsBack)
{
    const QStringList lines = {QStringLiteral(u"画地属性①㎡～－∥ｱｲｳ"), "", "a,b,,c",
                               QStringLiteral(u"ソ表能\\~")};
    TextFileWriter w(path("round.txt"));
    for (const QString& l : lines)
        w.writeLine(l);
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(platform::readTextLines(path("round.txt")), lines);
}

// Characters CP932 cannot hold come back as "?", and a sanitised field with a
// comma and a line break stays one field on one line.
TEST_F(TextWriter, UnmappableCharactersAndSanitisedFields)
{
    TextFileWriter w(path("names.txt"));
    w.writeLine("1," + platform::sanitizeField(QStringLiteral(u"名前,二\r\n行é")) + ",2");
    ASSERT_TRUE(w.commit());
    const std::optional<QStringList> lines = platform::readTextLines(path("names.txt"));
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 1);
    EXPECT_EQ(platform::splitCommaItems(lines->at(0)),
              QStringList({"1", QStringLiteral(u"名前_二 行?"), "2"}));
}

// A new sign file starts empty: nothing written gives a file of 0 bytes, and
// writing after the commit changes nothing.
TEST_F(TextWriter, NothingWrittenGivesAnEmptyFile)
{
    writeBytes(path("TAVELCOR.TVX"), " 1\r\n 2\r\n");
    TextFileWriter w(path("TAVELCOR.TVX"));
    ASSERT_TRUE(w.commit());
    w.writeLine(u"late");
    EXPECT_EQ(fileBytes(path("TAVELCOR.TVX")), QByteArray());
}

TEST_F(TextWriter, WithoutCommitTheOldFileStays)
{
    writeBytes(path("LINE.DAT"), "old\r\n");
    {
        TextFileWriter w(path("LINE.DAT"));
        ASSERT_TRUE(w.isOpen());
        w.writeLine(u"new");
        EXPECT_EQ(fileBytes(path("LINE.DAT")), QByteArray("old\r\n"));
    }
    EXPECT_EQ(fileBytes(path("LINE.DAT")), QByteArray("old\r\n"));
    EXPECT_EQ(entries(), QStringList({"LINE.DAT"}));
}

TEST_F(TextWriter, CommitReplacesTheOldFile)
{
    writeBytes(path("TEXT.DAT"), "old line one\r\nold line two\r\n");
    TextFileWriter w(path("TEXT.DAT"));
    w.writeLine(u"new");
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(fileBytes(path("TEXT.DAT")), QByteArray("new\r\n"));
    EXPECT_FALSE(w.commit()) << "a second commit is refused";
}

TEST_F(TextWriter, MissingFolderFailsAndIsReported)
{
    TextFileWriter w(path("no/such/folder/ZAHYO.SIM"));
    EXPECT_FALSE(w.isOpen());
    w.writeLine(u"Z00,,");
    EXPECT_FALSE(w.commit());
    EXPECT_FALSE(w.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(path("no/such/folder/ZAHYO.SIM")));
}

// The target cannot be replaced (a folder of that name): the commit fails and
// the folder stays, with no temporary file left over.
TEST_F(TextWriter, RenameFailureLeavesTheTargetAndReports)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("TAVELCOR.TVX"));
    TextFileWriter w(path("TAVELCOR.TVX"));
    w.writeLine(u" 1");
    EXPECT_FALSE(w.commit());
    EXPECT_FALSE(w.errorString().isEmpty());
    EXPECT_TRUE(QFileInfo(path("TAVELCOR.TVX")).isDir());
    EXPECT_EQ(entries(), QStringList());
}

// Commits one line into `path` as a save does: 0 when the commit failed and
// said why, 1 when it succeeded, 2 when it failed without a reason.
int commitOneLine(const QString& path)
{
    TextFileWriter w(path);
    w.writeLine(u"1,x,0,cross");
    if (w.commit())
        return 1;
    return w.errorString().isEmpty() ? 2 : 0;
}

// Runs `body` in a child process that has given up root's rights (it runs as
// the user "nobody"), and gives the child's exit code; nullopt when no such
// child could run. Root passes over folder permissions, so a refusal by
// permissions can only be seen without them.
std::optional<int> exitCodeWithoutRoot(const std::function<int()>& body)
{
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr)
        return std::nullopt;
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(100);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
        return std::nullopt;
    return WEXITSTATUS(status);
}

TEST_F(TextWriter, ReadOnlyFolderFailsAndLeavesTheOldFile)
{
    writeBytes(path("POINT.JKN"), "1,o,12,circle\r\n");
    // Everyone may read and enter the folder; nobody may write in it.
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readOnly));
    const QString target = path("POINT.JKN");
    const std::optional<int> outcome =
        geteuid() == 0 ? exitCodeWithoutRoot([&target] { return commitOneLine(target); })
                       : std::optional<int>(commitOneLine(target));
    QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner);
    ASSERT_TRUE(outcome.has_value()) << "no process without root's rights could run the writer";
    EXPECT_EQ(*outcome, 0) << "1: the commit succeeded, 2: it failed without a reason";
    EXPECT_EQ(fileBytes(path("POINT.JKN")), QByteArray("1,o,12,circle\r\n"));
    EXPECT_EQ(entries(), QStringList({"POINT.JKN"}));
}

// The disk fills while the new file is written: the commit fails with a
// reason, the old file stays whole and no temporary file is left over.
TEST_F(TextWriter, AWriteThatFailsHalfWayLeavesTheOldFile)
{
    writeBytes(path("LINE.DAT"), "old\r\n");
    {
        const testing_support::ScopedFileSizeLimit limit(64);
        ASSERT_TRUE(limit.isActive());
        TextFileWriter w(path("LINE.DAT"));
        ASSERT_TRUE(w.isOpen());
        for (int i = 0; i < 10; ++i)
            w.writeLine(QString(100, QChar(u'x')));  // about 1 KB, far past the limit
        EXPECT_FALSE(w.commit());
        EXPECT_FALSE(w.errorString().isEmpty());
    }
    EXPECT_EQ(fileBytes(path("LINE.DAT")), QByteArray("old\r\n"));
    EXPECT_EQ(entries(), QStringList({"LINE.DAT"}));
}

}  // namespace
