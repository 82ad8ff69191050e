// SPDX-License-Identifier: LicenseRef-Tavelcor
// The copy mode of the right press taking the clipboard's text as the list
// of coordinate numbers copied so far, driven as the press drives it on the
// main window, offscreen, the text on an in-memory clipboard.
//
// The first input byte sets the scene: the number and name ticks (both:
// copy; else a point is made), the answer to the question (Yes appends, No
// starts anew) and whether the pick list is already full. The rest is the
// clipboard's text as UTF-8.
//
// Afterwards the pick list stays within its 100 entries, and a copy leaves
// the clipboard ending in the number and CR LF, or untouched when refused.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/main_window.h"

#include "main/interact/rclick_calc.h"
#include "main/interact/rclick_modes.h"
#include "main/site/tables.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/system/clipboard.h"

namespace {

using namespace tavelcor;

constexpr int kNumber = 5;

void coordinateFive()
{
    ZahyoName[kNumber] = QStringLiteral("K5");
    ZahyoX[kNumber] = 12.5;
    ZahyoY[kNumber] = -3.25;
    ZahyoMax = kNumber;
}

void check(const QString& before, const QString& after, bool copy)
{
    if (CalcPickCount < 0 || CalcPickCount > rclick::kMaxPicks)
        fuzz::fail(QStringLiteral("CalcPickCount %1").arg(CalcPickCount));
    if (copy && after != before && !after.endsWith(QStringLiteral("5\r\n")))
        fuzz::fail(QStringLiteral("the copied list does not end with the number"));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    (void)fuzz::mainWindow();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const std::uint8_t scene = bytes.take();
    coordinateFive();
    Plot& window = fuzz::mainWindow();
    const bool numbers = (scene & 0x01) != 0;
    const bool names = (scene & 0x02) != 0;
    window.Check1.setValue(numbers ? 1 : 0);
    window.Check2.setValue(names ? 1 : 0);
    fuzz::answerYes((scene & 0x04) != 0);
    if ((scene & 0x08) != 0) {
        CalcPick1 = kNumber;
        CalcPickCount = rclick::kMaxPicks;
    }
    const QByteArrayView text = bytes.rest();
    const QString before = QString::fromUtf8(text.data(), text.size());
    platform::MemoryClipboard clipboard(before);
    surveyServices().clipboard = &clipboard;
    rclick_modes::copyOrPointPress(window, kNumber);
    surveyServices().clipboard = nullptr;
    check(before, clipboard.text(), numbers && names);
    return 0;
}
