// SPDX-License-Identifier: LicenseRef-Tavelcor
// The picture box: a control showing a persistent picture (platform::Canvas)
// that the code draws on in the picture box's user scale. It is also a
// container: labels, images and other controls placed in it have their Left,
// Top, Width and Height in its user scale, and its mouse events report x and
// y in that scale. The canvas always covers the client area (inside the
// border); when the box is resized the picture keeps its top-left part.
//
// Drawing, the scale and the picture files are the canvas's:
//
//     Picture1.canvas().Scale(-50, -30, 50, 30);
//     Picture1.canvas().Line(0, 0, 10, 10, QBColor(12));
#pragma once

#include "platform/canvas/canvas.h"
#include "platform/forms/control.h"

#include <QSize>

#include <memory>

namespace platform {

class PictureBox final : public Control, public Container {
public:
    explicit PictureBox(Container& container, QString name = QString());
    ~PictureBox() override;

    Canvas& canvas() { return *mCanvas; }
    const Canvas& canvas() const { return *mCanvas; }

    /// 0 none, 1 a 2-pixel sunken border (the default) outside the client area.
    int BorderStyle() const { return mBorderStyle; }
    void setBorderStyle(int style);
    /// The client area (the canvas) in pixels.
    QSize clientPixels() const;
    /// Repaints now (the canvas's Refresh).
    void Refresh();

    /// Colours and font are the canvas's (setting BackColor clears the picture).
    std::uint32_t BackColor() const override;
    void setBackColor(std::uint32_t color) override;
    std::uint32_t ForeColor() const override;
    void setForeColor(std::uint32_t color) override;
    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setFontItalic(bool italic) override;
    void setFontUnderline(bool underline) override;

    // Container: children in the user scale.
    QWidget* clientWidget() const override { return mView; }
    Form& containerForm() const override { return form(); }
    QRectF unitsToPixels(const QRectF& units) const override;
    QRectF pixelsToUnits(const QRectF& pixels) const override;

    /// Lays the client area out again after the box's widget changed size.
    void layoutClient();

private:
    QPointF pixelsToOwnUnits(QPointF pixels) const override;
    void geometryChanged() override { layoutClient(); }

    std::unique_ptr<Canvas> mCanvas;
    QWidget* mView = nullptr;  // owned by the box's widget
    int mBorderStyle = 1;
};

}  // namespace platform
