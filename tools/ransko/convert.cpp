// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "tools/ransko/convert.h"

#include "platform/text/cp932.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
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

}  // namespace

bool convertUtf8ToCp932(QIODevice& input, QIODevice& output)
{
    // The decoder is never given the first bytes of a character whose other
    // bytes are still to come: a character cut by the end of a read is
    // carried into the next one, so the text does not depend on where the
    // reads fall. (The decoder's own carrying dropped the byte after a cut
    // character that turned out bad.) The decoder keeps only whether the
    // byte order mark was passed.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QByteArray block(kBlockSize + 3, Qt::Uninitialized);
    QByteArray out;
    qsizetype carried = 0;  // bytes of a cut character at the front of block
    for (;;) {
        const qint64 got = input.read(block.data() + carried, kBlockSize);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        const QByteArrayView bytes(block.constData(), carried + got);
        const qsizetype whole = bytes.size() - incompleteTail(bytes);
        out.clear();
        const QString text = decoder.decode(bytes.first(whole));
        platform::appendCp932(out, text);
        if (!out.isEmpty() && output.write(out) != out.size())
            return false;
        carried = bytes.size() - whole;
        std::memmove(block.data(), block.constData() + whole, size_t(carried));
    }
    // A character cut by the end of the file is one bad character.
    if (carried > 0 && output.write("?", 1) != 1)
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
