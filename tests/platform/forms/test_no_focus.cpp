// SPDX-License-Identifier: LicenseRef-Tavelcor
// Forms that never take the keyboard focus (the on-screen keypad): shown in
// front without being activated, and kept so when the other window flags are
// rebuilt.
#include "forms_fixture.h"

#include "platform/forms/form.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace formstest {
namespace {

using platform::Form;
using platform::FormBorder;

// A bare form that logs its activation events.
class LoggedForm : public Form {
public:
    explicit LoggedForm(const QString& name) : Form(name)
    {
        Activate = [this] { log.append(QStringLiteral("Activate")); };
        Deactivate = [this] { log.append(QStringLiteral("Deactivate")); };
    }
    QStringList log;
};

bool refusesFocus(const Form& form)
{
    const QWidget* window = form.window();
    return window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus) &&
           window->testAttribute(Qt::WA_ShowWithoutActivating);
}

// Changes that rebuild the window flags, with what each must leave behind.
struct FlagChange {
    const char* name;
    std::function<void(Form&)> change;
    std::function<bool(const QWidget&)> tookEffect;
};

const FlagChange kFlagChanges[] = {
    {"TopMost on", [](Form& f) { f.setTopMost(true); },
     [](const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
    {"TopMost on then off",
     [](Form& f) {
         f.setTopMost(true);
         f.setTopMost(false);
     },
     [](const QWidget& w) { return !w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
    {"fixed single border", [](Form& f) { f.setBorderStyle(FormBorder::FixedSingle); },
     [](const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowTitleHint); }},
    {"no border", [](Form& f) { f.setBorderStyle(FormBorder::None); },
     [](const QWidget& w) { return w.windowFlags().testFlag(Qt::FramelessWindowHint); }},
    {"tool window border", [](Form& f) { f.setBorderStyle(FormBorder::FixedToolWindow); },
     [](const QWidget& w) { return (w.windowFlags() & Qt::WindowType_Mask) == Qt::Tool; }},
    {"no minimize button", [](Form& f) { f.setMinButton(false); },
     [](const QWidget& w) { return !w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint); }},
    {"no maximize button", [](Form& f) { f.setMaxButton(false); },
     [](const QWidget& w) { return !w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint); }},
};

class NoFocusForm : public FormsTest {};

TEST_F(NoFocusForm, KeepsRefusingTheFocusWhenTheOtherFlagsAreRebuilt)
{
    for (const bool shown : {false, true}) {
        for (const FlagChange& row : kFlagChanges) {
            LoggedForm keypad(QStringLiteral("Form1"));
            keypad.setTakesNoFocus(true);
            if (shown)
                keypad.Show();
            row.change(keypad);
            EXPECT_TRUE(refusesFocus(keypad)) << row.name << (shown ? " (shown)" : "");
            EXPECT_TRUE(row.tookEffect(*keypad.window())) << row.name;
            EXPECT_EQ(keypad.Visible(), shown) << row.name;
        }
    }
}

// The offscreen platform hands the focus to every window it maps, whatever
// its flags (an X11 window manager honours them), so these tests look at what
// Show itself does: no activation asked for, no Activate fired.
TEST_F(NoFocusForm, ShowFiresNoActivateOfItsOwn)
{
    LoggedForm keypad(QStringLiteral("Form1"));
    keypad.setTakesNoFocus(true);
    keypad.Show();
    EXPECT_TRUE(keypad.Visible());
    EXPECT_TRUE(keypad.log.isEmpty()) << keypad.log.join(',').toStdString();
}

TEST_F(NoFocusForm, ShowAgainLeavesTheActiveFormActive)
{
    // The keypad's own order: above the others, no focus, then TopMost set
    // again while shown (the flags are rebuilt).
    LoggedForm keypad(QStringLiteral("Form1"));
    keypad.setTopMost(true);
    keypad.setTakesNoFocus(true);
    keypad.Show();
    keypad.setTopMost(false);
    keypad.setTopMost(true);

    LoggedForm work(QStringLiteral("Plot"));
    ASSERT_TRUE(showActive(work));
    keypad.log.clear();
    work.log.clear();

    keypad.Show();  // already shown: brought to the front only
    QCoreApplication::processEvents();
    EXPECT_TRUE(keypad.Visible());
    EXPECT_EQ(QApplication::activeWindow(), work.window());
    EXPECT_FALSE(keypad.window()->isActiveWindow());
    EXPECT_TRUE(keypad.log.isEmpty()) << keypad.log.join(',').toStdString();
    EXPECT_TRUE(work.log.isEmpty()) << work.log.join(',').toStdString();
}

TEST_F(NoFocusForm, SwitchedOffTheFormIsActivatedAgain)
{
    LoggedForm keypad(QStringLiteral("Form1"));
    EXPECT_FALSE(keypad.takesNoFocus());
    keypad.setTakesNoFocus(true);
    EXPECT_TRUE(keypad.takesNoFocus());
    keypad.setTakesNoFocus(false);
    EXPECT_FALSE(keypad.takesNoFocus());
    EXPECT_FALSE(keypad.window()->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_FALSE(keypad.window()->testAttribute(Qt::WA_ShowWithoutActivating));
    keypad.Show();
    EXPECT_EQ(keypad.log, QStringList{QStringLiteral("Activate")});
    EXPECT_TRUE(QTest::qWaitForWindowActive(keypad.window()));
}

}  // namespace
}  // namespace formstest
