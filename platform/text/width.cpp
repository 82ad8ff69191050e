// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/width.h"

#include "platform/text/cp932.h"

#include <QChar>

#include <array>
#include <memory>

namespace platform {
namespace {

constexpr char16_t kVoicedMark = 0x3099;       // combining dakuten
constexpr char16_t kSemiVoicedMark = 0x309A;   // combining handakuten
constexpr char16_t kHalfVoiced = 0xFF9E;       // ﾞ
constexpr char16_t kHalfSemiVoiced = 0xFF9F;   // ﾟ

// The full-width forms that the Japanese code page uses for five ASCII signs
// in place of the Unicode FF02, FF07, FF3C, FF40 and FF5E.
constexpr std::array<std::array<char16_t, 2>, 5> kCodePageWide = {{
    {u'"', 0x201D}, {u'\'', 0x2019}, {u'\\', 0xFFE5}, {u'`', 0x2018}, {u'~', 0xFFE3},
}};

// Built once from the Unicode width decompositions that Qt carries, so the
// pairs are not typed in by hand.
struct WidthTables {
    std::array<char16_t, 0x10000> wide{};                        // 0: no full-width form
    std::array<std::array<char16_t, 2>, 0x10000> narrow{};       // {0,0}: no half-width form
};

void addAsciiPairs(WidthTables& t)
{
    for (char16_t c = 0xFF01; c <= 0xFF5E; ++c) {
        const QChar ch(c);
        const QString d = ch.decomposition();
        if (ch.decompositionTag() != QChar::Wide || d.size() != 1)
            continue;
        const char16_t ascii = d.at(0).unicode();
        t.wide[ascii] = c;
        t.narrow[c] = {ascii, 0};
    }
    t.wide[u' '] = 0x3000;
    t.narrow[0x3000] = {u' ', 0};
    for (const auto& [ascii, full] : kCodePageWide) {
        t.wide[ascii] = full;
        t.narrow[full] = {ascii, 0};
    }
}

void addKatakanaPairs(WidthTables& t)
{
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        const QChar ch(c);
        const QString d = ch.decomposition();
        if (ch.decompositionTag() != QChar::Narrow || d.size() != 1)
            continue;
        char16_t full = d.at(0).unicode();
        // The marks decompose to the combining marks; the code page's
        // full-width marks are the spacing ones.
        if (c == kHalfVoiced)
            full = 0x309B;
        else if (c == kHalfSemiVoiced)
            full = 0x309C;
        t.wide[c] = full;
        t.narrow[full] = {c, 0};
    }
    // Voiced and semi-voiced katakana: base + combining mark.
    for (char16_t c = 0x30A1; c <= 0x30FA; ++c) {
        const QChar ch(c);
        const QString d = ch.decomposition();
        if (ch.decompositionTag() != QChar::Canonical || d.size() != 2)
            continue;
        const char16_t base = d.at(0).unicode();
        const char16_t mark = d.at(1).unicode();
        const char16_t halfBase = t.narrow[base][0];
        if (halfBase == 0 || (mark != kVoicedMark && mark != kSemiVoicedMark))
            continue;
        t.narrow[c] = {halfBase, mark == kVoicedMark ? kHalfVoiced : kHalfSemiVoiced};
    }
}

std::unique_ptr<WidthTables> buildTables()
{
    auto t = std::make_unique<WidthTables>();
    addAsciiPairs(*t);
    addKatakanaPairs(*t);
    return t;
}

const WidthTables& tables()
{
    static const std::unique_ptr<WidthTables> instance = buildTables();
    return *instance;
}

// The full-width katakana base joined with a half-width mark, or 0 when the
// joined character does not exist or CP932 does not hold it.
char16_t joinMark(char16_t fullBase, char16_t halfMark)
{
    const char16_t combining = halfMark == kHalfVoiced ? kVoicedMark : kSemiVoicedMark;
    const QChar pair[2] = {QChar(fullBase), QChar(combining)};
    const QString joined = QString(pair, 2).normalized(QString::NormalizationForm_C);
    if (joined.size() != 1 || !isCp932Encodable(joined.at(0)))
        return 0;
    return joined.at(0).unicode();
}

}  // namespace

QString toFullWidth(QStringView text)
{
    const WidthTables& t = tables();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t full = t.wide[c];
        if (full == 0) {
            out.append(QChar(c));
            continue;
        }
        const bool katakana = c >= 0xFF66 && c <= 0xFF9D;
        if (katakana && i + 1 < text.size()) {
            const char16_t mark = text[i + 1].unicode();
            if (mark == kHalfVoiced || mark == kHalfSemiVoiced) {
                if (const char16_t joined = joinMark(full, mark)) {
                    out.append(QChar(joined));
                    ++i;
                    continue;
                }
            }
        }
        out.append(QChar(full));
    }
    return out;
}

QString toHalfWidth(QStringView text)
{
    const WidthTables& t = tables();
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const auto& half = t.narrow[ch.unicode()];
        if (half[0] == 0) {
            out.append(ch);
            continue;
        }
        out.append(QChar(half[0]));
        if (half[1] != 0)
            out.append(QChar(half[1]));
    }
    return out;
}

}  // namespace platform
