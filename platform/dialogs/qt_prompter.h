// SPDX-License-Identifier: LicenseRef-Tavelcor
// The prompter of the running programs: real Qt dialogs with Japanese button
// texts and a Japanese-capable font. Needs a QApplication (Qt Widgets); only
// the programs and their window code link this library.
#pragma once

#include "platform/prompt/prompter.h"

#include <functional>

namespace platform {

class QtPrompter final : public Prompter {
public:
    MsgResult message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<FileChoice> file(const FileRequest& request) override;
    std::optional<std::uint32_t> color(const ColorRequest& request) override;
    std::optional<QString> printer(const PrinterRequest& request) override;
    std::optional<MenuPath> popupMenu(const PopupMenuRequest& request) override;
    void runModal(ModalWindow& window) override;
};

/// Makes QtPrompter the prompter that platform::prompter() installs when none
/// is installed (an installed prompter, such as a test's, stays). Any number
/// of calls; the forms library calls it when it makes a form.
void useQtPrompterByDefault();

/// Decides, just before a real dialog shows, whether it may: called with what
/// the dialog is ("message box", "input box", "file dialog", "colour dialog",
/// "printer dialog", "pop-up menu"), its title and its text. When it says no,
/// the dialog does not show and the prompt gets the answer of a dialog closed
/// without a choice. The test programs install one that fails the test: a
/// prompt that reaches a real dialog there has missed the scripted prompter,
/// and nobody would ever answer it.
using RealDialogGate = std::function<bool(const QString& what, const QString& title, const QString& text)>;

/// Installs `gate` (empty: every dialog shows, as in the programs) and
/// returns the one it replaces.
RealDialogGate setRealDialogGate(RealDialogGate gate);

/// The caption of a message-box button as the Japanese system shows it
/// ("はい(&Y)", "いいえ(&N)", "キャンセル", ...).
QString messageButtonText(MsgResult button);

}  // namespace platform
