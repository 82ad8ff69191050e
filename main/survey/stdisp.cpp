// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/stdisp.h"

#include "geodesy/format_fixed.h"
#include "main/render/print_dialog.h"
#include "main/render/wheel_zoom.h"
#include "main/site/tables.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/system/clipboard.h"
#include "platform/text/numbers.h"

#include <cmath>

namespace tavelcor {

namespace {

const QString kFontName = QStringLiteral("ＭＳ ゴシック");
const QString kCrLf = QStringLiteral("\r\n");
// The background settings window, closed whenever this window is activated.
const QString kBackgroundWindowName = QStringLiteral("Haikei");
// The panel stands this far left of the window's right edge.
constexpr double kPanelRightGap = 600.0;

bool headedMode(int mode)
{
    return !reportHeader(mode).isEmpty();
}

void unloadBackgroundWindow()
{
    if (platform::FormHolderBase* holder = platform::holderOfLoadedForm(kBackgroundWindowName))
        platform::Unload(*holder->loadedForm());
}

}  // namespace

QString reportHeader(int mode)
{
    switch (mode) {
    case 1: return QStringLiteral("TAVELCOR 放射状逆計算");
    case 2: return QStringLiteral("TAVELCOR 連続逆計算");
    case 3: return QStringLiteral("TAVELCOR 垂線チェック");
    case 34: return QStringLiteral("TAVELCOR ４点交点");
    default: return {};
    }
}

double reportWindowWidth(int fontSize)
{
    switch (fontSize) {
    case 13: return 11600.0;
    case 12: return 10460.0;
    case 11: return 10300.0;
    case 10: return 9450.0;
    default: return fontSize < 10 ? 8200.0 : 12800.0;
    }
}

Stdisp::Stdisp() : platform::Form(QStringLiteral("stdisp"))
{
    design();
    wire();
}

Stdisp::~Stdisp() = default;

void Stdisp::design()
{
    setCaption(QStringLiteral("KESTRO 計算結果"));
    setBorderStyle(platform::FormBorder::Sizable);
    setClientSize(kClientWidth, kClientHeight);
    setMenuBar({&p_out, &get_txt, &stclose, &hikizan});
    Text1.setMultiLine(true);
    Text1.Move(0.0, 0.0, kClientWidth, kClientHeight);
    Text1.ZOrder(1);  // the distance panel opens over the report
    designPanel();
    setFontName(kFontName);
    for (platform::ControlBase* base : controls()) {
        if (auto* control = dynamic_cast<platform::Control*>(base))
            control->setFontName(kFontName);
    }
}

// The distance panel: three labelled fields in a row (computed, measured,
// difference), the direction word beside them, its close button and a rule
// under them.
void Stdisp::designPanel()
{
    Frame1.Move(0.0, 120.0, kPanelWidth, kPanelHeight);
    Frame1.setCaption(QString());
    Frame1.setVisible(false);
    const struct {
        platform::Label* label;
        platform::TextBox* field;
        const char16_t* caption;
    } columns[] = {{&Label1, &Text2, u"計算距離"}, {&Label2, &Text3, u"測定距離"}, {&Label3, &Text4, u"補正距離"}};
    double left = 120.0;
    for (const auto& column : columns) {
        column.label->setCaption(QString::fromUtf16(column.caption));
        column.label->Move(left, 200.0, 1500.0, 255.0);
        column.field->Move(left, 500.0, 1500.0, 330.0);
        left += 1620.0;
    }
    Text5.Move(left, 500.0, 1000.0, 330.0);
    Command1.setCaption(QStringLiteral("閉じる"));
    Command1.Move(6120.0, 460.0, 1095.0, 420.0);
    Line1.setX1(120.0);
    Line1.setY1(1050.0);
    Line1.setX2(7215.0);
    Line1.setY2(1050.0);
}

void Stdisp::wire()
{
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Resize = [this] { Form_Resize(); };
    get_txt.Click = [this] { get_txt_Click(); };
    p_out.Click = [this] { p_out_Click(); };
    stclose.Click = [this] { stclose_Click(); };
    hikizan.Click = [this] { hikizan_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Text3.Change = [this] { Text3_Change(); };
    Text1.KeyPress = [this](int& keyAscii) { Text1_KeyPress(keyAscii); };
}

void Stdisp::SetWindowTop(platform::Form& window)
{
    SetTopMost(window);
}

void Stdisp::Form_Load()
{
    SetWindowTop(*this);
    // At the main window's bottom-left corner; without a main window the
    // window keeps its designed place.
    if (const Plot* main = plotForm().ifLoaded())
        Move(main->Left(), main->Top() + main->Height() - Height());
    setWidth(reportWindowWidth(tavelcor::FontSize));
    Text1.setFontSize(tavelcor::FontSize);
    Text1.setFontName(kFontName);
    if (headedMode(RclickMode))
        ResultText = reportHeader(RclickMode) + kCrLf;
    HeaderMode = RclickMode;
}

void Stdisp::Form_Activate()
{
    if (windowState() == platform::WindowState::Minimized)
        return;
    unloadBackgroundWindow();
    setWindowState(platform::WindowState::Normal);
    Text1.setFontSize(tavelcor::FontSize);
    Text1.setFontName(kFontName);
    const Plot* main = plotForm().ifLoaded();
    const bool keepsLines = main != nullptr && (main->Option4.Value() || main->Option5.Value());
    if (!keepsLines)
        takeMessages();
}

// Appends the pending lines under the header of the current mode, shows the
// report with the newest lines in view and empties MsgText.
void Stdisp::takeMessages()
{
    if (RclickMode != HeaderMode) {
        if (HeaderMode > 0)
            ResultText += kCrLf;
        HeaderMode = RclickMode;
        if (headedMode(RclickMode))
            ResultText += reportHeader(RclickMode) + kCrLf;
    }
    ResultText += MsgText;
    Text1.setText(ResultText);
    Text1.setSelStart(static_cast<int>(ResultText.size()));
    MsgText.clear();
}

void Stdisp::Form_Resize()
{
    Text1.Move(0.0, 0.0, ScaleWidth(), ScaleHeight());
}

void Stdisp::get_txt_Click()
{
    platform::Clipboard& clipboard = surveyClipboard();
    clipboard.clear();
    clipboard.setText(ResultText);
    platform::MsgBox(QStringLiteral("計算結果をクリップボードにコピーしました"));
}

void Stdisp::p_out_Click()
{
    openPrintDialog(2, ResultText);
}

void Stdisp::stclose_Click()
{
    if (!platform::Unload(*this))
        return;
    if (Plot* main = plotForm().ifLoaded())
        main->Show();
}

void Stdisp::hikizan_Click()
{
    Text2.setText(surveyClipboard().text());
    Frame1.setLeft(Width() - Frame1.Width() - kPanelRightGap);
    Frame1.setVisible(true);
    Frame1.ZOrder(0);
}

void Stdisp::Command1_Click()
{
    Frame1.setVisible(false);
}

void Stdisp::Text3_Change()
{
    const double computed = platform::Val(Text2.Text());
    const double measured = platform::Val(Text3.Text());
    Text4.setText(QString::fromStdString(geodesy::FormatFixed(std::fabs(computed - measured), 11, 3)));
    // The point must go further away while the computed distance is not
    // shorter than the measured one, else come nearer.
    Text5.setText(computed >= measured ? QStringLiteral("むこう") : QStringLiteral("こっち"));
}

void Stdisp::Text1_KeyPress(int&)
{
    if (Plot* main = plotForm().ifLoaded())
        main->Show();
}

platform::FormHolder<Stdisp>& stdispForm()
{
    static platform::FormHolder<Stdisp> holder;
    return holder;
}

void showReportWindow()
{
    Stdisp& window = stdisp();
    if (window.windowState() == platform::WindowState::Minimized && RclickMode > 0)
        window.setWindowState(platform::WindowState::Normal);
    window.Show();
}

}  // namespace tavelcor
