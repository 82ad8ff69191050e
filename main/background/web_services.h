// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Where the program's web services live: the base address (scheme, host and
// port, no path) of the GSI map tile service, the GSI elevation service, the
// geocoding service and the two web map sites opened in the browser, and how
// long a request may wait for its reply.
//
// Each base address defaults to the public service and can be replaced by an
// environment variable, read once at the first use: TAVELCOR_TILE_BASE,
// TAVELCOR_ELEVATION_BASE, TAVELCOR_GEOCODE_BASE, TAVELCOR_WEBMAP1_BASE and
// TAVELCOR_WEBMAP2_BASE (an empty value keeps the default). Tests point the
// first three at a server of their own. The terms page of the map tiles,
// which the terms notice opens in the browser, is a whole address, replaced
// by TAVELCOR_TERMS_PAGE.

#include <QString>

namespace tavelcor {

struct WebServices {
    QString tileBase;       ///< GSI map tiles: "<base>/xyz/<layer>/<z>/<x>/<y><ext>"
    QString elevationBase;  ///< GSI elevations: "<base>/general/dem/scripts/getelevation.php?..."
    QString geocodeBase;    ///< geocoding: "<base>/api/?q=..."
    QString webMap1Base;    ///< the first web map site (地図 and オルソ buttons)
    QString webMap2Base;    ///< the second web map site (Yahoo地図 button)
    QString termsPage;      ///< the map tiles' terms of use (the terms notice's button)
    /// Longest wait for one reply, milliseconds.
    int timeoutMs = 20000;
};

/// The public services.
WebServices publicWebServices();

/// The public services with the environment's replacements; a trailing "/"
/// of a base address is dropped.
WebServices webServicesFromEnvironment();

/// The services of this run (webServicesFromEnvironment() at the first use;
/// tests may replace them).
WebServices& webServices();

}  // namespace tavelcor
