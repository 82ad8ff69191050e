// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/buttons.h"

#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace platform {

namespace {

// An option button that a click anywhere in its rectangle chooses and never
// clears: the other options of its container are cleared by the control.
class OptionWidget final : public QRadioButton {
public:
    explicit OptionWidget(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

protected:
    void nextCheckState() override { setChecked(true); }
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

// A check box that answers a click anywhere in its rectangle, caption or not.
class CheckWidget final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

}  // namespace

// --- CommandButton ----------------------------------------------------------------

CommandButton::CommandButton(Container& container, QString name) : Control(container, std::move(name))
{
    auto* button = new QPushButton(container.clientWidget());
    button->setAutoDefault(false);
    attach(button);
    QObject::connect(button, &QPushButton::clicked, button, [this] { userClicked(); });
}

CommandButton::~CommandButton()
{
    form().setDefaultButton(this, false);
    form().setCancelButton(this, false);
}

QString CommandButton::Caption() const
{
    return static_cast<QPushButton*>(widget())->text();
}

void CommandButton::setCaption(const QString& caption)
{
    static_cast<QPushButton*>(widget())->setText(caption);
}

void CommandButton::setValue(bool value)
{
    if (value)
        fire(Click);
}

void CommandButton::userClicked()
{
    detail::DeliveryScope delivery;
    fire(Click);
}

bool CommandButton::Default() const
{
    return form().defaultButton() == this;
}

void CommandButton::setDefault(bool isDefault)
{
    form().setDefaultButton(this, isDefault);
}

bool CommandButton::Cancel() const
{
    return form().cancelButton() == this;
}

void CommandButton::setCancel(bool isCancel)
{
    form().setCancelButton(this, isCancel);
}

// --- CheckBox ---------------------------------------------------------------------

CheckBox::CheckBox(Container& container, QString name) : Control(container, std::move(name))
{
    auto* box = new CheckWidget(container.clientWidget());
    attach(box);
    QObject::connect(box, &QCheckBox::clicked, box, [this] { userClicked(); });
}

QString CheckBox::Caption() const
{
    return static_cast<QCheckBox*>(widget())->text();
}

void CheckBox::setCaption(const QString& caption)
{
    static_cast<QCheckBox*>(widget())->setText(caption);
}

void CheckBox::show(int value)
{
    auto* box = static_cast<QCheckBox*>(widget());
    const QSignalBlocker blocker(box);
    box->setTristate(value == check::Grayed);
    box->setCheckState(value == check::Checked  ? Qt::Checked
                       : value == check::Grayed ? Qt::PartiallyChecked
                                                : Qt::Unchecked);
}

bool CheckBox::setValue(int value)
{
    if (value < check::Unchecked || value > check::Grayed)
        return false;
    if (value == mValue)
        return true;
    mValue = value;
    show(value);
    fire(Click);
    return true;
}

void CheckBox::userClicked()
{
    detail::DeliveryScope delivery;
    auto* box = static_cast<QCheckBox*>(widget());
    mValue = box->checkState() == Qt::Checked ? check::Checked : check::Unchecked;
    show(mValue);
    fire(Click);
}

// --- OptionButton -----------------------------------------------------------------

OptionButton::OptionButton(Container& container, QString name) : Control(container, std::move(name))
{
    auto* option = new OptionWidget(container.clientWidget());
    attach(option);
    QObject::connect(option, &QRadioButton::clicked, option, [this] { userClicked(); });
}

QString OptionButton::Caption() const
{
    return static_cast<QRadioButton*>(widget())->text();
}

void OptionButton::setCaption(const QString& caption)
{
    static_cast<QRadioButton*>(widget())->setText(caption);
}

void OptionButton::show(bool value)
{
    auto* option = static_cast<QRadioButton*>(widget());
    const QSignalBlocker blocker(option);
    option->setChecked(value);
}

void OptionButton::clearSiblings()
{
    for (ControlBase* control : form().controls()) {
        auto* other = dynamic_cast<OptionButton*>(control);
        if (other != nullptr && other != this && &other->container() == &container() && other->mValue) {
            other->mValue = false;
            other->show(false);
        }
    }
}

void OptionButton::setValue(bool value)
{
    if (value == mValue)
        return;
    mValue = value;
    if (value)
        clearSiblings();
    show(value);
    if (value)
        fire(Click);
}

void OptionButton::userClicked()
{
    detail::DeliveryScope delivery;
    if (!mValue) {
        mValue = true;
        clearSiblings();
    }
    show(true);
    fire(Click);
}

}  // namespace platform
