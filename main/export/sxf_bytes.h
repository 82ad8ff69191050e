// SPDX-License-Identifier: LicenseRef-Tavelcor
// The bytes of one SXF feature block, built in place. An SXF file of a
// full-size site holds millions of blocks and ten million coordinates, so
// the block is written into one buffer that keeps its capacity, every piece
// after one check for room, and coordinates go straight to digits.
// Internal to the SXF export.
#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

namespace tavelcor::sxf {

/// Most bytes writeMillimetres writes.
inline constexpr std::size_t kMillimetreBytes = 40;
/// Most bytes of a whole number.
inline constexpr std::size_t kIntegerBytes = 20;

/// Writes a length in metres as whole millimetres: the text of
/// geodesy::FormatFixed(metres × 1000, 12, 0) without its leading blanks,
/// and never cut (a value wider than 12 characters is written whole, up to
/// 40 characters). A value that is not finite writes nothing. Returns the
/// end of what was written.
char* writeMillimetres(char* out, double metres) noexcept;

class BlockBytes {
public:
    void clear() noexcept { mSize = 0; }
    /// Makes room for n more bytes; the put and write calls after it may
    /// fill that many.
    void reserve(std::size_t n)
    {
        if (mSize + n > mCapacity)
            grow(mSize + n);
    }
    void put(char c) noexcept { mData[mSize++] = c; }
    template <std::size_t N>
    void put(const char (&literal)[N]) noexcept
    {
        std::memcpy(mData.get() + mSize, literal, N - 1);
        mSize += N - 1;
    }
    void put(std::string_view bytes) noexcept
    {
        std::memcpy(mData.get() + mSize, bytes.data(), bytes.size());
        mSize += bytes.size();
    }
    /// A whole number (kIntegerBytes of room). Most are layer, colour and
    /// flag numbers below 100, written without a conversion call.
    void putInt(std::int64_t value) noexcept
    {
        if (value >= 0 && value < 10) {
            put(static_cast<char>('0' + value));
        } else if (value >= 10 && value < 100) {
            put(static_cast<char>('0' + value / 10));
            put(static_cast<char>('0' + value % 10));
        } else {
            putLongInt(value);
        }
    }
    /// Metres as whole millimetres (kMillimetreBytes of room).
    void putMillimetres(double metres) noexcept { mSize = std::size_t(writeMillimetres(mData.get() + mSize, metres) - mData.get()); }

    QByteArrayView view() const noexcept { return QByteArrayView(mData.get(), static_cast<qsizetype>(mSize)); }

private:
    void putLongInt(std::int64_t value) noexcept;
    void grow(std::size_t needed);

    std::unique_ptr<char[]> mData;
    std::size_t mSize = 0;
    std::size_t mCapacity = 0;
};

}  // namespace tavelcor::sxf
