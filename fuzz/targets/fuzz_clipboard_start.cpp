// SPDX-License-Identifier: LicenseRef-Tavelcor
// The clipboard texts that start the main program (UTF-8 bytes taken as the
// clipboard's text): point rows or a SIMA hand-over, then the view fit of
// start-up.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/site_checks.h"

#include "main/app/clipboard_start.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    tavelcor::ClipboardParse parse;
    switch (tavelcor::clipboardStartMode(text)) {
    case tavelcor::ClipboardStart::PointRows: parse = tavelcor::readTabPointRows(text); break;
    case tavelcor::ClipboardStart::SimaHandover:
        (void)tavelcor::isElevationProfileHandover(text);
        parse = tavelcor::readSimaHandover(text);
        break;
    case tavelcor::ClipboardStart::Chooser: return 0;
    }
    if (!parse.refused)
        fuzz::fitAsStartUpDoes();
    return 0;
}
