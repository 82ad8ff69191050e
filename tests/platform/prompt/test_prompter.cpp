// SPDX-License-Identifier: LicenseRef-Tavelcor
// The message-box codes and the free functions that ask the installed prompter.
#include "platform/prompt/prompter.h"
#include "platform/prompt/scripted_prompter.h"
#include "platform/prompt/testing.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

struct StyleCase {
    int style;
    MsgButtons buttons;
    MsgIcon icon;
    int defaultButton;
    bool systemModal;
};

class MessageStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(MessageStyle, DecodesButtonsIconDefaultAndModality)
{
    const StyleCase& row = GetParam();
    const platform::MessageRequest request = platform::messageRequest(QStringLiteral("t"), row.style, QStringLiteral("T"));
    EXPECT_EQ(request.buttons, row.buttons);
    EXPECT_EQ(request.icon, row.icon);
    EXPECT_EQ(request.defaultButton, row.defaultButton);
    EXPECT_EQ(request.systemModal, row.systemModal);
    EXPECT_EQ(request.text, QStringLiteral("t"));
    EXPECT_EQ(request.title, QStringLiteral("T"));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageStyle,
    ::testing::Values(StyleCase{0, MsgButtons::OkOnly, MsgIcon::None, 0, false},
                      StyleCase{4 + 32, MsgButtons::YesNo, MsgIcon::Question, 0, false},
                      StyleCase{1 + 48 + 256, MsgButtons::OkCancel, MsgIcon::Exclamation, 1, false},
                      StyleCase{3 + 16 + 512 + 4096, MsgButtons::YesNoCancel, MsgIcon::Critical, 2, true},
                      StyleCase{2 + 64, MsgButtons::AbortRetryIgnore, MsgIcon::Information, 0, false},
                      StyleCase{5, MsgButtons::RetryCancel, MsgIcon::None, 0, false},
                      StyleCase{7, MsgButtons::OkOnly, MsgIcon::None, 0, false}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return "style_" + std::to_string(info.param.style); });

TEST(MessageCodes, ResultsCarryTheProgramsNumbers)
{
    EXPECT_EQ(static_cast<int>(MsgResult::Ok), 1);
    EXPECT_EQ(static_cast<int>(MsgResult::Cancel), 2);
    EXPECT_EQ(static_cast<int>(MsgResult::Yes), 6);
    EXPECT_EQ(static_cast<int>(MsgResult::No), 7);
}

TEST(MessageCodes, ButtonsAndTheAnswerOfAClosedBox)
{
    struct Row {
        MsgButtons buttons;
        std::vector<MsgResult> offered;
        MsgResult neutral;
    };
    const std::vector<Row> rows = {
        {MsgButtons::OkOnly, {MsgResult::Ok}, MsgResult::Ok},
        {MsgButtons::OkCancel, {MsgResult::Ok, MsgResult::Cancel}, MsgResult::Cancel},
        {MsgButtons::AbortRetryIgnore, {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore}, MsgResult::Abort},
        {MsgButtons::YesNoCancel, {MsgResult::Yes, MsgResult::No, MsgResult::Cancel}, MsgResult::Cancel},
        {MsgButtons::YesNo, {MsgResult::Yes, MsgResult::No}, MsgResult::No},
        {MsgButtons::RetryCancel, {MsgResult::Retry, MsgResult::Cancel}, MsgResult::Cancel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.buttons));
        EXPECT_EQ(platform::messageButtons(row.buttons), row.offered);
        EXPECT_EQ(platform::neutralAnswer(row.buttons), row.neutral);
    }
}

class FreeFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        mPreviousName = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("TAVELCOR"));
    }
    void TearDown() override { QCoreApplication::setApplicationName(mPreviousName); }

private:
    QString mPreviousName;
};

TEST_F(FreeFunctions, MsgBoxWithoutTitleUsesTheProgramsTitle)
{
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(MsgResult::Yes, QStringLiteral("上書きしますか？"));
    script->expectMessage(MsgResult::Ok);
    EXPECT_EQ(platform::MsgBox(QStringLiteral("上書きしますか？"), MsgButtons::YesNo, MsgIcon::Question), MsgResult::Yes);
    EXPECT_EQ(platform::MsgBox(QStringLiteral("済"), 0, QStringLiteral("ORBELAメッセージ")), MsgResult::Ok);
    ASSERT_EQ(script->records().size(), 2u);
    EXPECT_EQ(script->records()[0].title, QStringLiteral("TAVELCOR"));
    EXPECT_EQ(script->records()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(script->records()[0].icon, MsgIcon::Question);
    EXPECT_EQ(script->records()[1].title, QStringLiteral("ORBELAメッセージ"));
}

TEST_F(FreeFunctions, MsgBoxWithAnEmptyTitleKeepsItEmpty)
{
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(MsgResult::Ok);
    platform::MsgBox(QString(), MsgButtons::OkOnly, MsgIcon::None, QString());
    EXPECT_EQ(script->records().at(0).title, QString());
}

TEST_F(FreeFunctions, InputBoxGivesTheTextOrEmptyOnCancel)
{
    platform::testing::GTestScriptedPrompter script;
    script->expectInput(QStringLiteral("500"), QStringLiteral("縮尺分母"));
    script->expectInput(std::nullopt);
    EXPECT_EQ(platform::InputBox(QStringLiteral("縮尺分母"), std::nullopt, QStringLiteral("250")), QStringLiteral("500"));
    EXPECT_EQ(platform::InputBox(QStringLiteral("起点からの長さ="), QStringLiteral("x"), QStringLiteral("12.5")), QString());
    EXPECT_EQ(script->records()[0].defaultText, QStringLiteral("250"));
    EXPECT_EQ(script->records()[0].title, QStringLiteral("TAVELCOR"));
    EXPECT_EQ(script->records()[1].defaultText, QStringLiteral("12.5"));
}

TEST(PrompterSlot, SetPrompterHandsBackTheOneItReplaces)
{
    auto first = std::make_unique<platform::ScriptedPrompter>();
    platform::ScriptedPrompter* firstRaw = first.get();
    std::unique_ptr<platform::Prompter> before = platform::setPrompter(std::move(first));
    EXPECT_EQ(&platform::prompter(), firstRaw);
    std::unique_ptr<platform::Prompter> back = platform::setPrompter(std::move(before));
    EXPECT_EQ(back.get(), firstRaw);
    EXPECT_NE(&platform::prompter(), firstRaw);
}

}  // namespace
