// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The GPS window GPS ("GPS表示"): switches mirroring the main window's GPS
// on (Check5), track shown (Check7) and follow mode (Check11), the track
// colour "軌跡色" and "閉じる". Shown modally by the main window's "GPS"
// button; the GPS client also sets its "GPS表示" box when it switches GPS
// off, which loads it hidden.

#include "platform/forms/forms.h"

namespace tavelcor {

class GPS final : public platform::Form {
public:
    GPS();

    platform::CheckBox Check1{*this, QStringLiteral("Check1")};          // GPS表示
    platform::CheckBox Check2{*this, QStringLiteral("Check2")};          // 軌跡表示
    platform::CheckBox Check3{*this, QStringLiteral("Check3")};          // 追従
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // 軌跡色
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // 閉じる

private:
    void Form_Load();
    void Form_Activate();
    void Command1_Click();
};

platform::FormHolder<GPS>& gpsForm();
inline GPS& gpsWindow()
{
    return gpsForm().instance();
}

}  // namespace tavelcor
