// SPDX-License-Identifier: LicenseRef-Tavelcor
// A form with one control of each kind, whose handlers write what they
// receive into a log, in the order they ran.
#pragma once

#include "platform/forms/forms.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace formstest {

class SampleForm : public platform::Form {
public:
    SampleForm();

    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::Frame Frame2{*this, QStringLiteral("Frame2")};
    platform::OptionButton Option1{Frame1, QStringLiteral("Option1")};
    platform::OptionButton Option2{Frame1, QStringLiteral("Option2")};
    platform::OptionButton Option3{Frame2, QStringLiteral("Option3")};
    platform::OptionButton Option4{Frame2, QStringLiteral("Option4")};
    platform::CheckBox Check1{*this, QStringLiteral("Check1")};
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::TextBox Text2{*this, QStringLiteral("Text2")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // default button
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // cancel button
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};
    platform::PictureBox Picture1{*this, QStringLiteral("Picture1")};
    platform::Label Label28{Picture1, QStringLiteral("Label28")};
    platform::ListBox List1{*this, QStringLiteral("List1")};
    platform::ComboBox Combo1{*this, QStringLiteral("Combo1")};
    platform::HScrollBar HScroll1{*this, QStringLiteral("HScroll1")};
    platform::TimerControl Timer1{*this, QStringLiteral("Timer1")};

    /// What the handlers saw, e.g. "Check1_Click", "Label1_MouseDown 1 0 150 75".
    QStringList log;
    /// Extra work for Command1's Click (after it is logged).
    std::function<void()> onCommand1;

private:
    void note(const QString& entry) { log.append(entry); }
    void wireClicks();
    void wireInput();
};

/// The one SampleForm of the tests' "program".
platform::FormHolder<SampleForm>& sampleForm();

/// State of the sample form's code that outlives unloading it.
struct SampleState {
    int loads = 0;
    int okClicks = 0;
};
SampleState& sampleState();

}  // namespace formstest
