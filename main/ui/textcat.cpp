// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/textcat.h"

#include "main/site/tables.h"
#include "main/site/text_presets.h"
#include "main/ui/settings_rules.h"
#include "main/ui/ui_services.h"
#include "main/window/plot.h"
#include "platform/prompt/common_dialog.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

namespace tavelcor {

namespace {

constexpr int kRowsPerColumn = 15;
constexpr double kRowPitch = 330.0;
constexpr double kColumnWidth = 5600.0;
constexpr double kEdgeGap = 100.0;
constexpr int kFreeCategory = 7;
constexpr int kLastCategory = 6;
constexpr int kEnterKey = 13;
const QString kFilter = QStringLiteral("TEXT定義 ファイル|TEXT.JKN|すべてのファイル|*.*");

QString sitePresetFile()
{
    return SiteFolder + QStringLiteral("TEXT.JKN");
}

// Reads a TEXT.JKN into the table, the quick-text captions and the phrase
// list of the main window.
void readPresets(const QString& path)
{
    if (const UiServices& services = uiServices(); services.presetControls) {
        const std::unique_ptr<PresetControls> controls = services.presetControls();
        LoadTextPresets(path, *controls);
        return;
    }
    MemoryPresetControls apart;
    LoadTextPresets(path, apart);
}

// The entry a row stands for: the number its label shows.
int entryOf(const platform::Label& label)
{
    return static_cast<int>(platform::Val(label.Caption()));
}

bool validEntry(int entry)
{
    return entry >= 1 && entry <= kPhraseTop;
}

std::optional<platform::FileChoice> askFile(platform::FileDialogMode mode, const QString& title)
{
    platform::FileRequest request;
    request.mode = mode;
    request.title = title;
    request.filter = kFilter;
    request.fileName = sitePresetFile();
    return platform::prompter().file(request);
}

}  // namespace

Textcat::Textcat() : platform::Form(QStringLiteral("textcat"))
{
    setCaption(QStringLiteral("テキスト定義"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    const double rowsTop = 400.0;
    const double controlsTop = rowsTop + kRowsPerColumn * kRowPitch + 150.0;
    setClientSize(2 * kColumnWidth + 300.0, controlsTop + 1000.0);

    // Tab order: the page field first, then row by row key and text.
    Text3.setText(QStringLiteral("1"));
    Text3.Move(4900.0, controlsTop, 1300.0, 330.0);
    for (int column = 0; column < 2; ++column) {
        const double left = 100.0 + column * (kColumnWidth + 100.0);
        platform::Label& key = LabelHead.add(column * 2, *this);
        key.setCaption(QStringLiteral("見出"));
        key.Move(left + 600.0, 100.0, 900.0, 270.0);
        platform::Label& text = LabelHead.add(column * 2 + 1, *this);
        text.setCaption(QStringLiteral("文字"));
        text.Move(left + 1650.0, 100.0, 900.0, 270.0);
    }
    for (int r = 1; r <= 2 * kRowsPerColumn; ++r) {
        const int column = (r - 1) / kRowsPerColumn;
        const double left = 100.0 + column * (kColumnWidth + 100.0);
        const double top = rowsTop + ((r - 1) % kRowsPerColumn) * kRowPitch;
        platform::Label& number = Label1.add(r, *this);
        number.setCaption(QString::number(r));
        number.Move(left, top + 20.0, 550.0, 270.0);
        platform::TextBox& key = Text1.add(r, *this);
        key.Move(left + 600.0, top, 1000.0, 300.0);
        platform::TextBox& text = Text2.add(r, *this);
        text.Move(left + 1650.0, top, kColumnWidth - 1700.0, 300.0);
        key.Change = [this, r] {
            const int entry = entryOf(Label1(r));
            if (validEntry(entry))
                PhraseKey[entry] = Text1(r).Text();
        };
        text.Change = [this, r] {
            const int entry = entryOf(Label1(r));
            if (validEntry(entry))
                PhraseText[entry] = Text2(r).Text();
        };
    }
    const auto button = [](platform::CommandButton& b, const QString& caption, double left, double top,
                           double width) {
        b.setCaption(caption);
        b.Move(left, top, width, 330.0);
    };
    button(Command6, QStringLiteral("≪"), 3500.0, controlsTop, 600.0);
    button(Command1, QStringLiteral("＜"), 4200.0, controlsTop, 600.0);
    button(Command4, QStringLiteral("＞"), 6300.0, controlsTop, 600.0);
    button(Command7, QStringLiteral("≫"), 7000.0, controlsTop, 600.0);
    const double lowTop = controlsTop + 500.0;
    button(Command2, QStringLiteral("呼び出し"), 2500.0, lowTop, 2000.0);
    button(Command3, QStringLiteral("登録"), 4700.0, lowTop, 2000.0);
    button(Command5, QStringLiteral("登録せず終了"), 6900.0, lowTop, 2200.0);

    Load = [this] { Form_Load(); };
    Command1.Click = [this] { goToPage(previousPhrasePage(PageStart)); };
    Command4.Click = [this] { goToPage(nextPhrasePage(PageStart)); };
    Command6.Click = [this] { goToPage(1); };
    Command7.Click = [this] { goToPage(kLastPhrasePage); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Text3.GotFocus = [this] {
        Text3.setSelStart(0);
        Text3.setSelLength(static_cast<int>(Text3.Text().size()));
    };
    Text3.LostFocus = [this] { Text3_LostFocus(); };
    Text3.DblClick = [this] { applyPageAndSelect(); };
    Text3.KeyDown = [this](int& keyCode, int) {
        if (keyCode == kEnterKey)
            applyPageAndSelect();
    };
}

void Textcat::Form_Load()
{
    const Plot& window = plot();
    setTop(window.Top() + kEdgeGap);
    setLeft(window.Left() + window.Width() - Width() - kEdgeGap);
    PageStart = 1;
    textdisp();
}

void Textcat::textdisp()
{
    for (int r = 1; r <= 2 * kRowsPerColumn; ++r) {
        const int entry = PageStart + r - 1;
        Text2(r).setVisible(true);
        // The number first: setting a field stores it under this number.
        Label1(r).setCaption(QString::number(entry));
        Text1(r).setText(validEntry(entry) ? PhraseKey[entry] : QString());
        Text2(r).setText(validEntry(entry) ? PhraseText[entry] : QString());
        Text1(r).setVisible(true);
        if (entry > kLastCategory)
            Text1(r).setVisible(false);
        if (entry == kFreeCategory)
            Text2(r).setVisible(false);
    }
}

void Textcat::goToPage(int start)
{
    Text3.setText(QString::number(start));
    Text3_LostFocus();
}

void Textcat::Text3_LostFocus()
{
    PageStart = static_cast<std::int16_t>(phrasePageFromText(Text3.Text()));
    Text3.setText(platform::Str(PageStart));
    textdisp();
}

void Textcat::applyPageAndSelect()
{
    Text3_LostFocus();
    Text3.setSelStart(0);
    Text3.setSelLength(static_cast<int>(Text3.Text().size()));
}

void Textcat::Command2_Click()
{
    const std::optional<platform::FileChoice> chosen =
        askFile(platform::FileDialogMode::Open, QStringLiteral("定義ファイル 呼び出し"));
    if (!chosen || chosen->path.isEmpty())
        return;
    readPresets(chosen->path);
    PageStart = 1;
    Text3.setText(QStringLiteral("1"));
    textdisp();
}

void Textcat::Command3_Click()
{
    const std::optional<platform::FileChoice> chosen =
        askFile(platform::FileDialogMode::Save, QStringLiteral("定義ファイル 登録"));
    if (!chosen || chosen->path.isEmpty())
        return;
    const WriteResult chosenWrite = writeTextPresets(chosen->path);
    const WriteResult siteWrite = writeTextPresets(sitePresetFile());
    if (chosenWrite.failed() || siteWrite.failed())
        platform::MsgBox(QStringLiteral("保存に失敗しました"));
    readPresets(sitePresetFile());
    platform::Unload(*this);
}

void Textcat::Command5_Click()
{
    readPresets(sitePresetFile());
    platform::Unload(*this);
}

platform::FormHolder<Textcat>& textcatForm()
{
    static platform::FormHolder<Textcat> holder;
    return holder;
}

}  // namespace tavelcor
