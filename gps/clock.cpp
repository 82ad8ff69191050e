// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/clock.h"

#include "gps/messages.h"

#include <cmath>
#include <ctime>

namespace orbela {

namespace {

constexpr int kJapanOffsetSeconds = 9 * 3600;

bool allDigits(QStringView text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

}  // namespace

QDateTime HostClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

bool HostClock::set(const QDateTime& time)
{
    if (!time.isValid())
        return false;
    const qint64 ms = time.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

std::optional<QString> clockQuestion(double diffDays)
{
    const QString prefix = kMsgClockPrefix.toString();
    if (diffDays > 1)
        return prefix + QString::number(static_cast<qint64>(std::floor(diffDays)))
               + QStringLiteral("日以上ずれているので調整します");
    if (diffDays > 0.042)
        return prefix + QString::number(static_cast<qint64>(std::floor(diffDays * 24)) + 1)
               + QStringLiteral("時間ずれているので調整します");
    if (diffDays > 0.021)
        return prefix + QStringLiteral("30分以上ずれているので調整します");
    if (diffDays > 0.0007)
        return prefix + QStringLiteral("1分以上ずれているので調整します");
    return std::nullopt;
}

std::optional<QString> gpsDateText(QStringView ddmmyy)
{
    if (ddmmyy.size() != 6 || !allDigits(ddmmyy))
        return std::nullopt;
    const QString text = QStringLiteral("20") + ddmmyy.mid(4, 2).toString() + QLatin1Char('/')
                         + ddmmyy.mid(2, 2).toString() + QLatin1Char('/')
                         + ddmmyy.mid(0, 2).toString();
    if (!QDate::fromString(text, QStringLiteral("yyyy/MM/dd")).isValid())
        return std::nullopt;
    return text;
}

std::optional<QDateTime> gpsLocalDateTime(const QString& dateText, QStringView hhmmss)
{
    const QDate date = QDate::fromString(dateText, QStringLiteral("yyyy/MM/dd"));
    if (!date.isValid() || hhmmss.size() != 6 || !allDigits(hhmmss))
        return std::nullopt;
    const QTime time(hhmmss.mid(0, 2).toInt(), hhmmss.mid(2, 2).toInt(), hhmmss.mid(4, 2).toInt());
    if (!time.isValid())
        return std::nullopt;
    // The receiver's UTC date and time, shown as Japanese local time.
    const QDateTime utc(date, time, Qt::UTC);
    return utc.toOffsetFromUtc(kJapanOffsetSeconds);
}

}  // namespace orbela
