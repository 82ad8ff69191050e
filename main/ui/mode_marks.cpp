// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/ui/mode_marks.h"

#include "main/site/tables.h"
#include "main/ui/ui_services.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/text/cp932.h"
#include "platform/text/numbers.h"

#include <QByteArray>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace tavelcor {

namespace {

// The smallest width of the hover label, in the plot's own scale.
constexpr double kLeastLabelWidth = 2535.0;

std::array<platform::CommandButton*, 4> layerButtons(Plot& w)
{
    return {&w.Command20, &w.Command21, &w.Command22, &w.Command33};
}

std::array<platform::OptionButton*, 14> operationOptions(Plot& w)
{
    return {&w.Option12, &w.Option11, &w.Option10, &w.Option9,  &w.Option22, &w.Option18, &w.Option24,
            &w.Option19, &w.Option20, &w.Option21, &w.Option25, &w.Option6,  &w.Option16, &w.Option17};
}

std::array<platform::CommandButton*, 16> viewButtons(Plot& w)
{
    return {&w.Command2,  &w.Command3,  &w.Command4,  &w.Command5,  &w.Command6,  &w.Command7,
            &w.Command8,  &w.Command12, &w.Command13, &w.Command14, &w.Command15, &w.Command16,
            &w.Command17, &w.Command39, &w.Command40, &w.Command41};
}

void enableViewButtons(Plot& w, bool enabled)
{
    for (platform::CommandButton* button : viewButtons(w))
        button->setEnabled(enabled);
}

// The byte length the hover label's width is measured by: the text's UTF-16
// bytes read as Shift-JIS text, two bytes counted per character that gives
// (four per ASCII character).
int widenedByteLength(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    std::vector<QChar> decoded(static_cast<std::size_t>(bytes.size()));
    return 2 * static_cast<int>(platform::decodeCp932(bytes, decoded.data()));
}

// The label's size and place from the view's metres per twip; the steps are
// skipped when the plot has no height to measure the view by.
void placeHoverLabel(Plot& w, const QString& text, double x, double y, double fontSize)
{
    const double plotHeight = w.Picture1.Height();
    if (!(plotHeight > 0.0) || !std::isfinite(ViewSpanX))
        return;
    const double metresPerTwip = ViewSpanX / plotHeight;
    w.Label28.setWidth(widenedByteLength(text) * metresPerTwip * 120.0 * fontSize / 10.0);
    if (w.Label28.Width() < kLeastLabelWidth)
        w.Label28.setWidth(kLeastLabelWidth);
    w.Label28.setHeight(metresPerTwip * 220.0 * fontSize / 10.0);
    w.Label28.setLeft(x);
    w.Label28.setTop(w.Frame11.Visible() ? y : y - w.Label28.Height() * SlideFactor);
}

// Whether a control's value compares unequal to 0; nullopt when the
// comparison has no meaning (a text that is no number).
std::optional<bool> valueIsNotZero(const platform::Control& control)
{
    const auto numberNotZero = [](const QString& text) -> std::optional<bool> {
        const std::optional<double> number = platform::toNumberChecked(text);
        if (!number)
            return std::nullopt;
        return *number != 0.0;
    };
    if (const auto* text = dynamic_cast<const platform::TextBox*>(&control))
        return numberNotZero(text->Text());
    if (const auto* option = dynamic_cast<const platform::OptionButton*>(&control))
        return option->Value();
    if (const auto* check = dynamic_cast<const platform::CheckBox*>(&control))
        return check->Value() != 0;
    if (const auto* bar = dynamic_cast<const platform::ScrollBar*>(&control))
        return bar->Value() != 0;
    if (const auto* list = dynamic_cast<const platform::ItemList*>(&control))
        return numberNotZero(list->List(list->ListIndex()));
    // Command buttons (False) and picture boxes without a picture.
    return false;
}

}  // namespace

std::uint32_t unmarkedButtonColor()
{
    return platform::RGB(224, 224, 224);
}

std::uint32_t markedButtonColor()
{
    return platform::QBColor(11);
}

void Commandcolor(Plot& window, int C)
{
    for (platform::CommandButton* button : layerButtons(window))
        button->setBackColor(unmarkedButtonColor());
    const struct {
        int number;
        platform::CommandButton& button;
    } numbered[] = {{20, window.Command20}, {21, window.Command21}, {22, window.Command22}, {33, window.Command33}};
    for (const auto& layer : numbered) {
        if (layer.number == C)
            layer.button.setBackColor(markedButtonColor());
    }
}

void Opcol(Plot& window)
{
    const auto options = operationOptions(window);
    for (platform::OptionButton* option : options)
        option->setBackColor(unmarkedButtonColor());
    for (platform::OptionButton* option : options) {
        if (option->Value())
            option->setBackColor(markedButtonColor());
    }
}

void Command_Enable_False(Plot& window)
{
    enableViewButtons(window, false);
}

void Command_Enable_True(Plot& window)
{
    enableViewButtons(window, true);
}

void L_28SET(Plot& window, const QString& TXT, double X, double Y)
{
    if (SlideFactor == 9.0F) {
        window.Label28.setVisible(false);
        return;
    }
    // Typing in a field of the window is never interrupted by the label.
    if (const platform::Control* active = window.ActiveControl();
        active != nullptr && active->Name().contains(QStringLiteral("Text")))
        return;
    window.Label28.setVisible(true);
    window.Picture1.SetFocus();
    const double fontSize = FontSize * 1.5;
    window.Label28.setFontSize(fontSize);
    window.Label28.setFontBold(true);
    window.Label28.setVisible(true);
    placeHoverLabel(window, TXT, X, Y, fontSize);
    window.Label28.setCaption(TXT);
}

platform::WindowHandle Pointer_in(Plot& window, QString& ct)
{
    platform::ForegroundWindows* desktop = uiServices().foreground;
    const platform::WindowHandle hdl = desktop != nullptr ? desktop->foregroundWindow() : 0;
    if (const platform::Control* active = window.ActiveControl()) {
        if (valueIsNotZero(*active).value_or(false))
            ct = active->Name();
    }
    return hdl;
}

}  // namespace tavelcor
