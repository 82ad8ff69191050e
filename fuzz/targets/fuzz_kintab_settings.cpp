// SPDX-License-Identifier: LicenseRef-Tavelcor
// KINTAB.JKN, the keypad's settings: the values read, the letters the keys
// take, and the size and place a size factor from the file gives.
#include "fuzz/support/fuzz_support.h"

#include "keypad/geometry.h"
#include "keypad/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const auto values = kintab::readKeypadFile(fuzz::writeSiteFile(QStringLiteral("KINTAB.JKN"), data, size));
    if (!values)
        return 0;
    for (const QString& letter : values->letters)
        (void)kintab::acceptedLetter(letter);
    if (values->sizeFactor) {
        const kintab::OuterSize outer = kintab::sizeForFactor(*values->sizeFactor);
        (void)kintab::placeForFactor(*values->sizeFactor, outer, 28800.0, 16200.0);
    }
    return 0;
}
