// SPDX-License-Identifier: LicenseRef-Tavelcor
// Readable failure messages for Qt strings in GoogleTest: UTF-8 in quotes,
// control characters escaped.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\r') {
            *os << "\\r";
        } else if (u == u'\n') {
            *os << "\\n";
        } else if (u < 0x20 || u == 0x7F || u == 0xFFFD) {
            char buf[12];
            std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(u));
            *os << buf;
        } else {
            *os << QString(c).toStdString();
        }
    }
    *os << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    for (const char b : bytes) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X ", unsigned(static_cast<unsigned char>(b)));
        *os << buf;
    }
}
