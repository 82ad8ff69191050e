// SPDX-License-Identifier: LicenseRef-Tavelcor
// Items of the settings files as the runtime's "Input #" reads them: values
// separated by commas or line ends.
//
// Rules of one item:
// - blanks and tabs before and after the item are dropped (" 10 " is "10");
// - an item that starts with a double quote runs to the next double quote
//   (commas inside are kept, and so are the blanks); what follows the closing
//   quote up to the next comma or the line end is dropped; an item whose
//   closing quote is missing runs to the line end;
// - otherwise the item runs to the next comma or the line end;
// - an empty line is one empty item, and so is the place after a trailing
//   comma ("a," is the two items "a" and "").
// A quoted item never spans lines here: the files of the system hold no
// quoted line breaks.
#pragma once

#include "platform/text/textfile.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace platform {

// The items of one line.
QStringList splitInputItems(QStringView line);

// Reads a file item by item, over a LineReader that the caller owns and that
// outlives this reader.
class ItemReader {
public:
    explicit ItemReader(LineReader& lines);

    // The next item, or nullopt at the end of the file (or after a read error).
    [[nodiscard]] std::optional<QString> readItem();

    // "Line Input" in the middle of item reading: the rest of the current line
    // after the last item taken from it (when that item ended at a comma), else
    // the whole next line; nullopt at the end of the file.
    [[nodiscard]] std::optional<QString> readLine();

private:
    LineReader& mLines;
    QString mLine;
    qsizetype mPos = 0;
    bool mInLine = false;  // mLine still has items after mPos
};

}  // namespace platform
