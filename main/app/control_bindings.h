// SPDX-License-Identifier: LicenseRef-Tavelcor
// The site file loaders' views of the main window, bound to its controls:
// the marker buttons Option13(1..18) with their labels Label24(1..18) for
// the point-symbol catalogue, and the quick-text buttons Option23(1..7) with
// the phrase list of the registered-strings window for the text presets.
#pragma once

#include "main/site/symbol_file.h"
#include "main/site/text_presets.h"

namespace tavelcor {

class Plot;

class PlotSymbolButtons final : public SymbolButtons {
public:
    explicit PlotSymbolButtons(Plot& window) : mPlot(window) {}

    QString caption(int n) const override;
    void setCaption(int n, const QString& caption) override;
    int textColorIndex(int n) const override;
    void setTextColorIndex(int n, int colorIndex) override;
    QString label(int n) const override;
    void setLabel(int n, const QString& label) override;

private:
    Plot& mPlot;
};

class PlotPresetControls final : public PresetControls {
public:
    explicit PlotPresetControls(Plot& window) : mPlot(window) {}

    void setQuickTextCaption(int n, const QString& caption) override;
    void clearPhraseList() override;
    void addPhrase(const QString& text) override;

private:
    Plot& mPlot;
};

}  // namespace tavelcor
