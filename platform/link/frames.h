// SPDX-License-Identifier: LicenseRef-Tavelcor
// Messages between the programs over a local socket: each message is one
// frame, a 32-bit big-endian length followed by that many bytes of payload
// (a QDataStream of the message's values).  QtCore only.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDataStream>

#include <cstdint>
#include <optional>

namespace platform {

/// The largest payload a frame may carry; a longer announced length marks a
/// peer that does not speak the protocol.
inline constexpr std::uint32_t kMaxFramePayload = 16u * 1024u * 1024u;

/// The stream version every message is written and read with.
inline constexpr QDataStream::Version kFrameStreamVersion = QDataStream::Qt_6_4;

/// The frame of a payload: its length, then the payload.
QByteArray frame(QByteArrayView payload);

/// Collects received bytes and gives back the complete frames in order.
class FrameReader {
public:
    /// Adds received bytes.
    void append(QByteArrayView bytes) { mBuffer.append(bytes); }
    /// The payload of the next complete frame, or nullopt while none is
    /// complete.  After a frame longer than kMaxFramePayload was announced,
    /// nothing more is given and failed() is true.
    std::optional<QByteArray> next();
    bool failed() const { return mFailed; }

private:
    QByteArray mBuffer;
    bool mFailed = false;
};

/// A payload writer: `PayloadWriter w; w.stream() << a << b; frame(w.bytes())`.
class PayloadWriter {
public:
    PayloadWriter();
    QDataStream& stream() { return mStream; }
    const QByteArray& bytes() const { return mBytes; }

private:
    QByteArray mBytes;
    QDataStream mStream;
};

}  // namespace platform
