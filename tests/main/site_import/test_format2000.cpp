// SPDX-License-Identifier: LicenseRef-Tavelcor
// The format-2000 import: every file of a set, the area check with its
// questions, the frames, the bounds of the tables and the messages.
#include "import_fixture.h"

#include "broken_file.h"

#include "main/site/format2000.h"
#include "main/site/site_messages.h"
#include "main/site/tables.h"
#include "main/survey/parcel_geometry.h"
#include "platform/system/files.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

namespace tavelcor {
namespace {

using importtest::expectLine;
using importtest::ImportTest;
using importtest::LineExpect;
using platform::MsgResult;

const QString kRuleQuestion = QStringLiteral("地積切り捨て(R2改正)=「はい(Y)」  四捨五入(改正以前)=いいえ(N)");
const QString kFrameQuestion = QStringLiteral("フォーマット２０００の図郭をラインとポイントに取り込みますか？");

// Areas by parcel for tests that pin the rounding; parcels not listed have none.
ParcelAreaFunction areas(std::map<int, double> byParcel)
{
    return [byParcel](int parcel) -> std::optional<double> {
        const auto it = byParcel.find(parcel);
        if (it == byParcel.end())
            return std::nullopt;
        return it->second;
    };
}

ParcelAreaFunction noAreas()
{
    return areas({});
}

class Format2000Test : public ImportTest {
protected:
    // A set "S" with a header of zone 9 and the given files (extension ->
    // lines); returns the header's path.
    QString writeSet(const std::map<QString, QStringList>& files)
    {
        writeSiteLines(QStringLiteral("S.HED"), {QStringLiteral("2000,試験,9")});
        for (const auto& [ext, lines] : files)
            writeSiteLines(QStringLiteral("S") + ext, lines);
        return sitePath(QStringLiteral("S.HED"));
    }

    // Four points of a 10 m square and a fifth one.
    static QStringList squarePoints()
    {
        return {QStringLiteral("1,100,200,0,0,0,0"), QStringLiteral("2,100,210,0,0,0,0"),
                QStringLiteral("3,90,210,0,0,0,0"), QStringLiteral("4,90,200,0,0,0,0"),
                QStringLiteral("5,95,205,0,0,0,0")};
    }

    ReadOutcome read(QString path, const ParcelAreaFunction& area = noAreas())
    {
        mPath = path;
        return ReadFormat2000(mPath, area);
    }

    QString mPath;  // the argument after the import
};

// ---- the whole set ------------------------------------------------------------------

TEST_F(Format2000Test, BasicSetFillsEveryTable)
{
    copyFixtureFolder(QStringLiteral("f2000_basic"));
    writeSiteLines(QStringLiteral("画地属性.TXT"), {QStringLiteral("old,row")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    mScript->expectMessage(MsgResult::Yes, QStringLiteral("13番地の2000に記録された面積 35.00㎡ 座標計算の面積 51.25㎡\r\n"
                                                          "確認してください\r\n確認を続けますか？"));
    mScript->expectMessage(MsgResult::Yes, QStringLiteral("99番地の属性が見つかりません。属性チェックを続けますか？"));

    ASSERT_EQ(read(sitePath(QStringLiteral("SITE.HED")), survey::menseki), ReadOutcome::Ok);

    EXPECT_EQ(ZoneNo, 9);
    ASSERT_EQ(ZahyoMax, 5);
    const QStringList names = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                               QStringLiteral("T1")};
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(ZahyoName[c], names[c - 1]) << c;
        EXPECT_EQ(ZahyoUsed[c], 1) << c;
        EXPECT_EQ(ZahyoH[c], 0.0) << c;
    }
    EXPECT_DOUBLE_EQ(ZahyoX[5], 120.5);
    EXPECT_DOUBLE_EQ(ZahyoY[5], 220.25);

    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("12-1"));
    EXPECT_EQ(KakuchiInfo[1], QStringLiteral("稲毛"));
    EXPECT_EQ(KakuchiName[2], QStringLiteral("13"));
    EXPECT_EQ(KakuchiInfo[2], QStringLiteral("稲毛字宮"));  // "字字" made one "字"
    EXPECT_EQ(KakuchiFirst[1], 1);
    EXPECT_EQ(KakuchiLast[1], 4);
    EXPECT_EQ(KakuchiFirst[2], 5);
    EXPECT_EQ(KakuchiLast[2], 7);
    const std::vector<int> vertices = {1, 2, 3, 4, 2, 3, 5};
    for (int s = 1; s <= 7; ++s)
        EXPECT_EQ(KakuchiVertex[s], vertices[std::size_t(s - 1)]) << s;

    EXPECT_EQ(KakuchiAttr(1, 1), QStringLiteral("12-1"));
    EXPECT_EQ(KakuchiAttr(1, 2), QStringLiteral("宅地"));
    EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("所有者A 外2名"));  // two .COS lines, one suffix
    EXPECT_EQ(KakuchiAttr(1, 4), QStringLiteral("備考A"));
    EXPECT_EQ(KakuchiAttr(1, 5), QStringLiteral("稲毛"));
    EXPECT_EQ(KakuchiAttr(1, 6), QString());
    EXPECT_EQ(KakuchiAttr(1, 7), QStringLiteral("100.00㎡"));
    EXPECT_EQ(KakuchiAttr(2, 2), QStringLiteral("山林"));
    EXPECT_EQ(KakuchiAttr(2, 6), QStringLiteral("字宮"));

    // Kinds 2, 3, 4 and the closing 4 of parcel 1; the closing kind 7 of
    // parcel 2 (colour index 0); the .LIN polyline 1-2-3.
    expectLine(1, {100, 200, 100, 210, 10});
    expectLine(2, {100, 210, 90, 210, 11});
    expectLine(3, {90, 210, 90, 200, 13});
    expectLine(4, {90, 200, 100, 200, 13});
    expectLine(5, {120.5, 220.25, 100, 210, 0});
    expectLine(6, {100, 200, 100, 210, 5});
    expectLine(7, {100, 210, 90, 210, 5});
    EXPECT_EQ(LineNext, 8);
    EXPECT_EQ(LineImported, 8);
    EXPECT_EQ(mPath, sitePath(QStringLiteral("SITE.HED")));
    EXPECT_FALSE(platform::fileExists(sitePath(QStringLiteral("画地属性.TXT"))));
}

// Every file of a set that is there but cannot be read whole stops the
// import with a message naming it: a companion whose reading fails part-way
// (here at its middle) or that cannot be opened. A parcel the failure cuts
// is told as a read error, not as a file that ends inside the parcel.
TEST_F(Format2000Test, AFileThatCannotBeReadWholeStopsTheImport)
{
    const QString notFound = QStringLiteral("99番地の属性が見つかりません。属性チェックを続けますか？");
    const struct {
        const char* file;
        QStringList questions;  // answered Yes before the file is read
    } rows[] = {
        {"SITE.PNT", {}},
        {"SITE.TCP", {}},
        {"SITE.POL", {}},
        {"SITE.ATR", {kRuleQuestion}},
        {"SITE.LIN", {kRuleQuestion, notFound}},
        {"SITE.COS", {kRuleQuestion, notFound}},
    };
    for (const auto& row : rows) {
        for (const bool opens : {true, false}) {
            const QString file = QString::fromLatin1(row.file);
            SCOPED_TRACE(file.toStdString() + (opens ? ", breaks off" : ", cannot be opened"));
            resetKeepingFolders();
            copyFixtureFolder(QStringLiteral("f2000_basic"));
            const qint64 size = QFileInfo(sitePath(file)).size();
            const BrokenFile broken(sitePath(file), opens ? std::optional<qint64>(size / 2) : std::nullopt);
            for (const QString& question : row.questions)
                mScript->expectMessage(MsgResult::Yes, question);
            mScript->expectMessage(MsgResult::Ok, opens ? readErrorMessage(file) : cannotOpenMessage(file));
            EXPECT_EQ(read(sitePath(QStringLiteral("SITE.HED"))), ReadOutcome::StopProgram);
            EXPECT_EQ(broken.opens(), 1);
        }
    }
}

// A read that fails among the vertices of a parcel is a read error, not a
// file that ends inside the parcel.
TEST_F(Format2000Test, AParcelCutByAReadErrorIsNoCutShortFile)
{
    copyFixtureFolder(QStringLiteral("f2000_basic"));
    const BrokenFile broken(sitePath(QStringLiteral("SITE.POL")), 27);  // inside the vertices of 12-1
    mScript->expectMessage(MsgResult::Ok, readErrorMessage(QStringLiteral("SITE.POL")));
    EXPECT_EQ(read(sitePath(QStringLiteral("SITE.HED"))), ReadOutcome::StopProgram);
}

// The header is one line: a read that fails in it is no header.
TEST_F(Format2000Test, AHeaderThatBreaksOffStopsTheImport)
{
    copyFixtureFolder(QStringLiteral("f2000_basic"));
    const BrokenFile broken(sitePath(QStringLiteral("SITE.HED")), 10);
    mScript->expectMessage(MsgResult::Ok, readErrorMessage(QStringLiteral("SITE.HED")));
    EXPECT_EQ(read(sitePath(QStringLiteral("SITE.HED"))), ReadOutcome::StopProgram);
    EXPECT_EQ(ZahyoMax, 0);
}

TEST_F(Format2000Test, MissingPointFileClearsThePathAndKeepsTheTables)
{
    const QString hed = writeSet({{QStringLiteral(".POL"), {QStringLiteral("1,1,a,,1,2"), QStringLiteral("1,2")}}});
    ZahyoMax = 3;
    ASSERT_EQ(read(hed), ReadOutcome::Missing);
    EXPECT_TRUE(mPath.isEmpty());
    EXPECT_EQ(ZoneNo, 9);
    EXPECT_EQ(ZahyoMax, 3);
    EXPECT_EQ(KakuchiCount, 0);
    EXPECT_EQ(LineImported, 0);
}

TEST_F(Format2000Test, CompanionsAreFoundWithoutRegardToCase)
{
    writeSiteLines(QStringLiteral("s.hed"), {QStringLiteral("x,x,4")});
    writeSiteLines(QStringLiteral("S.pnt"), {QStringLiteral("A,1,2,0,0,0,0")});
    writeSiteLines(QStringLiteral("s.TCP"), {QStringLiteral("B,3,4,0,0,0,0")});
    ASSERT_EQ(read(sitePath(QStringLiteral("s.hed"))), ReadOutcome::Ok);
    EXPECT_EQ(ZoneNo, 4);
    ASSERT_EQ(ZahyoMax, 2);
    EXPECT_EQ(ZahyoName[2], QStringLiteral("B"));
}

TEST_F(Format2000Test, NoParcelOrLineFilesStillSetLineImported)
{
    LineNext = 4;  // left by nothing in a real start, but the import must not reset it
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(LineNext, 4);
    EXPECT_EQ(LineImported, 4);
    EXPECT_EQ(KakuchiCount, 0);
}

// ---- points ---------------------------------------------------------------------------

TEST_F(Format2000Test, PointNamesAreTrimmedThenNarrowed)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"),
                                   {QStringLiteral("  ＡＢ１ ,1.5m,-2,0,0,0,0"), QStringLiteral("ｶﾞ,x,,0,0,0,0")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("AB1"));
    EXPECT_DOUBLE_EQ(ZahyoX[1], 1.5);  // the leading number
    EXPECT_DOUBLE_EQ(ZahyoY[1], -2.0);
    EXPECT_EQ(ZahyoName[2], QStringLiteral("ｶﾞ"));
    EXPECT_EQ(ZahyoX[2], 0.0);
}

struct ShortPointCase {
    const char* name;
    const char* ext;
    const char* message;
};

void PrintTo(const ShortPointCase& c, std::ostream* os)
{
    *os << c.name;
}

class ShortPointLine : public Format2000Test, public ::testing::WithParamInterface<ShortPointCase> {};

TEST_P(ShortPointLine, StopsWithItsMessage)
{
    const ShortPointCase& c = GetParam();
    std::map<QString, QStringList> files = {{QStringLiteral(".PNT"), squarePoints()}};
    files[QString::fromLatin1(c.ext)].append(QStringLiteral("6,1,2,0,0,0"));  // six fields
    const QString hed = writeSet(files);
    mScript->expectMessage(MsgResult::Ok, QString::fromLatin1(c.message));
    EXPECT_EQ(read(hed), ReadOutcome::StopProgram);
}

INSTANTIATE_TEST_SUITE_P(Format2000, ShortPointLine,
                         ::testing::Values(ShortPointCase{"pnt", ".PNT", "PNT Data False"},
                                           ShortPointCase{"tcp", ".TCP", "TCP Data False"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Format2000Test, AnEmptyPointLineIsAShortLine)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"), {QStringLiteral("1,0,0,0,0,0,0"), QString()}}});
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("PNT Data False"));
    EXPECT_EQ(read(hed), ReadOutcome::StopProgram);
}

TEST_F(Format2000Test, HeaderWithoutZoneFieldStops)
{
    writeSiteLines(QStringLiteral("S.HED"), {QStringLiteral("2000,試験")});
    writeSiteLines(QStringLiteral("S.PNT"), squarePoints());
    mScript->expectMessage(MsgResult::Ok, missingCommaMessage(QStringLiteral("S.HED"), u"2000,試験"));
    EXPECT_EQ(read(sitePath(QStringLiteral("S.HED"))), ReadOutcome::StopProgram);
    EXPECT_EQ(ZahyoMax, 0);
}

TEST_F(Format2000Test, ZoneOutsideAByteStops)
{
    writeSiteLines(QStringLiteral("S.HED"), {QStringLiteral("a,b,256")});
    mScript->expectMessage(MsgResult::Ok, outOfRangeMessage(QStringLiteral("S.HED"), u"a,b,256"));
    EXPECT_EQ(read(sitePath(QStringLiteral("S.HED"))), ReadOutcome::StopProgram);
    EXPECT_EQ(ZoneNo, 6);
}

TEST_F(Format2000Test, ThePointTableTakes500000PointsAndRefusesOneMore)
{
    QByteArray pnt;
    pnt.reserve(500001 * 16);
    for (int i = 1; i <= 500001; ++i)
        pnt += "P" + QByteArray::number(i) + ",1,2,,,,\r\n";
    writeSiteLines(QStringLiteral("S.HED"), {QStringLiteral("a,b,9")});
    writeSiteBytes(QStringLiteral("S.PNT"), pnt);
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(QStringLiteral("S.PNT"), u"P500001,1,2,,,,", kZahyoTop));
    EXPECT_EQ(read(sitePath(QStringLiteral("S.HED"))), ReadOutcome::StopProgram);
    EXPECT_EQ(ZahyoMax, kZahyoTop);
    EXPECT_EQ(ZahyoName[kZahyoTop], QStringLiteral("P500000"));
}

// ---- parcels -------------------------------------------------------------------------

struct KindCase {
    int kind;
    int color;  // -1: no segment
};

void PrintTo(const KindCase& c, std::ostream* os)
{
    *os << "kind " << c.kind;
}

class BoundaryKind : public Format2000Test, public ::testing::WithParamInterface<KindCase> {};

// One vertex line of kind k before a vertex of kind 0: the segment between
// them carries the colour of kind k; the closing segment is made by the
// last vertex's kind 0, so there is none.
TEST_P(BoundaryKind, ColoursTheSegmentToTheNextVertex)
{
    const KindCase& c = GetParam();
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()},
                                  {QStringLiteral(".POL"),
                                   {QStringLiteral("1,1,a,,1,3"), QStringLiteral("1,%1").arg(c.kind),
                                    QStringLiteral("2,0")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    if (c.color < 0) {
        EXPECT_EQ(LineNext, 1);
        return;
    }
    ASSERT_EQ(LineNext, 2);
    expectLine(1, {100, 200, 100, 210, c.color});
}

INSTANTIATE_TEST_SUITE_P(Format2000, BoundaryKind,
                         ::testing::Values(KindCase{0, -1}, KindCase{1, -1}, KindCase{2, 10}, KindCase{3, 11},
                                           KindCase{4, 13}, KindCase{5, 14}, KindCase{6, 7}, KindCase{7, 0},
                                           KindCase{255, 0}),
                         [](const auto& info) { return "kind" + std::to_string(info.param.kind); });

TEST_F(Format2000Test, LastVertexOfKind4ClosesWithColour13)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()},
                                  {QStringLiteral(".POL"),
                                   {QStringLiteral("1,1,a,,1,4"), QStringLiteral("1,0"), QStringLiteral("2,1"),
                                    QStringLiteral("3,4")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    ASSERT_EQ(LineNext, 2);
    expectLine(1, {90, 210, 100, 200, 13});
}

TEST_F(Format2000Test, AHeaderOfFiveVerticesReadsFourAndSkipsASurplusLine)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()},
                                  {QStringLiteral(".POL"),
                                   {QStringLiteral("1,1,a,,1,5"), QStringLiteral("1,0"), QStringLiteral("2,0"),
                                    QStringLiteral("3,0"), QStringLiteral("4,0"), QStringLiteral("5,0"),
                                    QStringLiteral("x,y,z"), QStringLiteral("2,1,a,,2,2"), QStringLiteral("5,0")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiLast[1], 4);
    EXPECT_EQ(KakuchiFirst[2], 5);
    EXPECT_EQ(KakuchiLast[2], 5);
    EXPECT_EQ(KakuchiVertex[5], 5);
    EXPECT_EQ(ZahyoUsed[5], 1);
}

TEST_F(Format2000Test, FullWidthNamesMatchTheirHalfWidthForm)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"), {QStringLiteral("１２,1,2,0,0,0,0")}},
                                  {QStringLiteral(".POL"), {QStringLiteral("1,1,a,,1,2"), QStringLiteral(" 12 ,0")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiVertex[1], 1);
}

// Coordinates named "A" at 1 and 300 among 500: a vertex search resumes 100
// numbers before the last match and wraps round once, so which "A" is found
// depends on where the previous vertex was.
struct VertexSearchCase {
    const char* name;
    QStringList pol;
    std::vector<int> vertices;  // the coordinates in vertex slots 1, 2, ...
};

void PrintTo(const VertexSearchCase& c, std::ostream* os)
{
    *os << c.name;
}

class VertexSearch : public Format2000Test, public ::testing::WithParamInterface<VertexSearchCase> {};

TEST_P(VertexSearch, FindsTheNameFromWhereTheLastOneWas)
{
    const VertexSearchCase& c = GetParam();
    QStringList pnt;
    for (int i = 1; i <= 500; ++i) {
        const QString name = (i == 1 || i == 300) ? QStringLiteral("A") : QStringLiteral("N%1").arg(i);
        pnt.append(name + QStringLiteral(",%1,0,0,0,0,0").arg(i));
    }
    const QString hed = writeSet({{QStringLiteral(".PNT"), pnt}, {QStringLiteral(".POL"), c.pol}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    for (std::size_t s = 0; s < c.vertices.size(); ++s)
        EXPECT_EQ(KakuchiVertex[static_cast<int>(s) + 1], c.vertices[s]) << "slot " << s + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Format2000, VertexSearch,
    ::testing::Values(
        VertexSearchCase{"resumesBeforeTheLastMatchAndWraps",
                         {"1,1,a,,1,6", "A,0",  // start 1: finds 1
                          "N250,0", "A,0",      // from 150: 300
                          "N390,0", "A,0"},     // from 290: 300
                         {1, 250, 300, 390, 300}},
        VertexSearchCase{"wrapsToTheLowestNumber", {"1,1,a,,1,3", "N500,0", "A,0"}, {500, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Format2000Test, InfoWithoutSubDistrictIsTheDistrictTrimmed)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()},
                                  {QStringLiteral(".POL"),
                                   {QStringLiteral("1,1, 稲毛 ,  ,1,2"), QStringLiteral("1,0"),
                                    QStringLiteral("1,1,大字,字小,2,2"), QStringLiteral("2,0")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiInfo[1], QStringLiteral("稲毛"));
    EXPECT_EQ(KakuchiAttr(1, 5), QStringLiteral(" 稲毛 "));  // as read
    EXPECT_EQ(KakuchiAttr(1, 6), QStringLiteral("  "));
    EXPECT_EQ(KakuchiInfo[2], QStringLiteral("大字字小"));
}

// A malformed companion file (".POL" or ".LIN") beside a good point file.
struct CompanionFault {
    const char* name;
    QString ext;
    QStringList lines;
    QString message;
};

void PrintTo(const CompanionFault& c, std::ostream* os)
{
    *os << c.name;
}

class CompanionMalformed : public Format2000Test, public ::testing::WithParamInterface<CompanionFault> {};

TEST_P(CompanionMalformed, StopsWithAMessage)
{
    const CompanionFault& c = GetParam();
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()}, {c.ext, c.lines}});
    mScript->expectMessage(MsgResult::Ok, c.message);
    EXPECT_EQ(read(hed), ReadOutcome::StopProgram);
}

const QString kPol = QStringLiteral("S.POL");

INSTANTIATE_TEST_SUITE_P(
    Format2000Pol, CompanionMalformed,
    ::testing::Values(
        CompanionFault{"vertexWithThreeFields", ".POL", {"1,1,a,,1,3", "1,0", "2,0,9"}, "POL Data False"},
        CompanionFault{"vertexWithOneField", ".POL", {"1,1,a,,1,3", "1"}, "POL Data False"},
        CompanionFault{"unknownVertex", ".POL", {"1,1,a,,1,3", "1,0", "Z,0"}, "POL Data False"},
        CompanionFault{"headerOfFiveFields", ".POL", {"1,1,a,,1", "1,0"}, missingCommaMessage(kPol, u"1,1,a,,1")},
        CompanionFault{"countNotANumber", ".POL", {"1,1,a,,1,3x", "1,0"},
                       "S.POLの「1,1,a,,1,3x」行データの個数が数値ではありません。エディタで直接修正してください。"},
        CompanionFault{"countBelowTwo", ".POL", {"1,1,a,,1,1", "1,0"}, outOfRangeMessage(kPol, u"1,1,a,,1,1")},
        CompanionFault{"kindBeyondAByte", ".POL", {"1,1,a,,1,3", "1,256", "2,0"}, outOfRangeMessage(kPol, u"1,256")},
        CompanionFault{"endsInsideTheVertices", ".POL", {"1,1,a,,1,4", "1,0", "2,0"},
                       "S.POLの「2,0」行データの後でファイルが途切れています。エディタで直接修正してください。"},
        CompanionFault{"tooManyVertexSlots", ".POL", {"1,1,a,,1,600002"},
                       tableFullMessage(kPol, u"1,1,a,,1,600002", kKakuchiVertexTop)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Format2000Test, The32768thParcelIsRefused)
{
    QStringList pol;
    for (int p = 1; p <= 32768; ++p)
        pol << QStringLiteral("1,1,a,,%1,2").arg(p) << QStringLiteral("1,0");
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()}, {QStringLiteral(".POL"), pol}});
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(kPol, u"1,1,a,,32768,2", kKakuchiCountLimit));
    EXPECT_EQ(read(hed), ReadOutcome::StopProgram);
    EXPECT_EQ(KakuchiCount, kKakuchiCountLimit);
}

TEST_F(Format2000Test, AFullLineTableIsRefusedWithoutWritingPastIt)
{
    LineNext = kLineTop;  // room for one more line
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()},
                                  {QStringLiteral(".POL"),
                                   {QStringLiteral("1,1,a,,1,4"), QStringLiteral("1,2"), QStringLiteral("2,2"),
                                    QStringLiteral("3,0")}}});
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(kPol, u"3,0", kLineTop));
    EXPECT_EQ(read(hed), ReadOutcome::StopProgram);
    EXPECT_EQ(LineNext, kLineTop + 1);
    expectLine(kLineTop, {100, 200, 100, 210, 10});
}

// ---- attributes and the area check ------------------------------------------------------

class AttributeTest : public Format2000Test {
protected:
    // Parcel "1" (district a, no sub-district) is the square 1-2-3-4.
    QString writeWithAtr(const QStringList& atr, const QStringList& cos = {})
    {
        std::map<QString, QStringList> files = {
            {QStringLiteral(".PNT"), squarePoints()},
            {QStringLiteral(".POL"),
             {QStringLiteral("1,1,a,,1,5"), QStringLiteral("1,0"), QStringLiteral("2,0"), QStringLiteral("3,0"),
              QStringLiteral("4,0"), QStringLiteral("1,1,a,b,1,2"), QStringLiteral("5,0")}},
            {QStringLiteral(".ATR"), atr}};
        if (!cos.isEmpty())
            files[QStringLiteral(".COS")] = cos;
        return writeSet(files);
    }

    // An .ATR line for parcel name with basis flag f, category code, area.
    static QString atr(const QString& name, const QString& f, const QString& code, const QString& area,
                       const QString& sub = QString())
    {
        return QStringLiteral("x,x,a,%1,%2,x,x,%3,x,x,%4,%5,x,x,T3,x,T4").arg(sub, name, f, code, area);
    }
};

TEST_F(AttributeTest, TheMatchNeedsNameDistrictAndSubDistrict)
{
    const QString hed = writeWithAtr({atr(QStringLiteral("1"), "0", "0", "10", QStringLiteral("b")),
                                      atr(QStringLiteral("１"), "0", "0", "20")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(2, 7), QStringLiteral("10㎡"));  // sub-district b: the second parcel named 1
    EXPECT_EQ(KakuchiAttr(1, 7), QStringLiteral("20㎡"));
    EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("T3"));
    EXPECT_EQ(KakuchiAttr(1, 4), QStringLiteral("T4"));
    EXPECT_EQ(KakuchiAttr(1, 2), QString());  // code 0: the empty category
}

TEST_F(AttributeTest, ShortLinesAreSkipped)
{
    const QString hed = writeWithAtr({QStringLiteral("x,x,a,,1,x,x,0,x,x,3,10,x,x,T3,x")});  // 16 fields
    mScript->expectMessage(MsgResult::No, kRuleQuestion);
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 7), QString());
}

struct AreaCase {
    const char* name;
    bool truncation;
    const char* flag;
    const char* code;
    double area;
    const char* registered;
    const char* shownArea;  // nullptr: no message
};

void PrintTo(const AreaCase& c, std::ostream* os)
{
    *os << c.name;
}

class AreaCheck : public AttributeTest, public ::testing::WithParamInterface<AreaCase> {};

TEST_P(AreaCheck, AsksOnlyWhenTheRoundedAreaDiffers)
{
    const AreaCase& c = GetParam();
    const QString hed = writeWithAtr({atr(QStringLiteral("1"), c.flag, c.code, c.registered)});
    mScript->expectMessage(c.truncation ? MsgResult::Yes : MsgResult::No, kRuleQuestion);
    if (c.shownArea != nullptr) {
        mScript->expectMessage(MsgResult::Yes, QStringLiteral("1番地の2000に記録された面積 %1㎡ 座標計算の面積 %2㎡\r\n"
                                                              "確認してください\r\n確認を続けますか？")
                                                   .arg(QString::fromLatin1(c.registered), QString::fromLatin1(c.shownArea)));
    }
    ASSERT_EQ(read(hed, areas({{1, c.area}})), ReadOutcome::Ok);
    if (c.shownArea != nullptr) {
        EXPECT_TRUE(MsgText.endsWith(QStringLiteral("確認してください\r\n")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Format2000, AreaCheck,
    ::testing::Values(
        // Flag "1", truncation: whole m² from 10 m² on except 宅地 and 鉱泉地.
        AreaCase{"forestWhole", true, "1", "7", 120.9876543, "120", nullptr},
        AreaCase{"housingTwoDecimals", true, "1", "3", 120.9876543, "120", "120.98"},
        AreaCase{"housingMatches", true, "1", "3", 120.9876543, "120.98", nullptr},
        AreaCase{"mineralSpringTwoDecimals", true, "1", "5", 120.9876543, "120.98", nullptr},
        AreaCase{"belowTenTwoDecimals", true, "1", "7", 9.876, "9.87", nullptr},
        // Flag "1", rounding: first to three decimals.
        AreaCase{"roundingWhole", false, "1", "7", 99.9994, "99", nullptr},
        AreaCase{"roundingHousing", false, "1", "3", 99.9994, "99.99", nullptr},
        AreaCase{"roundingUpToThreeDecimals", false, "1", "3", 99.9996, "99.99", "100"},
        // Other flags: two decimals, cut after a tiny bias.
        AreaCase{"truncationCuts", true, "0", "1", 50.4999, "50.49", nullptr},
        AreaCase{"truncationBias", true, "0", "1", 50.4599999999, "50.46", nullptr},
        AreaCase{"roundingBias", false, "2", "1", 50.459995, "50.46", nullptr},
        AreaCase{"truncationWithoutThatBias", true, "2", "1", 50.459995, "50.46", "50.45"},
        AreaCase{"differs", true, "0", "2", 50.5, "50.4", "50.5"},
        // Codes 0 and 24 and above are not checked.
        AreaCase{"codeZero", true, "0", "0", 50.5, "1", nullptr},
        AreaCase{"code24", true, "0", "24", 50.5, "1", nullptr},
        AreaCase{"code81", true, "0", "81", 50.5, "1", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AttributeTest, NoAtTheAreaCheckStopsItForTheFile)
{
    const QString hed = writeWithAtr({atr(QStringLiteral("1"), "0", "1", "1"), atr(QStringLiteral("1"), "0", "1", "2")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    mScript->expectMessage(MsgResult::No);
    ASSERT_EQ(read(hed, areas({{1, 100.0}})), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 7), QStringLiteral("2㎡"));  // the second line still fills the columns
}

TEST_F(AttributeTest, TheRealAreaOfTheSquareMatches)
{
    const QString hed = writeWithAtr({atr(QStringLiteral("1"), "0", "3", "100.00")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    ASSERT_EQ(read(hed, survey::menseki), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 2), QStringLiteral("宅地"));
}

TEST_F(AttributeTest, UnknownParcelsAskUntilNo)
{
    const QString hed = writeWithAtr({atr(QStringLiteral("7"), "0", "1", "1"), atr(QStringLiteral("8"), "2", "1", "1"),
                                      atr(QStringLiteral("9"), "1", "1", "1"), atr(QStringLiteral("10"), "0", "1", "1")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    mScript->expectMessage(MsgResult::Yes, QStringLiteral("7番地の属性が見つかりません。属性チェックを続けますか？"));
    // "8" has flag 2: no question.
    mScript->expectMessage(MsgResult::No, QStringLiteral("9番地の属性が見つかりません。属性チェックを続けますか？"));
    EXPECT_EQ(read(hed), ReadOutcome::Ok);
}

TEST_F(AttributeTest, PersonSuffixIsAddedOnce)
{
    const QString hed = writeWithAtr({atr(QStringLiteral("1"), "0", "0", "1")},
                                     {QStringLiteral("1,x,a,,1,1"), QStringLiteral("1,x,a,,1,1"),
                                      QStringLiteral(",x,a,,1,5"), QStringLiteral("1,x,a,,1")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("T3 外0名"));
}

TEST_F(AttributeTest, PersonCountThatIsNoNumberStops)
{
    const QString hed = writeWithAtr({atr(QStringLiteral("1"), "0", "0", "1")}, {QStringLiteral("1,x,a,,1,2人")});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    mScript->expectMessage(MsgResult::Ok,
                           QStringLiteral("S.COSの「1,x,a,,1,2人」行データの個数が数値ではありません。エディタで直接修正してください。"));
    EXPECT_EQ(read(hed), ReadOutcome::StopProgram);
}

TEST_F(AttributeTest, PersonSuffixNeedsBothSignsAfterTheFirstCharacter)
{
    // "名外" at the start does not count as a suffix; "A外3名" does.
    const QString hed = writeSet(
        {{QStringLiteral(".PNT"), squarePoints()},
         {QStringLiteral(".POL"),
          {QStringLiteral("1,1,a,,1,2"), QStringLiteral("1,0"), QStringLiteral("1,1,a,,2,2"), QStringLiteral("2,0")}},
         {QStringLiteral(".ATR"),
          {QStringLiteral("x,x,a,,1,x,x,0,x,x,0,1,x,x,名外,x,y"), QStringLiteral("x,x,a,,2,x,x,0,x,x,0,1,x,x,A外3名,x,y")}},
         {QStringLiteral(".COS"), {QStringLiteral("1,x,a,,1,4"), QStringLiteral("1,x,a,,2,4")}}});
    mScript->expectMessage(MsgResult::Yes, kRuleQuestion);
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("名外 外3名"));
    EXPECT_EQ(KakuchiAttr(2, 3), QStringLiteral("A外3名"));
}

struct CategoryCase {
    double code;
    const char16_t* name;
};

TEST(LandCategory, NamesByCode)
{
    const std::vector<CategoryCase> rows = {
        {0, u""},      {1, u"田"},        {3, u"宅地"},   {5, u"鉱泉地"},   {11, u"境内地"}, {15, u"ため池"},
        {19, u"公衆用道路"}, {23, u"雑種地"}, {24, u"その他"}, {25, u""},     {80, u""},       {81, u"道路"},
        {83, u"用悪水路"}, {89, u"鉄道線路"}, {91, u"河川"}, {92, u"その他"}, {93, u""},       {-1, u""},
        {3.5, u""},
    };
    for (const CategoryCase& row : rows)
        EXPECT_EQ(LandCategoryName(row.code), QString::fromUtf16(row.name)) << row.code;
}

// ---- polylines -----------------------------------------------------------------------

struct PolylineCase {
    const char* name;
    QStringList lin;
    std::vector<LineExpect> lines;  // the segments, in colour 5
};

void PrintTo(const PolylineCase& c, std::ostream* os)
{
    *os << c.name;
}

class Polylines : public Format2000Test, public ::testing::WithParamInterface<PolylineCase> {};

TEST_P(Polylines, JoinTheirPointsInColour5)
{
    const PolylineCase& c = GetParam();
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()}, {QStringLiteral(".LIN"), c.lin}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    ASSERT_EQ(LineNext, static_cast<int>(c.lines.size()) + 1);
    for (std::size_t i = 0; i < c.lines.size(); ++i)
        expectLine(static_cast<int>(i) + 1, c.lines[i]);
    EXPECT_EQ(LineImported, LineNext);
}

INSTANTIATE_TEST_SUITE_P(
    Format2000, Polylines,
    ::testing::Values(
        // A point's name is the first field of its line, in half-width form.
        PolylineCase{"namesNarrowedAndCut",
                     {"L1,3", "1,x", "２", "3", "L2,2", "4", "5"},
                     {{100, 200, 100, 210, 5}, {100, 210, 90, 210, 5}, {90, 200, 95, 205, 5}}},
        // A name with a blank around it is not trimmed and matches nothing;
        // the segments that would touch it are left out instead of reaching
        // a stale point.
        PolylineCase{"pointsThatMatchNothingAddNoSegment",
                     {"L1,2", "1", "2", "L2,3", " 3", "4", "5"},
                     {{100, 200, 100, 210, 5}, {90, 200, 95, 205, 5}}}),
    [](const auto& info) { return std::string(info.param.name); });

const QString kLin = QStringLiteral("S.LIN");

INSTANTIATE_TEST_SUITE_P(
    Format2000Lin, CompanionMalformed,
    ::testing::Values(
        CompanionFault{"headerWithoutCount", ".LIN", {"L1"}, missingCommaMessage(kLin, u"L1")},
        CompanionFault{"negativeCount", ".LIN", {"L1,-2"}, outOfRangeMessage(kLin, u"L1,-2")},
        CompanionFault{"moreThan1000Points", ".LIN", {"L1,1001"}, tableFullMessage(kLin, u"L1,1001", 1000)},
        CompanionFault{"endsInsideAPolyline", ".LIN", {"L1,3", "1", "2"},
                       "S.LINの「2」行データの後でファイルが途切れています。エディタで直接修正してください。"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- after the import ------------------------------------------------------------------

TEST_F(Format2000Test, ImportedLinesAreShiftedOnce)
{
    const QString hed = writeSet({{QStringLiteral(".PNT"), squarePoints()},
                                  {QStringLiteral(".LIN"), {QStringLiteral("L,2"), QStringLiteral("1"), QStringLiteral("2")}}});
    ASSERT_EQ(read(hed), ReadOutcome::Ok);
    LineX1[LineNext] = 7.0;  // the entry at LineNext holds no line and is not touched
    shiftImportedLines(95.0, 205.0);
    expectLine(1, {5, -5, 5, 5, 5});
    EXPECT_EQ(LineX1[LineNext], 7.0);
}

// Each row worked by hand from the rules of the registered area, with Int
// the floor: F is the ".ATR" field that asks for whole square metres, R the
// registered area, C the land category.
struct AreaRow {
    const char* legend;
    double area;
    AreaRule rule;
    const char16_t* f;
    double registered;
    const char16_t* category;
    double rounded;
};

const AreaRow kAreaRows[] = {
    // F "1", R >= 10, C neither 宅地 nor 鉱泉地: Int(120.9876543 + 0.0000001) = 120.
    {"whole_metres_for_forest", 120.9876543, AreaRule::Truncation, u"1", 120, u"山林", 120.0},
    // 宅地 keeps two decimals: Int(12098.76543 + 0.0000001) / 100 = 120.98.
    {"two_decimals_for_building_land", 120.9876543, AreaRule::Truncation, u"1", 120, u"宅地", 120.98},
    // Rounding first: Int(99999.4 + 0.5000001) / 1000 + 0.0000001 = 99.9990001;
    // then R >= 10 and 原野: Int(99.9990002) = 99.
    {"rounded_then_whole_metres", 99.9994, AreaRule::Rounding, u"1", 10, u"原野", 99.0},
    // R below 10: Int(9999.90001 + 0.0000001) / 100 = 99.99.
    {"registered_below_ten_keeps_decimals", 99.9994, AreaRule::Rounding, u"1", 9.99, u"原野", 99.99},
    // 鉱泉地 keeps two decimals as 宅地 does.
    {"two_decimals_for_mineral_spring", 99.9994, AreaRule::Rounding, u"1", 10, u"鉱泉地", 99.99},
    // F not "1", truncation: Int((12.349995 + 0.0000001) × 100) / 100 = Int(1234.99951) / 100.
    {"truncation_to_two_decimals", 12.349995, AreaRule::Truncation, u"0", 12, u"田", 12.34},
    // F not "1", rounding: Int((12.349995 + 0.00001) × 100) / 100 = Int(1235.0005) / 100.
    {"rounding_to_two_decimals", 12.349995, AreaRule::Rounding, u"0", 12, u"田", 12.35},
};

TEST(RoundParcelArea, RulesOfTheRegisteredArea)
{
    for (const AreaRow& r : kAreaRows)
        EXPECT_DOUBLE_EQ(roundParcelArea(r.area, r.rule, r.f, r.registered, r.category), r.rounded) << r.legend;
}

// ---- frames ---------------------------------------------------------------------------

class FrameTest : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        OriginX = 100.0;
        OriginY = 200.0;
    }
};

TEST_F(FrameTest, YesImportsFourLinesAndAPointPerFrame)
{
    writeSiteLines(QStringLiteral("X.map"), {QStringLiteral("図郭１,x,80,190,130,190,130,230,80,230,y,z"),
                                             QStringLiteral("short,x,1,2,3,4,5,6,7,8,y"),
                                             QStringLiteral("F2,x,0,0,10,0,10,10,0,10,y,z")});
    LineNext = 3;
    PointCount = 2;
    mScript->expectMessage(MsgResult::Yes, kFrameQuestion);
    ASSERT_EQ(ImportFormat2000Frames(sitePath(QStringLiteral("X.SIM"))), ReadOutcome::Ok);
    ASSERT_EQ(LineNext, 11);
    expectLine(3, {-20, -10, 30, -10, 8});
    expectLine(4, {30, -10, 30, 30, 8});
    expectLine(5, {30, 30, -20, 30, 8});
    expectLine(6, {-20, 30, -20, -10, 8});
    expectLine(7, {-100, -200, -90, -200, 8});
    ASSERT_EQ(PointCount, 4);
    EXPECT_EQ(PointName[3], QStringLiteral("図郭1"));
    EXPECT_EQ(PointName[4], QStringLiteral("F2"));
    EXPECT_DOUBLE_EQ(PointX[3], 30.0);
    EXPECT_DOUBLE_EQ(PointY[3], -10.0);
    EXPECT_EQ(PointMark[3], 1);
    EXPECT_EQ(PointName2[3], QString());
}

TEST_F(FrameTest, NoImportsNothing)
{
    writeSiteLines(QStringLiteral("X.MAP"), {QStringLiteral("F,x,0,0,10,0,10,10,0,10,y,z")});
    mScript->expectMessage(MsgResult::No, kFrameQuestion);
    EXPECT_EQ(ImportFormat2000Frames(sitePath(QStringLiteral("X.HED"))), ReadOutcome::Ok);
    EXPECT_EQ(LineNext, 1);
    EXPECT_EQ(PointCount, 0);
}

TEST_F(FrameTest, WithoutAFrameFileNothingIsAsked)
{
    EXPECT_EQ(ImportFormat2000Frames(sitePath(QStringLiteral("X.SIM"))), ReadOutcome::Missing);
    EXPECT_EQ(ImportFormat2000Frames(QString()), ReadOutcome::Missing);
    EXPECT_TRUE(format2000FramePath(QStringLiteral("ab")).isEmpty());
}

// Frames go in whole or not at all: a frame file that cannot be read whole
// is reported and nothing of it is imported; start-up goes on.
TEST_F(FrameTest, AFrameFileThatCannotBeReadWholeImportsNothing)
{
    writeSiteLines(QStringLiteral("X.MAP"), {QStringLiteral("F1,x,0,0,10,0,10,10,0,10,y,z"),
                                             QStringLiteral("F2,x,0,0,10,0,10,10,0,10,y,z")});
    for (const bool opens : {true, false}) {
        SCOPED_TRACE(opens ? "breaks off" : "cannot be opened");
        const BrokenFile broken(sitePath(QStringLiteral("X.MAP")), opens ? std::optional<qint64>(40) : std::nullopt);
        mScript->expectMessage(MsgResult::Yes, kFrameQuestion);
        mScript->expectMessage(MsgResult::Ok, opens ? readErrorMessage(QStringLiteral("X.MAP"))
                                                    : cannotOpenMessage(QStringLiteral("X.MAP")));
        EXPECT_EQ(ImportFormat2000Frames(sitePath(QStringLiteral("X.SIM"))), ReadOutcome::Ok);
        EXPECT_EQ(LineNext, 1);
        EXPECT_EQ(PointCount, 0);
    }
}

TEST_F(FrameTest, FramesThatDoNotFitAreRefusedWhole)
{
    writeSiteLines(QStringLiteral("X.MAP"), {QStringLiteral("F1,x,0,0,10,0,10,10,0,10,y,z"),
                                             QStringLiteral("F2,x,0,0,10,0,10,10,0,10,y,z")});
    LineNext = kLineTop - 6;  // room for seven lines: one frame, not two
    mScript->expectMessage(MsgResult::Yes, kFrameQuestion);
    mScript->expectMessage(MsgResult::Ok, tableFullMessage(QStringLiteral("X.MAP"), u"F2,x,0,0,10,0,10,10,0,10,y,z", kLineTop));
    EXPECT_EQ(ImportFormat2000Frames(sitePath(QStringLiteral("X.SIM"))), ReadOutcome::Ok);
    EXPECT_EQ(LineNext, kLineTop - 6);
    EXPECT_EQ(PointCount, 0);
    EXPECT_EQ(LineColor[kLineTop - 6], 0);
}

}  // namespace
}  // namespace tavelcor
