// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/window_plot_face.h"

#include "main/window/plot.h"
#include "platform/canvas/canvas.h"

#include <algorithm>
#include <memory>

namespace tavelcor {

platform::Canvas& WindowPlotFace::picture()
{
    return mPlot.Picture1.canvas();
}

double WindowPlotFace::pictureWidthTwips() const
{
    return mPlot.Picture1.Width();
}

double WindowPlotFace::pictureHeightTwips() const
{
    return mPlot.Picture1.Height();
}

double WindowPlotFace::formHeightTwips() const
{
    return mPlot.Height();
}

int WindowPlotFace::checkValue(int number) const
{
    const platform::CheckBox* box = nullptr;
    switch (number) {
    case 1: box = &mPlot.Check1; break;
    case 2: box = &mPlot.Check2; break;
    case 3: box = &mPlot.Check3; break;
    case 6: box = &mPlot.Check6; break;
    case 12: box = &mPlot.Check12; break;
    case 13: box = &mPlot.Check13; break;
    case 14: box = &mPlot.Check14; break;
    case 15: box = &mPlot.Check15; break;
    case 16: box = &mPlot.Check16; break;
    case 17: box = &mPlot.Check17; break;
    case 32: box = &mPlot.Check32; break;
    case 36: box = &mPlot.Check36; break;
    default: return 0;
    }
    return box->Value();
}

QString WindowPlotFace::rangeText(int number) const
{
    switch (number) {
    case 2: return mPlot.Text2.Text();
    case 5: return mPlot.Text5.Text();
    case 15: return mPlot.Text15.Text();
    case 16: return mPlot.Text16.Text();
    default: return QString();
    }
}

QString WindowPlotFace::symbolCaption(int mark) const
{
    const platform::OptionButton* option = mPlot.Option13.find(mark);
    return option ? option->Caption() : QString();
}

std::uint32_t WindowPlotFace::symbolColor(int mark) const
{
    const platform::OptionButton* option = mPlot.Option13.find(mark);
    return option ? option->ForeColor() : 0u;
}

bool WindowPlotFace::deleteOptionSelected() const
{
    return mPlot.Option10.Value();
}

void WindowPlotFace::hideStatusLabel()
{
    mPlot.Label28.setVisible(false);
}

render::ScaleBarLabels WindowPlotFace::scaleBar() const
{
    render::ScaleBarLabels labels;
    labels.label25Left = mPlot.Label25.Left();
    labels.label25Top = mPlot.Label25.Top();
    labels.label25Caption = mPlot.Label25.Caption();
    labels.label25BorderStyle = mPlot.Label25.BorderStyle();
    labels.label26Left = mPlot.Label26.Left();
    labels.label26Top = mPlot.Label26.Top();
    labels.label26Width = mPlot.Label26.Width();
    labels.label26BorderStyle = mPlot.Label26.BorderStyle();
    return labels;
}

void WindowPlotFace::setScaleBar(const render::ScaleBarLabels& labels)
{
    mPlot.Label25.setCaption(labels.label25Caption);
    mPlot.Label25.setBorderStyle(labels.label25BorderStyle);
    mPlot.Label25.Move(labels.label25Left, labels.label25Top);
    mPlot.Label26.setBorderStyle(labels.label26BorderStyle);
    mPlot.Label26.Move(labels.label26Left, labels.label26Top, labels.label26Width);
}

void WindowPlotFace::setPointNameFields(const QString& name, const QString& name2)
{
    mPlot.Text6.setText(name);
    mPlot.Text7.setText(name2);
}

platform::Canvas& WindowPlotFace::blendBuffer()
{
    return mPlot.Picture5.canvas();
}

void WindowPlotFace::showBlendBuffer(bool shown)
{
    platform::PictureBox& buffer = mPlot.Picture5;
    if (!shown) {
        buffer.setVisible(false);
        return;
    }
    const platform::PictureBox& plotPicture = mPlot.Picture1;
    buffer.setBorderStyle(plotPicture.BorderStyle());
    buffer.Move(plotPicture.Left(), plotPicture.Top(), plotPicture.Width(), plotPicture.Height());
    buffer.setBackColor(plotPicture.BackColor());
    platform::Canvas& canvas = buffer.canvas();
    canvas.resize(mPlot.Picture1.canvas().pixelSize());
    canvas.setScaleMode(platform::ScaleMode::Pixels);
    // Right over the plot, under whatever lies over the plot.
    buffer.widget()->stackUnder(plotPicture.widget());
    plotPicture.widget()->stackUnder(buffer.widget());
    buffer.setVisible(true);
}

int WindowPlotFace::pictureMousePointer() const
{
    return mPlot.Picture1.MousePointer();
}

void WindowPlotFace::setPictureMousePointer(int pointer)
{
    mPlot.Picture1.setMousePointer(pointer);
}

void WindowPlotFace::setGauge(render::Gauge gauge, int percent)
{
    platform::ProgressBar* bar = nullptr;
    switch (gauge) {
    case render::Gauge::Tegaki: bar = &mPlot.ProgressBar1; break;
    case render::Gauge::Text: bar = &mPlot.ProgressBar2; break;
    case render::Gauge::Point: bar = &mPlot.ProgressBar3; break;
    case render::Gauge::Line: bar = &mPlot.ProgressBar4; break;
    }
    if (bar)
        bar->setValue(std::clamp(percent, 0, 100));
}

render::PlotFace& plotFace()
{
    // The face only refers to the window; a new one per call would do, but
    // callers keep the reference across a redraw, so one lives for the run.
    // It is rebound when the window has been unloaded and made again.
    static std::unique_ptr<WindowPlotFace> face;
    static Plot* bound = nullptr;
    Plot& window = plot();
    if (!face || bound != &window) {
        face = std::make_unique<WindowPlotFace>(window);
        bound = &window;
    }
    return *face;
}

}  // namespace tavelcor
