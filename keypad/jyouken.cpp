// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "keypad/jyouken.h"

#include "keypad/form1.h"
#include "keypad/module1.h"
#include "keypad/settings_file.h"

#include "platform/text/numbers.h"

#include <optional>

namespace kintab {

namespace {

constexpr std::uint32_t kLetterBoxColor = 0x00FFC0C0;  // RGB 192, 192, 255
constexpr std::uint32_t kGreyText = 0x00808080;
constexpr std::uint32_t kLightGrey = 0x00E0E0E0;
constexpr int kMinFactorStep = 5;
constexpr int kMaxFactorStep = 15;

}  // namespace

platform::FormHolder<Jyouken>& jyoukenHolder()
{
    static platform::FormHolder<Jyouken> holder;
    return holder;
}

QString properCase(const QString& text)
{
    QString result = text;
    bool wordStart = true;
    for (QChar& c : result) {
        const bool blank = c.isSpace();
        if (!blank)
            c = wordStart ? c.toUpper() : c.toLower();
        wordStart = blank;
    }
    return result;
}

Jyouken::Jyouken() : platform::Form(QStringLiteral("Jyouken"))
{
    design();
    wireEvents();
}

void Jyouken::designLetterBox(platform::Label& label, platform::TextBox& box,
                              const QString& caption, const QString& letter, double top)
{
    label.Move(120, top + 120, 495, 255);
    label.setCaption(caption);
    box.Move(720, top, 285, 420);
    box.setText(letter);
    box.setBackColor(kLetterBoxColor);
    box.setFontName(QStringLiteral("ＭＳ ゴシック"));
    box.setFontBold(true);
    box.setFontSize(14.25);
}

void Jyouken::design()
{
    setCaption(QStringLiteral("KINTAB条件"));
    setBorderStyle(platform::FormBorder::FixedSingle);
    setMinButton(false);
    setMaxButton(false);
    setClientSize(3330, 2475);
    Frame1.Move(120, 120, 1455, 1695);
    Frame1.setCaption(QStringLiteral("可変キー定義"));
    designLetterBox(Label1, Text1, QStringLiteral("上"), QStringLiteral("X"), 240);
    designLetterBox(Label2, Text2, QStringLiteral("中"), QStringLiteral("P"), 720);
    designLetterBox(Label3, Text3, QStringLiteral("下"), QStringLiteral("R"), 1200);
    Check2.Move(1680, 0, 1215, 375);
    Check2.setCaption(QStringLiteral("Icon化する"));
    Check2.setValue(platform::check::Checked);
    Check1.Move(1680, 480, 1575, 255);
    Check1.setCaption(QStringLiteral("常に半角大文字"));
    Check1.setValue(platform::check::Checked);
    Check1.setVisible(false);
    Label4.Move(1680, 960, 615, 255);
    Label4.setCaption(QStringLiteral("サイズ"));
    Text4.Move(2400, 960, 495, 255);
    Text4.setText(QStringLiteral(" 1.0"));
    Text4.setEnabled(false);
    Text4.setTabStop(false);
    Text4.setForeColor(kGreyText);
    Text4.setBackColor(kLightGrey);
    Label5.Move(3000, 960, 255, 255);
    Label5.setCaption(QStringLiteral("倍"));
    HScroll1.Move(1680, 1320, 1575, 375);
    HScroll1.setMin(kMinFactorStep);
    HScroll1.setMax(kMaxFactorStep);
    HScroll1.setSmallChange(1);
    HScroll1.setLargeChange(1);
    (void)HScroll1.setValue(10);
    Command1.Move(120, 1920, 1215, 495);
    Command1.setCaption(QStringLiteral("Ｏ　Ｋ"));
    Command2.Move(1800, 1920, 1335, 495);
    Command2.setCaption(QStringLiteral("CANCEL"));
}

void Jyouken::wireEvents()
{
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Text1.Change = [this] { LetterBox_Change(1); };
    Text2.Change = [this] { LetterBox_Change(2); };
    Text3.Change = [this] { LetterBox_Change(3); };
    Check1.Click = [this] { Check1_Click(); };
    Check2.Click = [this] { Check2_Click(); };
    HScroll1.Change = [this] { HScroll1_Change(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

platform::TextBox& Jyouken::letterBox(int n)
{
    return n == 1 ? Text1 : (n == 2 ? Text2 : Text3);
}

void Jyouken::Form_Load()
{
    const KeypadState& state = keypad();
    KeepOnTop(*this);
    Move(form1().Left(), form1().Top());
    Text4.setText(platform::StrSingle(state.SizeFactor));
    (void)HScroll1.setValue(platform::CLng(state.SizeFactor * 10.0));
    Check2.setValue(state.IconMode == 1 ? platform::check::Checked : platform::check::Unchecked);
    LoadKeypadSettings();
}

void Jyouken::Form_Activate()
{
    LoadKeypadSettings();
}

void Jyouken::LetterBox_Change(int n)
{
    platform::TextBox& box = letterBox(n);
    if (box.Text().isEmpty())
        return;
    box.setText(properCase(box.Text()));
    QString& letter = keypad().KeyLetter.at(n - 1);
    if (const std::optional<QChar> accepted = acceptedLetter(box.Text())) {
        box.setText(QString(*accepted));
        letter = QString(*accepted);
    } else {
        box.setText(letter);
    }
    // The caret after the letter: a second letter typed goes behind it and
    // is dropped, so the first letter typed is the one that stays.
    box.setSelStart(static_cast<int>(box.Text().size()));
}

void Jyouken::Check1_Click()
{
    keypad().UpperCaseFlag = static_cast<std::uint8_t>(Check1.Value());
}

void Jyouken::Check2_Click()
{
    keypad().IconMode = Check2.Value() == platform::check::Checked ? 1 : 0;
}

void Jyouken::HScroll1_Change()
{
    KeypadState& state = keypad();
    state.SizeFactor = static_cast<float>(HScroll1.Value() / 10.0);
    Text4.setText(platform::CStrSingle(state.SizeFactor));
}

void Jyouken::Command1_Click()
{
    SaveKeypadSettings();
    jyoukenHolder().unload();
}

void Jyouken::Command2_Click()
{
    jyoukenHolder().unload();
}

}  // namespace kintab
