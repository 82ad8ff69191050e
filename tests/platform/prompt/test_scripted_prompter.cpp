// SPDX-License-Identifier: LicenseRef-Tavelcor
// The tests' prompter: answers in order, records every prompt, and turns every
// surprise into a failure with a neutral answer.
#include "fake_modal_window.h"

#include "platform/prompt/prompter.h"
#include "platform/prompt/scripted_prompter.h"

#include <gtest/gtest.h>

namespace {

using platform::FileDialogMode;
using platform::MenuEntry;
using platform::MsgButtons;
using platform::MsgResult;
using platform::PromptKind;
using platform::ScriptedPrompter;

platform::MessageRequest message(const QString& text, MsgButtons buttons)
{
    platform::MessageRequest request;
    request.text = text;
    request.title = QStringLiteral("T");
    request.buttons = buttons;
    return request;
}

platform::FileRequest saveRequest(const QString& title)
{
    platform::FileRequest request;
    request.mode = FileDialogMode::Save;
    request.title = title;
    request.fileName = QStringLiteral("TAVELCOR.SIM");
    request.filter = QStringLiteral("SIMA ファイル|*.SIM");
    request.filterIndex = 1;
    return request;
}

MenuEntry item(const QString& caption, std::vector<MenuEntry> children = {}, bool enabled = true)
{
    MenuEntry entry;
    entry.caption = caption;
    entry.enabled = enabled;
    entry.children = std::move(children);
    return entry;
}

// root: ポイント{追加, 移動(disabled)}, -, &UNDO, 隠し(invisible)
platform::PopupMenuRequest rightClickMenu()
{
    platform::PopupMenuRequest request;
    request.root = item(QStringLiteral("popupmenu"),
                        {item(QStringLiteral("ポイント"),
                              {item(QStringLiteral("追加")), item(QStringLiteral("移動"), {}, false)}),
                         item(QStringLiteral("-")), item(QStringLiteral("&UNDO")), item(QStringLiteral("隠し"))});
    request.root.children[3].visible = false;
    return request;
}

TEST(ScriptedPrompter, AnswersInOrderAndRecordsEachPrompt)
{
    ScriptedPrompter script;
    script.expectMessage(MsgResult::No, QStringLiteral("消去しますか？"))
        .expectInput(QStringLiteral("東京駅"))
        .expectSaveFile(QStringLiteral("/tmp/A.SIM"), QStringLiteral("SIMA 登録"));

    EXPECT_EQ(script.message(message(QStringLiteral("消去しますか？"), MsgButtons::YesNo)), MsgResult::No);
    platform::InputRequest input{QStringLiteral("住所"), QStringLiteral("T"), QStringLiteral("前回")};
    EXPECT_EQ(script.input(input), QStringLiteral("東京駅"));
    const auto chosen = script.file(saveRequest(QStringLiteral("SIMA 登録")));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, QStringLiteral("/tmp/A.SIM"));
    EXPECT_EQ(chosen->filterIndex, 1);

    EXPECT_EQ(script.pending(), 0u);
    EXPECT_TRUE(script.failures().isEmpty());
    ASSERT_EQ(script.records().size(), 3u);
    EXPECT_EQ(script.records()[0].kind, PromptKind::Message);
    EXPECT_EQ(script.records()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(script.records()[1].kind, PromptKind::Input);
    EXPECT_EQ(script.records()[1].text, QStringLiteral("住所"));
    EXPECT_EQ(script.records()[1].defaultText, QStringLiteral("前回"));
    EXPECT_EQ(script.records()[2].kind, PromptKind::SaveFile);
    EXPECT_EQ(script.records()[2].defaultText, QStringLiteral("TAVELCOR.SIM"));
    EXPECT_EQ(script.records()[2].filter, QStringLiteral("SIMA ファイル|*.SIM"));
}

TEST(ScriptedPrompter, UnexpectedPromptHitsTheHookWithItsTextAndGetsTheNeutralAnswer)
{
    const std::vector<std::pair<MsgButtons, MsgResult>> rows = {
        {MsgButtons::OkOnly, MsgResult::Ok},        {MsgButtons::OkCancel, MsgResult::Cancel},
        {MsgButtons::YesNo, MsgResult::No},         {MsgButtons::YesNoCancel, MsgResult::Cancel},
        {MsgButtons::RetryCancel, MsgResult::Cancel}, {MsgButtons::AbortRetryIgnore, MsgResult::Abort},
    };
    for (const auto& [buttons, neutral] : rows) {
        ScriptedPrompter script;
        QStringList hooked;
        script.setFailureHook([&hooked](const QString& failure) { hooked.append(failure); });
        EXPECT_EQ(script.message(message(QStringLiteral("予期しない質問"), buttons)), neutral);
        ASSERT_EQ(hooked.size(), 1);
        EXPECT_TRUE(hooked[0].contains(QStringLiteral("予期しない質問"))) << hooked[0].toStdString();
        EXPECT_EQ(script.failures(), hooked);
    }
}

TEST(ScriptedPrompter, UnexpectedDialogsGetCancel)
{
    ScriptedPrompter script;
    script.setFailureHook([](const QString&) {});
    EXPECT_EQ(script.input(platform::InputRequest{QStringLiteral("?"), {}, QStringLiteral("x")}), std::nullopt);
    EXPECT_EQ(script.file(saveRequest(QStringLiteral("保存"))), std::nullopt);
    EXPECT_EQ(script.color(platform::ColorRequest{}), std::nullopt);
    EXPECT_EQ(script.printer(platform::PrinterRequest{{}, {QStringLiteral("P1")}, QStringLiteral("P1")}),
              std::nullopt);
    EXPECT_EQ(script.popupMenu(rightClickMenu()), std::nullopt);
    EXPECT_EQ(script.failures().size(), 5);
    EXPECT_EQ(script.records().size(), 5u);
}

TEST(ScriptedPrompter, WrongKindFailsAndKeepsTheEntryForLater)
{
    ScriptedPrompter script;
    QStringList hooked;
    script.setFailureHook([&hooked](const QString& failure) { hooked.append(failure); });
    script.expectOpenFile(QStringLiteral("/tmp/x.AR2"));

    EXPECT_EQ(script.message(message(QStringLiteral("保存しますか"), MsgButtons::YesNo)), MsgResult::No);
    ASSERT_EQ(hooked.size(), 1);
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("OpenFile")));
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("保存しますか")));
    EXPECT_EQ(script.pending(), 1u);

    platform::FileRequest open;
    open.mode = FileDialogMode::Open;
    const auto chosen = script.file(open);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, QStringLiteral("/tmp/x.AR2"));
    EXPECT_EQ(script.pending(), 0u);
}

TEST(ScriptedPrompter, WrongTextFailsButStillAnswers)
{
    ScriptedPrompter script;
    QStringList hooked;
    script.setFailureHook([&hooked](const QString& failure) { hooked.append(failure); });
    script.expectMessage(MsgResult::Yes, QStringLiteral("上書きしますか？"));
    EXPECT_EQ(script.message(message(QStringLiteral("削除しますか？"), MsgButtons::YesNo)), MsgResult::Yes);
    ASSERT_EQ(hooked.size(), 1);
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("上書きしますか？")));
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("削除しますか？")));
}

TEST(ScriptedPrompter, AnswerWithAButtonTheBoxLacksIsRefused)
{
    ScriptedPrompter script;
    script.setFailureHook([](const QString&) {});
    script.expectMessage(MsgResult::Yes);
    EXPECT_EQ(script.message(message(QStringLiteral("続けますか"), MsgButtons::OkCancel)), MsgResult::Cancel);
    EXPECT_EQ(script.failures().size(), 1);
}

TEST(ScriptedPrompter, VerifyUsedUpReportsLeftoverEntries)
{
    ScriptedPrompter script;
    QStringList hooked;
    script.setFailureHook([&hooked](const QString& failure) { hooked.append(failure); });
    script.expectMessage(MsgResult::Ok, QStringLiteral("保存に失敗しました")).expectColor(0xFF);
    EXPECT_FALSE(script.verifyUsedUp());
    ASSERT_EQ(hooked.size(), 2);
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("保存に失敗しました")));
    EXPECT_TRUE(hooked[1].contains(QStringLiteral("Color")));
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_TRUE(script.verifyUsedUp());
}

TEST(ScriptedPrompter, FileAnswerMayChooseAnotherFilter)
{
    ScriptedPrompter script;
    script.expectSaveFile(QStringLiteral("/tmp/p.csv"), std::nullopt, 2).expectSaveFile(std::nullopt);
    platform::FileRequest request = saveRequest(QStringLiteral("CSV"));
    request.filterIndex = 3;
    const auto chosen = script.file(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, QStringLiteral("/tmp/p.csv"));
    EXPECT_EQ(chosen->filterIndex, 2);
    EXPECT_EQ(script.file(request), std::nullopt);
    ASSERT_EQ(script.records().size(), 2u);
    EXPECT_EQ(script.records()[0].filterIndex, 3);
}

TEST(ScriptedPrompter, ColourAndPrinterAnswers)
{
    ScriptedPrompter script;
    script.setFailureHook([](const QString&) {});
    script.expectColor(0x00FF00).expectPrinter(QStringLiteral("PDF")).expectPrinter(QStringLiteral("無い"));
    EXPECT_EQ(script.color(platform::ColorRequest{0x0000FF, QStringLiteral("色")}), 0x00FF00u);
    EXPECT_EQ(script.records()[0].color, 0x0000FFu);
    const platform::PrinterRequest printers{QStringLiteral("プリンタ"), {QStringLiteral("PDF"), QStringLiteral("LBP")},
                                            QStringLiteral("LBP")};
    EXPECT_EQ(script.printer(printers), QStringLiteral("PDF"));
    EXPECT_EQ(script.records()[1].choices, printers.printers);
    EXPECT_EQ(script.printer(printers), std::nullopt);  // a name that is not offered
    EXPECT_EQ(script.failures().size(), 1);
}

TEST(ScriptedPrompter, PopupMenuItemsAreChosenByCaption)
{
    ScriptedPrompter script;
    script.expectPopupMenu(QStringList{QStringLiteral("ポイント"), QStringLiteral("追加")})
        .expectPopupMenu(QStringList{QStringLiteral("UNDO")})
        .expectPopupMenu(std::nullopt);
    EXPECT_EQ(script.popupMenu(rightClickMenu()), (platform::MenuPath{0, 0}));
    EXPECT_EQ(script.popupMenu(rightClickMenu()), (platform::MenuPath{2}));  // "&UNDO" without its mark
    EXPECT_EQ(script.popupMenu(rightClickMenu()), std::nullopt);
    EXPECT_TRUE(script.failures().isEmpty());
    EXPECT_EQ(script.records()[0].text, QStringLiteral("ポイント|-|&UNDO"));
}

TEST(ScriptedPrompter, PopupMenuRefusesWhatAUserCannotChoose)
{
    const std::vector<QStringList> rows = {
        {QStringLiteral("ポイント"), QStringLiteral("移動")},  // disabled
        {QStringLiteral("隠し")},                              // not visible
        {QStringLiteral("ポイント")},                          // opens a submenu
        {QStringLiteral("無い")},                              // no such item
    };
    for (const QStringList& captions : rows) {
        ScriptedPrompter script;
        script.setFailureHook([](const QString&) {});
        script.expectPopupMenu(captions);
        EXPECT_EQ(script.popupMenu(rightClickMenu()), std::nullopt) << captions.join('|').toStdString();
        EXPECT_EQ(script.failures().size(), 1) << captions.join('|').toStdString();
    }
}

TEST(ScriptedPrompter, ModalAnswerActsOnTheShownWindow)
{
    ScriptedPrompter script;
    platform::testing::FakeModalWindow window(QStringLiteral("表示色選択"));
    bool sawItOpen = false;
    script.expectModal(
        [&](platform::ModalWindow& shown) {
            sawItOpen = shown.modalIsOpen();
            window.closeByUser();  // the form's close button
        },
        QStringLiteral("表示色選択"));
    script.runModal(window);
    EXPECT_TRUE(sawItOpen);
    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(window.closes, 0);  // it closed itself: the prompter did not have to
    EXPECT_FALSE(window.modalIsOpen());
    EXPECT_TRUE(script.failures().isEmpty());
    ASSERT_EQ(script.records().size(), 1u);
    EXPECT_EQ(script.records()[0].kind, PromptKind::Modal);
    EXPECT_EQ(script.records()[0].text, QStringLiteral("表示色選択"));
}

TEST(ScriptedPrompter, ModalLeftOpenIsAFailureAndIsClosed)
{
    ScriptedPrompter script;
    QStringList hooked;
    script.setFailureHook([&hooked](const QString& failure) { hooked.append(failure); });
    platform::testing::FakeModalWindow window(QStringLiteral("線太さ"));
    script.expectModal([](platform::ModalWindow&) {});
    script.runModal(window);
    ASSERT_EQ(hooked.size(), 1);
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("線太さ")));
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(window.modalIsOpen());
}

TEST(ScriptedPrompter, UnexpectedModalIsClosedAfterOneFailure)
{
    ScriptedPrompter script;
    script.setFailureHook([](const QString&) {});
    platform::testing::FakeModalWindow window(QStringLiteral("座標範囲"));
    script.runModal(window);
    EXPECT_EQ(script.failures().size(), 1);
    EXPECT_FALSE(window.modalIsOpen());
}

TEST(ScopedScriptedPrompter, InstallsRestoresAndReportsLeftovers)
{
    platform::Prompter* before = &platform::prompter();
    QStringList hooked;
    {
        platform::ScopedScriptedPrompter scoped([&hooked](const QString& failure) { hooked.append(failure); });
        EXPECT_EQ(&platform::prompter(), &scoped.get());
        scoped->expectMessage(MsgResult::Ok, QStringLiteral("一時保存ファイルを削除しました"));
    }
    EXPECT_EQ(&platform::prompter(), before);
    ASSERT_EQ(hooked.size(), 1);
    EXPECT_TRUE(hooked[0].contains(QStringLiteral("一時保存ファイルを削除しました")));
}

TEST(MenuPaths, FindAndFollow)
{
    const MenuEntry root = rightClickMenu().root;
    EXPECT_EQ(platform::findMenuPath(root, {QStringLiteral("ポイント"), QStringLiteral("移動")}),
              (platform::MenuPath{0, 1}));
    EXPECT_EQ(platform::findMenuPath(root, {QStringLiteral("-")}), std::nullopt);
    EXPECT_EQ(platform::findMenuPath(root, {}), std::nullopt);
    ASSERT_NE(platform::menuEntryAt(root, {0, 1}), nullptr);
    EXPECT_EQ(platform::menuEntryAt(root, {0, 1})->caption, QStringLiteral("移動"));
    EXPECT_EQ(platform::menuEntryAt(root, {0, 5}), nullptr);
    EXPECT_EQ(platform::menuEntryAt(root, {-1}), nullptr);
}

}  // namespace
