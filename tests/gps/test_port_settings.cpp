// SPDX-License-Identifier: LicenseRef-Tavelcor
// The numbers of the serial-port fields and the baud rate steps.
#include "gps/port_settings.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(BaudSteps, SevenDoubleClicksFrom38400GoRoundTheTable)
{
    QString baud = QStringLiteral("38400");
    QStringList seen;
    for (int i = 0; i < 7; ++i) {
        baud = orbela::nextBaudRate(baud);
        seen.append(baud);
    }
    EXPECT_EQ(seen, (QStringList{"57600", "115200", "1200", "4800", "9600", "19200", "38400"}));
}

TEST(BaudSteps, AnyOtherTextGoesTo1200)
{
    for (const char* text : {"2400", "115200", "", "38400 ", " 9600", "abc", "３８４００"})
        EXPECT_EQ(orbela::nextBaudRate(QString::fromUtf8(text)), QStringLiteral("1200")) << text;
}

struct NumberRow {
    const char* text;
    std::optional<int> expected;
};

TEST(PortFields, ReceiveThresholdInHundredsOfBytes)
{
    const NumberRow rows[] = {
        {"5", 500}, {"0.5", 50}, {"0", 0}, {"327.67", 32767}, {"327.68", std::nullopt},
        {"400", std::nullopt}, {"-1", std::nullopt}, {"", 0}, {"abc", 0}, {"0.125", 12}, {"0.375", 38},
        {"1e9", std::nullopt},
    };
    for (const NumberRow& row : rows)
        EXPECT_EQ(orbela::receiveThreshold(QString::fromUtf8(row.text)), row.expected) << row.text;
}

TEST(PortFields, WatchdogIntervalEndsAt65535Milliseconds)
{
    const NumberRow rows[] = {
        {"10", 10000}, {"0.5", 500}, {"65.535", 65535}, {"65.536", std::nullopt},
        {"66", std::nullopt}, {"-1", std::nullopt}, {"", 0}, {"0.0625", 62}, {"0.1875", 188},
    };
    for (const NumberRow& row : rows)
        EXPECT_EQ(orbela::watchdogIntervalMs(QString::fromUtf8(row.text)), row.expected) << row.text;
}

TEST(PortFields, PortNumberIsA16BitWholeNumber)
{
    const NumberRow rows[] = {
        {"3", 3}, {"2.5", 2}, {"3.5", 4}, {"0", 0}, {"17", 17}, {"32767", 32767},
        {"32768", std::nullopt}, {"-32768", -32768}, {"abc", 0},
    };
    for (const NumberRow& row : rows)
        EXPECT_EQ(orbela::portNumber(QString::fromUtf8(row.text)), row.expected) << row.text;
}

TEST(PortFields, ATimeOutTheWatchdogCannotHoldIsLimitedToTheNearestEnd)
{
    const std::pair<const char*, std::optional<QString>> rows[] = {
        {"10", std::nullopt},     {"65.535", std::nullopt}, {"0", std::nullopt},
        {"", std::nullopt},       {"-0.0004", std::nullopt},  // 0 ms once rounded
        {"65.536", "65"},         {"100", "65"},            {"1e9", "65"},
        {"-1", "0"},              {"-1e9", "0"},
    };
    for (const auto& [text, expected] : rows) {
        const std::optional<QString> limited = orbela::limitedWatchdogField(QString::fromUtf8(text));
        EXPECT_EQ(limited, expected) << text;
        if (limited) {
            EXPECT_TRUE(orbela::watchdogIntervalMs(*limited).has_value()) << text;
        }
    }
}

TEST(PortFields, SearchWaitIsAFifthOfTheTimeOut)
{
    EXPECT_DOUBLE_EQ(orbela::searchWaitMs(QStringLiteral("10")), 2000);
    EXPECT_DOUBLE_EQ(orbela::searchWaitMs(QStringLiteral("0.5")), 100);
    EXPECT_DOUBLE_EQ(orbela::searchWaitMs(QStringLiteral("65")), 13000);
}

TEST(MillisecondCounter, ElapsedTimeSurvivesTheWrap)
{
    constexpr std::uint32_t top = std::numeric_limits<std::uint32_t>::max();
    static_assert(orbela::elapsedMs(100, 350) == 250);
    static_assert(orbela::elapsedMs(top - 99, 150) == 250);
    static_assert(orbela::elapsedMs(top, 0) == 1);
    static_assert(orbela::elapsedMs(7, 7) == 0);
    const std::uint32_t a = orbela::tickCount32();
    const std::uint32_t b = orbela::tickCount32();
    EXPECT_LT(orbela::elapsedMs(a, b), 1000u);
}

}  // namespace
