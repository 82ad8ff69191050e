// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/form.h"

#include "platform/canvas/colors.h"
#include "platform/canvas/font_names.h"
#include "platform/desktop/window_frames.h"
#include "platform/dialogs/qt_prompter.h"
#include "platform/forms/buttons.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/frame_tracker.h"
#include "platform/forms/menu.h"
#include "platform/prompt/prompter.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

namespace detail {

// The window of a form: hands its close request, size, activation and
// state changes to the form.
class FormWindow final : public QWidget {
public:
    explicit FormWindow(Form& form) : QWidget(nullptr, Qt::Window), mForm(form) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        // The form decides: it hides or destroys the window itself.
        event->ignore();
        DeliveryScope delivery;
        mForm.requestUnload(UnloadMode::FormControlMenu);
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        DeliveryScope delivery;
        mForm.windowResized();
    }

    void moveEvent(QMoveEvent* event) override
    {
        QWidget::moveEvent(event);
        mForm.windowMoved();
    }

    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        DeliveryScope delivery;
        if (event->type() == QEvent::ActivationChange)
            mForm.windowActivationChanged(isActiveWindow());
        else if (event->type() == QEvent::WindowStateChange)
            mForm.windowStateChanged();
    }

private:
    Form& mForm;
};

}  // namespace detail

namespace {

constexpr int kDefaultClientWidth = 312;   // pixels: a new form's client area
constexpr int kDefaultClientHeight = 213;
constexpr double kDefaultFontPoints = 9.0;

}  // namespace

template <class Handler, class... Args>
void Form::fire(const Handler& handler, Args&&... args) const
{
    detail::raise(this, handler, std::forward<Args>(args)...);
}

Form::Form(QString name)
    : mName(std::move(name)),
      mWindow(std::make_unique<detail::FormWindow>(*this)),
      mFontName(QStringLiteral("ＭＳ Ｐゴシック")),
      mFontPixels(fontPixels(kDefaultFontPoints))
{
    mWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    mWindow->resize(kDefaultClientWidth, kDefaultClientHeight);
    mWindow->setMouseTracking(true);
    applyFont();
    applyWindowFlags();
    new detail::EventBridge(*this, *mWindow, *mWindow, detail::EventBridge::Mouse | detail::EventBridge::Keys);
    // A program with windows answers its prompts in real dialogs unless a
    // prompter (a test's) is installed.
    useQtPrompterByDefault();
}

Form::~Form()
{
    mDestroying = true;
    mFocusSink = nullptr;
    mFrameTracker.reset();  // it follows the window
    mWindow.reset();  // while every member it may call back into still lives
}

void Form::load()
{
    if (mLoaded || mDestroying)
        return;
    mLoaded = true;
    fire(Load);
}

QWidget* Form::window() const
{
    return mWindow.get();
}

QString Form::Caption() const
{
    return mWindow->windowTitle();
}

void Form::setCaption(const QString& caption)
{
    mWindow->setWindowTitle(caption);
}

FrameMargins Form::frame() const
{
    if (mFrameTracker && mFrameTracker->extents()) {
        const QMargins& e = *mFrameTracker->extents();
        return FrameMargins{e.left(), e.top(), e.right(), e.bottom()};
    }
    return mBorder == FormBorder::None ? FrameMargins{} : kCaptionedFrame;
}

void Form::setTracksWindowFrame()
{
    if (mFrameTracker || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (std::unique_ptr<WindowFrames> frames = openWindowFrames())
        mFrameTracker = std::make_unique<FrameTracker>(*mWindow, std::move(frames));
}

void Form::windowMoved()
{
    if (mFrameTracker)
        mFrameTracker->moved();
}

QPoint Form::outerPixels() const
{
    return mFrameTracker ? mFrameTracker->outer() : mWindow->pos();
}

// The corner that keeps the whole window, frame included, inside the work
// area of the screen it is put on (the screen less its panels): its title
// bar never lies above the screen or under a panel.
QPoint Form::insideWorkArea(QPoint outer, QSize client) const
{
    const FrameMargins f = frame();
    const QSize size(client.width() + f.left + f.right, client.height() + f.top + f.bottom);
    const QScreen* screen = QGuiApplication::screenAt(QRect(outer, size).center());
    if (screen == nullptr)
        screen = mWindow->screen() != nullptr ? mWindow->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return outer;
    const QRect area = screen->availableGeometry();
    const auto fit = [](int at, int length, int first, int room) {
        return length >= room ? first : std::clamp(at, first, first + room - length);
    };
    return {fit(outer.x(), size.width(), area.left(), area.width()),
            fit(outer.y(), size.height(), area.top(), area.height())};
}

void Form::placeOuter(QPoint outer, std::optional<QSize> client)
{
    mPlacedByProgram = true;
    if (mFrameTracker)
        mFrameTracker->place(insideWorkArea(outer, client.value_or(mWindow->size())));
    else if (outer != mWindow->pos())
        mWindow->move(outer);
}

// Before a window is first shown on a window system that reports frames:
// from now on its place is its frame's corner, and a place the program gave
// it is taken over as such (inside the work area).
void Form::trackFrameFromFirstShow()
{
    if (mFrameTracker || mFrameTrackingTried || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    mFrameTrackingTried = true;
    // A window moved before it was made would tell the window manager that
    // its place is the frame's corner, while the tracker gives the client
    // area's corner, as a place given with the size is taken.
    if (mPlacedByProgram)
        mWindow->setGeometry(QRect(mWindow->pos(), mWindow->size()));
    setTracksWindowFrame();
    if (mFrameTracker && mPlacedByProgram)
        mFrameTracker->place(insideWorkArea(mFrameTracker->outer(), mWindow->size()));
}

double Form::Left() const
{
    return outerPixels().x() * twipsPerPixelX();
}

double Form::Top() const
{
    return outerPixels().y() * twipsPerPixelY();
}

double Form::Width() const
{
    const FrameMargins f = frame();
    return (mWindow->width() + f.left + f.right) * twipsPerPixelX();
}

double Form::Height() const
{
    const FrameMargins f = frame();
    return (mWindow->height() + f.top + f.bottom) * twipsPerPixelY();
}

double Form::ScaleWidth() const
{
    return mWindow->width() * twipsPerPixelX();
}

double Form::ScaleHeight() const
{
    return std::max(0, mWindow->height() - mMenuBarPixels) * twipsPerPixelY();
}

QRectF Form::unitsToPixels(const QRectF& units) const
{
    return Container::unitsToPixels(units).translated(0.0, mMenuBarPixels);
}

QRectF Form::pixelsToUnits(const QRectF& pixels) const
{
    return Container::pixelsToUnits(pixels.translated(0.0, -mMenuBarPixels));
}

void Form::setMenuBar(const std::vector<Menu*>& menus)
{
    // The controls placed so far keep their place in the client area.
    std::vector<std::pair<Control*, QPointF>> placed;
    for (ControlBase* base : mControls) {
        auto* control = dynamic_cast<Control*>(base);
        if (control != nullptr && &control->container() == this)
            placed.emplace_back(control, QPointF(control->Left(), control->Top()));
    }
    delete mMenuBar;
    auto* bar = new QMenuBar(mWindow.get());
    bar->setNativeMenuBar(false);
    for (Menu* menu : menus) {
        if (menu == nullptr || &menu->form() != this)
            continue;
        QAction* action = bar->addAction(menu->Caption());
        QObject::connect(action, &QAction::triggered, action, [menu] {
            detail::DeliveryScope delivery;
            menu->choose();
        });
        menu->showInBar(action);
    }
    const QSize client(mWindow->width(), std::max(0, mWindow->height() - mMenuBarPixels));
    mMenuBar = bar;
    mMenuBarPixels = bar->sizeHint().height();
    bar->setGeometry(0, 0, mWindow->width(), mMenuBarPixels);
    bar->show();
    for (const auto& [control, at] : placed)
        control->Move(at.x(), at.y());
    setClientPixels(client + QSize(0, mMenuBarPixels));
}

double Form::menuBarHeight() const
{
    return mMenuBarPixels * twipsPerPixelY();
}

QWidget* Form::menuBarWidget() const
{
    return mMenuBar;
}

void Form::setLeft(double left)
{
    Move(left);
}

void Form::setTop(double top)
{
    Move(Left(), top);
}

void Form::setWidth(double width)
{
    Move(Left(), std::nullopt, width);
}

void Form::setHeight(double height)
{
    Move(Left(), std::nullopt, std::nullopt, height);
}

void Form::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height)
{
    const auto bad = [](const std::optional<double>& value) { return value && !std::isfinite(*value); };
    if (!std::isfinite(left) || bad(top) || bad(width) || bad(height))
        return;  // refused, as a value the property cannot take
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    const QPoint outer(nearestPixel(left / tx), nearestPixel(top.value_or(Top()) / ty));
    if (!width && !height) {
        placeOuter(outer);
        return;
    }
    const FrameMargins f = frame();
    QSize client = mWindow->size();
    if (width)
        client.setWidth(std::max(0, nearestPixel(*width / tx) - f.left - f.right));
    if (height)
        client.setHeight(std::max(0, nearestPixel(*height / ty) - f.top - f.bottom));
    placeOuter(outer, client);  // kept inside the work area at its new size
    setClientPixels(client);
}

void Form::setClientSize(double width, double height)
{
    setClientPixels(QSize(std::max(0, nearestPixel(width / twipsPerPixelX())),
                          std::max(0, nearestPixel(height / twipsPerPixelY())) + mMenuBarPixels));
}

void Form::setClientPixels(QSize size)
{
    const bool fixed = mBorder == FormBorder::FixedSingle || mBorder == FormBorder::FixedDialog
                       || mBorder == FormBorder::FixedToolWindow;
    if (fixed) {
        mWindow->setMinimumSize(0, 0);
        mWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    mWindow->resize(size);
    if (fixed)
        mWindow->setFixedSize(size);
    // A hidden window gets its resize event only when shown; the form's
    // Resize fires at once, as it does for a visible one.
    windowResized();
}

void Form::windowResized()
{
    const QSize size = mWindow->size();
    if (mMenuBar != nullptr)
        mMenuBar->setGeometry(0, 0, size.width(), mMenuBarPixels);
    if (mReportedSize && *mReportedSize == size)
        return;
    mReportedSize = size;
    fire(Resize);
}

void Form::windowActivationChanged(bool active)
{
    if (active == mActive || mUnloaded)
        return;
    // An activation still on its way when code hid the window arrives after
    // the hiding: a hidden window is not the active form.
    if (active && !mWindow->isVisible())
        return;
    mActive = active;
    fire(active ? Activate : Deactivate);
}

void Form::windowStateChanged()
{
    const bool minimized = mWindow->isMinimized();
    if (minimized == mWasMinimized)
        return;
    mWasMinimized = minimized;
    fire(Resize);
}

void Form::setBorderStyle(FormBorder border)
{
    mBorder = border;
    applyWindowFlags();
    setClientPixels(mWindow->size());
}

void Form::setMinButton(bool shown)
{
    mMinButton = shown;
    applyWindowFlags();
}

void Form::setMaxButton(bool shown)
{
    mMaxButton = shown;
    applyWindowFlags();
}

void Form::applyWindowFlags()
{
    Qt::WindowFlags flags = Qt::Window;
    if (mBorder == FormBorder::None) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (mBorder == FormBorder::FixedToolWindow || mBorder == FormBorder::SizableToolWindow)
            flags |= Qt::Tool;
        if (mMinButton)
            flags |= Qt::WindowMinimizeButtonHint;
        if (mMaxButton)
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (mTopMost)
        flags |= Qt::WindowStaysOnTopHint;
    if (mTakesNoFocus)
        flags |= Qt::WindowDoesNotAcceptFocus;
    const bool shown = mWindow->isVisible();
    mWindow->setWindowFlags(flags);
    if (shown)
        mWindow->show();  // changing the flags hides a window
}

WindowState Form::windowState() const
{
    const Qt::WindowStates state = mWindow->windowState();
    if (state.testFlag(Qt::WindowMinimized))
        return WindowState::Minimized;
    if (state.testFlag(Qt::WindowMaximized))
        return WindowState::Maximized;
    return WindowState::Normal;
}

void Form::setWindowState(WindowState state)
{
    switch (state) {
    case WindowState::Minimized: mWindow->setWindowState(Qt::WindowMinimized); break;
    case WindowState::Maximized: mWindow->setWindowState(Qt::WindowMaximized); break;
    case WindowState::Normal: mWindow->setWindowState(Qt::WindowNoState); break;
    }
}

bool Form::TopMost() const
{
    return mTopMost;
}

void Form::setTopMost(bool topMost)
{
    if (topMost == mTopMost)
        return;
    mTopMost = topMost;
    applyWindowFlags();
}

void Form::setTakesNoFocus(bool noFocus)
{
    if (noFocus == mTakesNoFocus)
        return;
    mTakesNoFocus = noFocus;
    mWindow->setAttribute(Qt::WA_ShowWithoutActivating, noFocus);
    applyWindowFlags();
}

bool Form::Enabled() const
{
    return mWindow->isEnabled();
}

void Form::setEnabled(bool enabled)
{
    mWindow->setEnabled(enabled);
}

std::uint32_t Form::BackColor() const
{
    return mBackColor.value_or(fromQColor(mWindow->palette().color(QPalette::Window)));
}

void Form::setBackColor(std::uint32_t color)
{
    mBackColor = color;
    QPalette palette = mWindow->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    mWindow->setPalette(palette);
    mWindow->setAutoFillBackground(true);
}

void Form::applyFont()
{
    QFont font = mWindow->font();
    font.setFamily(qtFontFamily(mFontName));
    font.setPixelSize(mFontPixels);
    font.setBold(mFontBold);
    mWindow->setFont(font);
}

void Form::setFontName(const QString& name)
{
    mFontName = name;
    applyFont();
}

double Form::FontSize() const
{
    return fontPointsOfPixels(mFontPixels);
}

void Form::setFontSize(double points)
{
    if (!(points > 0.0) || !std::isfinite(points))
        return;
    mFontPixels = fontPixels(points);
    applyFont();
}

void Form::setFontBold(bool bold)
{
    mFontBold = bold;
    applyFont();
}

void Form::setMousePointer(int pointer)
{
    mMousePointer = pointer;
    if (pointer == pointer::Default)
        mWindow->unsetCursor();
    else
        mWindow->setCursor(cursorShape(pointer));
}

bool Form::Visible() const
{
    return mWindow->isVisible();
}

void Form::Show()
{
    load();
    if (mUnloaded || mDestroying)
        return;
    if (!mWindow->isVisible()) {
        trackFrameFromFirstShow();
        if (!mEverShown) {
            mEverShown = true;
            mReportedSize.reset();  // the first showing fires Resize
        }
        mWindow->show();  // a window shown comes up in front
        if (mFrameTracker)
            mFrameTracker->shown();
        if (!mReportedSize)
            windowResized();
    } else {
        mWindow->raise();
    }
    if (mTakesNoFocus)
        return;  // in front, but the keyboard stays where it is
    mWindow->activateWindow();
    windowActivationChanged(true);
}

void Form::ShowModal()
{
    detail::HandlerScope keepAlive;  // the form outlives an unload inside the modal run
    load();
    if (mUnloaded || mDestroying)
        return;
    prompter().runModal(*this);
}

void Form::Hide()
{
    if (!mWindow->isVisible())
        return;
    if (mFrameTracker)
        mFrameTracker->hiding();  // the place it had while shown is kept
    mWindow->hide();
    windowActivationChanged(false);
}

QWidget* Form::modalWidget()
{
    return mUnloaded || mDestroying ? nullptr : mWindow.get();
}

bool Form::modalIsOpen() const
{
    return !mUnloaded && !mDestroying && mWindow->isVisible();
}

void Form::PopupMenu(Menu& menu)
{
    detail::HandlerScope keepAlive;
    PopupMenuRequest request;
    request.root = menu.model();
    const std::optional<MenuPath> chosen = prompter().popupMenu(request);
    if (!chosen)
        return;
    if (Menu* item = menu.itemAt(*chosen))
        item->choose();
}

Control* Form::ActiveControl() const
{
    if (mFocusSink == nullptr)
        return nullptr;
    for (ControlBase* base : mControls) {
        auto* control = dynamic_cast<Control*>(base);
        if (control != nullptr && static_cast<detail::InputSink*>(control) == mFocusSink)
            return control;
    }
    return nullptr;
}

bool Form::requestUnload(UnloadMode mode)
{
    if (mUnloaded || mDestroying)
        return true;
    int cancel = 0;
    fire(QueryUnload, cancel, static_cast<int>(mode));
    if (cancel != 0)
        return false;
    fire(Unload, cancel);
    if (cancel != 0)
        return false;
    finishUnload();
    return true;
}

void Form::finishUnload()
{
    mUnloaded = true;
    mActive = false;
    for (ControlBase* control : mControls)
        control->formUnloading();
    mWindow->hide();
    if (mUnloader) {
        const std::function<void(Form&)> unloader = std::move(mUnloader);
        mUnloader = nullptr;
        unloader(*this);  // may destroy this form: nothing may follow
    }
}

void Form::beginDestruction()
{
    if (mDestroying)
        return;
    mDestroying = true;
    for (ControlBase* control : mControls)
        control->formUnloading();
    mWindow->hide();
}

void Form::registerControl(ControlBase* control)
{
    mControls.push_back(control);
}

void Form::unregisterControl(ControlBase* control)
{
    mControls.erase(std::remove(mControls.begin(), mControls.end(), control), mControls.end());
}

void Form::releaseFocusSink(const detail::InputSink* sink)
{
    if (mFocusSink == sink)
        mFocusSink = nullptr;
}

void Form::setDefaultButton(CommandButton* button, bool isDefault)
{
    if (isDefault)
        mDefaultButton = button;
    else if (mDefaultButton == button)
        mDefaultButton = nullptr;
}

void Form::setCancelButton(CommandButton* button, bool isCancel)
{
    if (isCancel)
        mCancelButton = button;
    else if (mCancelButton == button)
        mCancelButton = nullptr;
}

namespace {

bool pressable(const CommandButton* button)
{
    return button != nullptr && button->widget()->isVisible() && button->widget()->isEnabled();
}

}  // namespace

bool Form::pressDefaultButton()
{
    if (!pressable(mDefaultButton))
        return false;
    mDefaultButton->setValue(true);
    return true;
}

bool Form::pressCancelButton()
{
    if (!pressable(mCancelButton))
        return false;
    mCancelButton->setValue(true);
    return true;
}

QPointF Form::sinkUnits(QPointF pixels) const
{
    return {pixels.x() * twipsPerPixelX(), (pixels.y() - mMenuBarPixels) * twipsPerPixelY()};
}

void Form::sinkMouseDown(int button, int shift, QPointF units)
{
    fire(MouseDown, button, shift, units.x(), units.y());
}

void Form::sinkMouseMove(int buttons, int shift, QPointF units)
{
    fire(MouseMove, buttons, shift, units.x(), units.y());
}

void Form::sinkMouseUp(int button, int shift, QPointF units)
{
    fire(MouseUp, button, shift, units.x(), units.y());
}

void Form::sinkClick()
{
    fire(Click);
}

void Form::sinkDblClick()
{
    fire(DblClick);
}

void Form::sinkKeyDown(int& keyCode, int shift)
{
    fire(KeyDown, keyCode, shift);
}

void Form::sinkKeyPress(int& keyAscii)
{
    fire(KeyPress, keyAscii);
}

void Form::sinkKeyUp(int& keyCode, int shift)
{
    fire(KeyUp, keyCode, shift);
}

bool Unload(Form& form)
{
    return form.requestUnload(UnloadMode::FormCode);
}

}  // namespace platform
