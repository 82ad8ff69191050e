// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/kml_labels.h"

#include "main/site/tables.h"
#include "platform/text/strings.h"

#include <array>

namespace tavelcor {
namespace {

// The colour texts of colour indexes 0..15; 5 has none.
constexpr std::array<const char16_t*, 16> kColours = {
    u"ff000000", u"ff000080", u"ff007d00", u"ff808000", u"ff0080ff", u"",         u"ff008080", u"ffc0c0c0",
    u"ff4a4a4a", u"ffff0000", u"ff00ff00", u"ffffff00", u"ff0000ff", u"ffff00ff", u"ff00ffff", u"ff000000",
};

// Piece boundaries 1..100 of the label: at most 99 pieces.
constexpr int kBoundaryTop = 100;
// How far after a boundary the next blank is looked for.
constexpr qsizetype kBlankReach = 1000;

}  // namespace

QString Colr(int ID)
{
    if (ID < 0 || ID >= static_cast<int>(kColours.size()))
        return {};
    return QString::fromUtf16(kColours[static_cast<std::size_t>(ID)]);
}

QString Txtkml(int i)
{
    if (i < 0 || i > kTxtTop)
        return {};
    const QString& text = TxtString[i];
    if (TxtSplit == 0 || !text.contains(u' '))
        return text;
    const QStringView s = platform::trimmedView(text);
    // Boundaries as 1-based character positions: piece j lies strictly
    // between boundary j and boundary j + 1.
    std::array<qsizetype, kBoundaryTop + 1> boundary{};
    int last = 1;
    boundary[1] = 0;
    while (true) {
        const qsizetype from = boundary[last];  // 0-based index of the next character
        const qsizetype blank = last + 1 < kBoundaryTop ? s.mid(from, kBlankReach).indexOf(u' ') : -1;
        ++last;
        if (blank < 0) {
            boundary[last] = s.size() + 1;
            break;
        }
        boundary[last] = from + blank + 1;
    }
    QString label;
    for (int j = 1; j < last; ++j) {
        if (TxtLineShow[j] != 0)
            continue;
        label += s.sliced(boundary[j], boundary[j + 1] - boundary[j] - 1);
        label += u' ';
    }
    return label;
}

}  // namespace tavelcor
