// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/command_buttons.h"

#include "main/edit/xyin.h"
#include "main/render/cselect.h"
#include "main/render/window_plot_face.h"
#include "main/render/znohani.h"
#include "main/site/tables.h"
#include "main/ui/jyouken.h"
#include "main/ui/ui_services.h"
#include "main/ui/work_folder.h"
#include "main/window/plot.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>

namespace tavelcor {

namespace {

constexpr int kRedColor = 12;
constexpr int kBlueColor = 9;

// The click series of 表示色: the count and the wait that ends it. The
// timer belongs to the main window's widget and goes with it.
struct ColorClicks {
    int count = 0;
    QPointer<QTimer> timer;
};

ColorClicks& colorClicks()
{
    static ColorClicks clicks;
    return clicks;
}

int doubleClickMs()
{
    if (const UiServices& services = uiServices(); services.doubleClickMs)
        return services.doubleClickMs();
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

// A dialog placed at the side panel: its corner at the window's corner plus
// the panel's position.
void placeAtSidePanel(platform::Form& dialog, const Plot& window)
{
    dialog.setLeft(window.Left() + window.protprp.Left());
    dialog.setTop(window.Top() + window.protprp.Top());
}

// Two quick clicks: from both shown, the blue only, then the red only, in
// turn; from both hidden, the red only.
void swapRedAndBlue()
{
    int red = PointColorShown[kRedColor];
    int blue = PointColorShown[kBlueColor];
    if (red == blue) {
        ++red;
    } else {
        ++red;
        ++blue;
    }
    PointColorShown[kRedColor] = static_cast<std::uint8_t>(red > 1 ? 0 : red);
    PointColorShown[kBlueColor] = static_cast<std::uint8_t>(blue > 1 ? 0 : blue);
}

void colorClicksDone()
{
    ColorClicks& clicks = colorClicks();
    const int count = clicks.count;
    clicks.count = 0;
    Plot* window = plotForm().ifLoaded();
    if (window == nullptr)
        return;
    switch (count) {
    case 1: {
        Cselect& dialog = cselect();
        placeAtSidePanel(dialog, *window);
        dialog.ShowModal();
        break;
    }
    case 2:
        swapRedAndBlue();
        crtplot();
        break;
    case 3:
        PointColorShown[kRedColor] = 1;
        PointColorShown[kBlueColor] = 1;
        crtplot();
        break;
    default:
        break;
    }
    if (Plot* shown = plotForm().ifLoaded()) {
        shown->Show();
        shown->Picture1.SetFocus();
    }
}

}  // namespace

void Command53_Click(Plot& window)
{
    ZnoHani& dialog = znoHani();
    placeAtSidePanel(dialog, window);
    dialog.ShowModal();
    if (Plot* shown = plotForm().ifLoaded())
        shown->Picture1.SetFocus();
}

void Command55_Click(Plot& window)
{
    ColorClicks& clicks = colorClicks();
    ++clicks.count;
    if (!clicks.timer) {
        clicks.timer = new QTimer(window.window());
        clicks.timer->setSingleShot(true);
        QObject::connect(clicks.timer, &QTimer::timeout, [] { colorClicksDone(); });
    }
    clicks.timer->start(doubleClickMs());
}

int colorClickCount()
{
    return colorClicks().count;
}

void Command64_Click(Plot& window)
{
    startKeypadProgram();
    window.Picture1.SetFocus();
}

void Command65_Click(Plot& window)
{
    if (XYIN* keyIn = xyinForm().ifLoaded())
        keyIn->Hide();
    window.Command85.setVisible(false);
    AreaCount = AreaCount == 0 ? 1 : 0;
    window.Picture1.SetFocus();
}

void Command83_Click(Plot& window)
{
    window.Frame16.setVisible(false);
}

void Command84_Click(Plot& window)
{
    window.Text18.setText(QString());
    window.Frame16.setVisible(false);
}

void wireSettingsCommands(Plot& window)
{
    colorClicks().count = 0;
    window.Command19.Click = [&window] { Command19_Click(window); };
    window.Command53.Click = [&window] { Command53_Click(window); };
    window.Command55.Click = [&window] { Command55_Click(window); };
    window.Command64.Click = [&window] { Command64_Click(window); };
    window.Command65.Click = [&window] { Command65_Click(window); };
    window.Command83.Click = [&window] { Command83_Click(window); };
    window.Command84.Click = [&window] { Command84_Click(window); };
}

}  // namespace tavelcor
