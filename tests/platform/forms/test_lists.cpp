// SPDX-License-Identifier: LicenseRef-Tavelcor
// List and combo boxes: items, the chosen index and its Click, typed text and
// its Change; and scroll bars.
#include "sample_form.h"
#include "sample_form_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

namespace formstest {
namespace {

class Lists : public SampleFormTest {};

TEST_F(Lists, ListIndexFromCodeFiresClickWhenItChanges)
{
    SampleForm& f = form();
    for (const char* item : {"A", "B", "C"})
        ASSERT_TRUE(f.List1.AddItem(QString::fromLatin1(item)));
    EXPECT_EQ(f.List1.ListIndex(), -1);
    EXPECT_EQ(f.List1.Text(), QString());
    EXPECT_TRUE(f.List1.setListIndex(1));
    EXPECT_TRUE(f.List1.setListIndex(1));
    EXPECT_FALSE(f.List1.setListIndex(3));
    EXPECT_FALSE(f.List1.setListIndex(-2));
    EXPECT_TRUE(f.List1.setListIndex(-1));
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("List1_Click 1"), QStringLiteral("List1_Click -1")}));
}

TEST_F(Lists, AddingAndRemovingKeepsTheChosenItem)
{
    SampleForm& f = form();
    for (const char* item : {"A", "B", "C"})
        f.List1.AddItem(QString::fromLatin1(item));
    f.List1.setListIndex(1);
    f.log.clear();
    ASSERT_TRUE(f.List1.AddItem(QStringLiteral("first"), 0));
    EXPECT_EQ(f.List1.ListIndex(), 2);
    EXPECT_EQ(f.List1.Text(), QStringLiteral("B"));
    EXPECT_FALSE(f.List1.AddItem(QStringLiteral("far"), 9));
    ASSERT_TRUE(f.List1.RemoveItem(0));
    EXPECT_EQ(f.List1.ListIndex(), 1);
    ASSERT_TRUE(f.List1.RemoveItem(1));
    EXPECT_EQ(f.List1.ListIndex(), -1) << "removing the chosen item leaves none chosen";
    EXPECT_FALSE(f.List1.RemoveItem(5));
    EXPECT_EQ(f.List1.ListCount(), 2);
    EXPECT_EQ(f.List1.List(1), QStringLiteral("C"));
    EXPECT_EQ(f.List1.List(7), QString());
    EXPECT_TRUE(f.log.isEmpty()) << "item changes fire nothing";
    f.List1.Clear();
    EXPECT_EQ(f.List1.ListCount(), 0);
    EXPECT_EQ(f.List1.ListIndex(), -1);
}

TEST_F(Lists, SortedListKeepsTextOrderIgnoringCase)
{
    SampleForm f;
    f.List1.setSorted(true);
    for (const char* item : {"b", "C", "a", "B"})
        f.List1.AddItem(QString::fromLatin1(item), 0);
    QStringList items;
    for (int i = 0; i < f.List1.ListCount(); ++i)
        items.append(f.List1.List(i));
    EXPECT_EQ(items, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("C")}));
}

TEST_F(Lists, ItemDataTravelsWithItsItem)
{
    SampleForm f;
    f.List1.AddItem(QStringLiteral("x"));
    f.List1.AddItem(QStringLiteral("y"));
    EXPECT_TRUE(f.List1.setItemData(1, 500000));
    EXPECT_FALSE(f.List1.setItemData(2, 1));
    f.List1.AddItem(QStringLiteral("w"), 0);
    EXPECT_EQ(f.List1.ItemData(2), 500000);
    EXPECT_EQ(f.List1.ItemData(0), 0);
}

TEST_F(Lists, UserChoosingAnItemFiresClick)
{
    SampleForm& f = shownForm();
    for (const char* item : {"A", "B", "C"})
        f.List1.AddItem(QString::fromLatin1(item));
    auto* list = static_cast<QListWidget*>(f.List1.widget());
    const QRect second = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    f.List1.SetFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("List1_Click 1"), QStringLiteral("List1_Click 2")}));
    EXPECT_EQ(f.List1.Text(), QStringLiteral("C"));
}

// Qt makes the first row current when an unchosen list gets the focus; that
// is no choice of the user's.
TEST_F(Lists, FocusAloneChoosesNoItem)
{
    SampleForm& f = shownForm();
    for (const char* item : {"A", "B", "C"})
        f.List1.AddItem(QString::fromLatin1(item));
    auto* list = static_cast<QListWidget*>(f.List1.widget());
    f.Text1.SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    f.List1.SetFocus();
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(f.List1.ListIndex(), -1);
    EXPECT_EQ(f.List1.Text(), QString());
    EXPECT_TRUE(f.log.filter(QStringLiteral("List1_Click")).isEmpty()) << f.log.join(u'|').toStdString();

    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_NE(f.List1.ListIndex(), -1);
    EXPECT_EQ(f.List1.Text(), list->item(f.List1.ListIndex())->text());
    EXPECT_EQ(f.log.filter(QStringLiteral("List1_Click")).size(), 1);
}

TEST_F(Lists, ComboTextFromCodeFiresChangeAndTypingClearsTheChoice)
{
    SampleForm& f = shownForm();
    f.Combo1.AddItem(QStringLiteral("LBP"));
    f.Combo1.AddItem(QStringLiteral("PDF"));
    EXPECT_TRUE(f.Combo1.setListIndex(1));
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("PDF"));
    EXPECT_TRUE(f.Combo1.setText(QStringLiteral("BITMAP")));
    EXPECT_TRUE(f.Combo1.setText(QStringLiteral("BITMAP")));
    EXPECT_EQ(f.Combo1.ListIndex(), -1);
    f.Combo1.SetFocus();
    auto* box = static_cast<QComboBox*>(f.Combo1.widget());
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("X"));
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Combo1_Click 1"), QStringLiteral("Combo1_Change BITMAP"),
                                  QStringLiteral("Combo1_Change X")}));
}

TEST_F(Lists, UserPickingAComboItemFiresClickNotChange)
{
    SampleForm& f = shownForm();
    f.Combo1.AddItem(QStringLiteral("LBP"));
    f.Combo1.AddItem(QStringLiteral("PDF"));
    auto* box = static_cast<QComboBox*>(f.Combo1.widget());
    f.Combo1.SetFocus();
    QTest::keyClick(box, Qt::Key_Down);  // steps to the next item, as picking it does
    EXPECT_EQ(f.log, QStringList{QStringLiteral("Combo1_Click 0")});
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("LBP"));
}

TEST_F(Lists, TypedTextComboReportsFocusAndKeysOnce)
{
    SampleForm& f = shownForm();
    f.Combo1.AddItem(QStringLiteral("LBP"));
    QStringList seen;
    f.Combo1.GotFocus = [&seen] { seen.append(QStringLiteral("GotFocus")); };
    f.Combo1.KeyDown = [&seen](int& code, int) { seen.append(QStringLiteral("KeyDown %1").arg(code)); };
    f.Combo1.KeyPress = [&seen](int& ascii) {
        seen.append(QStringLiteral("KeyPress %1").arg(ascii));
        if (ascii == 'q')
            ascii = 0;
    };
    ASSERT_TRUE(f.Combo1.SetFocus());
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, Qt::Key_Q);
    QTest::keyClick(focused, Qt::Key_Z);
    QTest::keyClick(focused, Qt::Key_Down);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("GotFocus"), QStringLiteral("KeyDown 81"), QStringLiteral("KeyPress 113"),
                                 QStringLiteral("KeyDown 90"), QStringLiteral("KeyPress 122"),
                                 QStringLiteral("KeyDown 40")}));
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("LBP")) << "Down chose the item after the typed z";
}

TEST_F(Lists, ListOnlyComboTakesOnlyItsItems)
{
    SampleForm& f = form();
    f.Combo1.setStyle(platform::combo::DropdownList);
    f.Combo1.AddItem(QStringLiteral("A4"));
    f.Combo1.AddItem(QStringLiteral("A3"));
    EXPECT_EQ(f.Combo1.Text(), QString());
    EXPECT_TRUE(f.Combo1.setText(QStringLiteral("A3")));
    EXPECT_FALSE(f.Combo1.setText(QStringLiteral("B5")));
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("A3"));
    EXPECT_EQ(f.log, QStringList{QStringLiteral("Combo1_Click 1")});
    f.Combo1.Clear();
    EXPECT_EQ(f.Combo1.ListCount(), 0);
    EXPECT_EQ(f.Combo1.Text(), QString());
}

// Setting the style of a typed-text combo again, or switching it to list-only
// and back, must not wire its typing twice: each typed key is one Change.
TEST_F(Lists, RestylingATypedTextComboKeepsOneChangePerKey)
{
    SampleForm& f = shownForm();
    f.Combo1.setStyle(platform::combo::DropdownList);
    f.Combo1.setStyle(platform::combo::DropdownCombo);
    f.Combo1.setStyle(platform::combo::SimpleCombo);
    f.Combo1.setStyle(platform::combo::DropdownCombo);
    int mouseDowns = 0;
    f.Combo1.MouseDown = [&mouseDowns](int, int, double, double) { ++mouseDowns; };
    auto* box = static_cast<QComboBox*>(f.Combo1.widget());
    ASSERT_NE(box->lineEdit(), nullptr);
    ASSERT_TRUE(f.Combo1.SetFocus());
    f.log.clear();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("AB"));
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Combo1_Change A"), QStringLiteral("Combo1_Change AB")}));
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(mouseDowns, 1);
}

TEST_F(Lists, ScrollBarValueStaysInItsRange)
{
    SampleForm& f = form();
    f.HScroll1.setMin(5);
    f.HScroll1.setMax(15);
    f.log.clear();
    EXPECT_TRUE(f.HScroll1.setValue(12));
    EXPECT_TRUE(f.HScroll1.setValue(12));
    EXPECT_FALSE(f.HScroll1.setValue(16));
    EXPECT_FALSE(f.HScroll1.setValue(4));
    EXPECT_EQ(f.HScroll1.Value(), 12);
    f.HScroll1.setMax(10);  // pulls the value in
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("HScroll1_Change 12"), QStringLiteral("HScroll1_Change 10")}));
    EXPECT_EQ(static_cast<QScrollBar*>(f.HScroll1.widget())->value(), 10);
}

TEST_F(Lists, ScrollBarDragFiresScrollThenChangeAtTheEnd)
{
    SampleForm& f = shownForm();
    f.HScroll1.setMax(100);
    int scrolls = 0;
    f.HScroll1.Scroll = [&scrolls] { ++scrolls; };
    auto* bar = static_cast<QScrollBar*>(f.HScroll1.widget());
    bar->setSliderDown(true);
    bar->setSliderPosition(30);
    bar->setSliderPosition(40);
    EXPECT_EQ(scrolls, 2);
    EXPECT_TRUE(f.log.isEmpty()) << "no Change while the thumb is dragged";
    EXPECT_EQ(f.HScroll1.Value(), 0);
    bar->setSliderDown(false);
    EXPECT_EQ(f.log, QStringList{QStringLiteral("HScroll1_Change 40")});
    EXPECT_EQ(f.HScroll1.Value(), 40);
}

TEST_F(Lists, ScrollBarArrowsAndReversedRange)
{
    SampleForm& f = shownForm();
    f.HScroll1.setMin(15);
    f.HScroll1.setMax(5);  // reversed: 15 at the left
    EXPECT_EQ(f.HScroll1.Value(), 15) << "pulled up to 15 by the new Min";
    EXPECT_TRUE(f.HScroll1.setValue(10));
    f.HScroll1.setSmallChange(1);
    f.log.clear();
    auto* bar = static_cast<QScrollBar*>(f.HScroll1.widget());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.log, QStringList{QStringLiteral("HScroll1_Change 11")});
    EXPECT_TRUE(bar->invertedAppearance());
}

}  // namespace
}  // namespace formstest
