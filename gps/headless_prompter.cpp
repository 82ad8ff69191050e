// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/headless_prompter.h"

#include "platform/prompt/modal_window.h"

#include <QtGlobal>

#include <cstdio>

namespace orbela {

namespace {

void report(const QString& kind, const QString& title, const QString& text)
{
    const QByteArray line = (kind + QLatin1Char(' ') + title + QStringLiteral(": ") + text).toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

}  // namespace

bool headlessPromptsRequested()
{
    return !qEnvironmentVariableIsEmpty("TAVELCOR_HEADLESS_PROMPTS");
}

platform::MsgResult HeadlessPrompter::message(const platform::MessageRequest& request)
{
    const QString title = request.title.isEmpty() ? platform::applicationTitle() : request.title;
    report(QStringLiteral("message"), title, request.text);
    return platform::neutralAnswer(request.buttons);
}

std::optional<QString> HeadlessPrompter::input(const platform::InputRequest& request)
{
    report(QStringLiteral("input"), request.title, request.prompt);
    return std::nullopt;
}

std::optional<platform::FileChoice> HeadlessPrompter::file(const platform::FileRequest& request)
{
    report(QStringLiteral("file"), request.title, request.fileName);
    return std::nullopt;
}

std::optional<std::uint32_t> HeadlessPrompter::color(const platform::ColorRequest& request)
{
    report(QStringLiteral("color"), request.title, QString());
    return std::nullopt;
}

std::optional<QString> HeadlessPrompter::printer(const platform::PrinterRequest& request)
{
    report(QStringLiteral("printer"), request.title, request.current);
    return std::nullopt;
}

std::optional<platform::MenuPath> HeadlessPrompter::popupMenu(const platform::PopupMenuRequest&)
{
    report(QStringLiteral("menu"), QString(), QString());
    return std::nullopt;
}

void HeadlessPrompter::runModal(platform::ModalWindow& window)
{
    report(QStringLiteral("modal"), window.modalCaption(), QString());
    window.modalClose();
}

}  // namespace orbela
