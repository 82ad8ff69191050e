// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window `plot` as a list of controls.
//
// The class holds the controls with their design values and nothing else:
// each part of the program wires the handlers it owns in a function of its
// own folder, registered with addPlotWiring() before the window is first
// used, so this library depends on no part of the program.
//
// Geometry is in twips. The window's design size is 15360 x 11520 twips
// (1024 x 768 pixels at 96 dpi); Form_Resize of the start-up code keeps the
// plot and the side panel in place when the size changes.
#pragma once

#include "platform/forms/forms.h"
#include "platform/prompt/common_dialog.h"

#include <functional>

namespace tavelcor {

class Plot : public platform::Form {
public:
    Plot();
    ~Plot() override;

    // --- the plot surface and what lies on it ---------------------------------
    /// The plot: persistent picture with the user scale of the site.
    platform::PictureBox Picture1{*this, QStringLiteral("Picture1")};
    /// Status label over the plot (L_28SET shows texts in it).
    platform::Label Label28{Picture1, QStringLiteral("Label28")};
    /// Scale bar: Label26 is the bar (its width is the bar's length),
    /// Label25 the caption below it ("100m", ...), in front of the bar. Both
    /// in the plot's scale.
    platform::Label Label26{Picture1, QStringLiteral("Label26")};
    platform::Label Label25{Picture1, QStringLiteral("Label25")};

    // --- hidden picture boxes ------------------------------------------------
    /// Plain white source of the brightness veil.
    platform::PictureBox Picture3{*this, QStringLiteral("Picture3")};
    /// The map credit image, saved as ELD.BMP in the work folder at start.
    platform::PictureBox Picture4{*this, QStringLiteral("Picture4")};
    /// Buffer of the background blend (first layer while the second draws).
    platform::PictureBox Picture5{*this, QStringLiteral("Picture5")};
    /// Cover picture of the print preview; work picture of the rasters.
    platform::PictureBox Picture6{*this, QStringLiteral("Picture6")};
    /// A plain white picture, saved as WHITE.BMP in the work folder at start.
    platform::PictureBox Picture7{*this, QStringLiteral("Picture7")};

    // --- side panel (standard layout) and command frame (compact layout) -----
    platform::Frame protprp{*this, QStringLiteral("protprp")};
    platform::Frame Frame15{*this, QStringLiteral("Frame15")};

    /// Save (保存): shown when a site is opened through the chooser.
    platform::CommandButton Command23{protprp, QStringLiteral("Command23")};
    /// SIMA registration (ＳＩＭＡ登録): shown after a SIMA file is read.
    platform::CommandButton Command1{protprp, QStringLiteral("Command1")};

    // Display switches of the plot.
    platform::CheckBox Check1{protprp, QStringLiteral("Check1")};    // ナンバー表示
    platform::CheckBox Check2{protprp, QStringLiteral("Check2")};    // 名称表示
    platform::CheckBox Check3{protprp, QStringLiteral("Check3")};    // 画地座標OFF
    platform::CheckBox Check6{protprp, QStringLiteral("Check6")};    // 地番表示
    platform::CheckBox Check12{protprp, QStringLiteral("Check12")};  // Ｐ points
    platform::CheckBox Check13{protprp, QStringLiteral("Check13")};  // Ｌ lines
    platform::CheckBox Check14{protprp, QStringLiteral("Check14")};  // 手 hand strokes
    platform::CheckBox Check15{protprp, QStringLiteral("Check15")};  // Ｔ texts
    platform::CheckBox Check16{protprp, QStringLiteral("Check16")};  // 済 measured names
    platform::CheckBox Check17{protprp, QStringLiteral("Check17")};  // 名 names
    platform::CheckBox Check32{protprp, QStringLiteral("Check32")};  // H elevation readout
    platform::CheckBox Check36{protprp, QStringLiteral("Check36")};  // 所 parcel info in labels

    /// The two shown ranges of coordinate numbers (hidden fields).
    platform::TextBox Text2{protprp, QStringLiteral("Text2")};
    platform::TextBox Text5{protprp, QStringLiteral("Text5")};
    platform::TextBox Text15{protprp, QStringLiteral("Text15")};
    platform::TextBox Text16{protprp, QStringLiteral("Text16")};


    /// Fill gauges of hand strokes, texts, points and lines.
    platform::ProgressBar ProgressBar1{protprp, QStringLiteral("ProgressBar1")};
    platform::ProgressBar ProgressBar2{protprp, QStringLiteral("ProgressBar2")};
    platform::ProgressBar ProgressBar3{protprp, QStringLiteral("ProgressBar3")};
    platform::ProgressBar ProgressBar4{protprp, QStringLiteral("ProgressBar4")};

    /// The backup tick (every 60 s once a site is opened by its sign file).
    platform::TimerControl Timer2{*this, QStringLiteral("Timer2")};

    // --- controls that start-up, save and shut-down show, hide or read -------
    /// The file dialog of the site chooser and of the save command.
    platform::CommonDialog CommonDialog1;
    /// The GPS poll (500 ms while GPS is on); shut-down stops it before saving.
    platform::TimerControl Timer1{*this, QStringLiteral("Timer1")};
    /// The workbook link timer (100 ms); saving the settings switches it on
    /// while the workbook link is in use.
    platform::TimerControl Timer3{*this, QStringLiteral("Timer3")};
    /// Search frame (検索): the search field, the parcel kind 地 and the
    /// parcel-number search 地番検索 on Text4. Start-up hides the parcel
    /// controls when the data hold no closed parcel.
    platform::Frame Frame1{protprp, QStringLiteral("Frame1")};
    platform::TextBox Text1{Frame1, QStringLiteral("Text1")};
    platform::OptionButton Option29{Frame1, QStringLiteral("Option29")};
    platform::CommandButton Command18{protprp, QStringLiteral("Command18")};
    platform::TextBox Text4{protprp, QStringLiteral("Text4")};
    /// The label 地番表示 beside the parcel-number switch Check6.
    platform::Label Label19{protprp, QStringLiteral("Label19")};
    /// Right-click frame (右クリック動作): the parcel mode 画地 with its
    /// switches 詳 and 範囲, and the link mode リンクＯＮ (hidden until a
    /// hand-over carries linked files).
    platform::Frame Frame2{protprp, QStringLiteral("Frame2")};
    platform::OptionButton Option5{Frame2, QStringLiteral("Option5")};
    platform::OptionButton Option32{Frame2, QStringLiteral("Option32")};
    platform::CheckBox Check35{Frame2, QStringLiteral("Check35")};
    platform::CheckBox Check37{Frame2, QStringLiteral("Check37")};
    /// The two-corner zoom buttons (対角) of the side panel and the compact frame.
    platform::CommandButton Command13{protprp, QStringLiteral("Command13")};
    platform::CommandButton Command74{Frame15, QStringLiteral("Command74")};
    /// The web-map buttons in their frame; hidden for an elevation profile.
    platform::Frame Frame8{protprp, QStringLiteral("Frame8")};
    platform::CommandButton Command46{Frame8, QStringLiteral("Command46")};
    platform::CommandButton Command56{Frame8, QStringLiteral("Command56")};
    platform::CommandButton Command58{Frame8, QStringLiteral("Command58")};
    /// 断面確認: arms the elevation-profile route and opens the profile
    /// dialog; outside the web-map frame, so the profile view keeps it. The
    /// profile builder's progress bar over the plot (hidden but while heights
    /// are fetched) and its save dialog.
    platform::CommandButton Command57{protprp, QStringLiteral("Command57")};
    platform::ProgressBar ProgressBar5{*this, QStringLiteral("ProgressBar5")};
    platform::CommonDialog CommonDialog3;
    /// The operation panels, visible exactly while open: points (Frame4),
    /// lines (Frame10, colour options Option14(i) in Frame7), hand strokes
    /// (Frame9, colour options Option8(i) in Frame5) and texts (Frame11,
    /// quick texts Option23(1..7) in Frame12). Colour option i is colour
    /// index i of the palette (0, 2, 3, 4, 6, 8..14).
    platform::Frame Frame4{protprp, QStringLiteral("Frame4")};
    /// The point panel's delete option (削除) and the two names of the
    /// observation point being entered ("済" in the second marks it done).
    platform::OptionButton Option10{Frame4, QStringLiteral("Option10")};
    platform::TextBox Text6{Frame4, QStringLiteral("Text6")};
    platform::TextBox Text7{Frame4, QStringLiteral("Text7")};
    /// The captions 名１ and 名２ in front of the two name fields.
    platform::Label Label22{Frame4, QStringLiteral("Label22")};
    platform::Label Label23{Frame4, QStringLiteral("Label23")};
    /// The point panel's other operations 追加 (chosen at start), 移動 and 属性,
    /// and its commit button 確定 (hidden at start).
    platform::OptionButton Option12{Frame4, QStringLiteral("Option12")};
    platform::OptionButton Option11{Frame4, QStringLiteral("Option11")};
    platform::OptionButton Option9{Frame4, QStringLiteral("Option9")};
    platform::CommandButton Command32{Frame4, QStringLiteral("Command32")};
    /// The point panel's cancel 取消 (shown after a point move, to take it
    /// back) and XY入力, which opens the point-move window once a point is
    /// picked for moving; both hidden at start.
    platform::CommandButton Command31{Frame4, QStringLiteral("Command31")};
    platform::CommandButton Command47{Frame4, QStringLiteral("Command47")};
    /// The symbol picker ポイント inside the point panel: marker buttons 1 to
    /// 18 (caption = symbol glyph, colour = symbol colour) with their labels,
    /// made by the design. A frame of its own, so that choosing a marker and
    /// choosing an operation of the panel do not clear each other.
    platform::Frame Frame6{Frame4, QStringLiteral("Frame6")};
    platform::ControlArray<platform::OptionButton> Option13{QStringLiteral("Option13")};
    platform::ControlArray<platform::Label> Label24{QStringLiteral("Label24")};
    platform::Frame Frame10{protprp, QStringLiteral("Frame10")};
    platform::Frame Frame7{Frame10, QStringLiteral("Frame7")};
    platform::Frame Frame9{protprp, QStringLiteral("Frame9")};
    platform::Frame Frame5{Frame9, QStringLiteral("Frame5")};
    platform::Frame Frame11{protprp, QStringLiteral("Frame11")};
    platform::Frame Frame12{Frame11, QStringLiteral("Frame12")};
    platform::ControlArray<platform::OptionButton> Option14{QStringLiteral("Option14")};
    platform::ControlArray<platform::OptionButton> Option8{QStringLiteral("Option8")};
    platform::ControlArray<platform::OptionButton> Option23{QStringLiteral("Option23")};
    /// The operations of the line panel (追加 chosen at start, 削除, 色変,
    /// 移動), the hand-stroke panel (追加 chosen at start, 削除) and the text
    /// panel (追加 chosen at start, 編集, 移動, 削除) with the text panel's
    /// 取消/確定 (hidden at start) and 終了 buttons and its free-text field
    /// (hidden at start, in the phrase frame).
    platform::OptionButton Option20{Frame10, QStringLiteral("Option20")};
    platform::OptionButton Option21{Frame10, QStringLiteral("Option21")};
    platform::OptionButton Option25{Frame10, QStringLiteral("Option25")};
    platform::OptionButton Option6{Frame10, QStringLiteral("Option6")};
    platform::OptionButton Option16{Frame9, QStringLiteral("Option16")};
    platform::OptionButton Option17{Frame9, QStringLiteral("Option17")};
    platform::OptionButton Option22{Frame11, QStringLiteral("Option22")};
    platform::OptionButton Option18{Frame11, QStringLiteral("Option18")};
    platform::OptionButton Option24{Frame11, QStringLiteral("Option24")};
    platform::OptionButton Option19{Frame11, QStringLiteral("Option19")};
    platform::CommandButton Command34{Frame11, QStringLiteral("Command34")};
    platform::CommandButton Command35{Frame11, QStringLiteral("Command35")};
    platform::TextBox Text8{Frame12, QStringLiteral("Text8")};
    /// The layer buttons ポイント, LINE, 手書き and TEXT that open the
    /// operation panels.
    platform::CommandButton Command20{protprp, QStringLiteral("Command20")};
    platform::CommandButton Command21{protprp, QStringLiteral("Command21")};
    platform::CommandButton Command22{protprp, QStringLiteral("Command22")};
    platform::CommandButton Command33{protprp, QStringLiteral("Command33")};
    /// The line and hand-stroke panels' end buttons 終了 (Command29,
    /// Command28), the line panel's snap switch ピック (on at start), the text
    /// panel's colour buttons 字 (Command36) and 色 (Command37) beside its
    /// field and its phrase-list button リスト (Command45), and the parcel
    /// line colour button 線色 (Command38) of the side panel.
    platform::CommandButton Command29{Frame10, QStringLiteral("Command29")};
    platform::CheckBox Check25{Frame10, QStringLiteral("Check25")};
    platform::CommandButton Command28{Frame9, QStringLiteral("Command28")};
    platform::CommandButton Command36{Frame12, QStringLiteral("Command36")};
    platform::CommandButton Command37{Frame12, QStringLiteral("Command37")};
    platform::CommandButton Command45{Frame11, QStringLiteral("Command45")};
    platform::CommandButton Command38{protprp, QStringLiteral("Command38")};

    // --- view commands, display switches and search ---------------------------
    /// Pan pad of the side panel (north-west .. south-east; the centre is the
    /// 対角 button Command13), zoom ＋ －, 全　体, 前画, 記憶, 復帰 and × (the
    /// compact layout).
    platform::CommandButton Command2{protprp, QStringLiteral("Command2")};
    platform::CommandButton Command7{protprp, QStringLiteral("Command7")};
    platform::CommandButton Command8{protprp, QStringLiteral("Command8")};
    platform::CommandButton Command12{protprp, QStringLiteral("Command12")};
    platform::CommandButton Command14{protprp, QStringLiteral("Command14")};
    platform::CommandButton Command15{protprp, QStringLiteral("Command15")};
    platform::CommandButton Command16{protprp, QStringLiteral("Command16")};
    platform::CommandButton Command17{protprp, QStringLiteral("Command17")};
    platform::CommandButton Command4{protprp, QStringLiteral("Command4")};
    platform::CommandButton Command5{protprp, QStringLiteral("Command5")};
    platform::CommandButton Command3{protprp, QStringLiteral("Command3")};
    platform::CommandButton Command39{protprp, QStringLiteral("Command39")};
    platform::CommandButton Command41{protprp, QStringLiteral("Command41")};
    platform::CommandButton Command40{protprp, QStringLiteral("Command40")};
    platform::CommandButton Command66{protprp, QStringLiteral("Command66")};
    /// 再表示: the re-display.
    platform::CommandButton Command6{protprp, QStringLiteral("Command6")};
    /// The compact frame's twins: 標準, ＋, －, the pan pad, the search field
    /// with its button and the search kinds Ｐ (Option31) and 地 (Option30).
    platform::CommandButton Command67{Frame15, QStringLiteral("Command67")};
    platform::CommandButton Command68{Frame15, QStringLiteral("Command68")};
    platform::CommandButton Command69{Frame15, QStringLiteral("Command69")};
    platform::CommandButton Command70{Frame15, QStringLiteral("Command70")};
    platform::CommandButton Command71{Frame15, QStringLiteral("Command71")};
    platform::CommandButton Command72{Frame15, QStringLiteral("Command72")};
    platform::CommandButton Command73{Frame15, QStringLiteral("Command73")};
    platform::CommandButton Command75{Frame15, QStringLiteral("Command75")};
    platform::CommandButton Command76{Frame15, QStringLiteral("Command76")};
    platform::CommandButton Command77{Frame15, QStringLiteral("Command77")};
    platform::CommandButton Command78{Frame15, QStringLiteral("Command78")};
    platform::TextBox Text17{Frame15, QStringLiteral("Text17")};
    platform::CommandButton Command80{Frame15, QStringLiteral("Command80")};
    platform::OptionButton Option31{Frame15, QStringLiteral("Option31")};
    platform::OptionButton Option30{Frame15, QStringLiteral("Option30")};
    /// Search frame: the kinds Ｐ (Option7) and Ｔ (Option15) beside 地, the
    /// comparisons 含 (Check33) and 先頭 (Check34), its button 検索 and the
    /// half-size of the view around a hit in metres (Text3).
    platform::OptionButton Option7{Frame1, QStringLiteral("Option7")};
    platform::OptionButton Option15{Frame1, QStringLiteral("Option15")};
    platform::CheckBox Check33{Frame1, QStringLiteral("Check33")};
    platform::CheckBox Check34{Frame1, QStringLiteral("Check34")};
    platform::CommandButton Command44{Frame1, QStringLiteral("Command44")};
    platform::TextBox Text3{Frame1, QStringLiteral("Text3")};
    /// P 最終: the last used point names.
    platform::CommandButton Command42{Frame1, QStringLiteral("Command42")};
    /// SIMA編集: the coordinate key-in window; shown while the right-click
    /// option MENU表示 is chosen, hidden at start.
    platform::CommandButton Command85{protprp, QStringLiteral("Command85")};
    /// 住所で地図表示 and the SXF export button (SXF作成).
    platform::CommandButton Command27{protprp, QStringLiteral("Command27")};
    platform::CommandButton Command10{protprp, QStringLiteral("Command10")};
    /// The KML export for the globe viewer (GoogleEarth KML).
    platform::CommandButton Command82{protprp, QStringLiteral("Command82")};
    /// Display switches without a caption of their own, named by the labels
    /// beside them: GPS (Check5), 軌跡 (Check7), 追従 (Check11), the station
    /// listing's height (Check10), 方向角表示 (Check9), Check8, the cursor
    /// readouts B and L (Check30, Check31) and the rows of colour boxes
    /// 赤 青 緑 for P (Check18..20), L (Check23..21) and T (Check28..26).
    platform::CheckBox Check5{protprp, QStringLiteral("Check5")};
    platform::CheckBox Check7{protprp, QStringLiteral("Check7")};
    platform::CheckBox Check11{protprp, QStringLiteral("Check11")};
    platform::CheckBox Check10{protprp, QStringLiteral("Check10")};
    platform::CheckBox Check8{protprp, QStringLiteral("Check8")};
    platform::CheckBox Check9{protprp, QStringLiteral("Check9")};
    platform::CheckBox Check30{protprp, QStringLiteral("Check30")};
    platform::CheckBox Check31{protprp, QStringLiteral("Check31")};
    platform::CheckBox Check18{protprp, QStringLiteral("Check18")};
    platform::CheckBox Check19{protprp, QStringLiteral("Check19")};
    platform::CheckBox Check20{protprp, QStringLiteral("Check20")};
    platform::CheckBox Check23{protprp, QStringLiteral("Check23")};
    platform::CheckBox Check22{protprp, QStringLiteral("Check22")};
    platform::CheckBox Check21{protprp, QStringLiteral("Check21")};
    platform::CheckBox Check28{protprp, QStringLiteral("Check28")};
    platform::CheckBox Check27{protprp, QStringLiteral("Check27")};
    platform::CheckBox Check26{protprp, QStringLiteral("Check26")};
    /// The labels P, L and T of the three rows of colour boxes.
    platform::Label LabelColourRowP{protprp, QStringLiteral("LabelColourRowP")};
    platform::Label LabelColourRowL{protprp, QStringLiteral("LabelColourRowL")};
    platform::Label LabelColourRowT{protprp, QStringLiteral("LabelColourRowT")};
    /// Labels whose click works a switch: ナンバー表示, 名称表示, 画地座標OFF,
    /// 所 (selects ＳＴ連続), 方向角表示, the height switch, GPS, 軌跡, 追従 and
    /// the latitude readout.
    platform::Label Label1{protprp, QStringLiteral("Label1")};
    platform::Label Label2{protprp, QStringLiteral("Label2")};
    platform::Label Label16{protprp, QStringLiteral("Label16")};
    platform::Label Label7{protprp, QStringLiteral("Label7")};
    platform::Label Label6{protprp, QStringLiteral("Label6")};
    platform::Label Label11{protprp, QStringLiteral("Label11")};
    platform::Label Label17{protprp, QStringLiteral("Label17")};
    platform::Label Label20{protprp, QStringLiteral("Label20")};
    platform::Label Label21{protprp, QStringLiteral("Label21")};
    platform::Label Label18{protprp, QStringLiteral("Label18")};
    /// Right-click options ＳＴ連続 and Copy/Point化, and Label4, whose caption
    /// holds the opening lines of the KML export (the XML declaration, the kml
    /// start tag with its namespaces, the outer folder and its name) and
    /// whose click selects Option4.
    platform::OptionButton Option2{Frame2, QStringLiteral("Option2")};
    platform::OptionButton Option4{Frame2, QStringLiteral("Option4")};
    platform::Label Label4{Frame2, QStringLiteral("Label4")};
    /// The marker button of the point panel (its caption shows the chosen
    /// marker), and the circle switch 円 with its field on the hand-stroke panel.
    platform::CommandButton Command24{Frame4, QStringLiteral("Command24")};
    platform::CheckBox Check4{Frame9, QStringLiteral("Check4")};
    platform::TextBox Text14{Frame9, QStringLiteral("Text14")};
    /// Takes the line rubber band off the plot 100 ms after the last
    /// pointer motion of the line panel.
    platform::TimerControl Timer4{*this, QStringLiteral("Timer4")};
    /// The redraw 300 ms after the last mouse-wheel step.
    platform::TimerControl Timer6{*this, QStringLiteral("Timer6")};
    /// The question whether to stop using the GSI server, 30 s after the
    /// last drawing of map tiles (every start sets its interval).
    platform::TimerControl Timer5{*this, QStringLiteral("Timer5")};

    // --- printing -----------------------------------------------------------
    /// 印刷: opens the print dialog for the plot.
    platform::CommandButton Command11{protprp, QStringLiteral("Command11")};
    /// The cursor coordinate readout over the plot's top-left corner; hidden
    /// while a print preview is shown.
    platform::Label Label5{*this, QStringLiteral("Label5")};

    // --- survey calculations -------------------------------------------------
    /// The other right-click options of Frame2: MENU表示 (hidden, chosen at
    /// start), ＳＴ放射, 垂線ﾁｪｯｸ and ４点交点.
    platform::OptionButton Option33{Frame2, QStringLiteral("Option33")};
    platform::OptionButton Option1{Frame2, QStringLiteral("Option1")};
    platform::OptionButton Option3{Frame2, QStringLiteral("Option3")};
    platform::OptionButton Option34{Frame2, QStringLiteral("Option34")};
    /// 解除: clears every parcel and text selection through 再表示.
    platform::CommandButton Command86{protprp, QStringLiteral("Command86")};
    /// The compact frame's 再表示.
    platform::CommandButton Command81{Frame15, QStringLiteral("Command81")};

    // --- edit history and point names ------------------------------------------
    /// "Undo" and its Redo button "Rdo" (hidden until an Undo finds a record).
    platform::CommandButton Command60{protprp, QStringLiteral("Command60")};
    platform::CommandButton Command61{protprp, QStringLiteral("Command61")};
    /// On the symbol picker: "⊃" (undo) and "⊂" (redo).
    platform::CommandButton Command62{Frame6, QStringLiteral("Command62")};
    platform::CommandButton Command63{Frame6, QStringLiteral("Command63")};
    /// "候補" of the point panel: the name-candidate window.
    platform::CommandButton Command48{Frame4, QStringLiteral("Command48")};
    /// The point panel's end 終了, its switch ピック (an added point snaps to
    /// a nearby line, a moved point takes the line ends along), and the
    /// symbol picker's 閉じる.
    platform::CommandButton Command26{Frame4, QStringLiteral("Command26")};
    platform::CheckBox Check24{Frame4, QStringLiteral("Check24")};
    platform::CommandButton Command25{Frame6, QStringLiteral("Command25")};
    // --- pointer interaction ---------------------------------------------------
    /// The longitude (L) and height (H) readouts of a left press, over the
    /// plot below the cursor readout; the latitude readout is Label18.
    platform::Label Label29{*this, QStringLiteral("Label29")};
    platform::Label Label30{*this, QStringLiteral("Label30")};
    /// The point panel's 記録 (hidden at start); the line panel's 取消
    /// (hidden at start).
    platform::CommandButton Command43{Frame4, QStringLiteral("Command43")};
    platform::CommandButton Command30{Frame10, QStringLiteral("Command30")};
    /// The station designation frame (器械点バック点指示), which takes the
    /// idle frame's place while open: 機械 (chosen at start), BACK, FOR.
    platform::Frame Frame13{protprp, QStringLiteral("Frame13")};
    platform::OptionButton Option26{Frame13, QStringLiteral("Option26")};
    platform::OptionButton Option27{Frame13, QStringLiteral("Option27")};
    platform::OptionButton Option28{Frame13, QStringLiteral("Option28")};

    // --- field links: the GPS client and the workbook link --------------------
    /// The GPS program's fix text (hidden, linked while GPS is on).
    platform::TextBox Text9{protprp, QStringLiteral("Text9")};
    /// The workbook's signal cell (hidden, linked once the workbook is found).
    platform::TextBox Text10{protprp, QStringLiteral("Text10")};
    /// The GPS marker over the plot, placed in the plot's scale.
    platform::Image Image1{Picture1, QStringLiteral("Image1")};
    /// "Ｇ" of the point panel: points are added at the current fix.
    platform::CheckBox Check29{Frame4, QStringLiteral("Check29")};
    /// "GPS": the GPS window.
    platform::CommandButton Command54{protprp, QStringLiteral("Command54")};
    /// The station frame's names of the station, the back-sight and the
    /// current foresight, and its buttons ＯＫ, 次 (hidden until there are
    /// several foresights) and 取消.
    platform::TextBox Text11{Frame13, QStringLiteral("Text11")};
    platform::TextBox Text12{Frame13, QStringLiteral("Text12")};
    platform::TextBox Text13{Frame13, QStringLiteral("Text13")};
    platform::CommandButton Command50{Frame13, QStringLiteral("Command50")};
    platform::CommandButton Command51{Frame13, QStringLiteral("Command51")};
    platform::CommandButton Command49{Frame13, QStringLiteral("Command49")};
    // --- settings and the remaining commands of the side panel ----------------
    /// 条  件: the settings dialog; 表示対象番号指定: the number ranges;
    /// 表示色: the shown colours (one click), or the red and blue points
    /// (double and triple clicks); テンキー表示: the keypad program;
    /// 図上面積計測: starts or ends an on-map area measurement.
    platform::CommandButton Command19{protprp, QStringLiteral("Command19")};
    platform::CommandButton Command53{protprp, QStringLiteral("Command53")};
    platform::CommandButton Command55{protprp, QStringLiteral("Command55")};
    platform::CommandButton Command64{protprp, QStringLiteral("Command64")};
    platform::CommandButton Command65{protprp, QStringLiteral("Command65")};
    /// 背景: the background settings dialog, from the side panel (Command52)
    /// and from the compact frame (Command79).
    platform::CommandButton Command52{protprp, QStringLiteral("Command52")};
    platform::CommandButton Command79{Frame15, QStringLiteral("Command79")};
    /// The results panel (hidden at start): the plot's clicks append lines to
    /// Text18 and show it; 閉じる hides it, 消去して閉じる empties it first.
    platform::Frame Frame16{*this, QStringLiteral("Frame16")};
    platform::TextBox Text18{Frame16, QStringLiteral("Text18")};
    platform::CommandButton Command83{Frame16, QStringLiteral("Command83")};
    platform::CommandButton Command84{Frame16, QStringLiteral("Command84")};

    /// The window's caption as designed.
    static const QString kDesignCaption;
    /// Design size of the window, twips.
    static constexpr double kDesignWidth = 15360.0;
    static constexpr double kDesignHeight = 11520.0;
    /// Distance of the side panel's left edge from the window's right edge.
    static constexpr double kPanelOffset = 4200.0;
    static constexpr double kCompactPanelOffset = 1800.0;
    /// Height of the window that the plot leaves free at the bottom.
    static constexpr double kPlotBottomGap = 360.0;

private:
    void designPlot();
    void designHiddenPictures();
    void designPanel();
    void designSwitches();
    void designPointPanel();
    void designSiteControls();
    void designOperationPanels();
    void designPanelOperations();
    void designViewControls();
    void designViewSwitches();
    void designViewPanelExtras();
    void designMarkerButtons();
    void designPrintControls();
    void designSurveyControls();
    void designPointerControls();
    void designFieldLinkControls();
    void designHistoryButtons();
    void designPointPanelEnds();
    void designPanelButtons();
    void designSettingsButtons();
    void designBackgroundButtons();
};

/// A function that wires one part of the program's handlers to the window.
using PlotWiring = std::function<void(Plot&)>;

/// Registers a wiring function; every Plot made afterwards runs it in its
/// constructor, after the design, in the order of registration (so Form_Load
/// and the other handlers are in place before the window loads).
void addPlotWiring(PlotWiring wiring);
/// Removes every registered wiring function (tests).
void clearPlotWirings();

/// The one main window, made and loaded on first use.
platform::FormHolder<Plot>& plotForm();
inline Plot& plot() { return plotForm().instance(); }

}  // namespace tavelcor
