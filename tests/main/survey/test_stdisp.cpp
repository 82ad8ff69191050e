// SPDX-License-Identifier: LicenseRef-Tavelcor
// The calculation report window stdisp, driven as a user does: shown by a
// calculation that left its lines in MsgText, its menu bar clicked, the
// distance panel typed into.
#include "menu_bar_click.h"
#include "survey_fixture.h"

#include "main/render/print_dialog.h"
#include "main/site/tables.h"


namespace tavelcor::surveytest {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

class ReportWindow : public SurveyTest {
protected:
    void SetUp() override
    {
        SurveyTest::SetUp();
        shownPlot();
    }

    // A calculation step: its lines in MsgText, then the window shown over
    // the main window the user worked in.
    static Stdisp& report(const QString& lines)
    {
        activate(plot());
        MsgText = lines;
        showReportWindow();
        return stdisp();
    }

    // Clicks the menu bar item with the caption, as a user does.
    static void chooseFromBar(const QString& caption) { formstest::clickMenuBarItem(stdisp(), caption); }

    static void typeInto(platform::TextBox& field, const QString& text)
    {
        field.setText(QString());
        field.SetFocus();
        QTest::keyClicks(field.widget(), text);
        QCoreApplication::processEvents();
    }
};

TEST_F(ReportWindow, HeadersAreWrittenOncePerModeWithAnEmptyLineBetween)
{
    RclickMode = 1;
    report(QStringLiteral("R1") + kCrLf);
    Stdisp& w = report(QStringLiteral("R2") + kCrLf);
    const QString radial = QStringLiteral("TAVELCOR 放射状逆計算") + kCrLf + QStringLiteral("R1") + kCrLf
                           + QStringLiteral("R2") + kCrLf;
    EXPECT_EQ(w.ResultText, radial);
    RclickMode = 2;
    report(QStringLiteral("C1") + kCrLf);
    const QString both = radial + kCrLf + QStringLiteral("TAVELCOR 連続逆計算") + kCrLf + QStringLiteral("C1") + kCrLf;
    EXPECT_EQ(w.ResultText, both);
    EXPECT_EQ(w.Text1.Text(), both);
    EXPECT_EQ(w.Text1.SelStart(), both.size()) << "the caret at the end, the newest lines in view";
    EXPECT_TRUE(MsgText.isEmpty()) << "taken over";
    EXPECT_EQ(w.HeaderMode, 2);
}

TEST_F(ReportWindow, HeadersOfEveryMode)
{
    EXPECT_EQ(reportHeader(1), QStringLiteral("TAVELCOR 放射状逆計算"));
    EXPECT_EQ(reportHeader(2), QStringLiteral("TAVELCOR 連続逆計算"));
    EXPECT_EQ(reportHeader(3), QStringLiteral("TAVELCOR 垂線チェック"));
    EXPECT_EQ(reportHeader(34), QStringLiteral("TAVELCOR ４点交点"));
    for (int mode : {0, 4, 5, 32})
        EXPECT_TRUE(reportHeader(mode).isEmpty()) << mode;
}

TEST_F(ReportWindow, AModeWithoutHeaderOnlyAppends)
{
    RclickMode = 3;
    report(QStringLiteral("A") + kCrLf);
    RclickMode = 0;
    Stdisp& w = report(QStringLiteral("B") + kCrLf);
    EXPECT_EQ(w.ResultText, QStringLiteral("TAVELCOR 垂線チェック") + kCrLf + QStringLiteral("A") + kCrLf + kCrLf
                                + QStringLiteral("B") + kCrLf);
    report(QStringLiteral("C") + kCrLf);
    EXPECT_TRUE(w.ResultText.endsWith(QStringLiteral("B") + kCrLf + QStringLiteral("C") + kCrLf));
}

TEST_F(ReportWindow, OpenedWithoutAHeaderModeNoEmptyLineComesFirst)
{
    RclickMode = 0;
    Stdisp& w = report(QStringLiteral("X") + kCrLf);
    EXPECT_EQ(w.ResultText, QStringLiteral("X") + kCrLf);
    RclickMode = 34;
    report(QStringLiteral("Y") + kCrLf);
    EXPECT_EQ(w.ResultText, QStringLiteral("X") + kCrLf + QStringLiteral("TAVELCOR ４点交点") + kCrLf
                                + QStringLiteral("Y") + kCrLf);
}

TEST_F(ReportWindow, WithParcelOrCopyChosenActivationLeavesTheReportAndTheLines)
{
    for (platform::OptionButton* option : {&plot().Option5, &plot().Option4}) {
        RclickMode = 1;
        Stdisp& w = report(QStringLiteral("R1") + kCrLf);
        const QString before = w.Text1.Text();
        option->setValue(true);
        RclickMode = 2;
        report(QStringLiteral("keep") + kCrLf);
        EXPECT_EQ(w.Text1.Text(), before) << option->Name().toStdString();
        EXPECT_EQ(w.ResultText, before);
        EXPECT_EQ(MsgText, QStringLiteral("keep") + kCrLf) << option->Name().toStdString();
        plot().Option33.setValue(true);
        platform::Unload(w);
        platform::destroyPendingForms();
    }
}

TEST_F(ReportWindow, WidthFollowsTheLetterSize)
{
    const struct {
        int fontSize;
        double width;
    } rows[] = {{13, 11600}, {12, 10460}, {11, 10300}, {10, 9450}, {9, 8200}, {6, 8200}, {14, 12800}, {20, 12800}};
    for (const auto& row : rows) {
        FontSize = static_cast<std::int16_t>(row.fontSize);
        EXPECT_EQ(reportWindowWidth(row.fontSize), row.width);
        Stdisp& w = stdisp();
        EXPECT_NEAR(w.Width(), row.width, 15.0) << row.fontSize;
        EXPECT_EQ(w.Text1.FontSize(), platform::fontPointsOfPixels(platform::fontPixels(row.fontSize)));
        EXPECT_NEAR(w.Text1.Width(), w.ScaleWidth(), 15.0) << "the report fills the client area";
        EXPECT_NEAR(w.Text1.Height(), w.ScaleHeight(), 15.0);
        platform::Unload(w);
        platform::destroyPendingForms();
    }
}

TEST_F(ReportWindow, OpensAtTheMainWindowsBottomLeftCornerAboveTheOtherWindows)
{
    Stdisp& w = report(QString());
    EXPECT_EQ(w.Caption(), QStringLiteral("KESTRO 計算結果"));
    EXPECT_TRUE(w.TopMost());
    EXPECT_NEAR(w.Left(), plot().Left(), 15.0);
    EXPECT_NEAR(w.Top() + w.Height(), plot().Top() + plot().Height(), 15.0);
    EXPECT_NEAR(w.ScaleHeight(), Stdisp::kClientHeight, 15.0) << "the menu bar lies above the client area";
    EXPECT_FALSE(w.Frame1.Visible()) << "the distance panel opens hidden";
    EXPECT_EQ(w.Text1.FontName(), QStringLiteral("ＭＳ ゴシック"));
}

TEST_F(ReportWindow, CopyPutsTheCollectedReportOnTheClipboard)
{
    RclickMode = 1;
    Stdisp& w = report(QStringLiteral("S= 12.345") + kCrLf);
    w.Text1.setText(QStringLiteral("edited by the user"));
    clipboard.setText(QStringLiteral("old"));
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("計算結果をクリップボードにコピーしました"));
    chooseFromBar(QStringLiteral("全てコピー"));
    EXPECT_EQ(clipboard.text(), QStringLiteral("TAVELCOR 放射状逆計算") + kCrLf + QStringLiteral("S= 12.345") + kCrLf);
}

TEST_F(ReportWindow, ClosingDiscardsTheReportAndTheNextOneStartsWithAFreshHeader)
{
    RclickMode = 1;
    report(QStringLiteral("first") + kCrLf);
    chooseFromBar(QStringLiteral("閉じる"));
    platform::destroyPendingForms();
    EXPECT_FALSE(stdispForm().isLoaded());
    EXPECT_TRUE(plot().Visible());
    report(QString());
    EXPECT_EQ(stdisp().ResultText, QStringLiteral("TAVELCOR 放射状逆計算") + kCrLf);
    EXPECT_EQ(stdisp().Text1.Text(), stdisp().ResultText);
}

TEST_F(ReportWindow, PrintingHandsTheReportToThePrintWindowAsPlainText)
{
    RclickMode = 2;
    report(QStringLiteral("line") + kCrLf);
    chooseFromBar(QStringLiteral("簡易印刷"));
    EXPECT_EQ(PrintKind, 2);
    EXPECT_EQ(PrintText, stdisp().ResultText);
    ASSERT_TRUE(prtoutForm().isLoaded());
    EXPECT_TRUE(prtout().Visible());
}

TEST_F(ReportWindow, TheDistancePanelTellsHowFarAndWhichWay)
{
    Stdisp& w = report(QString());
    clipboard.setText(QStringLiteral("10.000"));
    chooseFromBar(QStringLiteral("距離計算"));
    ASSERT_TRUE(w.Frame1.Visible());
    EXPECT_EQ(w.Text2.Text(), QStringLiteral("10.000"));
    EXPECT_NEAR(w.Frame1.Left(), w.Width() - Stdisp::kPanelWidth - 600.0, 15.0);
    QWidget* inFront = w.window()->childAt(w.Frame1.widget()->geometry().center());
    EXPECT_TRUE(inFront == w.Frame1.widget() || w.Frame1.widget()->isAncestorOf(inFront))
        << "the panel lies over the report";
    const struct {
        const char16_t* computed;
        const char16_t* measured;
        const char16_t* difference;
        const char16_t* way;
    } rows[] = {
        {u"10.000", u"9.990", u"      0.010", u"むこう"},
        {u"9.990", u"10.000", u"      0.010", u"こっち"},
        {u"10.000", u"10", u"      0.000", u"むこう"},
        {u"12.5m", u"abc", u"     12.500", u"むこう"},  // leading numbers; none reads 0
    };
    for (const auto& row : rows) {
        w.Text2.setText(QString::fromUtf16(row.computed));
        typeInto(w.Text3, QString::fromUtf16(row.measured));
        EXPECT_EQ(w.Text4.Text(), QString::fromUtf16(row.difference)) << QString::fromUtf16(row.measured).toStdString();
        EXPECT_EQ(w.Text5.Text(), QString::fromUtf16(row.way)) << QString::fromUtf16(row.measured).toStdString();
    }
    click(w.Command1);
    EXPECT_FALSE(w.Frame1.Visible());
}

// The background settings window of the background part, as far as the
// report window sees it: a window of that name.
class Haikei : public platform::Form {
public:
    Haikei() : platform::Form(QStringLiteral("Haikei")) {}
};

platform::FormHolder<Haikei>& haikeiForm()
{
    static platform::FormHolder<Haikei> holder;
    return holder;
}

TEST_F(ReportWindow, ActivationClosesTheBackgroundSettingsWindow)
{
    haikeiForm().instance().Show();
    report(QString());
    platform::destroyPendingForms();
    EXPECT_FALSE(haikeiForm().isLoaded());
    haikeiForm().instance().Show();
    report(QString());
    platform::destroyPendingForms();
    EXPECT_FALSE(haikeiForm().isLoaded()) << "at every activation";
}

TEST_F(ReportWindow, AKeyInTheReportBringsTheMainWindowToTheFront)
{
    Stdisp& w = report(QStringLiteral("x") + kCrLf);
    activate(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window()));
    w.Text1.SetFocus();
    QTest::keyClick(w.Text1.widget(), Qt::Key_A);
    QCoreApplication::processEvents();
    EXPECT_TRUE(QTest::qWaitForWindowActive(plot().window()));
}

}  // namespace
}  // namespace tavelcor::surveytest
