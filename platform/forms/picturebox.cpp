// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/picturebox.h"

#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

constexpr int kBorderPixels = 2;

// The client area: paints the canvas's picture. It is not marked as opaque:
// on X11 an opaque view was flushed to the screen over the controls that lie
// in front of it (the main window's side panel) when the window first showed.
class CanvasView final : public QWidget {
public:
    explicit CanvasView(QWidget* parent) : QWidget(parent) {}

    const Canvas* canvas = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (canvas == nullptr)
            return;
        QPainter painter(this);
        painter.drawImage(0, 0, canvas->image());
    }
};

// The box: its border around the client area.
class PictureFrame final : public QWidget {
public:
    explicit PictureFrame(QWidget* parent) : QWidget(parent) {}

    PictureBox* owner = nullptr;
    bool bordered = true;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!bordered)
            return;
        QPainter painter(this);
        const QRect box = rect();
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(box.topLeft(), box.topRight());
        painter.drawLine(box.topLeft(), box.bottomLeft());
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawLine(box.topLeft() + QPoint(1, 1), box.topRight() + QPoint(-1, 1));
        painter.drawLine(box.topLeft() + QPoint(1, 1), box.bottomLeft() + QPoint(1, -1));
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomRight());
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (owner != nullptr)
            owner->layoutClient();
    }
};

}  // namespace

PictureBox::PictureBox(Container& container, QString name)
    : Control(container, std::move(name)), mCanvas(std::make_unique<Canvas>(QSize(0, 0)))
{
    auto* frame = new PictureFrame(container.clientWidget());
    auto* view = new CanvasView(frame);
    view->canvas = mCanvas.get();
    frame->setFocusProxy(view);
    mView = view;
    attach(frame, view, view);
    frame->owner = this;
    const QPointer<QWidget> target(view);
    mCanvas->setChangedCallback([target] {
        if (target)
            target->update();
    });
    // The picture's font starts as the control's: the form's.
    mCanvas->setFontName(FontName());
    mCanvas->setFontSize(FontSize());
    mCanvas->setFontBold(FontBold());
    layoutClient();
}

PictureBox::~PictureBox()
{
    if (auto* frame = static_cast<PictureFrame*>(widget()))
        frame->owner = nullptr;
    if (auto* view = static_cast<CanvasView*>(mView))
        view->canvas = nullptr;
    mCanvas->setChangedCallback(nullptr);
}

void PictureBox::layoutClient()
{
    const int border = mBorderStyle == 1 ? kBorderPixels : 0;
    const QSize outer = widget()->size();
    const QRect client(border, border, std::max(0, outer.width() - 2 * border),
                       std::max(0, outer.height() - 2 * border));
    if (mView->geometry() != client)
        mView->setGeometry(client);
    if (mCanvas->pixelSize() != client.size())
        mCanvas->resize(client.size());
}

void PictureBox::setBorderStyle(int style)
{
    mBorderStyle = style == 0 ? 0 : 1;
    static_cast<PictureFrame*>(widget())->bordered = mBorderStyle == 1;
    layoutClient();
    widget()->update();
}

QSize PictureBox::clientPixels() const
{
    return mCanvas->pixelSize();
}

void PictureBox::Refresh()
{
    mCanvas->Refresh();
    mView->update();
}

std::uint32_t PictureBox::BackColor() const
{
    return mCanvas->BackColor();
}

void PictureBox::setBackColor(std::uint32_t color)
{
    mCanvas->setBackColor(color);
}

std::uint32_t PictureBox::ForeColor() const
{
    return mCanvas->ForeColor();
}

void PictureBox::setForeColor(std::uint32_t color)
{
    mCanvas->setForeColor(color);
}

void PictureBox::setFontName(const QString& name)
{
    Control::setFontName(name);
    mCanvas->setFontName(name);
}

void PictureBox::setFontSize(double points)
{
    Control::setFontSize(points);
    mCanvas->setFontSize(points);
}

void PictureBox::setFontBold(bool bold)
{
    Control::setFontBold(bold);
    mCanvas->setFontBold(bold);
}

void PictureBox::setFontItalic(bool italic)
{
    Control::setFontItalic(italic);
    mCanvas->setFontItalic(italic);
}

void PictureBox::setFontUnderline(bool underline)
{
    Control::setFontUnderline(underline);
    mCanvas->setFontUnderline(underline);
}

QRectF PictureBox::unitsToPixels(const QRectF& units) const
{
    const QPointF a = mCanvas->toPixel(units.topLeft());
    const QPointF b = mCanvas->toPixel(units.bottomRight());
    return QRectF(a, b).normalized();
}

QRectF PictureBox::pixelsToUnits(const QRectF& pixels) const
{
    const QPointF a = mCanvas->toUser(pixels.topLeft());
    const QPointF b = mCanvas->toUser(pixels.bottomRight());
    return {a.x(), a.y(), b.x() - a.x(), b.y() - a.y()};
}

QPointF PictureBox::pixelsToOwnUnits(QPointF pixels) const
{
    return mCanvas->toUser(pixels);
}

}  // namespace platform
