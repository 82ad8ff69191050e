// SPDX-License-Identifier: LicenseRef-Tavelcor
// SIMA registration without its dialogs: which parcels and coordinates a
// target writes, the search for coordinates near the selected parcels, the
// renumbering and the file itself.
//
// A registration chooses parcels (step by step as the command runs them:
// chooseParcels, chooseCoordinates, addNearCoordinates) into a Selection,
// checks that renumbering stays inside the coordinate table
// (renumberingFits), then writes the file (writeSimaRegistration):
//
//   Z00,,  G00,01,  A00,
//   A01,<number>,<name>,<X>,<Y>,<H>,     one per written coordinate, in number order
//   A99,  Z00,,
//   D00,<parcel number>,<name>,<1 closed | 2 open>,[<location>]
//   B01,<number>,<name>,                 one per vertex
//   D99,                                 ... per written parcel
//   Z00,,
//
// (the parcel part is left out for target 2). X, Y and H are metres with 3
// decimals, written whole (no digit is ever cut). Names and locations have
// their commas made "_" and line breaks blanks, so a reader takes each back
// as one field.
//
// Pure logic over the shared tables (the view for targets 2 to 4).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace tavelcor::sima {

/// The targets, by their code.
enum Target : int {
    kTargetAll = 1,                ///< every parcel and every usable coordinate
    kTargetViewCoordinates = 2,    ///< usable coordinates inside the view, no parcel
    kTargetViewParcelsPoints = 3,  ///< parcels crossing the view, their vertices and the coordinates inside it
    kTargetViewParcels = 4,        ///< parcels crossing the view and their vertices
    kTargetSelected = 5,           ///< selected parcels and their vertices
    kTargetSelectedNear = 6,       ///< as 5, and the free coordinates nearer than a radius to those vertices
};

/// Flag values of a coordinate.
enum CoordinateFlag : std::uint8_t {
    kNotWritten = 0,
    kWritten = 1,  ///< chosen directly or a vertex of a written parcel
    kNear = 2,     ///< near a vertex of a selected parcel (target 6)
};

/// The working tables of one registration, all zero when made.
struct Selection {
    Selection();
    /// Parcel index 0..50000: 1 = the parcel is written.
    std::vector<std::uint8_t> parcel;
    /// Coordinate number 0..500000: a CoordinateFlag.
    std::vector<std::uint8_t> coordinate;
};

/// True when coordinate n may be written on its own: its trimmed name is
/// not "_?>" (free), does not end in "_?_" (temporary) and is not "n_p_m"
/// (a profile sample without height). False outside 1..500000.
bool isUsableZahyo(int n);

/// Chooses the parcels (targets 2 to 4: those with an edge between
/// consecutive vertices that crosses the view widened by a tenth, which also
/// become selected, KakuchiSel 1; 5 and 6: the selected ones; 1: all).
/// False, choosing nothing, when target 5 or 6 finds no selected parcel.
bool chooseParcels(int target, Selection& selection);

/// Chooses the coordinates: every usable one (target 1), the usable ones
/// inside the widened view (2 and 3), and every vertex of the chosen parcels
/// (3 to 6, whatever its name). When renumbering, every vertex of a written
/// parcel is written for target 1 as well, so each of its B01 records has a
/// renumbered coordinate.
void chooseCoordinates(int target, bool renumber, Selection& selection);

/// Target 6: flags kNear every usable coordinate that is no parcel vertex
/// (ZahyoUsed 0), not written yet, and lies closer than radiusM to a
/// coordinate flagged kWritten. Near coordinates are no centres of further
/// searches. The coordinates are indexed by a grid, so the time grows with
/// the coordinates, not with coordinates times vertices. A radius that is
/// not above 0 adds nothing.
void addNearCoordinates(double radiusM, Selection& selection);

/// Coordinates the file will hold.
std::int32_t writtenCoordinateCount(const Selection& selection);

/// True when renumbering `count` coordinates from `start` gives numbers in
/// 1..500000 only.
bool renumberingFits(std::int32_t start, std::int32_t count);

/// The start numbers of a registration (SimaZahyoStart, SimaKakuchiStart).
struct SimaNumbers {
    std::int32_t zahyoStart = 1;
    std::int32_t kakuchiStart = 1;
};

struct SimaFileOptions {
    bool writeParcels = true;   ///< false for target 2
    bool renumber = false;      ///< number the coordinates from numbers.zahyoStart
    bool withLocation = false;  ///< each D00 record carries the parcel's location
    SimaNumbers numbers;
};

struct SimaWriteResult {
    WriteResult file;
    /// The start numbers after this registration: the coordinate number
    /// advanced by the coordinates written when renumbering, the parcel
    /// number by the parcels written.
    SimaNumbers next;
};

/// Writes the chosen coordinates and parcels to path (atomically: on failure
/// the old file stays and the result says Failed). Coordinates and parcels
/// are written in number order; parcels are numbered from
/// numbers.kakuchiStart.
SimaWriteResult writeSimaRegistration(const QString& path, const Selection& selection,
                                      const SimaFileOptions& options);

}  // namespace tavelcor::sima
