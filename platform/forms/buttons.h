// SPDX-License-Identifier: LicenseRef-Tavelcor
// Command buttons, check boxes and option buttons.
//
// Setting Value from code fires Click as a user's click does, but only when
// the value changes (a command button's Value = true always clicks it).
// Option buttons exclude each other within their container (the form, a frame
// or a picture box): choosing one clears the others without firing their
// Click. A user's click on an option button fires its Click even when it was
// chosen already; setting Value = true from code on a chosen one fires nothing.
#pragma once

#include "platform/forms/control.h"

namespace platform {

class CommandButton final : public Control {
public:
    explicit CommandButton(Container& container, QString name = QString());
    ~CommandButton() override;

    QString Caption() const;
    void setCaption(const QString& caption);
    /// Value = true clicks the button (fires Click); false does nothing.
    bool Value() const { return false; }
    void setValue(bool value);
    /// Enter anywhere on the form clicks the default button (while shown and
    /// enabled); only one button of a form is the default, so making another
    /// one the default clears this one.
    bool Default() const;
    void setDefault(bool isDefault);
    /// Esc anywhere on the form clicks the cancel button; one per form too.
    bool Cancel() const;
    void setCancel(bool isCancel);

private:
    QPalette::ColorRole backgroundRole() const override { return QPalette::Button; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::ButtonText; }
    bool sinkGenericClick() const override { return false; }
    bool sinkIsCommandButton() const override { return true; }
    void sinkPress() override { setValue(true); }
    void userClicked();
};

/// Check box values.
namespace check {
inline constexpr int Unchecked = 0;
inline constexpr int Checked = 1;
inline constexpr int Grayed = 2;
}  // namespace check

class CheckBox final : public Control {
public:
    explicit CheckBox(Container& container, QString name = QString());

    QString Caption() const;
    void setCaption(const QString& caption);
    /// 0 unchecked, 1 checked, 2 grayed.
    int Value() const { return mValue; }
    /// Fires Click when the value changes; a value outside 0..2 is refused
    /// (false, nothing changes).
    bool setValue(int value);

private:
    bool sinkGenericClick() const override { return false; }
    void userClicked();
    void show(int value);

    int mValue = check::Unchecked;
};

class OptionButton final : public Control {
public:
    explicit OptionButton(Container& container, QString name = QString());

    QString Caption() const;
    void setCaption(const QString& caption);
    bool Value() const { return mValue; }
    /// true: chooses this option, clears the others of its container and
    /// fires Click when it was not chosen; false: clears it, firing nothing.
    void setValue(bool value);

private:
    bool sinkGenericClick() const override { return false; }
    void userClicked();
    void show(bool value);
    void clearSiblings();

    bool mValue = false;
};

}  // namespace platform
