// SPDX-License-Identifier: LicenseRef-Tavelcor
// Reads a window as a user sees it: every control that is shown (its own
// flag and those of all its containers), where its widget lies in pixels and
// whether its caption fits, measured with the control's own font and the
// application's style. What the window would show cut or covered comes back
// as faults, one line each:
//
// - a caption (label, button, check box, option button, frame) or the line
//   of a text box that does not fit inside its control;
// - a control with a caption or text that runs out of its container;
// - a control that covers the caption of the frame it lies in;
// - two shown controls of one container that overlap, unless the pair is
//   listed as stacked on purpose;
// - a caption not drawn inside a box of its own (a label without a border,
//   a check box, an option button) whose letters come within a few pixels
//   of a neighbour (what the neighbour shows: its letters, its box or
//   circle, or the whole control) or of the edge of its container.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace platform {
class Control;
class Form;
}  // namespace platform

namespace layout_check {

/// Two controls of one window that lie over each other by design, named as
/// controlName() names them ("Picture1", "Option13(4)").
struct StackedPair {
    QString first;
    QString second;
};

/// "Text8" for a single control, "Text8(3)" for element 3 of an array.
QString controlName(const platform::Control& control);

/// The control's own Visible flag and those of every container it lies in.
bool isShown(const platform::Control& control);

/// The faults of the shown controls of `form` (empty when it reads well).
QStringList layoutFaults(const platform::Form& form, const std::vector<StackedPair>& stacked = {});

}  // namespace layout_check
