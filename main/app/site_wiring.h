// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's life cycle handlers: start-up (Load), the save button,
// the backup tick and shut-down (Unload).
#pragma once

namespace tavelcor {

class Plot;

/// Wires Form_Load, Command23_Click, Timer2_Timer and Form_Unload.
void wireSiteLifecycle(Plot& window);

}  // namespace tavelcor
