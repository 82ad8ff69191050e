// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "tools/ransko/convert.h"

#include "platform/text/cp932.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace ransko {
namespace {

constexpr qint64 kBlockSize = qint64(1) << 20;

// True when bytes end in the first bytes of a UTF-8 sequence whose remaining
// bytes never came (a file cut in the middle of a character).
bool endsInCutSequence(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(bytes[n - back]);
        if ((c & 0xC0U) == 0x80U)
            continue;  // a continuation byte: look further back for its lead
        const qsizetype length = c >= 0xF0U ? 4 : c >= 0xE0U ? 3 : c >= 0xC0U ? 2 : 1;
        return length > back;
    }
    return false;
}

}  // namespace

bool convertUtf8ToCp932(QIODevice& input, QIODevice& output)
{
    // The decoder keeps a character cut at a block's end for the next block,
    // and drops a leading byte order mark.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QByteArray block(kBlockSize, Qt::Uninitialized);
    QByteArray out;
    QByteArrayView last;
    for (;;) {
        const qint64 got = input.read(block.data(), kBlockSize);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        last = QByteArrayView(block.constData(), got);
        out.clear();
        const QString text = decoder.decode(last);
        platform::appendCp932(out, text);
        if (!out.isEmpty() && output.write(out) != out.size())
            return false;
    }
    // The decoder keeps a cut last character to itself; it was a bad one.
    if (endsInCutSequence(last) && output.write("?", 1) != 1)
        return false;
    return true;
}

ConvertResult convertFile(const QString& inputPath, const QString& outputPath)
{
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return ConvertResult::CannotRead;
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return ConvertResult::CannotWrite;
    if (!convertUtf8ToCp932(input, output)) {
        output.cancelWriting();
        return input.error() != QFileDevice::NoError ? ConvertResult::CannotRead : ConvertResult::CannotWrite;
    }
    // QSaveFile's commit puts its temporary file in place even when the last
    // flush of its buffer fails (a full disk), and may report success: flush
    // first, and give the output up when that fails.
    if (!output.flush()) {
        output.cancelWriting();
        return ConvertResult::CannotWrite;
    }
    return output.commit() ? ConvertResult::Converted : ConvertResult::CannotWrite;
}

}  // namespace ransko
