// SPDX-License-Identifier: LicenseRef-Tavelcor
// Qt keys, buttons and modifiers as the handlers' codes.
#include "platform/forms/keys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int code;
};

class KeyCodes : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyCodes, MapsToTheVirtualKeyCode)
{
    EXPECT_EQ(platform::vbKeyCode(GetParam().qtKey, GetParam().modifiers), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyCodes,
    ::testing::Values(KeyCase{Qt::Key_Return, {}, 13}, KeyCase{Qt::Key_Enter, Qt::KeypadModifier, 13},
                      KeyCase{Qt::Key_Escape, {}, 27}, KeyCase{Qt::Key_Backspace, {}, 8},
                      KeyCase{Qt::Key_Delete, {}, 46}, KeyCase{Qt::Key_Left, {}, 37}, KeyCase{Qt::Key_Up, {}, 38},
                      KeyCase{Qt::Key_Right, {}, 39}, KeyCase{Qt::Key_Down, {}, 40}, KeyCase{Qt::Key_Space, {}, 32},
                      KeyCase{Qt::Key_0, {}, 48}, KeyCase{Qt::Key_9, Qt::ShiftModifier, 57},
                      KeyCase{Qt::Key_A, {}, 65}, KeyCase{Qt::Key_Z, Qt::ControlModifier, 90},
                      KeyCase{Qt::Key_5, Qt::KeypadModifier, 101}, KeyCase{Qt::Key_Plus, Qt::KeypadModifier, 107},
                      KeyCase{Qt::Key_Minus, Qt::KeypadModifier, 109}, KeyCase{Qt::Key_Minus, {}, 189},
                      KeyCase{Qt::Key_Period, Qt::KeypadModifier, 110}, KeyCase{Qt::Key_F1, {}, 112},
                      KeyCase{Qt::Key_F12, {}, 123}, KeyCase{Qt::Key_Shift, Qt::ShiftModifier, 16},
                      KeyCase{Qt::Key_Home, {}, 36}, KeyCase{Qt::Key_PageDown, {}, 34},
                      KeyCase{Qt::Key_unknown, {}, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) {
        return "row" + std::to_string(info.index) + "_code" + std::to_string(info.param.code);
    });

TEST(KeyCodes, RoundTripForTheKeysTheProgramsTest)
{
    for (int code : {8, 13, 27, 32, 37, 38, 39, 40, 46, 48, 57, 65, 90, 96, 105, 107, 109, 112, 123}) {
        const int qtKey = platform::qtKeyFromVb(code);
        const Qt::KeyboardModifiers modifiers = code >= 96 && code <= 111 ? Qt::KeypadModifier : Qt::NoModifier;
        EXPECT_EQ(platform::vbKeyCode(qtKey, modifiers), code) << code;
    }
    EXPECT_EQ(platform::qtKeyFromVb(0), Qt::Key_unknown);
}

TEST(ShiftAndButtons, BitsAsTheHandlersGetThem)
{
    EXPECT_EQ(platform::vbShift(Qt::NoModifier), 0);
    EXPECT_EQ(platform::vbShift(Qt::ShiftModifier), 1);
    EXPECT_EQ(platform::vbShift(Qt::ControlModifier), 2);
    EXPECT_EQ(platform::vbShift(Qt::AltModifier), 4);
    EXPECT_EQ(platform::vbShift(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier), 7);
    EXPECT_EQ(platform::vbButton(Qt::LeftButton), 1);
    EXPECT_EQ(platform::vbButton(Qt::RightButton), 2);
    EXPECT_EQ(platform::vbButton(Qt::MiddleButton), 4);
    EXPECT_EQ(platform::vbButton(Qt::BackButton), 0);
    EXPECT_EQ(platform::vbButtons(Qt::LeftButton | Qt::RightButton), 3);
    EXPECT_EQ(platform::vbButtons(Qt::NoButton), 0);
}

}  // namespace
