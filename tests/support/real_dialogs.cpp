// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "real_dialogs.h"

#include <gtest/gtest.h>

namespace testing_support {

void failOnRealDialogs()
{
    platform::setRealDialogGate([](const QString& what, const QString& title, const QString& text) {
        ADD_FAILURE() << "a real " << what.toStdString() << " was opened instead of the scripted prompter"
                      << " (title \"" << title.toStdString() << "\", text \"" << text.toStdString()
                      << "\"): script it with platform::testing::GTestScriptedPrompter";
        return false;
    });
}

}  // namespace testing_support
