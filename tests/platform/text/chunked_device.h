// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: a read-only device that hands out its data at most `chunk`
// bytes per read, as a pipe or a slow device does, so that line ends and the
// bytes of one character fall across reads. Given `failAfter`, every read
// fails once that many bytes have been handed out, as the reading of a USB
// stick pulled out or of a network share that dropped does.
#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

class ChunkedDevice : public QIODevice {
public:
    ChunkedDevice(QByteArray data, qint64 chunk, std::optional<qint64> failAfter = std::nullopt)
        : mData(std::move(data)), mChunk(chunk), mFailAfter(failAfter)
    {
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        qint64 end = mData.size();
        if (mFailAfter) {
            if (mPos >= *mFailAfter) {
                setErrorString(QStringLiteral("Input/output error"));
                return -1;
            }
            end = std::min(end, *mFailAfter);
        }
        const qint64 n = std::min({max, mChunk, end - mPos});
        std::memcpy(out, mData.constData() + mPos, size_t(n));
        mPos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray mData;
    qint64 mChunk;
    std::optional<qint64> mFailAfter;
    qint64 mPos = 0;
};
