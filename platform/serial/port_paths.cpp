// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/serial/port_paths.h"

#include <QByteArray>
#include <QSerialPortInfo>
#include <QtGlobal>

#include <algorithm>

namespace platform {

namespace {

// Compares two paths with runs of digits taken as numbers.
bool naturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i;
            qsizetype ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            // Leading zeros aside, the longer run is the larger number.
            const QStringView ra = QStringView(a).sliced(i, ei - i);
            const QStringView rb = QStringView(b).sliced(j, ej - j);
            QStringView ta = ra;
            QStringView tb = rb;
            while (ta.size() > 1 && ta.front() == u'0')
                ta = ta.sliced(1);
            while (tb.size() > 1 && tb.front() == u'0')
                tb = tb.sliced(1);
            if (ta.size() != tb.size())
                return ta.size() < tb.size();
            if (const int c = ta.compare(tb); c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    return a < b;
}

}  // namespace

QStringList sortedDevicePaths(QStringList paths)
{
    std::sort(paths.begin(), paths.end(), naturalLess);
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

QStringList machineSerialDevices()
{
    QStringList paths;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        paths.append(info.systemLocation());
    return sortedDevicePaths(std::move(paths));
}

std::optional<QString> serialDevicePath(int port)
{
    if (port < kFirstSerialPort || port > kLastSerialPort)
        return std::nullopt;
    const QByteArray variable = "ORBELA_PORT" + QByteArray::number(port);
    if (qEnvironmentVariableIsSet(variable.constData())) {
        const QString path = qEnvironmentVariable(variable.constData());
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }
    const QStringList devices = machineSerialDevices();
    if (port > devices.size())
        return std::nullopt;
    return devices[port - 1];
}

}  // namespace platform
