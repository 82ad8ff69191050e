// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML import over the hand-made samples: every record kind, both
// encodings and every line end, maps without a public zone, the attribute
// file, entities, and the messages of malformed files.
#include "mapxml_fixture.h"

#include "broken_file.h"
#include "main/site/site_messages.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"
#include "platform/system/files.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace tavelcor {
namespace {

using importtest::expectLine;
using importtest::lineCount;
using importtest::lineOf;
using importtest::MapXmlTest;
using platform::MsgResult;

const QString kSheetQuestion = QStringLiteral("地番の後に図面番号を追加しますか");
const QString kCannotRead = QStringLiteral("\r\n地図XMLを読み込めません。");

// ---- the public sample in every form ----------------------------------------------------

struct Variant {
    const char* name;
    const char* fileName;
    std::function<QByteArray(const QString&)> bytes;  // from the sample's text (LF ends)
};

void PrintTo(const Variant& v, std::ostream* os)
{
    *os << v.name;
}

class PublicMapForm : public MapXmlTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(PublicMapForm, GivesTheSameTables)
{
    const Variant& v = GetParam();
    const QString path = sitePath(QString::fromLatin1(v.fileName));
    ASSERT_TRUE(importtest::writeBytes(path, v.bytes(importtest::publicMapText())));
    ASSERT_EQ(read(path), ReadOutcome::Ok);
    importtest::expectPublicMap();
    EXPECT_TRUE(mConverterCalls.isEmpty());
}

QString withLineEnds(QString text, const QString& end)
{
    return text.replace(QStringLiteral("\n"), end);
}

INSTANTIATE_TEST_SUITE_P(
    MapXml, PublicMapForm,
    ::testing::Values(
        Variant{"utf8Lf", "map.xml", [](const QString& t) { return t.toUtf8(); }},
        Variant{"utf8CrLf", "map.xml", [](const QString& t) { return withLineEnds(t, "\r\n").toUtf8(); }},
        Variant{"utf8Cr", "map.xml", [](const QString& t) { return withLineEnds(t, "\r").toUtf8(); }},
        Variant{"utf8WithByteOrderMark", "map.XML", [](const QString& t) { return "\xEF\xBB\xBF" + t.toUtf8(); }},
        Variant{"utf8NoLastLineEnd", "map.xml", [](const QString& t) { return t.trimmed().toUtf8(); }},
        Variant{"cp932Txt", "map.TXT", [](const QString& t) { return platform::toCp932(withLineEnds(t, "\r\n")); }},
        Variant{"cp932LowerCaseTxt", "map.txt", [](const QString& t) { return platform::toCp932(t); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MapXmlTest, StagesAreShownInOrder)
{
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), importtest::publicMapText())), ReadOutcome::Ok);
    EXPECT_EQ(mStages, (QStringList{QStringLiteral("ＸＭＬを確認しています"), QStringLiteral("SIMAに変換しています")}));
}

TEST_F(MapXmlTest, AMissingFileChangesNothing)
{
    EXPECT_EQ(read(sitePath(QStringLiteral("none.xml"))), ReadOutcome::Missing);
    EXPECT_EQ(read(sitePath(QStringLiteral("none.TXT"))), ReadOutcome::Missing);
    EXPECT_EQ(ZahyoMax, 0);
    EXPECT_EQ(LineNext, 1);
}

TEST_F(MapXmlTest, RowsAreShiftedToTheOriginOnce)
{
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), importtest::publicMapText())), ReadOutcome::Ok);
    shiftMapXmlRows(-1000.0, 2000.0);
    expectLine(2, {-30.5, 0.25, -30.5, 20.75, 7});
    expectLine(9, {-50, 30, -50, -10, 6});
    EXPECT_DOUBLE_EQ(PointX[1], 10.0);
    EXPECT_DOUBLE_EQ(PointY[1], -10.0);
    EXPECT_DOUBLE_EQ(LineX1[LineNext], 0.0);  // nothing past the last line
    EXPECT_DOUBLE_EQ(ZahyoX[1], -1000.0);     // coordinates stay absolute
}

// Element texts are cut to their widths: 100 characters, 20 for a map
// sheet's number (which names its observation point).
TEST_F(MapXmlTest, LongTextsAreCutToTheirWidths)
{
    const QString district = QString(99, u'稲') + QStringLiteral("毛町");
    const QString parcel = QString(100, u'1') + QStringLiteral("-2");
    const QString sheet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY");
    QString text = importtest::publicMapText();
    text.replace(QStringLiteral("<大字名>稲毛</大字名>"), QStringLiteral("<大字名>%1</大字名>").arg(district));
    text.replace(QStringLiteral("<地番>12-1</地番>"), QStringLiteral("<地番>%1</地番>").arg(parcel));
    text.replace(QStringLiteral("<地図番号>A1</地図番号>"), QStringLiteral("<地図番号>%1</地図番号>").arg(sheet));
    for (const char* name : {"map.xml", "map.TXT"}) {
        SCOPED_TRACE(name);
        resetKeepingFolders();
        const QString file = QString::fromLatin1(name);
        const QString path = file.endsWith(u"xml") ? writeUtf8(file, text) : writeCp932(file, text);
        ASSERT_EQ(read(path), ReadOutcome::Ok);
        EXPECT_EQ(KakuchiInfo[1], district.first(100));
        EXPECT_EQ(KakuchiName[1], parcel.first(100));
        EXPECT_EQ(PointName[1], QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
    }
}

// Entities are not expanded: neither the predefined ones nor one a file
// declares for itself.
TEST_F(MapXmlTest, EntitiesStayAsWritten)
{
    QString text = importtest::publicMapText();
    text.replace(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"),
                 QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE 地図 [<!ENTITY big \"BOOM\">]>\n"));
    text.replace(QStringLiteral("<地番>12-1</地番>"), QStringLiteral("<地番>&big;&amp;1</地番>"));
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("&big;&amp;1"));
}

struct AttrCase {
    const char* name;
    const char* parcelNumber;
};

void PrintTo(const AttrCase& c, std::ostream* os)
{
    *os << c.name;
}

class AttributeFileForm : public MapXmlTest, public ::testing::WithParamInterface<AttrCase> {};

// The site's attribute file fills the columns of every parcel whose name,
// without "V1", equals the line's first field.
TEST_P(AttributeFileForm, FillsTheParcelColumns)
{
    QString text = importtest::publicMapText();
    text.replace(QStringLiteral("<地番>12-1</地番>"),
                 QStringLiteral("<地番>%1</地番>").arg(QString::fromUtf8(GetParam().parcelNumber)));
    writeSiteLines(QStringLiteral("画地属性.TXT"), {QStringLiteral("12-1,宅地,所有者")});
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 1), QStringLiteral("12-1"));
    EXPECT_EQ(KakuchiAttr(1, 2), QStringLiteral("宅地"));
    EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("所有者"));
    EXPECT_EQ(KakuchiAttr(2, 1), QString());
}

INSTANTIATE_TEST_SUITE_P(MapXml, AttributeFileForm,
                         ::testing::Values(AttrCase{"plain", "12-1"}, AttrCase{"withV1", "12-1V1"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- maps without a public zone ---------------------------------------------------------

TEST_F(MapXmlTest, ArbitraryMapTakesTheSheetOrderAndSheetNames)
{
    mScript->expectMessage(MsgResult::Yes, kSheetQuestion);
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), importtest::arbitraryMapText())), ReadOutcome::Ok);
    EXPECT_EQ(ZoneNo, 6);
    ASSERT_EQ(KakuchiCount, 3);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("2_A1"));
    EXPECT_EQ(KakuchiName[2], QStringLiteral("1_A1"));
    EXPECT_EQ(KakuchiName[3], QStringLiteral("3_B2"));
    // Parcel 1 now holds the vertices of surface 2 (slots 4..6: points 2, 4, 3).
    EXPECT_EQ(KakuchiFirst[1], 4);
    EXPECT_EQ(KakuchiLast[1], 6);
    EXPECT_EQ(KakuchiVertex[4], 2);
    EXPECT_EQ(KakuchiFirst[3], 7);
    EXPECT_EQ(KakuchiName[4], QString());  // listed by no sheet: dropped
    EXPECT_EQ(KakuchiFirst[4], 0);
    ASSERT_EQ(PointCount, 2);
    EXPECT_EQ(PointName[2], QStringLiteral("B2"));
    EXPECT_EQ(LineNext, 10);  // two frames after the empty entry 1
}

TEST_F(MapXmlTest, ArbitraryMapWithoutSheetNames)
{
    mScript->expectMessage(MsgResult::No, kSheetQuestion);
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), importtest::arbitraryMapText())), ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 3);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("2"));
    EXPECT_EQ(KakuchiName[2], QStringLiteral("1"));
    EXPECT_EQ(KakuchiName[3], QStringLiteral("3"));
}

// Cuts the text from the line holding from up to (not including) the line
// holding to.
QString withoutLines(QString text, const QString& from, const QString& to)
{
    const qsizetype begin = text.lastIndexOf(u'\n', text.indexOf(from)) + 1;
    const qsizetype end = text.lastIndexOf(u'\n', text.indexOf(to)) + 1;
    return text.remove(begin, end - begin);
}

TEST_F(MapXmlTest, ArbitraryMapWithOneSheetAsksNothing)
{
    const QString text = withoutLines(importtest::arbitraryMapText(), QStringLiteral("<地図番号>B2"), QStringLiteral("</地図>"));
    // The second 図郭 lost all but its opening line; close the document.
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("2"));
    EXPECT_EQ(ZoneNo, 6);
}

TEST_F(MapXmlTest, ArbitraryMapWithoutSheetsHasNoParcels)
{
    const QString text = withoutLines(importtest::arbitraryMapText(), QStringLiteral("<図郭>"), QStringLiteral("</地図>"));
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiCount, 0);
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(LineNext, 2);
}

// ---- malformed files ----------------------------------------------------------------------

struct Fault {
    const char* name;
    // Makes the faulty text from the sample's.
    std::function<QString(QString)> spoil;
    // The message expected for the faulty text.
    std::function<QString(const QString&)> message;
};

void PrintTo(const Fault& f, std::ostream* os)
{
    *os << f.name;
}

QString replaced(QString text, const QString& from, const QString& to)
{
    EXPECT_TRUE(text.contains(from)) << from.toStdString();
    return text.replace(text.indexOf(from), from.size(), to);
}

// "map.xmlの<n>行目「<line>」<problem>" with n the line that holds needle.
QString atLine(const QString& text, const QString& needle, const QString& shown, const QString& problem)
{
    return QStringLiteral("map.xmlの%1行目「%2」").arg(lineOf(text, needle)).arg(shown) + problem + kCannotRead;
}

QString atLineNumber(qint64 n, const QString& problem)
{
    return QStringLiteral("map.xmlの%1行目").arg(n) + problem + kCannotRead;
}

const QString kOpen = QStringLiteral("で始まる要素が閉じないままファイルが終わっています（ファイルが途中で切れています）。");

class MalformedMap : public MapXmlTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(MalformedMap, StopsWithAMessageNamingFileAndLine)
{
    const Fault& f = GetParam();
    const QString text = f.spoil(importtest::publicMapText());
    mScript->expectMessage(MsgResult::Ok, f.message(text));
    EXPECT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::StopProgram);
}

INSTANTIATE_TEST_SUITE_P(
    MapXml, MalformedMap,
    ::testing::Values(
        Fault{"missingY",
              [](QString t) { return replaced(t, "<zmn:Y>2010.000</zmn:Y>", "<zmn:Z>2010.000</zmn:Z>"); },
              [](const QString& t) {
                  // The message names the X line, the one before the line that should hold "zmn:Y".
                  return QStringLiteral("map.xmlの%1行目「<zmn:X>-1000.000</zmn:X>」の次の行に「zmn:Y」がありません。")
                             .arg(lineOf(t, "<zmn:Z>2010.000") - 1)
                         + kCannotRead;
              }},
        Fault{"pointWithoutCoordinates",
              [](QString t) { return replaced(t, "<zmn:X>-1000.000</zmn:X>", "<zmn:W>-1000.000</zmn:W>"); },
              [](const QString& t) {
                  return atLineNumber(lineOf(t, "GM_Point id=\"P000000001\""), "の点に座標（zmn:X）がありません。");
              }},
        Fault{"pointBeyondTheTable",
              [](QString t) { return replaced(t, "GM_Point id=\"P000000012\"", "GM_Point id=\"P000500001\""); },
              [](const QString& t) {
                  return atLine(t, "P000500001", "<zmn:GM_Point id=\"P000500001\">", "の番号が範囲外です（1～500000）。");
              }},
        Fault{"pointZero",
              [](QString t) { return replaced(t, "GM_Point id=\"P000000012\"", "GM_Point id=\"P000000000\""); },
              [](const QString& t) {
                  return atLine(t, "P000000000", "<zmn:GM_Point id=\"P000000000\">", "の番号が範囲外です（1～500000）。");
              }},
        Fault{"curveBeyondItsTable",
              [](QString t) { return replaced(t, "GM_Curve id=\"C000000011\"", "GM_Curve id=\"C002000001\""); },
              [](const QString& t) {
                  return atLine(t, "C002000001", "<zmn:GM_Curve id=\"C002000001\">", "の番号が範囲外です（0～2000000）。");
              }},
        Fault{"curvePointBeyondTheTable",
              [](QString t) { return replaced(t, "point idref=\"P000000012\"", "point idref=\"P000900000\""); },
              [](const QString& t) {
                  return atLine(t, "P000900000", "<zmn:GM_PointRef.point idref=\"P000900000\"/>", "の番号が範囲外です（1～500000）。");
              }},
        Fault{"surfaceNamesAnUnknownCurve",
              [](QString t) { return replaced(t, "generator idref=\"C000000011\"", "generator idref=\"C000000099\""); },
              [](const QString& t) {
                  return atLineNumber(lineOf(t, "C000000099"), "の面が、点で定まっていない曲線（番号 99）を参照しています。");
              }},
        Fault{"surfaceNamesACurveOfDirectPositions",
              [](QString t) { return replaced(t, "generator idref=\"C000000011\"", "generator idref=\"C000000009\""); },
              [](const QString& t) {
                  return atLineNumber(lineOf(t, "generator idref=\"C000000009\""),
                                      "の面が、点で定まっていない曲線（番号 9）を参照しています。");
              }},
        Fault{"vertexWithoutCoordinates",
              [](QString t) { return replaced(t, "GM_Point id=\"P000000012\"", "GM_Point id=\"P000000013\""); },
              [](const QString& t) {
                  return atLineNumber(lineOf(t, "generator idref=\"C000000010\""), "の面の頂点（点番号 12）に座標がありません。");
              }},
        Fault{"surfaceBeyondTheParcelTable",
              [](QString t) { return replaced(t, "GM_Surface id=\"F000000002\"", "GM_Surface id=\"F000050001\""); },
              [](const QString& t) {
                  return atLine(t, "F000050001", "<zmn:GM_Surface id=\"F000050001\">", "の番号が範囲外です（1～50000）。");
              }},
        Fault{"parcelBeyondTheTable",
              [](QString t) { return replaced(t, "<筆 id=\"H000000002\">", "<筆 id=\"H000050001\">"); },
              [](const QString& t) {
                  return atLine(t, "H000050001", "<筆 id=\"H000050001\">", "の番号が範囲外です（1～50000）。");
              }},
        Fault{"nameOfAPointBeyondTheTable",
              [](QString t) { return replaced(t, "<形状 idref=\"P000000005\"/>", "<形状 idref=\"P000500001\"/>"); },
              [](const QString& t) {
                  return atLine(t, "P000500001", "<形状 idref=\"P000500001\"/>", "の番号が範囲外です（1～500000）。");
              }},
        Fault{"ringNotClosedBeforeTheNextSurface",
              [](QString t) {
                  t = replaced(t, "</zmn:GM_Ring>", "<!-- -->");
                  return replaced(t, "</zmn:GM_Ring>", "<!-- -->");
              },
              [](const QString& t) {
                  return atLineNumber(lineOf(t, "GM_Surface id=\"F000000001\""), "の面の外周（GM_Ring）が閉じていません。");
              }},
        Fault{"endsInsideAParcel",
              [](QString t) { return t.first(t.indexOf("<地番>12-1</地番>")); },
              [](const QString& t) { return atLineNumber(lineOf(t, "<筆 id=\"H000000001\">"), kOpen); }},
        Fault{"endsInsideACurveOfDirectPositions",
              [](QString t) { return t.first(t.indexOf("<zmn:Y>2020.750</zmn:Y>")); },
              [](const QString& t) { return atLineNumber(lineOf(t, "GM_Curve id=\"C000000009\""), kOpen); }},
        Fault{"endsInsideAMapSheetCorner",
              [](QString t) { return t.first(t.indexOf("<zmn:Y>2030.000</zmn:Y>")); },
              [](const QString& t) { return atLineNumber(lineOf(t, "<右下座標>"), kOpen); }},
        Fault{"endsBetweenElements",
              [](QString t) { return t.first(t.indexOf("\t<図郭>")); },
              [](const QString& t) {
                  return atLineNumber(lineCount(t),
                                      "でファイルが終わっていますが「</地図>」がありません（ファイルが途中で切れています）。");
              }},
        Fault{"noZoneLine",
              [](QString t) { return replaced(t, "<座標系>公共座標9系</座標系>", "<座標>公共座標9系</座標>"); },
              [](const QString&) {
                  return QStringLiteral("map.xmlに「<座標系>」の行がありません。") + kCannotRead;
              }},
        Fault{"zoneNoByte",
              [](QString t) { return replaced(t, "<座標系>公共座標9系</座標系>", "<座標系>公共座標-1系</座標系>"); },
              [](const QString& t) {
                  return atLine(t, "<座標系>", "<座標系>公共座標-1系</座標系>", "の座標系の番号が範囲外です。");
              }}),
    [](const auto& info) { return std::string(info.param.name); });

// A map whose reading fails part-way stops with a message naming it instead
// of being taken for a file that ends early; one that cannot be opened is
// Missing without a word (start-up says so itself).
TEST_F(MapXmlTest, AFileThatCannotBeReadWholeIsNoMap)
{
    const QString text = importtest::publicMapText();
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"map.xml", text.toUtf8()},
        {"map.TXT", platform::toCp932(text)},
    };
    for (const auto& row : rows) {
        const QString name = QString::fromLatin1(row.name);
        const QString path = sitePath(name);
        ASSERT_TRUE(importtest::writeBytes(path, row.bytes));
        {
            SCOPED_TRACE(name.toStdString() + ", breaks off");
            resetKeepingFolders();
            const BrokenFile broken(path, row.bytes.size() / 2);
            mScript->expectMessage(MsgResult::Ok, readErrorMessage(name));
            EXPECT_EQ(read(path), ReadOutcome::StopProgram);
        }
        {
            SCOPED_TRACE(name.toStdString() + ", cannot be opened");
            resetKeepingFolders();
            const BrokenFile broken(path, std::nullopt);
            EXPECT_EQ(read(path), ReadOutcome::Missing);
            EXPECT_EQ(ZahyoMax, 0);
        }
    }
}

TEST_F(MapXmlTest, AnAttributeFileThatBreaksOffStopsTheImport)
{
    writeSiteLines(QStringLiteral("画地属性.TXT"), {QStringLiteral("12-1,宅地,所有者"), QStringLiteral("4,畑,所有者")});
    const BrokenFile broken(sitePath(QStringLiteral("画地属性.TXT")), 20);
    mScript->expectMessage(MsgResult::Ok, readErrorMessage(QStringLiteral("画地属性.TXT")));
    EXPECT_EQ(read(writeUtf8(QStringLiteral("map.xml"), importtest::publicMapText())), ReadOutcome::StopProgram);
}

// A map saved in UTF-8 but named ".TXT" is whole: the reader says that it is
// not Shift-JIS text instead of calling it cut short, and reads nothing.
TEST_F(MapXmlTest, AUtf8FileNamedTxtIsToldApart)
{
    const QString message = QStringLiteral("map.TXTはShift-JISで保存されていません（UTF-8のようです）。"
                                           "名前の最後を「.xml」にして呼び出してください。")
                            + kCannotRead;
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"plain", importtest::publicMapText().toUtf8()},
        {"byte order mark", "\xEF\xBB\xBF" + importtest::publicMapText().toUtf8()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        resetKeepingFolders();
        const QString path = sitePath(QStringLiteral("map.TXT"));
        ASSERT_TRUE(importtest::writeBytes(path, row.bytes));
        mScript->expectMessage(MsgResult::Ok, message);
        EXPECT_EQ(read(path), ReadOutcome::StopProgram);
        EXPECT_EQ(ZahyoMax, 0);
    }
}

TEST_F(MapXmlTest, AFullLineTableIsRefused)
{
    LineNext = kLineTop - 1;  // the direct curve takes the last entry; the first boundary finds none
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("map.xmlで線の件数が上限の500000を超えました。") + kCannotRead);
    EXPECT_EQ(read(writeUtf8(QStringLiteral("map.xml"), importtest::publicMapText())), ReadOutcome::StopProgram);
    EXPECT_EQ(LineNext, kLineTop);
    EXPECT_EQ(LineColor[kLineTop], 7);
}

// A boundary line whose curve is given by direct positions has no point
// references: it adds no line (the curve itself is drawn already).
TEST_F(MapXmlTest, BoundaryOfADirectCurveAddsNoLine)
{
    const QString text = replaced(importtest::publicMapText(), "<形状 idref=\"C000000002\"/>", "<形状 idref=\"C000000009\"/>");
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    expectLine(4, {-1010, 2010, -1010, 2000, 13});
    EXPECT_EQ(LineNext, 9);
}

// A parcel number that no surface describes holds no vertex, rather than one
// naming coordinate 0 (the scratch number) that a saved coordinate file
// would carry as a missing vertex. Here parcel 2 of the sample is numbered 3:
// parcel 3 has no surface, and surface 2 keeps its vertices under a parcel
// without a name.
TEST_F(MapXmlTest, AParcelNumberWithoutASurfaceHoldsNoVertex)
{
    const QString text = replaced(importtest::publicMapText(), "<筆 id=\"H000000002\">", "<筆 id=\"H000000003\">");
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 3);
    EXPECT_EQ(KakuchiName[3], QStringLiteral("4(5)(6)"));
    EXPECT_EQ(KakuchiLast[3], KakuchiFirst[3] - 1);
    EXPECT_EQ(KakuchiName[2], QString());
    EXPECT_EQ(KakuchiFirst[2], 5);
    EXPECT_EQ(KakuchiLast[2], 7);
    EXPECT_EQ(KakuchiFirst[1], 1);
    EXPECT_EQ(KakuchiLast[1], 4);
}

// A line that holds the bytes of "zmn:X" only across a character boundary
// of CP932 (ホ is 83 7A, so "ホmn:X" holds 7A "mn:X") is no X line.
TEST_F(MapXmlTest, Cp932MatchesCountOnlyAtCharacterStarts)
{
    QString text = withLineEnds(importtest::publicMapText(), "\r\n");
    text.replace(QStringLiteral("<zmn:X>-1000.000</zmn:X>"), QStringLiteral("<ホmn:X>-1.0</ホmn:X>\r\n<zmn:X>-1000.000</zmn:X>"));
    ASSERT_EQ(read(writeCp932(QStringLiteral("map.TXT"), text)), ReadOutcome::Ok);
    importtest::expectPublicMap();
}

}  // namespace
}  // namespace tavelcor
