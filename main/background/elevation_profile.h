// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The elevation profile along a route drawn in the line panel.

namespace tavelcor {

/// Builds the profile of the route lines RouteFirst to RouteLast of the Line
/// table, once the line panel has handed the route over (LineSubState 3).
void MakeSection();

}  // namespace tavelcor
