// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad window's layout: the record of the design layout, the
// proportional resize of every control, the compact mode on the close
// request and the restore of the compact keypad.
#include "keypad/form1.h"

#include "keypad/geometry.h"
#include "keypad/module1.h"

#include "platform/forms/control.h"

namespace kintab {

void Form1::SaveLayout()
{
    LayoutList.clear();
    LayoutScaleWidth = ScaleWidth();
    LayoutScaleHeight = ScaleHeight();
    for (platform::ControlBase* base : controls()) {
        Class1 record;
        record.csControl = base;
        // The timer has no place and no font: its fields stay 0.
        if (const auto* control = dynamic_cast<const platform::Control*>(base)) {
            record.csLeft = control->Left();
            record.csTop = control->Top();
            record.csWidth = control->Width();
            record.csHeight = control->Height();
            record.csFontSize = control->FontSize();
        }
        LayoutList.push_back(record);
    }
    LayoutRecorded = true;
}

void Form1::Form_Resize()
{
    if (LayoutRecorded && LayoutScaleWidth > 0 && LayoutScaleHeight > 0) {
        const double fx = ScaleWidth() / LayoutScaleWidth;
        const double fy = ScaleHeight() / LayoutScaleHeight;
        for (const Class1& record : LayoutList) {
            auto* control = dynamic_cast<platform::Control*>(record.csControl);
            if (control == nullptr)
                continue;
            const ControlLayout scaled = scaledLayout(
                {record.csLeft, record.csTop, record.csWidth, record.csHeight, record.csFontSize},
                fx, fy);
            control->Move(scaled.left, scaled.top, scaled.width, scaled.height);
            if (scaled.fontPoints > 0)
                control->setFontSize(scaled.fontPoints);
        }
    }
    if (Top() < 1)
        setTop(0);
    if (Left() < 1)
        setLeft(0);
}

void Form1::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    // Whatever asks the window to close is treated like the close box, but
    // the end of the session cannot be refused: it closes the full keypad
    // without shrinking it (the unload saves the settings).
    const KeypadState& state = keypad();
    if (state.IconMode == 0) {
        SaveKeypadSettings();
        return;
    }
    if (state.IconState == 0.0F) {
        if (UnloadMode == static_cast<int>(platform::UnloadMode::AppWindows))
            return;
        shrinkToCompact();
        Cancel = 1;
        return;
    }
    restoreForClose();
}

void Form1::shrinkToCompact()
{
    KeypadState& state = keypad();
    Hide();
    state.IconState = 1.0F;
    const KeypadPlace compact =
        shrunkPlace({Left(), Top(), state.KeypadWidth, state.KeypadHeight});
    state.KeypadWidth = compact.width;
    state.KeypadHeight = compact.height;
    Move(compact.left, compact.top, compact.width, compact.height);
    Show();
}

// Before the program ends from the compact state: the full size at its old
// place, with no bound at the screen's edge, so the file keeps the full
// keypad's position.
void Form1::restoreForClose()
{
    KeypadState& state = keypad();
    Hide();
    const KeypadPlace full =
        restoredForClose({Left(), Top(), state.KeypadWidth, state.KeypadHeight});
    state.KeypadWidth = full.width;
    state.KeypadHeight = full.height;
    Move(Left(), Top(), full.width, full.height);
    Move(full.left, full.top);
    SaveKeypadSettings();
}

void Form1::RestoreCompact()
{
    KeypadState& state = keypad();
    state.IconState = 0.0F;
    const KeypadPlace full =
        restoredByPress({Left(), Top(), state.KeypadWidth, state.KeypadHeight});
    state.KeypadWidth = full.width;
    state.KeypadHeight = full.height;
    Move(Left(), Top(), full.width, full.height);
    Move(full.left, full.top);
    Show();
}

}  // namespace kintab
