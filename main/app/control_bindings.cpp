// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/control_bindings.h"

#include "main/app/app_forms.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

namespace tavelcor {

namespace {

// The palette index 0..15 whose colour is value (0x00BBGGRR); 0 when the
// colour is not in the palette.
int paletteIndexOf(std::uint32_t value)
{
    for (int index = 0; index <= 15; ++index) {
        if (platform::QBColor(index) == value)
            return index;
    }
    return 0;
}

}  // namespace

QString PlotSymbolButtons::caption(int n) const
{
    const platform::OptionButton* button = mPlot.Option13.find(n);
    return button ? button->Caption() : QString();
}

void PlotSymbolButtons::setCaption(int n, const QString& caption)
{
    if (platform::OptionButton* button = mPlot.Option13.find(n))
        button->setCaption(caption);
}

int PlotSymbolButtons::textColorIndex(int n) const
{
    const platform::OptionButton* button = mPlot.Option13.find(n);
    return button ? paletteIndexOf(button->ForeColor()) : 0;
}

void PlotSymbolButtons::setTextColorIndex(int n, int colorIndex)
{
    platform::OptionButton* button = mPlot.Option13.find(n);
    if (button && platform::isQBColorIndex(colorIndex))
        button->setForeColor(platform::QBColor(colorIndex));
}

QString PlotSymbolButtons::label(int n) const
{
    const platform::Label* label = mPlot.Label24.find(n);
    return label ? label->Caption() : QString();
}

void PlotSymbolButtons::setLabel(int n, const QString& label)
{
    if (platform::Label* control = mPlot.Label24.find(n))
        control->setCaption(label);
}

void PlotPresetControls::setQuickTextCaption(int n, const QString& caption)
{
    if (platform::OptionButton* button = mPlot.Option23.find(n))
        button->setCaption(caption);
}

void PlotPresetControls::clearPhraseList()
{
    plist().List1.Clear();
}

void PlotPresetControls::addPhrase(const QString& text)
{
    plist().List1.AddItem(text);
}

}  // namespace tavelcor
