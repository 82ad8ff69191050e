// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/view_services.h"

#include "main/site/tables.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {

ViewServices& viewServices()
{
    static ViewServices services;
    return services;
}

ViewState& viewState()
{
    static ViewState state;
    return state;
}

GeocodeAnswer geocodeAddress(const QString& place)
{
    const auto& geocode = viewServices().geocode;
    if (geocode)
        return geocode(place);
    return GeocodeAnswer{};
}

bool askYesNo(const QString& question)
{
    const auto& ask = viewServices().askYesNo;
    if (ask)
        return ask(question);
    // The yes/no window's protocol: the question goes in through MesgAnswer
    // and the answer comes back in it.
    MesgAnswer = question;
    const platform::MsgResult answer = platform::MsgBox(question, platform::MsgButtons::YesNo);
    MesgAnswer = answer == platform::MsgResult::Yes ? QStringLiteral("yes") : QStringLiteral("no");
    return answer == platform::MsgResult::Yes;
}

void hideBackgroundWindow()
{
    const auto& hide = viewServices().hideBackgroundWindow;
    if (hide)
        hide();
}

}  // namespace tavelcor
