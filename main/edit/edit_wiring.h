// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The edit part's handlers of the main window, wired in one place.

namespace tavelcor {

class Plot;

/// Wires "Undo" (Command60), "Rdo" (Command61), "⊃" (Command62), "⊂"
/// (Command63), "候補" (Command48) and the name and coordinate dialogs'
/// openers with the yes/no window (wireEditDialogs), and the point panel
/// (wirePointPanel). Registered with addPlotWiring.
void wireEdit(Plot& window);

}  // namespace tavelcor
