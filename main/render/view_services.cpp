// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/view_services.h"

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
    // Without the yes/no window the question takes the answer the window
    // gives when it is closed without a choice.
    return !ask || ask(question);
}

void hideBackgroundWindow()
{
    const auto& hide = viewServices().hideBackgroundWindow;
    if (hide)
        hide();
}

}  // namespace tavelcor
