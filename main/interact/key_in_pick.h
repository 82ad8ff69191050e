// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the plot's presses and the right-click options do with the coordinate
// key-in window XYIN.
#pragma once

namespace tavelcor {

/// True while the key-in window is shown.
bool keyInWindowShown();

/// Fills the key-in window with coordinate `number`: Text1 the number (Str,
/// one leading blank), Text2 its name, Text3 and Text4 its X and Y
/// (FormatFixed width 11, 3 decimals), Text5 its H (width 8, 3 decimals).
void fillKeyInWindow(int number);

/// Hides the key-in window (loading it hidden when it is not loaded).
void hideKeyInWindow();

}  // namespace tavelcor
