// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/plist.h"

#include "main/edit/dialog_places.h"
#include "main/render/wheel_zoom.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {

namespace {

constexpr double kWidth = 4400.0;
constexpr double kHeight = 6600.0;
constexpr double kCornerGap = 100.0;  // twips inside the main window's top right corner
constexpr int kEnterKey = 13;
const QChar kBlank = QLatin1Char(' ');

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype last = text.size();
    while (last > 0 && text.at(last - 1) == kBlank)
        --last;
    return text.left(last);
}

QString withoutLeadingBlanks(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == kBlank)
        ++first;
    return text.mid(first);
}

}  // namespace

std::vector<int> phraseMatches(const QStringList& rows, const QString& search)
{
    QString t = withoutTrailingBlanks(search);
    const bool inside = t.startsWith(kBlank);
    if (inside)
        t = withoutLeadingBlanks(t);
    std::vector<int> found;
    for (int row = 0; row < rows.size(); ++row) {
        const QString& phrase = rows.at(row);
        if (inside ? phrase.contains(t) : phrase.startsWith(t))
            found.push_back(row);
    }
    return found;
}

Plist::Plist() : platform::Form(QStringLiteral("Plist"))
{
    setCaption(QStringLiteral("登録文字"));
    setBorderStyle(platform::FormBorder::SizableToolWindow);
    setClientSize(kWidth, kHeight);
    List1.Move(100.0, 100.0, kWidth - 200.0, 4200.0);
    Option2.setCaption(QStringLiteral("新規"));
    Option2.Move(100.0, 4400.0, 1000.0, 270.0);
    Option1.setCaption(QStringLiteral("文字追加"));
    Option1.Move(1200.0, 4400.0, 1500.0, 270.0);
    Option2.setValue(true);
    Text1.Move(100.0, 4800.0, 2200.0, 300.0);
    Command2.setCaption(QStringLiteral("検索"));
    Command2.Move(2400.0, 4785.0, 1100.0, 330.0);
    Label2.setCaption(QStringLiteral("先頭にスペースを入れると文中で文字列を検索します"));
    Label2.Move(100.0, 5250.0, kWidth - 200.0, 300.0);
    Command1.setCaption(QStringLiteral("閉　じ　る"));
    Command1.Move(100.0, 5850.0, kWidth - 200.0, 400.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    QueryUnload = [this](int& cancel, int unloadMode) {
        // The close box only hides the window; the program's own unloading
        // (its end) goes on.
        if (unloadMode == static_cast<int>(platform::UnloadMode::FormControlMenu)) {
            cancel = 1;
            Command1_Click();
        }
    };
    List1.Click = [this] { List1_Click(); };
    List1.DblClick = [this] { List1_DblClick(); };
    Text1.DblClick = [this] { Text1_DblClick(); };
    Text1.KeyDown = [this](int& keyCode, int) {
        if (keyCode == kEnterKey)
            Text1_DblClick();
    };
    Command2.Click = [this] { Text1_DblClick(); };
    Command1.Click = [this] { Command1_Click(); };
}

void Plist::Form_Load()
{
    placeAtMainTopRight(*this, kCornerGap);
    SetTopMost(*this);
}

void Plist::Form_Activate()
{
    unloadBackgroundSettings();
    SetTopMost(*this);
}

void Plist::putPhrase()
{
    Plot& window = plot();
    const QString phrase = List1.Text();
    if (platform::OptionButton* other = window.Option23.find(7))
        other->setValue(true);
    if (Option2.Value())
        window.Text8.setText(phrase);
    else
        window.Text8.setText(window.Text8.Text() + phrase);
    QString text = window.Text8.Text();
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    if (text != window.Text8.Text())
        window.Text8.setText(text);
}

void Plist::placeCaret()
{
    platform::TextBox& field = plot().Text8;
    field.setSelStart(Option1.Value() ? static_cast<int>(field.Text().size()) : 0);
}

void Plist::List1_Click()
{
    if (List1.ListIndex() < 0)
        return;
    putPhrase();
    platform::TextBox& field = plot().Text8;
    field.setSelStart(static_cast<int>(field.Text().size()));
}

void Plist::List1_DblClick()
{
    if (List1.ListIndex() < 0)
        return;
    putPhrase();
    placeCaret();
}

void Plist::Text1_DblClick()
{
    QStringList rows;
    for (int row = 0; row < List1.ListCount(); ++row)
        rows.append(List1.List(row));
    const std::vector<int> found = phraseMatches(rows, Text1.Text());
    for (std::size_t k = 0; k < found.size(); ++k) {
        if (k > 0 && platform::MsgBox(QStringLiteral("次候補があります。確認しますか？"), platform::MsgButtons::YesNo) !=
                         platform::MsgResult::Yes)
            break;
        // Choosing the row already chosen fires no Click: take it here.
        if (List1.ListIndex() == found[k])
            List1_Click();
        else
            List1.setListIndex(found[k]);
    }
    placeCaret();
}

void Plist::Command1_Click()
{
    SetNotTopMost(*this);
    Hide();
}

platform::FormHolder<Plist>& plistForm()
{
    static platform::FormHolder<Plist> holder;
    return holder;
}

void Command45_Click(Plot& window)
{
    if (platform::OptionButton* other = window.Option23.find(7))
        other->setValue(true);
    plist().Show();
}

}  // namespace tavelcor
