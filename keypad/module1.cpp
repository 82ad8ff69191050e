// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "keypad/module1.h"

#include "keypad/form1.h"
#include "keypad/geometry.h"
#include "keypad/jyouken.h"
#include "keypad/keys.h"
#include "keypad/settings_file.h"

#include "platform/forms/form.h"
#include "platform/prompt/prompter.h"
#include "platform/desktop/screen.h"
#include "platform/system/folders.h"
#include "platform/system/window_presence.h"
#include "platform/text/numbers.h"

#include <memory>
#include <optional>
#include <utility>

namespace kintab {

namespace {

KeypadState& stateSlot()
{
    static KeypadState state;
    return state;
}

struct ServicesSlot {
    KeypadServices services;
    std::unique_ptr<platform::ForegroundWindows> ownWindows;
    bool installed = false;
};

ServicesSlot& servicesSlot()
{
    static ServicesSlot slot;
    return slot;
}

// The file's values in force: flag, factor with size and place, stored
// position, compact-mode switch.
void applyFileValues(const KeypadFileValues& values)
{
    KeypadState& state = keypad();
    Form1& keys = form1();
    if (values.upperCaseFlag)
        state.UpperCaseFlag = *values.upperCaseFlag;
    if (values.sizeFactor && *values.sizeFactor != state.SizeFactor) {
        state.SizeFactor = *values.sizeFactor;
        const OuterSize size = sizeForFactor(state.SizeFactor);
        state.KeypadWidth = size.width;
        state.KeypadHeight = size.height;
        keys.Move(keys.Left(), keys.Top(), size.width, size.height);
        const Corner corner =
            placeForFactor(state.SizeFactor, size, screenWidthTwips(), screenHeightTwips());
        keys.Move(corner.left, corner.top);
    }
    if (values.top >= 0 && values.top < keys.Top())
        keys.setTop(values.top);
    if (values.left >= 0 && values.left < keys.Left())
        keys.setLeft(values.left);
    state.IconMode = values.iconMode.value_or(1);
}

// The letters that pass, then the dialog from the values.
// Each dialog control whose value changes runs its handler.
void showValues(const KeypadFileValues& values)
{
    KeypadState& state = keypad();
    for (int n = 1; n <= 3; ++n) {
        if (const std::optional<QChar> letter = acceptedLetter(values.letters.at(n - 1))) {
            state.KeyLetter.at(n - 1) = QString(*letter);
            form1().Command59(kFirstLetterKey + n - 1).setCaption(QString(*letter));
        }
    }
    Jyouken& dialog = jyouken();
    dialog.Check1.setValue(state.UpperCaseFlag == 1 ? 1 : 0);
    dialog.Text4.setText(platform::CStrSingle(state.SizeFactor));
    dialog.Check2.setValue(state.IconMode == 1 ? 1 : 0);
    (void)dialog.HScroll1.setValue(platform::CLng(state.SizeFactor * 10.0));
}

}  // namespace

KeypadState& keypad()
{
    return stateSlot();
}

void resetKeypadState()
{
    stateSlot() = KeypadState{};
}

KeypadServices& services()
{
    ServicesSlot& slot = servicesSlot();
    if (!slot.installed) {
        slot.ownWindows = platform::openForegroundWindows();
        slot.services.windows = slot.ownWindows.get();
        slot.services.openKeySender = [] { return platform::openKeySender(); };
        slot.installed = true;
    }
    return slot.services;
}

void installServices(KeypadServices next)
{
    ServicesSlot& slot = servicesSlot();
    slot.services = std::move(next);
    slot.ownWindows.reset();
    slot.installed = true;
}

double screenWidthTwips()
{
    const std::optional<platform::ScreenMetrics> metrics = platform::primaryScreenMetrics();
    return metrics ? metrics->widthTwips : 0.0;
}

double screenHeightTwips()
{
    const std::optional<platform::ScreenMetrics> metrics = platform::primaryScreenMetrics();
    return metrics ? metrics->heightTwips : 0.0;
}

void KeepOnTop(platform::Form& form)
{
    form.setTopMost(true);
}

void LoadKeypadSettings()
{
    KeypadState& state = keypad();
    // Using the dialog loads it first; its load runs a whole reading, and
    // this one then finds the values in place.
    Jyouken& dialog = jyouken();
    for (int n = 1; n <= 3; ++n) {
        state.KeyLetter.at(n - 1) = form1().Command59(kFirstLetterKey + n - 1).Caption();
        dialog.letterBox(n).setText(state.KeyLetter.at(n - 1));
    }
    state.UpperCaseFlag = static_cast<std::uint8_t>(jyouken().Check1.Value());

    const std::optional<KeypadFileValues> values = readKeypadFile(keypadSettingsPath());
    if (!values)
        return;
    applyFileValues(*values);
    showValues(*values);
}

void SaveKeypadSettings()
{
    KeypadState& state = keypad();
    Form1& keys = form1();
    KeypadFileContents contents;
    for (int n = 1; n <= 3; ++n) {
        keys.Command59(kFirstLetterKey + n - 1).setCaption(state.KeyLetter.at(n - 1));
        contents.letters.at(n - 1) = state.KeyLetter.at(n - 1);
    }
    contents.upperCaseFlag = state.UpperCaseFlag;
    contents.sizeFactor = state.SizeFactor;
    contents.top = static_cast<float>(keys.Top());
    contents.left = static_cast<float>(keys.Left());
    contents.iconMode = state.IconMode;
    const QString failure = writeKeypadFile(keypadSettingsPath(), contents);
    if (!failure.isEmpty())
        platform::MsgBox(QStringLiteral("KINTAB.JKNを保存できませんでした。\n") + failure,
                         platform::MsgButtons::OkOnly, platform::MsgIcon::Exclamation);

    const OuterSize size = sizeForFactor(state.SizeFactor);
    state.KeypadWidth = size.width;
    state.KeypadHeight = size.height;
    keys.Move(keys.Left(), keys.Top(), size.width, size.height);
}

std::unique_ptr<platform::SingleInstance> claimTheProgram()
{
    std::unique_ptr<platform::SingleInstance> instance =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    if (instance && !instance->holdsLock())
        platform::MsgBox(platform::programFolderNotWritableMessage(platform::programFolder()),
                         platform::MsgButtons::OkOnly, platform::MsgIcon::Exclamation);
    return instance;
}

void endForSession()
{
    if (Form1* keys = form1Holder().ifLoaded())
        keys->requestUnload(platform::UnloadMode::AppWindows);
}

}  // namespace kintab
