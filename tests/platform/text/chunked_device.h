// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: a read-only device that hands out its data at most `chunk`
// bytes per read, as a pipe or a slow device does, so that line ends and the
// bytes of one character fall across reads.
#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <utility>

class ChunkedDevice : public QIODevice {
public:
    ChunkedDevice(QByteArray data, qint64 chunk) : mData(std::move(data)), mChunk(chunk)
    {
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char* out, qint64 max) override
    {
        const qint64 n = std::min({max, mChunk, qint64(mData.size()) - mPos});
        std::memcpy(out, mData.constData() + mPos, size_t(n));
        mPos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray mData;
    qint64 mChunk;
    qint64 mPos = 0;
};
