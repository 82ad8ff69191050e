// SPDX-License-Identifier: LicenseRef-Tavelcor
// The internet-connection answer: the flag rule, in which the last flag of
// the order that is set decides, and the answer for Qt's reachability.
#include "platform/system/network_state.h"

#include <gtest/gtest.h>

namespace {

using namespace platform::netflag;

struct FlagRow {
    const char* name;
    bool connected;
    unsigned flags;
    const char* expected;
};

class NetStateFlags : public testing::TestWithParam<FlagRow> {};

TEST_P(NetStateFlags, LastFlagOfTheOrderDecides)
{
    const FlagRow& row = GetParam();
    EXPECT_EQ(platform::netStateFromFlags(row.connected, row.flags), QString::fromLatin1(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rule, NetStateFlags,
    testing::Values(FlagRow{"lan_then_offline", true, Lan | Offline, "non"},
                    FlagRow{"configured_then_lan", true, Configured | Lan, "ok"},
                    FlagRow{"lan_then_ras", true, Lan | RasInstalled, "ok"},
                    FlagRow{"configured_alone", true, Configured, "non"},
                    FlagRow{"lan_alone", true, Lan, "ok"}, FlagRow{"proxy_alone", true, Proxy, "ok"},
                    FlagRow{"modem_then_busy", true, Modem | ModemBusy, "non"},
                    FlagRow{"busy_then_ras", true, ModemBusy | RasInstalled, "ok"},
                    FlagRow{"no_flag", true, 0, ""}, FlagRow{"unknown_flag_only", true, 0x80, ""},
                    FlagRow{"not_connected_with_lan", false, Lan, "non"},
                    FlagRow{"not_connected_without_flags", false, 0, "non"}),
    [](const testing::TestParamInfo<FlagRow>& info) { return std::string(info.param.name); });

TEST(NetState, ReachabilityAnswers)
{
    EXPECT_EQ(platform::netStateOf(platform::Reachability::Disconnected), QStringLiteral("non"));
    EXPECT_EQ(platform::netStateOf(platform::Reachability::Reachable), QStringLiteral("ok"));
    EXPECT_EQ(platform::netStateOf(platform::Reachability::Unknown), QStringLiteral("ok"));
    // Without network information the machine counts as connected.
    EXPECT_EQ(platform::netStateOf(std::nullopt), QStringLiteral("ok"));
}

}  // namespace
