// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The view part's test window (view_fixture.h: the shown main window with
// its search wired, a scripted prompter, a temporary program and work
// folder, a small site) with the controls part wired as well, a desktop in
// memory for the window in front, and a process starter that records the
// programs the window would start.

#include "view_fixture.h"

#include "main/survey/keypad_start.h"
#include "main/ui/ui_services.h"
#include "main/ui/ui_wiring.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/system/processes.h"

#include <QInputMethodEvent>

namespace tavelcor::uitest {

using viewtest::kOriginX;
using viewtest::kOriginY;
using viewtest::addCoordinate;

class UiTest : public viewtest::ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        resetKintabDisp();
        mStarterScope.emplace(starter);
        uiServices().foreground = &desktop;
        addPlotWiring(wireUi);
    }

    void TearDown() override
    {
        ViewTest::TearDown();
        uiServices() = UiServices{};
        mStarterScope.reset();
        resetKintabDisp();
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
    std::optional<platform::ScopedProcessStarter> mStarterScope;
};

}  // namespace tavelcor::uitest
