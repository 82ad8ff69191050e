// SPDX-License-Identifier: LicenseRef-Tavelcor
// ransko <input.xml> <output.txt>
//
// Writes the UTF-8 text file input as CP932 text to output and exits: 0 when
// converted, 1 for a wrong command line, 2 when the input cannot be read, 3
// when the output cannot be written. The map XML import of Tavelcor starts it
// for large files and reads the output ("Tempora.txt" in the work folder).
#include "tools/ransko/convert.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: ransko <input UTF-8 file> <output CP932 file>\n", stderr);
        return 1;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    switch (ransko::convertFile(input, output)) {
    case ransko::ConvertResult::Converted:
        return 0;
    case ransko::ConvertResult::CannotRead:
        std::fprintf(stderr, "ransko: cannot read %s\n", argv[1]);
        return 2;
    case ransko::ConvertResult::CannotWrite:
        std::fprintf(stderr, "ransko: cannot write %s\n", argv[2]);
        return 3;
    }
    return 3;
}
