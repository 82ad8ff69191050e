// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fields of a whole SIMA text as the redisplay command scans them, read
// in order without a string per field: the clipboard's reload text of a
// full-size site holds about six million fields.
//
// A field ends at a comma, at a line feed (U+000A) or at the end of the
// text; every other character, a carriage return included, belongs to it.
// The reads give exactly what platform::nextFieldView (the field) and
// sitetext::fieldNumber / fieldLong (its leading number) give; the plain
// number forms of the site files ("-34000.125", " 12", ".5") are read as
// they are scanned, anything else is found first and read by those.
#pragma once

#include "main/site/site_numbers.h"
#include "main/site/site_text.h"

#include <QStringView>

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavelcor::simatext {

// The first comma or line feed in [p, end), or end.
[[gnu::always_inline]] inline const char16_t* fieldEnd(const char16_t* p, const char16_t* const end)
{
#if defined(__SSE2__)
    // Eight characters at a time: most fields end within the first eight.
    const __m128i comma = _mm_set1_epi16(u',');
    const __m128i lineFeed = _mm_set1_epi16(u'\n');
    for (; end - p >= 8; p += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits = _mm_or_si128(_mm_cmpeq_epi16(block, comma), _mm_cmpeq_epi16(block, lineFeed));
        if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0)
            return p + __builtin_ctz(mask) / 2;
    }
#endif
    while (p != end && *p != u',' && *p != u'\n')
        ++p;
    return p;
}

// True for the characters that end a field.
inline bool endsField(char16_t c)
{
    return c == u',' || c == u'\n';
}

// The plain form "[blanks][sign]digits[.digits][blanks]" with 1 to 15
// digits at p, up to the end of its field: true with parts and stop (the
// comma or line feed that ends the field, or end); false for anything else,
// which the caller reads as the site files' field readers do. The same
// parts as those readers take from such a field.
[[gnu::always_inline]] inline bool plainPartsOfField(const char16_t* p, const char16_t* const end,
                                                    sitetext::plain::Parts& parts, const char16_t*& stop)
{
    const auto digit = [](char16_t c) { return static_cast<unsigned>(c) - unsigned('0'); };
    // At most 19 digits, which the mantissa holds; the count is checked below.
    const auto appendDigits = [&](std::uint64_t& mantissa) {
        const char16_t* const first = p;
        const char16_t* const limit = end - p > 19 ? p + 19 : end;
        for (unsigned d; p != limit && (d = digit(*p)) <= 9; ++p)
            mantissa = mantissa * 10 + d;
        return static_cast<int>(p - first);
    };
    while (p != end && *p == u' ')
        ++p;
    if (p != end && (*p == u'-' || *p == u'+')) {
        parts.negative = *p == u'-';
        ++p;
    }
    std::uint64_t mantissa = 0;
    int digits = appendDigits(mantissa);
    if (p != end && *p == u'.' && digits <= sitetext::plain::kFastDigits) {
        ++p;
        parts.decimals = appendDigits(mantissa);
        digits += parts.decimals;
    }
    if (p != end && digit(*p) <= 9)
        return false;  // more digits than the mantissa holds
    while (p != end && *p == u' ')
        ++p;
    if ((p != end && !endsField(*p)) || digits == 0 || digits > sitetext::plain::kFastDigits)
        return false;
    parts.mantissa = static_cast<std::int64_t>(mantissa);
    stop = p;
    return true;
}

// Reads the fields of a text in order. Reading past the last field gives
// an empty (null) field, as NextField gives it.
class FieldCursor {
public:
    explicit FieldCursor(QStringView text)
        : mNext(text.utf16()), mEnd(text.utf16() + text.size()), mFieldStart(mNext), mFieldStop(mNext)
    {
    }

    // True when every field has been read: nothing but a last separator (or
    // nothing at all) follows the last field read.
    bool atEnd() const { return mNext == mEnd; }

    // The next field as it stands.
    QStringView text()
    {
        if (mNext == mEnd)
            return passedTheEnd();
        mFieldStart = mNext;
        pass(fieldEnd(mNext, mEnd));
        return field();
    }

    // The next field passed over.
    void skip() { (void)text(); }

    // The next field's leading number, as sitetext::fieldNumber reads it.
    double number();

    // The next field's leading number rounded to a whole number, as
    // sitetext::fieldLong reads it: true and the value in out when it gives
    // one within lo..hi.
    bool whole(std::int32_t lo, std::int32_t hi, std::int32_t& out);

    // True when the field read last ended at a comma: more fields of its
    // line follow (a line feed or the end of the text ends the line).
    bool lastFieldEndedAtComma() const { return mFieldStop != nullptr && mFieldStop != mEnd && *mFieldStop == u','; }

    // The field read last, as it stands.
    QStringView field() const
    {
        if (mFieldStart == nullptr)
            return {};
        return QStringView(mFieldStart, mFieldStop - mFieldStart);
    }

private:
    static bool within(std::optional<std::int32_t> value, std::int32_t lo, std::int32_t hi, std::int32_t& out)
    {
        if (!value || *value < lo || *value > hi)
            return false;
        out = *value;
        return true;
    }

    QStringView passedTheEnd()
    {
        mFieldStart = mFieldStop = nullptr;
        return {};
    }

    // Moves past the field that ends at stop (a separator, or the end).
    // Past a separator that is the text's last character nothing is left to
    // read, as the field-by-field scan stops there: mNext is then mEnd too.
    void pass(const char16_t* stop)
    {
        mFieldStop = stop;
        mNext = stop == mEnd ? mEnd : stop + 1;
    }

    const char16_t* mNext;  // where the next field starts; mEnd past the last one
    const char16_t* mEnd;
    const char16_t* mFieldStart;  // the field read last (nullptr: read past the end)
    const char16_t* mFieldStop;
};

inline double FieldCursor::number()
{
    sitetext::plain::Parts parts;
    const char16_t* stop = nullptr;
    if (mNext != mEnd && plainPartsOfField(mNext, mEnd, parts, stop)) {
        mFieldStart = mNext;
        pass(stop);
        return sitetext::plain::valueOf(parts);
    }
    return sitetext::fieldNumber(text());
}

inline bool FieldCursor::whole(std::int32_t lo, std::int32_t hi, std::int32_t& out)
{
    if (mNext == mEnd)
        return within(sitetext::fieldLong(passedTheEnd()), lo, hi, out);
    // The form of the coordinate numbers: up to nine digits right up to the
    // separator (or the end).
    const char16_t* p = mNext;
    const char16_t* const limit = mEnd - p > 9 ? p + 9 : mEnd;
    std::uint32_t digits = 0;
    for (unsigned d; p != limit && (d = static_cast<unsigned>(*p) - unsigned('0')) <= 9; ++p)
        digits = digits * 10 + d;
    if (p != mNext && (p == mEnd || endsField(*p))) {
        mFieldStart = mNext;
        pass(p);
        out = static_cast<std::int32_t>(digits);
        return std::int64_t{digits} >= lo && std::int64_t{digits} <= hi;
    }
    sitetext::plain::Parts parts;
    const char16_t* stop = nullptr;
    if (plainPartsOfField(mNext, mEnd, parts, stop) && parts.decimals < 0) {
        mFieldStart = mNext;
        pass(stop);
        // At most 15 digits: the value fits 64 bits.
        const std::int64_t value = parts.negative ? -parts.mantissa : parts.mantissa;
        out = static_cast<std::int32_t>(value);
        return value >= lo && value <= hi;
    }
    return within(sitetext::fieldLong(text()), lo, hi, out);
}

}  // namespace tavelcor::simatext
