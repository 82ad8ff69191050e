// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad program's state for the whole run, the desktop it types into,
// and the reading and writing of its settings (KINTAB.JKN).
//
// Sizes and places are in twips (15 to a pixel at 96 dpi).
#pragma once

#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {
class Form;
class SingleInstance;
}

namespace kintab {

// State kept for the whole run.
struct KeypadState {
    // The window that receives the keys: the last window other than the
    // keypad that was in front at a tick of the 500 ms timer; 0 for none.
    platform::WindowHandle KeyTarget = 0;
    // Outer size of the keypad as the program last set it; the compact mode
    // works on these.
    std::int32_t KeypadWidth = 0;
    std::int32_t KeypadHeight = 0;
    // Size factor of the keypad, 0.5 to 1.5.
    float SizeFactor = 1.0F;
    // 1: the close box shrinks the keypad instead of closing it.
    std::uint8_t IconMode = 1;
    // 1 while the keypad is shrunk, else 0.
    float IconState = 0.0F;
    // The stored "常に半角大文字" flag; kept and written, nothing uses it.
    std::uint8_t UpperCaseFlag = 1;
    // The letters of the keys 21, 22 and 23.
    std::array<QString, 3> KeyLetter{QStringLiteral("X"), QStringLiteral("P"),
                                     QStringLiteral("R")};
};

KeypadState& keypad();
// Back to the start values (for tests; the program starts with them).
void resetKeypadState();

// What the keypad needs of the desktop and of the program around it.
struct KeypadServices {
    // The window in front and bringing a window back; not owned. Null: no
    // window is ever in front.
    platform::ForegroundWindows* windows = nullptr;
    // Makes the key sender (at the first key).
    std::function<platform::KeySenderOpening()> openKeySender;
    // Called once the keypad window has unloaded: ends the program.
    std::function<void()> endProgram;
};

// The services in force. The first use without installServices() installs
// the desktop of $DISPLAY.
KeypadServices& services();
// Installs services (tests install a fake desktop).
void installServices(KeypadServices next);

// Screen size in twips; 0 when there is no screen.
double screenWidthTwips();
double screenHeightTwips();

// Keeps the window above the other windows, without moving or sizing it.
void KeepOnTop(platform::Form& form);

// Reads the settings: the letters from the key captions and, when
// KINTAB.JKN exists, everything from the file, then sizes and places the
// keypad and sets the settings dialog (loaded hidden when it is not loaded).
void LoadKeypadSettings();

// Writes KINTAB.JKN, gives the letter keys their letters and the keypad the
// size of the factor (its top-left corner stays). A file that cannot be
// written is reported; the old file then stays as it was.
void SaveKeypadSettings();

// Becomes the one running keypad of the program folder; nullptr when another
// keypad runs (the program then ends without a word). A program folder that
// cannot be written is reported, and the keypad runs all the same.
std::unique_ptr<platform::SingleInstance> claimTheProgram();

// The end of the desktop session: the keypad window unloads as from its close
// box, but from either state (the compact keypad takes its full size back
// first), so KINTAB.JKN keeps the settings and the full keypad's place.
void endForSession();

}  // namespace kintab
