// SPDX-License-Identifier: LicenseRef-Tavelcor
// The prompts of unattended runs: they are chosen only when the environment
// asks for them, and then every message is logged and answered as closed
// without a choice, every dialog is cancelled, also once the window (which
// would install real dialogs) is made.
#include "gps/form1.h"
#include "gps/headless_prompts.h"

#include "platform/prompt/prompter.h"
#include "scoped_env.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::MsgButtons;
using platform::MsgResult;

// The warning log of the test, kept while it lives.
class WarningLog {
public:
    WarningLog() { mPrevious = qInstallMessageHandler(&WarningLog::record); }
    ~WarningLog()
    {
        qInstallMessageHandler(mPrevious);
        lines().clear();
    }
    WarningLog(const WarningLog&) = delete;
    WarningLog& operator=(const WarningLog&) = delete;

    static QStringList& lines()
    {
        static QStringList recorded;
        return recorded;
    }

private:
    static void record(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg)
            lines().append(text);
    }

    QtMessageHandler mPrevious = nullptr;
};

// A program folder of the test's own; the prompter in force before the test
// is put back after it, and the window is destroyed.
class HeadlessPrompts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        mPrevious = platform::setPrompter(nullptr);
    }
    void TearDown() override
    {
        platform::destroyAllForms();
        platform::setPrompter(std::move(mPrevious));
    }

    QTemporaryDir home;
    testing_support::ScopedEnv envHome{"TAVELCOR_HOME", home.path()};

private:
    std::unique_ptr<platform::Prompter> mPrevious;
};

TEST(HeadlessPromptsRequest, OnlyASetNonEmptyVariableAsksForThem)
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

TEST_F(HeadlessPrompts, MessagesAreClosedWithoutAChoiceAndDialogsCancelled)
{
    orbela::useHeadlessPrompts();
    platform::Prompter& prompter = platform::prompter();
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

// The window installs real dialogs as the default when it is made; prompts
// chosen before stay, so a message of the running program is logged and
// never waits for a click.
TEST_F(HeadlessPrompts, TheWindowKeepsThemAndEachMessageIsLogged)
{
    orbela::useHeadlessPrompts();
    ASSERT_TRUE(orbela::form1().isServingLink());

    // A real dialog would wait here for ever: it is closed and reported.
    bool dialogShown = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&dialogShown] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialogShown = true;
            dialog->close();
        }
    });
    guard.start(3000);
    const WarningLog log;
    EXPECT_EQ(platform::MsgBox(QStringLiteral("既存のジオイドモデルを書き換えますか？"), MsgButtons::YesNo),
              MsgResult::No);
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(WarningLog::lines(), QStringList{QStringLiteral("message ") + platform::applicationTitle()
                                               + QStringLiteral(": 既存のジオイドモデルを書き換えますか？")});
}

}  // namespace
