// SPDX-License-Identifier: LicenseRef-Tavelcor
// Pop-up menus chosen through the prompter, and timers.
#include "forms_fixture.h"
#include "menu_bar_click.h"
#include "sample_form.h"

#include "platform/forms/buttons.h"
#include "platform/forms/control_array.h"
#include "platform/forms/menu.h"
#include "platform/forms/textbox.h"

#include <QAction>
#include <QMenuBar>

namespace formstest {
namespace {

class MenuForm : public platform::Form {
public:
    MenuForm() : platform::Form(QStringLiteral("RclickMenu"))
    {
        undo.setChecked(true);
        move.setEnabled(false);
        hidden.setVisible(false);
        add.Click = [this] { chosen.append(QStringLiteral("追加")); };
        undo.Click = [this] { chosen.append(QStringLiteral("UNDO")); };
    }

    platform::Menu popupme{*this, QStringLiteral("popupme"), QStringLiteral("popupmenu")};
    platform::Menu point{popupme, QStringLiteral("point"), QStringLiteral("ポイント")};
    platform::Menu add{point, QStringLiteral("add"), QStringLiteral("追加")};
    platform::Menu move{point, QStringLiteral("move"), QStringLiteral("移動")};
    platform::Menu line{popupme, QStringLiteral("line"), QStringLiteral("-")};
    platform::Menu undo{popupme, QStringLiteral("undo"), QStringLiteral("UNDO")};
    platform::Menu hidden{popupme, QStringLiteral("hidden"), QStringLiteral("隠し")};
    QStringList chosen;
};

class Menus : public FormsTest {};

TEST_F(Menus, ModelMirrorsTheMenuTree)
{
    MenuForm f;
    const platform::MenuEntry model = f.popupme.model();
    ASSERT_EQ(model.children.size(), 4u);
    EXPECT_EQ(model.children[0].caption, QStringLiteral("ポイント"));
    ASSERT_EQ(model.children[0].children.size(), 2u);
    EXPECT_FALSE(model.children[0].children[1].enabled);
    EXPECT_TRUE(model.children[2].checked);
    EXPECT_FALSE(model.children[3].visible);
    EXPECT_EQ(f.popupme.itemAt({0, 0}), &f.add);
    EXPECT_EQ(f.popupme.itemAt({0, 2}), nullptr);
}

TEST_F(Menus, PopupMenuFiresTheChosenItemsClickBeforeReturning)
{
    MenuForm f;
    f.load();
    SampleForm& owner = sampleForm().instance();
    script()
        .expectPopupMenu(QStringList{QStringLiteral("ポイント"), QStringLiteral("追加")})
        .expectPopupMenu(QStringList{QStringLiteral("UNDO")})
        .expectPopupMenu(std::nullopt);
    owner.PopupMenu(f.popupme);
    EXPECT_EQ(f.chosen, QStringList{QStringLiteral("追加")});
    owner.PopupMenu(f.popupme);
    owner.PopupMenu(f.popupme);
    EXPECT_EQ(f.chosen, (QStringList{QStringLiteral("追加"), QStringLiteral("UNDO")}));
    EXPECT_EQ(script().records().at(0).text, QStringLiteral("ポイント|-|UNDO"));
}

TEST_F(Menus, MenuArrayDeliversTheIndexOfTheChosenItem)
{
    MenuForm f;
    f.load();
    platform::ControlArray<platform::Menu> colors{QStringLiteral("mnuColor")};
    colors.add(3, f.popupme).setCaption(QStringLiteral("赤"));
    colors.add(7, f.popupme).setCaption(QStringLiteral("青"));
    int chosen = -1;
    colors.Click = [&chosen](int index) { chosen = index; };
    script().expectPopupMenu(QStringList{QStringLiteral("青")});
    f.PopupMenu(f.popupme);
    EXPECT_EQ(chosen, 7);
}

// A window with a menu bar of commands, as the calculation report window
// has: the text box is placed before the bar is made, the button after.
class BarForm : public platform::Form {
public:
    BarForm() : platform::Form(QStringLiteral("BarForm"))
    {
        Text1.Move(0.0, 0.0, 3000.0, 900.0);
        setClientSize(4500.0, 1500.0);
        setMenuBar({&print, &copy, &hidden});
        Command1.Move(120.0, 990.0, 1200.0, 375.0);
        hidden.setVisible(false);
        print.Click = [this] { chosen.append(QStringLiteral("print")); };
        copy.Click = [this] { chosen.append(QStringLiteral("copy")); };
        hidden.Click = [this] { chosen.append(QStringLiteral("hidden")); };
        MouseDown = [this](int, int, double, double y) { pressedAt = y; };
    }

    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
    platform::Menu print{*this, QStringLiteral("p_out"), QStringLiteral("簡易印刷")};
    platform::Menu copy{*this, QStringLiteral("get_txt"), QStringLiteral("全てコピー")};
    platform::Menu hidden{*this, QStringLiteral("hidden"), QStringLiteral("隠し")};
    QStringList chosen;
    double pressedAt = -1.0;
};

QMenuBar* barOf(const platform::Form& form)
{
    return qobject_cast<QMenuBar*>(form.menuBarWidget());
}

TEST_F(Menus, MenuBarLiesAboveTheClientAreaAndKeepsTheControlsInPlace)
{
    BarForm f;
    f.load();
    ASSERT_NE(barOf(f), nullptr);
    const double bar = f.menuBarHeight();
    EXPECT_GT(bar, 0.0);
    EXPECT_DOUBLE_EQ(f.ScaleWidth(), 4500.0);
    EXPECT_DOUBLE_EQ(f.ScaleHeight(), 1500.0) << "the client area does not count the bar";
    EXPECT_DOUBLE_EQ(f.Text1.Top(), 0.0) << "placed before the bar, kept in the client area";
    EXPECT_DOUBLE_EQ(f.Command1.Top(), 990.0);
    EXPECT_EQ(f.Text1.widget()->y(), barOf(f)->height()) << "the text box starts below the bar";
    EXPECT_GE(f.Text1.widget()->y(), barOf(f)->geometry().bottom() + 1);
    const double outer = f.Height();
    f.setClientSize(4500.0, 3000.0);
    EXPECT_DOUBLE_EQ(f.ScaleHeight(), 3000.0);
    EXPECT_NEAR(f.Height() - outer, 1500.0, 15.0) << "the outer height counts the bar once";
    EXPECT_EQ(barOf(f)->width(), f.window()->width()) << "the bar spans the window";
}

TEST_F(Menus, ChoosingABarItemFiresItsClick)
{
    BarForm f;
    ASSERT_TRUE(showActive(f));
    clickMenuBarItem(f, QStringLiteral("全てコピー"));
    clickMenuBarItem(f, QStringLiteral("簡易印刷"));
    EXPECT_EQ(f.chosen, (QStringList{QStringLiteral("copy"), QStringLiteral("print")}));
}

TEST_F(Menus, BarItemsFollowTheirMenusCaptionEnabledAndVisible)
{
    BarForm f;
    ASSERT_TRUE(showActive(f));
    const QList<QAction*> actions = barOf(f)->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_FALSE(actions[2]->isVisible()) << "a hidden menu is not in the bar";
    f.copy.setCaption(QStringLiteral("コピー"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("コピー"));
    f.print.setEnabled(false);
    clickMenuBarItem(f, QStringLiteral("簡易印刷"));
    EXPECT_TRUE(f.chosen.isEmpty()) << "a disabled item is not chosen";
    f.hidden.setVisible(true);
    EXPECT_TRUE(actions[2]->isVisible());
    clickMenuBarItem(f, QStringLiteral("隠し"));
    EXPECT_EQ(f.chosen, QStringList{QStringLiteral("hidden")});
}

TEST_F(Menus, MousePositionsOfTheFormCountFromBelowTheBar)
{
    BarForm f;
    ASSERT_TRUE(showActive(f));
    const int barPixels = barOf(f)->height();
    QTest::mouseClick(f.window(), Qt::LeftButton, {}, QPoint(4000 / 15, barPixels + 80));
    EXPECT_NEAR(f.pressedAt, 80.0 * 15.0, 1.0);
}

class Timers : public FormsTest {};

TEST_F(Timers, RunsWhileEnabledWithAnIntervalAndLoaded)
{
    SampleForm& f = sampleForm().instance();
    EXPECT_EQ(f.Timer1.Interval(), 500);
    EXPECT_TRUE(f.Timer1.Enabled());
    EXPECT_TRUE(f.Timer1.isRunning()) << "a loaded form's timer runs while hidden";
    f.Timer1.setEnabled(false);
    EXPECT_FALSE(f.Timer1.isRunning());
    f.Timer1.setEnabled(true);
    EXPECT_TRUE(f.Timer1.setInterval(0));
    EXPECT_FALSE(f.Timer1.isRunning());
    EXPECT_FALSE(f.Timer1.setInterval(70000));
    EXPECT_FALSE(f.Timer1.setInterval(-1));
    EXPECT_EQ(f.Timer1.Interval(), 0);
}

TEST_F(Timers, TickHandlerCanBeCalledDirectly)
{
    SampleForm& f = sampleForm().instance();
    f.log.clear();
    f.Timer1.Timer();
    EXPECT_EQ(f.log, QStringList{QStringLiteral("Timer1_Timer")});
}

TEST_F(Timers, TicksReachTheHandler)
{
    SampleForm& f = sampleForm().instance();
    f.log.clear();
    ASSERT_TRUE(f.Timer1.setInterval(5));
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.log.count(QStringLiteral("Timer1_Timer")) >= 2; }, 2000));
}

TEST_F(Timers, UnloadStopsTheTimerForGood)
{
    SampleForm standalone;
    standalone.load();
    ASSERT_TRUE(standalone.Timer1.setInterval(5));
    ASSERT_TRUE(platform::Unload(standalone));
    EXPECT_FALSE(standalone.Timer1.isRunning());
    standalone.Timer1.setEnabled(true);
    EXPECT_FALSE(standalone.Timer1.isRunning()) << "an unloaded form's timer stays stopped";
    standalone.log.clear();
    QTest::qWait(30);
    EXPECT_TRUE(standalone.log.isEmpty());
}

}  // namespace
}  // namespace formstest
