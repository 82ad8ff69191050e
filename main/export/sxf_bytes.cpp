// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/sxf_bytes.h"

#include "geodesy/format_fixed.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tavelcor::sxf {
namespace {

// Below this magnitude (millimetres) the integer part and the fraction of a
// double are exact and fit a 64-bit number.
constexpr double kFastLimit = 1e15;
// The bias FormatFixed adds away from zero before rounding to 0 decimals.
constexpr double kBias = 1e-7;
// Characters of the fixed form that no finite value overflows unseen.
constexpr int kWholeWidth = 40;

}  // namespace

char* writeMillimetres(char* out, double metres) noexcept
{
    const double mm = metres * 1000.0;
    if (!(std::fabs(mm) < kFastLimit)) {
        // Beyond any plane coordinate, or not finite: the formatter itself.
        const std::string text = geodesy::FormatFixed(mm, kWholeWidth, 0);
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos)
            return out;
        return std::copy(text.begin() + static_cast<std::ptrdiff_t>(first), text.end(), out);
    }
    // As FormatFixed rounds to 0 decimals: the value moved 1e-7 away from
    // zero, then its magnitude rounded half up on the exact binary value
    // (the whole part, by truncation, and the fraction are exact below 2^52).
    const double biased = mm > 0 ? mm + kBias : (mm < 0 ? mm - kBias : mm);
    const double magnitude = std::fabs(biased);
    const auto whole = static_cast<std::uint64_t>(magnitude);
    const std::uint64_t rounded = whole + (magnitude - static_cast<double>(whole) >= 0.5 ? 1U : 0U);
    if (biased < 0 && rounded != 0)
        *out++ = '-';
    return std::to_chars(out, out + kIntegerBytes, rounded).ptr;
}

void BlockBytes::putLongInt(std::int64_t value) noexcept
{
    char* const at = mData.get() + mSize;
    mSize = std::size_t(std::to_chars(at, at + kIntegerBytes, value).ptr - mData.get());
}

void BlockBytes::grow(std::size_t needed)
{
    const std::size_t capacity = std::max<std::size_t>({needed, mCapacity * 2, 4096});
    auto data = std::make_unique<char[]>(capacity);
    if (mSize > 0)
        std::memcpy(data.get(), mData.get(), mSize);
    mData = std::move(data);
    mCapacity = capacity;
}

}  // namespace tavelcor::sxf
