// SPDX-License-Identifier: LicenseRef-Tavelcor
// Clipboard text behind a small interface.
//
// Logic that reads or writes clipboard texts (start-up hand-overs, workbook
// replies, reports) takes a Clipboard&, so tests hand it a MemoryClipboard.
// This header needs QtCore only; SystemClipboard's implementation uses QtGui.
#pragma once

#include <QString>

#include <utility>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // The clipboard's text; empty when it holds none.
    virtual QString text() const = 0;
    // Replaces the clipboard's content by the text.
    virtual void setText(const QString& text) = 0;
    // Empties the clipboard.
    virtual void clear() = 0;
};

// A clipboard that is just a string, for tests and for logic run without a
// desktop.
class MemoryClipboard final : public Clipboard {
public:
    MemoryClipboard() = default;
    explicit MemoryClipboard(QString text) : mText(std::move(text)) {}

    QString text() const override { return mText; }
    void setText(const QString& text) override { mText = text; }
    void clear() override { mText.clear(); }

private:
    QString mText;
};

// The desktop's clipboard (QGuiApplication::clipboard()). Needs a
// QGuiApplication; without one text() is empty and setText()/clear() do
// nothing.
class SystemClipboard final : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
    void clear() override;
};

}  // namespace platform
