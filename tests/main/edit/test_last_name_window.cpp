// SPDX-License-Identifier: LicenseRef-Tavelcor
// The last used names window LastName, opened with "P 最終" as a user does
// and worked through its controls while it is shown modally.
#include "edit_dialogs_fixture.h"

#include "main/edit/last_name_form.h"
#include "main/render/filters.h"

namespace tavelcor::edittest {
namespace {

const QString kCaption = QStringLiteral("LastName");

// Stands in for the background settings window, which the dialog closes.
class BackgroundStandIn final : public platform::Form {
public:
    BackgroundStandIn() : platform::Form(QStringLiteral("Haikei")) {}
};

platform::FormHolder<BackgroundStandIn>& backgroundStandIn()
{
    static platform::FormHolder<BackgroundStandIn> holder;
    return holder;
}

class LastNameWindow : public EditDialogs {
protected:
    // Presses "P 最終" on the shown main window; `act` works the window.
    void open(std::function<void(LastName&)> act)
    {
        Plot& w = shownPlot();
        w.Check12.setValue(1);
        script().expectModal(platform::onForm<LastName>(std::move(act)), kCaption);
        click(w.Command42);
    }
};

TEST_F(LastNameWindow, NoPointAtAllIsReported)
{
    open([](LastName& f) {
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("ポイント未登録です"));
        click(f.Command2);
    });
    EXPECT_FALSE(lastNameForm().isLoaded()) << "終　了 unloads the window";
    activate(plot());
    EXPECT_TRUE(plot().Picture1.hasFocus()) << "the plot has the focus back, not the button";
}

TEST_F(LastNameWindow, OneShownPointIsReportedAtTheMainWindowsTopRight)
{
    addPoint(QStringLiteral("12"), 1.0, 1.0);
    backgroundStandIn().instance();
    open([](LastName& f) {
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("先頭数字　最大＝12\r\n12\r\n\r\n終了しました"));
        const Plot& w = plot();
        EXPECT_NEAR(f.Top(), w.Top() + 100.0, 15.0);
        EXPECT_NEAR(f.Left(), w.Left() + w.Width() - f.Width() - 100.0, 15.0);
        EXPECT_FALSE(backgroundStandIn().isLoaded()) << "activating the window closes the background settings";
        closeBox(f);
    });
    EXPECT_FALSE(lastNameForm().isLoaded());
}

TEST_F(LastNameWindow, TheMinusNoticeComesBeforeTheWindowShows)
{
    const int i = addPoint(QStringLiteral("-15"), 1.0, 1.0);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("ポイント名称１ -15 の先頭マイナスを消しました"));
    open([](LastName& f) {
        EXPECT_TRUE(f.Text1.Text().startsWith(QStringLiteral("先頭数字　最大＝15\r\n")));
        click(f.Command2);
    });
    EXPECT_EQ(PointName[i], QStringLiteral("15"));
    EXPECT_EQ(script().records().front().buttons, platform::MsgButtons::OkOnly);
}

TEST_F(LastNameWindow, PointsOfAColourNotShownOrWithTheLayerOffTakeNoPart)
{
    addPoint(QStringLiteral("-12"), 1.0, 1.0);
    Plot& w = shownPlot();
    w.Check12.setValue(0);
    script().expectModal(platform::onForm<LastName>([](LastName& f) {
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("\r\n終了しました"));
        click(f.Command2);
    }));
    click(w.Command42);
    EXPECT_EQ(PointName[1], QStringLiteral("-12")) << "a hidden point keeps its minus";

    w.Check12.setValue(1);
    const int colour = render::QbIndex(w.Option13(1).ForeColor()).value_or(0);
    PointColorShown[colour] = 0;
    script().expectModal(platform::onForm<LastName>([](LastName& f) {
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("\r\n終了しました"));
        click(f.Command2);
    }));
    click(w.Command42);
}

TEST_F(LastNameWindow, ExtractionReplacesTheStarAndListsTheMatchingNames)
{
    addPoint(QStringLiteral("交1"), 1.0, 1.0);
    addPoint(QStringLiteral("A1"), 2.0, 1.0);
    addPoint(QStringLiteral("B交12"), 3.0, 1.0, 104);
    addPoint(QStringLiteral("交15"), 4.0, 1.0);
    open([](LastName& f) {
        typeInto(f.Text2, QStringLiteral("*1"));
        EXPECT_TRUE(f.Command1.Default()) << "Enter in the search field runs the search";
        QTest::keyClick(f.Text2.widget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("交1"));
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("交1\r\n交15\r\n"));
        click(f.Command2);
    });
}

TEST_F(LastNameWindow, AnEmptySearchTextKeepsTheReport)
{
    addPoint(QStringLiteral("7"), 1.0, 1.0);
    open([](LastName& f) {
        const QString report = f.Text1.Text();
        click(f.Command1);
        EXPECT_EQ(f.Text1.Text(), report);
        click(f.Command2);
    });
}

TEST_F(LastNameWindow, ThreeHundredMatchesListTwoHundredAndFiftyOneNames)
{
    for (int n = 1; n <= 300; ++n)
        addPoint(QStringLiteral("交%1").arg(n), n, 0.0);
    open([](LastName& f) {
        f.Text2.setText(QStringLiteral("*"));
        click(f.Command1);
        const QStringList rows = f.Text1.Text().split(QStringLiteral("\r\n"));
        ASSERT_EQ(rows.size(), 253);
        EXPECT_EQ(rows[250], QStringLiteral("交251"));
        EXPECT_EQ(rows[251], QStringLiteral("候補が多すぎます"));
        EXPECT_EQ(rows[252], QStringLiteral("検索を中止しました"));
        click(f.Command2);
    });
}

}  // namespace
}  // namespace tavelcor::edittest
