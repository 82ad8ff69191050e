// SPDX-License-Identifier: LicenseRef-Tavelcor
// The converter ransko (UTF-8 to CP932), reading its input in blocks of every
// size: the first input byte gives the most bytes one read returns (1 to
// 256). The text it writes must not depend on where the reads cut the input.
#include "fuzz/support/fuzz_support.h"

#include "tools/ransko/convert.h"

#include "tests/platform/text/chunked_device.h"

#include <QBuffer>

namespace {

QByteArray converted(QIODevice& input)
{
    QBuffer output;
    output.open(QIODevice::WriteOnly);
    if (!ransko::convertUtf8ToCp932(input, output))
        fuzz::fail(QStringLiteral("the conversion failed"));
    return output.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::setUpOnce();
    fuzz::Bytes bytes(data, size);
    const qint64 step = bytes.take() + 1;
    const QByteArray text = bytes.rest().toByteArray();
    ChunkedDevice cut(text, step);
    ChunkedDevice whole(text, qint64(text.size()) + 1);
    const QByteArray inPieces = converted(cut);
    const QByteArray atOnce = converted(whole);
    if (inPieces != atOnce)
        fuzz::fail(QStringLiteral("reads of %1 bytes gave %2 bytes of text, one read %3")
                       .arg(step)
                       .arg(inPieces.size())
                       .arg(atOnce.size()));
    return 0;
}
