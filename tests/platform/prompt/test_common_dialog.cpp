// SPDX-License-Identifier: LicenseRef-Tavelcor
// The common dialog's properties going into a file request and the answer
// coming back; a cancelled dialog changes nothing.
#include "platform/prompt/common_dialog.h"
#include "platform/prompt/prompter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using platform::FileChoice;
using platform::FileRequest;

// Remembers the last file request and answers with a set choice.
class CapturingPrompter final : public platform::Prompter {
public:
    std::optional<FileRequest> lastFile;
    std::optional<FileChoice> fileAnswer;
    std::optional<platform::ColorRequest> lastColor;
    std::optional<std::uint32_t> colorAnswer;

    platform::MsgResult message(const platform::MessageRequest&) override { return platform::MsgResult::Ok; }
    std::optional<QString> input(const platform::InputRequest&) override { return std::nullopt; }
    std::optional<FileChoice> file(const FileRequest& request) override
    {
        lastFile = request;
        return fileAnswer;
    }
    std::optional<std::uint32_t> color(const platform::ColorRequest& request) override
    {
        lastColor = request;
        return colorAnswer;
    }
    std::optional<QString> printer(const platform::PrinterRequest&) override { return std::nullopt; }
    std::optional<platform::MenuPath> popupMenu(const platform::PopupMenuRequest&) override { return std::nullopt; }
    void runModal(platform::ModalWindow&) override {}
};

class CommonDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto capturing = std::make_unique<CapturingPrompter>();
        mCapture = capturing.get();
        mPrevious = platform::setPrompter(std::move(capturing));
    }
    void TearDown() override { platform::setPrompter(std::move(mPrevious)); }

    CapturingPrompter* mCapture = nullptr;

private:
    std::unique_ptr<platform::Prompter> mPrevious;
};

TEST_F(CommonDialogTest, SaveChoiceUpdatesFileNameAndFilterIndex)
{
    platform::CommonDialog dialog;
    dialog.setFileName(QStringLiteral("/site/TAVELCOR.TVX"));
    dialog.setFilter(QStringLiteral("TVX ファイル|*.TVX|すべてのファイル|*.*"));
    dialog.setDialogTitle(QStringLiteral("TVX 現場登録"));
    dialog.setFlags(platform::CommonDialog::kOverwritePrompt);
    mCapture->fileAnswer = FileChoice{QStringLiteral("/other/TAVELCOR.TVX"), 2};

    ASSERT_TRUE(dialog.ShowSave());
    ASSERT_TRUE(mCapture->lastFile);
    EXPECT_EQ(mCapture->lastFile->mode, platform::FileDialogMode::Save);
    EXPECT_EQ(mCapture->lastFile->title, QStringLiteral("TVX 現場登録"));
    EXPECT_EQ(mCapture->lastFile->fileName, QStringLiteral("/site/TAVELCOR.TVX"));
    EXPECT_EQ(mCapture->lastFile->filterIndex, 1);
    EXPECT_TRUE(mCapture->lastFile->confirmOverwrite);
    EXPECT_FALSE(mCapture->lastFile->mustExist);
    EXPECT_EQ(dialog.FileName(), QStringLiteral("/other/TAVELCOR.TVX"));
    EXPECT_EQ(dialog.FileTitle(), QStringLiteral("TAVELCOR.TVX"));
    EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST_F(CommonDialogTest, CancelLeavesEveryPropertyAsItWas)
{
    platform::CommonDialog dialog;
    dialog.setFileName(QStringLiteral("KEEP.AR2"));
    dialog.setFilterIndex(3);
    mCapture->fileAnswer = std::nullopt;

    EXPECT_FALSE(dialog.ShowOpen());
    ASSERT_TRUE(mCapture->lastFile);
    EXPECT_EQ(mCapture->lastFile->mode, platform::FileDialogMode::Open);
    EXPECT_EQ(dialog.FileName(), QStringLiteral("KEEP.AR2"));
    EXPECT_EQ(dialog.FilterIndex(), 3);
}

TEST_F(CommonDialogTest, FlagsOnlyApplyToTheirOwnKindOfDialog)
{
    platform::CommonDialog dialog;
    dialog.setFlags(platform::CommonDialog::kOverwritePrompt | platform::CommonDialog::kFileMustExist);
    mCapture->fileAnswer = std::nullopt;
    EXPECT_FALSE(dialog.ShowOpen());
    ASSERT_TRUE(mCapture->lastFile);
    EXPECT_EQ(mCapture->lastFile->mode, platform::FileDialogMode::Open);
    EXPECT_TRUE(mCapture->lastFile->mustExist);
    EXPECT_FALSE(mCapture->lastFile->confirmOverwrite);
    EXPECT_FALSE(dialog.ShowSave());
    EXPECT_EQ(mCapture->lastFile->mode, platform::FileDialogMode::Save);
    EXPECT_FALSE(mCapture->lastFile->mustExist);
    EXPECT_TRUE(mCapture->lastFile->confirmOverwrite);
}

TEST_F(CommonDialogTest, ColourDialogStartsFromColorAndKeepsItOnCancel)
{
    platform::CommonDialog dialog;
    dialog.setColor(0x0000FF);
    mCapture->colorAnswer = 0xFF0000;
    ASSERT_TRUE(dialog.ShowColor());
    ASSERT_TRUE(mCapture->lastColor);
    EXPECT_EQ(mCapture->lastColor->initial, 0x0000FFu);
    EXPECT_EQ(dialog.Color(), 0xFF0000u);
    mCapture->colorAnswer = std::nullopt;
    EXPECT_FALSE(dialog.ShowColor());
    EXPECT_EQ(dialog.Color(), 0xFF0000u);
}

}  // namespace
