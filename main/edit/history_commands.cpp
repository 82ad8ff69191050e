// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/history_commands.h"

#include "main/edit/undo_steps.h"
#include "main/render/plot_painter.h"
#include "main/render/plot_render.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/redisplay.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <utility>

namespace tavelcor {

namespace {

constexpr int kWhite = 15;
constexpr int kStrokeWidth = 2;

// Draws the history's changes on the main window's plot.
class PlotHistoryCanvas final : public HistoryCanvas {
public:
    explicit PlotHistoryCanvas(Plot& window) : mWindow(window), mFace(window), mPainter(mFace.picture())
    {
        mPainter.setDrawMode(render::kCopyPen);
    }

    void point(int i, Ink ink) override
    {
        mPainter.setFontSize(PointFontSize);
        const double width = mFace.pictureWidthTwips();
        const double u = width > 0.0 ? mPainter.fontSize() * ViewSpanY / width : 0.0;
        const double px = std::as_const(PointX)[i];
        const double py = std::as_const(PointY)[i];
        const int mark = PointMark[i];
        const bool own = ink == Ink::Own;
        mPainter.setForeColor(own ? mFace.symbolColor(mark) : white());
        mPainter.printAt(py - 9.5 * u, -(px + 8.4 * u), mFace.symbolCaption(mark));
        const bool measured = PointName2[i].contains(u'済');
        mPainter.setForeColor(own ? platform::QBColor(measured ? 12 : 0) : white());
        mPainter.printAt(py, -px, QLatin1Char(' ') + PointName[i] + PointName2[i]);
    }

    void line(int j, Ink ink, int widthPixels) override
    {
        mPainter.setDrawWidth(widthPixels);
        const std::uint32_t color = ink == Ink::Own ? platform::QBColor(LineColor[j]) : white();
        mPainter.line(std::as_const(LineY1)[j], -std::as_const(LineX1)[j], std::as_const(LineY2)[j],
                      -std::as_const(LineX2)[j], color);
    }

    void text(int i, Ink ink) override
    {
        render::Txtexprint(mFace, i, ink == Ink::Own ? int(TxtColor[i]) : kWhite);
    }

    void strokeSegment(int v, Ink ink) override
    {
        mPainter.setDrawWidth(kStrokeWidth);
        const std::uint32_t color = ink == Ink::Own ? platform::QBColor(TegakiColor[v]) : white();
        mPainter.line(std::as_const(TegakiY)[v], -double(std::as_const(TegakiX)[v]), std::as_const(TegakiY)[v + 1],
                      -double(std::as_const(TegakiX)[v + 1]), color);
    }

    void proposeName(const QString& name) override { mWindow.Text6.setText(name); }

    void redisplay() override { redisplayForHistory(mWindow); }

private:
    static std::uint32_t white() { return platform::QBColor(kWhite); }

    Plot& mWindow;
    WindowPlotFace mFace;
    render::PlotPainter mPainter;
};

}  // namespace

void Command60_Click(Plot& window)
{
    window.Picture1.SetFocus();
    PlotHistoryCanvas canvas(window);
    if (undoStep(canvas))
        window.Command61.setVisible(true);
}

void Command61_Click(Plot& window)
{
    window.Picture1.SetFocus();
    PlotHistoryCanvas canvas(window);
    const RedoOutcome outcome = redoStep(canvas);
    if (!outcome.moreToRedo)
        window.Command61.setVisible(false);
}

void Command62_Click(Plot& window)
{
    Command60_Click(window);
    window.Command63.setVisible(true);
}

void Command63_Click(Plot& window)
{
    if (window.Command61.Visible())
        Command61_Click(window);
    else
        window.Command63.setVisible(false);
}

}  // namespace tavelcor
