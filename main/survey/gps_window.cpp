// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/gps_window.h"

#include "main/render/color_picker.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

namespace tavelcor {

namespace {

constexpr double kWidth = 2700.0;
constexpr double kHeight = 1900.0;
constexpr double kActivateTop = 400.0;
constexpr double kActivateRightGap = 400.0;
constexpr double kColourTop = 500.0;

std::uint32_t trackColour()
{
    return platform::QBColor(GpsColor >= 0 && GpsColor <= 15 ? GpsColor : 14);
}

}  // namespace

GPS::GPS() : platform::Form(QStringLiteral("GPS"))
{
    setCaption(QStringLiteral("GPS表示"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    setClientSize(kWidth, kHeight);
    const struct {
        platform::CheckBox* box;
        const char16_t* caption;
    } boxes[] = {{&Check1, u"GPS表示"}, {&Check2, u"軌跡表示"}, {&Check3, u"追従"}};
    double top = 120.0;
    for (const auto& b : boxes) {
        b.box->setCaption(QString::fromUtf16(b.caption));
        b.box->Move(150.0, top, 1300.0, 300.0);
        top += 400.0;
    }
    Command1.setCaption(QStringLiteral("軌跡色"));
    Command1.Move(1550.0, 120.0, 1000.0, 700.0);
    Command2.setCaption(QStringLiteral("閉じる"));
    Command2.Move(1550.0, 1350.0, 1000.0, 400.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Check1.Click = [this] { plot().Check5.setValue(Check1.Value()); };
    Check2.Click = [this] { plot().Check7.setValue(Check2.Value()); };
    Check3.Click = [this] { plot().Check11.setValue(Check3.Value()); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { platform::Unload(*this); };
}

void GPS::Form_Load()
{
    Command1.setBackColor(trackColour());
    Plot& w = plot();
    Check1.setValue(w.Check5.Value());
    Check2.setValue(w.Check7.Value());
    Check3.setValue(w.Check11.Value());
}

void GPS::Form_Activate()
{
    const Plot& w = plot();
    setTop(w.Top() + kActivateTop);
    setLeft(w.Left() + w.Width() - Width() - kActivateRightGap);
}

void GPS::Command1_Click()
{
    Plot& w = plot();
    ColorPick = static_cast<std::uint8_t>(GpsColor >= 0 && GpsColor <= 15 ? GpsColor : 14);
    Color& chooser = colorPicker();
    chooser.setTop(w.Top() + kColourTop);
    chooser.setLeft(w.Left() + w.protprp.Left());
    chooser.ShowModal();
    GpsColor = ColorPick;
    crtplot();
    Command1.setBackColor(trackColour());
}

platform::FormHolder<GPS>& gpsForm()
{
    static platform::FormHolder<GPS> holder;
    return holder;
}

}  // namespace tavelcor
