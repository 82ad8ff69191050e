// SPDX-License-Identifier: LicenseRef-Tavelcor
// Key, button and shift codes as the forms' handlers receive them: the
// Windows virtual-key codes in KeyDown/KeyUp (13 Enter, 37..40 arrows, 46
// Delete, 48..57 digits, 65..90 letters, 96..105 keypad digits, 112.. F keys),
// buttons 1 left, 2 right, 4 middle, and shift bits 1 Shift, 2 Ctrl, 4 Alt.
// QtCore only.
#pragma once

#include <Qt>

namespace platform {

namespace key {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;
}  // namespace key

namespace mouse {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace mouse

namespace shift {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}  // namespace shift

/// The virtual-key code of a Qt key (Qt::Key value); Qt::KeypadModifier
/// selects the keypad codes for digits and operators. 0 for keys without one.
int vbKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

/// The Qt key of a virtual-key code (the main-keyboard key where there are
/// two); Qt::Key_unknown for codes without one.
int qtKeyFromVb(int keyCode);

/// Shift bits of Qt modifiers.
int vbShift(Qt::KeyboardModifiers modifiers);

/// Button code of one Qt button (0 for buttons the forms do not know).
int vbButton(Qt::MouseButton button);

/// Button bits of the Qt buttons held (MouseMove reports these).
int vbButtons(Qt::MouseButtons buttons);

}  // namespace platform
