// SPDX-License-Identifier: LicenseRef-Tavelcor
// The colours and the text labels of the KML export: the KML colour text of
// a colour index of the site's palette, and the label of a text item made of
// the lines the user has chosen to show.
#pragma once

#include <QString>

namespace tavelcor {

/// The KML colour text (alpha, blue, green, red; eight lower-case hex
/// digits, always opaque) of colour index ID: 0 and 15 black "ff000000", 1
/// "ff000080", 2 "ff007d00", 3 "ff808000", 4 "ff0080ff", 6 "ff008080", 7
/// "ffc0c0c0", 8 "ff4a4a4a", 9 "ffff0000", 10 "ff00ff00", 11 "ffffff00", 12
/// "ff0000ff", 13 "ffff00ff", 14 "ff00ffff"; 5 and 16 to 255 the empty text.
QString Colr(int ID);

/// The label of text item i (1..TxtCount): TxtString(i) unchanged when
/// TxtSplit is 0 or the text holds no half-width blank; otherwise the text,
/// trimmed of blanks, is cut at each blank into pieces (lines 1, 2, ...; two
/// blanks in a row give an empty piece), and each piece whose line is shown
/// (TxtLineShow(j) = 0) is followed by one blank ("A B C" with line 2 hidden
/// gives "A C "). A blank more than 1000 characters after the previous one
/// is not looked for, and at most 99 pieces are made: the 99th takes the
/// rest of the text. A number outside the text table gives "".
QString Txtkml(int i);

}  // namespace tavelcor
