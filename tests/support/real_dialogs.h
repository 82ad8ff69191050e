// SPDX-License-Identifier: LicenseRef-Tavelcor
// In the GUI test programs a prompt must reach the scripted prompter: a real
// message box, input box or file dialog on the offscreen platform waits for
// an answer nobody gives, and the test would hang until its time-out. The
// test main makes every real dialog a test failure that names the prompt,
// and the prompt gets the answer of a dialog closed without a choice.
#pragma once

#include "platform/dialogs/qt_prompter.h"

namespace testing_support {

/// Every real dialog from now on fails the running test (ADD_FAILURE) with
/// what it is, its title and its text, and does not show.
void failOnRealDialogs();

/// For the tests of the real dialogs themselves: real dialogs show for as
/// long as it lives.
class RealDialogsAllowed {
public:
    RealDialogsAllowed() : mPrevious(platform::setRealDialogGate({})) {}
    ~RealDialogsAllowed() { platform::setRealDialogGate(std::move(mPrevious)); }
    RealDialogsAllowed(const RealDialogsAllowed&) = delete;
    RealDialogsAllowed& operator=(const RealDialogsAllowed&) = delete;

private:
    platform::RealDialogGate mPrevious;
};

}  // namespace testing_support
