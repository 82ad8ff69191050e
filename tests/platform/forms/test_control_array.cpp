// SPDX-License-Identifier: LicenseRef-Tavelcor
// Control arrays: sparse indexes, one handler per event receiving the index,
// exclusivity of option arrays within their frame, loading and unloading
// elements at run time.
#include "forms_fixture.h"

#include "platform/forms/forms.h"

namespace formstest {
namespace {

class PickerForm : public platform::Form {
public:
    PickerForm() : platform::Form(QStringLiteral("Color"))
    {
        setCaption(QStringLiteral("色"));
        Frame1.Move(0, 0, 3000, 4000);
        int top = 100;
        for (int i : {0, 2, 3, 4, 6}) {
            Option14.add(i, Frame1).Move(100, top, 1200, 300);
            top += 320;
        }
        Text1.add(0, *this).Move(3200, 100, 1500, 300);
        Text1.add(1, *this).Move(3200, 500, 1500, 300);
        Option14.Click = [this](int index) { log.append(QStringLiteral("Option14_Click %1").arg(index)); };
        Text1.Change = [this](int index) { log.append(QStringLiteral("Text1_Change %1 %2").arg(index).arg(Text1(index).Text())); };
        Text1.KeyPress = [this](int index, int& ascii) {
            log.append(QStringLiteral("Text1_KeyPress %1 %2").arg(index).arg(ascii));
            if (index == 1)
                ascii = 0;
        };
    }

    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::ControlArray<platform::OptionButton> Option14{QStringLiteral("Option14")};
    platform::ControlArray<platform::TextBox> Text1{QStringLiteral("Text1")};
    QStringList log;
};

class ControlArrays : public FormsTest {};

TEST_F(ControlArrays, IndexesNamesAndBounds)
{
    PickerForm f;
    EXPECT_EQ(f.Option14.Count(), 5);
    EXPECT_EQ(f.Option14.LBound(), 0);
    EXPECT_EQ(f.Option14.UBound(), 6);
    EXPECT_EQ(f.Option14.indexes(), (std::vector<int>{0, 2, 3, 4, 6}));
    EXPECT_TRUE(f.Option14.exists(3));
    EXPECT_FALSE(f.Option14.exists(5));
    EXPECT_EQ(f.Option14.find(5), nullptr);
    EXPECT_THROW(f.Option14(5), std::out_of_range);
    EXPECT_EQ(f.Option14(4).Name(), QStringLiteral("Option14"));
    EXPECT_EQ(f.Option14(4).Index(), 4);
    EXPECT_EQ(&f.Option14[4], &f.Option14(4));
}

TEST_F(ControlArrays, HandlerReceivesTheIndexAndOptionsExcludeEachOther)
{
    PickerForm f;
    f.load();
    f.Option14(2).setValue(true);
    f.Option14(6).setValue(true);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Option14_Click 2"), QStringLiteral("Option14_Click 6")}));
    EXPECT_FALSE(f.Option14(2).Value());
    EXPECT_TRUE(f.Option14(6).Value());
}

TEST_F(ControlArrays, UserInputReachesTheArrayHandlerWithItsIndex)
{
    PickerForm f;
    ASSERT_TRUE(showActive(f));
    QTest::mouseClick(f.Option14(3).widget(), Qt::LeftButton);
    EXPECT_EQ(f.log, QStringList{QStringLiteral("Option14_Click 3")});

    f.log.clear();
    f.Text1(0).SetFocus();
    QTest::keyClick(f.Text1(0).widget(), Qt::Key_7);
    f.Text1(1).SetFocus();
    QTest::keyClick(f.Text1(1).widget(), Qt::Key_8);  // swallowed by the handler for index 1
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Text1_KeyPress 0 55"), QStringLiteral("Text1_Change 0 7"),
                                  QStringLiteral("Text1_KeyPress 1 56")}));
    EXPECT_EQ(f.Text1(1).Text(), QString());
}

TEST_F(ControlArrays, ElementsLoadedAtRunTimeShowWithTheirForm)
{
    PickerForm f;
    ASSERT_TRUE(showActive(f));
    platform::TextBox& added = f.Text1.add(5, f);
    EXPECT_TRUE(added.widget()->isVisible());
    EXPECT_EQ(&f.Text1.add(5, f), &added) << "adding an existing index gives it back";
    added.setText(QStringLiteral("x"));
    EXPECT_EQ(f.log.last(), QStringLiteral("Text1_Change 5 x"));
    EXPECT_TRUE(f.Text1.remove(5));
    EXPECT_FALSE(f.Text1.remove(5));
    EXPECT_FALSE(f.Text1.exists(5));
}

TEST_F(ControlArrays, AHandlerMayRemoveItsOwnElement)
{
    PickerForm f;
    f.load();
    f.Option14.Click = [&f](int index) {
        f.Option14.remove(index);
        f.log.append(QStringLiteral("removed %1").arg(index));
    };
    f.Option14(4).setValue(true);
    EXPECT_EQ(f.log, QStringList{QStringLiteral("removed 4")});
    EXPECT_FALSE(f.Option14.exists(4));
    EXPECT_EQ(f.Option14.Count(), 4);
}

}  // namespace
}  // namespace formstest
