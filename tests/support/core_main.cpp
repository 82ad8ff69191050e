// SPDX-License-Identifier: LicenseRef-Tavelcor
// Main of the pure-logic tests: a QCoreApplication exists for the few Qt Core
// facilities that want one (codecs, temporary folders), nothing else.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "no_outside_services.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing_support::keepWebServicesOnThisMachine();
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
