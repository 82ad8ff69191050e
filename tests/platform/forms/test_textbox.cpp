// SPDX-License-Identifier: LicenseRef-Tavelcor
// Text boxes: what the user may type (MaxLength, Locked), multi-line text in
// CR LF, and the selection.
#include "sample_form.h"
#include "sample_form_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace formstest {
namespace {

class TextBoxes : public SampleFormTest {};

TEST_F(TextBoxes, MaxLengthStopsTypingButNotCode)
{
    SampleForm& f = shownForm();
    f.Text1.setMaxLength(3);
    f.Text1.SetFocus();
    QTest::keyClicks(f.Text1.widget(), QStringLiteral("12345"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("123"));
    EXPECT_EQ(f.log.filter(QStringLiteral("Text1_Change")).size(), 3);
    f.Text1.setText(QStringLiteral(" 10.5"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral(" 10.5"));
}

TEST_F(TextBoxes, LockedBoxRefusesTypingButTakesCode)
{
    SampleForm& f = shownForm();
    f.Text1.setLocked(true);
    f.Text1.SetFocus();
    QTest::keyClicks(f.Text1.widget(), QStringLiteral("ab"));
    EXPECT_EQ(f.Text1.Text(), QString());
    f.Text1.setText(QStringLiteral("cd"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("cd"));
}

TEST_F(TextBoxes, MultiLineTextUsesCrLf)
{
    SampleForm f;
    f.Text2.setText(QStringLiteral("keep"));
    f.Text2.setMultiLine(true);
    EXPECT_TRUE(f.Text2.MultiLine());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("keep"));
    EXPECT_NE(qobject_cast<QPlainTextEdit*>(f.Text2.widget()), nullptr);
    const std::vector<std::pair<QString, QString>> rows = {
        {QStringLiteral("一行目\r\n二行目"), QStringLiteral("一行目\r\n二行目")},
        {QStringLiteral("a\nb"), QStringLiteral("a\r\nb")},
        {QStringLiteral("a\rb\r\n"), QStringLiteral("a\r\nb\r\n")},
    };
    for (const auto& [set, read] : rows)
        EXPECT_EQ((f.Text2.setText(set), f.Text2.Text()), read);
}

TEST_F(TextBoxes, MultiLineKeepsGeometryAndEvents)
{
    SampleForm& f = shownForm();
    const QRect before = f.Text2.widget()->geometry();
    f.Text2.setMultiLine(true);
    EXPECT_EQ(f.Text2.widget()->geometry(), before);
    EXPECT_TRUE(f.Text2.widget()->isVisible());
    f.Command1.setDefault(false);  // with a default button, Enter would click it
    int changes = 0;
    f.Text2.Change = [&changes] { ++changes; };
    f.Text2.SetFocus();
    QTest::keyClicks(f.Text2.widget(), QStringLiteral("x"));
    QTest::keyClick(f.Text2.widget(), Qt::Key_Return);
    QTest::keyClicks(f.Text2.widget(), QStringLiteral("y"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("x\r\ny"));
    EXPECT_EQ(changes, 3);
}

TEST_F(TextBoxes, SelectionInCharacters)
{
    SampleForm f;
    f.Text1.setText(QStringLiteral("測点12345"));
    EXPECT_EQ(f.Text1.SelStart(), 0) << "setting the text puts the caret first";
    f.Text1.setSelStart(2);
    f.Text1.setSelLength(3);
    EXPECT_EQ(f.Text1.SelText(), QStringLiteral("123"));
    f.Text1.setSelText(QStringLiteral("X"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("測点X45"));
    EXPECT_EQ(f.Text1.SelStart(), 3);
    f.Text1.setSelStart(99);
    EXPECT_EQ(f.Text1.SelStart(), 5) << "clamped to the end of the text";
}

TEST_F(TextBoxes, MultiLineSelectionCountsLineBreaksAsTwo)
{
    SampleForm f;
    f.Text2.setMultiLine(true);
    f.Text2.setText(QStringLiteral("ab\r\ncd"));
    f.Text2.setSelStart(4);
    f.Text2.setSelLength(2);
    EXPECT_EQ(f.Text2.SelText(), QStringLiteral("cd"));
    f.Text2.setSelStart(1);
    f.Text2.setSelLength(4);
    EXPECT_EQ(f.Text2.SelText(), QStringLiteral("b\r\nc"));
}

}  // namespace
}  // namespace formstest
