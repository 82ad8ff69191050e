// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

namespace {

QClipboard* desktopClipboard()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return nullptr;
    return QGuiApplication::clipboard();
}

}  // namespace

QString SystemClipboard::text() const
{
    QClipboard* board = desktopClipboard();
    return board != nullptr ? board->text() : QString();
}

void SystemClipboard::setText(const QString& text)
{
    if (QClipboard* board = desktopClipboard())
        board->setText(text);
}

void SystemClipboard::clear()
{
    if (QClipboard* board = desktopClipboard())
        board->clear();
}

}  // namespace platform
