// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/serial/line_settings.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct GoodRow {
    const char* text;
    LineSettings expected;
    const char* canonical;
};

class LineSettingsGood : public ::testing::TestWithParam<GoodRow> {};

TEST_P(LineSettingsGood, ReadsAndWritesBack)
{
    const GoodRow& row = GetParam();
    const auto parsed = parseLineSettings(QString::fromUtf8(row.text));
    ASSERT_TRUE(parsed.has_value()) << row.text;
    EXPECT_EQ(*parsed, row.expected);
    EXPECT_EQ(lineSettingsText(*parsed), QString::fromUtf8(row.canonical));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineSettingsGood,
    ::testing::Values(
        // The design settings of the GPS program.
        GoodRow{"38400,N,8,1", {38400, Parity::None, 8, StopBits::One}, "38400,N,8,1"},
        GoodRow{"4800,n,8,1", {4800, Parity::None, 8, StopBits::One}, "4800,N,8,1"},
        GoodRow{"9600,E,7,1.5", {9600, Parity::Even, 7, StopBits::OneAndHalf}, "9600,E,7,1.5"},
        GoodRow{"115200,O,5,2", {115200, Parity::Odd, 5, StopBits::Two}, "115200,O,5,2"},
        GoodRow{" 1200 , M , 6 , 1 ", {1200, Parity::Mark, 6, StopBits::One}, "1200,M,6,1"},
        GoodRow{"57600,s,8,2", {57600, Parity::Space, 8, StopBits::Two}, "57600,S,8,2"}));

class LineSettingsBad : public ::testing::TestWithParam<const char*> {};

TEST_P(LineSettingsBad, IsRefused)
{
    EXPECT_FALSE(parseLineSettings(QString::fromUtf8(GetParam())).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Rows, LineSettingsBad,
                         ::testing::Values("", "38400", "38400,N,8", "38400,N,8,1,1", "0,N,8,1",
                                           "-9600,N,8,1", "38400.5,N,8,1", "4000001,N,8,1",
                                           "99999999999,N,8,1", "38400,X,8,1", "38400,NN,8,1",
                                           "38400,N,9,1", "38400,N,4,1", "38400,N,8,3",
                                           "38400,N,8,0", "３８４００,N,8,1", ",N,8,1"));

}  // namespace
}  // namespace platform
