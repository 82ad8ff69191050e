// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/frames.h"

#include <QIODevice>
#include <QtEndian>

namespace platform {

QByteArray frame(QByteArrayView payload)
{
    QByteArray out;
    out.reserve(4 + payload.size());
    char length[4];
    qToBigEndian(static_cast<std::uint32_t>(payload.size()), length);
    out.append(length, 4);
    out.append(payload);
    return out;
}

std::optional<QByteArray> FrameReader::next()
{
    if (mFailed || mBuffer.size() < 4)
        return std::nullopt;
    const auto length = qFromBigEndian<std::uint32_t>(mBuffer.constData());
    if (length > kMaxFramePayload) {
        mFailed = true;
        mBuffer.clear();
        return std::nullopt;
    }
    if (mBuffer.size() < 4 + static_cast<qsizetype>(length))
        return std::nullopt;
    QByteArray payload = mBuffer.mid(4, length);
    mBuffer.remove(0, 4 + static_cast<qsizetype>(length));
    return payload;
}

PayloadWriter::PayloadWriter() : mStream(&mBytes, QIODevice::WriteOnly)
{
    mStream.setVersion(kFrameStreamVersion);
}

}  // namespace platform
