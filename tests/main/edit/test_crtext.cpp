// SPDX-License-Identifier: LicenseRef-Tavelcor
// The line-break editor opened for a picked text: its lines, the phrase
// buttons and what "Ｏ　Ｋ" and "Cancel" store.
#include "panels_fixture.h"

#include "main/edit/crtext.h"

namespace tavelcor::edittest {
namespace {

class LineEditor : public PanelsTest {
protected:
    /// Text `text` of colour `color` picked in 編集, as the plot's pick
    /// leaves it; returns its index.
    int picked(const QString& text, int color)
    {
        const int i = addText(text, color);
        TxtEdit = i;
        TxtColorCur = static_cast<std::int16_t>(color);
        plot().Text8.setText(text);
        return i;
    }

    /// Opens the editor and works it with `act` before it closes.
    void edit(std::function<void(Crtext&)> act)
    {
        script().expectModal(platform::onForm<Crtext>(std::move(act)), QStringLiteral("改行テキスト"));
        editTextInLines(plot());
    }

    static QStringList boxes(const Crtext& form)
    {
        QStringList lines;
        for (int k = 0; k < 10; ++k)
            lines.append(form.Text1(k).Text());
        return lines;
    }
};

TEST_F(LineEditor, OpensAsLinesAndStoresThemWithOneRecord)
{
    const int i = picked(QStringLiteral("a b  c"), 12);
    edit([](Crtext& form) {
        EXPECT_EQ(boxes(form), QStringList({"a", "b", "c", "", "", "", "", "", "", ""}));
        form.Command1.Click();
    });
    EXPECT_EQ(TxtString[i], QStringLiteral("a b c"));
    ASSERT_EQ(UndoTop, 1);
    EXPECT_EQ(UndoKind[1], 34);
    EXPECT_EQ(UndoItem[1], i);
    EXPECT_EQ(UndoText(0, 1), QStringLiteral("a b  c"));
    EXPECT_EQ(UndoText(1, 1), QStringLiteral("a b c"));
    EXPECT_EQ(plot().Text8.Text(), QStringLiteral("a b  c")) << "the field keeps the old string";
    EXPECT_FALSE(crtextForm().isLoaded());
}

TEST_F(LineEditor, TwelveLinesOpenAsTen)
{
    const int i = picked(QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"), 12);
    edit([](Crtext& form) {
        EXPECT_EQ(form.Text1(9).Text(), QStringLiteral("10"));
        form.Command1.Click();
    });
    EXPECT_EQ(TxtString[i], QStringLiteral("1 2 3 4 5 6 7 8 9 10"));
}

TEST_F(LineEditor, StoresTheFilledBoxesJoinedByBlanks)
{
    const struct {
        QStringList typed;
        QString stored;
    } cases[] = {
        {{"a", "", "b"}, QStringLiteral("a b")},
        {{"x,y"}, QStringLiteral("x_y")},
        {{"a b"}, QStringLiteral("a b")},
        {{}, QString()},
    };
    for (const auto& c : cases) {
        const int i = picked(QStringLiteral("old"), 12);
        edit([&c](Crtext& form) {
            for (int k = 0; k < 10; ++k)
                form.Text1(k).setText(k < c.typed.size() ? c.typed.at(k) : QString());
            form.Command1.Click();
        });
        EXPECT_EQ(TxtString[i], c.stored);
        EXPECT_EQ(UndoText(1, UndoTop), c.stored);
    }
}

TEST_F(LineEditor, PhraseReplacesTheSelectionOfTheLastFocusedLine)
{
    picked(QStringLiteral("one two three"), 12);
    CrtextPhrase[1] = QStringLiteral("XY");
    CrtextPhrase[9] = QString();
    edit([](Crtext& form) {
        QCoreApplication::processEvents();
        form.Text1(2).SetFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(form.CurLine(), 2);
        platform::TextBox& box = form.Text1(2);
        const struct {
            int start, length;
            const char* result;
        } cases[] = {{2, 0, "abXYcd"}, {1, 2, "aXYd"}, {0, 4, "XY"}};
        for (const auto& c : cases) {
            box.setText(QStringLiteral("abcd"));
            box.setSelStart(c.start);
            box.setSelLength(c.length);
            form.Command3.Click();
            EXPECT_EQ(box.Text(), QString::fromUtf8(c.result));
        }
        // The ninth button, without a caption, only deletes the selection.
        box.setText(QStringLiteral("abcd"));
        box.setSelStart(1);
        box.setSelLength(2);
        EXPECT_EQ(form.Command11.Caption(), QString());
        form.Command11.Click();
        EXPECT_EQ(box.Text(), QStringLiteral("ad"));
        EXPECT_EQ(form.Text1(0).Text(), QStringLiteral("one")) << "other lines untouched";
        form.Command2.Click();
    });
}

TEST_F(LineEditor, InsertButtonsCarryThePhrases)
{
    picked(QStringLiteral("a"), 12);
    for (int n = 1; n <= 9; ++n)
        CrtextPhrase[n] = QString();
    CrtextPhrase[4] = QStringLiteral("→山林　不詳");
    edit([](Crtext& form) {
        const platform::CommandButton* buttons[] = {&form.Command3, &form.Command4, &form.Command5,
                                                    &form.Command6, &form.Command7, &form.Command8,
                                                    &form.Command9, &form.Command10, &form.Command11};
        for (int n = 1; n <= 9; ++n)
            EXPECT_EQ(buttons[n - 1]->Caption(), n == 4 ? QStringLiteral("→山林　不詳") : QString()) << n;
        form.Command2.Click();
    });
}

TEST_F(LineEditor, HoverLabelStaysHiddenOnlyWhileTheEditorIsOpen)
{
    picked(QStringLiteral("a"), 12);
    SlideFactor = 1.5F;
    edit([](Crtext& form) {
        EXPECT_EQ(SlideFactor, 9.0F);
        form.Command2.Click();
    });
    EXPECT_EQ(SlideFactor, 1.5F);
    EXPECT_FALSE(plot().Command34.Visible());
    EXPECT_EQ(plot().Command34.Caption(), QString());
}

TEST_F(LineEditor, AColourWithoutAnOptionIsKept)
{
    const int i = picked(QStringLiteral("a"), 5);
    edit([](Crtext& form) {
        for (const auto& [index, option] : form.Option14)
            EXPECT_FALSE(option->Value()) << index;
        form.Command1.Click();
    });
    EXPECT_EQ(TxtColor[i], 5);
    EXPECT_EQ(TxtColorCur, 5);
    EXPECT_EQ(UndoVal2[UndoTop], 5.0F);
}

TEST_F(LineEditor, TheChosenColourIsStored)
{
    const int i = picked(QStringLiteral("a"), 12);
    edit([](Crtext& form) {
        EXPECT_TRUE(form.Option14(12).Value());
        form.Option14(3).setValue(true);
        form.Command1.Click();
    });
    EXPECT_EQ(TxtColor[i], 3);
    EXPECT_EQ(UndoVal1[UndoTop], 12.0F);
    EXPECT_EQ(UndoVal2[UndoTop], 3.0F);
    EXPECT_EQ(plot().Command37.BackColor(), platform::QBColor(3));
}

TEST_F(LineEditor, CancelAndTheCloseBoxStoreNothing)
{
    const int i = picked(QStringLiteral("a b"), 12);
    plot().Command34.setVisible(true);
    edit([](Crtext& form) {
        form.Text1(0).setText(QStringLiteral("changed"));
        form.Command2.Click();
    });
    edit([](Crtext& form) {
        form.Text1(0).setText(QStringLiteral("changed"));
        form.window()->close();
    });
    EXPECT_EQ(TxtString[i], QStringLiteral("a b"));
    EXPECT_EQ(UndoTop, 0);
    EXPECT_FALSE(plot().Command34.Visible());
}

}  // namespace
}  // namespace tavelcor::edittest
