// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The pointer part's test window (interact_fixture.h) for the right button:
// the site origin at (0, 0), so that coordinates read in the reports as they
// are given, the view centred on it, 100 m high (HitRadius 10: t0 = 0.5 m),
// and no coordinate but those a test adds. A right press is made as the
// user makes it: the plot becomes the active window first, so the report
// window, shown by the press, takes the lines the press left in MsgText.

#include "interact_fixture.h"

#include "main/interact/rclick_menu.h"
#include "main/survey/stdisp.h"

#include <QApplication>

namespace tavelcor::rclicktest {

inline const QString kCrLf = QStringLiteral("\r\n");

class RclickTest : public interacttest::InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        for (int n = 1; n <= 2; ++n) {
            ZahyoName[n].clear();
            ZahyoX[n] = ZahyoY[n] = ZahyoPX[n] = ZahyoPY[n] = 0.0;
        }
        ZahyoMax = 0;
        OriginX = 0.0;
        OriginY = 0.0;
        ViewCX = 0.0;
        ViewCY = 0.0;
        HitRadius = 10;
        shownPlot();
        // The design chooses the hidden "MENU表示"; the user's mode is radial.
        plot().Option1.setValue(true);
    }

    /// Coordinate n at (x north, y east), absolute = plot metres here.
    static void coordinate(int n, const QString& name, double x, double y, double h = 0.0)
    {
        interacttest::addCoordinate(n, name, x, y);
        ZahyoH[n] = h;
    }

    /// Makes the main window the active one, as the user's press does.
    static void activatePlot()
    {
        QCoreApplication::processEvents();
        QWidget* window = plot().window();
        window->activateWindow();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
    }

    /// A right press at site (north, east).
    static void rightPress(double north, double east)
    {
        activatePlot();
        pressAt(2, north, east);
        QCoreApplication::processEvents();
    }

    static void tick(platform::CheckBox& box, bool on)
    {
        box.setValue(on ? platform::check::Checked : platform::check::Unchecked);
    }

    /// The report window's text; "" when it is not loaded.
    static QString reportText()
    {
        const Stdisp* report = stdispForm().ifLoaded();
        return report != nullptr ? report->ResultText : QString();
    }

    /// The text of the last prompt.
    QString lastPrompt() { return script().records().empty() ? QString() : script().records().back().text; }
};

}  // namespace tavelcor::rclicktest
