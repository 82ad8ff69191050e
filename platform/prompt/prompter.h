// SPDX-License-Identifier: LicenseRef-Tavelcor
// Everything modal goes through one Prompter: message boxes, input boxes, the
// file, colour and printer dialogs, pop-up menus and modal forms. The programs
// call the free functions below (MsgBox, InputBox, ...), which ask the
// installed prompter. Programs with windows get real dialogs (the QtPrompter
// of platform/dialogs, made the default by the forms library); tests install
// a ScriptedPrompter (scripted_prompter.h) that answers from a queue.
//
// This library needs QtCore only, so logic libraries that report through
// MsgBox stay free of Gui and Widgets.
#pragma once

#include "platform/prompt/menu_model.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

class ModalWindow;

/// The buttons of a message box, with the programs' numeric codes.
enum class MsgButtons : int {
    OkOnly = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

/// The icon of a message box, with the programs' numeric codes.
enum class MsgIcon : int {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};

/// The button a message box was closed with, with the programs' numeric codes
/// (static_cast<int>(MsgResult::Yes) == 6).
enum class MsgResult : int {
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
};

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    int defaultButton = 0;     // 0, 1 or 2: which button Enter presses
    bool systemModal = false;  // kept above every other window
};

/// The numeric style of a message box as the programs write it decoded:
/// buttons (0..5) + icon (16, 32, 48, 64) + default button (0, 256, 512)
/// + 4096 for a box above all windows. Unknown bits are ignored; an unknown
/// button or icon code gives OkOnly or no icon.
MessageRequest messageRequest(const QString& text, int style, const QString& title);

/// The buttons a box offers, left to right (YesNoCancel: Yes, No, Cancel).
std::vector<MsgResult> messageButtons(MsgButtons buttons);

/// The answer of a box closed without a choice: Cancel where offered, else
/// No for Yes/No, Abort for Abort/Retry/Ignore and OK for a lone OK.
MsgResult neutralAnswer(MsgButtons buttons);

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

enum class FileDialogMode { Open, Save };

struct FileRequest {
    FileDialogMode mode = FileDialogMode::Open;
    QString title;              // empty: the dialog's own ("開く"/"名前を付けて保存")
    QString fileName;           // preset name, bare or with its folder
    QString filter;             // "text|pattern|text|pattern" (file_filter.h)
    int filterIndex = 1;        // 1-based entry of the filter shown first
    QString initialFolder;      // empty: the folder of fileName, else the current
    bool confirmOverwrite = false;  // Save: ask before replacing a file
    bool mustExist = false;         // Open: only existing files can be chosen
};

/// What the user chose in a file dialog.
struct FileChoice {
    QString path;         // the chosen file, absolute
    int filterIndex = 1;  // 1-based entry of the filter in force
};

struct ColorRequest {
    std::uint32_t initial = 0;  // 0x00BBGGRR
    QString title;
};

struct PrinterRequest {
    QString title;
    QStringList printers;  // names to choose from, in the system's order
    QString current;       // preselected name
};

struct PopupMenuRequest {
    MenuEntry root;              // its children are the items shown
    std::optional<QPoint> at;    // global pixel position; none: at the pointer
};

class Prompter {
public:
    Prompter() = default;
    Prompter(const Prompter&) = delete;
    Prompter& operator=(const Prompter&) = delete;
    virtual ~Prompter() = default;

    /// A message box; returns the button it was closed with.
    virtual MsgResult message(const MessageRequest& request) = 0;

    /// An input box; nullopt when cancelled.
    virtual std::optional<QString> input(const InputRequest& request) = 0;

    /// A file open or save dialog; nullopt when cancelled.
    virtual std::optional<FileChoice> file(const FileRequest& request) = 0;

    /// A colour dialog; the chosen colour (0x00BBGGRR), nullopt when cancelled.
    virtual std::optional<std::uint32_t> color(const ColorRequest& request) = 0;

    /// A printer choice; the chosen name, nullopt when cancelled.
    virtual std::optional<QString> printer(const PrinterRequest& request) = 0;

    /// A pop-up menu; the chosen leaf item, nullopt when dismissed.
    virtual std::optional<MenuPath> popupMenu(const PopupMenuRequest& request) = 0;

    /// Shows a window modally and returns once it is hidden or unloaded.
    /// Called by Form::ShowModal, which keeps the form alive meanwhile.
    virtual void runModal(ModalWindow& window) = 0;
};

/// Makes the prompter that is installed when none is.
using PrompterFactory = std::unique_ptr<Prompter> (*)();

/// The installed prompter. When none is, the default one is made and
/// installed: the one of the default factory (setDefaultPrompterFactory), or
/// without a factory a prompter that writes each prompt to the warning log
/// ("<kind> <title>: <text>") and gives the neutral answer (neutralAnswer,
/// cancelled dialogs, a dismissed menu, a modal window closed unshown), so
/// code run without a desktop never blocks on a prompt.
Prompter& prompter();

/// Installs `next` (nullptr: back to the default on next use) and returns the
/// one it replaces (nullptr when none was installed yet).
std::unique_ptr<Prompter> setPrompter(std::unique_ptr<Prompter> next);

/// Sets what prompter() makes when no prompter is installed (nullptr: the
/// logging prompter described there). An installed prompter stays.
void setDefaultPrompterFactory(PrompterFactory factory);

/// The title of boxes opened without one: the application's name, as the
/// programs set it with QCoreApplication::setApplicationName.
QString applicationTitle();

/// A message box. A title of nullopt means the program's title.
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OkOnly,
                 MsgIcon icon = MsgIcon::None, const std::optional<QString>& title = std::nullopt,
                 bool systemModal = false);

/// A Yes/No question with the program's title; true when the answer is Yes.
bool askYesNo(const QString& question);

/// A message box with a numeric style (see messageRequest).
MsgResult MsgBox(const QString& text, int style, const std::optional<QString>& title = std::nullopt);

/// An input box; the typed text, "" when cancelled (as the programs expect:
/// they do not tell an empty answer from a cancel).
QString InputBox(const QString& prompt, const std::optional<QString>& title = std::nullopt,
                 const QString& defaultText = QString());

}  // namespace platform
