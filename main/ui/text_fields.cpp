// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/text_fields.h"

#include "main/survey/keypad_start.h"
#include "main/window/plot.h"
#include "platform/forms/keys.h"
#include "platform/text/numbers.h"

namespace tavelcor {

namespace {

// The search is the handler of Text1's double click (the view part wires it).
void runSearch(Plot& window)
{
    if (window.Text1.DblClick)
        window.Text1.DblClick();
}

// A number field asks for the keypad and keeps the focus (the keypad, or its
// message, may have taken it).
void askForKeypad(platform::TextBox& field)
{
    KintabDisp();
    field.SetFocus();
}

}  // namespace

void Command44_Click(Plot& window)
{
    runSearch(window);
}

void Command80_Click(Plot& window)
{
    Command44_Click(window);
    window.Picture1.SetFocus();
}

void Text1_GotFocus(Plot& window)
{
    askForKeypad(window.Text1);
}

void Text1_KeyDown(Plot& window, int& keyCode, int /*shift*/)
{
    if (keyCode == platform::key::Return)
        runSearch(window);
}

void Text1_KeyPress(Plot& /*window*/, int& keyAscii)
{
    if (keyAscii == platform::key::Return)
        keyAscii = 0;
}

void Text17_Change(Plot& window)
{
    window.Text1.setText(window.Text17.Text());
}

void Text17_GotFocus(Plot& window)
{
    askForKeypad(window.Text17);
}

void Text17_KeyDown(Plot& window, int& keyCode, int /*shift*/)
{
    if (keyCode == platform::key::Return)
        Command80_Click(window);
}

void Text6_Change(Plot& window)
{
    window.Command32.setDefault(true);
}

void Text6_GotFocus(Plot& window)
{
    askForKeypad(window.Text6);
}

void Text7_DblClick(Plot& window)
{
    window.Text7.setText(QStringLiteral("済") + window.Text7.Text());
}

void Text8_Change(Plot& window)
{
    if (window.Option18.Value()) {
        window.Command34.setCaption(QStringLiteral("確定"));
        window.Command34.setVisible(true);
        window.Command34.setDefault(false);
    }
    window.Command35.setDefault(false);
}

void Text8_DblClick(Plot& window)
{
    if (platform::Val(window.Text8.Text()) <= 0.0)
        window.Text8.setText(QString());
}

void Text8_GotFocus(Plot& window)
{
    askForKeypad(window.Text8);
}

void Text14_DblClick(Plot& window)
{
    window.Text14.setText(QString());
}

void wireTextFields(Plot& w)
{
    w.Text1.GotFocus = [&w] { Text1_GotFocus(w); };
    w.Text1.KeyDown = [&w](int& keyCode, int shift) { Text1_KeyDown(w, keyCode, shift); };
    w.Text1.KeyPress = [&w](int& keyAscii) { Text1_KeyPress(w, keyAscii); };
    w.Text17.Change = [&w] { Text17_Change(w); };
    w.Text17.GotFocus = [&w] { Text17_GotFocus(w); };
    w.Text17.KeyDown = [&w](int& keyCode, int shift) { Text17_KeyDown(w, keyCode, shift); };
    w.Text6.Change = [&w] { Text6_Change(w); };
    w.Text6.GotFocus = [&w] { Text6_GotFocus(w); };
    w.Text7.DblClick = [&w] { Text7_DblClick(w); };
    w.Text8.Change = [&w] { Text8_Change(w); };
    w.Text8.DblClick = [&w] { Text8_DblClick(w); };
    w.Text8.GotFocus = [&w] { Text8_GotFocus(w); };
    w.Text14.DblClick = [&w] { Text14_DblClick(w); };
    w.Command44.Click = [&w] { Command44_Click(w); };
    w.Command80.Click = [&w] { Command80_Click(w); };
}

}  // namespace tavelcor
