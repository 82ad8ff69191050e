// SPDX-License-Identifier: LicenseRef-Tavelcor
// Labels, frames and images: controls that show something and never take the
// keyboard focus. A Frame is also a container: controls made with it as their
// container lie inside it (positions in twips from its top-left corner), and
// its option buttons exclude each other apart from those of other containers.
#pragma once

#include "platform/forms/control.h"

#include <QImage>

namespace platform {

class Label final : public Control {
public:
    explicit Label(Container& container, QString name = QString());

    QString Caption() const;
    void setCaption(const QString& caption);
    /// 0 left, 1 right, 2 centred.
    int Alignment() const { return mAlignment; }
    void setAlignment(int alignment);
    /// 0 transparent (what lies behind shows), 1 opaque (the default).
    int BackStyle() const { return mBackStyle; }
    void setBackStyle(int style);
    /// 0 none, 1 a single line around the label.
    int BorderStyle() const { return mBorderStyle; }
    void setBorderStyle(int style);
    /// True: the label takes the size of its caption whenever that changes.
    bool AutoSize() const { return mAutoSize; }
    void setAutoSize(bool autoSize);
    void setBackColor(std::uint32_t color) override;

private:
    bool focusable() const override { return false; }
    void fitCaption();

    int mAlignment = 0;
    int mBackStyle = 1;
    int mBorderStyle = 0;
    bool mAutoSize = false;
};

class Frame final : public Control, public Container {
public:
    explicit Frame(Container& container, QString name = QString());

    QString Caption() const { return mCaption; }
    void setCaption(const QString& caption);
    /// 1 (the default) an etched border with the caption in it; 0 neither
    /// border nor caption.
    int BorderStyle() const { return mBorderStyle; }
    void setBorderStyle(int style);

    QWidget* clientWidget() const override { return widget(); }
    Form& containerForm() const override { return form(); }

private:
    bool focusable() const override { return false; }
    void refresh();

    QString mCaption;
    int mBorderStyle = 1;
};

class Image final : public Control {
public:
    explicit Image(Container& container, QString name = QString());

    /// The picture shown (null: none).
    const QImage& Picture() const { return mPicture; }
    void setPicture(const QImage& picture);
    /// Loads an image file (BMP, PNG, JPEG, ...); false (nothing changes)
    /// when it cannot be read.
    bool LoadPicture(const QString& path);
    /// False (the default): the control takes the picture's size; true: the
    /// picture is stretched to the control.
    bool Stretch() const { return mStretch; }
    void setStretch(bool stretch);

private:
    bool focusable() const override { return false; }
    void refresh();

    QImage mPicture;
    bool mStretch = false;
};

}  // namespace platform
