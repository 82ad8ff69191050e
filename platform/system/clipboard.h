// SPDX-License-Identifier: LicenseRef-Tavelcor
// Clipboard text behind a small interface.
//
// Logic that reads or writes clipboard texts (start-up hand-overs, workbook
// replies, reports) takes a Clipboard&, so tests hand it a MemoryClipboard.
// QtCore only; the desktop's clipboard, SystemClipboard, is in
// platform/desktop/system_clipboard.h.
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

}  // namespace platform
