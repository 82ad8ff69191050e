// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/display_switches.h"

#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

#include <cstdlib>
#include <functional>

namespace tavelcor {

namespace {

void resetAndRedraw()
{
    DragZoomArmed = 0;
    crtplot();
}

// Runs a mouse handler of the plot, when one is wired, with a copy of it, so
// that the handler may rewire the plot's events.
template <class Handler, class... Args>
void callPlotHandler(const Handler& handler, Args... args)
{
    if (handler) {
        const Handler call = handler;
        call(args...);
    }
}

void wireLayerSwitches(Plot& w)
{
    w.Check12.Click = [&w] { layerSwitchClicked(w.Check12, w.Frame4.Visible()); };
    w.Check13.Click = [&w] { layerSwitchClicked(w.Check13, w.Frame10.Visible()); };
    w.Check14.Click = [&w] { layerSwitchClicked(w.Check14, w.Frame9.Visible()); };
    w.Check15.Click = [&w] { layerSwitchClicked(w.Check15, w.Frame11.Visible()); };
}

void wireRedrawingSwitches(Plot& w)
{
    for (platform::CheckBox* box : {&w.Check16, &w.Check17, &w.Check1, &w.Check2, &w.Check3})
        box->Click = resetAndRedraw;
    // The parcel labels, the GPS track and the three rows of colour boxes
    // redraw without touching the drag zoom.
    for (platform::CheckBox* box : {&w.Check6, &w.Check36, &w.Check7, &w.Check18, &w.Check19, &w.Check20,
                                    &w.Check23, &w.Check22, &w.Check21, &w.Check28, &w.Check27, &w.Check26})
        box->Click = [] { crtplot(); };
}

void wirePartnerSwitches(Plot& w)
{
    w.Check4.Click = [&w] { w.Text14.setVisible(w.Check4.Value() != 0); };
    // Ticking the elevation readout H ticks the latitude and longitude
    // readouts B and L, which stay ticked while H is.
    const auto readouts = [&w] {
        if (w.Check32.Value() != 0) {
            w.Check30.setValue(1);
            w.Check31.setValue(1);
        }
    };
    w.Check30.Click = readouts;
    w.Check31.Click = readouts;
    w.Check32.Click = readouts;
    // 先頭 (at the start) only together with 含 (contains).
    w.Check33.Click = [&w] {
        if (w.Check33.Value() == 0)
            w.Check34.setValue(0);
    };
    w.Check34.Click = [&w] {
        if (w.Check34.Value() != 0)
            w.Check33.setValue(1);
    };
}

void wireLabels(Plot& w)
{
    w.Label1.Click = [&w] { toggleCheck(w.Check1); };
    w.Label2.Click = [&w] { toggleCheck(w.Check2); };
    w.Label16.Click = [&w] { toggleCheck(w.Check3); };
    w.Label19.Click = [&w] { toggleCheck(w.Check6); };
    w.Label7.Click = [&w] { w.Option2.setValue(true); };
    w.Label6.Click = [&w] { toggleCheck(w.Check9); };
    w.Label11.Click = [&w] { toggleCheck(w.Check10); };
    w.Label17.Click = [&w] { toggleCheck(w.Check5); };
    w.Label20.Click = [&w] {
        w.Picture1.SetFocus();
        toggleCheck(w.Check7);
    };
    w.Label21.Click = [&w] { toggleCheck(w.Check11); };
    w.Label18.Click = [&w] {
        if (!Setting6Text.isEmpty())
            toggleCheck(w.Check4);
    };
    w.Label4.Click = [&w] { w.Option4.setValue(true); };
    w.Label24.MouseDown = [&w](int index, int, int, double, double) { Label24_MouseDown(w, index); };
}

void wireStatusLabel(Plot& w)
{
    w.Label28.DblClick = [&w] { callPlotHandler(w.Picture1.DblClick); };
    w.Label28.MouseDown = [&w](int button, int shift, double x, double y) {
        callPlotHandler(w.Picture1.MouseDown, button, shift, label28ToPlotX(w, x), label28ToPlotY(w, y));
    };
    w.Label28.MouseMove = [&w](int button, int shift, double x, double y) {
        callPlotHandler(w.Picture1.MouseMove, button, shift, label28ToPlotX(w, x), label28ToPlotY(w, y));
    };
    w.Label28.MouseUp = [&w](int button, int shift, double x, double y) {
        callPlotHandler(w.Picture1.MouseUp, button, shift, label28ToPlotX(w, x), label28ToPlotY(w, y));
    };
}

}  // namespace

void toggleCheck(platform::CheckBox& box)
{
    box.setValue(std::abs(box.Value() - 1));
}

void layerSwitchClicked(platform::CheckBox& box, bool panelOpen)
{
    if (panelOpen) {
        // The second change runs this again, finds the box ticked and stops.
        if (box.Value() == 0)
            box.setValue(1);
        return;
    }
    resetAndRedraw();
}

void Label24_MouseDown(Plot& window, int index)
{
    platform::OptionButton* option = window.Option13.find(index);
    const platform::Label* label = window.Label24.find(index);
    if (!option || !label)
        return;
    option->setValue(true);
    window.Command24.setCaption(option->Caption() + QLatin1Char(' ') + label->Caption());
}

double label28ToPlotX(const Plot& window, double x)
{
    const double width = window.Picture1.Width();
    if (!(width > 0))
        return window.Label28.Left();
    return x / width * window.Picture1.canvas().ScaleWidth() + window.Label28.Left();
}

double label28ToPlotY(const Plot& window, double y)
{
    const double width = window.Picture1.Width();
    if (!(width > 0))
        return window.Label28.Top();
    return y / width * window.Picture1.canvas().ScaleWidth() + window.Label28.Top();
}

void wireDisplaySwitches(Plot& window)
{
    wireLayerSwitches(window);
    wireRedrawingSwitches(window);
    wirePartnerSwitches(window);
    wireLabels(window);
    wireStatusLabel(window);
}

}  // namespace tavelcor
