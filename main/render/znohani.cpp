// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/znohani.h"

#include "main/render/dialog_support.h"
#include "main/render/window_plot_face.h"
#include "main/window/plot.h"
#include "platform/text/numbers.h"

namespace tavelcor {

QString clampRangeText(const QString& text)
{
    QString result = text;
    if (platform::Val(result) < kRangeMin)
        result = QStringLiteral("1");
    if (platform::Val(result) > kRangeMax)
        result = QStringLiteral("999999");
    return result;
}

ZnoHani::ZnoHani() : platform::Form(QStringLiteral("ZnoHani"))
{
    setCaption(QStringLiteral("座標範囲"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(3300.0, 1750.0);
    Text1.Move(100.0, 150.0, 1300.0, 300.0);
    Label1.setCaption(QStringLiteral("～"));
    Label1.Move(1500.0, 180.0, 300.0, 270.0);
    Text2.Move(1900.0, 150.0, 1300.0, 300.0);
    Text3.Move(100.0, 600.0, 1300.0, 300.0);
    Label2.setCaption(QStringLiteral("～"));
    Label2.Move(1500.0, 630.0, 300.0, 270.0);
    Text4.Move(1900.0, 600.0, 1300.0, 300.0);
    Command2.setCaption(QStringLiteral("初期化"));
    Command2.Move(100.0, 1150.0, 1300.0, 450.0);
    Command1.setCaption(QStringLiteral("ＯＫ"));
    Command1.Move(1900.0, 1150.0, 1300.0, 450.0);

    Load = [this] { Form_Load(); };
    // "ＯＫ" closes; the closing, by any way, applies the ranges and cannot
    // be refused.
    Command1.Click = [this] { platform::Unload(*this); };
    Command2.Click = [this] { Command2_Click(); };
    Unload = [this](int&) { Form_Unload(); };
}

void ZnoHani::Form_Load()
{
    clearTabStops(*this);
    Plot& w = plot();
    for (platform::TextBox* field : {&w.Text2, &w.Text5, &w.Text15, &w.Text16})
        field->setText(clampRangeText(field->Text()));
    Text1.setText(w.Text2.Text());
    Text2.setText(w.Text5.Text());
    Text3.setText(w.Text15.Text());
    Text4.setText(w.Text16.Text());
}

void ZnoHani::Command2_Click()
{
    Plot& w = plot();
    Text1.setText(QStringLiteral("1"));
    Text2.setText(QStringLiteral("10000"));
    w.Text2.setText(Text1.Text());
    w.Text5.setText(Text2.Text());
    Text3.setText(QStringLiteral("10001"));
    Text4.setText(QStringLiteral("500000"));
    w.Text15.setText(Text3.Text());
    w.Text16.setText(Text4.Text());
    crtplot();
}

void ZnoHani::Form_Unload()
{
    Plot& w = plot();
    const struct {
        platform::TextBox& own;
        platform::TextBox& main;
    } pairs[] = {{Text1, w.Text2}, {Text2, w.Text5}, {Text3, w.Text15}, {Text4, w.Text16}};
    for (const auto& pair : pairs) {
        pair.own.setText(clampRangeText(pair.own.Text()));
        pair.main.setText(pair.own.Text());
    }
    crtplot();
}

platform::FormHolder<ZnoHani>& znoHaniForm()
{
    static platform::FormHolder<ZnoHani> holder;
    return holder;
}

}  // namespace tavelcor
