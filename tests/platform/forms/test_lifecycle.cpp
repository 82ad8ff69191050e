// SPDX-License-Identifier: LicenseRef-Tavelcor
// One instance per form: made and loaded on first use, destroyed by unloading
// with its controls (the next use finds them in their design state), while
// the code's own state lives on; showing, activating and modal forms.
#include "forms_fixture.h"
#include "sample_form.h"

#include "platform/forms/modal_answer.h"

#include "platform/dialogs/qt_prompter.h"

#include <QCloseEvent>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace formstest {
namespace {

using platform::MsgResult;

class Lifecycle : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        sampleState() = SampleState{};
    }
};

TEST_F(Lifecycle, FirstUseBuildsAndLoadsOnceWithoutShowing)
{
    EXPECT_FALSE(sampleForm().isLoaded());
    EXPECT_EQ(sampleForm().ifLoaded(), nullptr);
    SampleForm& first = sampleForm().instance();
    SampleForm& again = sampleForm().instance();
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(sampleState().loads, 1);
    EXPECT_EQ(first.log, QStringList{QStringLiteral("Form_Load")});
    EXPECT_FALSE(first.Visible());
    EXPECT_TRUE(first.isLoaded());
}

TEST_F(Lifecycle, UnloadDestroysTheControlsAndTheNextUseStartsFromTheDesign)
{
    SampleForm& f = sampleForm().instance();
    f.Check1.setValue(1);
    f.Text1.setText(QStringLiteral("入力"));
    f.Command1.setValue(true);
    ++sampleState().okClicks;
    const QPointer<QWidget> window(f.window());
    const QPointer<QWidget> check(f.Check1.widget());

    EXPECT_TRUE(sampleForm().unload());
    EXPECT_FALSE(sampleForm().isLoaded());
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(check.isNull());

    SampleForm& fresh = sampleForm().instance();
    EXPECT_EQ(fresh.Check1.Value(), 0);
    EXPECT_EQ(fresh.Text1.Text(), QString());
    EXPECT_EQ(fresh.log, QStringList{QStringLiteral("Form_Load")});
    EXPECT_EQ(sampleState().loads, 2);
    EXPECT_EQ(sampleState().okClicks, 2) << "the code's own state survives the unload";
}

TEST_F(Lifecycle, ALoadedFormIsFoundByItsNameWithoutRegardToCase)
{
    EXPECT_EQ(platform::holderOfLoadedForm(QStringLiteral("SampleForm")), nullptr) << "not loaded yet";
    SampleForm& f = sampleForm().instance();
    platform::FormHolderBase* holder = platform::holderOfLoadedForm(QStringLiteral("sampleform"));
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->loadedForm(), &f);
    EXPECT_EQ(platform::holderOfLoadedForm(QStringLiteral("Sample")), nullptr) << "the whole name";
    EXPECT_TRUE(sampleForm().unload());
    EXPECT_EQ(platform::holderOfLoadedForm(QStringLiteral("SampleForm")), nullptr);
}

TEST_F(Lifecycle, QueryUnloadAndUnloadMayRefuse)
{
    SampleForm& f = sampleForm().instance();
    f.Show();
    int seenMode = -1;
    f.QueryUnload = [&seenMode](int& cancel, int mode) {
        seenMode = mode;
        cancel = 1;
    };
    EXPECT_FALSE(platform::Unload(f));
    EXPECT_EQ(seenMode, static_cast<int>(platform::UnloadMode::FormCode));
    EXPECT_TRUE(sampleForm().isLoaded());
    EXPECT_TRUE(f.Visible());

    f.QueryUnload = nullptr;
    f.Unload = [](int& cancel) { cancel = -1; };
    EXPECT_FALSE(sampleForm().unload());
    EXPECT_TRUE(sampleForm().isLoaded());

    f.Unload = nullptr;
    EXPECT_TRUE(sampleForm().unload());
    EXPECT_FALSE(sampleForm().isLoaded());
}

TEST_F(Lifecycle, CloseBoxAsksWithItsOwnModeAndUnloads)
{
    SampleForm& f = sampleForm().instance();
    f.Show();
    const QPointer<QWidget> window(f.window());
    int seenMode = -1;
    f.QueryUnload = [&seenMode](int&, int mode) { seenMode = mode; };
    window->close();
    EXPECT_EQ(seenMode, static_cast<int>(platform::UnloadMode::FormControlMenu));
    EXPECT_FALSE(sampleForm().isLoaded());
    EXPECT_FALSE(window.isNull()) << "Qt was still delivering the close event: destroyed later";
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isNull());
}

TEST_F(Lifecycle, CloseBoxRefusedKeepsTheWindowOpen)
{
    SampleForm& f = sampleForm().instance();
    ASSERT_TRUE(showActive(f));
    f.QueryUnload = [](int& cancel, int) { cancel = 1; };
    f.window()->close();
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(sampleForm().isLoaded());
}

TEST_F(Lifecycle, AHandlerThatUnloadsItsOwnFormRunsToItsEnd)
{
    SampleForm& f = sampleForm().instance();
    QString captionAfterUnload;
    const QPointer<QWidget> window(f.window());
    f.onCommand1 = [&f, &captionAfterUnload] {
        platform::Unload(f);
        captionAfterUnload = f.Caption();  // the form object still lives
    };
    f.Command1.setValue(true);
    EXPECT_EQ(captionAfterUnload, QStringLiteral("見本"));
    EXPECT_FALSE(sampleForm().isLoaded());
    EXPECT_TRUE(window.isNull()) << "destroyed once the handler returned";
}

TEST_F(Lifecycle, UnloadedFormTakesNoMoreEvents)
{
    SampleForm standalone;
    standalone.load();
    ASSERT_TRUE(platform::Unload(standalone));
    EXPECT_TRUE(standalone.isUnloaded());
    standalone.log.clear();
    standalone.Check1.setValue(1);
    standalone.Timer1.Timer();  // the handler itself still works when called
    EXPECT_EQ(standalone.log, QStringList{QStringLiteral("Timer1_Timer")});
    EXPECT_FALSE(standalone.Timer1.isRunning());
}

TEST_F(Lifecycle, ShowFiresResizeOnceThenActivate)
{
    SampleForm& f = sampleForm().instance();
    f.log.clear();
    f.Show();
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Form_Resize"), QStringLiteral("Form_Activate")}));
    f.log.clear();
    f.Show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(f.log.contains(QStringLiteral("Form_Resize")));
    EXPECT_FALSE(f.log.contains(QStringLiteral("Form_Activate")));
    f.Hide();
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(sampleForm().isLoaded());
}

// The window system may report a window active after code has hidden it
// again (its activation was still on the way): a hidden form is not
// active, fires no Activate then, and its next showing activates it.
TEST_F(Lifecycle, AnActivationArrivingAfterHideIsNotTaken)
{
    SampleForm& f = sampleForm().instance();
    f.log.clear();
    f.Show();
    f.Hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(f.log.count(QStringLiteral("Form_Activate")), 1);
    f.log.clear();
    f.Show();
    EXPECT_EQ(f.log.count(QStringLiteral("Form_Activate")), 1) << "shown again, activated again";
    f.Hide();
}

TEST_F(Lifecycle, WindowStateMinimizeAndRestoreFireResize)
{
    SampleForm& f = sampleForm().instance();
    ASSERT_TRUE(showActive(f));
    f.log.clear();
    f.setWindowState(platform::WindowState::Minimized);
    EXPECT_EQ(f.windowState(), platform::WindowState::Minimized);
    f.setWindowState(platform::WindowState::Normal);
    EXPECT_EQ(f.windowState(), platform::WindowState::Normal);
    EXPECT_EQ(f.log.count(QStringLiteral("Form_Resize")), 2);
    f.setWindowState(platform::WindowState::Maximized);
    EXPECT_EQ(f.windowState(), platform::WindowState::Maximized);
}

TEST_F(Lifecycle, SizeChangesFromCodeFireResizeAlsoWhileHidden)
{
    SampleForm& f = sampleForm().instance();
    f.log.clear();
    f.setWidth(6000);
    f.setWidth(6000);
    f.setHeight(4000);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Form_Resize"), QStringLiteral("Form_Resize")}));
}

TEST_F(Lifecycle, ModalFormIsDrivenByTheScriptAndClosesItself)
{
    SampleForm& f = sampleForm().instance();
    f.onCommand1 = [&f] { platform::Unload(f); };
    bool wasVisible = false;
    script().expectModal(platform::onForm<SampleForm>([&wasVisible](SampleForm& shown) {
                             wasVisible = shown.Visible();
                             shown.Check1.setValue(1);
                             shown.Command1.setValue(true);  // "Ｏ　Ｋ" unloads it
                         }),
                         QStringLiteral("見本"));
    const QPointer<QWidget> window(f.window());
    f.ShowModal();
    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(sampleState().okClicks, 1);
    EXPECT_FALSE(sampleForm().isLoaded());
    EXPECT_TRUE(window.isNull()) << "destroyed when ShowModal returned";
}

TEST_F(Lifecycle, RealModalRunEndsWhenAClickUnloadsTheForm)
{
    std::unique_ptr<platform::Prompter> scripted = platform::setPrompter(std::make_unique<platform::QtPrompter>());
    SampleForm& f = sampleForm().instance();
    f.onCommand1 = [&f] { platform::Unload(f); };
    const QPointer<QWidget> window(f.window());
    Qt::WindowModality during = Qt::NonModal;
    QTimer::singleShot(0, [&f, &during, window] {
        during = window->windowModality();
        QTest::mouseClick(f.Command1.widget(), Qt::LeftButton);  // the user's click on "Ｏ　Ｋ"
    });
    f.ShowModal();
    platform::setPrompter(std::move(scripted));
    EXPECT_EQ(during, Qt::ApplicationModal);
    EXPECT_EQ(sampleState().okClicks, 1);
    EXPECT_FALSE(sampleForm().isLoaded());
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isNull());
}

TEST_F(Lifecycle, ModalFormMayShowMessagesWhileOpen)
{
    SampleForm& f = sampleForm().instance();
    f.onCommand1 = [&f] {
        if (platform::MsgBox(QStringLiteral("閉じますか？"), platform::MsgButtons::YesNo) == MsgResult::Yes)
            f.Hide();
    };
    script()
        .expectModal(platform::onForm<SampleForm>([](SampleForm& shown) {
            shown.Command1.setValue(true);
            shown.Command1.setValue(true);
        }))
        .expectMessage(MsgResult::No, QStringLiteral("閉じますか？"))
        .expectMessage(MsgResult::Yes, QStringLiteral("閉じますか？"));
    f.ShowModal();
    EXPECT_TRUE(sampleForm().isLoaded()) << "hidden, not unloaded";
    EXPECT_FALSE(f.Visible());
}

TEST_F(Lifecycle, UnloadAllFormsStopsAtARefusal)
{
    SampleForm& f = sampleForm().instance();
    f.QueryUnload = [](int& cancel, int) { cancel = 1; };
    EXPECT_FALSE(platform::unloadAllForms());
    EXPECT_TRUE(sampleForm().isLoaded());
    f.QueryUnload = nullptr;
    EXPECT_TRUE(platform::unloadAllForms());
    EXPECT_FALSE(sampleForm().isLoaded());
}

// Runs the application's event loop with `start` queued first; true when the
// loop ended by itself, false when it was still running after `limitMs`.
bool loopEndsByItself(const std::function<void()>& start, int limitMs)
{
    bool timedOut = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::quit();
    });
    limit.start(limitMs);
    QTimer::singleShot(0, start);
    QCoreApplication::exec();
    return !timedOut;
}

TEST_F(Lifecycle, ProgramEndsWhenItsLastFormIsUnloaded)
{
    platform::endWhenAllFormsUnload(true);
    sampleForm().instance().Show();
    EXPECT_TRUE(platform::anyFormLoaded());
    const bool ended = loopEndsByItself([] { sampleForm().unload(); }, 3000);
    platform::endWhenAllFormsUnload(false);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(platform::anyFormLoaded());
}

TEST_F(Lifecycle, LoadingTheNextFormInTheSameHandlerKeepsTheProgramRunning)
{
    platform::endWhenAllFormsUnload(true);
    sampleForm().instance().Show();
    bool loadedLater = false;
    QTimer probe;
    probe.setSingleShot(true);
    QObject::connect(&probe, &QTimer::timeout, [&loadedLater] { loadedLater = sampleForm().isLoaded(); });
    probe.start(100);
    const bool ended = loopEndsByItself(
        [] {
            sampleForm().unload();
            sampleForm().instance().Show();
        },
        200);
    platform::endWhenAllFormsUnload(false);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(loadedLater);
}

TEST_F(Lifecycle, EndStopsTheLoopWithoutAskingTheForms)
{
    SampleForm& f = sampleForm().instance();
    f.Show();
    bool asked = false;
    f.QueryUnload = [&asked](int& cancel, int) {
        asked = true;
        cancel = 1;
    };
    f.onCommand1 = [] { platform::End(); };
    const QPointer<QWidget> window(f.window());
    EXPECT_TRUE(loopEndsByItself([&f] { f.Command1.setValue(true); }, 3000));
    EXPECT_FALSE(asked);
    EXPECT_FALSE(sampleForm().isLoaded());
    platform::destroyPendingForms();
    EXPECT_TRUE(window.isNull());
}

TEST_F(Lifecycle, DestroyAllFormsAsksNothing)
{
    SampleForm& f = sampleForm().instance();
    bool asked = false;
    f.QueryUnload = [&asked](int&, int) { asked = true; };
    platform::destroyAllForms();
    EXPECT_FALSE(asked);
    EXPECT_FALSE(sampleForm().isLoaded());
}

TEST_F(Lifecycle, ControlsAreListedInTheOrderTheyWereMade)
{
    SampleForm& f = sampleForm().instance();
    const auto& controls = f.controls();
    ASSERT_FALSE(controls.empty());
    EXPECT_EQ(controls.front()->Name(), QStringLiteral("Frame1"));
    EXPECT_EQ(controls.back()->Name(), QStringLiteral("Timer1"));
    EXPECT_EQ(controls.size(), 19u);
    for (platform::ControlBase* control : controls) {
        if (auto* visual = dynamic_cast<platform::Control*>(control))
            visual->setTabStop(false);  // what the colour dialogs do at load
    }
    EXPECT_FALSE(f.Text1.TabStop());
}

// A program that makes a window gets real dialogs for its prompts, unless a
// prompter (a test's) is installed; logic without windows never does.
TEST(FormPrompts, MakingAFormMakesRealDialogsTheDefault)
{
    std::unique_ptr<platform::Prompter> previous = platform::setPrompter(nullptr);
    platform::setDefaultPrompterFactory(nullptr);
    {
        platform::Form form(QStringLiteral("Form9"));
    }
    EXPECT_NE(dynamic_cast<platform::QtPrompter*>(&platform::prompter()), nullptr);
    platform::setDefaultPrompterFactory(nullptr);
    platform::setPrompter(std::move(previous));
}

}  // namespace
}  // namespace formstest
