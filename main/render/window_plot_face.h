// SPDX-License-Identifier: LicenseRef-Tavelcor
// The plot drawing's view of the main window, bound to its real controls.
#pragma once

#include "main/render/plot_face.h"
#include "main/render/plot_render.h"

namespace tavelcor {

class Plot;

class WindowPlotFace final : public render::PlotFace {
public:
    explicit WindowPlotFace(Plot& window) : mPlot(window) {}

    platform::Canvas& picture() override;
    double pictureWidthTwips() const override;
    double pictureHeightTwips() const override;
    double formHeightTwips() const override;
    int checkValue(int number) const override;
    QString rangeText(int number) const override;
    QString symbolCaption(int mark) const override;
    std::uint32_t symbolColor(int mark) const override;
    bool deleteOptionSelected() const override;
    void hideStatusLabel() override;
    render::ScaleBarLabels scaleBar() const override;
    void setScaleBar(const render::ScaleBarLabels& labels) override;
    void setPointNameFields(const QString& name, const QString& name2) override;
    void setGauge(render::Gauge gauge, int percent) override;
    platform::Canvas& blendBuffer() override;
    void showBlendBuffer(bool shown) override;
    int pictureMousePointer() const override;
    void setPictureMousePointer(int pointer) override;

private:
    Plot& mPlot;
};

/// The plot face of the one main window (loading the window on first use).
render::PlotFace& plotFace();

/// The full redraw of the main window's plot.
inline void crtplot()
{
    render::crtplot(plotFace());
}

}  // namespace tavelcor
