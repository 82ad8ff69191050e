// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "sample_form.h"

namespace formstest {

namespace {

QString mouseEntry(const QString& what, int button, int shift, double x, double y)
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(what).arg(button).arg(shift).arg(x).arg(y);
}

}  // namespace

SampleForm::SampleForm() : platform::Form(QStringLiteral("SampleForm"))
{
    setCaption(QStringLiteral("見本"));
    setClientSize(9000, 7500);
    Frame1.Move(120, 120, 2400, 1200);
    Frame1.setCaption(QStringLiteral("操作"));
    Frame2.Move(2640, 120, 2400, 1200);
    Option1.Move(120, 240, 1000, 300);
    Option2.Move(120, 600, 1000, 300);
    Option3.Move(120, 240, 1000, 300);
    Option4.Move(120, 600, 1000, 300);
    Check1.Move(120, 1440, 1500, 300);
    Text1.Move(120, 1800, 2000, 300);
    Text2.Move(120, 2160, 2000, 300);
    Label1.Move(2400, 1800, 1500, 300);
    Label1.setCaption(QStringLiteral("ラベル"));
    Command1.Move(120, 2520, 1200, 400);
    Command1.setCaption(QStringLiteral("Ｏ　Ｋ"));
    Command1.setDefault(true);
    Command2.Move(1440, 2520, 1200, 400);
    Command2.setCaption(QStringLiteral("CANCEL"));
    Command2.setCancel(true);
    Command3.Move(2760, 2520, 1200, 400);
    Picture1.Move(120, 3000, 3060, 1860);  // 204 x 124 pixels: a 200 x 120 client area
    List1.Move(5200, 120, 2000, 1500);
    Combo1.Move(5200, 1800, 2000, 300);
    HScroll1.Move(5200, 2200, 2000, 255);
    Timer1.setInterval(500);
    wireClicks();
    wireInput();
    Load = [this] {
        ++sampleState().loads;
        note(QStringLiteral("Form_Load"));
    };
    Activate = [this] { note(QStringLiteral("Form_Activate")); };
    Deactivate = [this] { note(QStringLiteral("Form_Deactivate")); };
    Resize = [this] { note(QStringLiteral("Form_Resize")); };
    Timer1.Timer = [this] { note(QStringLiteral("Timer1_Timer")); };
}

void SampleForm::wireClicks()
{
    Option1.Click = [this] { note(QStringLiteral("Option1_Click")); };
    Option2.Click = [this] { note(QStringLiteral("Option2_Click")); };
    Option3.Click = [this] { note(QStringLiteral("Option3_Click")); };
    Option4.Click = [this] { note(QStringLiteral("Option4_Click")); };
    Check1.Click = [this] { note(QStringLiteral("Check1_Click %1").arg(Check1.Value())); };
    Command1.Click = [this] {
        note(QStringLiteral("Command1_Click"));
        ++sampleState().okClicks;
        if (onCommand1)
            onCommand1();
    };
    Command2.Click = [this] { note(QStringLiteral("Command2_Click")); };
    Command3.Click = [this] { note(QStringLiteral("Command3_Click")); };
    List1.Click = [this] { note(QStringLiteral("List1_Click %1").arg(List1.ListIndex())); };
    Combo1.Click = [this] { note(QStringLiteral("Combo1_Click %1").arg(Combo1.ListIndex())); };
    Combo1.Change = [this] { note(QStringLiteral("Combo1_Change %1").arg(Combo1.Text())); };
    HScroll1.Change = [this] { note(QStringLiteral("HScroll1_Change %1").arg(HScroll1.Value())); };
    Text1.Change = [this] { note(QStringLiteral("Text1_Change %1").arg(Text1.Text())); };
    Label1.Click = [this] { note(QStringLiteral("Label1_Click")); };
    Label1.DblClick = [this] { note(QStringLiteral("Label1_DblClick")); };
}

void SampleForm::wireInput()
{
    Label1.MouseDown = [this](int b, int s, double x, double y) { note(mouseEntry("Label1_MouseDown", b, s, x, y)); };
    Label1.MouseUp = [this](int b, int s, double x, double y) { note(mouseEntry("Label1_MouseUp", b, s, x, y)); };
    Picture1.MouseDown = [this](int b, int s, double x, double y) { note(mouseEntry("Picture1_MouseDown", b, s, x, y)); };
    Picture1.MouseMove = [this](int b, int s, double x, double y) { note(mouseEntry("Picture1_MouseMove", b, s, x, y)); };
    Picture1.MouseUp = [this](int b, int s, double x, double y) { note(mouseEntry("Picture1_MouseUp", b, s, x, y)); };
    Text1.GotFocus = [this] { note(QStringLiteral("Text1_GotFocus")); };
    Text1.LostFocus = [this] { note(QStringLiteral("Text1_LostFocus")); };
    Text2.GotFocus = [this] { note(QStringLiteral("Text2_GotFocus")); };
    Text2.LostFocus = [this] { note(QStringLiteral("Text2_LostFocus")); };
    Text1.KeyDown = [this](int& code, int shift) { note(QStringLiteral("Text1_KeyDown %1 %2").arg(code).arg(shift)); };
    Text1.KeyPress = [this](int& ascii) { note(QStringLiteral("Text1_KeyPress %1").arg(ascii)); };
    Text1.KeyUp = [this](int& code, int shift) { note(QStringLiteral("Text1_KeyUp %1 %2").arg(code).arg(shift)); };
}

platform::FormHolder<SampleForm>& sampleForm()
{
    static platform::FormHolder<SampleForm> holder;
    return holder;
}

SampleState& sampleState()
{
    static SampleState state;
    return state;
}

}  // namespace formstest
