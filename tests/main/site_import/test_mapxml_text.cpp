// SPDX-License-Identifier: LicenseRef-Tavelcor
// The value rules of the line-oriented map XML reader and its text search in
// both encodings.
#include "main/site/mapxml_text.h"

#include "platform/text/cp932.h"

#include <gtest/gtest.h>

#include <optional>

namespace tavelcor::mapxml {
namespace {

struct IdRow {
    const char16_t* line;
    std::optional<qint64> id;
};

TEST(MapXmlValues, IdNumberSkipsTheQuoteAndTheLetter)
{
    const std::vector<IdRow> rows = {
        {u"\t\t<zmn:GM_Point id=\"P000000123\">", 123},
        {u"<形状 idref=\"C000002000\"/>", 2000},
        {u"<筆参照 idref=\"H000050000\"/>", 50000},
        {u"<x id=\"P\">", 0},                       // no digits
        {u"<x>", 0},                                // no quote: characters 2.. read no number
        {u"<x id=\"P-12\"/>", -12},
        {u"<x id=\"P1.5\"/>", 2},                   // whole numbers round half to even
        {u"<x id=\"P000000000000000000001\"/>", 0},  // only 20 characters are read: all zeros
        {u"<x id=\"P99999999999\"/>", std::nullopt},
    };
    for (const IdRow& row : rows)
        EXPECT_EQ(idNumber(QString::fromUtf16(row.line)), row.id) << QString::fromUtf16(row.line).toStdString();
}

struct TextRow {
    const char* name;
    QString line;
    qsizetype width;
    QString text;
};

// The characters after the first ">", taken `width` long, cut before the
// first "<" among them.
TEST(MapXmlValues, ElementTextIsTakenAtItsWidthAndCutAtTheNextTag)
{
    const QString hundred(100, u'字');
    const QString twenty = QStringLiteral("L-0123456789ABCDEFGH");
    const TextRow rows[] = {
        {"plain", QStringLiteral("\t\t\t<地番>12-1</地番>"), kElementTextWidth, QStringLiteral("12-1")},
        {"blanks kept", QStringLiteral("<地図番号>L   35</地図番号>"), kSheetNumberWidth, QStringLiteral("L   35")},
        {"empty", QStringLiteral("<名称></名称>"), kElementTextWidth, QString()},
        {"no closing tag", QStringLiteral("<地番>open"), kElementTextWidth, QStringLiteral("open")},
        {"exactly the width", QStringLiteral("<大字名>") + hundred + QStringLiteral("</大字名>"), kElementTextWidth,
         hundred},
        {"longer than the width", QStringLiteral("<大字名>") + hundred + QStringLiteral("町</大字名>"),
         kElementTextWidth, hundred},
        {"sheet number of 20", QStringLiteral("<地図番号>") + twenty + QStringLiteral("</地図番号>"),
         kSheetNumberWidth, twenty},
        {"sheet number of 21", QStringLiteral("<地図番号>") + twenty + QStringLiteral("I</地図番号>"),
         kSheetNumberWidth, twenty},
    };
    for (const TextRow& row : rows)
        EXPECT_EQ(elementText(row.line, row.width), row.text) << row.name;
}

TEST(MapXmlValues, TextKindTellsUtf8FromShiftJis)
{
    const struct {
        const char* name;
        QByteArray bytes;
        TextKind kind;
    } rows[] = {
        {"ascii", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", TextKind::Ascii},
        {"empty", "", TextKind::Ascii},
        {"utf-8", QStringLiteral("<地図 xmlns=\"x\">").toUtf8(), TextKind::Utf8},
        {"byte order mark", "\xEF\xBB\xBF<?xml version=\"1.0\"?>", TextKind::Utf8},
        {"shift-jis", platform::toCp932(QStringLiteral("<地図 xmlns=\"x\">")), TextKind::Other},
        {"half-width kana", platform::toCp932(QStringLiteral("<名称>ｱｲｳ</名称>")), TextKind::Other},
        {"utf-8 cut inside a character", QStringLiteral("<地").toUtf8().chopped(1), TextKind::Other},
    };
    for (const auto& row : rows)
        EXPECT_EQ(textKindOf(row.bytes), row.kind) << row.name;
}

TEST(MapXmlValues, CoordinatesAreTheLeadingNumberAfterTheTag)
{
    EXPECT_DOUBLE_EQ(coordinate(u"\t<zmn:X>-297594.961</zmn:X>"), -297594.961);
    EXPECT_DOUBLE_EQ(coordinate(u"<zmn:Y>25917.765</zmn:Y>"), 25917.765);
    EXPECT_DOUBLE_EQ(coordinate(u"<zmn:Y>abc</zmn:Y>"), 0.0);
    EXPECT_DOUBLE_EQ(coordinate(u"<zmn:X>1234567890.1234567890123</zmn:X>"), 1234567890.123456789);
}

TEST(MapXmlValues, ZoneFromThePublicZoneText)
{
    EXPECT_EQ(zoneNumber(u"<座標系>公共座標9系</座標系>"), 9);
    EXPECT_EQ(zoneNumber(u"<座標系>公共座標13系</座標系>"), 13);
    EXPECT_EQ(zoneNumber(u"<座標系>任意座標系</座標系>"), 0);
    EXPECT_EQ(zoneNumber(u"<座標系>公共</座標系>"), 0);
    EXPECT_EQ(zoneNumber(u"<座標系>公共座標-1系</座標系>"), std::nullopt);
}

TEST(MapXmlValues, QuotedLineIsTrimmedAndShort)
{
    EXPECT_EQ(quotedLine(u"\t\t<a> "), QStringLiteral("<a>"));
    EXPECT_EQ(quotedLine(QString(100, u'x')), QString(80, u'x') + QStringLiteral("…"));
}

// ---- text search ---------------------------------------------------------------------

bool lineContains(FileEncoding encoding, const QByteArray& bytes, const QString& marker)
{
    Line line(encoding);
    line.reset(QByteArray(bytes), 2);
    return line.contains(Marker(marker, encoding));
}

TEST(MapXmlLine, FindsMarkersInBothEncodings)
{
    const QString text = QStringLiteral("\t\t<筆 id=\"H000000001\">");
    EXPECT_TRUE(lineContains(FileEncoding::Utf8, text.toUtf8(), QStringLiteral("<筆 id=")));
    EXPECT_TRUE(lineContains(FileEncoding::Cp932, platform::toCp932(text), QStringLiteral("<筆 id=")));
    EXPECT_FALSE(lineContains(FileEncoding::Utf8, text.toUtf8(), QStringLiteral("</筆>")));
    EXPECT_TRUE(lineContains(FileEncoding::Utf8, "<zmn:X>1</zmn:X>", QStringLiteral("zmn:X")));
    EXPECT_FALSE(lineContains(FileEncoding::Utf8, "<zmn:X>1</zmn:X>", QStringLiteral("zmn:Y")));
    EXPECT_FALSE(lineContains(FileEncoding::Utf8, "<a>1</a>", QStringLiteral("大字界線")));
}

// In CP932 the second byte of a character can be an ASCII letter: ホ is 83 7A
// ("z"), 】 is 81 7A. Bytes that only look like a marker across such a
// character are no match; the same marker at a character start is.
TEST(MapXmlLine, Cp932MatchesOnlyAtCharacterStarts)
{
    EXPECT_FALSE(lineContains(FileEncoding::Cp932, platform::toCp932(u"<ホmn:X>1</ホmn:X>"), QStringLiteral("zmn:X")));
    EXPECT_FALSE(lineContains(FileEncoding::Cp932, platform::toCp932(u"】mn:GM_Point id=\"P1\""),
                              QStringLiteral("zmn:GM_Point id=")));
    EXPECT_TRUE(lineContains(FileEncoding::Cp932, platform::toCp932(u"ホmn:X zmn:X"), QStringLiteral("zmn:X")));
    EXPECT_TRUE(lineContains(FileEncoding::Cp932, platform::toCp932(u"ｱzmn:X"), QStringLiteral("zmn:X")));  // one-byte kana
}

TEST(MapXmlLine, DecodesOnDemandInItsEncoding)
{
    Line utf8(FileEncoding::Utf8);
    utf8.reset(QStringLiteral("<地番>①</地番>").toUtf8(), 7);
    EXPECT_EQ(utf8.text(), QStringLiteral("<地番>①</地番>"));
    EXPECT_EQ(utf8.number(), 7);
    Line cp932(FileEncoding::Cp932);
    cp932.reset(platform::toCp932(u"<地番>㎡</地番>"), 8);
    EXPECT_EQ(cp932.text(), QStringLiteral("<地番>㎡</地番>"));
    cp932.swap(utf8);
    EXPECT_EQ(cp932.text(), QStringLiteral("<地番>①</地番>"));
    EXPECT_EQ(utf8.number(), 8);
}

}  // namespace
}  // namespace tavelcor::mapxml
