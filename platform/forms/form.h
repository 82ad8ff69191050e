// SPDX-License-Identifier: LicenseRef-Tavelcor
// A form: one top-level window with its controls.
//
// A program's window is a class derived from Form with its controls as
// members; its constructor is the design: it places the controls, sets their
// design values (which fire nothing) and wires their events. Load fires once
// the form is complete (FormHolder does this on first use, Show does it for a
// form made by hand):
//
//     class Cselect : public platform::Form {
//     public:
//         Cselect();
//         platform::Frame Frame1{*this, "Frame1"};
//         platform::ControlArray<platform::CheckBox> Check1{"Check1"};
//         platform::CommandButton Command2{*this, "Command2"};
//     private:
//         void Form_Load();
//         void Command2_Click();
//     };
//
// Geometry is in twips: Left and Top are the window's outer corner on the
// screen, Width and Height its outer size (the client area plus a nominal
// caption frame, see units.h), ScaleWidth and ScaleHeight the client area.
// A form that tracks its window frame (setTracksWindowFrame) counts the frame
// the window manager really draws instead, where the window system reports
// it (X11); every form does so from its first showing there, and a place
// given to it is kept inside the work area of its screen, frame included.
// A form with a menu bar (setMenuBar) holds the bar above its client area:
// Height counts it, ScaleHeight does not, and the controls' Top counts from
// below it.
//
// Unloading (the statement Unload, the close box) asks QueryUnload and Unload,
// either of which may refuse by setting cancel; then the window hides, its
// timers stop and it takes no more events. A form held by a FormHolder is
// then destroyed (form_holder.h); its next use builds it afresh in its design
// state.
#pragma once

#include "platform/forms/control.h"
#include "platform/forms/event_bridge.h"
#include "platform/forms/units.h"
#include "platform/prompt/modal_window.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

class CommandButton;
class FrameTracker;
class Menu;

namespace detail {
class FormWindow;
}

/// Why a form unloads (QueryUnload's unloadMode).
enum class UnloadMode : int {
    FormControlMenu = 0,  // the close box
    FormCode = 1,         // the Unload statement
    AppWindows = 2,       // the desktop session ends
    AppTaskManager = 3,
};

enum class WindowState : int { Normal = 0, Minimized = 1, Maximized = 2 };

/// Border of a form: None has no frame and no caption; the Fixed kinds cannot
/// be resized by the user.
enum class FormBorder : int {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5,
};

class Form : public ModalWindow, public Container, private detail::InputSink {
public:
    explicit Form(QString name = QString());
    ~Form() override;

    const QString& Name() const { return mName; }

    /// Fires Load unless it fired already; the form then takes events.
    void load();
    /// Loaded and not unloaded.
    bool isLoaded() const { return mLoaded && !mUnloaded; }
    /// True from a successful unload on: the form takes no more events.
    bool isUnloaded() const { return mUnloaded; }
    bool takesEvents() const { return mLoaded && !mUnloaded && !mDestroying; }

    // --- window ----------------------------------------------------------------
    QString Caption() const;
    void setCaption(const QString& caption);
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    /// Move left [, top [, width [, height]]] (twips): omitted values stay;
    /// values that are not finite are refused (nothing moves).
    void Move(double left, std::optional<double> top = std::nullopt,
              std::optional<double> width = std::nullopt, std::optional<double> height = std::nullopt);
    /// The client area in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    /// Sets the client area (twips), as a form's design does.
    void setClientSize(double width, double height);
    /// Design-time: the menu bar, showing `menus` (top menus of this form) in
    /// this order. Each shows its caption while Visible and can be chosen
    /// while Enabled; choosing one fires its Click. A bar menu is a command:
    /// items made under it are not shown in the bar. Controls already placed
    /// keep their Left and Top (they move down with the client area).
    void setMenuBar(const std::vector<Menu*>& menus);
    /// The menu bar's height in twips; 0 without one.
    double menuBarHeight() const;
    /// The menu bar's widget (tests click its items); nullptr without one.
    QWidget* menuBarWidget() const;
    FormBorder BorderStyle() const { return mBorder; }
    /// Design-time: sets the border (and the frame that Width and Height count).
    void setBorderStyle(FormBorder border);
    /// Design-time: the title-bar buttons.
    void setMinButton(bool shown);
    void setMaxButton(bool shown);
    /// Once the window's flags are set (border, buttons, TopMost, no focus)
    /// and before it is placed: Left, Top, Width and Height count the frame
    /// that the window manager really draws, its widths asked of the window
    /// manager before the window is first shown and read from the window
    /// system while it is shown. Left and Top are the frame's corner in every
    /// state: while the window is hidden, the place it was given or last had;
    /// a place given is checked once the window is shown and put right when
    /// the window manager put it elsewhere, and it is moved into the work
    /// area of its screen when it would lie partly outside. Show calls it
    /// before it first shows the window, so that every window keeps the
    /// place the program gives it whether or not it was hidden and shown
    /// again meanwhile; a window whose flags are all set at design (the
    /// keypad) may call it earlier. Without a window system that reports
    /// frames (offscreen) nothing changes.
    void setTracksWindowFrame();
    bool tracksWindowFrame() const { return mFrameTracker != nullptr; }
    WindowState windowState() const;
    void setWindowState(WindowState state);
    /// Kept above the other windows.
    bool TopMost() const;
    void setTopMost(bool topMost);
    /// True: the window never takes the keyboard focus, so the window the user
    /// works in keeps it (an on-screen keypad). Show brings such a form to the
    /// front without activating it and fires no Activate; the window manager
    /// is asked not to give it the focus, and changes of the border, buttons
    /// or TopMost keep it so. Its controls keep their own focus policy.
    bool takesNoFocus() const { return mTakesNoFocus; }
    void setTakesNoFocus(bool noFocus);
    /// True: the form's KeyDown, KeyPress and KeyUp see each key before the
    /// control with the focus (and may swallow it).
    bool KeyPreview() const { return mKeyPreview; }
    void setKeyPreview(bool preview) { mKeyPreview = preview; }
    bool Enabled() const;
    void setEnabled(bool enabled);
    std::uint32_t BackColor() const;
    void setBackColor(std::uint32_t color);
    /// The font that controls made on this form start with.
    QString FontName() const { return mFontName; }
    void setFontName(const QString& name);
    double FontSize() const;
    void setFontSize(double points);
    bool FontBold() const { return mFontBold; }
    void setFontBold(bool bold);
    int MousePointer() const { return mMousePointer; }
    void setMousePointer(int pointer);

    bool Visible() const;
    /// Shows the form without blocking (loading it first when needed), brings
    /// it to the front and fires Activate when it was not the active form
    /// (a form that takes no focus is not activated: see takesNoFocus).
    void Show();
    /// Shows the form modally through the prompter and returns once it is
    /// hidden or unloaded. The form object stays valid until this returns.
    void ShowModal();
    void Hide();

    /// Pops up `menu`'s items at the pointer through the prompter and fires
    /// the Click of the item chosen before returning.
    void PopupMenu(Menu& menu);

    /// The control that has (or, while the window is inactive, last had) the
    /// keyboard focus; nullptr when none has.
    Control* ActiveControl() const;
    /// Every control, timer and menu of the form, in the order they were made.
    const std::vector<ControlBase*>& controls() const { return mControls; }
    /// The window; for tests and for platform code that needs the widget.
    QWidget* window() const;

    // --- events ----------------------------------------------------------------
    std::function<void()> Load;
    std::function<void()> Activate;
    std::function<void()> Deactivate;
    std::function<void()> Resize;
    std::function<void()> Click;
    std::function<void()> DblClick;
    /// Set cancel to a value other than 0 to keep the form loaded.
    std::function<void(int& cancel, int unloadMode)> QueryUnload;
    std::function<void(int& cancel)> Unload;
    std::function<void(int button, int shift, double x, double y)> MouseDown;
    std::function<void(int button, int shift, double x, double y)> MouseMove;
    std::function<void(int button, int shift, double x, double y)> MouseUp;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyCode, int shift)> KeyUp;
    std::function<void(int& keyAscii)> KeyPress;

    // --- ModalWindow -------------------------------------------------------------
    QString modalCaption() const override { return Caption(); }
    QWidget* modalWidget() override;
    bool modalIsOpen() const override;
    void modalShow() override { Show(); }
    void modalClose() override { Hide(); }

    // --- Container -----------------------------------------------------------------
    QWidget* clientWidget() const override { return window(); }
    Form& containerForm() const override { return const_cast<Form&>(*this); }
    /// Twips of the client area, which lies below the menu bar.
    QRectF unitsToPixels(const QRectF& units) const override;
    QRectF pixelsToUnits(const QRectF& pixels) const override;

    // --- for FormHolder and the controls of this library ---------------------------
    /// The unload protocol; false when QueryUnload or Unload refused.
    bool requestUnload(UnloadMode mode);
    /// Called after a successful unload (the holder destroys the form there).
    void setUnloader(std::function<void(Form&)> unloader) { mUnloader = std::move(unloader); }
    /// The form is about to be destroyed: no more events, window hidden.
    void beginDestruction();
    void registerControl(ControlBase* control);
    void unregisterControl(ControlBase* control);
    detail::InputSink* focusSink() const { return mFocusSink; }
    void setFocusSink(detail::InputSink* sink) { mFocusSink = sink; }
    void releaseFocusSink(const detail::InputSink* sink);
    /// Makes `button` the form's one default (cancel) button, or, with false,
    /// no longer the default (cancel) one.
    void setDefaultButton(CommandButton* button, bool isDefault);
    void setCancelButton(CommandButton* button, bool isCancel);
    const CommandButton* defaultButton() const { return mDefaultButton; }
    const CommandButton* cancelButton() const { return mCancelButton; }
    /// Enter and Esc: click the default or cancel button when it is shown and
    /// enabled; false when there is none to click.
    bool pressDefaultButton();
    bool pressCancelButton();

private:
    // detail::InputSink
    Form& sinkForm() const override { return const_cast<Form&>(*this); }
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
    void sinkFocus(bool) override {}

    template <class Handler, class... Args>
    void fire(const Handler& handler, Args&&... args) const;

    FrameMargins frame() const;
    QPoint outerPixels() const;
    void placeOuter(QPoint outer, std::optional<QSize> client = std::nullopt);
    QPoint insideWorkArea(QPoint outer, QSize client) const;
    void trackFrameFromFirstShow();
    void setClientPixels(QSize size);
    void windowResized();
    void windowMoved();
    void windowActivationChanged(bool active);
    void windowStateChanged();
    void applyWindowFlags();
    void applyFont();
    void finishUnload();

    QString mName;
    std::unique_ptr<detail::FormWindow> mWindow;
    std::unique_ptr<FrameTracker> mFrameTracker;
    bool mPlacedByProgram = false;
    bool mFrameTrackingTried = false;
    QWidget* mMenuBar = nullptr;  // owned by the window
    int mMenuBarPixels = 0;
    std::vector<ControlBase*> mControls;
    std::function<void(Form&)> mUnloader;
    detail::InputSink* mFocusSink = nullptr;
    CommandButton* mDefaultButton = nullptr;
    CommandButton* mCancelButton = nullptr;
    bool mLoaded = false;
    bool mUnloaded = false;
    bool mDestroying = false;
    bool mActive = false;
    bool mEverShown = false;
    bool mKeyPreview = false;
    bool mMinButton = true;
    bool mMaxButton = true;
    bool mTopMost = false;
    bool mTakesNoFocus = false;
    bool mWasMinimized = false;
    FormBorder mBorder = FormBorder::Sizable;
    std::optional<QSize> mReportedSize;
    std::optional<std::uint32_t> mBackColor;
    QString mFontName;
    int mFontPixels = 12;
    bool mFontBold = false;
    int mMousePointer = 0;

    friend class detail::FormWindow;
    friend class detail::EventBridge;
};

/// The statement Unload: unloads `form` (see Form); false when it refused.
bool Unload(Form& form);

}  // namespace platform
