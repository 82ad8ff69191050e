// SPDX-License-Identifier: LicenseRef-Tavelcor
// The prompter of unattended runs: it is chosen only when the environment
// asks for it, and then every message is answered as closed without a
// choice and every dialog is cancelled.
#include "gps/headless_prompter.h"

#include "scoped_env.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using platform::MsgButtons;
using platform::MsgResult;

TEST(HeadlessPrompts, OnlyASetNonEmptyVariableAsksForThem)
{
    {
        testing_support::ScopedEnv set("TAVELCOR_HEADLESS_PROMPTS", QStringLiteral("x"));
        qunsetenv("TAVELCOR_HEADLESS_PROMPTS");
        EXPECT_FALSE(orbela::headlessPromptsRequested()) << "unset: the usual message boxes";
    }
    {
        testing_support::ScopedEnv empty("TAVELCOR_HEADLESS_PROMPTS", QString());
        EXPECT_FALSE(orbela::headlessPromptsRequested()) << "set but empty";
    }
    testing_support::ScopedEnv on("TAVELCOR_HEADLESS_PROMPTS", QStringLiteral("1"));
    EXPECT_TRUE(orbela::headlessPromptsRequested());
}

TEST(HeadlessPrompts, MessagesAreClosedWithoutAChoiceAndDialogsCancelled)
{
    orbela::HeadlessPrompter prompter;
    const std::pair<MsgButtons, MsgResult> rows[] = {
        {MsgButtons::OkOnly, MsgResult::Ok},
        {MsgButtons::YesNo, MsgResult::No},
        {MsgButtons::OkCancel, MsgResult::Cancel},
        {MsgButtons::YesNoCancel, MsgResult::Cancel},
    };
    for (const auto& [buttons, answer] : rows) {
        platform::MessageRequest request;
        request.text = QStringLiteral("既存のジオイドモデルを書き換えますか？");
        request.buttons = buttons;
        EXPECT_EQ(prompter.message(request), answer) << static_cast<int>(buttons);
    }
    platform::FileRequest file;
    file.fileName = QStringLiteral("GPSLOG.CSV");
    EXPECT_FALSE(prompter.file(file)) << "a file dialog is cancelled: nothing is written or imported";
    EXPECT_FALSE(prompter.input(platform::InputRequest{}));
}

}  // namespace
