// SPDX-License-Identifier: LicenseRef-Tavelcor
// The operation panels' further buttons and the parcel line colour button.
#include "main/window/plot.h"

namespace tavelcor {

namespace {

void placeButton(platform::CommandButton& button, const QString& caption, double left, double top, double width)
{
    button.setCaption(caption);
    button.Move(left, top, width, 330.0);
}

}  // namespace

// The end buttons stand in the panels' bottom row beside the buttons
// already there; the text panel's field leaves room at its right for the
// two colour buttons, which are painted in the current text colour.
void Plot::designPanelButtons()
{
    placeButton(Command29, QStringLiteral("終了"), 1200.0, 2200.0, 1000.0);
    Check25.setCaption(QStringLiteral("ピック"));
    Check25.Move(2400.0, 2230.0, 1000.0, 270.0);
    Check25.setValue(1);

    placeButton(Command28, QStringLiteral("終了"), 2450.0, 2200.0, 1000.0);

    Text8.setWidth(2500.0);
    placeButton(Command36, QStringLiteral("字"), 2700.0, 985.0, 450.0);
    placeButton(Command37, QStringLiteral("色"), 3200.0, 985.0, 450.0);
    placeButton(Command45, QStringLiteral("リスト"), 2300.0, 2200.0, 1000.0);

    placeButton(Command38, QStringLiteral("線色"), 100.0, 7250.0, 1000.0);
}

// 背景 at the right end of the side panel's row of 住所で地図表示, and below
// 再表示 in the compact frame, which grows to hold it.
void Plot::designBackgroundButtons()
{
    Command52.setCaption(QStringLiteral("背景"));
    Command52.Move(3380.0, 9380.0, 520.0, 380.0);
    Frame15.setHeight(3330.0);
    placeButton(Command79, QStringLiteral("背景"), 100.0, 2920.0, 1500.0);
}

}  // namespace tavelcor
