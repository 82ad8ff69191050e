// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "tools/ransko/convert.h"

#include "platform/text/cp932.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <cstring>

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

// The number of bytes at the end of bytes (0 to 3) that begin a UTF-8
// sequence whose remaining bytes have not come yet.
qsizetype incompleteTail(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= std::min<qsizetype>(n, 3); ++back) {
        const auto c = static_cast<unsigned char>(bytes[n - back]);
        if ((c & 0xC0U) == 0x80U)
            continue;  // a continuation byte: look further back for its lead
        return heldSequenceLength(c) > back ? back : 0;
    }
    return 0;
}

// Bytes kept back at most while no ASCII byte comes.
constexpr qsizetype kMostHeldBack = qsizetype(4) << 20;

// How much of bytes the decoder is given now: up to the last ASCII byte (a
// line end, a bracket, a digit). An ASCII byte is a whole character and
// settles every bad sequence before it, so the decoder keeps nothing back
// and the text comes out the same however the reads fell. Without an ASCII
// byte the bytes wait for more, up to kMostHeldBack; beyond that they are
// cut before a character that may be incomplete.
qsizetype settledEnd(QByteArrayView bytes)
{
    for (qsizetype i = bytes.size(); i > 0; --i) {
        if (static_cast<unsigned char>(bytes[i - 1]) < 0x80U)
            return i;
    }
    return bytes.size() < kMostHeldBack ? 0 : bytes.size() - incompleteTail(bytes);
}

}  // namespace

bool convertUtf8ToCp932(QIODevice& input, QIODevice& output)
{
    // The decoder keeps only whether the byte order mark was passed: it is
    // never given bytes whose meaning the next read could change (see
    // settledEnd). Its own carrying of a cut character dropped the byte after
    // one that turned out bad.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QByteArray block(kBlockSize, Qt::Uninitialized);
    QByteArray pending;  // read, not yet decoded
    QByteArray out;
    for (;;) {
        const qint64 got = input.read(block.data(), kBlockSize);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        pending.append(block.constData(), got);
        const qsizetype settled = settledEnd(pending);
        if (settled == 0)
            continue;
        out.clear();
        const QString text = decoder.decode(QByteArrayView(pending).first(settled));
        platform::appendCp932(out, text);
        pending.remove(0, settled);
        if (!out.isEmpty() && output.write(out) != out.size())
            return false;
    }
    out.clear();
    const QString text = decoder.decode(pending);
    platform::appendCp932(out, text);
    // A character cut by the end of the file is one bad character; the
    // decoder keeps it to itself.
    if (incompleteTail(pending) > 0)
        out.append('?');
    return out.isEmpty() || output.write(out) == out.size();
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
