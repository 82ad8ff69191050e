// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/site_text.h"
#include "platform/text/cp932.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace tavelcor::sitetext {
namespace {

// The readers' fast number path must give exactly the double the text kit's
// Val gives, for the plain forms it takes itself and for everything it hands
// on.
void expectSameAsVal(const QString& text)
{
    const double fast = fieldNumber(text);
    const double val = platform::Val(text);
    EXPECT_EQ(fast, val) << '"' << text.toStdString() << '"';
    EXPECT_EQ(std::signbit(fast), std::signbit(val)) << '"' << text.toStdString() << '"';
}

TEST(FieldNumber, AgreesWithValOnTrickyTexts)
{
    for (const char* text : {"", " ", "0", "-0", "-0.00", "+5", "12", " 12 ", "-1234.56", ".5", "-.25", "5.",
                             ".", "-", "1.2.3", "1 2", "1,234", "12.5m", "1e3", "1.5E+20", "12E", "\t7",
                             "123456789012345", "1234567890123456", "0.000000000000001", "9999999.99",
                             "-12345.678", "0.1", "0.3", "2.675", "1.005", "  -0.125  ", "abc", "１２"}) {
        expectSameAsVal(QString::fromUtf8(text));
    }
}

TEST(FieldNumber, AgreesWithValOnGeneratedCoordinates)
{
    std::mt19937_64 random(20240105);
    std::uniform_int_distribution<std::int64_t> mantissa(-99999999999999, 99999999999999);
    std::uniform_int_distribution<int> decimals(0, 14);
    for (int i = 0; i < 200000; ++i) {
        const std::int64_t m = mantissa(random);
        const int d = decimals(random);
        QString digits = QString::number(m < 0 ? -m : m).rightJustified(d + 1, u'0');
        if (d > 0)
            digits.insert(digits.size() - d, u'.');
        expectSameAsVal((m < 0 ? QStringLiteral("-") : QString()) + digits);
    }
}

// Whole-number fields: the fast path gives what rounding Val's number gives.
TEST(FieldNumber, WholeNumbersAgreeWithCheckedRounding)
{
    for (const char* text : {"0", " 12", "-3", "+7", "255", "256", "-1", "2.5", "3.5", " 1e2", "x", "",
                             "2147483647", "2147483648", "-2147483648", "-2147483649", "123456789012345",
                             "1234567890123456", "0012", "1 2", "12 "}) {
        const QString t = QString::fromUtf8(text);
        EXPECT_EQ(fieldLong(t), platform::toLongChecked(platform::Val(t))) << '"' << text << '"';
        EXPECT_EQ(fieldByte(t), platform::toByteChecked(platform::Val(t))) << '"' << text << '"';
    }
}

// Field texts for the byte readers: every plain form and the texts beside
// it that the text kit reads otherwise (exponents, full-width digits, CP932
// kanji, too many digits), some with the bytes of a cut two-byte character.
const char* const kFieldTexts[] = {
    "", " ", "0", "-0", "-0.00", "+5", "12", " 12 ", "-1234.56", ".5", "-.25", "5.", ".", "-", "1.2.3", "1 2",
    "12.5m", "1e3", "1.5E+20", "12E", "\t7", "123456789012345", "1234567890123456", "12345678.1234567",
    "1234567.12345678", "0.000000000000001", "9999999.99", "-12345.678", "2.675", "1.005", "  -0.125  ", "abc",
    "１２", "-33250.00", "12800.00", "1000000", "255", "256", "-1", "2.5", "3.5", "2147483648", "0012", "杭12",
    "12杭", "&H10", "00000000000000001", "99999999", "100000000", "12345678", "12345678.12345678",
    "123456789.5", "1234567.1234567", "0.12345678", "0.123456789", "-.5", "+.5", "1..2", "12 .5", "-12.",
    "   -33250.125", "1-2"};

QByteArray cp932(const char* text)
{
    return platform::toCp932(QString::fromUtf8(text));
}

// The byte readers give what the text readers give for the decoded text.
TEST(FieldNumber, BytesReadAsTheirText)
{
    for (const char* text : kFieldTexts) {
        const QString t = QString::fromUtf8(text);
        const QByteArray b = cp932(text);
        const double number = fieldNumber(QByteArrayView(b));
        EXPECT_EQ(number, fieldNumber(t)) << '"' << text << '"';
        EXPECT_EQ(std::signbit(number), std::signbit(fieldNumber(t))) << '"' << text << '"';
        EXPECT_EQ(fieldLong(QByteArrayView(b)), fieldLong(t)) << '"' << text << '"';
        EXPECT_EQ(fieldByte(QByteArrayView(b)), fieldByte(t)) << '"' << text << '"';
    }
    // A lead byte cut off by the comma reads as the replacement character.
    const QByteArray cut("12\x82");
    EXPECT_EQ(fieldNumber(QByteArrayView(cut)), fieldNumber(platform::fromCp932(cut)));
}

// Every field of a row read in order by the cursor: as the fields split by
// the text kit read, whatever follows each field and whatever lies behind
// the row in memory (a line view has the next line behind it), by a cursor
// that may look into the padding behind the row and one that may not.
void expectRowsReadAsSplit(bool padded)
{
    const std::vector<const char*> texts(std::begin(kFieldTexts), std::end(kFieldTexts));
    for (std::size_t first = 0; first < texts.size(); ++first) {
        // Rows of three fields in every order of neighbours.
        const char* row3[] = {texts[first], texts[(first + 7) % texts.size()], texts[(first + 13) % texts.size()]};
        QByteArray row = cp932(row3[0]) + ',' + cp932(row3[1]) + ',' + cp932(row3[2]);
        // Digits a reader looking past the row would take, as far as the
        // padding of a line view reaches.
        const QByteArray behind(platform::LineReader::kLinePadding, '9');
        const QByteArray memory = row + behind;
        const QByteArrayView line(memory.constData(), row.size());
        const QString text = platform::fromCp932(row);
        const auto fields = splitFields<4>(QStringView(text));
        for (int kind = 0; kind < 5; ++kind) {
            RowCursor cursor = padded ? RowCursor(line, RowCursor::Padded{}) : RowCursor(line);
            for (int k = 0; k < 4; ++k) {  // the fourth reads past the end: an empty field
                const QStringView field = k < fields.count ? fields[static_cast<std::size_t>(k)] : QStringView();
                const std::string what =
                    std::string(row.constData()) + " field " + std::to_string(k) + (padded ? " padded" : "");
                EXPECT_EQ(cursor.atEnd(), k >= fields.count) << what;
                EXPECT_EQ(cursor.overran(), k > fields.count) << what;
                switch (kind) {
                case 0:
                    EXPECT_EQ(cursor.number(), fieldNumber(field)) << what;
                    break;
                case 1: {
                    std::int32_t value = -7;
                    const std::optional<std::int32_t> expected = fieldLong(field);
                    EXPECT_EQ(cursor.whole(INT32_MIN, INT32_MAX, value), expected.has_value()) << what;
                    if (expected) {
                        EXPECT_EQ(value, *expected) << what;
                    }
                    break;
                }
                case 2: {
                    std::uint8_t value = 7;
                    const std::optional<std::uint8_t> expected = fieldByte(field);
                    EXPECT_EQ(cursor.byte(value), expected.has_value()) << what;
                    if (expected) {
                        EXPECT_EQ(value, *expected) << what;
                    }
                    break;
                }
                case 3: {
                    // The number as number() reads it, and whether the field
                    // starts with one at all (an empty field, "abc" do not).
                    double value = -7.0;
                    const bool found = cursor.leadingNumber(value);
                    EXPECT_EQ(value, fieldNumber(field)) << what;
                    EXPECT_EQ(found, platform::leadingNumber(field).has_value()) << what;
                    break;
                }
                default:
                    EXPECT_EQ(platform::fromCp932(cursor.text()), field.toString()) << what;
                }
            }
        }
    }
}

TEST(FieldNumber, RowCursorReadsEachFieldAsTheSplitRow)
{
    expectRowsReadAsSplit(false);
    expectRowsReadAsSplit(true);
}

// Generated numbers of every length the vector reading takes and just
// beyond (up to nine digits on either side of the point, with blanks, a
// sign, a point without digits), each at every place of a row and with
// every kind of byte behind it: the padded cursor reads what the plain one
// reads, which reads what the text kit reads.
TEST(FieldNumber, PaddedCursorReadsGeneratedNumbersAsThePlainOne)
{
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> digitCount(0, 9);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> coin(0, 3);
    const auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += char('0' + digit(random));
        return s;
    };
    const std::string behindKinds[] = {std::string(platform::LineReader::kLinePadding, '9'),
                                       std::string(platform::LineReader::kLinePadding, '\0'),
                                       "\r\n" + std::string(platform::LineReader::kLinePadding, '5')};
    for (int i = 0; i < 100000; ++i) {
        std::string field = coin(random) == 0 ? " " : "";
        if (coin(random) == 0)
            field += coin(random) == 0 ? "+" : "-";
        field += digits(digitCount(random));
        if (coin(random) != 0)
            field += "." + digits(digitCount(random));
        if (coin(random) == 0)
            field += " ";
        const int place = coin(random) % 3;  // first, middle or last field
        const std::string row = (place == 0 ? field + ",1,2" : place == 1 ? "1," + field + ",2" : "1,2," + field);
        const std::string memory = row + behindKinds[i % 3];
        const QByteArrayView line(memory.data(), qsizetype(row.size()));
        RowCursor plain(line);
        RowCursor padded(line, RowCursor::Padded{});
        for (int k = 0; k < 3; ++k) {
            const double expected = plain.number();
            const double got = padded.number();
            ASSERT_EQ(got, expected) << '"' << row << "\" field " << k;
            ASSERT_EQ(std::signbit(got), std::signbit(expected)) << '"' << row << '"';
            if (k == place) {
                ASSERT_EQ(expected, fieldNumber(QString::fromStdString(field))) << '"' << field << '"';
            }
        }
        ASSERT_TRUE(padded.atEnd());
        ASSERT_FALSE(padded.overran());
    }
}

// The cursor tells a row of fewer fields than were read from one of more.
TEST(FieldNumber, CursorCountsTheFieldsItReads)
{
    RowCursor empty(QByteArrayView(""));
    EXPECT_FALSE(empty.atEnd()) << "an empty row is one empty field to the cursor";
    EXPECT_TRUE(empty.text().isEmpty());
    EXPECT_TRUE(empty.atEnd());
    EXPECT_FALSE(empty.overran());
    EXPECT_EQ(empty.number(), 0.0);
    EXPECT_TRUE(empty.overran());
    RowCursor cursor(QByteArrayView("a,,b,"));
    EXPECT_EQ(cursor.text(), QByteArrayView("a"));
    EXPECT_EQ(cursor.number(), 0.0) << "an empty field reads 0";
    EXPECT_EQ(cursor.text(), QByteArrayView("b"));
    EXPECT_FALSE(cursor.atEnd()) << "the field after the last comma is left";
    EXPECT_TRUE(cursor.text().isEmpty());
    EXPECT_TRUE(cursor.atEnd());
    EXPECT_FALSE(cursor.overran());
    EXPECT_TRUE(cursor.text().isNull()) << "past the end";
    EXPECT_TRUE(cursor.overran());
    const QByteArray forty = QByteArray(40, ',') + "7";  // the row outlives its cursor
    RowCursor longRow(forty);
    for (int k = 0; k < 40; ++k)
        longRow.skip();
    std::int32_t seven = 0;
    EXPECT_TRUE(longRow.whole(1, 10, seven));
    EXPECT_EQ(seven, 7);
    EXPECT_TRUE(longRow.atEnd());
    // A whole number outside the range asked for, plain or not.
    RowCursor ranges(QByteArrayView("0,11,10.4,10.6"));
    std::int32_t value = 0;
    EXPECT_FALSE(ranges.whole(1, 10, value));
    EXPECT_FALSE(ranges.whole(1, 10, value));
    EXPECT_TRUE(ranges.whole(1, 10, value)) << "10.4 rounds to 10";
    EXPECT_FALSE(ranges.whole(1, 10, value)) << "10.6 rounds to 11";
}

// A file's lines built as bytes are the lines built as text, encoded: the
// same numbers in the same forms and the same cleaning of texts.
TEST(SiteText, LineBlocksHoldTheEncodedRowsOfText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("rows.txt"));
    platform::TextFileWriter out(path);
    LineBlock lines(out);
    QByteArray expected;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-3.0, 11.0);
    const QStringList texts{QString(),
                            QStringLiteral(""),
                            QStringLiteral(" 境界①, 杭－3 "),
                            QStringLiteral("a\r\nb\rc\nd,"),
                            QStringLiteral("  "),
                            QStringLiteral("é¥😀"),
                            QStringLiteral("山田　太郎"),
                            QStringLiteral(",,"),
                            QStringLiteral("K12"),
                            QStringLiteral("境界①4"),
                            QStringLiteral("a(b)+c*"),
                            // ASCII above ',' is taken as it stands; '+',
                            // a tab, DEL and U+0080 sit at its edges.
                            QStringLiteral("F123456-7.5_~"),
                            QStringLiteral("-.\x7f"),
                            QStringLiteral("+1\t2"),
                            QString::fromUtf16(u"A\u0080B"),
                            QString::fromUtf16(u"K1\u00A5"),
                            QString(3000, u'杭') + QStringLiteral(",x ")};
    for (int i = 0; i < 20000; ++i) {
        const double value = (i % 2 == 0 ? -1.0 : 1.0) * std::pow(10.0, magnitude(random));
        const int width = 8 + i % 4;
        const int decimals = i % 11 - 1;  // -1 and 10 included: blanks or nothing
        const QString& text = texts[i % texts.size()];
        Row row;
        appendInt(row, i - 10000);
        row << u',';
        appendFixed(row, value, width, decimals);
        row << u',';
        appendFixedTrimmed(row, value, width, decimals);
        row << u',';
        appendField(row, text);
        row << u',';
        appendTrimmedField(row, text);
        row << u',';
        appendCompact(row, text);
        // The forms with the decimals known when compiling, alone and in pairs.
        const double other = i % 7 == 0 ? std::nan("") : (i % 5 == 0 ? (i % 4) * 0.125 - 1e-7 : -value / 3.0);
        for (const double v : {value, other, value, other})
            appendFixedTrimmed(row << u',', v, width, 2);
        for (const double v : {value, other, value, other})
            appendFixedTrimmed(row << u',', v, width, 3);
        expected += platform::toCp932(row.view()) + "\r\n";
        lines.appendInt(i - 10000);
        lines << ',';
        lines.appendFixed(value, width, decimals);
        lines << ',';
        lines.appendFixedTrimmed(value, width, decimals);
        lines << ',';
        lines.appendField(text);
        lines << ',';
        lines.appendTrimmedField(text);
        lines << ',';
        lines.appendCompact(text);
        lines << ',';
        lines.appendFixedTrimmed<2>(value, width);
        lines << ',';
        lines.appendFixedTrimmed<2>(other, width);
        lines << ',';
        lines.appendFixedPairTrimmed<2>(value, other, width);
        lines << ',';
        lines.appendFixedTrimmed<3>(value, width);
        lines << ',';
        lines.appendFixedTrimmed<3>(other, width);
        lines << ',';
        lines.appendFixedPairTrimmed<3>(value, other, width);
        lines.endLine();
    }
    lines.flush();
    ASSERT_TRUE(out.commit());
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    ASSERT_EQ(bytes.size(), expected.size());
    EXPECT_TRUE(bytes == expected);
}

// Files written one after another, and one written while another is open,
// each hold only their own lines.
TEST(SiteText, LineBlocksOneAfterAnotherAndOneInsideAnother)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& name, int rows, const std::function<void()>& inBetween) {
        const QString path = dir.filePath(name);
        platform::TextFileWriter out(path);
        LineBlock lines(out);
        QByteArray expected;
        for (int i = 0; i < rows; ++i) {
            lines.appendInt(i);
            lines << ',';
            lines.appendField(name);
            lines.endLine();
            expected += QByteArray::number(i) + ',' + platform::toCp932(name) + "\r\n";
            if (i == rows / 2)
                inBetween();
        }
        lines.flush();
        EXPECT_TRUE(out.commit());
        QFile written(path);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll() == expected) << qPrintable(name);
    };
    write(QStringLiteral("第一.txt"), 30000, [] {});
    write(QStringLiteral("second.txt"), 100, [] {});
    write(QStringLiteral("outer.txt"), 40000, [&] { write(QStringLiteral("inner.txt"), 25000, [] {}); });
    write(QStringLiteral("after.txt"), 3, [] {});
}

TEST(SiteText, FixedFormKeepsWidthOrTheWholeNumber)
{
    const auto fixed = [](double value, int width, bool trimmed) {
        Row row;
        if (trimmed)
            appendFixedTrimmed(row, value, width, 2);
        else
            appendFixed(row, value, width, 2);
        return row.toString();
    };
    EXPECT_EQ(fixed(-1234.567, 10, false), QStringLiteral("  -1234.57"));
    EXPECT_EQ(fixed(-1234567.891, 10, false), QStringLiteral("-1234567.89")) << "eleven characters: not cut";
    EXPECT_EQ(fixed(1234567.891, 10, false), QStringLiteral("1234567.89")) << "exactly ten";
    EXPECT_EQ(fixed(0.0004, 11, true), QStringLiteral("0.00"));
}

TEST(SiteText, FieldsAreCleanedAndCounted)
{
    Row row;
    appendField(row, u"a,b\r\nc\rd\ne");
    EXPECT_EQ(row.toString(), QStringLiteral("a_b c d e"));
    row.clear();
    appendLineText(row, u"a,b\r\nc\rd\ne\n");
    EXPECT_EQ(row.toString(), QStringLiteral("a,b c d e ")) << "commas stay, each line break is one blank";
    row.clear();
    appendTrimmedField(row, u" x\r\n");
    EXPECT_EQ(row.toString(), QStringLiteral("x"));
    row.clear();
    appendCompact(row, u"1, 2,\r\n3　4");
    EXPECT_EQ(row.toString(), QStringLiteral("123　4")) << "the full-width blank stays";
    row.clear();
    appendInt(row, -500000);
    row << u',' << u"末";
    EXPECT_EQ(row.toString(), QStringLiteral("-500000,末"));
    EXPECT_EQ(collapseBlankRuns(u"  a   b  "), QStringLiteral(" a b "));
    EXPECT_EQ(splitFields<3>(u"").count, 0);
    EXPECT_EQ(splitFields<3>(u",").count, 2);
    const auto f = splitFields<2>(u"a,b,c,");
    EXPECT_EQ(f.count, 4);
    EXPECT_EQ(f[1], u"b");
}

}  // namespace
}  // namespace tavelcor::sitetext
