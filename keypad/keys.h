// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad's 23 keys: number, caption, place on the keypad, look and the
// key string each one types (in the notation of platform/desktop/keysend.h).
//
// Key numbers are 0 to 11 and 13 to 23; there is no key 12. Keys 21, 22 and
// 23 are the letter keys: they type the letter the user chose for them, so
// their text is not in the table.
//
// Places and sizes are in twips on the keypad's design client area (3705 by
// 2475); colours are 0x00BBGGRR; font sizes in points.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace kintab {

struct KeyDesign {
    int number;              // the key's index in the button array
    const char16_t* caption; // design caption
    int row;                 // 1 to 4 from the top
    int column;              // 1 to 6 from the left
    const char16_t* sends;   // the key string; nullptr for the letter keys
    int letterSlot;          // 1 to 3 for the letter keys 21 to 23, else 0
    double fontPoints;       // bold "ＭＳ ゴシック"
    std::uint32_t backColor; // 0x00BBGGRR
};

inline constexpr int kKeyCount = 23;
inline constexpr int kHighestKey = 23;
inline constexpr int kFirstLetterKey = 21;

// The keys in the order of their numbers.
const std::array<KeyDesign, kKeyCount>& keyDesigns();

// The key of that number; nullptr for 12 and numbers outside 0 to 23.
const KeyDesign* keyDesign(int number);

// The key string of a key with a fixed text; nullopt for the letter keys and
// for numbers that are no key.
std::optional<QString> fixedKeyText(int number);

// 1 to 3 for the letter keys 21 to 23, else 0.
int letterSlotOf(int number);

// The key's place on the design client area, twips.
struct KeyPlace {
    int left;
    int top;
    int width;
    int height;
};
KeyPlace keyPlace(const KeyDesign& key);

}  // namespace kintab
