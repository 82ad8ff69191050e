// SPDX-License-Identifier: LicenseRef-Tavelcor
// Internal: turns Qt's input events on a control's widgets into the control's
// events with the forms' semantics (button, shift and key codes, Click after
// MouseUp, DblClick in place of the second MouseDown, KeyDown/KeyPress that
// swallow a key when set to 0, the form's KeyPreview, default and cancel
// buttons, GotFocus/LostFocus only when the focus moves between controls).
#pragma once

#include <QObject>
#include <QPointF>

class QEvent;
class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace platform {

class Form;

namespace detail {

/// What receives the events: a control or a form.
class InputSink {
public:
    InputSink() = default;
    InputSink(const InputSink&) = delete;
    InputSink& operator=(const InputSink&) = delete;
    virtual ~InputSink() = default;

    virtual Form& sinkForm() const = 0;
    /// A position in pixels of the sink's origin widget -> the sink's scale.
    virtual QPointF sinkUnits(QPointF pixels) const = 0;
    /// True when a left press and release on the widget make a Click (the
    /// buttons and lists raise their Click themselves).
    virtual bool sinkGenericClick() const = 0;
    /// True for command buttons: Enter presses the focused one.
    virtual bool sinkIsCommandButton() const { return false; }
    virtual void sinkPress() {}

    virtual void sinkMouseDown(int button, int shift, QPointF units) = 0;
    virtual void sinkMouseMove(int buttons, int shift, QPointF units) = 0;
    virtual void sinkMouseUp(int button, int shift, QPointF units) = 0;
    virtual void sinkClick() = 0;
    virtual void sinkDblClick() = 0;
    virtual void sinkKeyDown(int& keyCode, int shift) = 0;
    virtual void sinkKeyPress(int& keyAscii) = 0;
    virtual void sinkKeyUp(int& keyCode, int shift) = 0;
    virtual void sinkFocus(bool gained) = 0;
};

class EventBridge final : public QObject {
public:
    enum Part : unsigned { Mouse = 1, Keys = 2, Focus = 4, All = 7 };

    /// Watches `watched` (and is deleted with it). Mouse positions are given
    /// relative to `origin`, the widget whose top-left is the sink's (0, 0).
    EventBridge(InputSink& sink, QWidget& watched, QWidget& origin, unsigned parts);

    /// The character code of a key event as KeyPress gets it (0 for none:
    /// Tab, Delete and keys without text).
    static int keyAscii(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouse(QWidget& widget, QMouseEvent& event);
    bool keyDown(QWidget& widget, QKeyEvent& event);
    bool keyUp(QWidget& widget, QKeyEvent& event);
    void focus(QFocusEvent& event, bool gained);
    void replay(QWidget& widget, const QKeyEvent& event, int keyAscii);
    QPointF unitsOf(QWidget& widget, QPointF position) const;

    InputSink& mSink;
    QWidget& mOrigin;
    unsigned mParts;
    bool mClickArmed = false;
    bool mReplaying = false;
};

}  // namespace detail
}  // namespace platform
