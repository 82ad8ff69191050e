// SPDX-License-Identifier: LicenseRef-Tavelcor
// A GUI test program (the test main of every GUI test program) whose tests
// prompt through the program's own prompter, as a test that forgot to
// install the scripted prompter would: one message box, one input box, one
// file dialog. test_real_dialog_gate.cpp runs it and expects each test to
// fail at once, naming its prompt, instead of waiting for an answer.
#include "platform/dialogs/qt_prompter.h"
#include "platform/prompt/common_dialog.h"
#include "platform/prompt/prompter.h"

#include <gtest/gtest.h>

namespace {

TEST(ForgottenScript, MessageBox)
{
    platform::useQtPrompterByDefault();
    EXPECT_EQ(platform::MsgBox(QStringLiteral("測点を削除しますか？"), platform::MsgButtons::YesNo,
                               platform::MsgIcon::Question, QStringLiteral("削除")),
              platform::MsgResult::No);
}

TEST(ForgottenScript, InputBox)
{
    platform::useQtPrompterByDefault();
    EXPECT_EQ(platform::InputBox(QStringLiteral("縮尺を入力して下さい"), QStringLiteral("縮尺"),
                                 QStringLiteral("500")),
              QString());
}

TEST(ForgottenScript, FileDialog)
{
    platform::useQtPrompterByDefault();
    platform::CommonDialog dialog;
    dialog.setDialogTitle(QStringLiteral("TVX 現場登録"));
    dialog.setFileName(QStringLiteral("TAVELCOR.TVX"));
    EXPECT_FALSE(dialog.ShowSave());
}

}  // namespace
