// SPDX-License-Identifier: LicenseRef-Tavelcor
// The KML document of the export: what the plot shows around the current
// view, as one KML 2.2 document in UTF-8 with a byte order mark.
//
// The document opens with the four lines the caller gives (XML declaration,
// kml start tag, the outer folder and its name), then the camera (LookAt) on
// the view centre, up to six folders of placemarks in a fixed order
// (SIMA測点 coordinates, SIMA結線 parcel edges, SIMA地番 parcel labels, POINT
// observation points, LINE lines, TEXT texts), the hidden white overlay and
// the closing lines. Lines end in CR LF, the last one ("</kml>") has none.
//
// Positions are absolute plane rectangular coordinates in zone ZoneNo,
// written as longitude, latitude and altitude 0 in decimal degrees, taken
// straight from the inverse conversion's series (within 1e-10 degree of
// PROJ inside the zones). A position counts as inside the view when
// it lies within ViewCX ± 0.6 × ViewSpanX and ViewCY ± 0.6 × ViewSpanY,
// bounds included. Names, labels and texts are escaped for XML (&, <, >, ",
// ') and lose the control characters XML 1.0 forbids, so any site gives a
// document that XML readers accept.
//
// Reads the site tables, the view and the settings; changes nothing but the
// shared flag Redrawn (1 when the LINE folder is written).
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <optional>

namespace tavelcor {

/// The main window's values the document follows (check box values: 1
/// ticked, 0 clear, 2 greyed).
struct KmlSwitches {
    int check1 = 0;   ///< ナンバー表示: the number in coordinate labels
    int check2 = 0;   ///< 名称表示: the name in coordinate labels
    int check3 = 0;   ///< 画地座標OFF: no label for parcel vertices
    int check6 = 0;   ///< 地番表示: the SIMA地番 folder
    int check12 = 0;  ///< Ｐ: the POINT folder
    int check13 = 0;  ///< Ｌ: the LINE folder
    int check15 = 0;  ///< Ｔ: the TEXT folder
    int check17 = 0;  ///< 名: coordinate labels at all
};

struct KmlInput {
    /// Lines 1 to 4 of the document, joined by CR LF (the caption of the
    /// main window's Label4).
    QString header;
    KmlSwitches switches;
    /// The picture's scale after fitting the view (Picture1.ScaleLeft and
    /// ScaleTop, plot metres: x east, y south): the LINE folder's rectangle.
    double scaleLeft = 0.0;
    double scaleTop = 0.0;
    /// Whether observation point i is drawn (its layer switch, symbol and
    /// the shown colour of its symbol).
    std::function<bool(int)> pointShown;
};

/// Entries of the document's table: one line each, except the first, which
/// holds the four header lines. A view that needs more gives no document.
inline constexpr int kKmlEntryTop = 1000000;

/// Writes the document (byte order mark first) to the device, open for
/// writing, while it is built, in blocks of 1 MiB. False when the document
/// would need more than kKmlEntryTop entries, a position does not convert to
/// finite degrees or a write fails; what was written is then incomplete and
/// the caller discards it.
bool writeKmlDocument(const KmlInput& input, QIODevice& device);

/// The document written to the file at path through a temporary file in its
/// folder, which replaces an old file only when the whole document was
/// written (platform::writeFileAtomically). False, with an old file left as
/// it was, when writeKmlDocument fails or the file cannot be written.
bool saveKmlDocument(const QString& path, const KmlInput& input);

/// The whole document's bytes, or nullopt when writeKmlDocument fails.
std::optional<QByteArray> buildKmlDocument(const KmlInput& input);

/// The text as XML character data or attribute value: &, <, >, " and '
/// become entities; characters XML 1.0 forbids (controls other than tab, LF
/// and CR, U+FFFE, U+FFFF and unpaired surrogates) are left out. Appended to
/// out in UTF-8.
void appendXmlEscaped(QByteArray& out, QStringView text);

}  // namespace tavelcor
