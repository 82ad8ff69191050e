// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window's remaining command buttons: 条  件 (the settings dialog),
// 表示対象番号指定 (the number ranges), 表示色 (one click: the shown colours;
// two: the red and blue points in turn; three: both shown), テンキー表示 (the
// keypad program), 図上面積計測 (starts or ends an on-map area measurement)
// and the results panel's 閉じる and 消去して閉じる. After its action each
// gives the focus back to the plot.
#pragma once

namespace tavelcor {

class Plot;

/// Places the number-range dialog at the side panel, shows it modally.
void Command53_Click(Plot& window);

/// Counts the clicks of a quick series: each click restarts a wait of the
/// system's double-click time; when it runs out the series acts by its
/// count (1 the shown-colour dialog at the side panel, 2 the red and blue
/// points in turn, 3 both shown, more nothing), the count goes back to 0 and
/// the focus to the plot.
void Command55_Click(Plot& window);
/// Clicks counted in the current series (0 between series).
int colorClickCount();

/// The keypad program (or its missing message); the focus to the plot.
void Command64_Click(Plot& window);

/// Hides the coordinate key-in window and SIMA編集; AreaCount 1 when it
/// was 0, else 0 (a running measurement ends without an area).
void Command65_Click(Plot& window);

/// Hides the results panel, keeping its text.
void Command83_Click(Plot& window);
/// Empties the results panel's text, then hides it.
void Command84_Click(Plot& window);

/// Wires the buttons above and 条  件 to the window. Registered with
/// addPlotWiring.
void wireSettingsCommands(Plot& window);

}  // namespace tavelcor
