// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The field links' handlers of the main window, wired in one place.

namespace tavelcor {

class Plot;

/// Wires GPS on (Check5), "Ｇ" (Check29), the GPS poll (Timer1), "GPS"
/// (Command54), the workbook link timer (Timer3), the signal cell (Text10)
/// and the station frame's ＯＫ, 次 and 取消. Registered with addPlotWiring.
void wireFieldLinks(Plot& window);

}  // namespace tavelcor
