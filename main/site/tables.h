// SPDX-License-Identifier: LicenseRef-Tavelcor
// The shared tables and state of the main program.
//
// The site lives in fixed-size module-level tables: coordinates (Zahyo),
// parcels (Kakuchi), observation points (Point), lines (Line), hand-stroke
// vertices (Tegaki), texts (Txt), the undo history, background rasters, the
// GPS track, colour tables, symbols, phrases and the settings of
// tavelcor.jkn. Every subsystem reads and changes them directly, so code
// reads as `ZahyoX[n]`, `UndoText(0, pos)`, `KakuchiAttr(p, c)`.
//
// Rules:
// - allocateTables() sizes every table once; nothing is ever resized. The
//   first resetTables() allocates too.
// - resetTables() gives every table and value its start-up value: the one
//   given with the item below ("start:"), else 0 or empty. Values before the
//   first resetTables() are not meaningful. Tests call it between cases.
// - Indexes are checked by the caller against the table's bounds before a
//   write: each table has static contains(i) and the named bounds below. A
//   number read from a file, the clipboard or a field that lies outside is
//   refused, never written. Indexing outside a table is a programming error:
//   where the bounds are checked (debug builds and the sanitizer build,
//   kTableBoundsChecked) it stops the program with the table's name and the
//   index. Release builds do not check: the redraw and the readers index
//   the tables in their innermost loops.
// - Coordinates: X is north, Y east, metres. "Plot" values are minus the site
//   origin (OriginX, OriginY); "absolute" values are not.
// - Single precision stays `float` where the data is single precision:
//   results depend on it.
// - Single-threaded: only the UI thread touches these.
// - Every table counts its changes (changes()): each access that can write
//   (the non-const operator[], begin(), end(), fill(), allocate()) counts as
//   one, whether it writes or not. Code that keeps something worked out from
//   a table (the plot's spatial index) compares the count to know it is
//   still good; it therefore never misses a write. Reading through a const
//   reference (std::as_const(ZahyoX)[i]) does not count: hot readers use it
//   so that they do not make such derived data look stale. A write through a
//   pointer taken earlier is not seen: call touch() after it.
//
// Memory: up to about 120 MB (the sizes are fixed by the largest sites the
// program takes); the large tables take pages from the system only as they
// are touched (table_store.h). The parcel attribute columns are stored
// sparsely (see KakuchiAttr) because 50001 x 41 text cells would cost 48 MB
// while most sites hold a few columns for some parcels.
#pragma once

#include "main/site/table_store.h"

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tavelcor {

// ============================================================== bounds checks

// TAVELCOR_CHECK_TABLE_BOUNDS (set by the sanitizer build) or a debug build
// checks every index of a table; a release build checks none.
#if defined(TAVELCOR_CHECK_TABLE_BOUNDS) || !defined(QT_NO_DEBUG)
inline constexpr bool kTableBoundsChecked = true;
#else
inline constexpr bool kTableBoundsChecked = false;
#endif

namespace tablecheck {

// Writes "table <name>: index <i> outside <low>..<high>" (or that the table
// is not allocated yet) to the standard error and aborts.
[[noreturn]] void indexFault(const char* table, bool allocated, std::ptrdiff_t i, std::ptrdiff_t low,
                             std::ptrdiff_t high) noexcept;
// The same for a two-dimensional table: "index (i, j) outside (..., ...)".
[[noreturn]] void indexFault2(const char* table, bool allocated, std::ptrdiff_t i, std::ptrdiff_t j,
                              std::ptrdiff_t low1, std::ptrdiff_t high1, std::ptrdiff_t low2,
                              std::ptrdiff_t high2) noexcept;

}  // namespace tablecheck

// ===================================================================== storage

// A one-dimensional table indexed Low..High (both included), allocated once.
template <typename T, std::ptrdiff_t Low, std::ptrdiff_t High>
class FixedTable {
public:
    static_assert(Low <= High);
    using value_type = T;
    static constexpr std::ptrdiff_t kLow = Low;
    static constexpr std::ptrdiff_t kHigh = High;
    static constexpr std::ptrdiff_t kSize = High - Low + 1;

    constexpr FixedTable() noexcept = default;
    // name: the table's name in the message of a bad index.
    constexpr explicit FixedTable(const char* name) noexcept : mName(name) {}
    FixedTable(const FixedTable&) = delete;
    FixedTable& operator=(const FixedTable&) = delete;

    // True when i is an index of this table.
    static constexpr bool contains(std::ptrdiff_t i) noexcept { return i >= Low && i <= High; }

    T& operator[](std::ptrdiff_t i) noexcept
    {
        check(i);
        ++mChanges;
        return cells()[i - Low];
    }
    const T& operator[](std::ptrdiff_t i) const noexcept
    {
        check(i);
        return cells()[i - Low];
    }

    bool allocated() const noexcept { return mStore.allocated(); }
    // Allocates the storage (value-initialised) unless it exists already.
    void allocate()
    {
        ++mChanges;
        mStore.allocate(std::size_t(kSize));
    }
    // Has the system give the memory of cells first..last (clamped to the
    // table) now, for a reader about to write them: one call instead of a
    // page fault per page. No cell changes, so it counts no change.
    void prefaultRows(std::ptrdiff_t first, std::ptrdiff_t last) const noexcept
    {
        first = std::max(first, Low);
        last = std::min(last, High);
        if (first <= last)
            mStore.prefault(std::size_t(first - Low), std::size_t(last - first + 1));
    }
    void fill(const T& value)
    {
        ++mChanges;
        mStore.fill(value);
    }
    // Makes value what reset() gives every cell (T{} until then), and gives
    // it to every cell now. value must own no heap memory (a number or a
    // text literal) for reset() to stay cheap.
    void setStartValue(const T& value)
    {
        ++mChanges;
        mStore.setStartValue(value);
    }
    // Every cell back to its start value; costs what the run touched.
    void reset()
    {
        ++mChanges;
        mStore.reset();
    }

    T* begin() noexcept
    {
        ++mChanges;
        return cells();
    }
    T* end() noexcept
    {
        ++mChanges;
        return cells() ? cells() + kSize : nullptr;
    }
    const T* begin() const noexcept { return cells(); }
    const T* end() const noexcept { return cells() ? cells() + kSize : nullptr; }

    // Number of accesses that could write, since the program started; it
    // never goes back.
    std::uint64_t changes() const noexcept { return mChanges; }
    // Counts a write made through a pointer taken earlier.
    void touch() noexcept { ++mChanges; }

    const char* name() const noexcept { return mName; }

private:
    T* cells() const noexcept { return mStore.data(); }

    // Stops the program on an index outside the table where bounds are
    // checked (kTableBoundsChecked); compiles to nothing elsewhere.
    void check([[maybe_unused]] std::ptrdiff_t i) const noexcept
    {
        if constexpr (kTableBoundsChecked) {
            if (!cells() || !contains(i)) [[unlikely]]
                tablecheck::indexFault(mName, cells() != nullptr, i, Low, High);
        }
    }

    tablestore::TableStore<T> mStore;
    std::uint64_t mChanges = 0;
    const char* mName = "table";
};

// A two-dimensional table indexed (Low1..High1, Low2..High2), allocated once;
// read and written as table(i, j).
template <typename T, std::ptrdiff_t Low1, std::ptrdiff_t High1, std::ptrdiff_t Low2,
          std::ptrdiff_t High2>
class FixedTable2 {
public:
    static_assert(Low1 <= High1 && Low2 <= High2);
    using value_type = T;
    static constexpr std::ptrdiff_t kRows = High1 - Low1 + 1;
    static constexpr std::ptrdiff_t kColumns = High2 - Low2 + 1;
    static constexpr std::ptrdiff_t kSize = kRows * kColumns;

    constexpr FixedTable2() noexcept = default;
    constexpr explicit FixedTable2(const char* name) noexcept : mName(name) {}
    FixedTable2(const FixedTable2&) = delete;
    FixedTable2& operator=(const FixedTable2&) = delete;

    static constexpr bool contains(std::ptrdiff_t i, std::ptrdiff_t j) noexcept
    {
        return i >= Low1 && i <= High1 && j >= Low2 && j <= High2;
    }

    T& operator()(std::ptrdiff_t i, std::ptrdiff_t j) noexcept
    {
        check(i, j);
        ++mChanges;
        return cells()[(i - Low1) * kColumns + (j - Low2)];
    }
    const T& operator()(std::ptrdiff_t i, std::ptrdiff_t j) const noexcept
    {
        check(i, j);
        return cells()[(i - Low1) * kColumns + (j - Low2)];
    }

    bool allocated() const noexcept { return mStore.allocated(); }
    void allocate()
    {
        ++mChanges;
        mStore.allocate(std::size_t(kSize));
    }
    void fill(const T& value)
    {
        ++mChanges;
        mStore.fill(value);
    }
    // Every cell back to T{}; costs what the run touched.
    void reset()
    {
        ++mChanges;
        mStore.reset();
    }

    T* begin() noexcept
    {
        ++mChanges;
        return cells();
    }
    T* end() noexcept
    {
        ++mChanges;
        return cells() ? cells() + kSize : nullptr;
    }

    // As FixedTable::changes() and touch().
    std::uint64_t changes() const noexcept { return mChanges; }
    void touch() noexcept { ++mChanges; }

    const char* name() const noexcept { return mName; }

private:
    T* cells() const noexcept { return mStore.data(); }

    // As FixedTable::check().
    void check([[maybe_unused]] std::ptrdiff_t i, [[maybe_unused]] std::ptrdiff_t j) const noexcept
    {
        if constexpr (kTableBoundsChecked) {
            if (!cells() || !contains(i, j)) [[unlikely]]
                tablecheck::indexFault2(mName, cells() != nullptr, i, j, Low1, High1, Low2, High2);
        }
    }

    tablestore::TableStore<T> mStore;
    std::uint64_t mChanges = 0;
    const char* mName = "table";
};

// ====================================================================== bounds

inline constexpr int kZahyoTop = 500000;         // coordinate numbers 0..500000 (0 is scratch)
inline constexpr int kKakuchiTop = 50000;        // parcel slots 0..50000
inline constexpr int kKakuchiCountLimit = 32767; // parcels in use: KakuchiCount is 16-bit
inline constexpr int kKakuchiVertexTop = 600000; // vertex slots 0..600000
inline constexpr int kKakuchiAttrTop = 40;       // attribute columns 0..40 (1 is the name)
inline constexpr int kPointTop = 500000;         // observation points 0..500000
inline constexpr int kLineTop = 500000;          // lines 0..500000
inline constexpr int kTegakiTop = 1000000;       // hand-stroke vertices 0..1000000
inline constexpr int kTxtTop = 30000;            // texts 0..30000
inline constexpr int kUndoTop = 20001;           // undo entries 0..20001 (0 unused)
inline constexpr int kHaikeiSlotTop = 3;         // background raster slots 0..3
inline constexpr int kHaikeiRowTop = 10000;      // rows of a slot 0..10000
inline constexpr int kHaikeiLayerTop = 9;        // background layer codes 0..9
inline constexpr int kHaikeiDefTop = 3;          // raster definition paths 0..3 (0..2 used)
inline constexpr int kGpsTrackTop = 30000;       // GPS positions 0..30000 (1..30000 used)
inline constexpr int kColorTableTop = 16;        // per-colour tables 0..16 (palette 0..15)
inline constexpr int kSymbolCount = 18;          // point symbols 1..18
inline constexpr int kPhraseTop = 4000;          // phrase entries 1..4000
inline constexpr int kSettingsLineCount = 56;    // lines of tavelcor.jkn
inline constexpr int kTileCacheTop = 100000;     // cached tile names 1..100000
inline constexpr int kCrtextPhraseTop = 10;      // editor captions 0..10 (1..9 used)
inline constexpr int kTxtLineTop = 500;          // text line layout entries 0..500
inline constexpr int kAreaTop = 200;             // area measurement vertices 0..200
inline constexpr int kCalcPickListTop = 100;     // right-click pick list 0..100
inline constexpr int kSightListTop = 20;         // instrument set-up entries 0..20
inline constexpr int kLinkCandTop = 1000;        // photo candidates 0..1000
inline constexpr int kMoveLinesTop = 100;        // lines carried by a point move 0..100
inline constexpr int kNameCandidatesTop = 100;   // point-name candidates 0..100

// ======================================================= lifetime of the tables

// Allocates every table at its fixed size; later calls do nothing.
void allocateTables();

// True once allocateTables() (or resetTables()) has run.
bool tablesAllocated();

// Gives every table, counter and setting its start-up value (allocating the
// tables first when needed): the values start-up sets before any file is
// read, then the defaults of the settings reader, so the state equals that of
// a start without settings files. Every coordinate number is free ("_?>").
// Costs in proportion to what was touched since the last reset (pages of the
// large tables, table_store.h): microseconds after a small case, a few tens
// of milliseconds after a run that filled every table.
void resetTables();

// Clears the coordinate table for numbers 0..500000: X, Y, H, plot X/Y 0,
// name "_?>", not a parcel vertex, no linked file. ZahyoMax is not changed.
void clearZahyo();

// ================================================================ text names

// Name of a free coordinate number.
QString freeZahyoName();
// Name under which a figure that is not a closed parcel is stored.
QString openFigureName();

// ====================================================== folders and start-up

// The open site's folder with a trailing "/" (the program folder + "/" before
// a site is opened); site files are read and written there. start: "" (the
// start-up sets it).
inline QString SiteFolder;
// The work folder: system temporary folder + "/Eld", no trailing "/". start: ""
// (the start-up sets it).
inline QString WorkFolder;
// The main window's caption as designed, kept before file names are appended.
inline QString BaseCaption;
// 9 while start-up runs: the full redraw then draws nothing. start: 0.
inline std::uint8_t LoadingFlag = 0;
// 1 = the next full redraw leaves out the points / texts / hand strokes.
inline std::uint8_t SkipPointview = 0;
inline std::uint8_t SkipTxtview = 0;
inline std::uint8_t SkipTegakidraw = 0;
// 0 site chooser, 1 clipboard point rows, 2 clipboard SIMA hand-over. start: 0.
inline std::uint8_t StartMode = 0;
// 1 after a start through the site chooser (map-only view included): the DAT
// files are read and shut-down saves. start: 0.
inline std::uint8_t SiteMode = 0;
// Last-modified time of the site sign file when opened, then the time of the
// last complete save, as a date double (days since 1899-12-30); 0 = unknown.
inline double SignFileDate = 0.0;
// SIMA text of a clipboard hand-over or workbook reload; not empty = every
// save rewrites ZAHYO.SIM. start: "".
inline QString KeptSima;
// Screen twips per pixel (x, y), each times 1.002.
inline float TwipPixX = 0.0F;
inline float TwipPixY = 0.0F;
// Screen width and height in twips.
inline float ScreenW = 0.0F;
inline float ScreenH = 0.0F;
// The main window's window id and the foreground window's id as last recorded.
inline std::uintptr_t PlotHwnd = 0;
inline std::uintptr_t ForeHwnd = 0;
// Names of the cached files of the work folder, entries 1..TileCacheCount.
inline FixedTable<QString, 0, kTileCacheTop> TileCache{"TileCache"};
inline std::int32_t TileCacheCount = 0;
// Captions of the insert buttons of the multi-line text editor, 1..9
// (start: "に分筆", "から分筆", "を合筆", "→山林　不詳", "→畑　不詳", "→宅地　不詳",
// "→公道　不詳", "→用悪水路　不詳", "→田　不詳"; entries 0 and 10 empty).
inline FixedTable<QString, 0, kCrtextPhraseTop> CrtextPhrase{"CrtextPhrase"};
// -1 = the site data count as modified (backup and exit save); 0 = not.
inline std::int16_t DataDirty = 0;
// 1 = write this table at the next hourly backup. start: 1 each.
inline std::uint8_t PointChanged = 1;
inline std::uint8_t LineChanged = 1;
inline std::uint8_t TxtChanged = 1;
inline std::uint8_t TegakiChanged = 1;
// 1 standard layout with the side panel, 0 compact layout. start: 1.
inline std::uint8_t FullLayout = 1;

// ================================================================ site origin

// The largest plane coordinate (X or Y), absolute metres. A zone's plane
// coordinates of any place in Japan lie within about 1000 km of its origin,
// and no point of the earth lies 10000 km north or south of it: a larger
// value in a file is no plane coordinate (a damaged or foreign file). The
// readers refuse it, so that it can never decide the site origin, which
// every other value is stored relative to.
inline constexpr double kPlaneCoordinateLimit = 10000000.0;

// True when metres can be a plane coordinate: finite and within
// kPlaneCoordinateLimit of the zone's origin.
inline bool isPlaneCoordinate(double metres)
{
    return metres >= -kPlaneCoordinateLimit && metres <= kPlaneCoordinateLimit;  // false for NaN
}

// The site origin, absolute metres: the centre of the data extent at load.
inline double OriginX = 0.0;
inline double OriginY = 0.0;
// Extent of the site's coordinates, absolute metres.
inline double DataXMax = 0.0;
inline double DataXMin = 0.0;
inline double DataYMax = 0.0;
inline double DataYMin = 0.0;

// ============================================================ Zahyo: coordinates

// Indexed by coordinate number 1..500000; number 0 is the scratch slot of the
// calculations, number 500000 serves the parcel-label test.
// Name; "_?>" marks a free number, a trailing "_?_" a temporary coordinate.
inline FixedTable<QString, 0, kZahyoTop> ZahyoName{"ZahyoName"};
// X (north), Y (east), H (height), absolute metres.
inline FixedTable<double, 0, kZahyoTop> ZahyoX{"ZahyoX"};
inline FixedTable<double, 0, kZahyoTop> ZahyoY{"ZahyoY"};
inline FixedTable<double, 0, kZahyoTop> ZahyoH{"ZahyoH"};
// Plot X and Y: X, Y minus the origin, metres.
inline FixedTable<double, 0, kZahyoTop> ZahyoPX{"ZahyoPX"};
inline FixedTable<double, 0, kZahyoTop> ZahyoPY{"ZahyoPY"};
// 1 when the coordinate is a vertex of some parcel, else 0.
inline FixedTable<std::int32_t, 0, kZahyoTop> ZahyoUsed{"ZahyoUsed"};
// Linked file of a hand-over point (at most 200 characters); "" = none.
inline FixedTable<QString, 0, kZahyoTop> ZahyoLink{"ZahyoLink"};
// Highest coordinate number in use. start: 0.
inline std::int32_t ZahyoMax = 0;
// ZahyoMax before the first computed coordinate of the run; 0 = none yet.
inline std::int32_t ZahyoBaseMax = 0;
// ZahyoMax at load or at the last save that wrote added coordinates.
inline std::int32_t ZahyoSaved = 0;
// 1 once coordinates were added or changed in this run.
inline std::uint8_t ZahyoDirty = 0;

// =============================================================== Kakuchi: parcels

// Parcels 1..KakuchiCount (at most 32767 in use).
// Name; "type open" marks an open figure.
inline FixedTable<QString, 0, kKakuchiTop> KakuchiName{"KakuchiName"};
// Info text (the parcel's location).
inline FixedTable<QString, 0, kKakuchiTop> KakuchiInfo{"KakuchiInfo"};
// First and last slot of the parcel's vertices in KakuchiVertex.
inline FixedTable<std::int32_t, 0, kKakuchiTop> KakuchiFirst{"KakuchiFirst"};
inline FixedTable<std::int32_t, 0, kKakuchiTop> KakuchiLast{"KakuchiLast"};
// 1 = selected.
inline FixedTable<std::uint8_t, 0, kKakuchiTop> KakuchiSel{"KakuchiSel"};
// Label point, plot coordinates (north, east), single precision.
inline FixedTable<float, 0, kKakuchiTop> KakuchiLabelX{"KakuchiLabelX"};
inline FixedTable<float, 0, kKakuchiTop> KakuchiLabelY{"KakuchiLabelY"};
// Shared vertex list: coordinate numbers of all parcels, in order.
inline FixedTable<std::int32_t, 0, kKakuchiVertexTop> KakuchiVertex{"KakuchiVertex"};
// Number of parcels, open figures included (signed 16-bit). start: 0.
inline std::int16_t KakuchiCount = 0;
// Number of open figures among them. start: 0.
inline std::int32_t KakuchiOpenCount = 0;
// Colour index of the parcel outlines. start: 8.
inline std::int16_t KakuchiColor = 8;

// Attribute text of parcel 0..50000, column 0..40 (column 1 is the name).
// Empty for a cell never written and for indexes outside the table.
QString KakuchiAttr(int parcel, int column);
// Writes an attribute cell. A parcel's row is allocated at its first non-empty
// write and holds columns up to the highest written one; writing "" into a
// parcel without a row allocates nothing. False (nothing written) for indexes
// outside the table.
bool setKakuchiAttr(int parcel, int column, const QString& text);
// Makes room in a parcel's row, when it has one, for columns up to column,
// for a reader about to write them one by one: one allocation instead of one
// per growth. Writes no cell and changes no row's columns; nothing for a
// parcel without a row or indexes outside the table.
void reserveKakuchiAttr(int parcel, int column);
// Drops every attribute row.
void clearKakuchiAttrs();
// Number of parcels that hold an attribute row (0 after a reset).
int kakuchiAttrRowCount();

// ========================================================= Point: observation points

// Points 1..PointCount (highest index in use).
inline FixedTable<QString, 0, kPointTop> PointName{"PointName"};
// Second name; "済" anywhere in it marks a measured point.
inline FixedTable<QString, 0, kPointTop> PointName2{"PointName2"};
// Plot X (north) and Y (east), metres.
inline FixedTable<double, 0, kPointTop> PointX{"PointX"};
inline FixedTable<double, 0, kPointTop> PointY{"PointY"};
// Symbol 1..18; plus 100 marks a deleted point; 0 an empty slot.
inline FixedTable<std::uint8_t, 0, kPointTop> PointMark{"PointMark"};
inline std::int32_t PointCount = 0;
// The highest point index a walk over the points may read.
inline int lastPointIndex() { return std::min(PointCount, kPointTop); }

// ================================================================== Line: lines

// Lines 1..LineNext - 1; ends in plot coordinates, metres.
inline FixedTable<double, 0, kLineTop> LineX1{"LineX1"};
inline FixedTable<double, 0, kLineTop> LineY1{"LineY1"};
inline FixedTable<double, 0, kLineTop> LineX2{"LineX2"};
inline FixedTable<double, 0, kLineTop> LineY2{"LineY2"};
// Colour index; drawn when 99 or less; 100 or more marks a deleted line.
inline FixedTable<std::uint8_t, 0, kLineTop> LineColor{"LineColor"};
// Next free line index. start: 1.
inline std::int32_t LineNext = 1;
// The highest line index a walk over the lines may read.
inline int lastLineIndex() { return std::min(LineNext - 1, kLineTop); }
// Lines 1..LineImported were stored absolute by the format-2000 reader.
inline std::int32_t LineImported = 0;

// ===================================================== Tegaki: hand-stroke vertices

// Vertices 1..TegakiCount; plot coordinates, single precision.
inline FixedTable<float, 0, kTegakiTop> TegakiX{"TegakiX"};
inline FixedTable<float, 0, kTegakiTop> TegakiY{"TegakiY"};
// Colour index.
inline FixedTable<std::uint8_t, 0, kTegakiTop> TegakiColor{"TegakiColor"};
// 1 stroke start, 2 continue, 3 end, 0 deleted (the TegakiPenCode values).
inline FixedTable<std::uint8_t, 0, kTegakiTop> TegakiPen{"TegakiPen"};
enum TegakiPenCode : std::uint8_t { kPenDeleted = 0, kPenFirst = 1, kPenNext = 2, kPenLast = 3 };
inline std::int32_t TegakiCount = 0;

// ================================================================== Txt: texts

// Texts 1..TxtCount; anchor in plot coordinates, single precision.
inline FixedTable<float, 0, kTxtTop> TxtX{"TxtX"};
inline FixedTable<float, 0, kTxtTop> TxtY{"TxtY"};
// The text; half-width blanks separate the lines of a multi-line text.
inline FixedTable<QString, 0, kTxtTop> TxtString{"TxtString"};
// Colour index; 20 or more is not drawn; 100 or more marks a deleted text.
inline FixedTable<std::uint8_t, 0, kTxtTop> TxtColor{"TxtColor"};
// 1 = selected.
inline FixedTable<std::uint8_t, 0, kTxtTop> TxtSel{"TxtSel"};
inline std::int32_t TxtCount = 0;
// Layout of the text last laid out: north of each line's top (plot metres)
// and its string, lines 1..; scratch, valid until the next layout.
inline FixedTable<float, 0, kTxtLineTop> TxtLinePos{"TxtLinePos"};
inline FixedTable<QString, 0, kTxtLineTop> TxtLineStr{"TxtLineStr"};

// ============================================================ undo history

// Entries 1..UndoTop; kind 0 marks an empty entry.
inline FixedTable<std::uint8_t, 0, kUndoTop> UndoKind{"UndoKind"};
// Item index in its table (signed: for line ends the sign names the end).
inline FixedTable<std::int32_t, 0, kUndoTop> UndoItem{"UndoItem"};
// Two values whose meaning depends on the kind, single precision.
inline FixedTable<float, 0, kUndoTop> UndoVal1{"UndoVal1"};
inline FixedTable<float, 0, kUndoTop> UndoVal2{"UndoVal2"};
// UndoText(0, i) the before text (or a range step's running number),
// UndoText(1, i) the after text.
inline FixedTable2<QString, 0, 1, 0, kUndoTop> UndoText{"UndoText"};
// The entry the next Undo reverts and the highest entry written (16-bit).
inline std::int16_t UndoPos = 0;
inline std::int16_t UndoTop = 0;

// ======================================================================= view

// Centre of the view, absolute metres.
inline double ViewCX = 0.0;
inline double ViewCY = 0.0;
// Extent of the view along X (north, the plot's height) and Y (east), metres.
inline double ViewSpanX = 0.0;
inline double ViewSpanY = 0.0;
// The extents wanted before they were fitted to the plot's aspect.
inline double FitSpanX = 0.0;
inline double FitSpanY = 0.0;
// The view shown before the last redraw.
inline double PrevCX = 0.0;
inline double PrevCY = 0.0;
inline double PrevSpanX = 0.0;
inline double PrevSpanY = 0.0;
// One memorised view; all 0 until memorised.
inline double MemoCX = 0.0;
inline double MemoCY = 0.0;
inline double MemoSpanX = 0.0;
inline double MemoSpanY = 0.0;
// Why a redraw runs: 0 normal, 2 a snapshot is registered as background
// slot 3 row 0, 9 a deferred redraw that does not clear the plot first.
inline std::uint8_t RedrawCause = 0;
// Letter-size factor of texts for the current view. start: 1.0.
inline float TextScale = 1.0F;
// Letter size of point names last chosen by the point drawer. start: 12.
inline std::int16_t PointFontSize = 12;
// Marker size of coordinates in twips. start: 70.
inline std::int16_t MarkSize = 70;
// 1 = the line drawer ran since the last rubber band was drawn.
inline std::uint8_t Redrawn = 0;
// 1 = a left press armed the drag zoom window; view buttons clear it.
inline std::int32_t DragZoomArmed = 0;
// 1 while the "対角" two-corner rectangle is armed; the view buttons, the
// pointer handlers and the panel openers all use this one flag.
inline std::uint8_t DiagonalArmed = 0;
// 1 when arming the "対角" rectangle hid the hover label.
inline std::uint8_t DiagonalLabelHidden = 0;
// Coordinate number found by the point search; 0 = none.
inline std::int32_t SearchHit = 0;

// ============================================================== pointer state
// What a press on the plot hands to the motion and release handlers.

// Plot position of the last press (X east, Y minus north, as received): the
// anchor of rubber bands and rectangles.
inline double LastClickX = 0.0;
inline double LastClickY = 0.0;
// The same position in single precision, kept for the double click, which
// carries no position.
inline float PressX = 0.0F;
inline float PressY = 0.0F;
// 1 after the right-click menu's "画面移動": the next press pans whatever its
// button; the release clears it.
inline std::uint8_t PanOnce = 0;
// 2 = a left press on the idle plot started a pan drag.
inline std::uint8_t PanDrag = 0;
// Plot position where a pan drag started.
inline float PanStartX = 0.0F;
inline float PanStartY = 0.0F;
// Pointer position at the last step of a pan drag: the snapshot's extent
// follows the pointer from there.
inline float PanAnchorX = 0.0F;
inline float PanAnchorY = 0.0F;
// 1 (with DragZoomArmed) when a left press fell through every branch: the
// release may draw a zoom window from it.
inline std::int32_t DragZoomHeld = 0;
// Last moving corner of the diagonal or zoom rectangle; 0, 0 = none drawn.
inline double BandX = 0.0;
inline double BandY = 0.0;
// 1 = a press in the "対角" mode set the rectangle's first corner.
inline std::uint8_t DiagonalDrag = 0;
// 1 = that press was made with "画地" and "範囲": the rectangle selects parcels.
inline std::uint8_t ParcelRange = 0;
// First corner of a range operation (delete, colour change).
inline float RangeStartX = 0.0F;
inline float RangeStartY = 0.0F;
// 0 at every press; the motion handler sets 1.
inline std::uint8_t PointerMoved = 0;

// ============================================================ backgrounds

// Background rasters by slot 0..3 and row 0..10000: image file and its
// rectangle in absolute metres. Slots 0..2 hold rasters 1..3 (a slot's rows
// end at the first empty file name); slot 3 row 0 is the snapshot, rows 1..
// the placement preview.
inline FixedTable2<QString, 0, kHaikeiSlotTop, 0, kHaikeiRowTop> HaikeiFile{"HaikeiFile"};
inline FixedTable2<double, 0, kHaikeiSlotTop, 0, kHaikeiRowTop> HaikeiXMin{"HaikeiXMin"};
inline FixedTable2<double, 0, kHaikeiSlotTop, 0, kHaikeiRowTop> HaikeiYMin{"HaikeiYMin"};
inline FixedTable2<double, 0, kHaikeiSlotTop, 0, kHaikeiRowTop> HaikeiXMax{"HaikeiXMax"};
inline FixedTable2<double, 0, kHaikeiSlotTop, 0, kHaikeiRowTop> HaikeiYMax{"HaikeiYMax"};
// Brightness level 0..5 per layer code 0..9 (0 = as it is).
inline FixedTable<std::uint8_t, 0, kHaikeiLayerTop> HaikeiBright{"HaikeiBright"};
// Full paths of the raster definition files of rasters 1..3 at 0..2; "" none.
inline FixedTable<QString, 0, kHaikeiDefTop> HaikeiDef{"HaikeiDef"};
// Layer codes of background 1 and 2: 0 none, 1..3 rasters, 5..9 tile layers.
inline std::uint8_t Haikei1Code = 0;
inline std::uint8_t Haikei2Code = 0;
// 1 while the background settings are loaded without file dialogs.
inline std::uint8_t HaikeiAutoLoad = 0;
// 1 = the background dialog stays above other windows. start: 1.
inline std::uint8_t HaikeiTop = 1;
// Zoom level of the last tile mosaic.
inline std::int32_t TileZoom = 0;
// Turn of the last tile mosaic in degrees (the meridian convergence at its
// middle tile, 0 below zoom 9); kept when the convergence cannot be computed.
inline float TileRotation = 0.0F;
// Size factor of the last raster drawn.
inline float RasterSize = 0.0F;
// 0 tiles are fetched by file download, 1 by the web request.
inline std::uint8_t TileDlMode = 0;
// The user's TileScreens, put aside while the background dialog's tile-cache
// pass runs with its own screen count.
inline std::uint8_t TileScreensSaved = 0;

// =================================================================== GPS track

// Positions 1..GpsCount in plot coordinates, single precision; wraps after
// 30000.
inline FixedTable<float, 0, kGpsTrackTop> GpsX{"GpsX"};
inline FixedTable<float, 0, kGpsTrackTop> GpsY{"GpsY"};
inline std::int32_t GpsCount = 0;
// Colour index of the track. start: 14.
inline std::int16_t GpsColor = 14;

// ====================================================== colours, symbols, phrases

// Per colour index 0..16: 1 = items of that colour are shown (points by the
// colour of their symbol). start: 1 for 0..14, 0 for 15 and 16.
inline FixedTable<std::uint8_t, 0, kColorTableTop> PointColorShown{"PointColorShown"};
inline FixedTable<std::uint8_t, 0, kColorTableTop> LineColorShown{"LineColorShown"};
inline FixedTable<std::uint8_t, 0, kColorTableTop> TxtColorShown{"TxtColorShown"};
inline FixedTable<std::uint8_t, 0, kColorTableTop> TegakiColorShown{"TegakiColorShown"};
// Line width in pixels per colour index 0..16. start: 2, but 1 for 8 and 0
// for 16.
inline FixedTable<std::uint8_t, 0, kColorTableTop> LineWidthOf{"LineWidthOf"};
// In and out value of the colour picker; 99 asks for KakuchiColor.
inline std::uint8_t ColorPick = 0;
// Colour index chosen for texts in the text panel. start: 12.
inline std::int16_t TxtColorCur = 12;
// Point symbols 1..18: one character, its colour index 0..15, its label.
inline FixedTable<QString, 0, kSymbolCount> SymbolChar{"SymbolChar"};
inline FixedTable<std::uint8_t, 0, kSymbolCount> SymbolColor{"SymbolColor"};
inline FixedTable<QString, 0, kSymbolCount> SymbolLabel{"SymbolLabel"};
// Phrase entries 1..4000 (key and text): 1..6 land categories, 7 "他", 8..
// free phrases.
inline FixedTable<QString, 0, kPhraseTop> PhraseKey{"PhraseKey"};
inline FixedTable<QString, 0, kPhraseTop> PhraseText{"PhraseText"};

// ================================================ settings (tavelcor.jkn, by line)

// 1: coordinate hit tolerance 1..30 (tolerance = HitRadius x ViewSpanX / 2000 m). start: 10.
inline std::int16_t HitRadius = 10;
// 2: letter size of names, texts and reports, 8..30 points. start: 12.
inline std::int16_t FontSize = 12;
// 3: window layout code (1 maximised, 2, 3 proportions of the screen). start: 0.
inline float WindowLayout = 0.0F;
// 5: keep the radial inverse's station: "1" yes, "2" no. start: "1".
inline QString KeepStation;
// 6: free text of line 6. start: "".
inline QString Setting6Text;
// 7: a left drag on the idle plot: 1 zoom window, 2 pan. start: 2.
inline std::uint8_t DiagZoom = 2;
// 8: 1 = the GPS program's "準備中" state switches GPS off with a message.
inline std::uint8_t GpsWaitMsg = 0;
// 9..11: SXF text, point-mark and point-text heights, mm. start: 2 each.
inline float SxfTextH = 2.0F;
inline float SxfMarkH = 2.0F;
inline float SxfPointTextH = 2.0F;
// 12: minutes between backups; 0 no backup. start: 5.
inline std::uint8_t BackupMinutes = 5;
// 13: SXF point output: 1 symbol, 0 text.
inline std::uint8_t SxfMarkMode = 0;
// 14: -1 texts break into lines at half-width blanks, 0 not. start: -1 (the
// settings reader's default, which replaces the 0 start-up gives first).
inline std::int16_t TxtSplit = -1;
// 15: -1 texts are edited in the line-break editor, 0 not. start: -1.
inline std::int16_t TxtLineEdit = -1;
// 16: after an operation return to 追加: 0 no, 1 yes, 2 after delete only.
inline std::uint8_t BackToAdd = 0;
// 17: value 1..5 of line 17. start: 0.
inline std::uint8_t Setting17 = 0;
// 18: 1 = the WEMBRA workbook link is not used. start: 1.
inline std::uint8_t WembraOff = 1;
// 19: plane rectangular coordinate zone 1..19. start: 6.
inline std::uint8_t ZoneNo = 6;
// 20: screens of map tiles, 1..99. start: 5.
inline std::uint8_t TileScreens = 5;
// 21: hover label height above the pointer in label heights, 0..9 (9 hides it). start: 1.
inline float SlideFactor = 1.0F;
// 22: 1 = no web map access.
inline std::uint8_t GsiOffline = 0;
// 27: 1 = points are added by double click.
inline std::uint8_t DblClickInput = 0;
// 28: most observation points drawn. start: 1000.
inline std::int32_t PointLimit = 1000;
// 29: texts drawn only below this count. start: 500.
inline std::int32_t TxtLimit = 500;
// 30: data collector: 1 SDL, else TS.
inline std::uint8_t CollectorSdl = 0;
// 31: 1 = start the keypad program when a number field gets the focus.
inline std::uint8_t KintabAuto = 0;
// 32: 1 = only selected parcels and texts are drawn when any is selected.
inline std::uint8_t SelOnly = 0;
// 33..42: entry k = 0: line k of split texts is shown (1..10 from the file,
// the rest 0).
inline FixedTable<std::uint8_t, 0, kTxtLineTop> TxtLineShow{"TxtLineShow"};
// 43..52: entry k = 0: attribute column k is printed (1..10 from the file).
inline FixedTable<std::uint8_t, 0, kKakuchiAttrTop> KakuchiAttrShow{"KakuchiAttrShow"};
// 53: 1 = label sizes shrink with the number of items in view. start: 1.
inline std::uint8_t VarFont = 1;
// 54: 1 = "記録" is the main workbook action.
inline std::uint8_t RecordMain = 0;
// 55: 1 = restore the view saved in the sign file.
inline std::uint8_t KeepView = 0;
// 56: 0 fill the selected parcels, 9 not.
inline std::uint8_t FillSelected = 0;

// ================================================== right-click calculations

// The right-click calculation: 0 menu, 1 radial, 2 continuous, 3 perpendicular
// check, 4 copy/pointing, 5 parcel, 32 link, 34 four-point intersection. start: 1.
inline std::int16_t RclickMode = 1;
// Coordinate numbers of the first, second and latest further pick; 0 none.
inline std::int32_t CalcPick1 = 0;
inline std::int32_t CalcPick2 = 0;
inline std::int32_t CalcPick3 = 0;
// Picks in the order the mode uses them, entries 1..; count in CalcPickCount.
inline FixedTable<std::int32_t, 0, kCalcPickListTop> CalcPickList{"CalcPickList"};
inline std::int32_t CalcPickCount = 0;
inline std::int32_t CalcStep = 0;
inline std::int32_t CalcPickA = 0;
inline std::int32_t CalcPickB = 0;
// Text list built for the clipboard by the copy mode.
inline QString CalcPickName;
// Coordinate numbers of the radial inverse's station and back-sight (single).
inline float StationNo = 0.0F;
inline float BackNo = 0.0F;
// Direction angle in degrees shared by the operations that compute one.
inline double BaseAzimuth = 0.0;
// Length in metres of the perpendicular check's base line, point 1 to point 2.
inline double BaseLength = 0.0;
// Instrument set-up for the workbook: 0 the cursor, 1 station, 2 back-sight,
// 3.. foresights up to the first 0.
inline FixedTable<std::int32_t, 0, kSightListTop> SightList{"SightList"};
// Whole-number value of the workbook signal cell last read.
inline std::int32_t WembraValue = 0;
// Result lines waiting for the calculation report window; message texts.
inline QString MsgText;
// On-map area measurement: 0 off, else the index of the next vertex; the
// vertices 1.. in plot coordinates, single precision.
inline std::int16_t AreaCount = 0;
inline FixedTable<float, 0, kAreaTop> AreaX{"AreaX"};
inline FixedTable<float, 0, kAreaTop> AreaY{"AreaY"};
// Photo candidates of the link mode: entry 0 the count n, 1..n coordinate
// numbers (32-bit: coordinate numbers reach 500000).
inline FixedTable<std::int32_t, 0, kLinkCandTop> LinkCand{"LinkCand"};
// Position 1..n of the candidate the photo viewer shows; 0 while closed.
inline std::int16_t LinkCandCount = 0;
// Photo viewer flags: 1 = load again / a transformed copy is in use.
inline std::uint8_t PhotoReload = 0;
inline std::uint8_t PhotoUseTemp = 0;
// 1 = the selection-release button asked the redisplay to clear selections.
inline std::uint8_t SelClearPending = 0;
// Last operation chosen in the right-click menu: tens the class, units the operation.
inline std::uint8_t MenuMode = 0;

// ================================================= editing operation state

// Observation point being added or edited; 0 none.
inline std::int32_t CurPoint = 0;
// Point picked for moving and the point moved last; 0 none.
inline std::int32_t MovePoint = 0;
inline std::int32_t MovedPoint = 0;
// Position of the picked point before the move, plot coordinates.
inline double MoveOldX = 0.0;
inline double MoveOldY = 0.0;
// Lines carried by the last point move: MoveLines(0, n) moved starts,
// MoveLines(1, n) moved ends, n = 1..100; 0 ends a list.
inline FixedTable2<std::int32_t, 0, 1, 0, kMoveLinesTop> MoveLines{"MoveLines"};
// Point whose click delete the point panel may take back; 0 none.
inline std::int32_t DelPending = 0;
// Line last picked by the line operations (or cut by a point add).
inline std::int32_t PickedLine = 0;
// 1 when the last point add cut a line.
inline std::uint8_t LastAddSplit = 0;
// 1 after the user clicked into the point name field Text6; a point add
// sets it back to 0.
inline std::uint8_t NameFieldClicked = 0;
// 1 while a line-add chain has a start vertex.
inline std::uint8_t LineRubber = 0;
// 1 while an end of a picked line is being moved.
inline std::uint8_t LineDragging = 0;
// Line whose end the line move moves (kept after the move), and its end that
// lay farther from the press that picked it: 2 when the press was nearer
// the first end, else 1.
inline std::int32_t MoveLine = 0;
inline std::uint8_t MoveLineEnd = 1;
// Colour of PickedLine before the press recoloured it.
inline std::int32_t PickedLineColor = 0;
// Summed length in metres of the segments of the current line-add chain.
inline double LineChainLength = 0.0;
// 1 while the motion handler has the range rectangle of a delete or colour
// change on the plot.
inline std::uint8_t RangeBoxDrawn = 0;
// Elevation-profile route: 0 none, 1 armed, 2 being drawn, 3 being built.
inline std::uint8_t LineSubState = 0;
// First and last line index of the route.
inline std::int32_t RouteFirst = 0;
inline std::int32_t RouteLast = 0;
// Text picked for moving / being edited; 0 none.
inline std::int32_t TxtPick = 0;
inline std::int32_t TxtEdit = 0;
// Text and colour of the edited text before the edit.
inline QString TxtEditOld;
inline std::uint8_t TxtEditOldColor = 0;
// Point-name candidates, entries 1..99 (the list ends at its first empty entry).
inline FixedTable<QString, 0, kNameCandidatesTop> NameCandidates{"NameCandidates"};
// First name of the point last committed in attribute mode.
inline QString LastCommittedName;
// First name of the point last reported as measured by the workbook.
inline QString LastMeasured;
// Question in and answer ("yes" or "no") out of the yes/no window.
inline QString MesgAnswer;
// Start numbers of the SIMA registration. start: 1 each.
inline std::int32_t SimaZahyoStart = 1;
inline std::int32_t SimaKakuchiStart = 1;
// The SIMA registration's choices, kept for the run: target 1..6 (0 is
// shown and used as 1), 9 = the options dialog was cancelled or closed,
// 1 = renumber the written coordinates. start: 0 each.
inline std::uint8_t SimaTarget = 0;
inline std::uint8_t SimaCancel = 0;
inline std::uint8_t SimaCompress = 0;
// Pitch code of the elevation profile. start: 1.
inline std::int32_t DanmenPitch = 1;
// Vertical factor of the profile drawing, 1..50. start: 1.
inline std::uint8_t DanmenScale = 1;
// The profile dialog's settings, read by the profile builder: the maximum
// number of samples 10..1000 (0 until the dialog first loads, which makes it
// 50), a fixed pitch in metres (0 none), 1 = heights corrected for earth
// curvature and refraction, 1 = pitch samples become named points.
inline std::int16_t DanmenMaxPoints = 0;
inline std::int32_t DanmenFixedPitch = 0;
inline std::uint8_t DanmenCurvature = 0;
inline std::uint8_t DanmenPitchPoints = 0;

// ================================================================ printing

// What the print dialog prints: 1 the plot, 2 the text in PrintText.
inline std::int16_t PrintKind = 0;
// Text of plain-text printing, lines ended by CR LF.
inline QString PrintText;
// 1 printing, 10 while a preview runs, 9 after printing was declined in one.
inline std::uint8_t PrintMode = 0;
// Paper last applied: 0 A4 landscape, 1 A4 portrait, 2 A3 landscape, 3 A3 portrait.
inline std::uint8_t PaperChoice = 0;
// The printer's left offset and bottom margin in twips.
inline std::int32_t PrintOffsetL = 0;
inline std::int32_t PrintMarginB = 0;

}  // namespace tavelcor
