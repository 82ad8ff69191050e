// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/linewidth.h"

#include "main/render/dialog_support.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/text/numbers.h"

namespace tavelcor {

namespace {

constexpr double kRowHeight = 330.0;
constexpr double kPlacementGap = 100.0;

}  // namespace

LineWidthEntry lineWidthFromText(const QString& text)
{
    const double value = platform::Val(text);
    if (value < kMinLineWidth || value > kMaxLineWidth)
        return LineWidthEntry{kDefaultLineWidth, true};
    return LineWidthEntry{platform::CByte(value), false};
}

Linewidth::Linewidth() : platform::Form(QStringLiteral("Linewidth"))
{
    setCaption(QStringLiteral("線太さ"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    const double buttonsTop = 100.0 + static_cast<double>(kOfferedColors.size()) * kRowHeight + 100.0;
    setClientSize(2600.0, buttonsTop + 500.0);
    int row = 0;
    for (int c : kOfferedColors) {
        const double top = 100.0 + row * kRowHeight;
        Label1.add(c, *this).Move(100.0, top, 300.0, 270.0);
        platform::LineControl& sample = Line1.add(c, *this);
        sample.setX1(500.0);
        sample.setY1(top + 135.0);
        sample.setX2(1700.0);
        sample.setY2(top + 135.0);
        Text1.add(c, *this).Move(1800.0, top, 650.0, 270.0);
        ++row;
    }
    Command2.setCaption(QStringLiteral("変更再表示"));
    Command2.Move(100.0, buttonsTop, 1400.0, 400.0);
    Command1.setCaption(QStringLiteral("閉じる"));
    Command1.Move(1600.0, buttonsTop, 850.0, 400.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { placeTopRight(*this, plot(), kPlacementGap); };
    Command2.Click = [this] { Command2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
}

void Linewidth::Form_Load()
{
    clearTabStops(*this);
    for (int c : kOfferedColors) {
        Label1(c).setBackColor(platform::QBColor(c));
        Line1(c).setBorderColor(platform::QBColor(c));
        Line1(c).setBorderWidth(LineWidthOf[c]);
        Text1(c).setText(QString::number(LineWidthOf[c]));
    }
}

void Linewidth::Command2_Click()
{
    for (int c : kOfferedColors) {
        const LineWidthEntry entry = lineWidthFromText(Text1(c).Text());
        if (entry.replaced)
            Text1(c).setText(QString::number(kDefaultLineWidth));
        Line1(c).setBorderWidth(entry.width);
        LineWidthOf[c] = entry.width;
    }
    crtplot();
}

void Linewidth::Command1_Click()
{
    Command2_Click();
    Hide();
}

platform::FormHolder<Linewidth>& linewidthForm()
{
    static platform::FormHolder<Linewidth> holder;
    return holder;
}

}  // namespace tavelcor
