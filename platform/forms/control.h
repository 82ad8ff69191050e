// SPDX-License-Identifier: LicenseRef-Tavelcor
// The base of every control on a form.
//
// A control is a member of its form class, constructed with its container
// (the form, a Frame or a PictureBox) and its name:
//
//     platform::Frame Frame1{*this, "Frame1"};
//     platform::CheckBox Check5{Frame1, "Check5"};
//
// Declare containers before the controls inside them. The control owns its
// widget; Qt widgets stay out of the form's code.
//
// Geometry (Left, Top, Width, Height) is in the container's scale: twips for
// a form or frame, the user scale for a picture box. Events are std::function
// members named like the events they stand for; a form wires them once:
//
//     Command23.Click = [this] { Command23_Click(); };
//
// Events fire only while the form is loaded: setting values at design time
// (in the form's constructor) fires nothing. Disabled controls get no user
// input events, but code that sets their values still fires them.
#pragma once

#include "platform/forms/dispatch.h"
#include "platform/forms/event_bridge.h"

#include <QPalette>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <Qt>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace platform {

class Form;

/// Something controls are placed in: a form, a frame or a picture box.
class Container {
public:
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container() = default;

    /// The widget the children's widgets live in.
    virtual QWidget* clientWidget() const = 0;
    /// The form this container belongs to.
    virtual Form& containerForm() const = 0;
    /// A rectangle in the container's scale -> pixels of clientWidget, and
    /// back. The default is twips with the origin at the top left.
    virtual QRectF unitsToPixels(const QRectF& units) const;
    virtual QRectF pixelsToUnits(const QRectF& pixels) const;
};

/// Any member of a form that the form lists among its controls, with or
/// without a widget (timers and menus have none).
class ControlBase {
public:
    ControlBase(const ControlBase&) = delete;
    ControlBase& operator=(const ControlBase&) = delete;
    virtual ~ControlBase();

    /// The control's name ("Text8"); the array's name for array elements.
    const QString& Name() const { return mName; }
    /// The index in its control array; -1 for a control that is not in one.
    int Index() const { return mIndex; }
    Form& form() const { return mForm; }

    /// Used by ControlArray.
    void setArrayMembership(const QString& name, int index);

    /// Called when the form unloads, before it is destroyed: stop whatever
    /// runs by itself (timers).
    virtual void formUnloading() {}

protected:
    ControlBase(Form& form, QString name);

private:
    Form& mForm;
    QString mName;
    int mIndex = -1;
};

/// Mouse pointer codes (MousePointer): 0 default, 1 arrow, 2 cross, 3 I-beam,
/// 5/15 size all, 6 NE-SW, 7 N-S, 8 NW-SE, 9 W-E, 10 up arrow, 11 hourglass,
/// 12 no drop, 13 arrow and hourglass, 14 arrow and question mark.
namespace pointer {
inline constexpr int Default = 0;
inline constexpr int Arrow = 1;
inline constexpr int Cross = 2;
inline constexpr int IBeam = 3;
inline constexpr int Hourglass = 11;
inline constexpr int SizeAll = 15;
}  // namespace pointer

/// System cursors a handler shows for a moment, by the original platform's
/// numbers: the hand and the four-way move cursor.
enum class SystemCursor : int { Hand = 32649, SizeAll = 32646 };

/// A control with a widget.
class Control : public ControlBase, private detail::InputSink {
public:
    ~Control() override;

    // --- geometry, in the container's scale ----------------------------------
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    /// Move left [, top [, width [, height]]]: omitted values stay. Values
    /// that are not finite are refused (nothing moves); negative sizes are 0.
    void Move(double left, std::optional<double> top = std::nullopt,
              std::optional<double> width = std::nullopt, std::optional<double> height = std::nullopt);

    // --- state ---------------------------------------------------------------
    bool Enabled() const { return mEnabled; }
    void setEnabled(bool enabled);
    /// The control's own flag: true also while its form is hidden.
    bool Visible() const { return mVisible; }
    void setVisible(bool visible);
    bool TabStop() const { return mTabStop; }
    /// False: Tab passes the control by (a click still focuses it).
    void setTabStop(bool tabStop);
    /// Gives the control the keyboard focus; false when it cannot take it
    /// (hidden, disabled, or a kind that never takes the focus).
    bool SetFocus();
    bool hasFocus() const;
    /// 0: in front of its siblings; 1: behind them.
    void ZOrder(int position = 0);
    int MousePointer() const { return mMousePointer; }
    /// Sets the cursor code; it also ends a system cursor shown by showCursor.
    void setMousePointer(int pointer);
    /// Shows a system cursor over the control (the original's SetCursor of
    /// a loaded system cursor): it stays until the pointer moves over the
    /// control with no button held, or MousePointer is set, and the
    /// control's MousePointer shows again.
    void showCursor(SystemCursor cursor);
    /// The system cursor shown now; nullopt while the MousePointer shows.
    std::optional<SystemCursor> shownCursor() const { return mShownCursor; }

    // --- colours (0x00BBGGRR) and font ----------------------------------------
    virtual std::uint32_t BackColor() const;
    virtual void setBackColor(std::uint32_t color);
    virtual std::uint32_t ForeColor() const;
    virtual void setForeColor(std::uint32_t color);
    /// The font name as set ("ＭＳ ゴシック"); the glyphs come from the mapped
    /// IPA family.
    QString FontName() const { return mFontName; }
    virtual void setFontName(const QString& name);
    /// Points, snapped to whole pixels as shown (15.75 stays 15.75; 16 reads 15.75).
    double FontSize() const;
    virtual void setFontSize(double points);
    bool FontBold() const { return mFontBold; }
    virtual void setFontBold(bool bold);
    bool FontItalic() const { return mFontItalic; }
    virtual void setFontItalic(bool italic);
    bool FontUnderline() const { return mFontUnderline; }
    virtual void setFontUnderline(bool underline);

    /// The control's outer widget.
    QWidget* widget() const { return mWidget.data(); }
    Container& container() const { return mContainer; }

    // --- events ----------------------------------------------------------------
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    /// button 1 left, 2 right, 4 middle (MouseMove: the buttons held);
    /// shift 1 Shift, 2 Ctrl, 4 Alt; x, y from the control's top left in its
    /// scale: twips, or the user scale of a picture box.
    std::function<void(int button, int shift, double x, double y)> MouseDown;
    std::function<void(int button, int shift, double x, double y)> MouseMove;
    std::function<void(int button, int shift, double x, double y)> MouseUp;
    /// Set keyCode to 0 to keep the key from the control.
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyCode, int shift)> KeyUp;
    /// Set keyAscii to 0 to swallow the character, or to another code to
    /// type that one instead.
    std::function<void(int& keyAscii)> KeyPress;

protected:
    Control(Container& container, QString name);

    /// Takes `widget` (created with container().clientWidget() as parent) as
    /// the control's widget and sets it up: font, events, focus, pointer.
    /// Called again (a design-time change of kind), it replaces the widget and
    /// carries geometry, state, colours and font over.
    /// `focusWidget` takes the focus and the keys (default: widget);
    /// `origin` is where mouse positions count from (default: widget).
    void attach(QWidget* widget, QWidget* focusWidget = nullptr, QWidget* origin = nullptr);
    /// Watches a further widget of the control for mouse input (a viewport).
    void watchMouse(QWidget* widget);
    /// The widget that takes the focus and the keys.
    QWidget* focusWidget() const { return mFocusWidget.data(); }

    /// Raises an event of this control (see detail::raise).
    template <class Handler, class... Args>
    void fire(const Handler& handler, Args&&... args) const
    {
        detail::raise(&form(), handler, std::forward<Args>(args)...);
    }

    /// The palette roles of the background and text.
    virtual QPalette::ColorRole backgroundRole() const { return QPalette::Window; }
    virtual QPalette::ColorRole foregroundRole() const { return QPalette::WindowText; }
    /// True for kinds that can take the focus.
    virtual bool focusable() const { return true; }
    /// Called after the widget's geometry changed through the properties.
    virtual void geometryChanged() {}

    // detail::InputSink
    Form& sinkForm() const override;
    QPointF sinkUnits(QPointF pixels) const override;
    bool sinkGenericClick() const override { return true; }
    void sinkMouseDown(int button, int shift, QPointF units) override;
    void sinkMouseMove(int buttons, int shift, QPointF units) override;
    void sinkMouseUp(int button, int shift, QPointF units) override;
    void sinkClick() override;
    void sinkDblClick() override;
    void sinkKeyDown(int& keyCode, int shift) override;
    void sinkKeyPress(int& keyAscii) override;
    void sinkKeyUp(int& keyCode, int shift) override;
    void sinkFocus(bool gained) override;

    /// Mouse positions: pixels of the origin widget -> the control's scale
    /// (twips; a picture box overrides this with its user scale).
    virtual QPointF pixelsToOwnUnits(QPointF pixels) const;

private:
    QRectF unitRect() const;
    void setUnitRect(const QRectF& units);
    void applyFont();
    void applyColor(QPalette::ColorRole role, std::uint32_t color);

    Container& mContainer;
    QPointer<QWidget> mWidget;
    QPointer<QWidget> mFocusWidget;
    QPointer<QObject> mBridges[2];
    bool mEnabled = true;
    bool mVisible = true;
    bool mTabStop = true;
    int mMousePointer = pointer::Default;
    std::optional<SystemCursor> mShownCursor;
    std::optional<std::uint32_t> mBackColor;
    std::optional<std::uint32_t> mForeColor;
    QString mFontName;
    int mFontPixels = 12;
    bool mFontBold = false;
    bool mFontItalic = false;
    bool mFontUnderline = false;

    friend class detail::EventBridge;
    friend class Form;
};

/// The Qt cursor shape of a pointer code (Qt::ArrowCursor for unknown codes).
Qt::CursorShape cursorShape(int pointer);

}  // namespace platform
