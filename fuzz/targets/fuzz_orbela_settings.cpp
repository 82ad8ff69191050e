// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA.JKN, the settings of ORBELA's window: read, written as the window
// writes its controls, and read again, which must give the same values (as
// CP932 text).
#include "fuzz/support/fuzz_support.h"

#include "gps/settings_file.h"
#include "platform/text/cp932.h"

namespace {

orbela::WindowSettings windowWith(const orbela::SettingsRead& read)
{
    orbela::WindowSettings settings;
    settings.port = read.port.value_or(settings.port);
    settings.baud = read.baud.value_or(settings.baud);
    settings.zone = read.zone.value_or(settings.zone);
    settings.pointFile = read.pointFile.value_or(settings.pointFile);
    settings.once = read.continuous && !*read.continuous;
    settings.saveType = read.saveType.value_or(settings.saveType);
    settings.watchdogSeconds = read.watchdogSeconds.value_or(settings.watchdogSeconds);
    settings.threshold = read.threshold.value_or(settings.threshold);
    settings.excelLink = read.excelLink.value_or(settings.excelLink);
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    const QString folder = fuzz::siteFolder();
    fuzz::writeSiteFile(QLatin1String(orbela::kSettingsFileName), data, size);
    const std::optional<orbela::SettingsRead> first = orbela::readSettingsFile(folder);
    if (!first)
        return 0;
    const orbela::WindowSettings window = windowWith(*first);
    if (!orbela::writeSettingsFile(folder, window))
        fuzz::fail(QStringLiteral("ORBELA.JKN could not be written"));
    const std::optional<orbela::SettingsRead> second = orbela::readSettingsFile(folder);
    if (!second)
        fuzz::fail(QStringLiteral("the written ORBELA.JKN does not read back"));
    // Compared as the file holds them: a byte that is no CP932 reads as
    // U+FFFD and is written as "?", and "?" reads back as itself.
    const orbela::WindowSettings again = windowWith(*second);
    if (platform::toCp932(orbela::settingsLines(again).join(u'|'))
        != platform::toCp932(orbela::settingsLines(window).join(u'|')))
        fuzz::fail(QStringLiteral("ORBELA.JKN changed: ") + orbela::settingsLines(window).join(u'|')
                   + QStringLiteral(" became ") + orbela::settingsLines(again).join(u'|'));
    return 0;
}
