// SPDX-License-Identifier: LicenseRef-Tavelcor
// The name-candidate window KOHO, opened by the point panel's "候補" and
// answered through the scripted prompter.
#include "edit_window_fixture.h"

#include "platform/forms/modal_answer.h"

namespace tavelcor::edittest {
namespace {

const QString kCaption = QStringLiteral("名称候補");

// A stand-in for the background settings window: only its name matters.
class BackgroundWindow final : public platform::Form {
public:
    BackgroundWindow() : platform::Form(QStringLiteral("Haikei")) {}
};

platform::FormHolder<BackgroundWindow>& backgroundWindow()
{
    static platform::FormHolder<BackgroundWindow> holder;
    return holder;
}

class KohoWindow : public EditWindowTest {
protected:
    /// The main window with the point panel open.
    Plot& withPointPanel()
    {
        Plot& w = shownPlot();
        w.Frame4.setVisible(true);
        return w;
    }

    /// Opens KOHO with "候補"; `act` works it while it is shown.
    void openCandidates(Plot& w, std::function<void(Koho&)> act)
    {
        script().expectModal(platform::onForm<Koho>(std::move(act)), kCaption);
        press(w.Command48);
    }

    static QStringList rows(const Koho& form)
    {
        QStringList list;
        for (int k = 0; k < form.List1.ListCount(); ++k)
            list << form.List1.List(k);
        return list;
    }
};

TEST_F(KohoWindow, WithoutCandidatesItProposesAfterTheLastPoints)
{
    putPoint(1, QStringLiteral("1"), 0.0, 0.0);
    putPoint(2, QStringLiteral("2"), 0.0, 5.0);
    putPoint(3, QStringLiteral("3"), 0.0, 10.0);
    Plot& w = withPointPanel();
    QStringList shown;
    openCandidates(w, [&shown](Koho& f) {
        shown = rows(f);
        f.Command2.setValue(true);  // CANCEL
    });
    EXPECT_EQ(shown, (QStringList{QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2")}));
    EXPECT_EQ(NameCandidates[1], QStringLiteral("4"));
    EXPECT_EQ(NameCandidates[3], QStringLiteral("2"));
    EXPECT_TRUE(NameCandidates[4].isEmpty());
    EXPECT_FALSE(kohoForm().isLoaded());
}

TEST_F(KohoWindow, TheListShowsTheCandidatesUpToTheFirstEmptyEntry)
{
    NameCandidates[1] = QStringLiteral("A3");
    NameCandidates[2] = QStringLiteral("B6");
    NameCandidates[4] = QStringLiteral("hidden");
    putPoint(1, QStringLiteral("P9"), 0.0, 0.0);
    Plot& w = withPointPanel();
    QStringList shown;
    openCandidates(w, [&shown](Koho& f) {
        shown = rows(f);
        f.Command2.setValue(true);
    });
    EXPECT_EQ(shown, (QStringList{QStringLiteral("A3"), QStringLiteral("B6")}));
}

TEST_F(KohoWindow, ARowClickedGoesIntoText6AndTheWindowStays)
{
    NameCandidates[1] = QStringLiteral("A3");
    NameCandidates[2] = QStringLiteral("B6");
    Plot& w = withPointPanel();
    QString afterClick;
    bool stillShown = false;
    openCandidates(w, [&](Koho& f) {
        f.List1.setListIndex(1);
        afterClick = plot().Text6.Text();
        stillShown = f.Visible();
        f.Command2.setValue(true);
    });
    EXPECT_EQ(afterClick, QStringLiteral("B6"));
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("B6")) << "CANCEL keeps what a click wrote";
}

TEST_F(KohoWindow, OkTakesTheChosenRowAndCloses)
{
    NameCandidates[1] = QStringLiteral("A3");
    NameCandidates[2] = QStringLiteral("B6");
    Plot& w = withPointPanel();
    openCandidates(w, [](Koho& f) {
        f.List1.setListIndex(0);
        f.Command1.setValue(true);
    });
    EXPECT_EQ(w.Text6.Text(), QStringLiteral("A3"));
    EXPECT_FALSE(kohoForm().isLoaded());
}

TEST_F(KohoWindow, OkWithNoRowChosenEmptiesText6)
{
    NameCandidates[1] = QStringLiteral("A3");
    Plot& w = withPointPanel();
    w.Text6.setText(QStringLiteral("P12"));
    openCandidates(w, [](Koho& f) { f.Command1.setValue(true); });
    EXPECT_TRUE(w.Text6.Text().isEmpty());
}

TEST_F(KohoWindow, EraseEmptiesTheListAndShowsItAgainSeededFromTheLastFivePoints)
{
    for (int i = 1; i <= 7; ++i)
        putPoint(i, QStringLiteral("T%1").arg(i), 0.0, 3.0 * i);
    NameCandidates[1] = QStringLiteral("A3");
    NameCandidates[2] = QStringLiteral("B6");
    Plot& w = withPointPanel();
    openCandidates(w, [](Koho& f) { f.Command3.setValue(true); });
    Koho* again = kohoForm().ifLoaded();
    ASSERT_NE(again, nullptr) << "shown again, not modal";
    EXPECT_TRUE(again->Visible());
    EXPECT_EQ(rows(*again), (QStringList{QStringLiteral("T8"), QStringLiteral("T7"), QStringLiteral("T6"),
                                         QStringLiteral("T5"), QStringLiteral("T4")}));
    EXPECT_EQ(NameCandidates[1], QStringLiteral("T8"));
    EXPECT_EQ(NameCandidates[5], QStringLiteral("T4"));
    EXPECT_TRUE(NameCandidates[6].isEmpty());
}

TEST_F(KohoWindow, ItStandsInsideTheMainWindowsTopRightCorner)
{
    NameCandidates[1] = QStringLiteral("A3");
    Plot& w = withPointPanel();
    double left = 0.0, top = 0.0, width = 0.0;
    openCandidates(w, [&](Koho& f) {
        left = f.Left();
        top = f.Top();
        width = f.Width();
        f.Command2.setValue(true);
    });
    // Within the pixel (15 twips) the window system places windows on.
    EXPECT_NEAR(top, w.Top() + 100.0, 15.0);
    EXPECT_NEAR(left + width, w.Left() + w.Width() - 100.0, 15.0);
}

TEST_F(KohoWindow, ItsActivationClosesTheBackgroundSettingsWindow)
{
    NameCandidates[1] = QStringLiteral("A3");
    Plot& w = withPointPanel();
    backgroundWindow().instance().Show();
    ASSERT_TRUE(backgroundWindow().isLoaded());
    bool backgroundLoaded = true;
    openCandidates(w, [&backgroundLoaded](Koho& f) {
        backgroundLoaded = backgroundWindow().isLoaded();
        f.Command2.setValue(true);
    });
    EXPECT_FALSE(backgroundLoaded);
}

}  // namespace
}  // namespace tavelcor::edittest
