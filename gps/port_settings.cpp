// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/port_settings.h"

#include "platform/text/numbers.h"

#include <QDeadlineTimer>

#include <array>
#include <limits>

namespace orbela {

namespace {

constexpr int kMaxIntervalMs = 65535;
constexpr int kMaxThreshold = std::numeric_limits<std::int16_t>::max();
constexpr double kSearchWaitPerSecond = 200;

// Rounded half to even; nullopt outside [low, high].
std::optional<int> wholeWithin(double value, int low, int high)
{
    const std::optional<std::int32_t> whole = platform::toLongChecked(value);
    if (!whole || *whole < low || *whole > high)
        return std::nullopt;
    return *whole;
}

}  // namespace

QString nextBaudRate(const QString& text)
{
    static constexpr std::array<const char16_t*, 7> kRates{u"1200", u"4800", u"9600", u"19200",
                                                           u"38400", u"57600", u"115200"};
    for (std::size_t i = 0; i + 1 < kRates.size(); ++i) {
        if (text == QStringView(kRates[i]))
            return QString::fromUtf16(kRates[i + 1]);
    }
    return QString::fromUtf16(kRates.front());
}

std::optional<int> portNumber(const QString& text)
{
    const std::optional<std::int16_t> number = platform::toIntegerChecked(platform::Val(text));
    if (!number)
        return std::nullopt;
    return *number;
}

std::optional<int> receiveThreshold(const QString& text)
{
    return wholeWithin(platform::Val(text) * 100, 0, kMaxThreshold);
}

std::optional<int> watchdogIntervalMs(const QString& text)
{
    return wholeWithin(platform::Val(text) * 1000, 0, kMaxIntervalMs);
}

std::optional<QString> limitedWatchdogField(const QString& text)
{
    if (watchdogIntervalMs(text))
        return std::nullopt;
    return platform::Val(text) > 0 ? QStringLiteral("65") : QStringLiteral("0");
}

double searchWaitMs(const QString& text)
{
    return platform::Val(text) * kSearchWaitPerSecond;
}

std::uint32_t tickCount32()
{
    const qint64 ms = QDeadlineTimer::current(Qt::PreciseTimer).deadline();
    return static_cast<std::uint32_t>(static_cast<quint64>(ms));
}

}  // namespace orbela
