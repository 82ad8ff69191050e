// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/view_wiring.h"

#include "main/render/display_switches.h"
#include "main/render/search.h"
#include "main/render/view_navigation.h"
#include "main/render/wheel_zoom.h"

namespace tavelcor {

void wireView(Plot& window)
{
    wireViewNavigation(window);
    wireWheelZoom(window);
    wireDisplaySwitches(window);
    wireSearch(window);
}

}  // namespace tavelcor
