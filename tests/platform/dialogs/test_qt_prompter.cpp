// SPDX-License-Identifier: LicenseRef-Tavelcor
// The real dialogs, driven headless from inside their own event loops: the
// buttons a box offers and what each returns, the input and file dialogs, the
// colour and printer choices, pop-up menus and modal windows.
#include "fake_modal_window.h"

#include "platform/dialogs/qt_prompter.h"
#include "platform/prompt/file_filter.h"
#include "platform/prompt/testing.h"
#include "real_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using platform::MsgButtons;
using platform::MsgResult;

constexpr int kPollMs = 5;
constexpr int kGiveUpMs = 5000;

// Qt's file and colour dialogs keep their history in the user's settings
// folder: these tests give them a folder of their own, so that they neither
// change the user's settings nor share a file with tests running beside them.
class OwnSettingsFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(mFolder.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(mFolder.path()));
    }

private:
    QTemporaryDir mFolder;
};

// GoogleTest owns the environment and sets it up before the first test.
[[maybe_unused]] const ::testing::Environment* const kOwnSettingsFolder =
    ::testing::AddGlobalTestEnvironment(new OwnSettingsFolder);

// These tests open the real dialogs on purpose: in this program they show,
// where any other GUI test program fails a prompt that reaches one.
class RealDialogsShow : public ::testing::Environment {
public:
    void SetUp() override { mAllowed = std::make_unique<testing_support::RealDialogsAllowed>(); }
    void TearDown() override { mAllowed.reset(); }

private:
    std::unique_ptr<testing_support::RealDialogsAllowed> mAllowed;
};

[[maybe_unused]] const ::testing::Environment* const kRealDialogsShow =
    ::testing::AddGlobalTestEnvironment(new RealDialogsShow);

// Waits (inside the dialog's own event loop) for a window that `find` returns
// to show, then runs `act` on it once.
class DialogDriver {
public:
    DialogDriver(std::function<QWidget*()> find, std::function<void(QWidget&)> act)
        : mFind(std::move(find)), mAct(std::move(act))
    {
        mClock.start();
        mTimer.setInterval(kPollMs);
        QObject::connect(&mTimer, &QTimer::timeout, [this] { poll(); });
        mTimer.start();
    }

    static DialogDriver modal(std::function<void(QWidget&)> act)
    {
        return DialogDriver([] { return QApplication::activeModalWidget(); }, std::move(act));
    }

    bool acted() const { return mActed; }

private:
    void poll()
    {
        QWidget* shown = mFind();
        if (shown != nullptr && shown->isVisible()) {
            mTimer.stop();
            mActed = true;
            mAct(*shown);
        } else if (mClock.elapsed() > kGiveUpMs) {
            mTimer.stop();
            ADD_FAILURE() << "no dialog showed";
        }
    }

    std::function<QWidget*()> mFind;
    std::function<void(QWidget&)> mAct;
    QTimer mTimer;
    QElapsedTimer mClock;
    bool mActed = false;
};

QAbstractButton* buttonWithText(QMessageBox& box, const QString& text)
{
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

platform::MessageRequest request(MsgButtons buttons, int defaultButton = 0)
{
    platform::MessageRequest message;
    message.text = QStringLiteral("保存しますか？");
    message.title = QStringLiteral("TAVELCOR");
    message.buttons = buttons;
    message.defaultButton = defaultButton;
    return message;
}

TEST(QtPrompterMessage, OffersJapaneseButtonsAndReturnsTheOneClicked)
{
    platform::QtPrompter prompter;
    QStringList texts;
    QString title;
    QString text;
    auto driver = DialogDriver::modal([&](QWidget& shown) {
        auto& box = dynamic_cast<QMessageBox&>(shown);
        for (QAbstractButton* button : box.buttons())
            texts.append(button->text());
        title = box.windowTitle();
        text = box.text();
        QTest::mouseClick(buttonWithText(box, QStringLiteral("いいえ(&N)")), Qt::LeftButton);
    });
    EXPECT_EQ(prompter.message(request(MsgButtons::YesNoCancel)), MsgResult::No);
    EXPECT_TRUE(driver.acted());
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)"), QStringLiteral("キャンセル")}));
    EXPECT_EQ(title, QStringLiteral("TAVELCOR"));
    EXPECT_EQ(text, QStringLiteral("保存しますか？"));
}

TEST(QtPrompterMessage, EscapeGivesTheNeutralAnswer)
{
    const std::vector<std::pair<MsgButtons, MsgResult>> rows = {
        {MsgButtons::YesNoCancel, MsgResult::Cancel},
        {MsgButtons::YesNo, MsgResult::No},
        {MsgButtons::OkOnly, MsgResult::Ok},
    };
    platform::QtPrompter prompter;
    for (const auto& [buttons, expected] : rows) {
        auto driver = DialogDriver::modal([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        EXPECT_EQ(prompter.message(request(buttons)), expected) << static_cast<int>(buttons);
        EXPECT_TRUE(driver.acted()) << static_cast<int>(buttons);
    }
}

TEST(QtPrompterMessage, EnterPressesTheDefaultButton)
{
    platform::QtPrompter prompter;
    auto driver = DialogDriver::modal([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(prompter.message(request(MsgButtons::OkCancel, 1)), MsgResult::Cancel);
    EXPECT_TRUE(driver.acted());
}

TEST(QtPrompterMessage, SystemModalBoxStaysOnTop)
{
    platform::QtPrompter prompter;
    bool onTop = false;
    auto driver = DialogDriver::modal([&](QWidget& box) {
        onTop = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    platform::MessageRequest message = request(MsgButtons::OkOnly);
    message.systemModal = true;
    EXPECT_EQ(prompter.message(message), MsgResult::Ok);
    EXPECT_TRUE(driver.acted());
    EXPECT_TRUE(onTop);
}

TEST(QtPrompterInput, TypedTextOrCancel)
{
    platform::QtPrompter prompter;
    const platform::InputRequest input{QStringLiteral("縮尺分母"), QStringLiteral("TAVELCOR"), QStringLiteral("250")};
    QString shownDefault;
    auto typing = DialogDriver::modal([&](QWidget& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        shownDefault = edit->text();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("500"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(prompter.input(input), QStringLiteral("500"));
    EXPECT_TRUE(typing.acted());
    EXPECT_EQ(shownDefault, QStringLiteral("250"));

    auto cancelling = DialogDriver::modal([](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    EXPECT_EQ(prompter.input(input), std::nullopt);
    EXPECT_TRUE(cancelling.acted());
}

class QtPrompterFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mDir.isValid());
        for (const char* name : {"A.SIM", "b.sim", "c.txt"}) {
            QFile file(mDir.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    QTemporaryDir mDir;
};

TEST_F(QtPrompterFile, ShowsTranslatedFiltersAndReturnsTheChoice)
{
    platform::QtPrompter prompter;
    platform::FileRequest file;
    file.mode = platform::FileDialogMode::Open;
    file.title = QStringLiteral("SIMA 呼び出し");
    file.fileName = mDir.filePath(QStringLiteral("b.sim"));
    file.filter = QStringLiteral("SIMA ファイル|*.SIM|すべてのファイル|*.*");
    file.filterIndex = 2;
    QStringList filters;
    QString selectedFilter;
    QString folder;
    QString title;
    auto driver = DialogDriver::modal([&](QWidget& shown) {
        auto& dialog = dynamic_cast<QFileDialog&>(shown);
        filters = dialog.nameFilters();
        selectedFilter = dialog.selectedNameFilter();
        folder = dialog.directory().absolutePath();
        title = dialog.windowTitle();
        dialog.selectNameFilter(filters.at(0));
        dialog.selectFile(QStringLiteral("A.SIM"));
        static_cast<QDialog&>(dialog).accept();
    });
    const auto chosen = prompter.file(file);
    EXPECT_TRUE(driver.acted());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, mDir.filePath(QStringLiteral("A.SIM")));
    EXPECT_EQ(chosen->filterIndex, 1);
    EXPECT_EQ(filters, platform::qtNameFilters(file.filter));
    EXPECT_EQ(selectedFilter, QStringLiteral("すべてのファイル (*.*)"));
    EXPECT_EQ(folder, QDir(mDir.path()).absolutePath());
    EXPECT_EQ(title, QStringLiteral("SIMA 呼び出し"));
}

TEST_F(QtPrompterFile, CancelGivesNothing)
{
    platform::QtPrompter prompter;
    platform::FileRequest file;
    file.mode = platform::FileDialogMode::Save;
    file.initialFolder = mDir.path();
    file.fileName = QStringLiteral("TAVELCOR.SFC");
    auto driver = DialogDriver::modal([](QWidget& dialog) { dynamic_cast<QFileDialog&>(dialog).reject(); });
    EXPECT_EQ(prompter.file(file), std::nullopt);
    EXPECT_TRUE(driver.acted());
}

TEST(QtPrompterColor, StartsFromTheGivenColourAndReturnsTheChosenOne)
{
    platform::QtPrompter prompter;
    QColor shown;
    auto driver = DialogDriver::modal([&](QWidget& widget) {
        auto& dialog = dynamic_cast<QColorDialog&>(widget);
        shown = dialog.currentColor();
        dialog.setCurrentColor(QColor(0, 0, 255));
        dialog.accept();
    });
    EXPECT_EQ(prompter.color(platform::ColorRequest{0x0000FF, QStringLiteral("色")}), 0xFF0000u);
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(shown, QColor(255, 0, 0));
}

TEST(QtPrompterPrinter, OffersTheNamesAndReturnsTheChosenOne)
{
    platform::QtPrompter prompter;
    QStringList offered;
    QString preselected;
    auto driver = DialogDriver::modal([&](QWidget& widget) {
        auto& dialog = dynamic_cast<QInputDialog&>(widget);
        offered = dialog.comboBoxItems();
        preselected = dialog.textValue();
        dialog.setTextValue(QStringLiteral("PDF"));
        dialog.accept();
    });
    const platform::PrinterRequest printers{QStringLiteral("プリンタ"), {QStringLiteral("PDF"), QStringLiteral("LBP")},
                                            QStringLiteral("LBP")};
    EXPECT_EQ(prompter.printer(printers), QStringLiteral("PDF"));
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(offered, printers.printers);
    EXPECT_EQ(preselected, QStringLiteral("LBP"));
    EXPECT_EQ(prompter.printer(platform::PrinterRequest{}), std::nullopt);  // no printers: no dialog
}

platform::MenuEntry entry(const QString& caption, std::vector<platform::MenuEntry> children = {})
{
    platform::MenuEntry item;
    item.caption = caption;
    item.children = std::move(children);
    return item;
}

QAction* actionWithText(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

TEST(QtPrompterMenu, ShowsVisibleItemsAndReturnsThePathOfTheClickedOne)
{
    platform::PopupMenuRequest menu;
    menu.root = entry(QStringLiteral("popupmenu"),
                      {entry(QStringLiteral("UNDO")), entry(QStringLiteral("-")), entry(QStringLiteral("隠し")),
                       entry(QStringLiteral("ポイント"), {entry(QStringLiteral("移動")), entry(QStringLiteral("追加"))})});
    menu.root.children[0].checked = true;
    menu.root.children[2].visible = false;
    menu.at = QPoint(100, 100);
    QStringList shownTexts;
    bool undoChecked = false;
    QWidget* top = nullptr;
    std::unique_ptr<DialogDriver> subDriver;
    auto driver = DialogDriver([] { return QApplication::activePopupWidget(); }, [&](QWidget& shown) {
        auto& popup = dynamic_cast<QMenu&>(shown);
        top = &popup;
        for (QAction* action : popup.actions())
            shownTexts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        undoChecked = actionWithText(popup, QStringLiteral("UNDO"))->isChecked();
        QAction* sub = actionWithText(popup, QStringLiteral("ポイント"));
        subDriver = std::make_unique<DialogDriver>(
            [&top]() -> QWidget* {
                QWidget* popupNow = QApplication::activePopupWidget();
                return popupNow != top ? popupNow : nullptr;
            },
            [](QWidget& opened) {
                auto& submenu = dynamic_cast<QMenu&>(opened);
                QAction* add = actionWithText(submenu, QStringLiteral("追加"));
                QTest::mouseClick(&submenu, Qt::LeftButton, {}, submenu.actionGeometry(add).center());
            });
        QTest::mouseClick(&popup, Qt::LeftButton, {}, popup.actionGeometry(sub).center());
    });
    platform::QtPrompter prompter;
    EXPECT_EQ(prompter.popupMenu(menu), (platform::MenuPath{3, 1}));
    EXPECT_TRUE(driver.acted());
    ASSERT_NE(subDriver, nullptr);
    EXPECT_TRUE(subDriver->acted()) << "the submenu was opened and clicked";
    EXPECT_EQ(shownTexts, (QStringList{QStringLiteral("UNDO"), QStringLiteral("-"), QStringLiteral("ポイント")}));
    EXPECT_TRUE(undoChecked);
}

TEST(QtPrompterMenu, DismissedMenuGivesNothing)
{
    platform::PopupMenuRequest menu;
    menu.root = entry(QStringLiteral("popupmenu"), {entry(QStringLiteral("UNDO"))});
    menu.at = QPoint(50, 50);
    auto driver = DialogDriver([] { return QApplication::activePopupWidget(); },
                               [](QWidget& popup) { QTest::keyClick(&popup, Qt::Key_Escape); });
    platform::QtPrompter prompter;
    EXPECT_EQ(prompter.popupMenu(menu), std::nullopt);
    EXPECT_TRUE(driver.acted());
}

TEST(QtPrompterModal, RunsUntilTheWindowHidesAndRestoresItsModality)
{
    platform::testing::FakeModalWindow window(QStringLiteral("条件"));
    Qt::WindowModality during = Qt::NonModal;
    auto driver = DialogDriver([&window] { return &window.widget(); }, [&](QWidget& shown) {
        during = shown.windowModality();
        shown.hide();
    });
    platform::QtPrompter prompter;
    prompter.runModal(window);
    EXPECT_TRUE(driver.acted());
    EXPECT_EQ(during, Qt::ApplicationModal);
    EXPECT_EQ(window.widget().windowModality(), Qt::NonModal);
    EXPECT_EQ(window.shows, 1);
    EXPECT_FALSE(window.modalIsOpen());
}

TEST(QtPrompterDefault, BecomesThePrompterWhenNoneIsInstalledAndLeavesAnInstalledOne)
{
    std::unique_ptr<platform::Prompter> previous = platform::setPrompter(nullptr);
    platform::setDefaultPrompterFactory(nullptr);
    EXPECT_EQ(dynamic_cast<platform::QtPrompter*>(&platform::prompter()), nullptr) << "no dialogs unless asked";

    platform::setPrompter(nullptr);
    platform::useQtPrompterByDefault();
    platform::useQtPrompterByDefault();
    EXPECT_NE(dynamic_cast<platform::QtPrompter*>(&platform::prompter()), nullptr);
    // The real box, answered by a click, through the free function.
    auto driver = DialogDriver::modal([](QWidget& shown) {
        auto& box = dynamic_cast<QMessageBox&>(shown);
        for (QAbstractButton* button : box.buttons()) {
            if (button->text() == platform::messageButtonText(MsgResult::Yes))
                button->click();
        }
    });
    EXPECT_EQ(platform::MsgBox(QStringLiteral("削除しますか？"), MsgButtons::YesNo), MsgResult::Yes);
    EXPECT_TRUE(driver.acted());

    {
        platform::testing::GTestScriptedPrompter script;
        script->expectMessage(MsgResult::No, QStringLiteral("削除しますか？"));
        platform::useQtPrompterByDefault();
        EXPECT_EQ(platform::MsgBox(QStringLiteral("削除しますか？"), MsgButtons::YesNo), MsgResult::No);
    }
    platform::setDefaultPrompterFactory(nullptr);
    platform::setPrompter(std::move(previous));
}

}  // namespace
