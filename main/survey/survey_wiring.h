// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The survey part's handlers of the main window, wired in one place.

namespace tavelcor {

class Plot;

/// Wires 再表示 (Command6 and the compact frame's Command81), 解除
/// (Command86) and the point panel's 記録/観測 (Command43), and installs the
/// marks of the calculation picks as the redraw's survey-mark call points.
/// Registered with addPlotWiring.
void wireSurvey(Plot& window);

}  // namespace tavelcor
