// SPDX-License-Identifier: LicenseRef-Tavelcor
// The text panel: its opener and end button, the commit of an edit with its
// history step, and the current colour's buttons 字 and 色.
#include "panels_fixture.h"

#include "main/edit/history_commands.h"
#include "main/edit/text_panel.h"
#include "main/render/color_picker.h"

namespace tavelcor::edittest {
namespace {

class TextPanel : public PanelsTest {
protected:
    /// The panel open on 編集 with text `item` picked and `typed` in Text8,
    /// as the plot's pick and the field's change handling leave it.
    void editing(int item, const QString& typed)
    {
        Plot& w = plot();
        Command33_Click(w);
        w.Option18.setValue(true);
        TxtEdit = item;
        w.Text8.setVisible(true);
        w.Text8.setText(typed);
        w.Command34.setCaption(QStringLiteral("確定"));
        w.Command34.setVisible(true);
    }
};

TEST_F(TextPanel, OpeningClearsTheEditAndHidesTheCommit)
{
    Plot& w = plot();
    TxtEdit = 4;
    TxtPick = 4;
    w.Command34.setVisible(true);
    w.Command34.setDefault(true);
    w.Option19.setValue(true);
    BackToAdd = 2;
    click(w.Command33);
    EXPECT_TRUE(onlyShown(w.Frame11));
    EXPECT_EQ(TxtEdit, 0);
    EXPECT_EQ(TxtPick, 0);
    EXPECT_FALSE(w.Command34.Visible());
    EXPECT_NE(w.defaultButton(), &w.Command34);
    EXPECT_TRUE(w.Option22.Value()) << "BackToAdd 2 returns from 削除";
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("文字追加"));
    EXPECT_EQ(TxtChanged, 1);
}

TEST_F(TextPanel, CommitCollapsesBlanksReplacesCommasAndShowsTheStoredText)
{
    const struct {
        QString typed;
        QString stored;
    } cases[] = {
        {QStringLiteral("a  b   c"), QStringLiteral("a b c")},
        {QStringLiteral("x,y"), QStringLiteral("x_y")},
    };
    for (const auto& c : cases) {
        const int i = addText(QStringLiteral("old"), 3);
        editing(i, c.typed);
        TxtColorCur = 12;
        const int top = UndoTop;
        click(plot().Command34);
        EXPECT_EQ(TxtString[i], c.stored);
        EXPECT_EQ(TxtColor[i], 12);
        EXPECT_EQ(plot().Text8.Text(), c.stored);
        EXPECT_FALSE(plot().Command34.Visible());
        ASSERT_EQ(UndoTop, top + 1) << "one record per commit";
        EXPECT_EQ(UndoPos, UndoTop);
        EXPECT_EQ(UndoKind[UndoTop], 34);
        EXPECT_EQ(UndoItem[UndoTop], i);
        EXPECT_EQ(UndoVal1[UndoTop], 3.0F);
        EXPECT_EQ(UndoVal2[UndoTop], 12.0F);
        EXPECT_EQ(UndoText(0, UndoTop), QStringLiteral("old"));
        EXPECT_EQ(UndoText(1, UndoTop), c.stored);
    }
}

TEST_F(TextPanel, UndoOfTheCommitRestoresTextAndColour)
{
    const int i = addText(QStringLiteral("old"), 3);
    editing(i, QStringLiteral("new"));
    TxtColorCur = 12;
    Command34_Click(plot());
    ASSERT_EQ(TxtString[i], QStringLiteral("new"));
    Command60_Click(plot());
    EXPECT_EQ(TxtString[i], QStringLiteral("old"));
    EXPECT_EQ(TxtColor[i], 3);
}

TEST_F(TextPanel, ACommitWithoutChangeIsStillOneStep)
{
    const int i = addText(QStringLiteral("same"), 9);
    editing(i, QStringLiteral("same"));
    TxtColorCur = 9;
    Command34_Click(plot());
    ASSERT_EQ(UndoTop, 1);
    EXPECT_EQ(UndoKind[1], 34);
    Command60_Click(plot());
    EXPECT_EQ(UndoPos, 0) << "the undo took the step back";
    EXPECT_EQ(TxtString[i], QStringLiteral("same"));
    EXPECT_EQ(TxtColor[i], 9);
}

TEST_F(TextPanel, OutsideEditTheCommitButtonOnlyHidesItself)
{
    Plot& w = plot();
    const int i = addText(QStringLiteral("old"), 3);
    for (platform::OptionButton* option : {&w.Option22, &w.Option24, &w.Option19}) {
        editing(i, QStringLiteral("new"));
        option->setValue(true);
        Command34_Click(w);
        EXPECT_FALSE(w.Command34.Visible()) << option->Name().toStdString();
        EXPECT_EQ(TxtString[i], QStringLiteral("old"));
        EXPECT_EQ(UndoTop, 0);
    }
    // 編集 with another caption than "確定".
    editing(i, QStringLiteral("new"));
    w.Command34.setCaption(QStringLiteral("取消"));
    Command34_Click(w);
    EXPECT_FALSE(w.Command34.Visible());
    EXPECT_EQ(TxtString[i], QStringLiteral("old"));
    EXPECT_EQ(UndoTop, 0);
}

TEST_F(TextPanel, EditWithoutAPickStoresIntoItemZero)
{
    const int i = addText(QStringLiteral("site text"), 3);
    editing(0, QStringLiteral("typed"));
    Command34_Click(plot());
    EXPECT_EQ(TxtString[0], QStringLiteral("typed"));
    EXPECT_EQ(TxtString[i], QStringLiteral("site text"));
    EXPECT_EQ(UndoItem[UndoTop], 0);
    EXPECT_EQ(UndoKind[UndoTop], 34);
}

TEST_F(TextPanel, StepButtonRunsThroughAllSixteenColours)
{
    Plot& w = plot();
    TxtColorCur = 12;
    for (int k = 0; k < 16; ++k)
        click(w.Command36);
    EXPECT_EQ(TxtColorCur, 12);
    TxtColorCur = 14;
    Command36_Click(w);
    EXPECT_EQ(TxtColorCur, 15);
    EXPECT_EQ(w.Command36.BackColor(), platform::QBColor(15));
    EXPECT_EQ(w.Command37.BackColor(), platform::QBColor(15));
    Command36_Click(w);
    EXPECT_EQ(TxtColorCur, 0);
}

TEST_F(TextPanel, ColourDialogClosedWithoutAChoiceKeepsThePreselection)
{
    Plot& w = plot();
    const struct {
        int current;
        int expected;
    } cases[] = {{12, 12}, {1, 0}, {5, 5}};
    for (const auto& c : cases) {
        TxtColorCur = static_cast<std::int16_t>(c.current);
        script().expectModal(platform::onForm<Color>([](Color& dialog) { dialog.window()->close(); }));
        Command37_Click(w);
        EXPECT_EQ(TxtColorCur, c.expected) << c.current;
        EXPECT_EQ(w.Command37.BackColor(), platform::QBColor(c.expected));
    }
    script().expectModal(platform::onForm<Color>([](Color& dialog) {
        dialog.Option14(10).setValue(true);
        dialog.Command1.Click();
    }));
    click(w.Command37);
    EXPECT_EQ(TxtColorCur, 10);
}

TEST_F(TextPanel, ClosingHidesThePhraseListAndKeepsTheEdit)
{
    Plot& w = plot();
    const int i = addText(QStringLiteral("old"), 3);
    editing(i, QStringLiteral("new"));
    phraseList({QStringLiteral("墓地")}).Show();
    TxtPick = 2;
    w.Frame11.setTop(2700);
    click(w.Command35);
    EXPECT_FALSE(plist().Visible());
    EXPECT_TRUE(onlyShown(w.Frame2));
    EXPECT_EQ(w.Frame2.Top(), 2700);
    EXPECT_EQ(TxtEdit, i);
    EXPECT_EQ(TxtPick, 0);
    EXPECT_EQ(w.Text8.Text(), QStringLiteral("new"));
    EXPECT_TRUE(w.Command34.Visible());
}

TEST_F(TextPanel, ListButtonChoosesOtherAndShowsThePhraseList)
{
    Plot& w = plot();
    Command33_Click(w);
    w.Option23(3).setValue(true);
    click(w.Command45);
    EXPECT_TRUE(w.Option23(7).Value());
    EXPECT_TRUE(plist().Visible());
}

}  // namespace
}  // namespace tavelcor::edittest
