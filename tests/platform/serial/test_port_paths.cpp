// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/serial/port_paths.h"

#include "pty_pair.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using testing_support::ScopedEnv;

TEST(SerialPortPaths, VariableNamesTheDevice)
{
    ScopedEnv port3("ORBELA_PORT3", QStringLiteral("/dev/pts/77"));
    ScopedEnv port16("ORBELA_PORT16", QStringLiteral("/tmp/receiver"));
    EXPECT_EQ(serialDevicePath(3), std::optional<QString>(QStringLiteral("/dev/pts/77")));
    EXPECT_EQ(serialDevicePath(16), std::optional<QString>(QStringLiteral("/tmp/receiver")));
}

TEST(SerialPortPaths, EmptyVariableMeansNoDevice)
{
    ScopedEnv port1("ORBELA_PORT1", QString());
    EXPECT_FALSE(serialDevicePath(1).has_value());
}

TEST(SerialPortPaths, NumbersOutsideOneToSixteenHaveNoDevice)
{
    ScopedEnv port0("ORBELA_PORT0", QStringLiteral("/dev/null"));
    ScopedEnv port17("ORBELA_PORT17", QStringLiteral("/dev/null"));
    for (int port : {-1, 0, 17, 32767})
        EXPECT_FALSE(serialDevicePath(port).has_value()) << port;
}

TEST(SerialPortPaths, WithoutVariableThePortIsTheMachinesNthDevice)
{
    ScopedEnv port2("ORBELA_PORT2", QString());
    qunsetenv("ORBELA_PORT2");
    const QStringList devices = machineSerialDevices();
    if (devices.size() >= 2)
        EXPECT_EQ(serialDevicePath(2), std::optional<QString>(devices[1]));
    else
        EXPECT_FALSE(serialDevicePath(2).has_value());
}

TEST(SerialPortPaths, DevicesAreSortedWithNumbersComparedAsNumbers)
{
    const QStringList sorted = sortedDevicePaths(
        {QStringLiteral("/dev/ttyS10"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS2"),
         QStringLiteral("/dev/ttyACM1"), QStringLiteral("/dev/ttyS02"), QStringLiteral("/dev/ttyS2"),
         QStringLiteral("/dev/ttyACM0")});
    EXPECT_EQ(sorted, (QStringList{QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyACM1"),
                                   QStringLiteral("/dev/ttyS02"), QStringLiteral("/dev/ttyS2"),
                                   QStringLiteral("/dev/ttyS10"), QStringLiteral("/dev/ttyUSB0")}));
}

}  // namespace
}  // namespace platform
