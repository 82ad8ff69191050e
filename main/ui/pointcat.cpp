// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/pointcat.h"

#include "main/render/color_picker.h"
#include "main/render/filters.h"
#include "main/render/window_plot_face.h"
#include "main/site/symbol_file.h"
#include "main/site/tables.h"
#include "main/ui/ui_services.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/common_dialog.h"
#include "platform/prompt/prompter.h"
#include "platform/text/width.h"

namespace tavelcor {

namespace {

constexpr double kRowPitch = 450.0;
constexpr double kBlockWidth = 4300.0;
constexpr double kEdgeGap = 100.0;
constexpr double kColorChooserOffset = 2500.0;
const QString kFilter = QStringLiteral("POINT定義 ファイル|POINT.JKN|すべてのファイル|*.*");

QString siteSymbolFile()
{
    return SiteFolder + QStringLiteral("POINT.JKN");
}

// The main window's marker buttons, or the designed ones apart from it.
std::unique_ptr<SymbolButtons> symbolButtons()
{
    if (const UiServices& services = uiServices(); services.symbolButtons)
        return services.symbolButtons();
    return std::make_unique<DesignSymbolButtons>();
}

}  // namespace

QString fittedMark(const QString& text)
{
    if (text.isEmpty())
        return QString();
    const int length = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    return platform::toFullWidth(QStringView(text).left(length)).left(length);
}

Pointcat::Pointcat() : platform::Form(QStringLiteral("pointcat"))
{
    setCaption(QStringLiteral("ポイント定義"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(2 * kBlockWidth + 300.0, 450.0 + 9 * kRowPitch + 700.0);
    for (int block = 0; block < 2; ++block) {
        const double left = 100.0 + block * (kBlockWidth + 100.0);
        const struct {
            const char16_t* caption;
            double offset;
        } heads[] = {{u"マーク", 450.0}, {u"種類", 1400.0}, {u"色", 3500.0}};
        int h = 0;
        for (const auto& head : heads) {
            platform::Label& label = LabelHead.add(block * 3 + h++, *this);
            label.setCaption(QString::fromUtf16(head.caption));
            label.Move(left + head.offset, 100.0, 800.0, 270.0);
        }
    }
    for (int i = 1; i <= kSymbolCount; ++i) {
        const int block = (i - 1) / 9;
        const double left = 100.0 + block * (kBlockWidth + 100.0);
        const double top = 450.0 + ((i - 1) % 9) * kRowPitch;
        platform::Label& number = Label1.add(i, *this);
        number.setCaption(QString::number(i));
        number.Move(left, top + 60.0, 400.0, 270.0);
        platform::TextBox& mark = Text1.add(i, *this);
        mark.setText(QStringLiteral("○"));
        mark.setFontSize(14.25);
        mark.Move(left + 450.0, top, 800.0, 420.0);
        platform::TextBox& label = Text2.add(i, *this);
        label.Move(left + 1350.0, top + 60.0, 2050.0, 285.0);
        platform::CommandButton& color = Command1.add(i, *this);
        color.setCaption(QStringLiteral("色"));
        color.Move(left + 3500.0, top + 30.0, 650.0, 360.0);
        mark.GotFocus = [&mark] { mark.setSelStart(0); };
        mark.LostFocus = [this, i] { Text1_LostFocus(i); };
        color.Click = [this, i] { Command1_Click(i); };
    }
    const double buttonsTop = 450.0 + 9 * kRowPitch + 150.0;
    Command2.setCaption(QStringLiteral("呼び出し"));
    Command2.Move(2000.0, buttonsTop, 2000.0, 420.0);
    Command3.setCaption(QStringLiteral("登　　録"));
    Command3.Move(4700.0, buttonsTop, 2000.0, 420.0);

    Load = [this] { Form_Load(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

void Pointcat::Form_Load()
{
    const Plot& window = plot();
    setTop(window.Top() + kEdgeGap);
    setLeft(window.Left() + window.Width() - Width() - kEdgeGap);
    const std::unique_ptr<SymbolButtons> buttons = symbolButtons();
    LoadPointSymbols(siteSymbolFile(), *buttons);
    fillRows();
}

void Pointcat::fillRows()
{
    for (int i = 1; i <= kSymbolCount; ++i) {
        showColor(i, SymbolColor[i]);
        Text1(i).setText(SymbolChar[i]);
        Text2(i).setText(SymbolLabel[i]);
    }
}

void Pointcat::showColor(int row, int colorIndex)
{
    const std::uint32_t color = platform::QBColor(platform::isQBColorIndex(colorIndex) ? colorIndex : 0);
    Command1(row).setBackColor(color);
    Text1(row).setForeColor(color);
}

void Pointcat::Text1_LostFocus(int index)
{
    platform::TextBox& mark = Text1(index);
    const QString fitted = fittedMark(mark.Text());
    if (fitted != mark.Text())
        mark.setText(fitted);
}

void Pointcat::Command1_Click(int index)
{
    ColorPick = SymbolColor[index];
    Color& chooser = colorPicker();
    chooser.setTop(Top());
    chooser.setLeft(Left() + kColorChooserOffset);
    chooser.ShowModal();
    showColor(index, ColorPick);
    SymbolColor[index] = platform::isQBColorIndex(ColorPick) ? ColorPick : 0;
}

void Pointcat::Command2_Click()
{
    platform::FileRequest request;
    request.mode = platform::FileDialogMode::Open;
    request.title = QStringLiteral("定義ファイル 呼び出し");
    request.filter = kFilter;
    request.fileName = siteSymbolFile();
    const std::optional<platform::FileChoice> chosen = platform::prompter().file(request);
    if (!chosen || chosen->path.isEmpty())
        return;
    const std::unique_ptr<SymbolButtons> buttons = symbolButtons();
    LoadPointSymbols(chosen->path, *buttons);
    fillRows();
}

void Pointcat::Command3_Click()
{
    for (int i = 1; i <= kSymbolCount; ++i) {
        const QString mark = Text1(i).Text();
        SymbolChar[i] = mark.isEmpty() ? QStringLiteral(" ") : mark.left(1);
        SymbolLabel[i] = Text2(i).Text();
        SymbolColor[i] = static_cast<std::uint8_t>(render::QbIndex(Text1(i).ForeColor()).value_or(0));
    }
    platform::FileRequest request;
    request.mode = platform::FileDialogMode::Save;
    request.title = QStringLiteral("定義ファイル登録");
    request.filter = kFilter;
    request.fileName = siteSymbolFile();
    const std::optional<platform::FileChoice> chosen = platform::prompter().file(request);
    if (!chosen || chosen->path.isEmpty())
        return;
    const std::unique_ptr<SymbolButtons> buttons = symbolButtons();
    const auto redraw = [] { crtplot(); };
    SavePointSymbols(chosen->path, *buttons, redraw);
    // The path is compared upper-cased, as the site's file is found on any
    // letter case; the file is written under the name chosen.
    if (chosen->path.toUpper() != siteSymbolFile().toUpper())
        SavePointSymbols(siteSymbolFile(), *buttons, redraw);
    platform::Unload(*this);
}

platform::FormHolder<Pointcat>& pointcatForm()
{
    static platform::FormHolder<Pointcat> holder;
    return holder;
}

}  // namespace tavelcor
