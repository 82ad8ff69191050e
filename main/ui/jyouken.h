// SPDX-License-Identifier: LicenseRef-Tavelcor
// The settings dialog jyouken ("条件"), opened modally by the main window's
// button 条  件 (Command19). Every opening re-reads tavelcor.jkn and fills
// the fields; "Ｏ　Ｋ" checks each field against its range (settings_rules.h),
// stores what passes, redraws, saves the file and closes; "CANCEL" and the
// close box only close. Three groups act at once in memory, before "Ｏ　Ｋ"
// and also when the dialog is then cancelled: the text-split and the
// line-break-edit options on each click, and the screens field on each
// change. Besides, the dialog opens the line-width dialog and the two
// catalogue editors, starts the keypad program, clears the work folder and
// rebuilds the tile list "Eld.AR2".
#pragma once

#include "platform/forms/forms.h"

namespace tavelcor {

class Plot;

class Jyouken final : public platform::Form {
public:
    Jyouken();

    // Left column.
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::TextBox Text1{Frame1, QStringLiteral("Text1")};  // HitRadius
    platform::Frame Frame2{*this, QStringLiteral("Frame2")};
    platform::TextBox Text2{Frame2, QStringLiteral("Text2")};  // FontSize
    platform::Frame Frame3{*this, QStringLiteral("Frame3")};
    platform::TextBox Text3{Frame3, QStringLiteral("Text3")};  // WindowLayout
    platform::Frame Frame4{*this, QStringLiteral("Frame4")};
    platform::OptionButton Option3{Frame4, QStringLiteral("Option3")};  // する
    platform::OptionButton Option4{Frame4, QStringLiteral("Option4")};  // しない
    platform::Frame Frame5{*this, QStringLiteral("Frame5")};
    platform::OptionButton Option1{Frame5, QStringLiteral("Option1")};  // す　る
    platform::OptionButton Option2{Frame5, QStringLiteral("Option2")};  // しない
    platform::Frame Frame6{*this, QStringLiteral("Frame6")};
    platform::OptionButton Option6{Frame6, QStringLiteral("Option6")};  // 出　す
    platform::OptionButton Option5{Frame6, QStringLiteral("Option5")};  // 出さない
    platform::Frame Frame7{*this, QStringLiteral("Frame7")};            // SXF 条件
    platform::Label Label4{Frame7, QStringLiteral("Label4")};
    platform::TextBox Text4{Frame7, QStringLiteral("Text4")};  // SxfTextH
    platform::Label Label5{Frame7, QStringLiteral("Label5")};
    platform::TextBox Text5{Frame7, QStringLiteral("Text5")};  // SxfMarkH
    platform::Label Label6{Frame7, QStringLiteral("Label6")};
    platform::TextBox Text6{Frame7, QStringLiteral("Text6")};  // SxfPointTextH
    platform::Label Label7{Frame7, QStringLiteral("Label7")};  // mm
    platform::Label Label8{Frame7, QStringLiteral("Label8")};  // mm
    platform::Label Label9{Frame7, QStringLiteral("Label9")};  // mm
    platform::Frame Frame8{Frame7, QStringLiteral("Frame8")};  // マーク出力
    platform::OptionButton Option7{Frame8, QStringLiteral("Option7")};  // 記号
    platform::OptionButton Option8{Frame8, QStringLiteral("Option8")};  // 文字
    platform::Frame Frame9{*this, QStringLiteral("Frame9")};            // バックアップ間隔
    platform::TextBox Text7{Frame9, QStringLiteral("Text7")};           // BackupMinutes
    platform::Label Label10{Frame9, QStringLiteral("Label10")};         // 分
    platform::Label Label11{Frame9, QStringLiteral("Label11")};         // ０ はbackupなし

    // Middle column.
    platform::Frame Frame10{*this, QStringLiteral("Frame10")};
    platform::OptionButton Option10{Frame10, QStringLiteral("Option10")};  // す　る
    platform::OptionButton Option9{Frame10, QStringLiteral("Option9")};    // しない
    platform::Frame Frame11{*this, QStringLiteral("Frame11")};
    platform::Label Label12{Frame11, QStringLiteral("Label12")};
    platform::OptionButton Option11{Frame11, QStringLiteral("Option11")};  // する
    platform::OptionButton Option12{Frame11, QStringLiteral("Option12")};  // しない
    platform::Frame Frame12{*this, QStringLiteral("Frame12")};
    platform::ControlArray<platform::CheckBox> Check1{QStringLiteral("Check1")};  // 0..9
    platform::CommandButton Command10{Frame12, QStringLiteral("Command10")};      // 選
    platform::CommandButton Command9{Frame12, QStringLiteral("Command9")};        // 消
    platform::Frame Frame13{*this, QStringLiteral("Frame13")};
    platform::ControlArray<platform::CheckBox> Check2{QStringLiteral("Check2")};  // 0..9
    platform::CommandButton Command12{Frame13, QStringLiteral("Command12")};      // 選
    platform::CommandButton Command11{Frame13, QStringLiteral("Command11")};      // 消
    platform::Frame Frame14{*this, QStringLiteral("Frame14")};
    platform::OptionButton Option13{Frame14, QStringLiteral("Option13")};  // 戻さず
    platform::OptionButton Option14{Frame14, QStringLiteral("Option14")};  // 戻す
    platform::OptionButton Option21{Frame14, QStringLiteral("Option21")};  // 削除のみ戻す
    platform::Frame Frame15{*this, QStringLiteral("Frame15")};
    platform::OptionButton Option20{Frame15, QStringLiteral("Option20")};  // 使う
    platform::OptionButton Option19{Frame15, QStringLiteral("Option19")};  // 使わない

    // Right column.
    platform::Frame Frame16{*this, QStringLiteral("Frame16")};  // 電子国土
    platform::Label Label13{Frame16, QStringLiteral("Label13")};
    platform::TextBox Text8{Frame16, QStringLiteral("Text8")};  // ZoneNo
    platform::Label Label14{Frame16, QStringLiteral("Label14")};
    platform::TextBox Text9{Frame16, QStringLiteral("Text9")};  // TileScreens
    platform::CheckBox Check3{Frame16, QStringLiteral("Check3")};  // 電子国土非接続
    platform::Frame Frame17{*this, QStringLiteral("Frame17")};
    platform::Label Label15{Frame17, QStringLiteral("Label15")};
    platform::TextBox Text10{Frame17, QStringLiteral("Text10")};  // SlideFactor
    platform::Frame Frame18{*this, QStringLiteral("Frame18")};
    platform::CheckBox Check4{Frame18, QStringLiteral("Check4")};  // DblClickInput
    platform::Frame Frame19{*this, QStringLiteral("Frame19")};      // 表示数上限
    platform::Label Label16{Frame19, QStringLiteral("Label16")};
    platform::TextBox Text12{Frame19, QStringLiteral("Text12")};  // PointLimit
    platform::Label Label17{Frame19, QStringLiteral("Label17")};
    platform::TextBox Text13{Frame19, QStringLiteral("Text13")};  // TxtLimit
    platform::Frame Frame20{*this, QStringLiteral("Frame20")};
    platform::OptionButton Option15{Frame20, QStringLiteral("Option15")};  // SDL
    platform::OptionButton Option16{Frame20, QStringLiteral("Option16")};  // TS
    platform::Frame Frame21{*this, QStringLiteral("Frame21")};
    platform::CheckBox Check6{Frame21, QStringLiteral("Check6")};  // SelOnly
    platform::CheckBox Check5{Frame21, QStringLiteral("Check5")};  // KintabAuto
    platform::CheckBox Check7{*this, QStringLiteral("Check7")};      // VarFont
    platform::Frame Frame22{*this, QStringLiteral("Frame22")};
    platform::CheckBox Check8{Frame22, QStringLiteral("Check8")};  // RecordMain
    platform::CheckBox Check9{*this, QStringLiteral("Check9")};      // KeepView
    platform::CheckBox Check10{*this, QStringLiteral("Check10")};    // FillSelected

    // Buttons.
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  // Ｏ　Ｋ
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  // CANCEL
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};  // 一時保存File消去
    platform::CommandButton Command8{*this, QStringLiteral("Command8")};  // AR2 MAKE
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};  // 線の太さ変更
    platform::CommandButton Command5{*this, QStringLiteral("Command5")};  // ポイント定義
    platform::CommandButton Command6{*this, QStringLiteral("Command6")};  // テキスト定義
    platform::CommandButton Command7{*this, QStringLiteral("Command7")};  // テンキー表示

    void Command1_Click();
    void Command3_Click();
    void Command8_Click();

private:
    void designLeftColumn();
    void designMiddleColumn();
    void designRightColumn();
    void designButtons();
    void wireHandlers();

    void Form_Load();
    void Form_Activate();
    void fillTexts();
    void fillChoices();
    void applyTexts();
    void applyChoices();
};

platform::FormHolder<Jyouken>& jyoukenForm();
inline Jyouken& jyouken()
{
    return jyoukenForm().instance();
}

/// The main window's 条  件: switches the GPS poll Timer1 off, shows the
/// settings dialog modally, and afterwards, while GPS is on (Check5 ticked),
/// shows the GPS switches Check7 and Check11 and polls again every 500 ms;
/// then gives the focus to the plot.
void Command19_Click(Plot& window);

}  // namespace tavelcor
