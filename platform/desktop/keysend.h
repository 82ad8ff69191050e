// SPDX-License-Identifier: LicenseRef-Tavelcor
// Typing keys into the window in front, from a key string.
//
// The key string uses the notation of the Windows "SendKeys" call that the
// keypad's key table is written in:
//   - a plain character types itself ("7", ".", " ", "X");
//   - braces name a key: "{ENTER}", "{LEFT}", "{RIGHT}", "{UP}", "{DOWN}",
//     "{DELETE}" (or "{DEL}"), "{BS}" (or "{BACKSPACE}", "{BKSP}"), "{TAB}",
//     "{ESC}", "{HOME}", "{END}", "{INSERT}" (or "{INS}"), "{PGUP}",
//     "{PGDN}"; names compare without regard to case; "{LEFT 3}" repeats a
//     key (0 to 255 times);
//   - a single character in braces types that character itself: "{+}",
//     "{^}", "{%}", "{~}", "{(}", "{)}", "{{}", "{}}";
//   - "+", "^" and "%" hold Shift, Control and Alt for the key after them;
//     "~" is Enter.
// Groups in parentheses ("+(ab)") are not supported: a string with one is
// refused as a whole, and so is any other malformed string; nothing of a
// refused string is typed.
//
// This header needs QtCore only.
#pragma once

#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

// Keys that have a name in the notation.
enum class NamedKey {
    Enter,
    Left,
    Right,
    Up,
    Down,
    Delete,
    Backspace,
    Tab,
    Escape,
    Home,
    End,
    Insert,
    PageUp,
    PageDown,
};

// One key press with the modifiers the notation gave it. Exactly one of
// named and character is set.
struct KeyStroke {
    std::optional<NamedKey> named;
    char32_t character = 0;  // the Unicode character typed when named is empty
    bool shift = false;
    bool control = false;
    bool alt = false;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The key presses of a key string in order; nullopt when the string is
// malformed or uses a part of the notation that is not supported (then
// nothing of it may be typed). An empty string gives no key presses.
std::optional<std::vector<KeyStroke>> parseKeyNotation(QStringView keys);

// Types key strings into the window that has the keyboard focus now.
class KeySender {
public:
    virtual ~KeySender() = default;

    // Types the keys of the string in order and returns without waiting for
    // the receiving window to process them. False when the string is refused
    // by parseKeyNotation() (nothing typed) or a key could not be typed (the
    // keys before it were typed).
    virtual bool sendKeys(const QString& keys) = 0;
};

// The outcome of opening the desktop's key sender: a sender, or the reason
// why keys cannot be sent here (a sentence for the user).
struct KeySenderOpening {
    std::unique_ptr<KeySender> sender;
    QString failure;  // empty when sender is set
};

// Opens the key sender of the X11 display named displayName (empty: the
// $DISPLAY variable). Fails, with a reason, under a Wayland session, without
// a display, when the display cannot be opened or when it lacks the XTest
// extension. The sender keeps its own connection to the display until it is
// destroyed.
KeySenderOpening openKeySender(const QString& displayName = {});

}  // namespace platform
