// SPDX-License-Identifier: LicenseRef-Tavelcor
// The key-string notation: what each string types, and which strings are
// refused whole.
#include "platform/desktop/keysend.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace platform {

void PrintTo(const KeyStroke& stroke, std::ostream* out)
{
    if (stroke.named)
        *out << "key#" << static_cast<int>(*stroke.named);
    else
        *out << "U+" << std::hex << static_cast<unsigned>(stroke.character) << std::dec;
    *out << (stroke.shift ? "+shift" : "") << (stroke.control ? "+ctrl" : "")
         << (stroke.alt ? "+alt" : "");
}

}  // namespace platform

namespace {

using platform::KeyStroke;
using platform::NamedKey;

KeyStroke ch(char32_t c, bool shift = false, bool control = false, bool alt = false)
{
    KeyStroke s;
    s.character = c;
    s.shift = shift;
    s.control = control;
    s.alt = alt;
    return s;
}

KeyStroke key(NamedKey k, bool shift = false, bool control = false)
{
    KeyStroke s;
    s.named = k;
    s.shift = shift;
    s.control = control;
    return s;
}

struct NotationCase {
    const char* name;
    const char16_t* keys;
    std::vector<KeyStroke> strokes;
};

class KeyNotation : public testing::TestWithParam<NotationCase> {};

TEST_P(KeyNotation, TypesTheseStrokes)
{
    const NotationCase& c = GetParam();
    const auto parsed = platform::parseKeyNotation(QString::fromUtf16(c.keys));
    ASSERT_TRUE(parsed.has_value()) << c.name;
    EXPECT_EQ(*parsed, c.strokes) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, KeyNotation,
    testing::Values(
        NotationCase{"empty", u"", {}},
        NotationCase{"digit", u"7", {ch('7')}},
        NotationCase{"point_and_blank", u". ", {ch('.'), ch(' ')}},
        NotationCase{"minus_and_slash_are_plain", u"-/", {ch('-'), ch('/')}},
        NotationCase{"upper_case_letter", u"X", {ch('X')}},
        NotationCase{"enter", u"{ENTER}", {key(NamedKey::Enter)}},
        NotationCase{"names_ignore_case", u"{enter}{Left}", {key(NamedKey::Enter), key(NamedKey::Left)}},
        NotationCase{"arrows", u"{LEFT}{RIGHT}", {key(NamedKey::Left), key(NamedKey::Right)}},
        NotationCase{"delete_and_alias", u"{DELETE}{DEL}", {key(NamedKey::Delete), key(NamedKey::Delete)}},
        NotationCase{"backspace_aliases", u"{BS}{BACKSPACE}{BKSP}",
                     {key(NamedKey::Backspace), key(NamedKey::Backspace), key(NamedKey::Backspace)}},
        NotationCase{"plus_in_braces_is_the_sign", u"{+}", {ch('+')}},
        NotationCase{"other_specials_in_braces", u"{^}{%}{~}{(}{)}{{}{}}",
                     {ch('^'), ch('%'), ch('~'), ch('('), ch(')'), ch('{'), ch('}')}},
        NotationCase{"blank_in_braces", u"{ }", {ch(' ')}},
        NotationCase{"tilde_is_enter", u"1~", {ch('1'), key(NamedKey::Enter)}},
        NotationCase{"plus_holds_shift_for_one_key", u"+a1", {ch('a', true), ch('1')}},
        NotationCase{"caret_and_percent", u"^c%f", {ch('c', false, true), ch('f', false, false, true)}},
        NotationCase{"modifiers_combine", u"+^{LEFT}", {key(NamedKey::Left, true, true)}},
        NotationCase{"repeat_count", u"{LEFT 3}",
                     {key(NamedKey::Left), key(NamedKey::Left), key(NamedKey::Left)}},
        NotationCase{"repeat_zero", u"{BS 0}1", {ch('1')}},
        NotationCase{"japanese_character", u"測", {ch(U'測')}},
        NotationCase{"character_outside_the_basic_plane", u"𠮷", {ch(U'𠮷')}},
        NotationCase{"keypad_line", u"12.5{ENTER}",
                     {ch('1'), ch('2'), ch('.'), ch('5'), key(NamedKey::Enter)}}),
    [](const testing::TestParamInfo<NotationCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    const char16_t* keys;
};

class RefusedNotation : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedNotation, IsRefusedWhole)
{
    EXPECT_FALSE(platform::parseKeyNotation(QString::fromUtf16(GetParam().keys)).has_value())
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Strings, RefusedNotation,
    testing::Values(RefusedCase{"lone_plus_has_no_key", u"+"},
                    RefusedCase{"modifier_at_the_end", u"12^"},
                    RefusedCase{"double_modifier", u"++a"},
                    RefusedCase{"unknown_name", u"{ENTRE}"},
                    RefusedCase{"unclosed_brace", u"1{ENTER"},
                    RefusedCase{"empty_braces", u"{}"},
                    RefusedCase{"stray_closing_brace", u"1}"},
                    RefusedCase{"group_in_parentheses", u"+(ab)"},
                    RefusedCase{"stray_parenthesis", u"a)"},
                    RefusedCase{"repeat_not_a_number", u"{LEFT x}"},
                    RefusedCase{"repeat_too_large", u"{LEFT 256}"},
                    RefusedCase{"repeat_negative", u"{LEFT -1}"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

}  // namespace
