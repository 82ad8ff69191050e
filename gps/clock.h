// SPDX-License-Identifier: LicenseRef-Tavelcor
// The computer's clock as ORBELA compares it with the GPS time, behind an
// interface: setting the system clock needs privileges, and tests use a fake.
#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace orbela {

/// The system clock.  Times are absolute instants (QDateTime in UTC), so the
/// comparison does not depend on the computer's time zone.
class SystemClock {
public:
    SystemClock() = default;
    SystemClock(const SystemClock&) = delete;
    SystemClock& operator=(const SystemClock&) = delete;
    virtual ~SystemClock() = default;

    /// The current time.
    virtual QDateTime now() const = 0;

    /// Sets the system clock to `time`.  False when the clock could not be
    /// set (typically the missing right to do so).
    virtual bool set(const QDateTime& time) = 0;
};

/// The machine's real-time clock: set with clock_settime(CLOCK_REALTIME),
/// which needs the CAP_SYS_TIME capability.
class HostClock final : public SystemClock {
public:
    QDateTime now() const override;
    bool set(const QDateTime& time) override;
};

/// The question that offers to set the clock when it is `diffDays` days away
/// from the GPS time, or nullopt when it is close enough (60.48 s or less):
/// more than 1 day: "システム時刻が" + whole days + "日以上ずれているので調整します";
/// more than 0.042 day: whole hours + 1 + "時間ずれているので調整します";
/// more than 0.021 day: "30分以上ずれているので調整します";
/// more than 0.0007 day: "1分以上ずれているので調整します".
std::optional<QString> clockQuestion(double diffDays);

/// The date text "20yy/mm/dd" of an RMC date field ddmmyy, or nullopt when
/// the field is not six digits forming a valid date.
std::optional<QString> gpsDateText(QStringView ddmmyy);

/// The GPS time of `GpsDateText` ("2024/05/02") and the first six characters
/// hhmmss of a GGA time field, as Japanese local time (UTC + 9 hours, carried
/// as an offset so that it names the right instant).  nullopt when the texts
/// do not form a valid date and time.
std::optional<QDateTime> gpsLocalDateTime(const QString& dateText, QStringView hhmmss);

}  // namespace orbela
