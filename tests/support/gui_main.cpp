// SPDX-License-Identifier: LicenseRef-Tavelcor
// Main of the GUI tests: a QApplication on the offscreen platform, so no test
// needs a display and tests can run side by side. A prompt that reaches a
// real dialog fails the test at once (real_dialogs.h).
#include <QApplication>
#include <gtest/gtest.h>

#include "no_outside_services.h"
#include "real_dialogs.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing_support::keepWebServicesOnThisMachine();
    testing_support::failOnRealDialogs();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
