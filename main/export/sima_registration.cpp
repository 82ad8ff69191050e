// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/sima_registration.h"

#include "main/render/plot_render.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <algorithm>

namespace tavelcor::sima {
namespace {

// The vertex slots of parcel p, clipped to the vertex table; empty (first
// above last) when the parcel has none.
struct SlotRange {
    std::int32_t first = 0;
    std::int32_t last = -1;
};

SlotRange slotsOf(int p)
{
    if (p < 1 || p > kKakuchiTop)
        return {};
    return {std::max<std::int32_t>(KakuchiFirst[p], 0), std::min<std::int32_t>(KakuchiLast[p], kKakuchiVertexTop)};
}

bool isCoordinateNumber(std::int32_t n)
{
    return n >= 1 && n <= kZahyoTop;
}

int parcelTop()
{
    return std::clamp<int>(KakuchiCount, 0, kKakuchiTop);
}

int coordinateTop()
{
    return std::clamp<int>(ZahyoMax, 0, kZahyoTop);
}

// True when an edge between consecutive vertices of parcel p passes the
// trivial-reject test against the widened view (the closing edge is not
// tested).
bool crossesView(int p)
{
    const SlotRange range = slotsOf(p);
    if (range.last < range.first)
        return false;
    int r0 = hantei(KakuchiVertex[range.first]);
    for (std::int32_t s = range.first + 1; s <= range.last; ++s) {
        const int r = hantei(KakuchiVertex[s]);
        if (hantei2(r0, r) == 1)
            return true;
        r0 = r;
    }
    return false;
}

void flagVerticesOfChosenParcels(Selection& selection)
{
    const int top = parcelTop();
    for (int p = 1; p <= top; ++p) {
        if (selection.parcel[std::size_t(p)] == 0)
            continue;
        const SlotRange range = slotsOf(p);
        for (std::int32_t s = range.first; s <= range.last; ++s)
            if (isCoordinateNumber(KakuchiVertex[s]))
                selection.coordinate[std::size_t(KakuchiVertex[s])] = kWritten;
    }
}

}  // namespace

Selection::Selection() : parcel(std::size_t(kKakuchiTop) + 1, 0), coordinate(std::size_t(kZahyoTop) + 1, 0) {}

bool isUsableZahyo(int n)
{
    if (!isCoordinateNumber(n))
        return false;
    const QStringView name = platform::trimmedView(ZahyoName[n]);
    return name != u"_?>" && !name.endsWith(u"_?_") && name != u"n_p_m";
}

bool chooseParcels(int target, Selection& selection)
{
    const int top = parcelTop();
    switch (target) {
    case kTargetViewCoordinates:
    case kTargetViewParcelsPoints:
    case kTargetViewParcels:
        for (int p = 1; p <= top; ++p) {
            if (crossesView(p)) {
                selection.parcel[std::size_t(p)] = 1;
                KakuchiSel[p] = 1;
            }
        }
        return true;
    case kTargetSelected:
    case kTargetSelectedNear: {
        bool any = false;
        for (int p = 1; p <= top; ++p) {
            if (KakuchiSel[p] == 1) {
                selection.parcel[std::size_t(p)] = 1;
                any = true;
            }
        }
        return any;
    }
    default:
        for (int p = 1; p <= top; ++p)
            selection.parcel[std::size_t(p)] = 1;
        return true;
    }
}

void chooseCoordinates(int target, bool renumber, Selection& selection)
{
    const int top = coordinateTop();
    if (target == kTargetAll) {
        for (int c = 1; c <= top; ++c)
            if (isUsableZahyo(c))
                selection.coordinate[std::size_t(c)] = kWritten;
    } else if (target == kTargetViewCoordinates || target == kTargetViewParcelsPoints) {
        for (int c = 1; c <= top; ++c)
            if (isUsableZahyo(c) && hantei(c) == 5)
                selection.coordinate[std::size_t(c)] = kWritten;
    }
    if (target >= kTargetViewParcelsPoints || (renumber && target == kTargetAll))
        flagVerticesOfChosenParcels(selection);
}

std::int32_t writtenCoordinateCount(const Selection& selection)
{
    const int top = coordinateTop();
    std::int32_t count = 0;
    for (int c = 1; c <= top; ++c)
        count += selection.coordinate[std::size_t(c)] != kNotWritten ? 1 : 0;
    return count;
}

bool renumberingFits(std::int32_t start, std::int32_t count)
{
    if (count <= 0)
        return true;
    return start >= 1 && std::int64_t{start} + count - 1 <= kZahyoTop;
}

// ---- the file ------------------------------------------------------------------------

namespace {

void writeCoordinate(platform::TextFileWriter& out, sitetext::Row& row, int i, std::int32_t number,
                     bool renumber)
{
    row.clear();
    row << u"A01,";
    sitetext::appendInt(row, number);
    row << u',';
    sitetext::appendTrimmedField(row, ZahyoName[i]);
    row << u',';
    sitetext::appendFixedTrimmed(row, ZahyoX[i], 11, 3);
    row << u',';
    sitetext::appendFixedTrimmed(row, ZahyoY[i], 11, 3);
    row << u',';
    sitetext::appendFixedTrimmed(row, ZahyoH[i], renumber ? 11 : 8, 3);
    row << u',';
    out.writeLine(row.view());
}

void writeParcel(platform::TextFileWriter& out, sitetext::Row& row, int p, std::int32_t number,
                 const SimaFileOptions& options, const std::vector<std::int32_t>& renumbered)
{
    row.clear();
    row << u"D00,";
    sitetext::appendInt(row, number);
    row << u',';
    sitetext::appendField(row, KakuchiName[p]);
    row << (KakuchiName[p] == openFigureName() ? u",2," : u",1,");
    if (options.withLocation)
        sitetext::appendField(row, KakuchiInfo[p]);
    out.writeLine(row.view());

    const SlotRange range = slotsOf(p);
    for (std::int32_t s = range.first; s <= range.last; ++s) {
        const std::int32_t v = KakuchiVertex[s];
        if (!isCoordinateNumber(v))
            continue;
        row.clear();
        row << u"B01,";
        sitetext::appendInt(row, options.renumber ? renumbered[std::size_t(v)] : v);
        row << u',';
        sitetext::appendTrimmedField(row, ZahyoName[v]);
        row << u',';
        out.writeLine(row.view());
    }
    out.writeLine(u"D99,");
}

}  // namespace

SimaWriteResult writeSimaRegistration(const QString& path, const Selection& selection,
                                      const SimaFileOptions& options)
{
    SimaWriteResult result;
    result.next = options.numbers;
    std::vector<std::int32_t> renumbered(options.renumber ? std::size_t(kZahyoTop) + 1 : 0, 0);
    platform::TextFileWriter out(path);
    sitetext::Row row;
    out.writeLine(u"Z00,,");
    out.writeLine(u"G00,01,");
    out.writeLine(u"A00,");
    const int top = coordinateTop();
    for (int i = 1; i <= top; ++i) {
        if (selection.coordinate[std::size_t(i)] == kNotWritten)
            continue;
        std::int32_t number = i;
        if (options.renumber) {
            number = result.next.zahyoStart++;
            renumbered[std::size_t(i)] = number;
        }
        writeCoordinate(out, row, i, number, options.renumber);
    }
    out.writeLine(u"A99,");
    out.writeLine(u"Z00,,");
    if (options.writeParcels) {
        const int parcels = parcelTop();
        for (int p = 1; p <= parcels; ++p) {
            if (selection.parcel[std::size_t(p)] != 0)
                writeParcel(out, row, p, result.next.kakuchiStart++, options, renumbered);
        }
        out.writeLine(u"Z00,,");
    }
    result.file = sitetext::commitFile(out, path);
    return result;
}

}  // namespace tavelcor::sima
