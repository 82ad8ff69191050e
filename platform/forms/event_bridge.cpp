// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/event_bridge.h"

#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"
#include "platform/forms/keys.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace platform::detail {

namespace {

constexpr char32_t kDeleteChar = 127;
constexpr char32_t kTabChar = 9;

// True when `widget` is where a key event is meant to go, not a parent the
// event climbed to because the focused child left it unused.
bool ownsKeys(const QWidget& widget)
{
    return widget.hasFocus() || (widget.isWindow() && widget.focusWidget() == nullptr);
}

int qtKeyOfAscii(int keyAscii)
{
    switch (keyAscii) {
    case 8: return Qt::Key_Backspace;
    case 13: return Qt::Key_Return;
    case 27: return Qt::Key_Escape;
    case 32: return Qt::Key_Space;
    default: break;
    }
    if (keyAscii >= 'a' && keyAscii <= 'z')
        return Qt::Key_A + (keyAscii - 'a');
    if (keyAscii > 32 && keyAscii < 127)
        return keyAscii;  // Qt's key codes of printable ASCII are the characters
    return Qt::Key_unknown;
}

}  // namespace

EventBridge::EventBridge(InputSink& sink, QWidget& watched, QWidget& origin, unsigned parts)
    : QObject(&watched), mSink(sink), mOrigin(origin), mParts(parts)
{
    watched.installEventFilter(this);
}

int EventBridge::keyAscii(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    char32_t code = text.at(0).unicode();
    if (text.at(0).isHighSurrogate() && text.size() > 1)
        code = QChar::surrogateToUcs4(text.at(0), text.at(1));
    if (code == kDeleteChar || code == kTabChar)
        return 0;
    return static_cast<int>(code);
}

bool EventBridge::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return (mParts & Mouse) != 0 && mouse(*widget, static_cast<QMouseEvent&>(*event));
    case QEvent::KeyPress:
        return (mParts & Keys) != 0 && keyDown(*widget, static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease:
        return (mParts & Keys) != 0 && keyUp(*widget, static_cast<QKeyEvent&>(*event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if ((mParts & Focus) != 0)
            focus(static_cast<QFocusEvent&>(*event), event->type() == QEvent::FocusIn);
        return false;
    default:
        return false;
    }
}

QPointF EventBridge::unitsOf(QWidget& widget, QPointF position) const
{
    if (&widget != &mOrigin)
        position = widget.mapTo(&mOrigin, position);
    return mSink.sinkUnits(position);
}

bool EventBridge::mouse(QWidget& widget, QMouseEvent& event)
{
    // A disabled control (or one in a disabled frame) takes no mouse input:
    // Qt still shows such events to the filter.
    if (!widget.isEnabled())
        return false;
    DeliveryScope delivery;
    const int shift = vbShift(event.modifiers());
    const QPointF units = unitsOf(widget, event.position());
    const int button = vbButton(event.button());
    switch (event.type()) {
    case QEvent::MouseMove:
        mSink.sinkMouseMove(vbButtons(event.buttons()), shift, units);
        break;
    case QEvent::MouseButtonPress:
        if (button == 0)
            break;
        mClickArmed = button == mouse::Left;
        mSink.sinkMouseDown(button, shift, units);
        break;
    case QEvent::MouseButtonDblClick:
        // A double click raises DblClick in place of the second MouseDown.
        mClickArmed = false;
        if (button == mouse::Left)
            mSink.sinkDblClick();
        else if (button != 0)
            mSink.sinkMouseDown(button, shift, units);
        break;
    case QEvent::MouseButtonRelease: {
        if (button == 0)
            break;
        const bool click = button == mouse::Left && mClickArmed && mSink.sinkGenericClick()
                           && widget.rect().contains(event.position().toPoint());
        mClickArmed = false;
        mSink.sinkMouseUp(button, shift, units);
        if (click)
            mSink.sinkClick();
        break;
    }
    default:
        break;
    }
    return false;
}

bool EventBridge::keyDown(QWidget& widget, QKeyEvent& event)
{
    if (mReplaying || !ownsKeys(widget) || event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab)
        return false;
    DeliveryScope delivery;
    Form& form = mSink.sinkForm();
    InputSink& formSink = form;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    int keyCode = vbKeyCode(event.key(), modifiers);
    const int shift = vbShift(modifiers);
    const bool plain = (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && keyCode == key::Return) {
        if (mSink.sinkIsCommandButton()) {
            mSink.sinkPress();
            return true;
        }
        if (form.pressDefaultButton())
            return true;
    }
    if (plain && keyCode == key::Escape && form.pressCancelButton())
        return true;
    const bool preview = form.KeyPreview() && &formSink != &mSink;
    if (preview && keyCode != 0)
        formSink.sinkKeyDown(keyCode, shift);
    if (keyCode != 0)
        mSink.sinkKeyDown(keyCode, shift);
    const int typed = keyAscii(event);
    int ascii = typed;
    if (preview && ascii != 0)
        formSink.sinkKeyPress(ascii);
    if (ascii != 0)
        mSink.sinkKeyPress(ascii);
    if (typed == 0)
        return keyCode == 0 && vbKeyCode(event.key(), modifiers) != 0;
    if (ascii == 0)
        return true;
    if (ascii != typed) {
        replay(widget, event, ascii);
        return true;
    }
    return false;
}

bool EventBridge::keyUp(QWidget& widget, QKeyEvent& event)
{
    if (mReplaying || event.isAutoRepeat() || !ownsKeys(widget))
        return false;
    const int original = vbKeyCode(event.key(), event.modifiers());
    if (original == 0)
        return false;
    DeliveryScope delivery;
    Form& form = mSink.sinkForm();
    InputSink& formSink = form;
    int keyCode = original;
    const int shift = vbShift(event.modifiers());
    if (form.KeyPreview() && &formSink != &mSink)
        formSink.sinkKeyUp(keyCode, shift);
    if (keyCode != 0)
        mSink.sinkKeyUp(keyCode, shift);
    return keyCode == 0;
}

void EventBridge::replay(QWidget& widget, const QKeyEvent& event, int keyAscii)
{
    const auto code = static_cast<char32_t>(keyAscii);
    QKeyEvent replacement(QEvent::KeyPress, qtKeyOfAscii(keyAscii), event.modifiers() & Qt::KeypadModifier,
                          QString::fromUcs4(&code, 1));
    const QPointer<EventBridge> guard(this);
    mReplaying = true;
    QCoreApplication::sendEvent(&widget, &replacement);
    if (guard)
        mReplaying = false;
}

void EventBridge::focus(QFocusEvent& event, bool gained)
{
    Form& form = mSink.sinkForm();
    if (event.reason() == Qt::PopupFocusReason)
        return;
    if (gained) {
        if (form.focusSink() == &mSink)
            return;  // the window came back to the front: the focus did not move
        form.setFocusSink(&mSink);
    } else {
        if (event.reason() == Qt::ActiveWindowFocusReason || form.focusSink() != &mSink)
            return;
        form.setFocusSink(nullptr);
    }
    DeliveryScope delivery;
    mSink.sinkFocus(gained);
}

}  // namespace platform::detail
