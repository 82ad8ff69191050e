// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The edit part's test window (edit_window_fixture.h) with the line,
// hand-stroke and text panels, the phrase list and the line-break editor
// wired, shown with the idle panel in its place.

#include "edit_window_fixture.h"

#include "main/edit/panel_place.h"
#include "main/edit/panel_wiring.h"
#include "main/edit/plist.h"
#include "main/ui/mode_marks.h"
#include "platform/canvas/colors.h"
#include "platform/forms/modal_answer.h"

namespace tavelcor::edittest {

class PanelsTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        addPlotWiring(wirePanels);
        Plot& w = shownPlot();
        for (platform::Frame* frame : operationPanels(w))
            frame->setVisible(false);
        w.Frame2.setTop(2310);
        w.Frame2.setLeft(105);
        w.Frame2.setVisible(true);
        // Full redraws are counted here; the survey marks are not needed.
        render::renderState().hooks.stblueplot = [this](render::PlotFace&) { ++redraws; };
        redraws = 0;
    }

    /// Only `panel` of the operation panels is visible, at the idle place.
    static ::testing::AssertionResult onlyShown(const platform::Frame& panel)
    {
        for (platform::Frame* frame : operationPanels(plot())) {
            if (frame->Visible() != (frame == &panel))
                return ::testing::AssertionFailure() << frame->Name().toStdString() << " visible " << frame->Visible();
        }
        return ::testing::AssertionSuccess();
    }

    /// A text item with its string and colour, plot position (px, py).
    static int addText(const QString& text, int color, double px = 10.0, double py = 10.0)
    {
        const int i = ++TxtCount;
        TxtString[i] = text;
        TxtColor[i] = static_cast<std::uint8_t>(color);
        TxtX[i] = static_cast<float>(px);
        TxtY[i] = static_cast<float>(py);
        return i;
    }

    /// The phrase list loaded (hidden) with `rows`.
    static Plist& phraseList(const QStringList& rows)
    {
        Plist& list = plist();
        list.List1.Clear();
        for (const QString& row : rows)
            list.List1.AddItem(row);
        return list;
    }
};

}  // namespace tavelcor::edittest
