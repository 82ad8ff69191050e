// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "tools/ransko/convert.h"

#include "platform/text/cp932.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>

namespace ransko {
namespace {

constexpr qint64 kBlockSize = qint64(1) << 20;

// The length of the UTF-8 sequence that starts with lead, for the lead bytes
// whose sequence the decoder holds back until its other bytes came (C2..F4);
// 1 for every other byte, which the decoder takes at once (ASCII, or a bad
// byte it replaces straight away).
qsizetype heldSequenceLength(unsigned char lead)
{
    if (lead >= 0xC2U && lead <= 0xDFU)
        return 2;
    if (lead >= 0xE0U && lead <= 0xEFU)
        return 3;
    if (lead >= 0xF0U && lead <= 0xF4U)
        return 4;
    return 1;
}

// True when the input's last bytes (tail: up to the last 3) are the first
// bytes of a UTF-8 sequence whose remaining bytes never came (a file cut in
// the middle of a character).
bool endsInCutSequence(QByteArrayView tail)
{
    const qsizetype n = tail.size();
    for (qsizetype back = 1; back <= n; ++back) {
        const auto c = static_cast<unsigned char>(tail[n - back]);
        if ((c & 0xC0U) == 0x80U)
            continue;  // a continuation byte: look further back for its lead
        return heldSequenceLength(c) > back;
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
    QByteArray tail;  // the last bytes read; a cut character may span two reads
    for (;;) {
        const qint64 got = input.read(block.data(), kBlockSize);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        const QByteArrayView bytes(block.constData(), got);
        tail.append(bytes.last(std::min<qsizetype>(bytes.size(), 3)));
        tail = tail.right(3);
        out.clear();
        const QString text = decoder.decode(bytes);
        platform::appendCp932(out, text);
        if (!out.isEmpty() && output.write(out) != out.size())
            return false;
    }
    // The decoder keeps a cut last character to itself; it was a bad one.
    if (endsInCutSequence(tail) && output.write("?", 1) != 1)
        return false;
    return true;
}

ConvertResult convertFile(const QString& inputPath, const QString& outputPath)
{
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return ConvertResult::CannotRead;
    // The copy goes to a temporary file beside the output and is renamed
    // over it once whole, so the import never reads a half-written copy and a
    // failure leaves an earlier output as it was. It is not synced to the
    // disk: the import reads it as soon as the program ends and deletes it,
    // and nothing the user keeps depends on it outliving a crash.
    QTemporaryFile output(outputPath + QStringLiteral(".XXXXXX"));
    if (!output.open())
        return ConvertResult::CannotWrite;
    if (!convertUtf8ToCp932(input, output) || !output.flush()) {
        // The temporary file removes itself.
        return input.error() != QFileDevice::NoError ? ConvertResult::CannotRead : ConvertResult::CannotWrite;
    }
    if (std::rename(QFile::encodeName(output.fileName()).constData(), QFile::encodeName(outputPath).constData())
        != 0)
        return ConvertResult::CannotWrite;
    output.setAutoRemove(false);  // it is the output now
    return ConvertResult::Converted;
}

}  // namespace ransko
