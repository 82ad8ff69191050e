// SPDX-License-Identifier: LicenseRef-Tavelcor
// UTF-8 text to CP932 text, streamed: the file is read and written in blocks
// of 1 MiB, never held whole, so files of millions of lines take little
// memory.
//
// Every character is kept where CP932 holds it; one it cannot hold becomes
// "?" (one per UTF-16 code unit, as the text kit writes it); bytes that are
// not UTF-8 become "?" too. A byte order mark at the start is dropped. Line
// ends are copied as they are.
#pragma once

#include <QIODevice>
#include <QString>

namespace ransko {

// What a conversion ended with.
enum class ConvertResult {
    Converted,
    CannotRead,   // the input cannot be opened or read
    CannotWrite,  // the output cannot be written; an existing output is left as it was
};

// Converts everything from input (open for reading) to output (open for
// writing). False when a read or write failed.
bool convertUtf8ToCp932(QIODevice& input, QIODevice& output);

// Converts the file at inputPath into outputPath. The output is written to a
// temporary file beside it and renamed over it at the end, so a reader never
// sees a half-written file and a failure leaves no output behind. The output
// is a working copy (the import's "Tempora.txt", deleted once read): it is not
// synced to the disk.
ConvertResult convertFile(const QString& inputPath, const QString& outputPath);

}  // namespace ransko
