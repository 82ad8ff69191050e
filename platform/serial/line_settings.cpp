// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/serial/line_settings.h"

#include <QList>

namespace platform {

namespace {

std::optional<std::int32_t> baudOf(QStringView text)
{
    if (text.isEmpty() || text.size() > 7)
        return std::nullopt;
    std::int32_t rate = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        rate = rate * 10 + (c.unicode() - u'0');
    }
    if (rate < 1 || rate > kMaxBaudRate)
        return std::nullopt;
    return rate;
}

std::optional<Parity> parityOf(QStringView text)
{
    if (text.size() != 1)
        return std::nullopt;
    switch (text.front().toUpper().unicode()) {
    case u'N': return Parity::None;
    case u'E': return Parity::Even;
    case u'O': return Parity::Odd;
    case u'M': return Parity::Mark;
    case u'S': return Parity::Space;
    default: return std::nullopt;
    }
}

std::optional<int> dataBitsOf(QStringView text)
{
    if (text.size() != 1 || text.front() < u'5' || text.front() > u'8')
        return std::nullopt;
    return text.front().unicode() - u'0';
}

std::optional<StopBits> stopBitsOf(QStringView text)
{
    if (text == u"1")
        return StopBits::One;
    if (text == u"1.5")
        return StopBits::OneAndHalf;
    if (text == u"2")
        return StopBits::Two;
    return std::nullopt;
}

}  // namespace

std::optional<LineSettings> parseLineSettings(QStringView text)
{
    const QList<QStringView> parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    const auto baud = baudOf(parts[0].trimmed());
    const auto parity = parityOf(parts[1].trimmed());
    const auto dataBits = dataBitsOf(parts[2].trimmed());
    const auto stopBits = stopBitsOf(parts[3].trimmed());
    if (!baud || !parity || !dataBits || !stopBits)
        return std::nullopt;
    return LineSettings{*baud, *parity, *dataBits, *stopBits};
}

QString lineSettingsText(const LineSettings& settings)
{
    static constexpr char16_t kParity[] = u"NEOMS";
    const QChar parity(kParity[static_cast<int>(settings.parity)]);
    QString stop = QStringLiteral("1");
    if (settings.stopBits == StopBits::OneAndHalf)
        stop = QStringLiteral("1.5");
    else if (settings.stopBits == StopBits::Two)
        stop = QStringLiteral("2");
    return QStringLiteral("%1,%2,%3,%4")
        .arg(QString::number(settings.baudRate), parity, QString::number(settings.dataBits), stop);
}

}  // namespace platform
