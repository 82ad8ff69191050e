// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/dialogs/qt_prompter.h"

#include "platform/canvas/colors.h"
#include "platform/prompt/file_filter.h"
#include "platform/prompt/modal_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <map>
#include <memory>
#include <utility>

namespace platform {

namespace {

constexpr int kDialogPointSize = 9;

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"), font.family()});
    font.setPointSize(kDialogPointSize);
    return font;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole buttonRole(MsgResult button)
{
    switch (button) {
    case MsgResult::Ok:
    case MsgResult::Retry:
    case MsgResult::Ignore: return QMessageBox::AcceptRole;
    case MsgResult::Yes: return QMessageBox::YesRole;
    case MsgResult::No: return QMessageBox::NoRole;
    case MsgResult::Cancel:
    case MsgResult::Abort: return QMessageBox::RejectRole;
    }
    return QMessageBox::AcceptRole;
}

// Ends a modal run once its window is hidden by the program (a user's
// minimising is a spontaneous hide and does not end it).
class HideWatcher final : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop* loop) : mLoop(loop) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            mLoop->quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop* mLoop;
};

// True when a shown window other than `dialog` is kept above the others.
bool aTopmostWindowShows(const QWidget* dialog)
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != dialog && window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return true;
    }
    return false;
}

// A dialog opened while a window is kept above the others (the print dialog,
// the keypad) is kept above too, so that it comes up in front of that window
// and not under it. Called before the dialog shows.
void keepAboveTopmostWindows(QWidget& dialog)
{
    if (aTopmostWindowShows(&dialog))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

// The captions of a menu's first level, for a report of the menu.
QString menuCaptions(const MenuEntry& root)
{
    QStringList captions;
    for (const MenuEntry& entry : root.children) {
        if (entry.visible && !isMenuSeparator(entry.caption))
            captions.append(entry.caption);
    }
    return captions.join(QStringLiteral(" | "));
}

void addMenuEntries(QMenu& menu, const MenuEntry& parent, MenuPath& path,
                    std::map<QAction*, MenuPath>& paths)
{
    for (std::size_t i = 0; i < parent.children.size(); ++i) {
        const MenuEntry& entry = parent.children[i];
        if (!entry.visible)
            continue;
        path.push_back(static_cast<int>(i));
        if (isMenuSeparator(entry.caption)) {
            menu.addSeparator();
        } else if (!entry.children.empty()) {
            QMenu* sub = menu.addMenu(entry.caption);
            sub->setEnabled(entry.enabled);
            addMenuEntries(*sub, entry, path, paths);
        } else {
            QAction* action = menu.addAction(entry.caption);
            action->setEnabled(entry.enabled);
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
            paths[action] = path;
        }
        path.pop_back();
    }
}

RealDialogGate& installedGate()
{
    static RealDialogGate gate;
    return gate;
}

bool mayShow(const char* what, const QString& title, const QString& text)
{
    const RealDialogGate& gate = installedGate();
    return !gate || gate(QString::fromLatin1(what), title, text);
}

}  // namespace

RealDialogGate setRealDialogGate(RealDialogGate gate)
{
    return std::exchange(installedGate(), std::move(gate));
}

QString messageButtonText(MsgResult button)
{
    switch (button) {
    case MsgResult::Ok: return QStringLiteral("OK");
    case MsgResult::Cancel: return QStringLiteral("キャンセル");
    case MsgResult::Abort: return QStringLiteral("中止(&A)");
    case MsgResult::Retry: return QStringLiteral("再試行(&R)");
    case MsgResult::Ignore: return QStringLiteral("無視(&I)");
    case MsgResult::Yes: return QStringLiteral("はい(&Y)");
    case MsgResult::No: return QStringLiteral("いいえ(&N)");
    }
    return QStringLiteral("OK");
}

MsgResult QtPrompter::message(const MessageRequest& request)
{
    if (!mayShow("message box", request.title, request.text))
        return neutralAnswer(request.buttons);
    QMessageBox box;
    box.setFont(dialogFont());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    box.setIcon(boxIcon(request.icon));
    if (request.systemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    keepAboveTopmostWindows(box);
    std::vector<std::pair<QAbstractButton*, MsgResult>> buttons;
    const MsgResult neutral = neutralAnswer(request.buttons);
    for (MsgResult result : messageButtons(request.buttons)) {
        QPushButton* button = box.addButton(messageButtonText(result), buttonRole(result));
        buttons.emplace_back(button, result);
        if (result == neutral)
            box.setEscapeButton(button);
    }
    const auto defaultIndex = static_cast<std::size_t>(request.defaultButton);
    if (defaultIndex < buttons.size())
        box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex].first));
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (button == box.clickedButton())
            return result;
    }
    return neutral;
}

std::optional<QString> QtPrompter::input(const InputRequest& request)
{
    if (!mayShow("input box", request.title, request.prompt))
        return std::nullopt;
    QInputDialog dialog;
    dialog.setFont(dialogFont());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    dialog.setOkButtonText(messageButtonText(MsgResult::Ok));
    dialog.setCancelButtonText(messageButtonText(MsgResult::Cancel));
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<FileChoice> QtPrompter::file(const FileRequest& request)
{
    if (!mayShow("file dialog", request.title, request.fileName))
        return std::nullopt;
    QFileDialog dialog(nullptr, request.title);
    dialog.setFont(dialogFont());
    const bool save = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.at(qtFilterPosition(request.filter, request.filterIndex)));
    }
    const QFileInfo preset(request.fileName);
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    else if (!request.fileName.isEmpty() && preset.path() != QLatin1String("."))
        dialog.setDirectory(preset.absolutePath());
    if (!request.fileName.isEmpty())
        dialog.selectFile(preset.fileName());
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int position = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return FileChoice{dialog.selectedFiles().constFirst(), position < 0 ? 1 : position + 1};
}

std::optional<std::uint32_t> QtPrompter::color(const ColorRequest& request)
{
    if (!mayShow("colour dialog", request.title, QString()))
        return std::nullopt;
    QColorDialog dialog(toQColor(request.initial));
    dialog.setFont(dialogFont());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

std::optional<QString> QtPrompter::printer(const PrinterRequest& request)
{
    if (request.printers.isEmpty() || !mayShow("printer dialog", request.title, request.current))
        return std::nullopt;
    QInputDialog dialog;
    dialog.setFont(dialogFont());
    dialog.setWindowTitle(request.title);
    dialog.setComboBoxItems(request.printers);
    dialog.setComboBoxEditable(false);
    if (request.printers.contains(request.current))
        dialog.setTextValue(request.current);
    dialog.setOkButtonText(messageButtonText(MsgResult::Ok));
    dialog.setCancelButtonText(messageButtonText(MsgResult::Cancel));
    keepAboveTopmostWindows(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<MenuPath> QtPrompter::popupMenu(const PopupMenuRequest& request)
{
    QMenu menu;
    menu.setFont(dialogFont());
    std::map<QAction*, MenuPath> paths;
    MenuPath path;
    addMenuEntries(menu, request.root, path, paths);
    if (paths.empty() || !mayShow("pop-up menu", QString(), menuCaptions(request.root)))
        return std::nullopt;
    QAction* chosen = menu.exec(request.at.value_or(QCursor::pos()));
    const auto found = paths.find(chosen);
    if (found == paths.end())
        return std::nullopt;
    return found->second;
}

void useQtPrompterByDefault()
{
    setDefaultPrompterFactory([]() -> std::unique_ptr<Prompter> { return std::make_unique<QtPrompter>(); });
}

void QtPrompter::runModal(ModalWindow& window)
{
    QWidget* widget = window.modalWidget();
    if (widget == nullptr)
        return;
    const QPointer<QWidget> guard(widget);
    const Qt::WindowModality previous = widget->windowModality();
    if (widget->isVisible())
        widget->hide();  // modality takes effect only when the window is shown again
    widget->setWindowModality(Qt::ApplicationModal);
    // A modal window opened from a window kept above the others is kept
    // above for as long as it runs modally.
    const bool wasOnTop = widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    keepAboveTopmostWindows(*widget);
    QEventLoop loop;
    HideWatcher watcher(widget, &loop);
    QObject::connect(widget, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.modalShow();
    if (guard && window.modalIsOpen())
        loop.exec(QEventLoop::DialogExec);
    if (guard) {
        guard->setWindowModality(previous);
        if (!wasOnTop && guard->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            guard->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    }
}

}  // namespace platform
