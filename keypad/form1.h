// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad window: 23 keys on a frame, a 500 ms timer that follows the
// window in front, and the typing of a key into that window.
//
// The window never takes the keyboard focus, so the window the user works in
// keeps it while keys are pressed. A right press on a key or on the frame
// opens the settings dialog; the close box shrinks the keypad to a compact
// one at the same bottom-right corner (when "Icon化する" is on), and a press
// on the compact keypad restores it.
#pragma once

#include "platform/forms/buttons.h"
#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/form_holder.h"
#include "platform/forms/labels.h"
#include "platform/forms/timer.h"
#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"

#include <memory>
#include <vector>

namespace kintab {

// The recorded place and font of one control of the keypad window (twips,
// points); a field the control lacks stays 0.
struct Class1 {
    platform::ControlBase* csControl = nullptr;
    double csLeft = 0;
    double csTop = 0;
    double csWidth = 0;
    double csHeight = 0;
    double csFontSize = 0;
};

class Form1 : public platform::Form {
public:
    Form1();

    platform::Frame Frame14{*this, QStringLiteral("Frame14")};
    platform::ControlArray<platform::CommandButton> Command59{QStringLiteral("Command59")};
    platform::TimerControl Timer1{*this, QStringLiteral("Timer1")};

    // Types key Index into the target window (a number that is no key types
    // nothing).
    void KEYIN(int Index);

    // Mouse presses: button 1 left, 2 right, 4 middle.
    void Command59_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void Frame14_MouseDown(int Button, int Shift, double X, double Y);
    // The 500 ms tick: the window in front becomes the target unless it is
    // the keypad itself.
    void Timer1_Timer();

    void Form_Load();
    void Form_Unload(int& Cancel);
    // The close request: shrink, or restore and close (compact mode), or
    // save and close.
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    // Scales every control in proportion to the client area.
    void Form_Resize();
    // Records every control's place and font as the design layout.
    void SaveLayout();
    // The full keypad again after a press on the compact one.
    void RestoreCompact();

    // This window as the desktop knows it.
    platform::WindowHandle windowHandle() const;
    // The recorded layout (empty before SaveLayout()).
    const std::vector<Class1>& layoutList() const { return LayoutList; }

private:
    void designKeys();
    void wireEvents();
    void keepFocusElsewhere();
    bool openKeySender();
    void shrinkToCompact();
    void restoreForClose();

    // Made at the first key and kept while the program runs.
    std::unique_ptr<platform::KeySender> KeySender;
    bool mKeySenderRefused = false;  // the user was told once; not tried again

    std::vector<Class1> LayoutList;
    double LayoutScaleWidth = 0;
    double LayoutScaleHeight = 0;
    bool LayoutRecorded = false;
};

platform::FormHolder<Form1>& form1Holder();
inline Form1& form1()
{
    return form1Holder().instance();
}

}  // namespace kintab
