// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/tables.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tavelcor {

// The message goes out with the C library alone: the program is in a state
// it must not go on from, and nothing here may allocate or throw.
void tablecheck::indexFault(const char* table, bool allocated, std::ptrdiff_t i, std::ptrdiff_t low,
                            std::ptrdiff_t high) noexcept
{
    if (allocated)
        std::fprintf(stderr, "table %s: index %td outside %td..%td\n", table, i, low, high);
    else
        std::fprintf(stderr, "table %s: index %td before the tables are allocated\n", table, i);
    std::fflush(stderr);
    std::abort();
}

void tablecheck::indexFault2(const char* table, bool allocated, std::ptrdiff_t i, std::ptrdiff_t j,
                             std::ptrdiff_t low1, std::ptrdiff_t high1, std::ptrdiff_t low2,
                             std::ptrdiff_t high2) noexcept
{
    if (allocated)
        std::fprintf(stderr, "table %s: index (%td, %td) outside (%td..%td, %td..%td)\n", table, i, j, low1, high1,
                     low2, high2);
    else
        std::fprintf(stderr, "table %s: index (%td, %td) before the tables are allocated\n", table, i, j);
    std::fflush(stderr);
    std::abort();
}

namespace {

// Attribute rows by parcel 0..kKakuchiTop. A row is empty (no heap) until the
// parcel gets its first non-empty cell; it then holds the columns up to the
// highest one written.
std::unique_ptr<std::vector<QString>[]> gAttrRows;
int gAttrRowCount = 0;
int gAttrRowTop = -1;  // the highest parcel that got a row; clearing stops there

void allocateAttrRows()
{
    if (!gAttrRows)
        gAttrRows = std::make_unique<std::vector<QString>[]>(std::size_t(kKakuchiTop) + 1);
}

// Applies f to every fixed table, so that allocation and clearing cannot miss
// one.
template <typename F>
void forEachTable(F&& f)
{
    f(TileCache);
    f(CrtextPhrase);
    f(ZahyoName), f(ZahyoX), f(ZahyoY), f(ZahyoH), f(ZahyoPX), f(ZahyoPY);
    f(ZahyoUsed), f(ZahyoLink);
    f(KakuchiName), f(KakuchiInfo), f(KakuchiFirst), f(KakuchiLast), f(KakuchiSel);
    f(KakuchiLabelX), f(KakuchiLabelY), f(KakuchiVertex);
    f(PointName), f(PointName2), f(PointX), f(PointY), f(PointMark);
    f(LineX1), f(LineY1), f(LineX2), f(LineY2), f(LineColor);
    f(TegakiX), f(TegakiY), f(TegakiColor), f(TegakiPen);
    f(TxtX), f(TxtY), f(TxtString), f(TxtColor), f(TxtSel), f(TxtLinePos), f(TxtLineStr);
    f(UndoKind), f(UndoItem), f(UndoVal1), f(UndoVal2), f(UndoText);
    f(HaikeiFile), f(HaikeiXMin), f(HaikeiYMin), f(HaikeiXMax), f(HaikeiYMax);
    f(HaikeiBright), f(HaikeiDef);
    f(GpsX), f(GpsY);
    f(PointColorShown), f(LineColorShown), f(TxtColorShown), f(TegakiColorShown), f(LineWidthOf);
    f(SymbolChar), f(SymbolColor), f(SymbolLabel), f(PhraseKey), f(PhraseText);
    f(TxtLineShow), f(KakuchiAttrShow);
    f(CalcPickList), f(SightList), f(AreaX), f(AreaY), f(LinkCand);
    f(MoveLines), f(NameCandidates);
}

// Gives every cell its start value (zero, the empty text, or the free
// coordinate name); costs what was touched since the last reset.
template <typename Table>
void clearTable(Table& table)
{
    table.reset();
}

void resetEditorCaptions()
{
    CrtextPhrase[1] = QStringLiteral("に分筆");
    CrtextPhrase[2] = QStringLiteral("から分筆");
    CrtextPhrase[3] = QStringLiteral("を合筆");
    CrtextPhrase[4] = QStringLiteral("→山林　不詳");
    CrtextPhrase[5] = QStringLiteral("→畑　不詳");
    CrtextPhrase[6] = QStringLiteral("→宅地　不詳");
    CrtextPhrase[7] = QStringLiteral("→公道　不詳");
    CrtextPhrase[8] = QStringLiteral("→用悪水路　不詳");
    CrtextPhrase[9] = QStringLiteral("→田　不詳");
}

void resetColourTables()
{
    constexpr int kLastShownColour = 14;
    for (int c = 0; c <= kColorTableTop; ++c) {
        const std::uint8_t shown = c <= kLastShownColour ? 1 : 0;
        PointColorShown[c] = shown;
        LineColorShown[c] = shown;
        TxtColorShown[c] = shown;
        TegakiColorShown[c] = shown;
        LineWidthOf[c] = 2;
    }
    LineWidthOf[8] = 1;
    LineWidthOf[kColorTableTop] = 0;
    ColorPick = 0;
    TxtColorCur = 12;
    KakuchiColor = 8;
    GpsColor = 14;
}

void resetStartupState()
{
    SiteFolder.clear();
    WorkFolder.clear();
    BaseCaption.clear();
    LoadingFlag = 0;
    SkipPointview = 0;
    SkipTxtview = 0;
    SkipTegakidraw = 0;
    StartMode = 0;
    SiteMode = 0;
    SignFileDate = 0.0;
    KeptSima.clear();
    TwipPixX = 0.0F;
    TwipPixY = 0.0F;
    ScreenW = 0.0F;
    ScreenH = 0.0F;
    PlotHwnd = 0;
    ForeHwnd = 0;
    TileCacheCount = 0;
    DataDirty = 0;
    PointChanged = 1;
    LineChanged = 1;
    TxtChanged = 1;
    TegakiChanged = 1;
    FullLayout = 1;
}

void resetSiteCounters()
{
    OriginX = 0.0;
    OriginY = 0.0;
    DataXMax = 0.0;
    DataXMin = 0.0;
    DataYMax = 0.0;
    DataYMin = 0.0;
    ZahyoMax = 0;
    ZahyoBaseMax = 0;
    ZahyoSaved = 0;
    ZahyoDirty = 0;
    KakuchiCount = 0;
    KakuchiOpenCount = 0;
    PointCount = 0;
    LineNext = 1;
    LineImported = 0;
    TegakiCount = 0;
    TxtCount = 0;
    UndoPos = 0;
    UndoTop = 0;
    GpsCount = 0;
}

void resetViewState()
{
    ViewCX = ViewCY = ViewSpanX = ViewSpanY = 0.0;
    FitSpanX = FitSpanY = 0.0;
    PrevCX = PrevCY = PrevSpanX = PrevSpanY = 0.0;
    MemoCX = MemoCY = MemoSpanX = MemoSpanY = 0.0;
    RedrawCause = 0;
    TextScale = 1.0F;
    PointFontSize = 12;
    MarkSize = 70;
    Redrawn = 0;
    DragZoomArmed = 0;
    DiagonalArmed = 0;
    DiagonalLabelHidden = 0;
    SearchHit = 0;
    LastClickX = LastClickY = 0.0;
    PressX = PressY = 0.0F;
    PanOnce = 0;
    PanDrag = 0;
    PanStartX = PanStartY = 0.0F;
    PanAnchorX = PanAnchorY = 0.0F;
    DragZoomHeld = 0;
    BandX = BandY = 0.0;
    DiagonalDrag = 0;
    ParcelRange = 0;
    RangeStartX = RangeStartY = 0.0F;
    PointerMoved = 0;
}

void resetBackgroundState()
{
    Haikei1Code = 0;
    Haikei2Code = 0;
    HaikeiAutoLoad = 0;
    HaikeiTop = 1;
    TileZoom = 0;
    TileRotation = 0.0F;
    RasterSize = 0.0F;
    TileDlMode = 0;
    TileScreensSaved = 0;
}

// Start-up values of the settings followed by the settings reader's own
// defaults (which it sets before reading the file), so the result is the
// state of a start without tavelcor.jkn.
void resetSettings()
{
    HitRadius = 10;
    FontSize = 12;
    WindowLayout = 0.0F;
    KeepStation = QStringLiteral("1");
    Setting6Text.clear();
    DiagZoom = 2;
    GpsWaitMsg = 0;
    SxfTextH = SxfMarkH = SxfPointTextH = 2.0F;
    BackupMinutes = 5;
    SxfMarkMode = 0;
    TxtSplit = -1;
    TxtLineEdit = -1;
    BackToAdd = 0;
    Setting17 = 0;
    WembraOff = 1;
    ZoneNo = 6;
    TileScreens = 5;
    SlideFactor = 1.0F;
    GsiOffline = 0;
    DblClickInput = 0;
    PointLimit = 1000;
    TxtLimit = 500;
    CollectorSdl = 0;
    KintabAuto = 0;
    SelOnly = 0;
    VarFont = 1;
    RecordMain = 0;
    KeepView = 0;
    FillSelected = 0;
}

void resetCalculationState()
{
    RclickMode = 1;
    CalcPick1 = CalcPick2 = CalcPick3 = 0;
    CalcPickCount = 0;
    CalcStep = 0;
    CalcPickA = CalcPickB = 0;
    CalcPickName.clear();
    StationNo = BackNo = 0.0F;
    BaseAzimuth = 0.0;
    BaseLength = 0.0;
    WembraValue = 0;
    MsgText.clear();
    AreaCount = 0;
    LinkCandCount = 0;
    PhotoReload = 0;
    PhotoUseTemp = 0;
    SelClearPending = 0;
    MenuMode = 0;
}

void resetEditState()
{
    CurPoint = 0;
    MovePoint = 0;
    MovedPoint = 0;
    MoveOldX = MoveOldY = 0.0;
    DelPending = 0;
    PickedLine = 0;
    LastAddSplit = 0;
    NameFieldClicked = 0;
    LineRubber = 0;
    LineDragging = 0;
    MoveLine = 0;
    MoveLineEnd = 1;
    PickedLineColor = 0;
    LineChainLength = 0.0;
    RangeBoxDrawn = 0;
    LineSubState = 0;
    RouteFirst = RouteLast = 0;
    TxtPick = 0;
    TxtEdit = 0;
    TxtEditOld.clear();
    TxtEditOldColor = 0;
    LastCommittedName.clear();
    LastMeasured.clear();
    MesgAnswer.clear();
    SimaZahyoStart = 1;
    SimaKakuchiStart = 1;
    SimaTarget = 0;
    SimaCancel = 0;
    SimaCompress = 0;
    DanmenPitch = 1;
    DanmenScale = 1;
    DanmenMaxPoints = 0;
    DanmenFixedPitch = 0;
    DanmenCurvature = 0;
    DanmenPitchPoints = 0;
}

void resetPrintState()
{
    PrintKind = 0;
    PrintText.clear();
    PrintMode = 0;
    PaperChoice = 0;
    PrintOffsetL = 0;
    PrintMarginB = 0;
}

}  // namespace

QString freeZahyoName()
{
    return QStringLiteral("_?>");
}

QString openFigureName()
{
    return QStringLiteral("type open");
}

void allocateTables()
{
    if (tablesAllocated())
        return;
    forEachTable([](auto& table) { table.allocate(); });
    ZahyoName.setStartValue(freeZahyoName());
    allocateAttrRows();
}

bool tablesAllocated()
{
    return ZahyoX.allocated();
}

void clearZahyo()
{
    ZahyoName.reset();  // its start value is the free name
    ZahyoX.reset();
    ZahyoY.reset();
    ZahyoH.reset();
    ZahyoPX.reset();
    ZahyoPY.reset();
    ZahyoUsed.reset();
    ZahyoLink.reset();
}

void resetTables()
{
    allocateTables();
    forEachTable([](auto& table) { clearTable(table); });
    clearKakuchiAttrs();
    resetEditorCaptions();
    resetColourTables();
    resetStartupState();
    resetSiteCounters();
    resetViewState();
    resetBackgroundState();
    resetSettings();
    resetCalculationState();
    resetEditState();
    resetPrintState();
}

QString KakuchiAttr(int parcel, int column)
{
    if (!gAttrRows || parcel < 0 || parcel > kKakuchiTop || column < 0 || column > kKakuchiAttrTop)
        return QString();
    const std::vector<QString>& row = gAttrRows[std::size_t(parcel)];
    return std::size_t(column) < row.size() ? row[std::size_t(column)] : QString();
}

bool setKakuchiAttr(int parcel, int column, const QString& text)
{
    if (parcel < 0 || parcel > kKakuchiTop || column < 0 || column > kKakuchiAttrTop)
        return false;
    allocateAttrRows();
    std::vector<QString>& row = gAttrRows[std::size_t(parcel)];
    if (std::size_t(column) >= row.size()) {
        if (text.isEmpty())
            return true;  // an unwritten cell already reads empty
        if (row.empty())
            ++gAttrRowCount;
        gAttrRowTop = std::max(gAttrRowTop, parcel);
        row.resize(std::size_t(column) + 1);
    }
    row[std::size_t(column)] = text;
    return true;
}

void reserveKakuchiAttr(int parcel, int column)
{
    if (parcel < 0 || parcel > kKakuchiTop || column < 0 || column > kKakuchiAttrTop)
        return;
    if (!gAttrRows || gAttrRows[std::size_t(parcel)].empty())
        return;
    gAttrRows[std::size_t(parcel)].reserve(std::size_t(column) + 1);
}

void clearKakuchiAttrs()
{
    if (!gAttrRows || gAttrRowCount == 0)
        return;
    for (int p = 0; p <= gAttrRowTop; ++p)
        std::vector<QString>().swap(gAttrRows[std::size_t(p)]);
    gAttrRowCount = 0;
    gAttrRowTop = -1;
}

int kakuchiAttrRowCount()
{
    return gAttrRowCount;
}

}  // namespace tavelcor
