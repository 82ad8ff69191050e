// SPDX-License-Identifier: LicenseRef-Tavelcor
// The coordinate key-in window XYIN, opened with "SIMA編集" and typed into
// as a user does.
#include "edit_dialogs_fixture.h"

#include "main/edit/xyin.h"

#include <vector>

namespace tavelcor::edittest {
namespace {

const QString kAboveRange = QStringLiteral("登録番号は５０万番以内です");
const QString kBelowRange = QStringLiteral("登録番号は１番以上です");

class KeyInWindow : public EditDialogs {
protected:
    void SetUp() override
    {
        EditDialogs::SetUp();
        ZahyoMax = 120;
        addCoordinate(5, QStringLiteral("P1"), 100.125, 200.5, 3.25);
    }

    // Presses "SIMA編集" on the shown main window, as the right-click option
    // MENU表示 lets the user do.
    XYIN& open()
    {
        Plot& w = shownPlot();
        w.Command85.setVisible(true);
        click(w.Command85);
        XYIN& f = xyin();
        activate(f);
        return f;
    }

    static void addCoordinate(int n, const QString& name, double x, double y, double h)
    {
        viewtest::addCoordinate(n, name, x - kOriginX, y - kOriginY);
        ZahyoH[n] = h;
        ZahyoMax = std::max(ZahyoMax, n);
    }

    // Types into the number field and leaves it for the name field.
    static void typeNumber(XYIN& f, const QString& text)
    {
        typeInto(f.Text1, text);
        f.Text2.SetFocus();
        QCoreApplication::processEvents();
    }

    // Everything stored under number n.
    static QStringList entry(int n)
    {
        return {ZahyoName[n], QString::number(ZahyoX[n], 'g', 17), QString::number(ZahyoY[n], 'g', 17),
                QString::number(ZahyoH[n], 'g', 17)};
    }
};

TEST_F(KeyInWindow, OpensAboveTheOtherWindowsAtTheMainWindowsTopRight)
{
    XYIN& f = open();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.Caption(), QStringLiteral("SIMA XYZ IN"));
    EXPECT_TRUE(f.TopMost());
    const Plot& w = plot();
    EXPECT_NEAR(f.Top(), w.Top() + 400.0, 15.0);
    EXPECT_NEAR(f.Left(), w.Left() + w.Width() - f.Width() - 400.0, 15.0);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("0"));
}

TEST_F(KeyInWindow, NewNumberIsStoredWithoutAQuestionAndRedrawn)
{
    XYIN& f = open();
    click(f.Command3);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("121"));
    f.Text2.setText(QStringLiteral("K121"));
    f.Text3.setText(QStringLiteral("10012.5"));
    f.Text4.setText(QStringLiteral("19990"));
    f.Text5.setText(QStringLiteral("4.75"));
    redraws = 0;
    click(f.Command1);
    EXPECT_EQ(ZahyoName[121], QStringLiteral("K121"));
    EXPECT_DOUBLE_EQ(ZahyoX[121], 10012.5);
    EXPECT_DOUBLE_EQ(ZahyoPX[121], 12.5);
    EXPECT_DOUBLE_EQ(ZahyoPY[121], -10.0);
    EXPECT_DOUBLE_EQ(ZahyoH[121], 4.75);
    EXPECT_EQ(ZahyoMax, 121);
    EXPECT_EQ(ZahyoDirty, 1);
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(f.Text1.hasFocus());
}

TEST_F(KeyInWindow, LeavingTheFieldWithANumberAboveTheTableSetsItBack)
{
    XYIN& f = open();
    script().expectMessage(platform::MsgResult::Ok, kAboveRange);
    typeNumber(f, QStringLiteral("600000"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("120"));
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::OkOnly);
}

TEST_F(KeyInWindow, LeavingTheFieldLoadsAnEntryInUseAndKeepsTheFieldsForAFreeOne)
{
    XYIN& f = open();
    typeNumber(f, QStringLiteral("5"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("P1"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("    100.125"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("    200.500"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("   3.250"));
    typeNumber(f, QStringLiteral("77"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("P1")) << "a free number leaves the fields";
}

TEST_F(KeyInWindow, AnUnchangedEntryIsStoredWithoutAQuestion)
{
    XYIN& f = open();
    typeNumber(f, QStringLiteral("5"));
    click(f.Command1);
    EXPECT_EQ(ZahyoDirty, 1);
    EXPECT_EQ(entry(5), (QStringList{QStringLiteral("P1"), QStringLiteral("100.125"), QStringLiteral("200.5"),
                                     QStringLiteral("3.25")}));
    EXPECT_EQ(ZahyoMax, 120) << "a number below the highest leaves it";
}

TEST_F(KeyInWindow, MoreThanThreeDecimalsAskBeforeOverwritingAndNoKeepsTheEntry)
{
    ZahyoX[5] = 100.12345;
    XYIN& f = open();
    typeNumber(f, QStringLiteral("5"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("    100.123"));
    const QString question = QStringLiteral("すでに5:P1が登録されています。上書きしますか？");
    script().expectMessage(platform::MsgResult::No, question);
    click(f.Command1);
    EXPECT_DOUBLE_EQ(ZahyoX[5], 100.12345);
    EXPECT_EQ(ZahyoDirty, 0);
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::YesNo);
    script().expectMessage(platform::MsgResult::Yes, question);
    click(f.Command1);
    EXPECT_DOUBLE_EQ(ZahyoX[5], 100.123);
    EXPECT_EQ(ZahyoDirty, 1);
}

TEST_F(KeyInWindow, BlanksAroundTheNameAskNothingButAreStored)
{
    XYIN& f = open();
    typeNumber(f, QStringLiteral("5"));
    f.Text2.setText(QStringLiteral(" P1 "));
    click(f.Command1);
    EXPECT_EQ(ZahyoName[5], QStringLiteral(" P1 "));
}

// "ＯＫ" can be reached without leaving the number field: it checks the
// number again, and numbers outside 1..500000 change no table.
TEST_F(KeyInWindow, NumbersOutsideTheTableAreRefusedByOk)
{
    ZahyoMax = 500000;
    XYIN& f = open();
    click(f.Command3);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("500001"));
    script().expectMessage(platform::MsgResult::Ok, kAboveRange);
    click(f.Command1);
    const std::vector<QString> below = {QStringLiteral("0"), QStringLiteral("-5"), QStringLiteral("abc")};
    for (const QString& text : below) {
        f.Text1.setText(text);
        script().expectMessage(platform::MsgResult::Ok, kBelowRange);
        click(f.Command1);
    }
    EXPECT_EQ(ZahyoDirty, 0);
    EXPECT_EQ(ZahyoMax, 500000);
    EXPECT_EQ(ZahyoName[0], freeZahyoName()) << "the scratch slot";
    EXPECT_EQ(redraws, 0);
}

TEST_F(KeyInWindow, APickOnThePlotFillsTheFieldsAndStoresNothing)
{
    XYIN& f = open();
    f.showPicked(5);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral(" 5"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("P1"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("    100.125"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("   3.250"));
    EXPECT_EQ(ZahyoDirty, 0);
}

TEST_F(KeyInWindow, TheNumberFieldSelectsItsTextOnFocus)
{
    XYIN& f = open();
    f.Text1.setText(QStringLiteral("123"));
    f.Text2.SetFocus();
    f.Text1.SetFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.Text1.SelLength(), 3);
}

TEST_F(KeyInWindow, TheCloseBoxUnloadsTheWindowAndItStartsAfreshAfterwards)
{
    XYIN& f = open();
    f.Text2.setText(QStringLiteral("Q"));
    closeBox(f);
    EXPECT_FALSE(xyinForm().isLoaded());
    EXPECT_EQ(xyin().Text2.Text(), QString());
    EXPECT_EQ(xyin().Text1.Text(), QStringLiteral("1"));
}

}  // namespace
}  // namespace tavelcor::edittest
