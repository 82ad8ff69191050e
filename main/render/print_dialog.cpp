// SPDX-License-Identifier: LicenseRef-Tavelcor
// The print dialog: its design, loading, the printer and paper choice, the
// printer's properties and the denominator of the whole shown range. The
// output buttons are in print_output.cpp.
#include "main/render/print_dialog.h"

#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/print/printers.h"
#include "platform/prompt/prompter.h"

#include <array>

namespace tavelcor {

namespace {

struct PaperRow {
    const char16_t* caption;
    int paperSize;
    int orientation;
};

// The paper options, row = PaperChoice.
constexpr std::array<PaperRow, 4> kPaperRows{{
    {u"Ａ４横", platform::paper::A4, platform::orientation::Landscape},
    {u"Ａ４縦", platform::paper::A4, platform::orientation::Portrait},
    {u"Ａ３横", platform::paper::A3, platform::orientation::Landscape},
    {u"Ａ３縦", platform::paper::A3, platform::orientation::Portrait},
}};

const QString kNotice = QStringLiteral("　印刷サイズは A4 か A3 の固定です。");
const QString kWholeRangeCaption = QStringLiteral("縮尺を表示範囲全体にする");
const QString kWholeRangeDoneCaption = QStringLiteral("縮尺を表示範囲全にする");

// The site data count as modified (what the editing code's Bbc does).
void markSiteModified()
{
    DataDirty = -1;
}

void applyPaper(platform::Printer* printer, int row)
{
    if (!printer)
        return;
    // A printer that refuses a size or orientation keeps its own.
    static_cast<void>(printer->setPaperSize(kPaperRows[static_cast<std::size_t>(row)].paperSize));
    static_cast<void>(printer->setOrientation(kPaperRows[static_cast<std::size_t>(row)].orientation));
}

}  // namespace

Prtout::Prtout() : platform::Form(QStringLiteral("prtout"))
{
    design();
    wire();
}

Prtout::~Prtout() = default;

void Prtout::design()
{
    const std::uint32_t grey = platform::RGB(224, 224, 224);
    setCaption(QStringLiteral("印刷"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(4215.0, 3000.0);
    setBackColor(grey);

    // Its right edge stays left of the properties button beside it.
    Combo1.Move(100.0, 240.0, 2655.0, 300.0);
    Command1.setCaption(QStringLiteral("プロパティー"));
    Command1.Move(2760.0, 240.0, 1335.0, 375.0);
    Command4.setCaption(QStringLiteral("プレビュー"));
    Command4.Move(120.0, 720.0, 1095.0, 375.0);
    Command2.setCaption(QStringLiteral("ＯＫ"));
    Command2.Move(1320.0, 720.0, 1335.0, 375.0);
    Command3.setCaption(QStringLiteral("キャンセル"));
    Command3.Move(2760.0, 720.0, 1335.0, 375.0);

    Frame1.setCaption(QStringLiteral("印刷用紙"));
    Frame1.Move(120.0, 1200.0, 3975.0, 615.0);
    Frame1.setBackColor(grey);
    designPaperOptions();

    Label1.Move(120.0, 1920.0, 3975.0, 495.0);
    Label1.setBackColor(grey);
    Command5.setCaption(kWholeRangeCaption);
    Command5.Move(120.0, 2520.0, 3975.0, 350.0);
    Command5.setVisible(false);
}

void Prtout::designPaperOptions()
{
    for (int row = 0; row < 4; ++row) {
        platform::OptionButton& option = paperOption(row);
        option.setCaption(QString::fromUtf16(kPaperRows[static_cast<std::size_t>(row)].caption));
        option.Move(120.0 + 960.0 * row, 240.0, 735.0, 255.0);
        option.setBackColor(platform::RGB(224, 224, 224));
    }
}

void Prtout::wire()
{
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    QueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Combo1.Click = [this] { Combo1_Click(); };
    Combo1.Change = [this] { Combo1_Change(); };
    for (int row = 0; row < 4; ++row)
        paperOption(row).Click = [this] { Printer_Change(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
}

platform::OptionButton& Prtout::paperOption(int row)
{
    switch (row) {
    case 0: return Option1;
    case 1: return Option2;
    case 2: return Option3;
    default: return Option4;
    }
}

void Prtout::Form_Load()
{
    setTopMost(true);
    // At the bottom right of the main window.
    const Plot& window = plot();
    Move(window.Left() + window.Width() - Width() - 100.0, window.Top() + window.Height() - Height() - 100.0);
    ScaleDenomText.clear();
    if (!setUpPrinters())
        platform::MsgBox(printerUnavailableMessage(), platform::MsgButtons::OkOnly);
}

// Loading steps from the printer list on; false when no printer can be used
// (the remaining steps are then left out).
bool Prtout::setUpPrinters()
{
    for (const platform::PrinterEntry& entry : platform::installedPrinters())
        Combo1.AddItem(entry.DeviceName);
    platform::Printer* printer = platform::currentPrinter();
    if (!printer)
        return false;
    Combo1.setText(printer->DeviceName());
    markSiteModified();
    PrintMode = 1;
    if (PaperChoice <= 3) {
        paperOption(PaperChoice).setValue(true);
        applyPaper(platform::currentPrinter(), PaperChoice);
    }
    if (platform::Printer* now = platform::currentPrinter())
        ScaleDenomText = render::denominatorText(render::defaultDenominator(ViewSpanY, now->Width()));
    Command5.setCaption(kWholeRangeCaption);
    Command5.setVisible(true);
    return true;
}

void Prtout::Form_Activate()
{
    if (printDialogHooks().unloadBackgroundSettings)
        printDialogHooks().unloadBackgroundSettings();
    Label1.setCaption(kNotice);
}

void Prtout::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/)
{
    // The cover picture of the preview holds a snapshot of the plot; it is
    // released whichever way the dialog closes.
    if (Plot* window = plotForm().ifLoaded())
        window->Picture6.canvas().setPicture(QImage());
}

void Prtout::Combo1_Click()
{
    // Every printer of exactly this name becomes current in turn: with equal
    // names the last one wins.
    const QString name = Combo1.Text();
    for (const platform::PrinterEntry& entry : platform::installedPrinters())
        if (entry.DeviceName == name)
            platform::setCurrentPrinter(entry);
    Printer_Change();
}

void Prtout::Combo1_Change()
{
    Printer_Change();
}

void Prtout::Printer_Change()
{
    for (int row = 0; row < 4; ++row) {
        if (!paperOption(row).Value())
            continue;
        applyPaper(platform::currentPrinter(), row);
        PaperChoice = static_cast<std::uint8_t>(row);
        break;
    }
    markSiteModified();
    ScaleDenomText.clear();
}

void Prtout::Command1_Click()
{
    const QString name = Combo1.Text();
    Hide();
    platform::showPrinterProperties(name);
    Show();
    // The next print starts a new document with the new properties.
    if (platform::Printer* printer = platform::currentPrinter()) {
        static_cast<void>(printer->EndDoc());
        printer->KillDoc();
    }
    // The chosen paper overrides what the properties dialog set.
    Printer_Change();
}

void Prtout::Command3_Click()
{
    prtoutForm().unload();
}

void Prtout::Command5_Click()
{
    const platform::Printer* printer = platform::currentPrinter();
    if (!printer)
        return;
    const double D = render::wholeRangeDenominator(ViewSpanX, ViewSpanY, printer->Width(), printer->Height(),
                                                   printer->Orientation() == platform::orientation::Landscape);
    ScaleDenomText = render::denominatorText(D);
    Command5.setCaption(kWholeRangeDoneCaption);
}

render::PrintableSize Prtout::prtsize() const
{
    const platform::Printer* printer = platform::currentPrinter();
    return printer ? render::printableSize(printer->deviceCaps()) : render::PrintableSize{};
}

void Prtout::SetPrintOffsets()
{
    const platform::Printer* printer = platform::currentPrinter();
    const render::PrintOffsets offsets = printer ? render::printOffsets(printer->deviceCaps()) : render::PrintOffsets{};
    PrintOffsetL = offsets.left;
    PrintMarginB = offsets.bottom;
}

platform::FormHolder<Prtout>& prtoutForm()
{
    static platform::FormHolder<Prtout> holder;
    return holder;
}

PrintDialogHooks& printDialogHooks()
{
    static PrintDialogHooks hooks;
    return hooks;
}

void openPrintDialog(int kind, const QString& text)
{
    PrintKind = static_cast<std::int16_t>(kind);
    if (kind == 2)
        PrintText = text;
    prtout().Show();
}

QString printerUnavailableMessage()
{
    return QStringLiteral("プリンタが使用できません。通常使うプリンタを変更してください");
}

}  // namespace tavelcor
