// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/textbox.h"

#include "platform/forms/dispatch.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

#include <algorithm>

namespace platform {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Line breaks of any kind -> LF, as the multi-line widget holds them.
QString toWidgetLines(QString text)
{
    text.replace(kCrLf, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString toCrLf(const QString& plain)
{
    QString text = plain;
    text.replace(QLatin1Char('\n'), kCrLf);
    return text;
}

// Position in CR LF text -> position in the LF text `plain`.
int toPlainPosition(const QString& plain, int position)
{
    int counted = 0;
    int index = 0;
    while (index < plain.size() && counted < position) {
        counted += plain.at(index) == QLatin1Char('\n') ? 2 : 1;
        ++index;
    }
    return index;
}

// Position in the LF text `plain` -> position in CR LF text.
int toCrLfPosition(const QString& plain, int position)
{
    const int end = std::min<int>(position, static_cast<int>(plain.size()));
    return end + static_cast<int>(plain.left(end).count(QLatin1Char('\n')));
}

}  // namespace

TextBox::TextBox(Container& container, QString name) : Control(container, std::move(name))
{
    build(false, QString());
}

void TextBox::build(bool multiLine, const QString& text)
{
    QWidget* parent = container().clientWidget();
    if (multiLine) {
        auto* edit = new QPlainTextEdit(parent);
        edit->setTabChangesFocus(true);
        mMulti = edit;
        mLine = nullptr;
        attach(edit);
        watchMouse(edit->viewport());
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] { userEdited(); });
    } else {
        auto* edit = new QLineEdit(parent);
        mLine = edit;
        mMulti = nullptr;
        attach(edit);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [this] { userEdited(); });
    }
    setLocked(mLocked);
    setAlignment(mAlignment);
    showText(text);
    mLastText = Text();
}

void TextBox::setMultiLine(bool multiLine)
{
    if (multiLine != MultiLine())
        build(multiLine, Text());
}

QString TextBox::Text() const
{
    return mLine != nullptr ? mLine->text() : toCrLf(mMulti->toPlainText());
}

void TextBox::showText(const QString& text)
{
    if (mLine != nullptr) {
        const QSignalBlocker blocker(mLine);
        mLine->setText(text);
        mLine->setCursorPosition(0);
    } else {
        const QSignalBlocker blocker(mMulti);
        mMulti->setPlainText(toWidgetLines(text));
    }
}

void TextBox::setText(const QString& text)
{
    const QString wanted = mLine != nullptr ? text : toCrLf(toWidgetLines(text));
    if (wanted == Text())
        return;
    showText(wanted);
    mLastText = Text();
    fire(Change);
}

void TextBox::userEdited()
{
    const QString now = Text();
    if (now == mLastText)
        return;
    if (mMaxLength > 0 && now.size() > mMaxLength && now.size() > mLastText.size()) {
        // Typed past the limit: the keystroke or paste is refused.
        const int caret = std::max(0, SelStart() - static_cast<int>(now.size() - mLastText.size()));
        showText(mLastText);
        select(caret, 0);
        return;
    }
    mLastText = now;
    detail::DeliveryScope delivery;
    fire(Change);
}

void TextBox::setLocked(bool locked)
{
    mLocked = locked;
    if (mLine != nullptr)
        mLine->setReadOnly(locked);
    else
        mMulti->setReadOnly(locked);
}

void TextBox::setMaxLength(int length)
{
    mMaxLength = std::max(0, length);
}

void TextBox::setAlignment(int alignment)
{
    mAlignment = alignment;
    if (mLine == nullptr)
        return;
    const Qt::Alignment horizontal = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    mLine->setAlignment(horizontal | Qt::AlignVCenter);
}

int TextBox::SelStart() const
{
    if (mLine != nullptr)
        return mLine->hasSelectedText() ? mLine->selectionStart() : mLine->cursorPosition();
    return toCrLfPosition(mMulti->toPlainText(), mMulti->textCursor().selectionStart());
}

int TextBox::SelLength() const
{
    if (mLine != nullptr)
        return mLine->hasSelectedText() ? mLine->selectionLength() : 0;
    const QTextCursor cursor = mMulti->textCursor();
    const QString plain = mMulti->toPlainText();
    return toCrLfPosition(plain, cursor.selectionEnd()) - toCrLfPosition(plain, cursor.selectionStart());
}

QString TextBox::SelText() const
{
    return Text().mid(SelStart(), SelLength());
}

void TextBox::select(int start, int length)
{
    const int size = static_cast<int>(Text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (mLine != nullptr) {
        if (length == 0)
            mLine->setCursorPosition(start);
        else
            mLine->setSelection(start, length);
        return;
    }
    const QString plain = mMulti->toPlainText();
    QTextCursor cursor = mMulti->textCursor();
    cursor.setPosition(toPlainPosition(plain, start));
    cursor.setPosition(toPlainPosition(plain, start + length), QTextCursor::KeepAnchor);
    mMulti->setTextCursor(cursor);
}

void TextBox::setSelStart(int start)
{
    select(start, 0);
}

void TextBox::setSelLength(int length)
{
    select(SelStart(), length);
}

void TextBox::setSelText(const QString& text)
{
    const QString current = Text();
    const int start = SelStart();
    const int length = SelLength();
    const QString replaced = current.left(start) + text + current.mid(start + length);
    if (replaced == current)
        return;
    showText(replaced);
    mLastText = Text();
    select(start + static_cast<int>(text.size()), 0);
    fire(Change);
}

}  // namespace platform
