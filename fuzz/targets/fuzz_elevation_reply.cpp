// SPDX-License-Identifier: LicenseRef-Tavelcor
// A reply of the elevation service (the input, as UTF-8 bytes and as text)
// read by parseElevationReply. A height given must read back from its text
// as the number the reply held there; a failure is -9999 and never a
// height.
#include "fuzz/support/fuzz_support.h"

#include "main/background/web_requests.h"
#include "platform/text/numbers.h"

#include <cmath>

namespace {

using tavelcor::ElevationResult;

void check(const ElevationResult& result, QStringView reply)
{
    if (!result.ok) {
        if (result.text != QStringLiteral("-9999") || result.value() != tavelcor::kElevationFailed)
            fuzz::fail(QStringLiteral("a failure reads as ") + result.text);
        return;
    }
    // The height's place in the reply: the 10 characters after the first
    // colon, or from the start without one.
    const std::optional<double> held = platform::leadingNumber(reply.mid(reply.indexOf(u':') + 1, 10));
    const double height = result.value();
    if (!held || !std::isfinite(height) || std::fabs(height - *held) > std::fabs(*held) * 1e-14)
        fuzz::fail(QStringLiteral("the height %1 does not read back: %2").arg(result.text).arg(held.value_or(NAN)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::setUpOnce();
    const QByteArrayView bytes(data, qsizetype(size));
    const QString reply = QString::fromUtf8(bytes);
    const ElevationResult fromBytes = tavelcor::parseElevationReply(bytes);
    const ElevationResult fromText = tavelcor::parseElevationReply(QStringView(reply));
    if (fromBytes.ok != fromText.ok || fromBytes.text != fromText.text)
        fuzz::fail(QStringLiteral("the bytes and the text of one reply read apart"));
    check(fromText, reply);
    return 0;
}
