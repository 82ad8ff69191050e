// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/crtext.h"

#include "main/edit/dialog_places.h"
#include "main/edit/text_lines.h"
#include "main/edit/text_panel.h"
#include "main/render/dialog_support.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

#include <algorithm>

namespace tavelcor {

namespace {

constexpr double kCornerGap = 100.0;  // twips inside the main window's top right corner
constexpr double kBoxWidth = 3600.0;
constexpr double kRowHeight = 330.0;
constexpr int kInsertButtons = 9;
constexpr float kLabelHidden = 9.0F;
constexpr int kPalette[] = {0, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14};
constexpr int kPaletteColumns = 4;
constexpr int kPaletteRows = 3;
constexpr const char16_t* kPaletteNames[] = {u"黒", u"緑1", u"緑2", u"茶", u"黄1", u"灰",
                                             u"青", u"緑3", u"水",  u"赤", u"紫",  u"黄2"};

}  // namespace

Crtext::Crtext() : platform::Form(QStringLiteral("crtext"))
{
    setCaption(QStringLiteral("改行テキスト"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(100.0 + kBoxWidth + 150.0 + 2700.0 + 100.0,
                  100.0 + kEditorLines * kRowHeight + 640.0 + kPaletteRows * 330.0);
    for (int i = 0; i < kEditorLines; ++i) {
        platform::TextBox& box = Text1.add(i, *this);
        box.Move(100.0, 100.0 + i * kRowHeight, kBoxWidth, 300.0);
    }
    const double right = 100.0 + kBoxWidth + 150.0;
    Frame1.setCaption(QStringLiteral("挿入文字"));
    Frame1.Move(right, 50.0, 2700.0, 250.0 + kInsertButtons * 360.0 + 100.0);
    for (int n = 1; n <= kInsertButtons; ++n)
        insertButtonControl(n).Move(100.0, 250.0 + (n - 1) * 360.0, 2500.0, 330.0);
    const double paletteTop = 100.0 + kEditorLines * kRowHeight + 100.0;
    int slot = 0;
    for (int k : kPalette) {
        platform::OptionButton& option = Option14.add(k, *this);
        option.setCaption(QString::fromUtf16(kPaletteNames[slot]));
        // Four to a row, so that each colour's name keeps room before the next.
        option.Move(100.0 + (slot % kPaletteColumns) * 900.0, paletteTop + (slot / kPaletteColumns) * 330.0, 860.0,
                    300.0);
        ++slot;
    }
    const double buttonTop = paletteTop + kPaletteRows * 330.0 + 100.0;
    Command1.setCaption(QStringLiteral("Ｏ　Ｋ"));
    Command1.Move(100.0, buttonTop, 1500.0, 400.0);
    Command2.setCaption(QStringLiteral("Cancel"));
    Command2.Move(1750.0, buttonTop, 1500.0, 400.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Text1.GotFocus = [this](int index) { mCurLine = index; };
    for (int n = 1; n <= kInsertButtons; ++n)
        insertButtonControl(n).Click = [this, n] { insertButton(n); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

platform::CommandButton& Crtext::insertButtonControl(int n)
{
    platform::CommandButton* buttons[] = {&Command3, &Command4, &Command5, &Command6, &Command7,
                                          &Command8, &Command9, &Command10, &Command11};
    return *buttons[std::clamp(n, 1, kInsertButtons) - 1];
}

void Crtext::Form_Load()
{
    clearTabStops(*this);
    placeAtMainTopRight(*this, kCornerGap);
    for (int k : kPalette)
        Option14(k).setBackColor(platform::QBColor(k));
    for (int n = 1; n <= kInsertButtons; ++n)
        insertButtonControl(n).setCaption(CrtextPhrase[n]);
    const QStringList lines = splitEditorLines(plot().Text8.Text());
    for (int i = 0; i < kEditorLines && i < lines.size(); ++i)
        Text1(i).setText(lines.at(i));
    mOpenColor = TxtColorCur;
    if (platform::OptionButton* option = Option14.find(TxtColorCur))
        option->setValue(true);
}

void Crtext::Form_Activate()
{
    unloadBackgroundSettings();
    placeAtMainTopRight(*this, kCornerGap);
}

void Crtext::insertButton(int n)
{
    platform::TextBox* box = Text1.find(mCurLine);
    if (box == nullptr)
        return;
    const QString phrase = insertButtonControl(n).Caption();
    box->setText(insertPhrase(box->Text(), box->SelStart(), box->SelLength(), phrase));
}

void Crtext::Command1_Click()
{
    QStringList boxes;
    for (int i = 0; i < kEditorLines; ++i)
        boxes.append(Text1(i).Text());
    const QString stored = joinEditorLines(boxes);
    int color = mOpenColor;
    for (const auto& [index, option] : Option14) {
        if (option->Value()) {
            color = index;
            break;
        }
    }
    TxtColorCur = static_cast<std::int16_t>(color);
    storeTextEdit(TxtEdit, stored, TxtColorCur);
    plot().Command37.setBackColor(platform::QBColor(TxtColorCur));
    platform::Unload(*this);
}

void Crtext::Command2_Click()
{
    plot().Command34.setVisible(false);
    platform::Unload(*this);
}

platform::FormHolder<Crtext>& crtextForm()
{
    static platform::FormHolder<Crtext> holder;
    return holder;
}

void editTextInLines(Plot& window)
{
    window.Command34.setCaption(QString());
    window.Command34.setVisible(false);
    const float kept = SlideFactor;
    SlideFactor = kLabelHidden;
    crtext().ShowModal();
    SlideFactor = kept;
}

}  // namespace tavelcor
