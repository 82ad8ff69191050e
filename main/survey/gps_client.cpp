// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/gps_client.h"

#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/survey/gps_track.h"
#include "main/survey/gps_window.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/link/link_client.h"
#include "platform/prompt/prompter.h"
#include "platform/system/folders.h"
#include "platform/system/processes.h"

#include <algorithm>
#include <cmath>

namespace tavelcor {

namespace {

constexpr int kPollMs = 500;

// Opening the link: the source exists as soon as the GPS program runs.
constexpr int kLinkTimeoutMs = 1000;

// Sets Check5 to 0; when it is 0 already its handler does not fire, so the
// switch-off steps run here.
void switchGpsOff(Plot& w)
{
    if (w.Check5.Value() != 0)
        w.Check5.setValue(0);
    else
        Check5_Click(w);
}

// Shows a message of the poll; ticks that come while it is open do nothing.
void pollMessage(const QString& text)
{
    GpsClientState& state = gpsClientState();
    state.messageOpen = true;
    platform::MsgBox(text);
    state.messageOpen = false;
}

void offerToStartOrbela()
{
    if (platform::MsgBox(QStringLiteral("ORBELAを起動していません。起動しますか？"), platform::MsgButtons::YesNo)
        != platform::MsgResult::Yes)
        return;
    const QString program = orbelaProgram();
    platform::ProcessStarter& starter = platform::processStarter();
    if (!starter.isStartable(program)) {
        platform::MsgBox(QStringLiteral("ORBELA.EXEが見つかりません。手動で起動して下さい。"));
        return;
    }
    starter.startDetached(program, {});
}

// No source answered: GPS goes off and the user may start the GPS program.
void linkFailure(Plot& w)
{
    switchGpsOff(w);
    gpsWindow().Check1.setValue(0);
    w.Check29.setValue(0);
    w.Image1.setVisible(false);
    w.Check7.setVisible(false);
    w.Check11.setVisible(false);
    w.Timer1.setEnabled(false);
    offerToStartOrbela();
}

void switchGpsOn(Plot& w)
{
    GpsClientState& state = gpsClientState();
    state.link = platform::LinkClient::open(QString::fromUtf16(kGpsLinkApplication),
                                            QString::fromUtf16(kGpsLinkTopic), QString::fromUtf16(kGpsLinkItem),
                                            kLinkTimeoutMs);
    if (!state.link) {
        linkFailure(w);
        return;
    }
    Plot* window = &w;
    state.link->Change = [window](const QString& text) { window->Text9.setText(text); };
    w.Timer1.setInterval(kPollMs);
    w.Timer1.setEnabled(true);
    w.Image1.setVisible(true);
}

void switchOffSteps(Plot& w)
{
    gpsClientState().link.reset();
    gpsWindow().Check1.setValue(0);
    w.Check29.setValue(0);
    w.Image1.setVisible(false);
    w.Timer1.setEnabled(false);
    crtplot();
}

// A status word: its message, then GPS off. Returns without a message for
// texts that are no status word, and for "準備中" unless GpsWaitMsg is 1.
void statusWord(Plot& w, const QString& text)
{
    switch (gpsStatusWord(text)) {
    case GpsStatusWord::Other: return;
    case GpsStatusWord::Preparing:
        if (GpsWaitMsg != 1)
            return;
        pollMessage(QStringLiteral("ORBELAは準備中です｡少し待って、再度ＧＰＳのチェックを入れて下さい｡ "));
        switchGpsOff(w);
        return;
    case GpsStatusWord::Suspended:
        pollMessage(QStringLiteral("ORBELAは中断しています。手動で再開して下さい。"));
        break;
    case GpsStatusWord::Ended: pollMessage(QStringLiteral("ORBELAが起動していません。再起動して下さい。")); break;
    case GpsStatusWord::Unconnected:
        pollMessage(QStringLiteral("ORBELAは受信機と接続されていません｡接続状態を確認して下さい｡ "));
        break;
    }
    switchGpsOff(w);
    w.Check7.setVisible(false);
    w.Check11.setVisible(false);
}

void fixLine(Plot& w, const GpsFix& fix)
{
    GpsClientState& state = gpsClientState();
    state.blink = nextGpsBlink(state.blink);
    w.Image1.setVisible(state.blink == 0);
    appendGpsFix(fix);
    if (state.blink == 1)
        Gpsplot(w);
}

// Follow mode: the view centres on the position once it lies beyond 1/k of
// the span from the centre (k 20 with few tile screens, else 5).
void follow(Plot&, std::int32_t n)
{
    const double north = static_cast<double>(GpsX[n]) + OriginX;
    const double east = static_cast<double>(GpsY[n]) + OriginY;
    const double k = TileScreens < 3 ? 20.0 : 5.0;
    if (std::abs(ViewCX - north) > std::abs(ViewSpanX / k) || std::abs(ViewCY - east) > std::abs(ViewSpanY / k)) {
        ViewCX = north;
        ViewCY = east;
        crtplot();
    }
}

// The marker's corner lies 200 twips up and left of the position.
void placeMarker(Plot& w, std::int32_t n)
{
    const double widthTwips = w.Picture1.Width();
    if (widthTwips <= 0.0)
        return;
    const double s = ViewSpanY / widthTwips;
    w.Image1.setTop(-static_cast<double>(GpsX[n]) - 200.0 * s);
    w.Image1.setLeft(static_cast<double>(GpsY[n]) - 200.0 * s);
}

// Segments entirely to one side of the view cost four comparisons; segments
// of 1000 m or more are jumps and leave a gap.
void drawTrack(Plot& w, std::int32_t n)
{
    platform::Canvas& picture = w.Picture1.canvas();
    const double left = picture.ScaleLeft();
    const double top = picture.ScaleTop();
    const double right = left + ViewSpanY;
    const double bottom = top + ViewSpanX;
    const int colour = GpsColor >= 0 && GpsColor <= 15 ? GpsColor : 14;
    picture.setDrawWidth(std::max(1, static_cast<int>(LineWidthOf[colour])));
    picture.setDrawMode(13);
    const std::uint32_t ink = platform::QBColor(colour);
    for (std::int32_t i = 1; i < n; ++i) {
        const double x1 = GpsY[i];
        const double y1 = -static_cast<double>(GpsX[i]);
        const double x2 = GpsY[i + 1];
        const double y2 = -static_cast<double>(GpsX[i + 1]);
        if ((y1 < top && y2 < top) || (y1 > bottom && y2 > bottom) || (x1 < left && x2 < left)
            || (x1 > right && x2 > right))
            continue;
        if (std::hypot(x2 - x1, y2 - y1) < 1000.0)
            picture.Line(x1, y1, x2, y2, ink);
    }
}

}  // namespace

GpsClientState& gpsClientState()
{
    static GpsClientState state;
    return state;
}

QString orbelaProgram()
{
    return platform::executableFolder() + QStringLiteral("/orbela");
}

void Check5_Click(Plot& w)
{
    if (w.Check5.Value() == 1)
        switchGpsOn(w);
    else
        switchOffSteps(w);
}

void Check29_Click(Plot& w)
{
    if (w.Check29.Value() != 1 || w.Check5.Value() != 0)
        return;
    platform::MsgBox(QStringLiteral("GPSの準備ができていません"));
    w.Check29.setValue(0);
    gpsWindow().Check1.setValue(0);
}

void Timer1_Timer(Plot& w)
{
    if (gpsClientState().messageOpen)
        return;
    const QString text = w.Text9.Text();
    if (const std::optional<GpsFix> fix = readGpsFixLine(text))
        fixLine(w, *fix);
    else
        statusWord(w, text);
}

void Gpsplot(Plot& w)
{
    const std::int32_t n = GpsCount;
    if (n <= 0 || n > kGpsTrackSize)
        return;
    if (w.Check11.Value() == 1)
        follow(w, n);
    placeMarker(w, n);
    if (w.Check7.Value() == 1 && n > 1)
        drawTrack(w, n);
    w.Picture1.canvas().setDrawWidth(1);
}

void Command54_Click(Plot& w)
{
    GPS& window = gpsWindow();
    window.setLeft(w.Left() + w.protprp.Left());
    window.setTop(w.Top() + 200.0);
    window.ShowModal();
    w.Picture1.SetFocus();
}

}  // namespace tavelcor
