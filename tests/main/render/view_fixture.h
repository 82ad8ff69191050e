// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window with the view commands, the display switches and the
// search wired, shown on the offscreen platform, a scripted prompter whose
// surprises fail the test, a temporary program and work folder, and a count
// of the full redraws (the redraw calls the survey-mark hook once per
// redraw that draws).
//
// The site: origin (10000 N, 20000 E); two coordinates far outside any view
// so that the redraw draws; the view centred on the origin, 100 m high.

#include "site_builders.h"

#include "main/background/background_drawing.h"
#include "main/render/render_state.h"
#include "main/render/view_wiring.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QApplication>
#include <QCoreApplication>
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

namespace tavelcor::viewtest {

using render::testing_support::addCoordinate;
using render::testing_support::addLine;

inline constexpr double kOriginX = 10000.0;
inline constexpr double kOriginY = 20000.0;

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        qputenv("TAVELCOR_HOME", mHome.path().toUtf8());
        allocateTables();
        resetTables();
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
        clearPlotWirings();
        addPlotWiring(wireView);
        // The wheel's preview is the background drawing's snapshot layer.
        addPlotWiring(wireBackground);
        TwipPixX = TwipPixY = 15.0F * 1.002F;
        render::renderState().hooks.stblueplot = [this](render::PlotFace&) {
            ++redraws;
            causeDuringRedraw = RedrawCause;
        };
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        mScript.reset();
        render::renderState() = render::RenderState{};
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    /// The main window, shown and active, with the view fitted once.
    Plot& shownPlot()
    {
        Plot& w = plot();
        w.Show();
        QApplication::setActiveWindow(w.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window()));
        crtplot();
        redraws = 0;
        return w;
    }

    platform::ScriptedPrompter& script() { return mScript->get(); }

    /// Presses and releases the left button on a control, as a user does.
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

    /// The colour at plot coordinate (PX, PY) of Picture1.
    static std::uint32_t colorAt(double px, double py)
    {
        return static_cast<std::uint32_t>(plot().Picture1.canvas().Point(py, -px));
    }

    /// Full redraws since shownPlot() (or since the count was last reset).
    int redraws = 0;
    /// RedrawCause as the last redraw saw it.
    int causeDuringRedraw = -1;

private:
    QTemporaryDir mHome;
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

}  // namespace tavelcor::viewtest
