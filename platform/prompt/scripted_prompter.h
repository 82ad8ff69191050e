// SPDX-License-Identifier: LicenseRef-Tavelcor
// The prompter of the tests: it answers every prompt from a queue that the
// test fills beforehand and records every prompt for the test to check.
//
//     ScopedScriptedPrompter script;            // installed until scope end
//     script->expectMessage(MsgResult::Yes, "上書きしますか？");
//     script->expectSaveFile(dir + "/A.SIM");
//     script->expectModal([](ModalWindow& w) { ...click its OK button... });
//     runTheCommand();
//     EXPECT_EQ(script->records().at(0).title, "TAVELCOR");
//
// Each queue entry names the kind of prompt it expects and, optionally, the
// text it expects (compared exactly; see PromptRecord::text for what the text
// of each kind is). A prompt of another kind, one with another text, a prompt
// when the queue is empty and entries left over at the end are failures: they
// go to the failure hook (tests set it to ADD_FAILURE, see testing.h) and are
// kept in failures(). A prompt that finds no fitting entry gets the neutral
// answer (Cancel, No, "", no file, the menu dismissed, the modal form closed),
// so code under test never crashes on an unexpected prompt.
#pragma once

#include "platform/prompt/prompter.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace platform {

enum class PromptKind { Message, Input, OpenFile, SaveFile, Color, Printer, PopupMenu, Modal };

/// "Message", "Input", ... for failure texts.
QString promptKindName(PromptKind kind);

/// One prompt as the code under test raised it.
struct PromptRecord {
    PromptKind kind = PromptKind::Message;
    /// The text that identifies the prompt: the message text, the input
    /// prompt, the title of a file, colour or printer dialog, the captions of
    /// a pop-up menu's items joined by "|", the caption of a modal form.
    QString text;
    QString title;                            // message and input boxes
    MsgButtons buttons = MsgButtons::OkOnly;  // message boxes
    MsgIcon icon = MsgIcon::None;             // message boxes
    int defaultButton = 0;                    // message boxes
    bool systemModal = false;                 // message boxes
    QString defaultText;                      // input default, file dialog preset name
    QString filter;                           // file dialogs
    int filterIndex = 0;                      // file dialogs
    QString initialFolder;                    // file dialogs
    std::uint32_t color = 0;                  // colour dialog's initial colour
    QStringList choices;                      // printer names offered
};

using ModalAction = std::function<void(ModalWindow&)>;

class ScriptedPrompter final : public Prompter {
public:
    ScriptedPrompter();

    /// The next prompt is a message box; it is answered with `answer`.
    ScriptedPrompter& expectMessage(MsgResult answer, std::optional<QString> text = std::nullopt);
    /// The next prompt is an input box; nullopt answers Cancel.
    ScriptedPrompter& expectInput(std::optional<QString> answer, std::optional<QString> prompt = std::nullopt);
    /// The next prompt is an open-file dialog; nullopt answers Cancel. A
    /// filter index of 0 keeps the one the dialog was opened with.
    ScriptedPrompter& expectOpenFile(std::optional<QString> path, std::optional<QString> title = std::nullopt,
                                     int filterIndex = 0);
    /// The next prompt is a save-file dialog; as expectOpenFile.
    ScriptedPrompter& expectSaveFile(std::optional<QString> path, std::optional<QString> title = std::nullopt,
                                     int filterIndex = 0);
    /// The next prompt is a colour dialog; nullopt answers Cancel.
    ScriptedPrompter& expectColor(std::optional<std::uint32_t> answer);
    /// The next prompt is a printer choice; nullopt answers Cancel.
    ScriptedPrompter& expectPrinter(std::optional<QString> answer);
    /// The next prompt is a pop-up menu; the item is named by its captions
    /// from the top ({"ポイント", "追加"}); nullopt dismisses the menu.
    ScriptedPrompter& expectPopupMenu(std::optional<QStringList> captions);
    /// The next prompt is a modal form (shown, not modal, while `act` runs).
    /// `act` works its controls; it must close the form (hide or unload it),
    /// else that is a failure and the form is hidden.
    ScriptedPrompter& expectModal(ModalAction act, std::optional<QString> caption = std::nullopt);

    /// Entries not used yet.
    std::size_t pending() const { return mQueue.size(); }
    /// Every prompt so far, in order.
    const std::vector<PromptRecord>& records() const { return mRecords; }
    /// Every failure so far, in order.
    const QStringList& failures() const { return mFailures; }

    /// Where failures go besides failures(); the default only logs a warning.
    void setFailureHook(std::function<void(const QString&)> hook);

    /// Reports each entry left in the queue as a failure and drops them;
    /// true when the queue was used up.
    bool verifyUsedUp();

    MsgResult message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<FileChoice> file(const FileRequest& request) override;
    std::optional<std::uint32_t> color(const ColorRequest& request) override;
    std::optional<QString> printer(const PrinterRequest& request) override;
    std::optional<MenuPath> popupMenu(const PopupMenuRequest& request) override;
    void runModal(ModalWindow& window) override;

private:
    struct Entry {
        PromptKind kind = PromptKind::Message;
        std::optional<QString> expectedText;
        MsgResult messageAnswer = MsgResult::Ok;
        std::optional<QString> textAnswer;        // input, file path, printer
        int filterIndex = 0;
        std::optional<std::uint32_t> colorAnswer;
        std::optional<QStringList> menuAnswer;
        ModalAction modalAnswer;
    };

    ScriptedPrompter& enqueue(Entry entry);
    ScriptedPrompter& expectFile(PromptKind kind, std::optional<QString> path, std::optional<QString> title,
                                 int filterIndex);
    std::optional<Entry> take(const PromptRecord& record);
    void fail(const QString& what);

    std::deque<Entry> mQueue;
    std::vector<PromptRecord> mRecords;
    QStringList mFailures;
    std::function<void(const QString&)> mHook;
};

/// Installs a ScriptedPrompter for its lifetime and puts the previous prompter
/// back afterwards; at the end it reports entries left unused.
class ScopedScriptedPrompter {
public:
    ScopedScriptedPrompter();
    explicit ScopedScriptedPrompter(std::function<void(const QString&)> failureHook);
    ScopedScriptedPrompter(const ScopedScriptedPrompter&) = delete;
    ScopedScriptedPrompter& operator=(const ScopedScriptedPrompter&) = delete;
    ~ScopedScriptedPrompter();

    ScriptedPrompter& get() { return *mScripted; }
    ScriptedPrompter* operator->() { return mScripted; }
    ScriptedPrompter& operator*() { return *mScripted; }

private:
    ScriptedPrompter* mScripted;  // owned by the prompter slot while installed
    std::unique_ptr<Prompter> mPrevious;
};

/// The menu path of the item named by `captions` (compared as written, or
/// without the "&" mnemonic marks), looking at visible items only; nullopt
/// when there is none.
std::optional<MenuPath> findMenuPath(const MenuEntry& root, const QStringList& captions);

/// The entry a path names; nullptr when the path leads nowhere.
const MenuEntry* menuEntryAt(const MenuEntry& root, const MenuPath& path);

}  // namespace platform
