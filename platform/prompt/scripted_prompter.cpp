// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/prompt/scripted_prompter.h"

#include "platform/prompt/modal_window.h"

#include <QDebug>

#include <algorithm>

#include <utility>

namespace platform {

namespace {

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString withoutMnemonics(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return caption;
}

bool captionMatches(const QString& caption, const QString& wanted)
{
    return caption == wanted || withoutMnemonics(caption) == wanted;
}

QString menuText(const MenuEntry& root)
{
    QStringList captions;
    for (const MenuEntry& entry : root.children) {
        if (entry.visible)
            captions.append(entry.caption);
    }
    return captions.join(QLatin1Char('|'));
}

}  // namespace

QString promptKindName(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Message: return QStringLiteral("Message");
    case PromptKind::Input: return QStringLiteral("Input");
    case PromptKind::OpenFile: return QStringLiteral("OpenFile");
    case PromptKind::SaveFile: return QStringLiteral("SaveFile");
    case PromptKind::Color: return QStringLiteral("Color");
    case PromptKind::Printer: return QStringLiteral("Printer");
    case PromptKind::PopupMenu: return QStringLiteral("PopupMenu");
    case PromptKind::Modal: return QStringLiteral("Modal");
    }
    return QStringLiteral("Unknown");
}

std::optional<MenuPath> findMenuPath(const MenuEntry& root, const QStringList& captions)
{
    MenuPath path;
    const MenuEntry* level = &root;
    for (const QString& wanted : captions) {
        bool found = false;
        for (std::size_t i = 0; i < level->children.size() && !found; ++i) {
            const MenuEntry& entry = level->children[i];
            if (entry.visible && !isMenuSeparator(entry.caption) && captionMatches(entry.caption, wanted)) {
                path.push_back(static_cast<int>(i));
                level = &entry;
                found = true;
            }
        }
        if (!found)
            return std::nullopt;
    }
    if (path.empty())
        return std::nullopt;
    return path;
}

const MenuEntry* menuEntryAt(const MenuEntry& root, const MenuPath& path)
{
    const MenuEntry* entry = &root;
    for (int index : path) {
        if (index < 0 || static_cast<std::size_t>(index) >= entry->children.size())
            return nullptr;
        entry = &entry->children[static_cast<std::size_t>(index)];
    }
    return entry;
}

ScriptedPrompter::ScriptedPrompter() = default;

ScriptedPrompter& ScriptedPrompter::enqueue(Entry entry)
{
    mQueue.push_back(std::move(entry));
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectMessage(MsgResult answer, std::optional<QString> text)
{
    Entry entry;
    entry.kind = PromptKind::Message;
    entry.expectedText = std::move(text);
    entry.messageAnswer = answer;
    return enqueue(std::move(entry));
}

ScriptedPrompter& ScriptedPrompter::expectInput(std::optional<QString> answer, std::optional<QString> prompt)
{
    Entry entry;
    entry.kind = PromptKind::Input;
    entry.expectedText = std::move(prompt);
    entry.textAnswer = std::move(answer);
    return enqueue(std::move(entry));
}

ScriptedPrompter& ScriptedPrompter::expectFile(PromptKind kind, std::optional<QString> path,
                                               std::optional<QString> title, int filterIndex)
{
    Entry entry;
    entry.kind = kind;
    entry.expectedText = std::move(title);
    entry.textAnswer = std::move(path);
    entry.filterIndex = filterIndex;
    return enqueue(std::move(entry));
}

ScriptedPrompter& ScriptedPrompter::expectOpenFile(std::optional<QString> path, std::optional<QString> title,
                                                   int filterIndex)
{
    return expectFile(PromptKind::OpenFile, std::move(path), std::move(title), filterIndex);
}

ScriptedPrompter& ScriptedPrompter::expectSaveFile(std::optional<QString> path, std::optional<QString> title,
                                                   int filterIndex)
{
    return expectFile(PromptKind::SaveFile, std::move(path), std::move(title), filterIndex);
}

ScriptedPrompter& ScriptedPrompter::expectColor(std::optional<std::uint32_t> answer)
{
    Entry entry;
    entry.kind = PromptKind::Color;
    entry.colorAnswer = answer;
    return enqueue(std::move(entry));
}

ScriptedPrompter& ScriptedPrompter::expectPrinter(std::optional<QString> answer)
{
    Entry entry;
    entry.kind = PromptKind::Printer;
    entry.textAnswer = std::move(answer);
    return enqueue(std::move(entry));
}

ScriptedPrompter& ScriptedPrompter::expectPopupMenu(std::optional<QStringList> captions)
{
    Entry entry;
    entry.kind = PromptKind::PopupMenu;
    entry.menuAnswer = std::move(captions);
    return enqueue(std::move(entry));
}

ScriptedPrompter& ScriptedPrompter::expectModal(ModalAction act, std::optional<QString> caption)
{
    Entry entry;
    entry.kind = PromptKind::Modal;
    entry.expectedText = std::move(caption);
    entry.modalAnswer = std::move(act);
    return enqueue(std::move(entry));
}

void ScriptedPrompter::setFailureHook(std::function<void(const QString&)> hook)
{
    mHook = std::move(hook);
}

void ScriptedPrompter::fail(const QString& what)
{
    mFailures.append(what);
    if (mHook)
        mHook(what);
    else
        qWarning().noquote() << "scripted prompter:" << what;
}

bool ScriptedPrompter::verifyUsedUp()
{
    const bool usedUp = mQueue.empty();
    while (!mQueue.empty()) {
        const Entry& entry = mQueue.front();
        fail(QStringLiteral("expected %1 prompt %2 never came")
                 .arg(promptKindName(entry.kind), quoted(entry.expectedText.value_or(QString()))));
        mQueue.pop_front();
    }
    return usedUp;
}

std::optional<ScriptedPrompter::Entry> ScriptedPrompter::take(const PromptRecord& record)
{
    mRecords.push_back(record);
    const QString what = promptKindName(record.kind) + QLatin1Char(' ') + quoted(record.text);
    if (mQueue.empty()) {
        fail(QStringLiteral("unexpected %1 prompt").arg(what));
        return std::nullopt;
    }
    if (mQueue.front().kind != record.kind) {
        fail(QStringLiteral("expected a %1 prompt, got %2").arg(promptKindName(mQueue.front().kind), what));
        return std::nullopt;
    }
    Entry entry = std::move(mQueue.front());
    mQueue.pop_front();
    if (entry.expectedText && *entry.expectedText != record.text)
        fail(QStringLiteral("%1 prompt: expected %2, got %3")
                 .arg(promptKindName(record.kind), quoted(*entry.expectedText), quoted(record.text)));
    return entry;
}

MsgResult ScriptedPrompter::message(const MessageRequest& request)
{
    PromptRecord record;
    record.kind = PromptKind::Message;
    record.text = request.text;
    record.title = request.title;
    record.buttons = request.buttons;
    record.icon = request.icon;
    record.defaultButton = request.defaultButton;
    record.systemModal = request.systemModal;
    const std::optional<Entry> entry = take(record);
    if (!entry)
        return neutralAnswer(request.buttons);
    const std::vector<MsgResult> offered = messageButtons(request.buttons);
    if (std::find(offered.begin(), offered.end(), entry->messageAnswer) == offered.end()) {
        fail(QStringLiteral("Message %1 has no button %2")
                 .arg(quoted(request.text)).arg(static_cast<int>(entry->messageAnswer)));
        return neutralAnswer(request.buttons);
    }
    return entry->messageAnswer;
}

std::optional<QString> ScriptedPrompter::input(const InputRequest& request)
{
    PromptRecord record;
    record.kind = PromptKind::Input;
    record.text = request.prompt;
    record.title = request.title;
    record.defaultText = request.defaultText;
    const std::optional<Entry> entry = take(record);
    if (!entry)
        return std::nullopt;
    return entry->textAnswer;
}

std::optional<FileChoice> ScriptedPrompter::file(const FileRequest& request)
{
    PromptRecord record;
    record.kind = request.mode == FileDialogMode::Save ? PromptKind::SaveFile : PromptKind::OpenFile;
    record.text = request.title;
    record.title = request.title;
    record.defaultText = request.fileName;
    record.filter = request.filter;
    record.filterIndex = request.filterIndex;
    record.initialFolder = request.initialFolder;
    const std::optional<Entry> entry = take(record);
    if (!entry || !entry->textAnswer)
        return std::nullopt;
    const int filterIndex = entry->filterIndex != 0 ? entry->filterIndex : std::max(1, request.filterIndex);
    return FileChoice{*entry->textAnswer, filterIndex};
}

std::optional<std::uint32_t> ScriptedPrompter::color(const ColorRequest& request)
{
    PromptRecord record;
    record.kind = PromptKind::Color;
    record.text = request.title;
    record.title = request.title;
    record.color = request.initial;
    const std::optional<Entry> entry = take(record);
    if (!entry)
        return std::nullopt;
    return entry->colorAnswer;
}

std::optional<QString> ScriptedPrompter::printer(const PrinterRequest& request)
{
    PromptRecord record;
    record.kind = PromptKind::Printer;
    record.text = request.title;
    record.title = request.title;
    record.defaultText = request.current;
    record.choices = request.printers;
    const std::optional<Entry> entry = take(record);
    if (!entry || !entry->textAnswer)
        return std::nullopt;
    if (!request.printers.contains(*entry->textAnswer)) {
        fail(QStringLiteral("Printer %1 is not offered").arg(quoted(*entry->textAnswer)));
        return std::nullopt;
    }
    return entry->textAnswer;
}

std::optional<MenuPath> ScriptedPrompter::popupMenu(const PopupMenuRequest& request)
{
    PromptRecord record;
    record.kind = PromptKind::PopupMenu;
    record.text = menuText(request.root);
    const std::optional<Entry> entry = take(record);
    if (!entry || !entry->menuAnswer)
        return std::nullopt;
    const QString wanted = quoted(entry->menuAnswer->join(QLatin1Char('|')));
    const std::optional<MenuPath> path = findMenuPath(request.root, *entry->menuAnswer);
    if (!path) {
        fail(QStringLiteral("PopupMenu has no item %1").arg(wanted));
        return std::nullopt;
    }
    MenuPath walked;
    for (int index : *path) {
        walked.push_back(index);
        if (!menuEntryAt(request.root, walked)->enabled) {
            fail(QStringLiteral("PopupMenu item %1 is disabled").arg(wanted));
            return std::nullopt;
        }
    }
    if (!menuEntryAt(request.root, *path)->children.empty()) {
        fail(QStringLiteral("PopupMenu item %1 opens a submenu, it is not a command").arg(wanted));
        return std::nullopt;
    }
    return path;
}

void ScriptedPrompter::runModal(ModalWindow& window)
{
    PromptRecord record;
    record.kind = PromptKind::Modal;
    record.text = window.modalCaption();
    record.title = record.text;
    const std::optional<Entry> entry = take(record);
    window.modalShow();
    if (entry && entry->modalAnswer && window.modalIsOpen())
        entry->modalAnswer(window);
    if (window.modalIsOpen()) {
        if (entry)
            fail(QStringLiteral("Modal %1 still open after its scripted answer").arg(quoted(record.text)));
        window.modalClose();
    }
}

ScopedScriptedPrompter::ScopedScriptedPrompter() : ScopedScriptedPrompter(nullptr) {}

ScopedScriptedPrompter::ScopedScriptedPrompter(std::function<void(const QString&)> failureHook)
{
    auto scripted = std::make_unique<ScriptedPrompter>();
    scripted->setFailureHook(std::move(failureHook));
    mScripted = scripted.get();
    mPrevious = setPrompter(std::move(scripted));
}

ScopedScriptedPrompter::~ScopedScriptedPrompter()
{
    mScripted->verifyUsedUp();
    setPrompter(std::move(mPrevious));
}

}  // namespace platform
