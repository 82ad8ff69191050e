// SPDX-License-Identifier: LicenseRef-Tavelcor
// The phrase list: taking a phrase into the text panel's field, the search
// with its questions, and hiding and showing the window again.
#include "panels_fixture.h"

#include "main/edit/text_panel.h"

namespace tavelcor::edittest {
namespace {

const QString kNextQuestion = QStringLiteral("次候補があります。確認しますか？");

class PhraseList : public PanelsTest {
protected:
    void SetUp() override
    {
        PanelsTest::SetUp();
        Command33_Click(plot());
    }

    void search(Plist& list, const QString& text)
    {
        list.Text1.setText(text);
        list.Command2.Click();
    }
};

TEST(PhraseMatches, PrefixOrInsideByTheLeadingBlank)
{
    const QStringList rows = {QStringLiteral("雑種地"), QStringLiteral("墓地"), QStringLiteral("未定"),
                              QStringLiteral("地目変更"), QStringLiteral("から地目")};
    EXPECT_EQ(phraseMatches(rows, QString()), std::vector<int>({0, 1, 2, 3, 4}));
    EXPECT_EQ(phraseMatches(rows, QStringLiteral(" 地")), std::vector<int>({0, 1, 3, 4}));
    EXPECT_EQ(phraseMatches(rows, QStringLiteral("地目  ")), std::vector<int>({3}));
    EXPECT_EQ(phraseMatches(rows, QStringLiteral("ABC")), std::vector<int>());
}

TEST_F(PhraseList, AnEmptySearchAsksForEveryFurtherRow)
{
    Plist& list = phraseList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    script().expectMessage(platform::MsgResult::Yes, kNextQuestion);
    script().expectMessage(platform::MsgResult::Yes, kNextQuestion);
    search(list, QString());
    EXPECT_EQ(list.List1.ListIndex(), 2);
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("C"));
    EXPECT_EQ(plot().Text8.SelStart(), 0) << "新規: the caret at the start";
}

TEST_F(PhraseList, NoEndsTheSearchOnTheRowChosen)
{
    Plist& list = phraseList({QStringLiteral("雑種地"), QStringLiteral("墓地"), QStringLiteral("未定")});
    script().expectMessage(platform::MsgResult::No, kNextQuestion);
    search(list, QStringLiteral(" 地"));
    EXPECT_EQ(list.List1.ListIndex(), 0);
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("雑種地"));
}

TEST_F(PhraseList, PrefixSearchFindsOnlyTheBeginning)
{
    Plist& list = phraseList({QStringLiteral("から地目"), QStringLiteral("地目変更")});
    search(list, QStringLiteral("地目"));
    EXPECT_EQ(list.List1.ListIndex(), 1);
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("地目変更"));
    EXPECT_TRUE(plot().Option23(7).Value());
}

TEST_F(PhraseList, AppendModeAddsThePhraseWithTheCaretAtTheEnd)
{
    Plist& list = phraseList({QStringLiteral("雑種地"), QStringLiteral("墓地")});
    list.Option1.setValue(true);
    plot().Text8.setText(QStringLiteral("ABC"));
    list.List1.setListIndex(1);
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("ABC墓地"));
    EXPECT_EQ(plot().Text8.SelStart(), 5);
}

TEST_F(PhraseList, APhrasesLineBreakIsDropped)
{
    Plist& list = phraseList({QStringLiteral("に\r\n分筆"), QStringLiteral("から\n分筆\r")});
    list.List1.setListIndex(0);
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("に分筆"));
    list.List1.setListIndex(1);
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("から分筆"));
}

TEST_F(PhraseList, TheCloseBoxHidesAndListShowsItAgainAsItWas)
{
    Plot& w = plot();
    Plist& list = phraseList({QStringLiteral("雑種地"), QStringLiteral("墓地")});
    click(w.Command45);
    ASSERT_TRUE(list.Visible());
    list.Option1.setValue(true);
    list.List1.setListIndex(1);
    list.window()->close();
    QCoreApplication::processEvents();
    ASSERT_TRUE(plistForm().isLoaded());
    EXPECT_FALSE(list.Visible());
    EXPECT_FALSE(list.TopMost());
    click(w.Command45);
    Plist& again = plist();
    EXPECT_EQ(&again, &list);
    EXPECT_TRUE(again.Visible());
    EXPECT_TRUE(again.TopMost());
    EXPECT_EQ(again.List1.ListCount(), 2);
    EXPECT_EQ(again.List1.ListIndex(), 1);
    EXPECT_TRUE(again.Option1.Value());
}

}  // namespace
}  // namespace tavelcor::edittest
