// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/mapxml_text.h"

#include "platform/text/cp932.h"
#include "platform/text/numbers.h"

#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace tavelcor::mapxml {
namespace {

constexpr std::string_view kGeometry = "zmn:";

bool anyHighByte(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    unsigned char any = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        any |= p[i];
    return (any & 0x80U) != 0;
}

bool isCp932Lead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

}  // namespace

Marker::Marker(QStringView text, FileEncoding encoding)
    : mBytes(encoding == FileEncoding::Utf8 ? text.toUtf8() : platform::toCp932(text))
{
    mNonAscii = anyHighByte(mBytes);
    mGeometry = bytes().find(kGeometry) != std::string_view::npos;
}

void Line::reset(QByteArray& bytes, qint64 number)
{
    // The caller gets the room of the bytes this line held, for the next line.
    mBytes.swap(bytes);
    mNumber = number;
    mHasHigh = anyHighByte(mBytes);
    const std::string_view view(mBytes.constData(), std::size_t(mBytes.size()));
    mHasGeometry = view.find(kGeometry) != std::string_view::npos;
    mDecoded = false;
}

void Line::swap(Line& other) noexcept
{
    std::swap(mEncoding, other.mEncoding);
    mBytes.swap(other.mBytes);
    std::swap(mNumber, other.mNumber);
    std::swap(mHasHigh, other.mHasHigh);
    std::swap(mHasGeometry, other.mHasGeometry);
    std::swap(mDecoded, other.mDecoded);
    mText.swap(other.mText);
}

bool Line::contains(const Marker& marker) const
{
    if ((marker.nonAscii() && !mHasHigh) || (marker.geometry() && !mHasGeometry))
        return false;
    const std::string_view view(mBytes.constData(), std::size_t(mBytes.size()));
    const std::string_view wanted = marker.bytes();
    // The character starts are walked once, from the last match on: a
    // match on the second byte of a two-byte character is passed over.
    const auto* p = reinterpret_cast<const unsigned char*>(mBytes.constData());
    std::size_t characterStart = 0;
    for (std::size_t pos = view.find(wanted); pos != std::string_view::npos;
         pos = view.find(wanted, pos + 1)) {
        if (mEncoding == FileEncoding::Utf8 || !mHasHigh)
            return true;
        while (characterStart < pos)
            characterStart += isCp932Lead(p[characterStart]) ? 2 : 1;
        if (characterStart == pos)
            return true;
    }
    return false;
}

QStringView Line::text()
{
    if (mDecoded)
        return mText;
    if (mEncoding == FileEncoding::Cp932) {
        mText.resize(mBytes.size());
        mText.truncate(platform::decodeCp932(mBytes, mText.data()));
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        mText.resize(decoder.requiredSpace(mBytes.size()));
        const QChar* end = decoder.appendToBuffer(mText.data(), mBytes);
        mText.truncate(end - mText.constData());
    }
    mDecoded = true;
    return mText;
}

TextKind textKindOf(QByteArrayView bytes)
{
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (!beyondAscii)
        return TextKind::Ascii;
    return bytes.isValidUtf8() ? TextKind::Utf8 : TextKind::Other;
}

// ---- values ---------------------------------------------------------------------

std::optional<qint64> idNumber(QStringView line)
{
    const qsizetype quote = line.indexOf(u'"');
    const qsizetype begin = quote + 2;  // 1 when the line has no quote
    if (begin >= line.size())
        return 0;
    const auto number = platform::toLongChecked(platform::Val(line.mid(begin, 20)));
    if (!number)
        return std::nullopt;
    return *number;
}

QString elementText(QStringView line, qsizetype width)
{
    const QStringView rest = line.mid(line.indexOf(u'>') + 1, width);
    const qsizetype end = rest.indexOf(u'<');
    return (end < 0 ? rest : rest.first(end)).toString();
}

double coordinate(QStringView line)
{
    return platform::Val(line.mid(line.indexOf(u'>') + 1, 20));
}

std::optional<int> zoneNumber(QStringView line)
{
    const qsizetype at = line.indexOf(u"公共");
    if (at < 0)
        return 0;
    if (at + 4 >= line.size())
        return 0;
    const auto zone = platform::toByteChecked(platform::Val(line.mid(at + 4, 2)));
    if (!zone)
        return std::nullopt;
    return int(*zone);
}

QString quotedLine(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && (line[begin] == u' ' || line[begin] == u'\t'))
        ++begin;
    while (end > begin && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
        --end;
    const QStringView trimmed = line.sliced(begin, end - begin);
    return trimmed.size() > 80 ? trimmed.first(80).toString() + QStringLiteral("…") : trimmed.toString();
}

}  // namespace tavelcor::mapxml
