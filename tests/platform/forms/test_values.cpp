// SPDX-License-Identifier: LicenseRef-Tavelcor
// Values set from code fire the events a user's action fires, only when the
// value changes; option buttons exclude each other per container; disabled
// controls take no user input but code still works them.
#include "sample_form.h"
#include "sample_form_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>

namespace formstest {
namespace {

class Values : public SampleFormTest {};

TEST_F(Values, CheckBoxValueFromCodeFiresClickOnlyWhenItChanges)
{
    SampleForm& f = form();
    struct Step {
        int value;
        bool accepted;
        QStringList log;
    };
    const std::vector<Step> steps = {
        {1, true, {QStringLiteral("Check1_Click 1")}},
        {1, true, {}},
        {2, true, {QStringLiteral("Check1_Click 2")}},
        {0, true, {QStringLiteral("Check1_Click 0")}},
        {0, true, {}},
        {3, false, {}},
        {-1, false, {}},
    };
    for (const Step& step : steps) {
        f.log.clear();
        EXPECT_EQ(f.Check1.setValue(step.value), step.accepted) << step.value;
        EXPECT_EQ(f.log, step.log) << step.value;
    }
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_EQ(static_cast<QCheckBox*>(f.Check1.widget())->checkState(), Qt::Unchecked);
}

TEST_F(Values, NothingFiresAtDesignTimeBeforeLoad)
{
    SampleForm unloaded;  // built, not loaded
    unloaded.Check1.setValue(1);
    unloaded.Option1.setValue(true);
    unloaded.Text1.setText(QStringLiteral("x"));
    EXPECT_TRUE(unloaded.log.isEmpty());
    unloaded.load();
    EXPECT_EQ(unloaded.log, QStringList{QStringLiteral("Form_Load")});
    unloaded.Check1.setValue(0);
    EXPECT_EQ(unloaded.log.last(), QStringLiteral("Check1_Click 0"));
}

TEST_F(Values, ChoosingAnOptionClearsTheOthersOfItsContainerOnlyAndFiresOnlyItsOwnClick)
{
    SampleForm& f = form();
    f.Option1.setValue(true);
    f.Option3.setValue(true);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Option1_Click"), QStringLiteral("Option3_Click")}));

    f.log.clear();
    f.Option2.setValue(true);
    EXPECT_EQ(f.log, QStringList{QStringLiteral("Option2_Click")});
    EXPECT_FALSE(f.Option1.Value());
    EXPECT_TRUE(f.Option2.Value());
    EXPECT_TRUE(f.Option3.Value()) << "the other frame keeps its choice";
    EXPECT_FALSE(static_cast<QRadioButton*>(f.Option1.widget())->isChecked());

    f.log.clear();
    f.Option2.setValue(true);  // chosen already
    f.Option1.setValue(false);  // not chosen
    EXPECT_TRUE(f.log.isEmpty());
    f.Option2.setValue(false);  // clearing fires nothing and chooses nothing else
    EXPECT_TRUE(f.log.isEmpty());
    EXPECT_FALSE(f.Option1.Value());
    EXPECT_FALSE(f.Option2.Value());
}

TEST_F(Values, UserClickOnAnOptionChoosesItAndFiresClickEvenWhenChosen)
{
    SampleForm& f = shownForm();
    f.Option2.setValue(true);
    f.log.clear();
    QTest::mouseClick(f.Option1.widget(), Qt::LeftButton);
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_FALSE(f.Option2.Value());
    EXPECT_FALSE(static_cast<QRadioButton*>(f.Option2.widget())->isChecked());
    QTest::mouseClick(f.Option1.widget(), Qt::LeftButton);
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_TRUE(static_cast<QRadioButton*>(f.Option1.widget())->isChecked());
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Option1_Click"), QStringLiteral("Option1_Click")}));
}

TEST_F(Values, UserClickOnACheckBoxTogglesAndFiresClick)
{
    SampleForm& f = shownForm();
    QTest::mouseClick(f.Check1.widget(), Qt::LeftButton);
    QTest::mouseClick(f.Check1.widget(), Qt::LeftButton);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Check1_Click 1"), QStringLiteral("Check1_Click 0")}));
}

TEST_F(Values, TextFromCodeFiresChangeOnlyWhenItChanges)
{
    SampleForm& f = form();
    f.Text1.setText(QStringLiteral("1"));
    f.Text1.setText(QStringLiteral("1"));
    f.Text1.setText(QString());
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Text1_Change 1"), QStringLiteral("Text1_Change ")}));
}

TEST_F(Values, CommandButtonValueTrueClicksIt)
{
    SampleForm& f = form();
    f.Command3.setValue(true);
    f.Command3.setValue(false);
    f.Command3.setValue(true);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Command3_Click"), QStringLiteral("Command3_Click")}));
}

TEST_F(Values, DisabledControlsIgnoreTheUserButNotTheCode)
{
    SampleForm& f = shownForm();
    f.Command3.setEnabled(false);
    f.Check1.setEnabled(false);
    f.Option1.setEnabled(false);
    QTest::mouseClick(f.Command3.widget(), Qt::LeftButton);
    QTest::mouseClick(f.Check1.widget(), Qt::LeftButton);
    QTest::mouseClick(f.Option1.widget(), Qt::LeftButton);
    EXPECT_TRUE(f.log.isEmpty());
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_FALSE(f.Option1.Value());

    f.Command3.setValue(true);
    f.Check1.setValue(1);
    f.Option1.setValue(true);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Command3_Click"), QStringLiteral("Check1_Click 1"),
                                  QStringLiteral("Option1_Click")}));
    EXPECT_FALSE(f.Command3.Enabled());
}

TEST_F(Values, DisabledControlsGetNoMouseEvents)
{
    SampleForm& f = shownForm();
    int events = 0;
    const auto count = [&events](int, int, double, double) { ++events; };
    f.Command3.MouseDown = count;
    f.Command3.MouseUp = count;
    f.Command3.MouseMove = count;
    f.Command3.setEnabled(false);
    QTest::mouseClick(f.Command3.widget(), Qt::LeftButton);
    QTest::mouseMove(f.Command3.widget(), QPoint(5, 5));
    EXPECT_EQ(events, 0);
    f.Frame1.setEnabled(false);
    f.Option1.MouseDown = count;
    QTest::mouseClick(f.Option1.widget(), Qt::LeftButton);
    EXPECT_EQ(events, 0);

    f.Command3.setEnabled(true);
    QTest::mouseClick(f.Command3.widget(), Qt::LeftButton);
    EXPECT_EQ(events, 2) << "an enabled button gets its press and release";
}

TEST_F(Values, DisabledFrameDisablesWhatItHolds)
{
    SampleForm& f = shownForm();
    f.Frame1.setEnabled(false);
    QTest::mouseClick(f.Option1.widget(), Qt::LeftButton);
    EXPECT_FALSE(f.Option1.Value());
    EXPECT_TRUE(f.Option1.Enabled()) << "the option's own flag stays";
}

TEST_F(Values, VisibleIsTheControlsOwnFlag)
{
    SampleForm& f = form();
    EXPECT_TRUE(f.Label1.Visible()) << "visible while its form is not shown yet";
    f.Label1.setVisible(false);
    ASSERT_TRUE(showActive(f));
    EXPECT_FALSE(f.Label1.Visible());
    EXPECT_FALSE(f.Label1.widget()->isVisible());
    EXPECT_TRUE(f.Text1.widget()->isVisible());
    f.Label1.setVisible(true);
    EXPECT_TRUE(f.Label1.widget()->isVisible());
}

TEST_F(Values, AnExceptionInAHandlerDoesNotLeaveIt)
{
    SampleForm& f = form();
    f.Check1.Click = [] { throw std::runtime_error("handler failed"); };
    EXPECT_NO_THROW(f.Check1.setValue(1));
    EXPECT_EQ(f.Check1.Value(), 1);
}

TEST_F(Values, ColoursAreTwentyFourBitValuesWithRedInTheLowByte)
{
    SampleForm& f = form();
    f.Check1.setBackColor(0x0000FF);
    f.Label1.setForeColor(0xFF0000);
    EXPECT_EQ(f.Check1.BackColor(), 0x0000FFu);
    EXPECT_EQ(f.Check1.widget()->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(f.Label1.ForeColor(), 0xFF0000u);
    EXPECT_EQ(f.Label1.widget()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    f.Command1.setBackColor(0x80C0FF);  // RGB 255, 192, 128
    EXPECT_EQ(f.Command1.widget()->palette().color(QPalette::Button), QColor(255, 192, 128));
}

}  // namespace
}  // namespace formstest
