// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The edit part's test window (edit_window_fixture.h) with the point panel's
// operations wired as the program wires them: choosing 追加, 移動, 削除 or 属性
// from code runs its selection like a user's click. The symbol picker holds
// the designed symbols; the point layer is switched on.

#include "edit_window_fixture.h"

#include "main/edit/point_panel.h"
#include "main/interact/mode_options.h"

namespace tavelcor::edittest {

class PointPanelTest : public EditWindowTest {
protected:
    void SetUp() override
    {
        EditWindowTest::SetUp();
        addPlotWiring(wireModeOptions);
    }

    /// The shown main window with the point panel opened by its button.
    Plot& openPanel()
    {
        Plot& w = shownPlot();
        w.Check12.setValue(1);
        Command20_Click(w);
        crtplot();
        redraws = 0;
        return w;
    }

    /// The plot's move of point i to (x, y) with ピック on: the pick keeps
    /// the old place, the line ends that lay on it go along (MoveLines),
    /// the history gets 123 per end and 13, the plot is drawn anew and
    /// 取消 is shown.
    static void moveOnPlot(int i, double x, double y)
    {
        MovePoint = i;
        MoveOldX = PointX[i];
        MoveOldY = PointY[i];
        MovedPoint = 0;
        int starts = 0;
        int ends = 0;
        for (int j = 1; j < LineNext; ++j) {
            if (LineX1[j] == MoveOldX && LineY1[j] == MoveOldY)
                MoveLines(0, ++starts) = j;
            if (LineX2[j] == MoveOldX && LineY2[j] == MoveOldY)
                MoveLines(1, ++ends) = j;
        }
        movePoint(i, x, y);
        MovedPoint = i;
        MovePoint = 0;
        crtplot();
        plot().Command31.setVisible(true);
    }

    /// The label of point i as the point layer prints it.
    static QString label(int i) { return QLatin1Char(' ') + PointName[i] + PointName2[i]; }
};

}  // namespace tavelcor::edittest
