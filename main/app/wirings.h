// SPDX-License-Identifier: LicenseRef-Tavelcor
// Every part of the program that handles events of the main window.
#pragma once

namespace tavelcor {

/// Registers the wiring function of every part of the program with the main
/// window (addPlotWiring), in a fixed order; called once before the window is
/// first used.
void registerPlotWirings();

}  // namespace tavelcor
