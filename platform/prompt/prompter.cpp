// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/prompt/prompter.h"

#include "platform/prompt/modal_window.h"

#include <QCoreApplication>
#include <QDebug>

namespace platform {

namespace {

constexpr int kButtonBits = 0x7;
constexpr int kIconBits = 0x70;
constexpr int kDefaultButtonBits = 0x300;
constexpr int kDefaultButtonStep = 0x100;
constexpr int kSystemModalBit = 0x1000;

std::unique_ptr<Prompter>& installedPrompter()
{
    static std::unique_ptr<Prompter> installed;
    return installed;
}

PrompterFactory& defaultFactory()
{
    static PrompterFactory factory = nullptr;
    return factory;
}

void logPrompt(const char* kind, const QString& title, const QString& text)
{
    qWarning().noquote() << kind << (title + QStringLiteral(": ") + text);
}

// The prompter of a process without dialogs: nobody can answer, so every
// prompt is logged and gets the answer of a box closed without a choice.
class LoggingPrompter final : public Prompter {
public:
    MsgResult message(const MessageRequest& request) override
    {
        logPrompt("message", request.title, request.text);
        return neutralAnswer(request.buttons);
    }
    std::optional<QString> input(const InputRequest& request) override
    {
        logPrompt("input", request.title, request.prompt);
        return std::nullopt;
    }
    std::optional<FileChoice> file(const FileRequest& request) override
    {
        logPrompt("file", request.title, request.fileName);
        return std::nullopt;
    }
    std::optional<std::uint32_t> color(const ColorRequest& request) override
    {
        logPrompt("color", request.title, QString());
        return std::nullopt;
    }
    std::optional<QString> printer(const PrinterRequest& request) override
    {
        logPrompt("printer", request.title, request.current);
        return std::nullopt;
    }
    std::optional<MenuPath> popupMenu(const PopupMenuRequest&) override
    {
        logPrompt("menu", QString(), QString());
        return std::nullopt;
    }
    void runModal(ModalWindow& window) override
    {
        logPrompt("modal", window.modalCaption(), QString());
        if (window.modalIsOpen())
            window.modalClose();
    }
};

MsgButtons buttonsFromCode(int code)
{
    switch (code) {
    case 1: return MsgButtons::OkCancel;
    case 2: return MsgButtons::AbortRetryIgnore;
    case 3: return MsgButtons::YesNoCancel;
    case 4: return MsgButtons::YesNo;
    case 5: return MsgButtons::RetryCancel;
    default: return MsgButtons::OkOnly;
    }
}

MsgIcon iconFromCode(int code)
{
    switch (code) {
    case 16: return MsgIcon::Critical;
    case 32: return MsgIcon::Question;
    case 48: return MsgIcon::Exclamation;
    case 64: return MsgIcon::Information;
    default: return MsgIcon::None;
    }
}

}  // namespace

MessageRequest messageRequest(const QString& text, int style, const QString& title)
{
    MessageRequest request;
    request.text = text;
    request.title = title;
    request.buttons = buttonsFromCode(style & kButtonBits);
    request.icon = iconFromCode(style & kIconBits);
    request.defaultButton = (style & kDefaultButtonBits) / kDefaultButtonStep;
    request.systemModal = (style & kSystemModalBit) != 0;
    return request;
}

std::vector<MsgResult> messageButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkOnly: return {MsgResult::Ok};
    case MsgButtons::OkCancel: return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    case MsgButtons::YesNoCancel: return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::YesNo: return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::RetryCancel: return {MsgResult::Retry, MsgResult::Cancel};
    }
    return {MsgResult::Ok};
}

MsgResult neutralAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkOnly: return MsgResult::Ok;
    case MsgButtons::YesNo: return MsgResult::No;
    case MsgButtons::AbortRetryIgnore: return MsgResult::Abort;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
    case MsgButtons::RetryCancel: return MsgResult::Cancel;
    }
    return MsgResult::Cancel;
}

Prompter& prompter()
{
    std::unique_ptr<Prompter>& installed = installedPrompter();
    if (!installed) {
        const PrompterFactory factory = defaultFactory();
        if (factory != nullptr)
            installed = factory();
        if (!installed)
            installed = std::make_unique<LoggingPrompter>();
    }
    return *installed;
}

void setDefaultPrompterFactory(PrompterFactory factory)
{
    defaultFactory() = factory;
}

std::unique_ptr<Prompter> setPrompter(std::unique_ptr<Prompter> next)
{
    std::unique_ptr<Prompter> previous = std::move(installedPrompter());
    installedPrompter() = std::move(next);
    return previous;
}

QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                 const std::optional<QString>& title, bool systemModal)
{
    MessageRequest request;
    request.text = text;
    request.title = title.value_or(applicationTitle());
    request.buttons = buttons;
    request.icon = icon;
    request.systemModal = systemModal;
    return prompter().message(request);
}

bool askYesNo(const QString& question)
{
    return MsgBox(question, MsgButtons::YesNo) == MsgResult::Yes;
}

MsgResult MsgBox(const QString& text, int style, const std::optional<QString>& title)
{
    return prompter().message(messageRequest(text, style, title.value_or(applicationTitle())));
}

QString InputBox(const QString& prompt, const std::optional<QString>& title, const QString& defaultText)
{
    const InputRequest request{prompt, title.value_or(applicationTitle()), defaultText};
    return prompter().input(request).value_or(QString());
}

}  // namespace platform
