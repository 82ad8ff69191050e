// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window with the view part (its search) and the controls part
// wired, shown on the offscreen platform and active, a scripted prompter
// whose surprises fail the test, a temporary program and work folder, a
// desktop in memory for the window in front, and a process starter that
// records the programs the window would start.
//
// The site: origin (10000 N, 20000 E); two coordinates far outside any view
// so that the redraw draws; the view centred on the origin, 100 m high.

#include "main/render/render_state.h"
#include "main/render/view_wiring.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/keypad_start.h"
#include "main/ui/ui_services.h"
#include "main/ui/ui_wiring.h"
#include "main/window/plot.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"
#include "platform/system/processes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor::uitest {

inline constexpr double kOriginX = 10000.0;
inline constexpr double kOriginY = 20000.0;

class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        qputenv("TAVELCOR_HOME", mHome.path().toUtf8());
        allocateTables();
        resetTables();
        resetKintabDisp();
        render::renderState() = render::RenderState{};
        SiteFolder = mHome.path() + QStringLiteral("/");
        WorkFolder = mHome.path() + QStringLiteral("/Eld");
        OriginX = kOriginX;
        OriginY = kOriginY;
        addCoordinate(1, QStringLiteral("FAR1"), 90000.0, 90000.0);
        addCoordinate(2, QStringLiteral("FAR2"), -90000.0, -90000.0);
        ViewCX = OriginX;
        ViewCY = OriginY;
        ViewSpanX = 100.0;
        ViewSpanY = 100.0;
        mScript.emplace();
        mStarterScope.emplace(starter);
        uiServices().foreground = &desktop;
        clearPlotWirings();
        addPlotWiring(wireView);
        addPlotWiring(wireUi);
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        uiServices() = UiServices{};
        mStarterScope.reset();
        mScript.reset();
        resetKintabDisp();
        render::renderState() = render::RenderState{};
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv("TAVELCOR_HOME");
    }

    /// Coordinate `n` at plot coordinate (px, py).
    static void addCoordinate(int n, const QString& name, double px, double py)
    {
        ZahyoName[n] = name;
        ZahyoX[n] = px + OriginX;
        ZahyoY[n] = py + OriginY;
        ZahyoPX[n] = px;
        ZahyoPY[n] = py;
        if (n > ZahyoMax)
            ZahyoMax = n;
    }

    /// The main window, shown and active, with the view fitted once.
    Plot& shownPlot()
    {
        Plot& w = plot();
        w.Show();
        QApplication::setActiveWindow(w.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window()));
        crtplot();
        return w;
    }

    platform::ScriptedPrompter& script() { return mScript->get(); }

    /// A press and release of the left button on a control, as a user
    /// clicks it (a field takes the focus so).
    static void click(platform::Control& control)
    {
        QTest::mouseClick(control.widget(), Qt::LeftButton, {}, QPoint(3, 3));
        QCoreApplication::processEvents();
    }

    /// A double click as the window system delivers it: press, release,
    /// double-click press, release.
    static void doubleClick(platform::Control& control)
    {
        QWidget* widget = control.widget();
        const QPoint at(4, 4);
        QTest::mousePress(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &second);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }

    /// Types `text` into a control that has the focus, key by key.
    static void type(platform::Control& control, const QString& text)
    {
        QTest::keyClicks(control.widget(), text);
        QCoreApplication::processEvents();
    }

    /// Japanese text as an input method commits it into the focused field.
    static void commitInput(platform::Control& control, const QString& text)
    {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(control.widget(), &commit);
        QCoreApplication::processEvents();
    }

    static void pressEnter(platform::Control& control, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(control.widget(), Qt::Key_Return, modifiers);
        QCoreApplication::processEvents();
    }

    /// Opens the panels whose fields the tests use: the point panel and the
    /// text panel with its free-text field, as their buttons leave them.
    static void openPanels(Plot& w)
    {
        w.Frame4.setVisible(true);
        w.Frame11.setVisible(true);
        w.Text8.setVisible(true);
    }

    platform::FakeDesktop desktop;
    platform::RecordingProcessStarter starter;

private:
    QTemporaryDir mHome;
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
    std::optional<platform::ScopedProcessStarter> mStarterScope;
};

}  // namespace tavelcor::uitest
