// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstring>
#include <cstdint>
#include <memory>

namespace platform {
namespace {

constexpr const char* kCodecName = "windows-31j";
constexpr char16_t kReplacement = u'\uFFFD';

constexpr bool isLeadByte(std::uint8_t b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool isTrailByte(std::uint8_t b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The codec's mapping, read once. A zero entry means "no mapping" (U+0000 and
// byte 0x00 are ASCII and never looked up).
struct Cp932Tables {
    std::array<char16_t, 256> single{};        // one-byte codes 0x80..0xFF
    std::array<char16_t, 65536> pair{};        // lead << 8 | trail
    std::array<std::uint16_t, 65536> encode{}; // UTF-16 unit -> code (1 or 2 bytes)
};

// One character decoded alone, or 0 when the codec gives no single character
// other than its substitutes for bad input. (The codec's error flag is not
// asked: it stays set after the first bad input, even across resetState().)
char16_t decodeOne(QStringDecoder& decoder, QByteArrayView bytes)
{
    decoder.resetState();
    const QString s = decoder.decode(bytes);
    if (s.size() != 1)
        return 0;
    const char16_t c = s.at(0).unicode();
    return (c == 0x1A || c == kReplacement) ? 0 : c;
}

void readDecodeTables(Cp932Tables& t)
{
    QStringDecoder decoder(kCodecName, QStringDecoder::Flag::Stateless);
    for (int b = 0x80; b <= 0xFF; ++b) {
        if (isLeadByte(std::uint8_t(b)))
            continue;
        const char byte = char(b);
        t.single[b] = decodeOne(decoder, QByteArrayView(&byte, 1));
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(std::uint8_t(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isTrailByte(std::uint8_t(trail)))
                continue;
            const char bytes[2] = {char(lead), char(trail)};
            t.pair[(lead << 8) | trail] = decodeOne(decoder, QByteArrayView(bytes, 2));
        }
    }
}

// Every code unit alone: the codec writes nothing at all for some characters
// it ignores (the soft hyphen, format characters), so the units cannot be
// encoded in one run and told apart afterwards.
void readEncodeTable(Cp932Tables& t)
{
    QStringEncoder encoder(kCodecName, QStringEncoder::Flag::Stateless);
    for (int c = 0x80; c <= 0xFFFF; ++c) {
        t.encode[c] = 0;
        if (QChar::isSurrogate(char32_t(c)))
            continue;
        encoder.resetState();
        const QChar ch{char16_t(c)};
        const QByteArray b = encoder.encode(QStringView(&ch, 1));
        if (b == QByteArrayView("\xFC\xFC"))
            continue;
        if (b.size() == 1 && std::uint8_t(b[0]) >= 0x80)
            t.encode[c] = std::uint8_t(b[0]);
        else if (b.size() == 2 && isLeadByte(std::uint8_t(b[0])))
            t.encode[c] = std::uint16_t((std::uint8_t(b[0]) << 8) | std::uint8_t(b[1]));
    }
}

// Keeps only encodings that decode back to the same character, so that what
// a writer puts out reads back as it was.
void keepRoundTrips(Cp932Tables& t)
{
    for (int c = 0x80; c <= 0xFFFF; ++c) {
        const std::uint16_t code = t.encode[c];
        if (code == 0)
            continue;
        const char16_t back = code < 0x100 ? t.single[code] : t.pair[code];
        if (back != char16_t(c))
            t.encode[c] = 0;
    }
}

// Text typed or pasted on Linux carries the JIS code points of seven signs
// for which the Windows code page has its own: 〜 U+301C (～ U+FF5E),
// ‖ U+2016 (∥ U+2225), − U+2212 (－ U+FF0D), ¢ U+00A2 (￠ U+FFE0),
// £ U+00A3 (￡ U+FFE1), ¬ U+00AC (￢ U+FFE2), — U+2014 (― U+2015). They are
// written with the code of the Windows sign, as Windows itself writes them,
// instead of as "?"; they read back as the Windows sign.
void addJisVariants(Cp932Tables& t)
{
    constexpr std::array<std::array<char16_t, 2>, 7> kVariants = {{
        {0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x00A2, 0xFFE0},
        {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015},
    }};
    for (const auto& [jis, windows] : kVariants) {
        if (t.encode[jis] == 0)
            t.encode[jis] = t.encode[windows];
    }
}

std::unique_ptr<Cp932Tables> buildTables()
{
    auto t = std::make_unique<Cp932Tables>();
    readDecodeTables(*t);
    readEncodeTable(*t);
    keepRoundTrips(*t);
    addJisVariants(*t);
    return t;
}

const Cp932Tables& tables()
{
    static const std::unique_ptr<Cp932Tables> instance = buildTables();
    return *instance;
}

}  // namespace

qsizetype encodeCp932(QStringView text, char* out)
{
    const Cp932Tables& t = tables();
    const char16_t* const units = text.utf16();
    const qsizetype n = text.size();
    char* p = out;
    // Without a branch per character: the names of the site files mix
    // kanji, digits and letters, and a branch on each would often guess
    // wrong. Every character stores two bytes (the second is the trail
    // byte or lies beyond the text, inside the room the caller gives) and
    // moves on by the length of its code.
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = units[i];
        const std::uint16_t mapped = t.encode[c];
        std::uint32_t code = c < 0x80 ? c : (mapped != 0 ? mapped : std::uint32_t('?'));
        const std::uint32_t twoBytes = code > 0xFF ? 1 : 0;
        // The lead byte first: a two-byte code is stored byte-swapped.
        code = twoBytes != 0 ? ((code >> 8) | (code << 8)) : code;
        const auto bytes = static_cast<std::uint16_t>(code);
        std::memcpy(p, &bytes, sizeof bytes);
        p += 1 + twoBytes;
    }
    return p - out;
}

void appendCp932(QByteArray& out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    out.truncate(start + encodeCp932(text, out.data() + start));
}

QByteArray toCp932(QStringView text)
{
    QByteArray out;
    appendCp932(out, text);
    return out;
}

qsizetype decodeCp932(QByteArrayView bytes, QChar* out)
{
    const Cp932Tables& t = tables();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    QChar* start = out;
    qsizetype i = 0;
    while (i < n) {
        const std::uint8_t b = data[i];
        if (b < 0x80) {
            *out++ = QChar(char16_t(b));
            ++i;
        } else if (!isLeadByte(b)) {
            const char16_t c = t.single[b];
            *out++ = QChar(c ? c : kReplacement);
            ++i;
        } else if (i + 1 < n && isTrailByte(data[i + 1])) {
            const char16_t c = t.pair[(b << 8) | data[i + 1]];
            *out++ = QChar(c ? c : kReplacement);
            i += 2;
        } else {
            *out++ = QChar(kReplacement);
            ++i;
        }
    }
    return out - start;
}

QString fromCp932(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    out.truncate(decodeCp932(bytes, out.data()));
    return out;
}

qsizetype cp932Length(QStringView text)
{
    const Cp932Tables& t = tables();
    qsizetype n = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        n += (c >= 0x80 && t.encode[c] >= 0x100) ? 2 : 1;
    }
    return n;
}

bool isCp932Encodable(QChar c)
{
    return c.unicode() < 0x80 || tables().encode[c.unicode()] != 0;
}

}  // namespace platform
