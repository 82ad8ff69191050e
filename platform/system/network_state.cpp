// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/network_state.h"

#include <QNetworkInformation>

namespace platform {

QString netStateFromFlags(bool connected, unsigned flags)
{
    const QString ok = QStringLiteral("ok");
    const QString non = QStringLiteral("non");
    if (!connected)
        return non;
    // Each flag that is set overwrites the answer of the ones before.
    const struct {
        unsigned flag;
        const QString& answer;
    } order[] = {
        {netflag::Configured, non}, {netflag::Lan, ok},     {netflag::Proxy, ok},
        {netflag::Modem, ok},       {netflag::Offline, non}, {netflag::ModemBusy, non},
        {netflag::RasInstalled, ok},
    };
    QString answer;
    for (const auto& step : order) {
        if ((flags & step.flag) != 0)
            answer = step.answer;
    }
    return answer;
}

QString netStateOf(std::optional<Reachability> reachability)
{
    if (reachability == Reachability::Disconnected)
        return netStateFromFlags(false, 0);
    return netStateFromFlags(true, netflag::Lan);
}

QString queryNetState()
{
    if (QNetworkInformation::instance() == nullptr && !QNetworkInformation::loadDefaultBackend())
        return netStateOf(std::nullopt);
    const QNetworkInformation* info = QNetworkInformation::instance();
    if (info == nullptr)
        return netStateOf(std::nullopt);
    switch (info->reachability()) {
    case QNetworkInformation::Reachability::Disconnected:
        return netStateOf(Reachability::Disconnected);
    case QNetworkInformation::Reachability::Unknown:
        return netStateOf(Reachability::Unknown);
    default:
        return netStateOf(Reachability::Reachable);
    }
}

}  // namespace platform
