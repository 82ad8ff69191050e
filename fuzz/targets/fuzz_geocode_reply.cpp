// SPDX-License-Identifier: LicenseRef-Tavelcor
// A reply of the geocoding service read by the address search: the main
// window's button asks for an address, the geocoder's reply (the input, as
// UTF-8) is read by parseGeocodeReply, and a place found becomes the view's
// centre in the site's zone and is drawn. The first input byte chooses the
// zone (0 to 19, as the settings file allows). No request leaves the
// process: the geocoder is the reader over the input.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/main_window.h"

#include "main/background/web_requests.h"
#include "main/render/render_state.h"
#include "main/render/search.h"
#include "main/render/view_services.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

#include <cmath>

namespace {

using namespace tavelcor;

// The view's centre comes from the reply: it must stay a place.
void checkView()
{
    const render::RenderState& st = render::renderState();
    if (!std::isfinite(ViewCX) || !std::isfinite(ViewCY) || !std::isfinite(st.GeocodeX)
        || !std::isfinite(st.GeocodeY))
        fuzz::fail(QStringLiteral("the view's centre is no place: %1 %2").arg(ViewCX).arg(ViewCY));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    (void)fuzz::mainWindow();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    ZoneNo = static_cast<std::uint8_t>(bytes.choose(20));
    GsiOffline = 0;
    const QByteArrayView reply = bytes.rest();
    Plot& window = fuzz::mainWindow();
    viewServices().geocode = [reply](const QString&) { return parseGeocodeReply(reply); };
    fuzz::answerInput(QStringLiteral("東京都千代田区"));
    Command27_Click(window);
    checkView();
    render::renderState().GeocodeX = 0.0F;
    render::renderState().GeocodeY = 0.0F;
    return 0;
}
