// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/cp932.h"

#include "print_qt.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <vector>

namespace {

using platform::cp932Length;
using platform::fromCp932;
using platform::isCp932Encodable;
using platform::toCp932;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// The characters of the site files that must survive a save: parcel
// attribute file name, circled digit, square metre, the wave dash and minus
// of the Windows code page, the parallel sign and half-width katakana. Codes
// from the CP932 code chart.
TEST(Cp932, SiteCharactersRoundTripWithTheirWindowsCodes)
{
    const QString text = QStringLiteral(u"画地属性①㎡～－∥ｱｲｳ");
    const QByteArray expected = bytes({0x89, 0xE6, 0x92, 0x6E, 0x91, 0xAE, 0x90, 0xAB, 0x87, 0x40,
                                       0x87, 0x75, 0x81, 0x60, 0x81, 0x7C, 0x81, 0x61, 0xB1, 0xB2,
                                       0xB3});
    EXPECT_EQ(toCp932(text), expected);
    EXPECT_EQ(fromCp932(expected), text);
}

// The codec swaps 0x1A, 0x1C and 0x7F; Windows maps every byte below 0x80
// to the same code point.
TEST(Cp932, AsciiBytesMapOneToOneIncludingControlCodes)
{
    QByteArray all;
    QString chars;
    for (int i = 0; i < 0x80; ++i) {
        all.append(char(i));
        chars.append(QChar(char16_t(i)));
    }
    EXPECT_EQ(fromCp932(all), chars);
    EXPECT_EQ(toCp932(chars), all);
}

struct EncodeRow {
    const char* name;
    QString text;
    QByteArray expected;
};

class Cp932Encode : public testing::TestWithParam<EncodeRow> {};

TEST_P(Cp932Encode, GivesTheWindowsBytes)
{
    EXPECT_EQ(toCp932(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, Cp932Encode,
    testing::Values(
        EncodeRow{"empty", QString(), QByteArray()},
        EncodeRow{"ascii_and_kana", QStringLiteral(u"A1,ｶﾅ"), bytes({'A', '1', ',', 0xB6, 0xC5})},
        EncodeRow{"fullwidth_blank", QStringLiteral(u"　"), bytes({0x81, 0x40})},
        EncodeRow{"yen_sign_fullwidth", QStringLiteral(u"￥"), bytes({0x81, 0x8F})},
        // Windows writes the NEC-selected IBM extensions with their IBM codes.
        EncodeRow{"ibm_extension_preferred", QStringLiteral(u"纊"), bytes({0xFA, 0x5C})},
        EncodeRow{"not_sign", QStringLiteral(u"￢"), bytes({0x81, 0xCA})},
        EncodeRow{"user_defined_area", QString(QChar(char16_t(0xE000))), bytes({0xF0, 0x40})},
        // No CP932 form: one "?" per UTF-16 code unit.
        EncodeRow{"accented_letter", QStringLiteral(u"é"), QByteArray("?")},
        EncodeRow{"latin_yen_sign", QStringLiteral(u"¥"), QByteArray("?")},
        // The codec writes nothing for the soft hyphen; a writer keeps its place.
        EncodeRow{"soft_hyphen", QString(QChar(char16_t(0xAD))), QByteArray("?")},
        EncodeRow{"emoji_pair", QStringLiteral(u"a😀b"), QByteArray("a??b")},
        EncodeRow{"lone_surrogate", QString(QChar(char16_t(0xD800))), QByteArray("?")}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecodeRow {
    const char* name;
    QByteArray bytes;
    QString expected;
};

class Cp932Decode : public testing::TestWithParam<DecodeRow> {};

TEST_P(Cp932Decode, GivesTheText)
{
    EXPECT_EQ(fromCp932(GetParam().bytes), GetParam().expected);
}

const QString kBad(QChar(char16_t(0xFFFD)));

INSTANTIATE_TEST_SUITE_P(
    TextKit, Cp932Decode,
    testing::Values(
        DecodeRow{"hiragana", bytes({'a', 0x82, 0xA0, 'b'}), QStringLiteral(u"aあb")},
        DecodeRow{"nec_and_ibm_codes_of_one_kanji", bytes({0xED, 0x40, 0xFA, 0x5C}),
                  QStringLiteral(u"纊纊")},
        DecodeRow{"user_defined_area", bytes({0xF9, 0xFC}), QString(QChar(char16_t(0xE757)))},
        // A lead byte at the end of the data has no trail byte.
        DecodeRow{"lone_lead_byte_at_end", bytes({'x', 0x82}), "x" + kBad},
        // The byte after a lead byte that cannot be a trail byte is read on
        // its own, so field and line separators survive.
        DecodeRow{"lead_byte_before_comma", bytes({0x81, ',', 'b'}), kBad + ",b"},
        DecodeRow{"lead_byte_before_crlf", bytes({0x81, '\r', '\n'}), kBad + "\r\n"},
        DecodeRow{"lead_byte_before_7f", bytes({0x81, 0x7F}), kBad + QChar(char16_t(0x7F))},
        // A well-formed pair without a character takes both bytes.
        DecodeRow{"unassigned_pair", bytes({0x87, 0x9D, 'z'}), kBad + "z"},
        DecodeRow{"byte_80", bytes({0x80}), kBad},
        DecodeRow{"byte_a0", bytes({0xA0}), kBad},
        DecodeRow{"bytes_fd_to_ff", bytes({0xFD, 0xFE, 0xFF}), kBad + kBad + kBad}),
    [](const auto& info) { return std::string(info.param.name); });

// The JIS code points of signs that have a Windows code point of their own.
const std::vector<std::pair<char16_t, char16_t>> kJisVariants = {
    {0x301C, 0xFF5E}, {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x00A2, 0xFFE0},
    {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015}};

bool isJisVariant(char16_t c)
{
    for (const auto& v : kJisVariants) {
        if (v.first == c)
            return true;
    }
    return false;
}

// Text typed on Linux (〜 from an input method) is saved with the code of the
// Windows sign, not as "?", and reads back as the Windows sign.
TEST(Cp932, JisVariantsAreWrittenAsTheWindowsSigns)
{
    for (const auto& [jis, windows] : kJisVariants) {
        const QByteArray code = toCp932(QString(QChar(windows)));
        ASSERT_EQ(code.size(), 2);
        EXPECT_EQ(toCp932(QString(QChar(jis))), code) << std::hex << int(jis);
        EXPECT_EQ(fromCp932(code), QString(QChar(windows)));
        EXPECT_TRUE(isCp932Encodable(QChar(jis)));
        EXPECT_EQ(cp932Length(QString(QChar(jis))), 2);
    }
    EXPECT_EQ(toCp932(QStringLiteral(u"1〜5")), bytes({'1', 0x81, 0x60, '5'}));
}

// Whatever a writer encodes reads back as the same character, for every
// character of the basic plane that CP932 holds (but the JIS variants above).
TEST(Cp932, EveryEncodableCharacterReadsBackUnchanged)
{
    int encodable = 0;
    for (int c = 0; c <= 0xFFFF; ++c) {
        const QChar ch{char16_t(c)};
        if (!isCp932Encodable(ch) || isJisVariant(char16_t(c)))
            continue;
        ++encodable;
        const QString one(ch);
        const QByteArray b = toCp932(one);
        ASSERT_EQ(fromCp932(b), one) << "U+" << std::hex << c;
        ASSERT_EQ(cp932Length(one), b.size()) << "U+" << std::hex << c;
    }
    // JIS X 0208, NEC and IBM extensions, user-defined area, ASCII and kana:
    // well above 9000 characters.
    EXPECT_GT(encodable, 9000);
}

// Every two-byte code decodes to a character that encodes to a code of the
// same character (the code itself, or the preferred one of a duplicate pair).
TEST(Cp932, EveryAssignedPairSurvivesDecodeEncodeDecode)
{
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray pair = bytes({lead, trail});
            const QString text = fromCp932(pair);
            if (text == kBad || text.size() != 1)
                continue;
            ASSERT_EQ(fromCp932(toCp932(text)), text) << std::hex << lead << trail;
        }
    }
}

struct LengthRow {
    const char* name;
    QString text;
    qsizetype bytes;
};

class Cp932Length : public testing::TestWithParam<LengthRow> {};

TEST_P(Cp932Length, CountsBytes)
{
    EXPECT_EQ(cp932Length(GetParam().text), GetParam().bytes);
    EXPECT_EQ(cp932Length(GetParam().text), toCp932(GetParam().text).size());
}

INSTANTIATE_TEST_SUITE_P(
    TextKit, Cp932Length,
    testing::Values(
        LengthRow{"empty", QString(), 0},
        // Two full-width letters and one half-width letter: 2 wide, 1 narrow.
        LengthRow{"two_wide_one_narrow", QStringLiteral(u"ＡＢc"), 5},
        LengthRow{"three_fullwidth", QStringLiteral(u"画地属"), 6},
        LengthRow{"three_halfwidth", QStringLiteral(u"abc"), 3},
        LengthRow{"halfwidth_katakana_narrow", QStringLiteral(u"ｱｲｳ"), 3},
        // A coordinate label " 12 (A)": blank, 1, 2, blank, parenthesis, A,
        // parenthesis.
        LengthRow{"sxf_label", QStringLiteral(u" 12 (A)"), 7},
        LengthRow{"unmappable_is_one_question_mark", QStringLiteral(u"é"), 1},
        LengthRow{"emoji_is_two_question_marks", QStringLiteral(u"😀"), 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cp932, DecodeIntoBufferNeverWritesMoreCharactersThanBytes)
{
    const QByteArray input = bytes({'a', 0x82, 0xA0, 0xB1, 0x81, 0xFF});
    std::vector<QChar> out(std::size_t(input.size()) + 1, QChar(u'#'));
    const qsizetype n = platform::decodeCp932(input, out.data());
    EXPECT_EQ(QString(out.data(), n), QStringLiteral(u"aあｱ") + kBad + kBad);
    EXPECT_EQ(out[std::size_t(input.size())], QChar(u'#'));
}

}  // namespace
