// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/simasave.h"

#include "main/site/tables.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <array>

namespace tavelcor {
namespace {

// The radius the dialog falls back to, metres, and the range it takes.
constexpr double kDefaultRadius = 50.0;
constexpr double kMinRadius = 1.0;
constexpr double kMaxRadius = 999.0;

bool anyParcelSelected()
{
    const int top = std::clamp<int>(KakuchiCount, 0, kKakuchiTop);
    for (int p = 1; p <= top; ++p)
        if (KakuchiSel[p] == 1)
            return true;
    return false;
}

void selectAll(platform::TextBox& field)
{
    field.setSelStart(0);
    field.setSelLength(static_cast<int>(field.Text().size()));
}

}  // namespace

Simasave::Simasave() : platform::Form(QStringLiteral("simasave"))
{
    setCaption(QStringLiteral("Sima登録"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(7260.0, 4100.0);

    Frame1.setCaption(QStringLiteral("対象"));
    Frame1.Move(120.0, 120.0, 7020.0, 2300.0);
    Option1.setCaption(QStringLiteral("全体"));
    Option1.Move(150.0, 280.0, 1200.0, 300.0);
    Option2.setCaption(QStringLiteral("表示範囲の座標のみ"));
    Option2.Move(150.0, 600.0, 2600.0, 300.0);
    Option3.setCaption(QStringLiteral("表示範囲の画地と多角点"));
    Option3.Move(150.0, 920.0, 3000.0, 300.0);
    Option4.setCaption(QStringLiteral("表示範囲の画地のみ"));
    Option4.Move(150.0, 1240.0, 2600.0, 300.0);
    Option5.setCaption(QStringLiteral("選択画地のみ"));
    Option5.Move(150.0, 1560.0, 1600.0, 300.0);
    Label4.setCaption(QStringLiteral("画地-範囲-対角で指定範囲内の画地をまとめて選択できます"));
    Label4.Move(1800.0, 1590.0, 5100.0, 270.0);
    Option6.setCaption(QStringLiteral("選択画地と多角点  　 範囲"));
    Option6.Move(150.0, 1880.0, 3000.0, 300.0);
    Text1.setText(QStringLiteral("50"));
    Text1.Move(3200.0, 1880.0, 700.0, 300.0);
    Label1.setCaption(QStringLiteral("m"));
    Label1.Move(3950.0, 1910.0, 300.0, 270.0);

    Frame2.setCaption(QStringLiteral("圧縮"));
    Frame2.Move(120.0, 2520.0, 4900.0, 1460.0);
    Check1.setCaption(QStringLiteral("圧縮する"));
    Check1.Move(150.0, 280.0, 1600.0, 300.0);
    Label2.setCaption(QStringLiteral("座標登録開始番号"));
    Label2.Move(150.0, 680.0, 1900.0, 270.0);
    Text2.Move(2100.0, 650.0, 1300.0, 300.0);
    Label3.setCaption(QStringLiteral("画地登録開始番号"));
    Label3.Move(150.0, 1040.0, 1900.0, 270.0);
    Text3.Move(2100.0, 1010.0, 1300.0, 300.0);

    Command2.setCaption(QStringLiteral("登録"));
    Command2.Move(5280.0, 2620.0, 1860.0, 450.0);
    Command1.setCaption(QStringLiteral("CANCEL"));
    Command1.Move(5280.0, 3300.0, 1860.0, 450.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Unload = [this](int&) { Form_Unload(); };
    Command2.Click = [this] { Command2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    Text2.Change = [this] { limitStartNumber(Text2, kSimaZahyoStartLimit); };
    Text3.Change = [this] { limitStartNumber(Text3, kSimaKakuchiStartLimit); };
    Text1.GotFocus = [this] { selectAll(Text1); };
    Text2.GotFocus = [this] { selectAll(Text2); };
    Text3.GotFocus = [this] { selectAll(Text3); };
}

void Simasave::Form_Load()
{
    showState();
    enableRenumbering();
}

void Simasave::Form_Activate()
{
    showState();
}

// Availability of the selection targets, the kept target and the start
// numbers.
void Simasave::showState()
{
    const bool selected = anyParcelSelected();
    for (platform::Control* control : {static_cast<platform::Control*>(&Option5),
                                       static_cast<platform::Control*>(&Option6),
                                       static_cast<platform::Control*>(&Text1),
                                       static_cast<platform::Control*>(&Label1)})
        control->setEnabled(selected);
    if (!selected && SimaTarget > 4)
        SimaTarget = 1;

    const std::array<platform::OptionButton*, 7> options{nullptr,  &Option1, &Option2, &Option3,
                                                         &Option4, &Option5, &Option6};
    if (SimaTarget < 2 || SimaTarget > 6)
        SimaTarget = 1;
    options[SimaTarget]->setValue(true);

    Text2.setText(platform::Str(SimaZahyoStart));
    Text3.setText(platform::Str(SimaKakuchiStart));
}

void Simasave::enableRenumbering()
{
    const bool on = Check1.Value() == platform::check::Checked;
    for (platform::Control* control : {static_cast<platform::Control*>(&Label2),
                                       static_cast<platform::Control*>(&Label3),
                                       static_cast<platform::Control*>(&Text2),
                                       static_cast<platform::Control*>(&Text3)})
        control->setEnabled(on);
}

void Simasave::Check1_Click()
{
    enableRenumbering();
}

// A start number above its limit is set to the limit with a message; one
// below 1 (an empty or non-numeric text too) becomes 1.
void Simasave::limitStartNumber(platform::TextBox& field, double limit)
{
    const double value = platform::Val(field.Text());
    if (value > limit) {
        platform::MsgBox(QStringLiteral("登録開始番号が大きすぎます"));
        field.setText(platform::Str(limit));
    } else if (value < 1.0) {
        field.setText(QStringLiteral("1"));
    }
}

// The target of the chosen option, the renumbering switch and the start
// numbers (rounded, halves to even).
void Simasave::recordChoices()
{
    const std::array<platform::OptionButton*, 5> options{&Option2, &Option3, &Option4, &Option5, &Option6};
    SimaTarget = 1;
    for (std::size_t k = 0; k < options.size(); ++k)
        if (options[k]->Value())
            SimaTarget = static_cast<std::uint8_t>(k + 2);
    if (SimaTarget == 1)
        Option1.setValue(true);
    SimaCompress = static_cast<std::uint8_t>(Check1.Value());
    SimaZahyoStart = platform::CLng(platform::Val(Text2.Text()));
    SimaKakuchiStart = platform::CLng(platform::Val(Text3.Text()));
}

void Simasave::Command2_Click()
{
    const double radius = platform::Val(Text1.Text());
    recordChoices();
    if (radius < kMinRadius || radius > kMaxRadius)
        Text1.setText(platform::Str(kDefaultRadius));
    Hide();
}

void Simasave::Command1_Click()
{
    SimaCancel = 9;
    Hide();
}

void Simasave::Form_Unload()
{
    SimaCancel = 9;
    recordChoices();
}

platform::FormHolder<Simasave>& simasaveForm()
{
    static platform::FormHolder<Simasave> holder;
    return holder;
}

}  // namespace tavelcor
