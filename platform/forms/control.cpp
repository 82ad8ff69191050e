// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/control.h"

#include "platform/canvas/colors.h"
#include "platform/canvas/font_names.h"
#include "platform/forms/form.h"
#include "platform/forms/units.h"

#include <QFont>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace platform {

namespace {

bool finite(const QRectF& rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
           && std::isfinite(rect.height());
}

}  // namespace

QRectF Container::unitsToPixels(const QRectF& units) const
{
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    return {units.x() / tx, units.y() / ty, units.width() / tx, units.height() / ty};
}

QRectF Container::pixelsToUnits(const QRectF& pixels) const
{
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    return {pixels.x() * tx, pixels.y() * ty, pixels.width() * tx, pixels.height() * ty};
}

ControlBase::ControlBase(Form& form, QString name) : mForm(form), mName(std::move(name))
{
    mForm.registerControl(this);
}

ControlBase::~ControlBase()
{
    mForm.unregisterControl(this);
}

void ControlBase::setArrayMembership(const QString& name, int index)
{
    mName = name;
    mIndex = index;
}

Control::Control(Container& container, QString name)
    : ControlBase(container.containerForm(), std::move(name)), mContainer(container)
{
    const Form& owner = container.containerForm();
    mFontName = owner.FontName();
    mFontPixels = fontPixels(owner.FontSize());
    mFontBold = owner.FontBold();
}

Control::~Control()
{
    form().releaseFocusSink(this);
    for (QPointer<QObject>& bridge : mBridges)
        delete bridge.data();
    delete mWidget.data();  // null when Qt already deleted it with its parent
}

void Control::attach(QWidget* widget, QWidget* focusWidget, QWidget* origin)
{
    QRect geometry;
    if (QWidget* old = mWidget.data()) {  // a design-time change of kind
        geometry = old->geometry();
        for (QPointer<QObject>& bridge : mBridges)
            delete bridge.data();
        delete old;
    }
    mWidget = widget;
    mFocusWidget = focusWidget != nullptr ? focusWidget : widget;
    QWidget* mouseOrigin = origin != nullptr ? origin : widget;
    widget->setAttribute(Qt::WA_NoMousePropagation);
    mFocusWidget->setAttribute(Qt::WA_NoMousePropagation);
    mFocusWidget->setMouseTracking(true);
    mBridges[0] = new detail::EventBridge(*this, *mFocusWidget, *mouseOrigin, detail::EventBridge::All);
    mFocusWidget->setFocusPolicy(!focusable() ? Qt::NoFocus : mTabStop ? Qt::StrongFocus : Qt::ClickFocus);
    if (geometry.isValid())
        widget->setGeometry(geometry);
    widget->setEnabled(mEnabled);
    if (mBackColor)
        applyColor(backgroundRole(), *mBackColor);
    if (mForeColor)
        applyColor(foregroundRole(), *mForeColor);
    applyFont();
    setMousePointer(mMousePointer);
    // A control made while its container shows (an array element loaded at
    // run time) shows at once, as one made at design time does with its form.
    if (!mVisible)
        widget->hide();
    else if (widget->parentWidget() != nullptr && widget->parentWidget()->isVisible())
        widget->show();
}

void Control::watchMouse(QWidget* widget)
{
    QWidget* origin = mWidget.data();
    if (mFocusWidget != nullptr && mFocusWidget->isAncestorOf(widget))
        origin = mFocusWidget.data();
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->setMouseTracking(true);
    mBridges[1] = new detail::EventBridge(*this, *widget, *origin, detail::EventBridge::Mouse);
}

QRectF Control::unitRect() const
{
    return mContainer.pixelsToUnits(QRectF(mWidget->geometry()));
}

void Control::setUnitRect(const QRectF& units)
{
    const QRectF pixels = mContainer.unitsToPixels(units);
    if (!finite(units) || !finite(pixels))
        return;  // refused, as a value the property cannot take
    const QRect rect(nearestPixel(pixels.x()), nearestPixel(pixels.y()), std::max(0, nearestPixel(pixels.width())),
                     std::max(0, nearestPixel(pixels.height())));
    if (rect == mWidget->geometry())
        return;
    mWidget->setGeometry(rect);
    geometryChanged();
}

double Control::Left() const
{
    return unitRect().x();
}

double Control::Top() const
{
    return unitRect().y();
}

double Control::Width() const
{
    return unitRect().width();
}

double Control::Height() const
{
    return unitRect().height();
}

void Control::setLeft(double left)
{
    Move(left);
}

void Control::setTop(double top)
{
    Move(Left(), top);
}

void Control::setWidth(double width)
{
    Move(Left(), std::nullopt, width);
}

void Control::setHeight(double height)
{
    Move(Left(), std::nullopt, std::nullopt, height);
}

void Control::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height)
{
    const QRectF current = unitRect();
    setUnitRect(QRectF(left, top.value_or(current.y()), width.value_or(current.width()),
                       height.value_or(current.height())));
}

void Control::setEnabled(bool enabled)
{
    mEnabled = enabled;
    mWidget->setEnabled(enabled);
}

void Control::setVisible(bool visible)
{
    mVisible = visible;
    mWidget->setVisible(visible);
}

void Control::setTabStop(bool tabStop)
{
    mTabStop = tabStop;
    if (focusable())
        mFocusWidget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

bool Control::SetFocus()
{
    if (!focusable() || !mEnabled || !mVisible || !mFocusWidget->isVisible())
        return false;
    mFocusWidget->setFocus(Qt::OtherFocusReason);
    return true;
}

bool Control::hasFocus() const
{
    return mFocusWidget->hasFocus();
}

void Control::ZOrder(int position)
{
    if (position == 0)
        mWidget->raise();
    else
        mWidget->lower();
}

void Control::setMousePointer(int pointer)
{
    mMousePointer = pointer;
    mShownCursor.reset();
    if (pointer == pointer::Default)
        mWidget->unsetCursor();
    else
        mWidget->setCursor(cursorShape(pointer));
}

void Control::applyColor(QPalette::ColorRole role, std::uint32_t color)
{
    QPalette palette = mWidget->palette();
    palette.setColor(role, toQColor(color));
    mWidget->setPalette(palette);
    if (role == backgroundRole())
        mWidget->setAutoFillBackground(true);
}

std::uint32_t Control::BackColor() const
{
    return mBackColor.value_or(fromQColor(mWidget->palette().color(backgroundRole())));
}

void Control::setBackColor(std::uint32_t color)
{
    mBackColor = color;
    applyColor(backgroundRole(), color);
}

std::uint32_t Control::ForeColor() const
{
    return mForeColor.value_or(fromQColor(mWidget->palette().color(foregroundRole())));
}

void Control::setForeColor(std::uint32_t color)
{
    mForeColor = color;
    applyColor(foregroundRole(), color);
}

void Control::applyFont()
{
    QFont font = mWidget->font();
    font.setFamily(qtFontFamily(mFontName));
    font.setPixelSize(mFontPixels);
    font.setBold(mFontBold);
    font.setItalic(mFontItalic);
    font.setUnderline(mFontUnderline);
    mWidget->setFont(font);
}

void Control::setFontName(const QString& name)
{
    mFontName = name;
    applyFont();
}

double Control::FontSize() const
{
    return fontPointsOfPixels(mFontPixels);
}

void Control::setFontSize(double points)
{
    if (!(points > 0.0) || !std::isfinite(points))
        return;
    mFontPixels = fontPixels(points);
    applyFont();
}

void Control::setFontBold(bool bold)
{
    mFontBold = bold;
    applyFont();
}

void Control::setFontItalic(bool italic)
{
    mFontItalic = italic;
    applyFont();
}

void Control::setFontUnderline(bool underline)
{
    mFontUnderline = underline;
    applyFont();
}

Form& Control::sinkForm() const
{
    return form();
}

QPointF Control::sinkUnits(QPointF pixels) const
{
    return pixelsToOwnUnits(pixels);
}

QPointF Control::pixelsToOwnUnits(QPointF pixels) const
{
    return {pixels.x() * twipsPerPixelX(), pixels.y() * twipsPerPixelY()};
}

void Control::sinkMouseDown(int button, int shift, QPointF units)
{
    fire(MouseDown, button, shift, units.x(), units.y());
}

void Control::showCursor(SystemCursor cursor)
{
    mShownCursor = cursor;
    mWidget->setCursor(cursor == SystemCursor::Hand ? Qt::PointingHandCursor : Qt::SizeAllCursor);
}

void Control::sinkMouseMove(int buttons, int shift, QPointF units)
{
    // The window system puts the control's own cursor back once the pointer
    // moves freely again.
    if (buttons == 0 && mShownCursor)
        setMousePointer(mMousePointer);
    fire(MouseMove, buttons, shift, units.x(), units.y());
}

void Control::sinkMouseUp(int button, int shift, QPointF units)
{
    fire(MouseUp, button, shift, units.x(), units.y());
}

void Control::sinkClick()
{
    fire(Click);
}

void Control::sinkDblClick()
{
    fire(DblClick);
}

void Control::sinkKeyDown(int& keyCode, int shift)
{
    fire(KeyDown, keyCode, shift);
}

void Control::sinkKeyPress(int& keyAscii)
{
    fire(KeyPress, keyAscii);
}

void Control::sinkKeyUp(int& keyCode, int shift)
{
    fire(KeyUp, keyCode, shift);
}

void Control::sinkFocus(bool gained)
{
    fire(gained ? GotFocus : LostFocus);
}

Qt::CursorShape cursorShape(int pointer)
{
    static constexpr std::array<Qt::CursorShape, 16> kShapes = {
        Qt::ArrowCursor,    Qt::ArrowCursor,   Qt::CrossCursor,   Qt::IBeamCursor,
        Qt::ArrowCursor,    Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor, Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,   Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    if (pointer < 0 || pointer >= static_cast<int>(kShapes.size()))
        return Qt::ArrowCursor;
    return kShapes[static_cast<std::size_t>(pointer)];
}

}  // namespace platform
