// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The print dialog `prtout` (caption "印刷"): the choice of printer and
// paper, the printer's properties, the scale denominator from the whole
// shown range, and the two output buttons "ＯＫ" (print or write the bitmap)
// and "プレビュー". It is shown modeless and keeps itself above the other
// windows, so the main window stays usable while it is open.
//
// The printers are those of platform/print: the system's and "PDF", which
// writes each print to a PDF file chosen in a save dialog. Typing "BITMAP" in
// the printer box turns "ＯＫ" into the bitmap output PRINTIMAGE.BMP.
//
// State that outlives the dialog (PrintKind, PrintText, PrintMode,
// PaperChoice, PrintOffsetL, PrintMarginB) lives in the shared tables; the
// proposed denominator ScaleDenomText lives with the dialog and is lost when
// it unloads.

#include "platform/forms/forms.h"
#include "platform/prompt/common_dialog.h"

#include "main/render/print_scale.h"

#include <QString>

#include <functional>

namespace tavelcor {

class Prtout : public platform::Form {
public:
    Prtout();
    ~Prtout() override;

    /// Printer box: the installed printers' device names; its text is the
    /// current printer's name, or "BITMAP" typed for the bitmap output.
    platform::ComboBox Combo1{*this, QStringLiteral("Combo1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};  ///< プロパティー
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};  ///< プレビュー
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};  ///< ＯＫ
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};  ///< キャンセル
    /// Paper (印刷用紙): Ａ４横, Ａ４縦, Ａ３横, Ａ３縦.
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::OptionButton Option1{Frame1, QStringLiteral("Option1")};
    platform::OptionButton Option2{Frame1, QStringLiteral("Option2")};
    platform::OptionButton Option3{Frame1, QStringLiteral("Option3")};
    platform::OptionButton Option4{Frame1, QStringLiteral("Option4")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    /// 縮尺を表示範囲全体にする: hidden until the printers are set up.
    platform::CommandButton Command5{*this, QStringLiteral("Command5")};
    /// The save dialog of the bitmap and PDF output.
    platform::CommonDialog CommonDialog1;

    /// The scale denominator the print command proposes; "" = none fixed
    /// (the next print starts from the default denominator).
    QString ScaleDenomText;

    /// Applies the selected paper option to the current printer and forgets
    /// the proposed denominator; marks the site data modified.
    void Printer_Change();
    /// Printable height and width of the current printer's page (whole mm);
    /// zero without a printer.
    render::PrintableSize prtsize() const;
    /// PrintOffsetL and PrintMarginB from the current printer's printable
    /// area (both 0 without a printer).
    void SetPrintOffsets();

    /// The paper option of row 0..3 (Ａ４横, Ａ４縦, Ａ３横, Ａ３縦).
    platform::OptionButton& paperOption(int row);

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Combo1_Click();
    void Combo1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

private:
    void design();
    void designPaperOptions();
    void wire();
    bool setUpPrinters();
};

platform::FormHolder<Prtout>& prtoutForm();
inline Prtout& prtout() { return prtoutForm().instance(); }

/// Call points of other parts of the program that the dialog needs.
struct PrintDialogHooks {
    /// Unloads the background settings window when it is loaded (each time
    /// the dialog is activated).
    std::function<void()> unloadBackgroundSettings;
};
PrintDialogHooks& printDialogHooks();

/// Opens the print dialog modeless for `kind` (1 the plot, 2 the text
/// `text`, lines ended by CR LF), loading it first when needed; an open
/// dialog comes to the front with its state unchanged.
void openPrintDialog(int kind, const QString& text = QString());

/// The message of a printer that cannot be used.
QString printerUnavailableMessage();

/// A narrow spacer on the current printer: letter size 2 points, one empty
/// line, then letter size 12 points. False without a printer or when the
/// line could not be printed (the size is 12 afterwards all the same).
bool Sp();

}  // namespace tavelcor
