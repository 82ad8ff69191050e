// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/labels.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace platform {

namespace {

constexpr int kCaptionIndent = 6;  // pixels from the frame's left edge to its caption
constexpr int kCaptionPadding = 2;

Qt::Alignment horizontalAlignment(int alignment)
{
    return alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
}

// A frame: an etched border with the caption set into its top edge, on its
// own background (what lies behind a frame never shows through it).
class FrameWidget final : public QWidget {
public:
    explicit FrameWidget(QWidget* parent) : QWidget(parent) { setAutoFillBackground(true); }

    QString caption;
    bool bordered = true;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!bordered)
            return;
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int top = metrics.height() / 2;
        const QRect box = rect().adjusted(0, top, -1, -1);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(box.adjusted(1, 1, 0, 0));
        if (caption.isEmpty())
            return;
        const QRect text(kCaptionIndent, 0, metrics.horizontalAdvance(caption) + 2 * kCaptionPadding,
                         metrics.height());
        painter.fillRect(text, palette().color(backgroundRole()));
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(text, Qt::AlignCenter, caption);
    }
};

}  // namespace

// --- Label --------------------------------------------------------------------------

Label::Label(Container& container, QString name) : Control(container, std::move(name))
{
    auto* label = new QLabel(container.clientWidget());
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    attach(label);
}

QString Label::Caption() const
{
    return static_cast<QLabel*>(widget())->text();
}

void Label::setCaption(const QString& caption)
{
    static_cast<QLabel*>(widget())->setText(caption);
    fitCaption();
}

void Label::setAlignment(int alignment)
{
    mAlignment = alignment;
    static_cast<QLabel*>(widget())->setAlignment(horizontalAlignment(alignment) | Qt::AlignTop);
}

void Label::setBackStyle(int style)
{
    mBackStyle = style == 0 ? 0 : 1;
    widget()->setAutoFillBackground(mBackStyle == 1);
}

void Label::setBackColor(std::uint32_t color)
{
    Control::setBackColor(color);
    widget()->setAutoFillBackground(mBackStyle == 1);
}

void Label::setBorderStyle(int style)
{
    mBorderStyle = style == 1 ? 1 : 0;
    auto* label = static_cast<QLabel*>(widget());
    label->setFrameStyle(mBorderStyle == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    label->setLineWidth(1);
    fitCaption();
}

void Label::setAutoSize(bool autoSize)
{
    mAutoSize = autoSize;
    fitCaption();
}

void Label::fitCaption()
{
    if (!mAutoSize)
        return;
    QWidget* label = widget();
    const QPoint corner = label->pos();
    label->adjustSize();
    label->move(corner);
    geometryChanged();
}

// --- Frame --------------------------------------------------------------------------

Frame::Frame(Container& container, QString name) : Control(container, std::move(name))
{
    attach(new FrameWidget(container.clientWidget()));
}

void Frame::setCaption(const QString& caption)
{
    mCaption = caption;
    refresh();
}

void Frame::setBorderStyle(int style)
{
    mBorderStyle = style == 0 ? 0 : 1;
    refresh();
}

void Frame::refresh()
{
    auto* frame = static_cast<FrameWidget*>(widget());
    frame->caption = mCaption;
    frame->bordered = mBorderStyle == 1;
    frame->update();
}

// --- Image --------------------------------------------------------------------------

Image::Image(Container& container, QString name) : Control(container, std::move(name))
{
    auto* label = new QLabel(container.clientWidget());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    attach(label);
}

void Image::setPicture(const QImage& picture)
{
    mPicture = picture;
    refresh();
}

bool Image::LoadPicture(const QString& path)
{
    QImage picture;
    if (!picture.load(path))
        return false;
    setPicture(picture);
    return true;
}

void Image::setStretch(bool stretch)
{
    mStretch = stretch;
    refresh();
}

void Image::refresh()
{
    auto* label = static_cast<QLabel*>(widget());
    label->setScaledContents(mStretch);
    label->setPixmap(mPicture.isNull() ? QPixmap() : QPixmap::fromImage(mPicture));
    if (!mStretch && !mPicture.isNull()) {
        label->resize(mPicture.size());
        geometryChanged();
    }
}

}  // namespace platform
