// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The view part's test window (view_fixture.h: the main window shown on the
// offscreen platform, a scripted prompter, a temporary program folder, the
// view centred on the origin 10000 N, 20000 E, 100 m high) with the pointer
// part wired: the press on the plot, the mode options and the panel frames.
// The clipboard is in memory. Presses are given as the plot receives them:
// x the plot east, y minus the plot north.

#include "view_fixture.h"

#include "main/interact/interact_wiring.h"
#include "main/interact/press_dispatch.h"
#include "main/survey/survey_services.h"
#include "platform/system/clipboard.h"

namespace tavelcor::interacttest {

using viewtest::addCoordinate;
using viewtest::kOriginX;
using viewtest::kOriginY;

/// Opens one operation panel in the place of the idle frame (as the panel
/// buttons do) and chooses `option` on it.
inline void openPanel(platform::Frame& panel, platform::OptionButton* option)
{
    plot().Frame2.setVisible(false);
    panel.setVisible(true);
    if (option)
        option->setValue(true);
}

class InteractTest : public viewtest::ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        surveyServices().clipboard = &clipboard;
        addPlotWiring(wireInteract);
    }

    void TearDown() override
    {
        ViewTest::TearDown();
        surveyServices() = SurveyServices{};
    }

    /// A press of `button` at plot north, east through the plot's handler.
    static void pressAt(int button, double north, double east, int shift = 0)
    {
        Plot& w = plot();
        ASSERT_TRUE(w.Picture1.MouseDown);
        w.Picture1.MouseDown(button, shift, east, -north);
    }

    /// Observation point j at plot north, east with symbol `mark`.
    static void addPoint(int j, const QString& name, double north, double east, int mark = 1)
    {
        PointName[j] = name;
        PointX[j] = north;
        PointY[j] = east;
        PointMark[j] = static_cast<std::uint8_t>(mark);
        PointCount = std::max(PointCount, j);
    }

    platform::MemoryClipboard clipboard;
};

}  // namespace tavelcor::interacttest
