// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helpers: NMEA sentences with their checksum, a fake clock, a
// recording workbook and a temporary program folder.
#pragma once

#include "gps/clock.h"
#include "gps/reception.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace gpstest {

/// "$" + body + "*" + the XOR of the body's bytes in two upper-case hex
/// digits + CR LF, computed here on its own so that the tests do not lean on
/// the code they check.
inline QByteArray nmea(const QByteArray& body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return "$" + body + "*" + QByteArray(hex) + "\r\n";
}

/// A GGA sentence of talker GP with the given fields after the name.
inline QByteArray gga(const QByteArray& fields) { return nmea("GPGGA," + fields); }

/// A clock that tells a fixed time and records what it was set to.
class FakeClock final : public orbela::SystemClock {
public:
    QDateTime now() const override { return mNow; }
    bool set(const QDateTime& time) override
    {
        mSetTo.push_back(time);
        if (mAllowSet)
            mNow = time;
        return mAllowSet;
    }

    QDateTime mNow = QDateTime(QDate(2024, 5, 2), QTime(3, 0, 0), Qt::UTC);
    bool mAllowSet = true;
    std::vector<QDateTime> mSetTo;
};

/// Records every hand-over to the workbook.
class RecordingWorkbook final : public orbela::WorkbookHandOver {
public:
    void To_Excel(const orbela::WorkbookFix& fix) override { mFixes.push_back(fix); }
    std::vector<orbela::WorkbookFix> mFixes;
};

/// The whole content of a file, or an empty array when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace gpstest
