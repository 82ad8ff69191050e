// SPDX-License-Identifier: LicenseRef-Tavelcor
// The message-box codes and the free functions that ask the installed prompter.
#include "fake_modal_window.h"

#include "platform/prompt/prompter.h"
#include "platform/prompt/scripted_prompter.h"
#include "platform/prompt/testing.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <memory>
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
    EXPECT_EQ(platform::MsgBox(QString(), MsgButtons::OkOnly, MsgIcon::None, QString()), MsgResult::Ok);
    ASSERT_EQ(script->records().size(), 1u);
    EXPECT_EQ(script->records()[0].title, QString());
}

TEST_F(FreeFunctions, AskYesNoIsTrueOnlyForYes)
{
    platform::testing::GTestScriptedPrompter script;
    script->expectMessage(MsgResult::Yes, QStringLiteral("保存しますか"));
    script->expectMessage(MsgResult::No, QStringLiteral("保存しますか"));
    EXPECT_TRUE(platform::askYesNo(QStringLiteral("保存しますか")));
    EXPECT_FALSE(platform::askYesNo(QStringLiteral("保存しますか")));
    ASSERT_EQ(script->records().size(), 2u);
    EXPECT_EQ(script->records()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(script->records()[0].title, QStringLiteral("TAVELCOR"));
}

TEST_F(FreeFunctions, InputBoxGivesTheTextOrEmptyOnCancel)
{
    platform::testing::GTestScriptedPrompter script;
    script->expectInput(QStringLiteral("500"), QStringLiteral("縮尺分母"));
    script->expectInput(std::nullopt);
    EXPECT_EQ(platform::InputBox(QStringLiteral("縮尺分母"), std::nullopt, QStringLiteral("250")), QStringLiteral("500"));
    EXPECT_EQ(platform::InputBox(QStringLiteral("起点からの長さ="), QStringLiteral("x"), QStringLiteral("12.5")), QString());
    ASSERT_EQ(script->records().size(), 2u);
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

// Runs a test without any prompter installed and without a default factory,
// collecting the warnings logged meanwhile; puts everything back afterwards.
class DefaultPrompter : public ::testing::Test {
protected:
    void SetUp() override
    {
        mPrevious = platform::setPrompter(nullptr);
        platform::setDefaultPrompterFactory(nullptr);
        warnings().clear();
        mPreviousHandler = qInstallMessageHandler(&collect);
    }
    void TearDown() override
    {
        qInstallMessageHandler(mPreviousHandler);
        platform::setDefaultPrompterFactory(nullptr);
        platform::setPrompter(std::move(mPrevious));
    }

    static QStringList& warnings()
    {
        static QStringList collected;
        return collected;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            warnings().append(message);
    }

    std::unique_ptr<platform::Prompter> mPrevious;
    QtMessageHandler mPreviousHandler = nullptr;
};

TEST_F(DefaultPrompter, WithoutDialogsEveryPromptIsLoggedAndGetsTheNeutralAnswer)
{
    const struct {
        MsgButtons buttons;
        MsgResult answer;
    } rows[] = {
        {MsgButtons::OkOnly, MsgResult::Ok},
        {MsgButtons::OkCancel, MsgResult::Cancel},
        {MsgButtons::YesNo, MsgResult::No},
        {MsgButtons::YesNoCancel, MsgResult::Cancel},
        {MsgButtons::AbortRetryIgnore, MsgResult::Abort},
        {MsgButtons::RetryCancel, MsgResult::Cancel},
    };
    for (const auto& row : rows) {
        warnings().clear();
        EXPECT_EQ(platform::MsgBox(QStringLiteral("上書きしますか？"), row.buttons, MsgIcon::Question,
                                   QStringLiteral("保存")),
                  row.answer)
            << static_cast<int>(row.buttons);
        ASSERT_EQ(warnings().size(), 1);
        EXPECT_TRUE(warnings()[0].contains(QStringLiteral("保存: 上書きしますか？"))) << warnings()[0].toStdString();
    }
    warnings().clear();
    EXPECT_EQ(platform::InputBox(QStringLiteral("縮尺分母"), QStringLiteral("縮尺"), QStringLiteral("500")), QString());
    ASSERT_EQ(warnings().size(), 1);
    EXPECT_TRUE(warnings()[0].contains(QStringLiteral("縮尺: 縮尺分母")));
}

TEST_F(DefaultPrompter, WithoutDialogsDialogsAreCancelledAndModalWindowsClosed)
{
    platform::Prompter& fallback = platform::prompter();
    EXPECT_EQ(fallback.file(platform::FileRequest{}), std::nullopt);
    EXPECT_EQ(fallback.color(platform::ColorRequest{0x00FF00u, QStringLiteral("色")}), std::nullopt);
    EXPECT_EQ(fallback.printer(platform::PrinterRequest{QStringLiteral("プリンタ"), {QStringLiteral("PDF")},
                                                        QStringLiteral("PDF")}),
              std::nullopt);
    platform::PopupMenuRequest menu;
    platform::MenuEntry item;
    item.caption = QStringLiteral("削除");
    menu.root.children.push_back(item);
    EXPECT_EQ(fallback.popupMenu(menu), std::nullopt);

    platform::testing::FakeModalWindow shownBefore(QStringLiteral("条件"));
    shownBefore.modalShow();
    fallback.runModal(shownBefore);
    EXPECT_FALSE(shownBefore.modalIsOpen());
    EXPECT_EQ(shownBefore.closes, 1);
    EXPECT_EQ(shownBefore.shows, 1) << "the run itself shows nothing nobody can answer";
    EXPECT_EQ(warnings().size(), 5);
}

std::unique_ptr<platform::Prompter> makeScripted()
{
    return std::make_unique<platform::ScriptedPrompter>();
}

TEST_F(DefaultPrompter, TheFactoryMakesThePrompterWhenNoneIsInstalled)
{
    platform::setDefaultPrompterFactory(&makeScripted);
    auto* made = dynamic_cast<platform::ScriptedPrompter*>(&platform::prompter());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(&platform::prompter(), made) << "made once, then kept";
    made->setFailureHook([](const QString&) {});
    made->expectMessage(MsgResult::Yes);
    EXPECT_EQ(platform::MsgBox(QStringLiteral("削除しますか？"), MsgButtons::YesNo), MsgResult::Yes);
    EXPECT_TRUE(warnings().isEmpty());

    // Back to the default: the factory makes a fresh one.
    platform::setPrompter(nullptr);
    auto* again = dynamic_cast<platform::ScriptedPrompter*>(&platform::prompter());
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->records().empty());
}

TEST_F(DefaultPrompter, SettingTheFactoryLeavesAnInstalledPrompterInPlace)
{
    auto installed = std::make_unique<platform::ScriptedPrompter>();
    platform::ScriptedPrompter* installedRaw = installed.get();
    platform::setPrompter(std::move(installed));
    platform::setDefaultPrompterFactory(&makeScripted);
    EXPECT_EQ(&platform::prompter(), installedRaw);
}

}  // namespace
