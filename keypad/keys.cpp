// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "keypad/keys.h"

namespace kintab {

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kLetterBlue = 0x00FFC0C0;   // RGB 192, 192, 255
constexpr std::uint32_t kEnterOrange = 0x0080C0FF;  // RGB 255, 192, 128

constexpr double kDigitPoints = 15.75;
constexpr double kLargePoints = 18.0;   // letters, "+", "-", "Ent"
constexpr double kArrowPoints = 21.75;
constexpr double kDeletePoints = 12.0;

constexpr int kFirstLeft = 120;
constexpr int kFirstTop = 120;
constexpr int kPitch = 600;
constexpr int kKeySide = 495;
constexpr int kEnterWidth = 1095;  // the last two columns of the bottom row
constexpr int kEnterKey = 13;

constexpr std::array<KeyDesign, kKeyCount> kKeys{{
    {0, u"0", 4, 1, u"0", 0, kDigitPoints, kWhite},
    {1, u"1", 3, 1, u"1", 0, kDigitPoints, kWhite},
    {2, u"2", 3, 2, u"2", 0, kDigitPoints, kWhite},
    {3, u"3", 3, 3, u"3", 0, kDigitPoints, kWhite},
    {4, u"4", 2, 1, u"4", 0, kDigitPoints, kWhite},
    {5, u"5", 2, 2, u"5", 0, kDigitPoints, kWhite},
    {6, u"6", 2, 3, u"6", 0, kDigitPoints, kWhite},
    {7, u"7", 1, 1, u"7", 0, kDigitPoints, kWhite},
    {8, u"8", 1, 2, u"8", 0, kDigitPoints, kWhite},
    {9, u"9", 1, 3, u"9", 0, kDigitPoints, kWhite},
    {10, u".", 4, 2, u".", 0, kDigitPoints, kWhite},
    {11, u" ", 4, 3, u" ", 0, kDigitPoints, kWhite},
    {13, u"Ent", 4, 5, u"{ENTER}", 0, kLargePoints, kEnterOrange},
    {14, u"←", 1, 5, u"{LEFT}", 0, kArrowPoints, kWhite},
    {15, u"→", 1, 6, u"{RIGHT}", 0, kArrowPoints, kWhite},
    {16, u"DEL", 2, 6, u"{DELETE}", 0, kDeletePoints, kWhite},
    {17, u"BS", 3, 6, u"{BS}", 0, kDigitPoints, kWhite},
    {18, u"+", 2, 5, u"{+}", 0, kLargePoints, kWhite},
    {19, u"-", 3, 5, u"-", 0, kLargePoints, kWhite},
    {20, u"/", 4, 4, u"/", 0, kDigitPoints, kWhite},
    {21, u"X", 1, 4, nullptr, 1, kLargePoints, kLetterBlue},
    {22, u"P", 2, 4, nullptr, 2, kLargePoints, kLetterBlue},
    {23, u"R", 3, 4, nullptr, 3, kLargePoints, kLetterBlue},
}};

}  // namespace

const std::array<KeyDesign, kKeyCount>& keyDesigns()
{
    return kKeys;
}

const KeyDesign* keyDesign(int number)
{
    for (const KeyDesign& key : kKeys) {
        if (key.number == number)
            return &key;
    }
    return nullptr;
}

std::optional<QString> fixedKeyText(int number)
{
    const KeyDesign* key = keyDesign(number);
    if (key == nullptr || key->sends == nullptr)
        return std::nullopt;
    return QString::fromUtf16(key->sends);
}

int letterSlotOf(int number)
{
    const KeyDesign* key = keyDesign(number);
    return key == nullptr ? 0 : key->letterSlot;
}

KeyPlace keyPlace(const KeyDesign& key)
{
    return KeyPlace{kFirstLeft + kPitch * (key.column - 1), kFirstTop + kPitch * (key.row - 1),
                    key.number == kEnterKey ? kEnterWidth : kKeySide, kKeySide};
}

}  // namespace kintab
