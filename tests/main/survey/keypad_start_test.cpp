// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad start: it looks for a running keypad through the window
// presence of "KINTAB" and starts "kintab" beside the program through the
// process starter, which the test observes; a missing keypad is reported
// once.
#include "main/survey/keypad_start.h"

#include "main/site/tables.h"
#include "platform/prompt/testing.h"
#include "platform/system/processes.h"
#include "platform/system/window_presence.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace tavelcor {
namespace {

using Start = platform::RecordingProcessStarter::Start;

class KeypadStart : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        qputenv("TAVELCOR_HOME", mHome.path().toUtf8());
        resetKintabDisp();
        mSavedAuto = KintabAuto;
        KintabAuto = 1;
    }

    void TearDown() override
    {
        KintabAuto = mSavedAuto;
        resetKintabDisp();
        qunsetenv("TAVELCOR_HOME");
    }

    // Starts observed by the test; kintab is there unless `missing`.
    platform::RecordingProcessStarter& starter(bool missing = false)
    {
        if (!missing)
            mStarter.install(kintabProgram());
        mScope.emplace(mStarter);
        return mStarter;
    }

    static std::vector<Start> kintabStarts(int count) { return std::vector<Start>(count, Start{kintabProgram(), {}}); }

    platform::testing::GTestScriptedPrompter script;

private:
    QTemporaryDir mHome;
    std::uint8_t mSavedAuto = 0;
    platform::RecordingProcessStarter mStarter;
    std::optional<platform::ScopedProcessStarter> mScope;
};

TEST_F(KeypadStart, KintabIsLookedForBesideTheProgram)
{
    EXPECT_TRUE(kintabProgram().endsWith(QStringLiteral("/kintab")));
    EXPECT_EQ(kintabMissingMessage(), QStringLiteral("KIXTAB.EXEが見つかりません。手動で起動して下さい。"));
}

TEST_F(KeypadStart, StartsKintabWithoutArgumentsEachTimeNoKeypadRuns)
{
    platform::RecordingProcessStarter& observed = starter();
    KintabDisp();
    KintabDisp();
    EXPECT_EQ(observed.starts(), kintabStarts(2));
}

TEST_F(KeypadStart, SettingOtherThanOneStartsNothing)
{
    platform::RecordingProcessStarter& observed = starter();
    for (std::uint8_t setting : {0, 2, 255}) {
        KintabAuto = setting;
        KintabDisp();
    }
    EXPECT_TRUE(observed.starts().empty());
}

TEST_F(KeypadStart, RunningKeypadIsNotStartedAgain)
{
    platform::RecordingProcessStarter& observed = starter();
    platform::WindowPresence keypad(QStringLiteral("KINTAB"));
    ASSERT_TRUE(keypad.announce());
    for (int i = 0; i < 3; ++i)
        KintabDisp();
    EXPECT_TRUE(observed.starts().empty());
}

TEST_F(KeypadStart, KeypadWindowCaptionIsNotTheRunningKeypad)
{
    platform::RecordingProcessStarter& observed = starter();
    platform::WindowPresence caption(QStringLiteral("KINTAB1.43"));
    ASSERT_TRUE(caption.announce());
    KintabDisp();
    EXPECT_EQ(observed.starts(), kintabStarts(1));
}

TEST_F(KeypadStart, MissingKeypadIsReportedOnceAndNothingStarts)
{
    platform::RecordingProcessStarter& observed = starter(true);
    script->expectMessage(platform::MsgResult::Ok, kintabMissingMessage());
    KintabDisp();
    KintabDisp();
    KintabDisp();
    EXPECT_TRUE(observed.starts().empty());
    ASSERT_EQ(script->records().size(), 1u);
    EXPECT_EQ(script->records()[0].buttons, platform::MsgButtons::OkOnly);
}

}  // namespace
}  // namespace tavelcor
