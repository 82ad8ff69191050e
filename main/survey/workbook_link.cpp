// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/workbook_link.h"

#include "main/edit/panel_place.h"
#include "main/site/tables.h"
#include "main/survey/gps_track.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/link/link_client.h"
#include "platform/prompt/prompter.h"
#include "platform/workbook/workbook.h"

#include <QStringList>

namespace tavelcor {

namespace {

constexpr int kMagenta = 13;
constexpr int kSilver = 7;
constexpr int kFirstForesight = 3;

void connectionFault(Plot& w)
{
    w.Text10.setText(QStringLiteral("接続不良"));
}

// A control of the main window found by its name and kind; nullptr when the
// window has none (a part of the program that is not built in).
template <class Kind>
Kind* controlNamed(Plot& w, const QString& name)
{
    for (platform::ControlBase* control : w.controls()) {
        auto* found = dynamic_cast<Kind*>(control);
        if (found != nullptr && found->Name() == name)
            return found;
    }
    return nullptr;
}

// Clicks a button of the main window found by its name; false when the
// window has no such button or nothing handles its click.
bool clickButtonNamed(Plot& w, const QString& name)
{
    platform::CommandButton* button = controlNamed<platform::CommandButton>(w, name);
    if (button == nullptr || !button->Click)
        return false;
    button->setValue(true);
    return true;
}

// Ends the open operation panel with its own end button: the first visible
// of the line, text, hand-stroke and point panels.
void endOpenPanel(Plot& w)
{
    const struct {
        platform::Frame Plot::*panel;
        const char16_t* endButton;
    } panels[] = {{&Plot::Frame10, u"Command29"},
                  {&Plot::Frame11, u"Command35"},
                  {&Plot::Frame9, u"Command28"},
                  {&Plot::Frame4, u"Command26"}};
    for (const auto& p : panels) {
        platform::Frame& panel = w.*p.panel;
        if (!panel.Visible())
            continue;
        if (!clickButtonNamed(w, QString::fromUtf16(p.endButton)) || panel.Visible())
            closePanelToIdle(w, panel);
        return;
    }
}

// The point panel in the station frame's place, through its panel button.
void openPointPanel(Plot& w)
{
    if (w.Command20.Click)
        w.Command20.setValue(true);
    if (!w.Frame4.Visible())
        openPanelInPlace(w, w.Frame4);
}

void openStationFrame(Plot& w)
{
    endOpenPanel(w);
    w.Frame13.setTop(w.Frame2.Top());
    w.Frame13.setLeft(w.Frame2.Left());
    openPanelInPlace(w, w.Frame13);
    // The rubber band's timer of the line editing stops with the panel.
    if (platform::TimerControl* rubberBand = controlNamed<platform::TimerControl>(w, QStringLiteral("Timer4")))
        rubberBand->setEnabled(false);
    w.Text11.setText(QString());
    w.Text12.setText(QString());
    w.Text13.setText(QString());
    w.Option26.setValue(true);
    platform::MsgBox(QStringLiteral("Tavelcorから機械点IDを転送してください"), platform::MsgButtons::OkOnly,
                     platform::MsgIcon::None, QStringLiteral("WEMBRAメッセージ"), true);
}

bool isPointIndex(std::int32_t i)
{
    return i >= 1 && i <= PointCount && i <= kPointTop;
}

// A sight line from the station to the point `foresight`, in plot units.
void drawSight(platform::Canvas& picture, std::int32_t foresight, int colour)
{
    const std::int32_t station = SightList[1];
    if (!isPointIndex(station) || !isPointIndex(foresight))
        return;
    picture.Line(PointY[station], -PointX[station], PointY[foresight], -PointX[foresight],
                 platform::QBColor(colour));
}

}  // namespace

WorkbookLinkState& workbookLinkState()
{
    static WorkbookLinkState state;
    return state;
}

bool allWembraWorkbooks(const QStringList& names)
{
    for (const QString& name : names) {
        if (!name.contains(QStringLiteral("WEMBRA"), Qt::CaseSensitive))
            return false;
    }
    return true;
}

void Timer3_Timer(Plot& w)
{
    if (WembraOff == 1)
        return;
    std::unique_ptr<platform::Workbook> book = platform::Workbook::attach();
    if (!book || !book->activeWorkbook() || !book->worksheetNames()) {
        connectionFault(w);
        return;
    }
    const std::optional<QStringList> names = book->workbookNames();
    if (!names) {
        connectionFault(w);
        return;
    }
    if (!allWembraWorkbooks(*names))
        return;  // a foreign workbook is open: try again on the next tick
    std::unique_ptr<platform::LinkClient> link =
        platform::linkCell(QString::fromUtf16(kSignalSheet), QString::fromUtf16(kSignalCell));
    if (!link) {
        connectionFault(w);
        return;
    }
    Plot* window = &w;
    link->Change = [window](const QString& text) { window->Text10.setText(text); };
    workbookLinkState().link = std::move(link);
    w.Timer3.setEnabled(false);
}

void Text10_Change(Plot& w)
{
    if (WembraOff == 1 || w.Frame13.Visible())
        return;
    w.Command51.setVisible(false);
    WembraValue = workbookSignalValue(w.Text10.Text());
    if (WembraValue == 992 || WembraValue == 993)
        openStationFrame(w);
}

void Command50_Click(Plot& w)
{
    std::unique_ptr<platform::Workbook> book = platform::Workbook::attach();
    if (book && book->activeWorkbook()) {
        const std::optional<QStringList> names = book->workbookNames();
        if (names && !allWembraWorkbooks(*names))
            return;  // a foreign workbook: nothing is sent and the frame stays
        if (names && book->setVisible(true))
            book->run(QString::fromUtf16(kHandOverMacro), {w.Text11.Text(), w.Text12.Text(), w.Text13.Text()});
    }
    if (w.Text13.Text().isEmpty())
        openPointPanel(w);
    else
        closePanelToIdle(w, w.Frame13);
}

void Command51_Click(Plot& w)
{
    std::int32_t c = SightList[0];
    if (c < kFirstForesight || c > kSightListTop || SightList[c] == 0) {
        workbookLinkState().lastForesight = c - 1;
        c = kFirstForesight;
    }
    const std::int32_t foresight = SightList[c];
    w.Text13.setText(isPointIndex(foresight) ? PointName[foresight] : QString());
    platform::Canvas& picture = w.Picture1.canvas();
    picture.setDrawWidth(2);
    drawSight(picture, foresight, kMagenta);
    const std::int32_t previous = c == kFirstForesight ? workbookLinkState().lastForesight : c - 1;
    if (previous >= kFirstForesight && previous <= kSightListTop)
        drawSight(picture, SightList[previous], kSilver);
    picture.setDrawWidth(1);
    SightList[0] = c + 1;
}

void Command49_Click(Plot& w)
{
    openPointPanel(w);
}

}  // namespace tavelcor
