// SPDX-License-Identifier: LicenseRef-Tavelcor
// Pop-up menus chosen through the prompter, and timers.
#include "forms_fixture.h"
#include "sample_form.h"

#include "platform/forms/control_array.h"
#include "platform/forms/menu.h"

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
