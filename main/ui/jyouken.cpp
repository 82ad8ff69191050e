// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/jyouken.h"

#include "geodesy/format_fixed.h"
#include "main/render/dialog_support.h"
#include "main/render/linewidth.h"
#include "main/render/window_plot_face.h"
#include "main/site/settings_file.h"
#include "main/site/tables.h"
#include "main/ui/pointcat.h"
#include "main/ui/settings_rules.h"
#include "main/ui/textcat.h"
#include "main/ui/ui_services.h"
#include "main/ui/work_folder.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

namespace tavelcor {

namespace {

constexpr double kFieldHeight = 285.0;
constexpr double kRowHeight = 270.0;
constexpr double kPlacementGap = 400.0;
constexpr int kMarkRows = 10;

void place(platform::Control& control, const QString& caption, double left, double top, double width)
{
    if (auto* option = dynamic_cast<platform::OptionButton*>(&control))
        option->setCaption(caption);
    else if (auto* check = dynamic_cast<platform::CheckBox*>(&control))
        check->setCaption(caption);
    else if (auto* label = dynamic_cast<platform::Label*>(&control))
        label->setCaption(caption);
    control.Move(left, top, width, kRowHeight);
}

void field(platform::TextBox& text, double left, double top, double width)
{
    text.Move(left, top, width, kFieldHeight);
}

void placeFrame(platform::Frame& f, const QString& caption, double left, double top, double width, double height)
{
    f.setCaption(caption);
    f.Move(left, top, width, height);
}

// The fixed-decimals text of an SXF height, as the field shows it.
QString heightText(float value)
{
    return QString::fromStdString(geodesy::FormatFixed(value, 4, 1));
}

// "ticked" for a check box value of 1; greyed (2) counts as clear.
bool ticked(const platform::CheckBox& box)
{
    return box.Value() == 1;
}

void setTicked(platform::CheckBox& box, bool on)
{
    box.setValue(on ? 1 : 0);
}

void selectWhole(platform::TextBox& text)
{
    text.setSelStart(0);
    text.setSelLength(static_cast<int>(text.Text().size()));
}

}  // namespace

Jyouken::Jyouken() : platform::Form(QStringLiteral("jyouken"))
{
    setCaption(QStringLiteral("条件"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(13700.0, 7950.0);
    designLeftColumn();
    designMiddleColumn();
    designRightColumn();
    designButtons();
    wireHandlers();
}

void Jyouken::designLeftColumn()
{
    placeFrame(Frame1, QStringLiteral("座標ヒットの許容範囲　　　1-30(10)"), 100.0, 100.0, 4400.0, 600.0);
    field(Text1, 150.0, 250.0, 800.0);
    placeFrame(Frame2, QStringLiteral("文字サイズ8-30(10)"), 100.0, 750.0, 4400.0, 600.0);
    field(Text2, 150.0, 250.0, 800.0);
    placeFrame(Frame3, QStringLiteral("画面サイズ　 現状=0 最大=1 3/4=2 2/3=3"), 100.0, 1400.0, 4400.0, 600.0);
    field(Text3, 150.0, 250.0, 800.0);
    placeFrame(Frame4, QStringLiteral("放射逆計算の機械バックの記憶"), 100.0, 2050.0, 4400.0, 600.0);
    place(Option3, QStringLiteral("する"), 150.0, 260.0, 1200.0);
    place(Option4, QStringLiteral("しない"), 1500.0, 260.0, 1200.0);
    placeFrame(Frame5, QStringLiteral("対角ドラッグ拡大"), 100.0, 2700.0, 4400.0, 600.0);
    place(Option1, QStringLiteral("す　る"), 150.0, 260.0, 1200.0);
    place(Option2, QStringLiteral("しない"), 1500.0, 260.0, 1200.0);
    placeFrame(Frame6, QStringLiteral("GPS準備中メッセージ"), 100.0, 3350.0, 4400.0, 600.0);
    place(Option6, QStringLiteral("出　す"), 150.0, 260.0, 1200.0);
    place(Option5, QStringLiteral("出さない"), 1500.0, 260.0, 1400.0);

    placeFrame(Frame7, QStringLiteral("SXF 条件"), 100.0, 4000.0, 4400.0, 1950.0);
    const struct {
        platform::Label* caption;
        platform::TextBox* text;
        platform::Label* unit;
        const char16_t* name;
    } heights[] = {{&Label4, &Text4, &Label7, u"テキスト文字高"},
                   {&Label5, &Text5, &Label8, u"POINTマーク高"},
                   {&Label6, &Text6, &Label9, u"POINT  文字高"}};
    double top = 250.0;
    for (const auto& row : heights) {
        place(*row.caption, QString::fromUtf16(row.name), 150.0, top + 20.0, 1900.0);
        field(*row.text, 2100.0, top, 800.0);
        place(*row.unit, QStringLiteral("mm"), 3000.0, top + 20.0, 500.0);
        top += 340.0;
    }
    placeFrame(Frame8, QStringLiteral("マーク出力"), 150.0, 1300.0, 4100.0, 580.0);
    place(Option7, QStringLiteral("記号"), 150.0, 240.0, 1200.0);
    place(Option8, QStringLiteral("文字"), 1500.0, 240.0, 1200.0);

    placeFrame(Frame9, QStringLiteral("バックアップ間隔"), 100.0, 6000.0, 4400.0, 600.0);
    field(Text7, 150.0, 250.0, 600.0);
    place(Label10, QStringLiteral("分"), 850.0, 270.0, 300.0);
    place(Label11, QStringLiteral("０ はbackupなし"), 1300.0, 270.0, 2000.0);
}

void Jyouken::designMiddleColumn()
{
    placeFrame(Frame10, QStringLiteral("テキスト半角スペース改行"), 4600.0, 100.0, 4400.0, 600.0);
    place(Option10, QStringLiteral("す　る"), 150.0, 260.0, 1200.0);
    place(Option9, QStringLiteral("しない"), 1500.0, 260.0, 1200.0);
    placeFrame(Frame11, QStringLiteral("テキスト属性表示"), 4600.0, 750.0, 4400.0, 900.0);
    place(Label12, QStringLiteral("テキスト編集に改行編集を使う"), 150.0, 250.0, 4100.0);
    place(Option11, QStringLiteral("する"), 150.0, 560.0, 1200.0);
    place(Option12, QStringLiteral("しない"), 1500.0, 560.0, 1200.0);

    const auto marks = [](platform::Frame& box, platform::ControlArray<platform::CheckBox>& checks,
                          platform::CommandButton& all, platform::CommandButton& none) {
        for (int i = 0; i < kMarkRows; ++i) {
            platform::CheckBox& check = checks.add(i, box);
            place(check, QString::number(i + 1), 150.0 + (i % 5) * 600.0, 260.0 + (i / 5) * 330.0, 560.0);
        }
        all.setCaption(QStringLiteral("選"));
        all.Move(3300.0, 230.0, 600.0, 320.0);
        none.setCaption(QStringLiteral("消"));
        none.Move(3300.0, 580.0, 600.0, 320.0);
    };
    placeFrame(Frame12, QStringLiteral("改行text表示非表示設定"), 4600.0, 1750.0, 4400.0, 1000.0);
    marks(Frame12, Check1, Command10, Command9);
    placeFrame(Frame13, QStringLiteral("sima画地属性表示設定"), 4600.0, 2850.0, 4400.0, 1000.0);
    marks(Frame13, Check2, Command12, Command11);

    placeFrame(Frame14, QStringLiteral("コマンドヒットで、追加に戻す"), 4600.0, 3950.0, 4400.0, 600.0);
    place(Option13, QStringLiteral("戻さず"), 150.0, 260.0, 1100.0);
    place(Option14, QStringLiteral("戻す"), 1300.0, 260.0, 900.0);
    place(Option21, QStringLiteral("削除のみ戻す"), 2250.0, 260.0, 2000.0);
    placeFrame(Frame15, QStringLiteral("WEMBRA LINK"), 4600.0, 4650.0, 4400.0, 600.0);
    place(Option20, QStringLiteral("使う"), 150.0, 260.0, 1200.0);
    place(Option19, QStringLiteral("使わない"), 1500.0, 260.0, 1400.0);
}

void Jyouken::designRightColumn()
{
    placeFrame(Frame16, QStringLiteral("電子国土"), 9100.0, 100.0, 4450.0, 1300.0);
    place(Label13, QStringLiteral("座標系"), 150.0, 270.0, 1200.0);
    field(Text8, 1400.0, 250.0, 700.0);
    place(Label14, QStringLiteral("画面枚数"), 150.0, 610.0, 1200.0);
    field(Text9, 1400.0, 590.0, 700.0);
    place(Check3, QStringLiteral("電子国土非接続"), 150.0, 950.0, 3000.0);
    placeFrame(Frame17, QStringLiteral("マウス横文字　　9=非表示"), 9100.0, 1500.0, 4450.0, 600.0);
    place(Label15, QStringLiteral("スライド倍率"), 150.0, 270.0, 1500.0);
    field(Text10, 1700.0, 250.0, 800.0);
    placeFrame(Frame18, QString(), 9100.0, 2200.0, 4450.0, 550.0);
    place(Check4, QStringLiteral("ポイント入力をダブルクリックにする"), 150.0, 200.0, 4200.0);
    placeFrame(Frame19, QStringLiteral("表示数上限"), 9100.0, 2850.0, 4450.0, 950.0);
    place(Label16, QStringLiteral("ポイント"), 150.0, 270.0, 1200.0);
    field(Text12, 1400.0, 250.0, 1600.0);
    place(Label17, QStringLiteral("テキスト"), 150.0, 610.0, 1200.0);
    field(Text13, 1400.0, 590.0, 1600.0);
    placeFrame(Frame20, QString(), 9100.0, 3900.0, 4450.0, 550.0);
    place(Option15, QStringLiteral("SDL"), 150.0, 200.0, 1000.0);
    place(Option16, QStringLiteral("TS"), 1300.0, 200.0, 1000.0);
    placeFrame(Frame21, QString(), 9100.0, 4550.0, 4450.0, 850.0);
    place(Check6, QStringLiteral("選択中のみ表示"), 150.0, 200.0, 3000.0);
    place(Check5, QStringLiteral("Kintab Auto"), 150.0, 500.0, 3000.0);
    place(Check7, QStringLiteral("可変"), 9200.0, 5500.0, 1500.0);
    placeFrame(Frame22, QString(), 9100.0, 5850.0, 4450.0, 550.0);
    place(Check8, QStringLiteral("記録メイン"), 150.0, 200.0, 2000.0);
    place(Check9, QStringLiteral("保存時表示位置を記憶する"), 9200.0, 6500.0, 4300.0);
    place(Check10, QStringLiteral("選択画地塗をり潰す"), 9200.0, 6850.0, 4300.0);
}

void Jyouken::designButtons()
{
    const auto button = [](platform::CommandButton& b, const QString& caption, double left, double top,
                           double width) {
        b.setCaption(caption);
        b.Move(left, top, width, 420.0);
    };
    button(Command4, QStringLiteral("線の太さ変更"), 4600.0, 5400.0, 2150.0);
    button(Command5, QStringLiteral("ポイント定義"), 6850.0, 5400.0, 2150.0);
    button(Command6, QStringLiteral("テキスト定義"), 4600.0, 5900.0, 2150.0);
    button(Command7, QStringLiteral("テンキー表示"), 6850.0, 5900.0, 2150.0);
    button(Command3, QStringLiteral("一時保存File消去"), 4600.0, 6400.0, 2150.0);
    button(Command8, QStringLiteral("AR2 MAKE"), 6850.0, 6400.0, 2150.0);
    button(Command1, QStringLiteral("Ｏ　Ｋ"), 4600.0, 7300.0, 2150.0);
    button(Command2, QStringLiteral("CANCEL"), 6850.0, 7300.0, 2150.0);
}

void Jyouken::wireHandlers()
{
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { platform::Unload(*this); };
    Command3.Click = [this] { Command3_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command4.Click = [] {
        Linewidth& dialog = linewidth();
        const Plot& window = plot();
        dialog.setLeft(window.Left() + window.protprp.Left());
        dialog.setTop(window.Top() + window.protprp.Top());
        dialog.ShowModal();
    };
    Command5.Click = [] { pointcat().ShowModal(); };
    Command6.Click = [] { textcat().ShowModal(); };
    Command7.Click = [] { startKeypadProgram(); };
    const auto tickAll = [](platform::ControlArray<platform::CheckBox>& checks, bool on) {
        for (int i = 0; i < kMarkRows; ++i)
            setTicked(checks(i), on);
    };
    Command10.Click = [this, tickAll] { tickAll(Check1, true); };
    Command9.Click = [this, tickAll] { tickAll(Check1, false); };
    Command12.Click = [this, tickAll] { tickAll(Check2, true); };
    Command11.Click = [this, tickAll] { tickAll(Check2, false); };

    // The three groups that act at once.
    Option10.Click = [] { TxtSplit = -1; };
    Option9.Click = [] { TxtSplit = 0; };
    Option11.Click = [] { TxtLineEdit = -1; };
    Option12.Click = [] { TxtLineEdit = 0; };
    Text9.Change = [this] { TileScreens = tileScreensFromText(Text9.Text()); };

    Text1.DblClick = [this] { Text1.setText(stepHitRadius(Text1.Text())); };
    Text2.DblClick = [this] { Text2.setText(stepFontSize(Text2.Text())); };
    Text3.DblClick = [this] { Text3.setText(stepWindowLayout(Text3.Text())); };
    for (platform::TextBox* text : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text10})
        text->GotFocus = [text] { selectWhole(*text); };
}

void Jyouken::Form_Load()
{
    const UiServices& services = uiServices();
    LoadSettings(services.applyWindowLayout ? services.applyWindowLayout : std::function<void(float)>{});
    for (platform::TextBox* text : {&Text1, &Text2, &Text7})
        text->setMaxLength(3);
    for (platform::TextBox* text : {&Text4, &Text5, &Text6})
        text->setMaxLength(5);
    fillTexts();
    fillChoices();
}

void Jyouken::fillTexts()
{
    Text1.setText(platform::Str(HitRadius));
    Text2.setText(platform::Str(tavelcor::FontSize));
    Text3.setText(platform::StrSingle(WindowLayout));
    Text4.setText(heightText(SxfTextH));
    Text5.setText(heightText(SxfMarkH));
    Text6.setText(heightText(SxfPointTextH));
    Text7.setText(platform::Str(BackupMinutes));
    Text8.setText(platform::Trim(platform::Str(ZoneNo)));
    Text9.setText(platform::Trim(platform::Str(TileScreens)));
    Text10.setText(platform::Trim(platform::StrSingle(SlideFactor)));
    Text12.setText(platform::Str(PointLimit));
    Text13.setText(platform::Str(TxtLimit));
}

void Jyouken::fillChoices()
{
    (KeepStation == QStringLiteral("2") ? Option4 : Option3).setValue(true);
    (DiagZoom == 2 ? Option2 : Option1).setValue(true);
    (GpsWaitMsg == 1 ? Option6 : Option5).setValue(true);
    (SxfMarkMode == 1 ? Option7 : Option8).setValue(true);
    (TxtSplit != 0 ? Option10 : Option9).setValue(true);
    (TxtLineEdit == -1 ? Option11 : Option12).setValue(true);
    for (int i = 0; i < kMarkRows; ++i) {
        setTicked(Check1(i), TxtLineShow[i + 1] != 1);
        setTicked(Check2(i), KakuchiAttrShow[i + 1] != 1);
    }
    (BackToAdd == 1 ? Option14 : BackToAdd == 2 ? Option21 : Option13).setValue(true);
    (WembraOff == 1 ? Option19 : Option20).setValue(true);
    setTicked(Check3, GsiOffline == 1);
    setTicked(Check4, DblClickInput == 1);
    (CollectorSdl != 0 ? Option15 : Option16).setValue(true);
    setTicked(Check6, SelOnly != 0);
    setTicked(Check5, KintabAuto == 1);
    Check7.setValue(VarFont <= 2 ? VarFont : 1);
    setTicked(Check8, RecordMain == 1);
    setTicked(Check9, KeepView == 1);
    setTicked(Check10, FillSelected != 9);
}

void Jyouken::Form_Activate()
{
    if (const UiServices& services = uiServices(); services.closeBackgroundWindow)
        services.closeBackgroundWindow();
    placeTopRight(*this, plot(), kPlacementGap);
}

void Jyouken::Command1_Click()
{
    applyTexts();
    applyChoices();
    crtplot();
    // The settings are in force for this run either way; a file that could
    // not be written is said, since the next opening re-reads the old one.
    if (const WriteResult saved = SaveSettings([] { plot().Timer3.setEnabled(true); }); saved.failed())
        platform::MsgBox(saveFailedMessage(saved));
    platform::Unload(*this);
}

void Jyouken::applyTexts()
{
    if (const auto value = fontSizeFromText(Text2.Text()))
        tavelcor::FontSize = *value;
    if (const auto value = hitRadiusFromText(Text1.Text()))
        HitRadius = *value;
    if (const auto value = sxfHeightFromText(Text4.Text()))
        SxfTextH = *value;
    if (const auto value = sxfHeightFromText(Text5.Text()))
        SxfMarkH = *value;
    if (const auto value = sxfHeightFromText(Text6.Text()))
        SxfPointTextH = *value;
    if (const auto value = backupMinutesFromText(Text7.Text()))
        BackupMinutes = *value;
    if (const auto value = slideFactorFromText(Text10.Text()))
        SlideFactor = *value;
    const ZoneEntry zone = zoneFromText(Text8.Text());
    if (zone.resetText)
        Text8.setText(QStringLiteral("6"));
    ZoneNo = zone.zone;
    if (const auto value = windowLayoutFromText(Text3.Text())) {
        WindowLayout = *value;
        if (const UiServices& services = uiServices(); services.applyWindowLayout)
            services.applyWindowLayout(WindowLayout);
    }
}

void Jyouken::applyChoices()
{
    KeepStation = Option3.Value() ? QStringLiteral("1") : QStringLiteral("2");
    DiagZoom = Option1.Value() ? 1 : 2;
    GpsWaitMsg = Option6.Value() ? 1 : 0;
    SxfMarkMode = Option7.Value() ? 1 : 0;
    BackToAdd = Option14.Value() ? 1 : Option21.Value() ? 2 : 0;
    KintabAuto = ticked(Check5) ? 1 : 0;
    SelOnly = ticked(Check6) ? 1 : 0;
    for (int i = 0; i < kMarkRows; ++i) {
        TxtLineShow[i + 1] = ticked(Check1(i)) ? 0 : 1;
        KakuchiAttrShow[i + 1] = ticked(Check2(i)) ? 0 : 1;
    }
    WembraOff = Option19.Value() ? 1 : 0;
    GsiOffline = ticked(Check3) ? 1 : 0;
    DblClickInput = ticked(Check4) ? 1 : 0;
    CollectorSdl = Option15.Value() ? 1 : 0;
    RecordMain = ticked(Check8) ? 1 : 0;
    KeepView = ticked(Check9) ? 1 : 0;
    FillSelected = ticked(Check10) ? 0 : 9;
    VarFont = static_cast<std::uint8_t>(Check7.Value());
    if (const auto value = displayLimitFromText(Text12.Text()))
        PointLimit = *value;
    if (const auto value = displayLimitFromText(Text13.Text()))
        TxtLimit = *value;
}

void Jyouken::Command3_Click()
{
    clearWorkFolderAsked(*this);
}

void Jyouken::Command8_Click()
{
    rebuildTileIndex(*this);
}

platform::FormHolder<Jyouken>& jyoukenForm()
{
    static platform::FormHolder<Jyouken> holder;
    return holder;
}

void Command19_Click(Plot& window)
{
    window.Timer1.setEnabled(false);
    jyouken().ShowModal();
    if (window.Check5.Value() == 1) {
        window.Check7.setVisible(true);
        window.Check11.setVisible(true);
        window.Timer1.setInterval(500);
        window.Timer1.setEnabled(true);
    }
    window.Picture1.SetFocus();
}

}  // namespace tavelcor
