// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/keys.h"

#include <array>
#include <utility>

namespace platform {

namespace {

constexpr int kKeypadDigit0 = 96;
constexpr int kFunctionKeys = 24;

// Keys whose code does not follow from a range.
constexpr std::array<std::pair<int, int>, 33> kKeyTable = {{
    {Qt::Key_Backspace, key::Back},
    {Qt::Key_Tab, key::Tab},
    {Qt::Key_Backtab, key::Tab},
    {Qt::Key_Return, key::Return},
    {Qt::Key_Enter, key::Return},
    {Qt::Key_Shift, key::Shift},
    {Qt::Key_Control, key::Control},
    {Qt::Key_Alt, key::Menu},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, key::Escape},
    {Qt::Key_Space, key::Space},
    {Qt::Key_PageUp, key::PageUp},
    {Qt::Key_PageDown, key::PageDown},
    {Qt::Key_End, key::End},
    {Qt::Key_Home, key::Home},
    {Qt::Key_Left, key::Left},
    {Qt::Key_Up, key::Up},
    {Qt::Key_Right, key::Right},
    {Qt::Key_Down, key::Down},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, key::Insert},
    {Qt::Key_Delete, key::Delete},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},
}};

// Keypad operators: Qt key -> keypad code.
constexpr std::array<std::pair<int, int>, 5> kKeypadTable = {{
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Slash, 111},
}};

int keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return kKeypadDigit0 + (qtKey - Qt::Key_0);
    for (const auto& [qt, code] : kKeypadTable) {
        if (qt == qtKey)
            return code;
    }
    return 0;
}

}  // namespace

int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const int code = keypadCode(qtKey); code != 0)
            return code;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;  // the codes of digits and letters are their upper-case characters
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeys)
        return key::F1 + (qtKey - Qt::Key_F1);
    if (qtKey == Qt::Key_Plus)
        return 187;  // the key that carries "+" on a Japanese keyboard shares the "=" code
    for (const auto& [qt, code] : kKeyTable) {
        if (qt == qtKey)
            return code;
    }
    return 0;
}

int qtKeyFromVb(int keyCode)
{
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
        return keyCode;
    if (keyCode >= kKeypadDigit0 && keyCode <= kKeypadDigit0 + 9)
        return Qt::Key_0 + (keyCode - kKeypadDigit0);
    if (keyCode >= key::F1 && keyCode < key::F1 + kFunctionKeys)
        return Qt::Key_F1 + (keyCode - key::F1);
    for (const auto& [qt, code] : kKeypadTable) {
        if (code == keyCode)
            return qt;
    }
    for (const auto& [qt, code] : kKeyTable) {
        if (code == keyCode)
            return qt;
    }
    return Qt::Key_unknown;
}

int vbShift(Qt::KeyboardModifiers modifiers)
{
    int bits = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        bits |= shift::Shift;
    if (modifiers.testFlag(Qt::ControlModifier))
        bits |= shift::Ctrl;
    if (modifiers.testFlag(Qt::AltModifier))
        bits |= shift::Alt;
    return bits;
}

int vbButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return mouse::Left;
    case Qt::RightButton: return mouse::Right;
    case Qt::MiddleButton: return mouse::Middle;
    default: return 0;
    }
}

int vbButtons(Qt::MouseButtons buttons)
{
    int bits = 0;
    if (buttons.testFlag(Qt::LeftButton))
        bits |= mouse::Left;
    if (buttons.testFlag(Qt::RightButton))
        bits |= mouse::Right;
    if (buttons.testFlag(Qt::MiddleButton))
        bits |= mouse::Middle;
    return bits;
}

}  // namespace platform
