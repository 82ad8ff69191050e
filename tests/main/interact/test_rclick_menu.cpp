// SPDX-License-Identifier: LicenseRef-Tavelcor
// The right-click menu, driven through the main window: a right press pops
// it up (answered through the scripted prompter), its items are prepared for
// the open panel or the last operation, and its items open panels, choose
// operations, close the panel, step the history, show the plot again and arm
// the one-shot pan.
#include "rclick_fixture.h"

#include "main/edit/history_commands.h"
#include "main/edit/line_panel.h"
#include "main/edit/point_panel.h"
#include "main/edit/stroke_panel.h"
#include "main/edit/text_panel.h"
#include "main/edit/undo_history.h"
#include "main/interact/rclick_menu.h"

namespace tavelcor::rclicktest {
namespace {

class MenuTest : public RclickTest {
protected:
    void SetUp() override
    {
        RclickTest::SetUp();
        coordinate(1, QStringLiteral("A"), 0.0, 0.0);
        coordinate(2, QStringLiteral("B"), 10.0, 0.0);
        MenuMode = 0;
    }

    void TearDown() override
    {
        MenuMode = 0;
        RclickTest::TearDown();
    }

    /// A right press on an empty place of the plot, the menu answered with
    /// `item` (captions from the top; nullopt closes it without a choice).
    /// Returns the top-level captions shown, joined by "|".
    QString popUp(std::optional<QStringList> item)
    {
        script().expectPopupMenu(std::move(item));
        rightPress(-30.0, 30.0);
        return lastPrompt();
    }

    /// The idle plot with "MENU表示" chosen.
    static void menuModeOnIdlePlot() { plot().Option33.setValue(true); }
};

TEST_F(MenuTest, WithTheLinePanelOpenTheGenericItemsNameLines)
{
    Command21_Click(plot());
    ASSERT_TRUE(plot().Frame10.Visible());
    EXPECT_EQ(popUp(std::nullopt),
              QStringLiteral("終了|ライン追加|ライン移動|ライン削除|ライン色変|ポイント|テキスト|手書き|UNDO|再表示|画面移動"));
    const RclickMenu* menu = rclickMenuForm().ifLoaded();
    ASSERT_NE(menu, nullptr) << "a menu closed without a choice leaves the holder loaded";
    EXPECT_FALSE(menu->lineMenu.Visible());
}

TEST_F(MenuTest, WithTheStrokePanelOpenOnlyAddAndDeleteShow)
{
    Command22_Click(plot());
    ASSERT_TRUE(plot().Frame9.Visible());
    EXPECT_EQ(popUp(std::nullopt), QStringLiteral("終了|手書き追加|手書き削除|ポイント|ライン|テキスト|UNDO|再表示|画面移動"));
}

TEST_F(MenuTest, WithNoPanelOpenOnlyTheLastOperationShows)
{
    struct Row {
        int menuMode;
        const char* shown;
    };
    const Row rows[] = {
        {0, "終了|ポイント|ライン|テキスト|手書き|UNDO|再表示|画面移動"},
        {22, "終了|ライン移動|ポイント|ライン|テキスト|手書き|UNDO|再表示|画面移動"},
        {11, "終了|ポイント追加|ポイント|ライン|テキスト|手書き|UNDO|再表示|画面移動"},
        {43, "終了|手書き削除|ポイント|ライン|テキスト|手書き|UNDO|再表示|画面移動"},
        {34, "終了|テキスト編集|ポイント|ライン|テキスト|手書き|UNDO|再表示|画面移動"},
    };
    menuModeOnIdlePlot();
    for (const Row& row : rows) {
        releaseRclickMenu();
        MenuMode = static_cast<std::uint8_t>(row.menuMode);
        EXPECT_EQ(popUp(std::nullopt), QString::fromUtf8(row.shown)) << row.menuMode;
    }
}

TEST_F(MenuTest, TheGenericItemOfTheLastOperationOpensItsPanel)
{
    MenuMode = 22;
    menuModeOnIdlePlot();
    popUp(QStringList{QStringLiteral("ライン移動")});
    Plot& w = plot();
    EXPECT_TRUE(w.Frame10.Visible());
    EXPECT_TRUE(w.Option6.Value());
    EXPECT_EQ(MenuMode, 22);
    EXPECT_EQ(rclickMenuForm().ifLoaded(), nullptr) << "released";
}

TEST_F(MenuTest, LeafItemsOpenTheirPanelChooseAndNoteTheOperation)
{
    struct Row {
        const char* submenu;
        const char* item;
        platform::Frame Plot::*panel;
        platform::OptionButton Plot::*option;
        int menuMode;
    };
    const Row rows[] = {
        {"ポイント", "追加", &Plot::Frame4, &Plot::Option12, 11},
        {"ポイント", "属性", &Plot::Frame4, &Plot::Option9, 14},
        {"ライン", "色変", &Plot::Frame10, &Plot::Option25, 24},
        {"テキスト", "移動", &Plot::Frame11, &Plot::Option24, 32},
        {"手書き", "削除", &Plot::Frame9, &Plot::Option17, 43},
    };
    menuModeOnIdlePlot();
    for (const Row& row : rows) {
        // Back to the idle plot between rows, through the open panel's 終了.
        if (openPanelClass(plot()) != 0)
            popUp(QStringList{QStringLiteral("終了")});
        ASSERT_TRUE(plot().Frame2.Visible()) << row.item;
        plot().Option33.setValue(true);
        popUp(QStringList{QString::fromUtf8(row.submenu), QString::fromUtf8(row.item)});
        Plot& w = plot();
        EXPECT_TRUE((w.*row.panel).Visible()) << row.submenu << row.item;
        EXPECT_TRUE((w.*row.option).Value()) << row.submenu << row.item;
        EXPECT_EQ(MenuMode, row.menuMode);
    }
}

// Regression: with the line panel open and MenuMode 12 (a point move chosen
// before), the generic item captioned "ライン移動" opened the point panel.
TEST_F(MenuTest, AGenericItemActsOnTheClassItsCaptionNames)
{
    MenuMode = 12;
    Command21_Click(plot());
    popUp(QStringList{QStringLiteral("ライン移動")});
    Plot& w = plot();
    EXPECT_TRUE(w.Frame10.Visible());
    EXPECT_FALSE(w.Frame4.Visible());
    EXPECT_TRUE(w.Option6.Value());
    EXPECT_EQ(MenuMode, 22);
}

TEST_F(MenuTest, RedoShowsOnlyWhileTheRedoButtonDoes)
{
    Plot& w = plot();
    menuModeOnIdlePlot();
    ASSERT_FALSE(w.Command61.Visible());
    EXPECT_FALSE(popUp(std::nullopt).contains(QStringLiteral("REDO")));
    // A step to take back: an observation point added.
    PointName[1] = QStringLiteral("PT");
    PointX[1] = 3.0;
    PointY[1] = 3.0;
    PointMark[1] = 1;
    PointCount = 1;
    pushUndoRecord(UndoRecordFields(undo_kind::kPointAdded).values(0.0F));
    popUp(QStringList{QStringLiteral("UNDO")});
    EXPECT_EQ(PointCount, 0);
    ASSERT_TRUE(w.Command61.Visible());
    w.Option33.setValue(true);
    EXPECT_TRUE(popUp(QStringList{QStringLiteral("REDO")}).contains(QStringLiteral("UNDO|REDO|再表示")));
    EXPECT_EQ(PointCount, 1);
}

TEST_F(MenuTest, EndWithNoOperationPanelChangesNothing)
{
    Plot& w = plot();
    menuModeOnIdlePlot();
    MenuMode = 31;
    popUp(QStringList{QStringLiteral("終了")});
    EXPECT_TRUE(w.Frame2.Visible());
    EXPECT_EQ(MenuMode, 31);
    EXPECT_EQ(rclickMenuForm().ifLoaded(), nullptr);

    // The station frame counts as no operation panel.
    w.Frame2.setVisible(false);
    w.Frame13.setVisible(true);
    EXPECT_EQ(popUp(QStringList{QStringLiteral("終了")}),
              QStringLiteral("終了|テキスト追加|ポイント|ライン|テキスト|手書き|UNDO|再表示|画面移動"));
    EXPECT_TRUE(w.Frame13.Visible());
    EXPECT_FALSE(w.Frame2.Visible());
}

TEST_F(MenuTest, EndClosesTheOpenPanel)
{
    Command33_Click(plot());
    ASSERT_TRUE(plot().Frame11.Visible());
    popUp(QStringList{QStringLiteral("終了")});
    EXPECT_FALSE(plot().Frame11.Visible());
    EXPECT_TRUE(plot().Frame2.Visible());
}

TEST_F(MenuTest, AfterPanTheNextPressPansAndTheHolderStays)
{
    Plot& w = plot();
    menuModeOnIdlePlot();
    popUp(QStringList{QStringLiteral("画面移動")});
    EXPECT_EQ(PanOnce, 1);
    ASSERT_NE(rclickMenuForm().ifLoaded(), nullptr) << "画面移動 keeps the holder";
    const QString readout = w.Label5.Caption();
    pressAt(1, 4.0, 6.0);
    EXPECT_FLOAT_EQ(PanStartX, 6.0F) << "the left press starts a pan";
    EXPECT_FLOAT_EQ(PanStartY, -4.0F);
    EXPECT_EQ(w.Label5.Caption(), readout) << "a pan press shows no position";
}

TEST_F(MenuTest, TheIdleMenuShowsTheSetPreparedBefore)
{
    Plot& w = plot();
    Command21_Click(w);
    popUp(QStringList{QStringLiteral("画面移動")});
    PanOnce = 0;
    Command29_Click(w);
    ASSERT_TRUE(w.Frame2.Visible());
    menuModeOnIdlePlot();
    EXPECT_TRUE(popUp(std::nullopt).contains(QStringLiteral("ライン移動"))) << "prepared for the line panel then";
}

TEST_F(MenuTest, RedisplayChoosesTheStrokeAddAndItsLabel)
{
    Plot& w = plot();
    menuModeOnIdlePlot();
    CalcPick1 = 1;
    popUp(QStringList{QStringLiteral("再表示")});
    EXPECT_TRUE(w.Option16.Value());
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral(" 手書追加"));
    EXPECT_EQ(CalcPick1, 0) << "the redisplay clears the picks";
    EXPECT_EQ(rclickMenuForm().ifLoaded(), nullptr);
}

}  // namespace
}  // namespace tavelcor::rclicktest
