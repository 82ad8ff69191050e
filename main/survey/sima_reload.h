// SPDX-License-Identifier: LicenseRef-Tavelcor
// The SIMA text that the redisplay command takes from the clipboard: what
// kind of text it is, the check of its numbers against the tables, the
// clearing of a reload and the scan that writes the records into the
// coordinate and parcel tables.
//
// The text is read as one stream of fields (platform::NextField: a field
// ends at a comma, a line feed or the end; a carriage return belongs to the
// field). Of the records only three are read, wherever they stand:
//   A01,n,name,X,Y,...   coordinate n (1..500000, its leading number rounded
//                        halves to even): the name trimmed, X and Y absolute
//                        metres; in a reload also H, the height, when the
//                        line goes on after Y; the fields after Y (after H
//                        in a reload) are scanned as ordinary fields
//   D00,p,name,...       a new parcel after the last one; the parcel number
//                        is passed over, the name kept as read
//   B01,n,...            the next vertex of the current parcel: coordinate n
//                        when it holds one, else a message and no vertex
// Every other field is passed over.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace tavelcor {

/// What the SIMA path does with a clipboard text.
enum class SimaTextKind {
    Reload,  ///< "Z00,SIMA_RELOAD": replaces the coordinates and parcels
    Append,  ///< "Z00,SIMA_TUIKA": adds to them, the new parcels selected
    Merge,   ///< any other text: scanned the same way, nothing cleared
};

/// True for a text the workbook hands over: it begins "Z00,SIMA_" (the
/// first 9 characters, compared exactly). Such a text never leads to the
/// instrument-station offer.
bool isWorkbookSimaText(QStringView text);

/// The kind of a text, by its first 15 ("Z00,SIMA_RELOAD") or 14
/// ("Z00,SIMA_TUIKA") characters.
SimaTextKind simaTextKind(QStringView text);

/// The vertex slot the next parcel vertex takes: the last slot of parcel
/// KakuchiCount plus 1 when there are parcels, else 1. A reload takes it
/// before it clears the parcels, so the vertex list is never compacted.
std::int32_t nextVertexSlot();

/// Why a text cannot be taken: a record that would write outside a table.
struct SimaRefusal {
    enum class Reason {
        CoordinateNumber,  ///< an A01 or B01 number outside 1..500000
        ParcelCount,       ///< the 32768th parcel
        VertexSlot,        ///< a vertex beyond slot 600000
    };
    Reason reason = Reason::CoordinateNumber;
    /// The record as the text holds it: its code and number field
    /// ("A01,500001", "D00,32768", "B01,17").
    QString record;
};

/// Checks the whole text before anything changes: runs the scan on paper,
/// from vertex slot `slot`, with the parcels and coordinate names the
/// tables hold (for a reload: no parcels and every number free, as the
/// clearing leaves them), and finds the first record that would write
/// outside its table. nullopt when the whole text fits.
std::optional<SimaRefusal> checkSimaText(QStringView text, SimaTextKind kind, std::int32_t slot);

/// The message that refuses a text, naming its record; nothing of the text
/// is taken.
QString simaRefusalMessage(const SimaRefusal& refusal);

/// The clearing of a reload, which starts from empty coordinates and
/// parcels as a fresh read does: every coordinate number 0..500000 free
/// ("_?>") with X, Y, height and plot position 0 and no parcel vertex;
/// parcels 1..KakuchiCount not selected, without name and location, no
/// parcel attributes, and no parcel (KakuchiCount 0). ZahyoMax, the linked
/// files and the parcels' label points are left as they are; the vertex
/// list is never compacted.
void clearForSimaReload();

/// Scans `text` into the tables from vertex slot `slot` (records above);
/// with `selectNew` each new parcel is selected. A B01 whose coordinate is
/// free shows, for every such record, "<parcel name>画地データに、座標ナンバー
/// <field> を含んでいますが、座標データが有りませんので、このポイントを無視しました
/// <stored name>" in an OK box without a title. At the end the last parcel's
/// KakuchiLast is the last slot written. Raises ZahyoMax to the highest
/// number read; sets the plot positions from OriginX, OriginY.
///
/// With `reload` (the text replaces the tables, which clearForSimaReload
/// has emptied) each coordinate also takes its height from the field after
/// Y, as a fresh read of the text does; a line that ends after Y leaves the
/// height 0. Other texts leave the heights as they are.
///
/// The caller checks the text first (checkSimaText): a record outside the
/// tables is passed over here, never written.
void scanSimaText(QStringView text, bool selectNew, std::int32_t slot, bool reload = false);

}  // namespace tavelcor
