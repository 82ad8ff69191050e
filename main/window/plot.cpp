// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/window/plot.h"

#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <vector>

namespace tavelcor {

namespace {

std::vector<PlotWiring>& wirings()
{
    static std::vector<PlotWiring> list;
    return list;
}

constexpr double kPanelWidth = 4000.0;
constexpr double kScaleBarHeight = 45.0;  // twips: 3 pixels
constexpr double kCompactPanelWidth = 1650.0;
// The layer switches stand in three rows of three at the panel's left; the
// rows of colour boxes P, L and T stand beside them.
constexpr double kSwitchWidth = 550.0;
constexpr double kSwitchRowHeight = 300.0;
constexpr double kSwitchTop = 1000.0;
constexpr double kColourRowLeft = 2000.0;

void placeSwitch(platform::CheckBox& box, const QString& caption, int row, int column, int value)
{
    box.setCaption(caption);
    box.Move(100.0 + column * (kSwitchWidth + 50.0), kSwitchTop + row * kSwitchRowHeight, kSwitchWidth, 270.0);
    box.setValue(value);
}

void placeHiddenField(platform::TextBox& field, const QString& text)
{
    field.setText(text);
    field.setVisible(false);
}

void makeHidden(platform::PictureBox& picture)
{
    picture.setVisible(false);
    picture.Move(0.0, 0.0, 500.0, 500.0);
    picture.setBorderStyle(0);
}

}  // namespace

const QString Plot::kDesignCaption = QStringLiteral("TAVELCOR v5.360");

Plot::Plot() : platform::Form(QStringLiteral("plot"))
{
    setCaption(kDesignCaption);
    setBorderStyle(platform::FormBorder::Sizable);
    Move(0.0, 0.0, kDesignWidth, kDesignHeight);
    designPlot();
    designHiddenPictures();
    designPanel();
    designSwitches();
    designPointPanel();
    designSiteControls();
    designOperationPanels();
    designPanelOperations();
    designViewControls();
    designMarkerButtons();
    designPrintControls();
    designSurveyControls();
    designHistoryButtons();
    designPointPanelEnds();
    designPointerControls();
    designPanelButtons();
    designFieldLinkControls();
    designSettingsButtons();
    designBackgroundButtons();
    Timer2.setEnabled(false);
    Timer2.setInterval(60000);
    for (const PlotWiring& wire : wirings())
        wire(*this);
}

Plot::~Plot() = default;

void Plot::designPlot()
{
    Picture1.Move(0.0, 0.0, Width(), Height() - kPlotBottomGap);
    Picture1.setBorderStyle(1);
    Picture1.setBackColor(platform::QBColor(15));
    Picture1.setFontName(QStringLiteral("ＭＳ ゴシック"));
    Picture1.setFontSize(9.0);

    // The hover label takes the size its procedure gives it, which is wider
    // than its text; only the bold text shows over the plot.
    Label28.setVisible(false);
    Label28.setBackColor(platform::QBColor(14));
    Label28.setBackStyle(0);
    Label28.setBorderStyle(0);
    Label28.setAutoSize(false);

    // The scale bar: a thin black bar (Label26) and its caption (Label25),
    // which the redraw places just below the bar's top edge; the caption
    // lies in front of the bar (made after it), so a narrow plot never
    // covers it with the bar.
    Label25.setBorderStyle(1);
    Label25.setBackColor(platform::QBColor(15));
    Label25.setAutoSize(true);
    Label26.setBorderStyle(1);
    Label26.setBackColor(platform::QBColor(0));
    Label26.Move(0.0, 0.0, 1500.0, kScaleBarHeight);
}

void Plot::designHiddenPictures()
{
    for (platform::PictureBox* picture : {&Picture3, &Picture4, &Picture5, &Picture6, &Picture7})
        makeHidden(*picture);

    Picture3.setBackColor(platform::QBColor(15));
    Picture7.setBackColor(platform::QBColor(15));

    // The map credit shown in the corner of the plot when map tiles are the
    // background: the mapping agency's name on white.
    Picture4.setBackColor(platform::QBColor(15));
    platform::Canvas& credit = Picture4.canvas();
    credit.setFontName(QStringLiteral("ＭＳ ゴシック"));
    credit.setFontSize(6.0);
    credit.setForeColor(platform::QBColor(0));
    credit.setCurrentX(0.0);
    credit.setCurrentY(0.0);
    credit.Print(QStringLiteral("地理院"), true);
    credit.Print(QStringLiteral("タイル"), true);
}

void Plot::designPanel()
{
    protprp.Move(Width() - kPanelOffset, 10.0, kPanelWidth, Height() - kPlotBottomGap - 100.0);
    protprp.setCaption(QString());
    Frame15.Move(Width() - kCompactPanelOffset, 200.0, kCompactPanelWidth, 2550.0);
    Frame15.setCaption(QString());
    Frame15.setVisible(false);

    Command23.setCaption(QStringLiteral("保存"));
    Command23.Move(100.0, 150.0, 1200.0, 400.0);
    Command23.setVisible(false);
    Command1.setCaption(QStringLiteral("ＳＩＭＡ登録"));
    Command1.Move(1400.0, 150.0, 1500.0, 400.0);
    Command1.setVisible(false);

    ProgressBar1.Move(100.0, 650.0, 900.0, 200.0);
    ProgressBar2.Move(1050.0, 650.0, 900.0, 200.0);
    ProgressBar3.Move(2000.0, 650.0, 900.0, 200.0);
    ProgressBar4.Move(2950.0, 650.0, 900.0, 200.0);
}

void Plot::designSwitches()
{
    placeSwitch(Check12, QStringLiteral("Ｐ"), 0, 0, 1);
    placeSwitch(Check13, QStringLiteral("Ｌ"), 0, 1, 1);
    placeSwitch(Check14, QStringLiteral("手"), 0, 2, 1);
    placeSwitch(Check15, QStringLiteral("Ｔ"), 1, 0, 1);
    placeSwitch(Check16, QStringLiteral("済"), 1, 1, 1);
    placeSwitch(Check17, QStringLiteral("名"), 1, 2, 1);
    placeSwitch(Check32, QStringLiteral("H"), 2, 0, 0);
    // Check1, Check2, Check3, Check6 and Check36 carry no caption: each is
    // named by the label beside it (designViewSwitches).

    placeHiddenField(Text2, QStringLiteral("1"));
    placeHiddenField(Text5, QStringLiteral("10000"));
    placeHiddenField(Text15, QStringLiteral("10001"));
    placeHiddenField(Text16, QStringLiteral("500000"));
}

void Plot::designPointPanel()
{
    // Inside the point panel, below its buttons: each name field behind its
    // caption, the second one ending before the GPS switch Ｇ.
    Label22.setCaption(QStringLiteral("名１"));
    Label22.Move(100.0, 780.0, 420.0, 255.0);
    Text6.Move(550.0, 750.0, 1330.0, 300.0);
    Label23.setCaption(QStringLiteral("名２"));
    Label23.Move(1950.0, 780.0, 420.0, 255.0);
    Text7.Move(2400.0, 750.0, 920.0, 300.0);
    Option10.setCaption(QStringLiteral("削除"));
    Option10.Move(1700.0, 300.0, 900.0, 270.0);
    // The symbol picker covers the lower part of the panel without a border
    // of its own; the marker buttons stand where the panel shows them.
    constexpr double kPickerTop = 1380.0;
    Frame6.setCaption(QStringLiteral("ポイント"));
    Frame6.setBorderStyle(0);
    Frame6.Move(0.0, kPickerTop, 3900.0, 1920.0);
    // Six columns of markers leave the last column to the history buttons.
    constexpr double kMarkerPitch = 555.0;
    constexpr double kMarkerWidth = 540.0;
    for (int mark = 1; mark <= 18; ++mark) {
        const int row = (mark - 1) / 6;
        const int column = (mark - 1) % 6;
        platform::OptionButton& option = Option13.add(mark, Frame6);
        option.Move(80.0 + column * kMarkerPitch, 1400.0 - kPickerTop + row * 580.0, kMarkerWidth, 300.0);
        platform::Label& label = Label24.add(mark, Frame6);
        label.Move(80.0 + column * kMarkerPitch, 1710.0 - kPickerTop + row * 580.0, kMarkerWidth, 250.0);
    }
}

// Controls that start-up, the save command and shut-down show, hide or read.
void Plot::designSiteControls()
{
    Timer1.setEnabled(false);
    Timer1.setInterval(500);
    Timer3.setInterval(100);

    Frame1.Move(100.0, 5700.0, 2500.0, 750.0);
    Frame1.setCaption(QStringLiteral("検索"));
    Text1.Move(100.0, 250.0, 1500.0, 270.0);
    Option29.setCaption(QStringLiteral("地"));
    Option29.Move(1700.0, 250.0, 600.0, 270.0);
    Command18.setCaption(QStringLiteral("地番検索"));
    Command18.Move(2700.0, 5750.0, 1200.0, 330.0);
    Text4.Move(2700.0, 6120.0, 1200.0, 300.0);
    Label19.setCaption(QStringLiteral("地番表示"));
    Label19.Move(2970.0, 6500.0, 930.0, 250.0);
    Check6.Move(2700.0, 6500.0, 250.0, 250.0);

    Frame2.Move(100.0, 6800.0, 3900.0, 850.0);
    Frame2.setCaption(QStringLiteral("右クリック動作"));
    Option5.setCaption(QStringLiteral("画地"));
    Option5.Move(100.0, 250.0, 800.0, 270.0);
    Check35.setCaption(QStringLiteral("詳"));
    Check35.Move(950.0, 250.0, 550.0, 270.0);
    Check35.setVisible(false);
    Check37.setCaption(QStringLiteral("範囲"));
    Check37.Move(1550.0, 250.0, 750.0, 270.0);
    Check37.setVisible(false);
    Option32.setCaption(QStringLiteral("リンクＯＮ"));
    Option32.Move(2400.0, 250.0, 1300.0, 270.0);
    Option32.setVisible(false);

    // The 対角 buttons are the centres of the pan pads (designViewControls).
    Command13.setCaption(QStringLiteral("対角"));
    Command13.setBackColor(platform::QBColor(15));
    Command74.setCaption(QStringLiteral("対角"));
    Command74.setBackColor(platform::QBColor(15));

    // The web-map buttons lie in their frame, two to a row; the profile view
    // hides them with it.
    Frame8.Move(100.0, 7700.0, 3800.0, 800.0);
    Frame8.setCaption(QString());
    Frame8.setBorderStyle(0);
    Command46.setCaption(QStringLiteral("GoogleMap地図"));
    Command46.Move(0.0, 0.0, 1850.0, 390.0);
    Command56.setCaption(QStringLiteral("GoogleMapオルソ"));
    Command56.Move(1950.0, 0.0, 1850.0, 390.0);
    Command58.setCaption(QStringLiteral("Yahoo地図"));
    Command58.Move(0.0, 410.0, 1850.0, 390.0);
    // 断面確認 fills the free second-row place of the web-map frame but
    // belongs to the panel, so that the profile view, which hides the frame,
    // still shows it. It is made after the frame and lies over it.
    Command57.setCaption(QStringLiteral("断面確認"));
    Command57.Move(2050.0, 8110.0, 1850.0, 390.0);
    ProgressBar5.Move(100.0, 10600.0, 4000.0, 250.0);
    ProgressBar5.setVisible(false);
}

// The operation panels are closed (hidden) at start; their colour options
// name the palette colour they stand for.
void Plot::designOperationPanels()
{
    const struct {
        int index;
        const char16_t* caption;
    } colours[] = {{0, u"黒"}, {2, u"緑1"}, {3, u"緑2"}, {4, u"茶"}, {6, u"黄1"}, {8, u"灰"},
                   {9, u"青"}, {10, u"緑3"}, {11, u"水"}, {12, u"赤"}, {13, u"紫"}, {14, u"黄2"}};
    for (platform::Frame* panel : {&Frame4, &Frame10, &Frame9, &Frame11}) {
        panel->Move(100.0, 2300.0, 3900.0, 3300.0);
        panel->setVisible(false);
    }
    Frame4.setCaption(QStringLiteral("ポイント操作"));
    Frame10.setCaption(QStringLiteral("ライン操作"));
    Frame9.setCaption(QStringLiteral("手書き線"));
    Frame11.setCaption(QStringLiteral("テキスト"));
    for (platform::Frame* box : {&Frame7, &Frame5, &Frame12}) {
        box->Move(100.0, 600.0, 3700.0, 1500.0);
        box->setCaption(QString());
    }
    // Four colours to a row, so that each name keeps some room before the
    // next button and before the frame's edge.
    constexpr int kColumns = 4;
    constexpr double kPitchX = 900.0;
    constexpr double kPitchY = 420.0;
    int slot = 0;
    for (const auto& colour : colours) {
        const double left = 80.0 + (slot % kColumns) * kPitchX;
        const double top = 180.0 + (slot / kColumns) * kPitchY;
        const QString caption = QString::fromUtf16(colour.caption);
        platform::OptionButton& line = Option14.add(colour.index, Frame7);
        line.setCaption(caption);
        line.Move(left, top, 840.0, 360.0);
        platform::OptionButton& stroke = Option8.add(colour.index, Frame5);
        stroke.setCaption(caption);
        stroke.Move(left, top, 840.0, 360.0);
        ++slot;
    }
    Option14(9).setValue(true);
    Option8(3).setValue(true);
    const char16_t* quickTexts[] = {u"田", u"畑", u"山林", u"宅地", u"公道", u"用悪", u"他"};
    for (int n = 1; n <= 7; ++n) {
        platform::OptionButton& quick = Option23.add(n, Frame12);
        quick.setCaption(QString::fromUtf16(quickTexts[n - 1]));
        quick.Move(80.0 + ((n - 1) % 4) * 900.0, 200.0 + ((n - 1) / 4) * 400.0, 850.0, 300.0);
    }
    Option23(3).setValue(true);
}

// The operations of the four panels with the panels' own buttons, and the
// layer buttons that open the panels (above them). The first operation of
// each panel is chosen at start; the commit buttons of the point and text
// panels are hidden until an operation shows them.
void Plot::designPanelOperations()
{
    const auto option = [](platform::OptionButton& o, const QString& caption, double left, double top) {
        o.setCaption(caption);
        o.Move(left, top, 800.0, 270.0);
    };
    const auto button = [](platform::CommandButton& b, const QString& caption, double left, double top,
                           double width) {
        b.setCaption(caption);
        b.Move(left, top, width, 330.0);
    };
    option(Option12, QStringLiteral("追加"), 100.0, 1080.0);
    option(Option11, QStringLiteral("移動"), 950.0, 1080.0);
    option(Option9, QStringLiteral("属性"), 1800.0, 1080.0);
    button(Command32, QStringLiteral("確定"), 2700.0, 1040.0, 1100.0);
    Command32.setVisible(false);
    button(Command47, QStringLiteral("XY入力"), 2700.0, 300.0, 1100.0);
    Command47.setVisible(false);
    button(Command31, QStringLiteral("取消"), 100.0, 1500.0, 1100.0);
    Command31.setVisible(false);
    Option12.setValue(true);

    option(Option20, QStringLiteral("追加"), 100.0, 250.0);
    option(Option21, QStringLiteral("削除"), 1000.0, 250.0);
    option(Option25, QStringLiteral("色変"), 1900.0, 250.0);
    option(Option6, QStringLiteral("移動"), 2800.0, 250.0);
    Option20.setValue(true);

    option(Option16, QStringLiteral("追加"), 100.0, 250.0);
    option(Option17, QStringLiteral("削除"), 1000.0, 250.0);
    Option16.setValue(true);

    option(Option22, QStringLiteral("追加"), 100.0, 250.0);
    option(Option18, QStringLiteral("編集"), 1000.0, 250.0);
    option(Option24, QStringLiteral("移動"), 1900.0, 250.0);
    option(Option19, QStringLiteral("削除"), 2800.0, 250.0);
    Option22.setValue(true);
    Text8.Move(100.0, 1000.0, 3500.0, 300.0);
    Text8.setVisible(false);
    button(Command34, QStringLiteral("取消"), 100.0, 2200.0, 1000.0);
    Command34.setVisible(false);
    button(Command35, QStringLiteral("終了"), 1200.0, 2200.0, 1000.0);

    button(Command20, QStringLiteral("ポイント"), 100.0, 1920.0, 900.0);
    button(Command21, QStringLiteral("LINE"), 1050.0, 1920.0, 900.0);
    button(Command22, QStringLiteral("手書き"), 2000.0, 1920.0, 900.0);
    button(Command33, QStringLiteral("TEXT"), 2950.0, 1920.0, 900.0);
    for (platform::CommandButton* layer : {&Command20, &Command21, &Command22, &Command33})
        layer->setBackColor(platform::RGB(224, 224, 224));
}

// The marker buttons as designed, before any symbol file is read: glyph and
// text colour per symbol, labels for the first three (a start without
// POINT.JKN takes its symbol table from these). Buttons 8 and 10 carry a
// trailing blank in their captions.
void Plot::designMarkerButtons()
{
    const struct {
        const char16_t* caption;
        int colorIndex;
        const char16_t* label;
    } designs[] = {
        {u"", 0, u"なし"}, {u"○", 12, u"円"}, {u"◎", 12, u"２重丸"}, {u"●", 12, u""},
        {u"回", 12, u""},  {u"■", 12, u""},   {u"☆", 9, u""},        {u"★ ", 9, u""},
        {u"◇", 9, u""},   {u"◆ ", 9, u""},   {u"▼", 10, u""},       {u"▽", 10, u""},
        {u"Ｘ", 10, u""},  {u"＊", 13, u""},  {u"□", 13, u""},       {u"Ⅹ", 13, u""},
        {u"田", 13, u""},  {u"▲", 0, u""},
    };
    for (int mark = 1; mark <= 18; ++mark) {
        const auto& design = designs[mark - 1];
        Option13(mark).setCaption(QString::fromUtf16(design.caption));
        Option13(mark).setForeColor(platform::QBColor(design.colorIndex));
        Label24(mark).setCaption(QString::fromUtf16(design.label));
    }
    Option13(1).setValue(true);
}

// The view commands, the display switches and the search controls: the pan
// pad, zoom and view buttons below the web-map buttons of the side panel,
// their twins in the compact frame, the switches with their labels, the
// search kinds and comparisons in the search frame, and Timer6.
void Plot::designViewControls()
{
    const auto button = [](platform::CommandButton& b, const QString& caption, double left, double top,
                           double width, double height) {
        b.setCaption(caption);
        b.Move(left, top, width, height);
    };
    const struct {
        platform::CommandButton* standard;
        platform::CommandButton* compact;
        const char16_t* caption;
        int row;
        int column;
    } pads[] = {
        {&Command2, &Command70, u"↖", 0, 0}, {&Command7, &Command71, u"↑", 0, 1},
        {&Command8, &Command72, u"↗", 0, 2}, {&Command12, &Command73, u"←", 1, 0},
        {&Command14, &Command75, u"→", 1, 2}, {&Command15, &Command76, u"↙", 2, 0},
        {&Command16, &Command77, u"↓", 2, 1}, {&Command17, &Command78, u"↘", 2, 2},
    };
    for (const auto& pad : pads) {
        const QString caption = QString::fromUtf16(pad.caption);
        button(*pad.standard, caption, 100.0 + pad.column * 420.0, 8600.0 + pad.row * 390.0, 400.0, 380.0);
        button(*pad.compact, caption, 100.0 + pad.column * 510.0, 300.0 + pad.row * 430.0, 480.0, 400.0);
    }
    Command13.Move(520.0, 8990.0, 400.0, 380.0);
    Command74.Move(610.0, 730.0, 480.0, 400.0);
    button(Command4, QStringLiteral("＋"), 1450.0, 8600.0, 600.0, 380.0);
    button(Command5, QStringLiteral("－"), 2100.0, 8600.0, 600.0, 380.0);
    button(Command3, QStringLiteral("全　体"), 2750.0, 8600.0, 1150.0, 380.0);
    button(Command39, QStringLiteral("前画"), 1450.0, 8990.0, 800.0, 380.0);
    button(Command41, QStringLiteral("記憶"), 2300.0, 8990.0, 800.0, 380.0);
    button(Command40, QStringLiteral("復帰"), 3150.0, 8990.0, 750.0, 380.0);
    button(Command66, QStringLiteral("×"), 1450.0, 9380.0, 400.0, 380.0);
    button(Command6, QStringLiteral("再表示"), 700.0, 1590.0, 1250.0, 300.0);
    // 背景 (designBackgroundButtons) takes the row's right end.
    button(Command27, QStringLiteral("住所で地図表示"), 1900.0, 9380.0, 1430.0, 380.0);
    button(Command10, QStringLiteral("SXF作成"), 2950.0, 10620.0, 950.0, 330.0);
    button(Command82, QStringLiteral("GoogleEarth KML"), 1050.0, 10620.0, 1850.0, 330.0);

    Frame15.setCaption(QStringLiteral("簡易コマンド"));
    button(Command68, QStringLiteral("＋"), 100.0, 1590.0, 480.0, 350.0);
    button(Command69, QStringLiteral("－"), 610.0, 1590.0, 480.0, 350.0);
    button(Command67, QStringLiteral("標準"), 1120.0, 1590.0, 480.0, 350.0);
    Text17.Move(100.0, 1970.0, 1000.0, 280.0);
    button(Command80, QStringLiteral("検索"), 1120.0, 1970.0, 480.0, 280.0);
    Option31.setCaption(QStringLiteral("Ｐ"));
    Option31.Move(100.0, 2280.0, 700.0, 240.0);
    Option30.setCaption(QStringLiteral("地"));
    Option30.Move(850.0, 2280.0, 700.0, 240.0);

    // The search frame grows to hold the kinds, the comparisons, its button
    // and the half-size field.
    Frame1.setHeight(1050.0);
    Option7.setCaption(QStringLiteral("Ｐ"));
    Option7.Move(100.0, 530.0, 480.0, 250.0);
    Option7.setValue(true);
    Option15.setCaption(QStringLiteral("Ｔ"));
    Option15.Move(600.0, 530.0, 480.0, 250.0);
    Check33.setCaption(QStringLiteral("含"));
    Check33.Move(1100.0, 530.0, 550.0, 250.0);
    Check34.setCaption(QStringLiteral("先頭"));
    Check34.Move(1700.0, 530.0, 720.0, 250.0);
    button(Command44, QStringLiteral("検索"), 100.0, 790.0, 1000.0, 255.0);
    Text3.Move(1200.0, 790.0, 600.0, 255.0);
    Text3.setText(QStringLiteral("25"));
    button(Command42, QStringLiteral("P 最終"), 1850.0, 790.0, 600.0, 255.0);
    // Below the right-click frame, where the operation panels stand when
    // open: the panels' openers hide the button.
    button(Command85, QStringLiteral("SIMA編集"), 100.0, 3550.0, 1500.0, 330.0);
    Command85.setVisible(false);

    designViewSwitches();
}

void Plot::designViewSwitches()
{
    const auto place = [](platform::Control& control, double left, double top, double width) {
        control.Move(left, top, width, 250.0);
    };
    const auto label = [&place](platform::Label& l, const QString& caption, double left, double top,
                                double width) {
        l.setCaption(caption);
        place(l, left, top, width);
    };
    place(Check1, 100.0, 9800.0, 250.0);
    label(Label1, QStringLiteral("ナンバー表示"), 360.0, 9800.0, 1050.0);
    place(Check2, 1470.0, 9800.0, 250.0);
    label(Label2, QStringLiteral("名称表示"), 1730.0, 9800.0, 750.0);
    place(Check3, 2540.0, 9800.0, 250.0);
    label(Label16, QStringLiteral("画地座標OFF"), 2800.0, 9800.0, 1100.0);

    place(Check5, 100.0, 10080.0, 250.0);
    label(Label17, QStringLiteral("GPS"), 370.0, 10080.0, 450.0);
    place(Check7, 850.0, 10080.0, 250.0);
    label(Label20, QStringLiteral("軌跡"), 1120.0, 10080.0, 450.0);
    place(Check11, 1600.0, 10080.0, 250.0);
    label(Label21, QStringLiteral("追従"), 1870.0, 10080.0, 450.0);
    place(Check10, 2350.0, 10080.0, 250.0);
    label(Label11, QString(), 2620.0, 10080.0, 300.0);
    label(Label7, QStringLiteral("所"), 3000.0, 10080.0, 300.0);
    place(Check36, 3300.0, 10080.0, 250.0);

    place(Check8, 100.0, 10360.0, 250.0);
    place(Check9, 370.0, 10360.0, 250.0);
    label(Label6, QStringLiteral("方向角表示"), 640.0, 10360.0, 1000.0);
    Check30.setCaption(QStringLiteral("B"));
    place(Check30, 1700.0, 10360.0, 450.0);
    Check31.setCaption(QStringLiteral("L"));
    place(Check31, 2200.0, 10360.0, 450.0);
    label(Label18, QString(), 2700.0, 10360.0, 1200.0);

    // Three rows of colour boxes labelled P, L and T, each 赤 青 緑 in those
    // colours, beside the layer switches.
    const struct {
        platform::Label* label;
        const char16_t* caption;
        platform::CheckBox* boxes[3];
    } colourRows[] = {{&LabelColourRowP, u"P", {&Check18, &Check19, &Check20}},
                      {&LabelColourRowL, u"L", {&Check23, &Check22, &Check21}},
                      {&LabelColourRowT, u"T", {&Check28, &Check27, &Check26}}};
    const char16_t* colourCaptions[] = {u"赤", u"青", u"緑"};
    const int captionColours[] = {12, 9, 2};
    for (int row = 0; row < 3; ++row) {
        const double top = kSwitchTop + row * kSwitchRowHeight;
        label(*colourRows[row].label, QString::fromUtf16(colourRows[row].caption), kColourRowLeft, top, 200.0);
        colourRows[row].label->setAlignment(2);
        for (int k = 0; k < 3; ++k) {
            platform::CheckBox& box = *colourRows[row].boxes[k];
            box.setCaption(QString::fromUtf16(colourCaptions[k]));
            box.setForeColor(platform::QBColor(captionColours[k]));
            box.Move(kColourRowLeft + 250.0 + k * 550.0, top, 530.0, 270.0);
            box.setValue(1);
        }
    }
    Check8.setValue(1);
    Check10.setValue(1);
    designViewPanelExtras();
}

// Label4 of the right-click frame (its options are placed with the survey
// controls), the marker button of the point panel, the circle switch of the
// hand-stroke panel and Timer6.
void Plot::designViewPanelExtras()
{
    // The KML export reads its opening lines from this caption; it is data,
    // not text to show, so the label stays hidden (Option4 takes the clicks
    // on its own caption). The kml start tag declares the prefix gx as well,
    // which the export's camera block uses.
    Label4.setCaption(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                                     "<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
                                     "xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\r\n"
                                     "<Folder>\r\n"
                                     "<name>Tavelcor4</name>"));
    Label4.Move(3200.0, 540.0, 600.0, 270.0);
    Label4.setVisible(false);

    Command24.setCaption(QStringLiteral("マーク"));
    Command24.Move(100.0, 300.0, 1500.0, 330.0);
    Check4.setCaption(QStringLiteral("円"));
    Check4.Move(100.0, 2200.0, 700.0, 270.0);
    Check4.setVisible(false);
    Text14.Move(850.0, 2200.0, 1500.0, 300.0);
    Text14.setVisible(false);

    Timer6.setEnabled(false);
    Timer6.setInterval(300);
    Timer5.setEnabled(false);
}

void Plot::designPrintControls()
{
    Command11.setCaption(QStringLiteral("印刷"));
    Command11.Move(2950.0, 150.0, 950.0, 400.0);
    Label5.setCaption(QString());
    Label5.Move(100.0, 100.0, 4000.0, 250.0);
    Label5.setVisible(false);
}

// The right-click frame stands where the operation panels open (they take
// its place) and holds all its options in three rows: 画地 with its switches
// and リンクＯＮ; ＳＴ放射, ＳＴ連続, 垂線ﾁｪｯｸ; Copy/Point化, ４点交点. MENU表示 is
// never shown and chosen at start. 解除 takes the frame's former place; the
// compact frame grows by a row for its 再表示.
void Plot::designSurveyControls()
{
    constexpr double kRowHeight = 270.0;
    Frame2.Move(100.0, 2300.0, 3900.0, 1150.0);
    const auto option = [kRowHeight](platform::OptionButton& o, const QString& caption, double left, double top,
                                     double width) {
        o.setCaption(caption);
        o.Move(left, top, width, kRowHeight);
    };
    option(Option1, QStringLiteral("ＳＴ放射"), 100.0, 540.0, 1150.0);
    option(Option2, QStringLiteral("ＳＴ連続"), 1300.0, 540.0, 1150.0);
    option(Option3, QStringLiteral("垂線ﾁｪｯｸ"), 2500.0, 540.0, 1250.0);
    option(Option4, QStringLiteral("Copy/Point化"), 100.0, 830.0, 1700.0);
    option(Option34, QStringLiteral("４点交点"), 1850.0, 830.0, 1150.0);
    option(Option33, QStringLiteral("MENU表示"), 3050.0, 830.0, 700.0);
    Option33.setVisible(false);
    Option33.setValue(true);

    Command86.setCaption(QStringLiteral("解除"));
    Command86.Move(100.0, 6800.0, 1250.0, 330.0);

    Frame15.setHeight(2950.0);
    Command81.setCaption(QStringLiteral("再表示"));
    Command81.Move(100.0, 2560.0, 1500.0, 330.0);
}

// "Undo" and "Rdo" beside 解除 in the side panel (Rdo hidden at start);
// "候補" at the right of the point panel's top row; "⊃" and "⊂" in the
// symbol picker's last column.
void Plot::designHistoryButtons()
{
    Command60.setCaption(QStringLiteral("Undo"));
    Command60.Move(1450.0, 6800.0, 1000.0, 330.0);
    Command61.setCaption(QStringLiteral("Rdo"));
    Command61.Move(2550.0, 6800.0, 1000.0, 330.0);
    Command61.setVisible(false);
    Command48.setCaption(QStringLiteral("候補"));
    Command48.Move(2700.0, 300.0, 1100.0, 330.0);
    Command62.setCaption(QStringLiteral("⊃"));
    Command62.Move(3420.0, 20.0, 420.0, 300.0);
    Command63.setCaption(QStringLiteral("⊂"));
    Command63.Move(3420.0, 600.0, 420.0, 300.0);
}

// The point panel's bottom row: ピック at the left, 終了 at the right,
// below 取消 and 記録; the symbol picker's 閉じる in its last column below
// "⊂".
void Plot::designPointPanelEnds()
{
    Check24.setCaption(QStringLiteral("ピック"));
    Check24.Move(100.0, 1950.0, 1000.0, 300.0);
    Command26.setCaption(QStringLiteral("終了"));
    Command26.Move(2700.0, 1950.0, 1100.0, 330.0);
    Command25.setCaption(QStringLiteral("閉じる"));
    Command25.setFontSize(7.0);
    Command25.Move(3400.0, 1000.0, 480.0, 600.0);
}

// The readouts of a press lie over the plot below the cursor readout,
// transparent; the panels' further buttons stand where their operations
// leave room (記録 beside 取消 over the symbol picker, which the operation
// that shows them hides).
void Plot::designPointerControls()
{
    for (platform::Label* readout : {&Label29, &Label30}) {
        readout->setCaption(QString());
        readout->setBackStyle(0);
        readout->setBorderStyle(0);
    }
    Label29.Move(100.0, 380.0, 2000.0, 250.0);
    Label30.Move(2150.0, 380.0, 1500.0, 250.0);

    const auto button = [](platform::CommandButton& b, const QString& caption, double left, double top,
                           double width, bool visible) {
        b.setCaption(caption);
        b.Move(left, top, width, 330.0);
        b.setVisible(visible);
    };
    button(Command43, QStringLiteral("記録"), 1300.0, 1500.0, 1100.0, false);
    button(Command30, QStringLiteral("取消"), 100.0, 2200.0, 1000.0, false);

    Frame13.Move(100.0, 2300.0, 3900.0, 750.0);
    Frame13.setCaption(QStringLiteral("器械点バック点指示"));
    Frame13.setVisible(false);
    const struct {
        platform::OptionButton* option;
        const char16_t* caption;
    } stations[] = {{&Option26, u"機械"}, {&Option27, u"BACK"}, {&Option28, u"FOR"}};
    double left = 100.0;
    for (const auto& station : stations) {
        station.option->setCaption(QString::fromUtf16(station.caption));
        station.option->Move(left, 330.0, 1100.0, 270.0);
        left += 1200.0;
    }
    Option26.setValue(true);
}

// The settings and the remaining commands sit in two low rows beside 線色,
// between the history buttons and the web-map frame; the results panel lies over the plot's left edge, 4250 twips from
// the top, hidden until a result is shown.
void Plot::designSettingsButtons()
{
    // Beside 線色, in a slightly smaller type so that the five fit.
    const auto button = [](platform::CommandButton& b, const QString& caption, double left, double top,
                           double width) {
        b.setCaption(caption);
        b.setFontSize(8.0);
        b.Move(left, top, width, 270.0);
    };
    button(Command19, QStringLiteral("条  件"), 1150.0, 7140.0, 700.0);
    button(Command55, QStringLiteral("表示色"), 1875.0, 7140.0, 750.0);
    button(Command64, QStringLiteral("テンキー表示"), 2650.0, 7140.0, 1250.0);
    button(Command65, QStringLiteral("図上面積計測"), 1150.0, 7420.0, 1200.0);
    button(Command53, QStringLiteral("表示対象番号指定"), 2375.0, 7420.0, 1525.0);

    Frame16.Move(0.0, 4250.0, 4000.0, 2400.0);
    Frame16.setCaption(QString());
    Frame16.setVisible(false);
    Text18.setMultiLine(true);
    Text18.Move(100.0, 150.0, 3800.0, 1700.0);
    button(Command83, QStringLiteral("閉じる"), 100.0, 1950.0, 1200.0);
    button(Command84, QStringLiteral("消去して閉じる"), 1400.0, 1950.0, 2000.0);
    for (platform::CommandButton* b : {&Command83, &Command84}) {
        b->setFontSize(9.0);
        b->setHeight(330.0);
    }
}

void addPlotWiring(PlotWiring wiring)
{
    wirings().push_back(std::move(wiring));
}

void clearPlotWirings()
{
    wirings().clear();
}

platform::FormHolder<Plot>& plotForm()
{
    static platform::FormHolder<Plot> holder;
    return holder;
}

}  // namespace tavelcor
