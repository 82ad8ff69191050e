// SPDX-License-Identifier: LicenseRef-Tavelcor
// The SXF drawing file (*.SFC): the site as an ISO 10303-21 physical file in
// the feature-comment form of SXF level 2 ("SCADEC level2 feature_mode"),
// which CAD programs read as drawing features on named layers.
//
// The file is CP932 text with CR LF line ends: 15 fixed head lines, 42 fixed
// definitions (colours #10..#160, line fonts #170..#310, line widths
// #320..#400, text fonts #410, #420), then the features of the site from
// entity #430 on in steps of 10, then the figure, the sheet, the 26 layers and
// the end lines. Every definition and feature is a block of four lines:
// "/*SXF", the entity line, "SXF*/" and an empty line.
//
// Feature lines carry no blank at all (blanks inside names and texts are
// removed too); attributes stand between apostrophes, texts between \' pairs.
// Inside a text an apostrophe and a backslash are doubled, as ISO 10303-21
// strings require, so any name reads back whole; control characters, which
// a P21 string cannot hold, are left out.
//
// Coordinates are written in millimetres: site metres (absolute, x east,
// y north) times 1000 as whole numbers. Heights, widths and scales are the
// settings SxfTextH, SxfMarkH and SxfPointTextH taken as metres, times 1000.
//
// Pure logic over the shared tables; what it needs of the main window comes
// in SxfView.
#pragma once

#include "main/site/site_file_result.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

namespace tavelcor::sxf {

/// What the feature sections read of the main window besides the tables.
struct SxfView {
    /// The answer to the opening question: true (Yes) writes hidden items
    /// too; false applies the display filters.
    bool includeHidden = false;
    /// Display switches (0 off, otherwise on): coordinate numbers, names,
    /// parcel labels, points, hand strokes, texts and points marked "済".
    int check1 = 0;
    int check2 = 0;
    int check6 = 0;
    int check12 = 1;
    int check14 = 1;
    int check15 = 1;
    int check16 = 1;
    /// 1 = points as SXF markers, 0 = as text symbols (SxfMarkMode).
    int markMode = 0;
    /// Caption and text colour (24-bit, red in the low byte) of the marker
    /// buttons Option13(1..18); entry 0 is not used.
    std::array<QString, 19> symbolCaption;
    std::array<std::uint32_t, 19> symbolColorRgb{};
};

/// SXF colour number of a site colour index 0..15 (the classic palette:
/// black 1, red 2, lime 3, navy and blue 4, ...). Any other index gives the
/// number of black, 1, so every feature names a defined colour.
int sxfColorOf(int colorIndex) noexcept;

/// Marker class 1..9 of a point symbol's caption ("*" 1, "・" or empty 3,
/// "＋" 4, "□" 5, "△" 6, "X" 7, "▽" 8, "◇" 9, anything else 2).
int sxfMarkerClass(QStringView caption) noexcept;

/// SXF marker code and angle (degrees) of a marker class: classes 1..7 give
/// their own code and angle 0, class 8 code 6 at 180, class 9 code 5 at 45;
/// no class (0) gives code 0 at 0.
struct MarkerCode {
    int code = 0;
    int angle = 0;
};
MarkerCode markerCodeOf(int markerClass) noexcept;

/// The lines of one text for the export: texts and north positions (plot
/// metres, single precision), line k at index k - 1. The views point into
/// the text's string in TxtString.
struct SxfTextLines {
    std::vector<QStringView> text;
    std::vector<float> north;
    int count() const { return static_cast<int>(text.size()); }
};

/// Lays text i out for the export: one line at the text's position when
/// TxtSplit is off or the text has no half-width blank; otherwise the parts
/// between its blanks (no limit on their number), leaving out the parts
/// 1..10 that TxtLineShow hides, each further line `heightM` metres lower.
/// An index that is no text gives no line. The vectors keep their capacity.
void layoutSxfText(int i, double heightM, SxfTextLines& out);

/// The layout procedure as the rest of the program knows it: lays text i
/// out with the text height given as its text in millimetres ("2000" for
/// 2 m), writes the lines into TxtLineStr and TxtLinePos (entries 1..n, at
/// most 500 of them) and returns the number of lines n.
int Txtexserchsxf(int i, const QString& heightText);

/// Writes the whole site to path: head, the seven feature sections
/// (observation points, lines, hand strokes, texts, survey coordinates,
/// parcel outlines, parcel labels), tail. Atomic: the file is written
/// under a temporary name and renamed over path; on failure the old file
/// stays and the result says Failed.
WriteResult writeSxfFile(const QString& path, const SxfView& view);

}  // namespace tavelcor::sxf
