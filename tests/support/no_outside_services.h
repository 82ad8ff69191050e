// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Every test program points the program's web services at a port of this
// machine on which nothing listens, before any test runs: a test that draws
// map tiles, asks for an elevation or geocodes without starting a server of
// its own gets a refused connection, and no test ever reaches the public
// services. Tests that want replies start a local server and point the
// services at it.

#include <QtGlobal>

namespace testing_support {

inline void keepWebServicesOnThisMachine()
{
    for (const char* variable : {"TAVELCOR_TILE_BASE", "TAVELCOR_ELEVATION_BASE", "TAVELCOR_GEOCODE_BASE",
                                 "TAVELCOR_WEBMAP1_BASE", "TAVELCOR_WEBMAP2_BASE", "TAVELCOR_TERMS_PAGE"})
        qputenv(variable, "http://127.0.0.1:9");
}

}  // namespace testing_support
