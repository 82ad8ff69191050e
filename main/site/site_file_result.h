// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the readers and writers of the site folder's files report back.
//
// A reader never ends the program itself: where a malformed file must stop
// the program (the user mends it with an editor, and nothing of the run may
// be saved over it), the reader shows its message and returns
// ReadOutcome::StopProgram; the start-up code turns that into the end of the
// program. Writers never show messages: the save command reports a failure
// with its own message.
#pragma once

#include <QString>

namespace tavelcor {

enum class ReadOutcome {
    Ok,           // the file was read (a skipped step counts as read)
    Missing,      // no such file (or it cannot be opened): the tables are unchanged
    StopProgram,  // malformed: the message was shown; the program must end unsaved
};

enum class WriteOutcome {
    Written,  // the file was replaced (atomically) or created
    Skipped,  // nothing to write (an empty table, a file that is kept): the old file stays
    Failed,   // the old file stays as it was; error tells why
};

struct WriteResult {
    WriteOutcome outcome = WriteOutcome::Skipped;
    QString path;   // the file written, or meant to be written
    QString error;  // why writing failed; empty otherwise

    bool failed() const { return outcome == WriteOutcome::Failed; }
};

/// What a failed save tells the user: "保存に失敗しました", then on lines of
/// their own the file that could not be written and the system's reason
/// (a read-only folder, a full disk), each when known.
inline QString saveFailedMessage(const WriteResult& result)
{
    QString text = QStringLiteral("保存に失敗しました");
    for (const QString& detail : {result.path, result.error}) {
        if (!detail.isEmpty())
            text += u'\n' + detail;
    }
    return text;
}

}  // namespace tavelcor
