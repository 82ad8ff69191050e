// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tavelcor {
namespace {

class Tables : public testing::Test {
protected:
    void SetUp() override { resetTables(); }
};

// One start-up value: how to read it as a number, how to spoil it, and the
// value a reset must give.
struct ValueRow {
    std::string name;
    std::function<double()> get;
    std::function<void()> spoil;
    double expected;
};

template <typename T>
ValueRow row(const char* name, T& variable, double expected)
{
    return {name, [&variable] { return double(variable); }, [&variable] { variable = T(77); },
            expected};
}

// The values the start-up gives before any settings file is read, then the
// settings reader's defaults for a missing tavelcor.jkn.
std::vector<ValueRow> startupValues()
{
    return {
        row("FullLayout", FullLayout, 1), row("HaikeiTop", HaikeiTop, 1),
        row("PointChanged", PointChanged, 1), row("LineChanged", LineChanged, 1),
        row("TxtChanged", TxtChanged, 1), row("TegakiChanged", TegakiChanged, 1),
        row("ZoneNo", ZoneNo, 6), row("SelOnly", SelOnly, 0), row("MarkSize", MarkSize, 70),
        row("TextScale", TextScale, 1.0), row("HitRadius", HitRadius, 10),
        row("VarFont", VarFont, 1), row("FontSize", FontSize, 12),
        row("PointFontSize", PointFontSize, 12), row("WembraOff", WembraOff, 1),
        row("WindowLayout", WindowLayout, 0), row("TxtLineEdit", TxtLineEdit, -1),
        row("GpsColor", GpsColor, 14), row("SimaZahyoStart", SimaZahyoStart, 1),
        row("SimaKakuchiStart", SimaKakuchiStart, 1), row("TegakiCount", TegakiCount, 0),
        row("PointCount", PointCount, 0), row("ZahyoBaseMax", ZahyoBaseMax, 0),
        row("LineNext", LineNext, 1), row("PrintMarginB", PrintMarginB, 0),
        row("PrintOffsetL", PrintOffsetL, 0), row("TxtColorCur", TxtColorCur, 12),
        row("KakuchiColor", KakuchiColor, 8), row("DataDirty", DataDirty, 0),
        row("TileScreens", TileScreens, 5), row("SiteMode", SiteMode, 0),
        row("StartMode", StartMode, 0), row("SlideFactor", SlideFactor, 1.0),
        row("LineSubState", LineSubState, 0), row("CalcPickCount", CalcPickCount, 0),
        row("ZahyoMax", ZahyoMax, 0), row("KakuchiCount", KakuchiCount, 0),
        row("KakuchiOpenCount", KakuchiOpenCount, 0), row("DanmenPitch", DanmenPitch, 1),
        row("RclickMode", RclickMode, 1),
        // The settings reader's defaults (TxtSplit: its -1 replaces the 0
        // that start-up gives before reading).
        row("TxtSplit", TxtSplit, -1), row("DiagZoom", DiagZoom, 2),
        row("GpsWaitMsg", GpsWaitMsg, 0), row("SxfTextH", SxfTextH, 2),
        row("SxfMarkH", SxfMarkH, 2), row("SxfPointTextH", SxfPointTextH, 2),
        row("BackupMinutes", BackupMinutes, 5), row("SxfMarkMode", SxfMarkMode, 0),
        row("BackToAdd", BackToAdd, 0), row("Setting17", Setting17, 0),
        row("GsiOffline", GsiOffline, 0), row("DblClickInput", DblClickInput, 0),
        row("PointLimit", PointLimit, 1000), row("TxtLimit", TxtLimit, 500),
        row("CollectorSdl", CollectorSdl, 0), row("KintabAuto", KintabAuto, 0),
        row("RecordMain", RecordMain, 0), row("KeepView", KeepView, 0),
        row("FillSelected", FillSelected, 0), row("DanmenScale", DanmenScale, 1),
        row("DanmenMaxPoints", DanmenMaxPoints, 0), row("DanmenFixedPitch", DanmenFixedPitch, 0),
        row("DanmenCurvature", DanmenCurvature, 0), row("DanmenPitchPoints", DanmenPitchPoints, 0),
        row("UndoPos", UndoPos, 0), row("UndoTop", UndoTop, 0),
        row("GpsCount", GpsCount, 0), row("TxtCount", TxtCount, 0),
        row("LoadingFlag", LoadingFlag, 0), row("RedrawCause", RedrawCause, 0),
        row("DiagonalArmed", DiagonalArmed, 0), row("AreaCount", AreaCount, 0),
        row("TileCacheCount", TileCacheCount, 0), row("SignFileDate", SignFileDate, 0),
        row("CurPoint", CurPoint, 0), row("MovePoint", MovePoint, 0),
        row("DelPending", DelPending, 0), row("LinkCandCount", LinkCandCount, 0),
        row("SelClearPending", SelClearPending, 0), row("ColorPick", ColorPick, 0),
    };
}

TEST_F(Tables, StartupValuesAfterReset)
{
    for (const ValueRow& r : startupValues())
        EXPECT_EQ(r.get(), r.expected) << r.name;
    EXPECT_EQ(KeepStation, QStringLiteral("1"));
    EXPECT_TRUE(Setting6Text.isEmpty());
}

TEST_F(Tables, ResetRestoresSpoiledValues)
{
    const std::vector<ValueRow> rows = startupValues();
    for (const ValueRow& r : rows)
        r.spoil();
    KeepStation = QStringLiteral("2");
    Setting6Text = QStringLiteral("x");
    MsgText = QStringLiteral("面積=");
    SiteFolder = QStringLiteral("/tmp/site/");
    KeptSima = QStringLiteral("Z00,NEW_SIMA,");

    resetTables();

    for (const ValueRow& r : rows)
        EXPECT_EQ(r.get(), r.expected) << r.name;
    EXPECT_EQ(KeepStation, QStringLiteral("1"));
    EXPECT_TRUE(Setting6Text.isEmpty());
    EXPECT_TRUE(MsgText.isEmpty());
    EXPECT_TRUE(SiteFolder.isEmpty());
    EXPECT_TRUE(KeptSima.isEmpty());
}

TEST_F(Tables, ColourTablesShowColoursZeroToFourteen)
{
    for (int c = 0; c <= 16; ++c) {
        const int shown = c <= 14 ? 1 : 0;
        EXPECT_EQ(PointColorShown[c], shown) << c;
        EXPECT_EQ(LineColorShown[c], shown) << c;
        EXPECT_EQ(TxtColorShown[c], shown) << c;
        EXPECT_EQ(TegakiColorShown[c], shown) << c;
        const int width = c == 8 ? 1 : (c == 16 ? 0 : 2);
        EXPECT_EQ(LineWidthOf[c], width) << c;
    }
}

TEST_F(Tables, EditorCaptionsStartWithTheirDefaults)
{
    const QString expected[] = {
        QString(),
        QStringLiteral("に分筆"),
        QStringLiteral("から分筆"),
        QStringLiteral("を合筆"),
        QStringLiteral("→山林\u3000不詳"),  // one full-width space
        QStringLiteral("→畑\u3000不詳"),
        QStringLiteral("→宅地\u3000不詳"),
        QStringLiteral("→公道\u3000不詳"),
        QStringLiteral("→用悪水路\u3000不詳"),
        QStringLiteral("→田\u3000不詳"),
        QString(),
    };
    for (int i = 0; i <= kCrtextPhraseTop; ++i)
        EXPECT_EQ(CrtextPhrase[i], expected[i]) << i;
}

TEST_F(Tables, EveryCoordinateNumberIsFreeAfterReset)
{
    for (int n = 0; n <= kZahyoTop; ++n) {
        if (ZahyoName[n] != u"_?>" || ZahyoX[n] != 0.0 || ZahyoY[n] != 0.0 || ZahyoH[n] != 0.0 ||
            ZahyoUsed[n] != 0 || !ZahyoLink[n].isEmpty()) {
            ADD_FAILURE() << "coordinate " << n << " is not free";
            break;
        }
    }
    EXPECT_EQ(freeZahyoName(), QStringLiteral("_?>"));
}

TEST_F(Tables, ClearZahyoFreesEveryNumberButKeepsTheCount)
{
    for (int n : {0, 1, 250000, kZahyoTop}) {
        ZahyoName[n] = QStringLiteral("P%1").arg(n);
        ZahyoX[n] = -1234.567;
        ZahyoY[n] = 8901.234;
        ZahyoH[n] = 12.5;
        ZahyoPX[n] = 3.0;
        ZahyoPY[n] = 4.0;
        ZahyoUsed[n] = 1;
        ZahyoLink[n] = QStringLiteral("photo.jpg");
    }
    ZahyoMax = kZahyoTop;

    clearZahyo();

    for (int n : {0, 1, 250000, kZahyoTop}) {
        EXPECT_EQ(ZahyoName[n], freeZahyoName()) << n;
        EXPECT_EQ(ZahyoX[n], 0.0) << n;
        EXPECT_EQ(ZahyoY[n], 0.0) << n;
        EXPECT_EQ(ZahyoH[n], 0.0) << n;
        EXPECT_EQ(ZahyoPX[n], 0.0) << n;
        EXPECT_EQ(ZahyoPY[n], 0.0) << n;
        EXPECT_EQ(ZahyoUsed[n], 0) << n;
        EXPECT_TRUE(ZahyoLink[n].isEmpty()) << n;
    }
    EXPECT_EQ(ZahyoMax, kZahyoTop);
}

TEST_F(Tables, ResetEmptiesFilledTables)
{
    PointName[kPointTop] = QStringLiteral("境界杭");
    PointMark[kPointTop] = 105;
    LineX2[kLineTop] = 5.0;
    LineColor[kLineTop] = 12;
    TegakiX[kTegakiTop] = 1.5F;
    TegakiPen[kTegakiTop] = 3;
    TxtString[kTxtTop] = QStringLiteral("宅地");
    TxtSel[kTxtTop] = 1;
    KakuchiName[kKakuchiTop] = QStringLiteral("123-4");
    KakuchiVertex[kKakuchiVertexTop] = 77;
    UndoKind[kUndoTop] = 11;
    UndoText(1, kUndoTop) = QStringLiteral("after");
    HaikeiFile(kHaikeiSlotTop, kHaikeiRowTop) = QStringLiteral("TEMP.BMP");
    HaikeiYMax(kHaikeiSlotTop, kHaikeiRowTop) = 9.0;
    TileCache[kTileCacheTop] = QStringLiteral("18_1_2.png");
    GpsX[kGpsTrackTop] = 2.0F;
    MoveLines(1, kMoveLinesTop) = 9;
    LinkCand[kLinkCandTop] = kZahyoTop;
    PhraseText[kPhraseTop] = QStringLiteral("雑種地");
    SymbolChar[kSymbolCount] = QStringLiteral("●");
    TxtLineShow[kTxtLineTop] = 1;
    ASSERT_TRUE(setKakuchiAttr(kKakuchiTop, kKakuchiAttrTop, QStringLiteral("山林")));

    resetTables();

    EXPECT_TRUE(PointName[kPointTop].isEmpty());
    EXPECT_EQ(PointMark[kPointTop], 0);
    EXPECT_EQ(LineX2[kLineTop], 0.0);
    EXPECT_EQ(LineColor[kLineTop], 0);
    EXPECT_EQ(TegakiX[kTegakiTop], 0.0F);
    EXPECT_EQ(TegakiPen[kTegakiTop], 0);
    EXPECT_TRUE(TxtString[kTxtTop].isEmpty());
    EXPECT_EQ(TxtSel[kTxtTop], 0);
    EXPECT_TRUE(KakuchiName[kKakuchiTop].isEmpty());
    EXPECT_EQ(KakuchiVertex[kKakuchiVertexTop], 0);
    EXPECT_EQ(UndoKind[kUndoTop], 0);
    EXPECT_TRUE(UndoText(1, kUndoTop).isEmpty());
    EXPECT_TRUE(HaikeiFile(kHaikeiSlotTop, kHaikeiRowTop).isEmpty());
    EXPECT_EQ(HaikeiYMax(kHaikeiSlotTop, kHaikeiRowTop), 0.0);
    EXPECT_TRUE(TileCache[kTileCacheTop].isEmpty());
    EXPECT_EQ(GpsX[kGpsTrackTop], 0.0F);
    EXPECT_EQ(MoveLines(1, kMoveLinesTop), 0);
    EXPECT_EQ(LinkCand[kLinkCandTop], 0);
    EXPECT_TRUE(PhraseText[kPhraseTop].isEmpty());
    EXPECT_TRUE(SymbolChar[kSymbolCount].isEmpty());
    EXPECT_EQ(TxtLineShow[kTxtLineTop], 0);
    EXPECT_TRUE(KakuchiAttr(kKakuchiTop, kKakuchiAttrTop).isEmpty());
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
}

// Cells every 97th number, plus the cells that straddle a page edge: a
// reset releases whole pages, and a cell cut by a page edge must come back
// whole.
std::vector<int> scatteredCells(int top, std::size_t cellBytes)
{
    std::vector<int> cells;
    for (int i = 0; i <= top; i += 97)
        cells.push_back(i);
    for (int i = 0; i <= top; ++i) {
        const std::size_t begin = std::size_t(i) * cellBytes;
        if (begin / 4096 != (begin + cellBytes - 1) / 4096)
            cells.push_back(i);
    }
    cells.push_back(top);
    return cells;
}

TEST_F(Tables, ResetGivesEveryCellItsStartValueAfterScatteredWrites)
{
    const QString shared = QStringLiteral("共有名%1").arg(7);  // one heap text held by many cells
    for (int n : scatteredCells(kZahyoTop, sizeof(QString))) {
        ZahyoName[n] = n % 2 == 0 ? QStringLiteral("P%1").arg(n) : shared;
        ZahyoLink[n] = shared;
        PointName[n] = QStringLiteral("杭");  // a literal: owns no heap memory
        ZahyoX[n] = n + 0.5;
        PointMark[n] = 7;
    }
    for (int n : scatteredCells(kKakuchiTop, sizeof(QString)))
        KakuchiName[n] = QStringLiteral("%1-1").arg(n);

    resetTables();

    int wrong = 0;
    for (int n = 0; n <= kZahyoTop; ++n) {
        if (ZahyoName[n] != u"_?>" || !ZahyoLink[n].isNull() || !PointName[n].isNull() || ZahyoX[n] != 0.0
            || PointMark[n] != 0)
            ++wrong;
    }
    for (int n = 0; n <= kKakuchiTop; ++n)
        wrong += KakuchiName[n].isNull() ? 0 : 1;
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(shared.isDetached()) << "the cells gave their references back";
}

TEST_F(Tables, ResetAfterOnlyReadingKeepsTheStartValues)
{
    double sum = 0;
    for (int n = 0; n <= kZahyoTop; n += 1000)
        sum += ZahyoX[n] + ZahyoName[n].size();
    resetTables();
    EXPECT_EQ(sum, 3.0 * (kZahyoTop / 1000 + 1));
    EXPECT_EQ(ZahyoName[kZahyoTop], u"_?>");
    EXPECT_EQ(ZahyoName[0], u"_?>");
}

// A reader has the memory of the rows ahead given before it writes them: the
// cells keep their values (the free name of the start image, zero, what was
// written already), and a reset afterwards still gives every cell its start
// value back.
TEST_F(Tables, PrefaultedRowsKeepTheirValuesAndResetAfterwards)
{
    ZahyoName[10] = QStringLiteral("境界①");
    ZahyoX[10] = 1.5;
    const std::uint64_t changes = ZahyoName.changes();
    ZahyoName.prefaultRows(1, 200000);
    ZahyoX.prefaultRows(-5, kZahyoTop + 5);  // clamped to the table
    PointName.prefaultRows(kPointTop, kPointTop);
    EXPECT_EQ(ZahyoName.changes(), changes) << "no cell changes";
    EXPECT_EQ(ZahyoName[10], u"境界①");
    EXPECT_EQ(ZahyoX[10], 1.5);
    int wrong = 0;
    for (int n = 11; n <= kZahyoTop; n += 997)
        wrong += ZahyoName[n] == u"_?>" && ZahyoX[n] == 0.0 ? 0 : 1;
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(PointName[kPointTop].isNull());

    ZahyoName[150000] = QStringLiteral("P%1").arg(150000);
    resetTables();
    EXPECT_EQ(ZahyoName[10], u"_?>");
    EXPECT_EQ(ZahyoName[150000], u"_?>");
    EXPECT_EQ(ZahyoX[10], 0.0);
}

// A reader's long runs ask for huge pages (widened to the huge pages they
// reach into): the cells around the run, written before it, keep their
// values, the run's own and the widened ones read their start value, and a
// reset brings every cell back, also after a second run.
TEST_F(Tables, LongPrefaultRunsKeepCellsAndResetAfterwards)
{
    const std::vector<int> written = {1, 40000, 65535, 65536, 262143, 262144, 300001, kTegakiTop};
    for (int round = 0; round < 2; ++round) {
        for (const int i : written)
            TegakiX[i] = float(i) + 0.5F;
        PointName[70000] = QStringLiteral("杭%1").arg(round);
        for (int first = 60000; first < 300000; first += 16384) {
            TegakiX.prefaultRows(first, first + 16383);
            PointName.prefaultRows(first, first + 16383);
        }
        for (const int i : written)
            EXPECT_EQ(TegakiX[i], float(i) + 0.5F) << round << " " << i;
        EXPECT_EQ(PointName[70000], QStringLiteral("杭%1").arg(round));
        int wrong = 0;
        for (int i = 2; i < kTegakiTop; i += 311)
            wrong += std::find(written.begin(), written.end(), i) == written.end() && TegakiX[i] != 0.0F ? 1 : 0;
        EXPECT_EQ(wrong, 0) << round;
        EXPECT_TRUE(PointName[69999].isNull());
        resetTables();
        for (const int i : written)
            EXPECT_EQ(TegakiX[i], 0.0F) << round << " " << i;
        EXPECT_TRUE(PointName[70000].isNull());
    }
}

TEST_F(Tables, ClearZahyoAfterRepeatedFillsLeavesNoName)
{
    for (int round = 0; round < 3; ++round) {
        for (int n = 1; n <= kZahyoTop; n += 4099)
            ZahyoName[n] = QStringLiteral("R%1-%2").arg(round).arg(n);
        clearZahyo();
        EXPECT_EQ(ZahyoName[1], u"_?>") << round;
        EXPECT_EQ(ZahyoName[4100], u"_?>") << round;
    }
}

// ------------------------------------------------------------------- bounds

struct BoundRow {
    const char* table;
    std::ptrdiff_t low;
    std::ptrdiff_t high;
    std::function<bool(std::ptrdiff_t)> contains;
};

template <typename Table>
BoundRow bound(const char* name, const Table&, std::ptrdiff_t low, std::ptrdiff_t high)
{
    return {name, low, high, [](std::ptrdiff_t i) { return Table::contains(i); }};
}

TEST(TableBounds, EveryTableSpansItsDesignedRange)
{
    // The ranges of the system's data: coordinates 0..500000, parcels
    // 0..50000 with vertex slots 0..600000, points and lines 0..500000,
    // stroke vertices 0..1000000, texts 0..30000, undo 0..20001, GPS track
    // 0..30000, colour tables 0..16, symbols 1..18, phrases 1..4000, tile
    // names 1..100000, editor captions 1..9.
    const BoundRow rows[] = {
        bound("ZahyoX", ZahyoX, 0, 500000),       bound("ZahyoName", ZahyoName, 0, 500000),
        bound("KakuchiFirst", KakuchiFirst, 0, 50000),
        bound("KakuchiVertex", KakuchiVertex, 0, 600000),
        bound("PointMark", PointMark, 0, 500000), bound("LineColor", LineColor, 0, 500000),
        bound("TegakiPen", TegakiPen, 0, 1000000), bound("TxtString", TxtString, 0, 30000),
        bound("UndoKind", UndoKind, 0, 20001),    bound("GpsX", GpsX, 0, 30000),
        bound("LineWidthOf", LineWidthOf, 0, 16), bound("SymbolColor", SymbolColor, 0, 18),
        bound("PhraseText", PhraseText, 0, 4000), bound("TileCache", TileCache, 0, 100000),
        bound("CrtextPhrase", CrtextPhrase, 0, 10), bound("HaikeiBright", HaikeiBright, 0, 9),
        bound("TxtLineShow", TxtLineShow, 0, 500), bound("AreaX", AreaX, 0, 200),
        bound("CalcPickList", CalcPickList, 0, 100), bound("SightList", SightList, 0, 20),
        bound("LinkCand", LinkCand, 0, 1000),     bound("NameCandidates", NameCandidates, 0, 100),
    };
    for (const BoundRow& r : rows) {
        EXPECT_TRUE(r.contains(r.low)) << r.table;
        EXPECT_TRUE(r.contains(r.high)) << r.table;
        EXPECT_FALSE(r.contains(r.low - 1)) << r.table;
        EXPECT_FALSE(r.contains(r.high + 1)) << r.table;
    }
}

TEST(TableBounds, NamedBoundsMatchTheData)
{
    EXPECT_EQ(kZahyoTop, 500000);
    EXPECT_EQ(kKakuchiTop, 50000);
    EXPECT_EQ(kKakuchiCountLimit, 32767);
    EXPECT_EQ(kKakuchiVertexTop, 600000);
    EXPECT_EQ(kKakuchiAttrTop, 40);
    EXPECT_EQ(kPointTop, 500000);
    EXPECT_EQ(kLineTop, 500000);
    EXPECT_EQ(kTegakiTop, 1000000);
    EXPECT_EQ(kTxtTop, 30000);
    EXPECT_EQ(kUndoTop, 20001);
    EXPECT_EQ(kGpsTrackTop, 30000);
    EXPECT_EQ(kSymbolCount, 18);
    EXPECT_EQ(kPhraseTop, 4000);
    EXPECT_EQ(kSettingsLineCount, 56);
    EXPECT_EQ(kTileCacheTop, 100000);
    // The parcel count is a signed 16-bit number: its limit is the type's.
    EXPECT_EQ(kKakuchiCountLimit, std::numeric_limits<decltype(KakuchiCount)>::max());
}

TEST(TableBounds, TwoDimensionalTablesCheckBothIndexes)
{
    using Undo = std::remove_reference_t<decltype(UndoText)>;
    EXPECT_TRUE(Undo::contains(0, 0));
    EXPECT_TRUE(Undo::contains(1, 20001));
    EXPECT_FALSE(Undo::contains(2, 1));
    EXPECT_FALSE(Undo::contains(0, 20002));
    using Raster = std::remove_reference_t<decltype(HaikeiFile)>;
    EXPECT_TRUE(Raster::contains(3, 10000));
    EXPECT_FALSE(Raster::contains(4, 0));
    EXPECT_FALSE(Raster::contains(0, -1));
    using Moves = std::remove_reference_t<decltype(MoveLines)>;
    EXPECT_TRUE(Moves::contains(1, 100));
    EXPECT_FALSE(Moves::contains(1, 101));
}

TEST_F(Tables, TwoDimensionalCellsAreDistinct)
{
    UndoText(0, 5) = QStringLiteral("before");
    UndoText(1, 5) = QStringLiteral("after");
    HaikeiFile(0, 1) = QStringLiteral("a.bmp");
    HaikeiFile(1, 0) = QStringLiteral("b.bmp");
    EXPECT_EQ(UndoText(0, 5), QStringLiteral("before"));
    EXPECT_EQ(UndoText(1, 5), QStringLiteral("after"));
    EXPECT_TRUE(UndoText(0, 6).isEmpty());
    EXPECT_EQ(HaikeiFile(0, 1), QStringLiteral("a.bmp"));
    EXPECT_EQ(HaikeiFile(1, 0), QStringLiteral("b.bmp"));
    EXPECT_TRUE(HaikeiFile(0, 0).isEmpty());
}

TEST_F(Tables, SinglePrecisionFieldsRoundAsSinglePrecision)
{
    // Plot positions of strokes and texts are single precision: a value with
    // more digits than a float holds comes back rounded, as the stored files
    // expect.
    TegakiX[1] = float(12345.678901);
    TxtY[1] = float(-0.1);
    EXPECT_EQ(double(TegakiX[1]), double(float(12345.678901)));
    EXPECT_NE(double(TegakiX[1]), 12345.678901);
    EXPECT_EQ(double(TxtY[1]), double(-0.1F));
}

// ------------------------------------------------------- parcel attributes

TEST_F(Tables, UntouchedAttributeTableHoldsNoRows)
{
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
    EXPECT_TRUE(KakuchiAttr(1, 1).isEmpty());
    EXPECT_TRUE(KakuchiAttr(kKakuchiTop, kKakuchiAttrTop).isEmpty());
    // Writing an empty text into a parcel without a row allocates nothing.
    EXPECT_TRUE(setKakuchiAttr(7, 12, QString()));
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
}

// Room made for a reader's columns changes no cell and makes no row: a
// parcel without a row stays without one, and a row keeps its columns.
TEST_F(Tables, ReservingAttributeRoomWritesNothing)
{
    reserveKakuchiAttr(3, kKakuchiAttrTop);
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
    EXPECT_TRUE(setKakuchiAttr(3, 5, QString()));
    EXPECT_EQ(kakuchiAttrRowCount(), 0) << "an empty text still makes no row";

    ASSERT_TRUE(setKakuchiAttr(4, 1, QStringLiteral("12-3")));
    reserveKakuchiAttr(4, kKakuchiAttrTop);
    reserveKakuchiAttr(4, kKakuchiAttrTop + 1);  // outside the table: nothing
    reserveKakuchiAttr(kKakuchiTop + 1, 3);
    reserveKakuchiAttr(-1, 3);
    EXPECT_EQ(kakuchiAttrRowCount(), 1);
    EXPECT_EQ(KakuchiAttr(4, 1), QStringLiteral("12-3"));
    EXPECT_TRUE(KakuchiAttr(4, 2).isNull());
    ASSERT_TRUE(setKakuchiAttr(4, 7, QStringLiteral("宅地")));
    EXPECT_EQ(KakuchiAttr(4, 7), QStringLiteral("宅地"));
    EXPECT_TRUE(KakuchiAttr(4, 6).isNull());
}

TEST_F(Tables, AttributesReadBackPerParcelAndColumn)
{
    ASSERT_TRUE(setKakuchiAttr(5, 1, QStringLiteral("123-4")));
    ASSERT_TRUE(setKakuchiAttr(5, 7, QStringLiteral("宅地")));
    ASSERT_TRUE(setKakuchiAttr(6, 0, QStringLiteral("search name")));
    ASSERT_TRUE(setKakuchiAttr(6, 40, QStringLiteral("大字")));

    EXPECT_EQ(KakuchiAttr(5, 1), QStringLiteral("123-4"));
    EXPECT_EQ(KakuchiAttr(5, 7), QStringLiteral("宅地"));
    EXPECT_TRUE(KakuchiAttr(5, 2).isEmpty());   // between written columns
    EXPECT_TRUE(KakuchiAttr(5, 8).isEmpty());   // past the highest written
    EXPECT_TRUE(KakuchiAttr(4, 1).isEmpty());   // another parcel
    EXPECT_EQ(KakuchiAttr(6, 0), QStringLiteral("search name"));
    EXPECT_EQ(KakuchiAttr(6, 40), QStringLiteral("大字"));
    EXPECT_EQ(kakuchiAttrRowCount(), 2);

    // Overwriting, also with an empty text, keeps the row.
    ASSERT_TRUE(setKakuchiAttr(5, 7, QString()));
    EXPECT_TRUE(KakuchiAttr(5, 7).isEmpty());
    EXPECT_EQ(KakuchiAttr(5, 1), QStringLiteral("123-4"));
    EXPECT_EQ(kakuchiAttrRowCount(), 2);
}

TEST_F(Tables, AttributeIndexesOutsideTheTableAreRefused)
{
    struct Cell {
        int parcel;
        int column;
    };
    const Cell outside[] = {{-1, 1}, {kKakuchiTop + 1, 1}, {1, -1}, {1, kKakuchiAttrTop + 1}};
    for (const Cell& c : outside) {
        EXPECT_FALSE(setKakuchiAttr(c.parcel, c.column, QStringLiteral("x")))
            << c.parcel << "," << c.column;
        EXPECT_TRUE(KakuchiAttr(c.parcel, c.column).isEmpty()) << c.parcel << "," << c.column;
    }
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
}

TEST_F(Tables, ClearingAttributesDropsEveryRow)
{
    for (int p = 1; p <= 100; ++p)
        ASSERT_TRUE(setKakuchiAttr(p, 2, QStringLiteral("畑")));
    EXPECT_EQ(kakuchiAttrRowCount(), 100);
    clearKakuchiAttrs();
    EXPECT_EQ(kakuchiAttrRowCount(), 0);
    EXPECT_TRUE(KakuchiAttr(50, 2).isEmpty());
}

TEST(TablesLifetime, AllocationHappensOnceAndKeepsTheStorage)
{
    allocateTables();
    ASSERT_TRUE(tablesAllocated());
    const double* before = ZahyoX.begin();
    allocateTables();
    resetTables();
    EXPECT_EQ(ZahyoX.begin(), before);
}


// Code that keeps something worked out from a table compares its change
// count: every access that can write counts, reading through a const
// reference does not.
TEST_F(Tables, AccessThatCanWriteCountsAsAChange)
{
    const std::uint64_t start = PointX.changes();
    const auto& readOnly = std::as_const(PointX);
    EXPECT_EQ(readOnly[1] + readOnly[500000] + *readOnly.begin(), 0.0);
    EXPECT_EQ(PointX.changes(), start) << "const reads";
    PointX[1] = 5.0;
    EXPECT_EQ(PointX.changes(), start + 1);
    EXPECT_EQ(PointX[2], 0.0);  // a read through the writable table counts too
    EXPECT_EQ(PointX.changes(), start + 2);
    double* raw = PointX.begin();
    EXPECT_EQ(PointX.changes(), start + 3);
    raw[3] = 1.0;  // not seen until touched
    EXPECT_EQ(PointX.changes(), start + 3);
    PointX.touch();
    EXPECT_EQ(PointX.changes(), start + 4);
    PointX.fill(0.0);
    EXPECT_GT(PointX.changes(), start + 4);
    const std::uint64_t names = ZahyoName.changes();
    resetTables();
    EXPECT_GT(ZahyoName.changes(), names) << "a reset counts";
    UndoText(0, 1) = QStringLiteral("x");
    EXPECT_GT(UndoText.changes(), 0u);
}

}  // namespace
}  // namespace tavelcor
