// SPDX-License-Identifier: LicenseRef-Tavelcor
// The text box. Setting Text from code fires Change when the text changes,
// as typing does. MaxLength limits what the user types (0: no limit); text
// set from code is taken whole. A multi-line box gives and takes its lines
// joined by CR LF.
#pragma once

#include "platform/forms/control.h"

class QLineEdit;
class QPlainTextEdit;

namespace platform {

class TextBox final : public Control {
public:
    explicit TextBox(Container& container, QString name = QString());

    QString Text() const;
    /// Fires Change when the text differs from the current one.
    void setText(const QString& text);
    /// Design-time: a multi-line box (Enter starts a new line, a vertical
    /// scroll bar). The text and the other properties are kept.
    bool MultiLine() const { return mMulti != nullptr; }
    void setMultiLine(bool multiLine);
    /// True: the user cannot change the text (code still can).
    bool Locked() const { return mLocked; }
    void setLocked(bool locked);
    /// Most characters the user can type; 0 for no limit.
    int MaxLength() const { return mMaxLength; }
    void setMaxLength(int length);
    /// 0 left, 1 right, 2 centred (single-line boxes).
    int Alignment() const { return mAlignment; }
    void setAlignment(int alignment);

    /// The selection: start (0-based character position) and length. Setting
    /// SelStart empties the selection; positions are clamped to the text.
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    /// Replaces the selection (fires Change when the text changes).
    void setSelText(const QString& text);

    /// Fires when the text changes, by typing or from code.
    std::function<void()> Change;

private:
    QPalette::ColorRole backgroundRole() const override { return QPalette::Base; }
    QPalette::ColorRole foregroundRole() const override { return QPalette::Text; }
    void build(bool multiLine, const QString& text);
    void showText(const QString& text);
    void userEdited();
    void select(int start, int length);

    QLineEdit* mLine = nullptr;
    QPlainTextEdit* mMulti = nullptr;
    QString mLastText;  // the text after the last accepted change
    bool mLocked = false;
    int mMaxLength = 0;
    int mAlignment = 0;
};

}  // namespace platform
