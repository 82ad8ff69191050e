// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "fuzz/support/fuzz_support.h"

#include "main/site/tables.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/modal_window.h"
#include "platform/prompt/prompter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace fuzz {
namespace {

// Closes every prompt without a choice, or answers Yes/No boxes with Yes
// when the case asked for it; counts the messages.
class QuietPrompter final : public platform::Prompter {
public:
    platform::MsgResult message(const platform::MessageRequest& request) override
    {
        ++mMessages;
        const bool yesOffered = request.buttons == platform::MsgButtons::YesNo
                                || request.buttons == platform::MsgButtons::YesNoCancel;
        if (mYes && yesOffered)
            return platform::MsgResult::Yes;
        return platform::neutralAnswer(request.buttons);
    }
    std::optional<QString> input(const platform::InputRequest&) override { return mInput; }
    std::optional<platform::FileChoice> file(const platform::FileRequest&) override { return std::nullopt; }
    std::optional<std::uint32_t> color(const platform::ColorRequest&) override { return std::nullopt; }
    std::optional<QString> printer(const platform::PrinterRequest&) override { return std::nullopt; }
    std::optional<platform::MenuPath> popupMenu(const platform::PopupMenuRequest&) override
    {
        return std::nullopt;
    }
    void runModal(platform::ModalWindow& window) override
    {
        if (window.modalIsOpen())
            window.modalClose();
    }

    void start()
    {
        mYes = false;
        mInput.reset();
        mMessages = 0;
    }
    void setYes(bool yes) { mYes = yes; }
    void setInput(const QString& text) { mInput = text; }
    int messages() const { return mMessages; }

private:
    bool mYes = false;
    std::optional<QString> mInput;
    int mMessages = 0;
};

struct Process {
    explicit Process(App kind)
    {
        if (kind == App::Widgets) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        // A folder in memory when the machine has one: the targets write
        // their input as a file for every case.
        const QString shm = QStringLiteral("/dev/shm");
        const QFileInfo info(shm);
        root = std::make_unique<QTemporaryDir>(
            (info.isDir() && info.isWritable() ? shm : QDir::tempPath()) + QStringLiteral("/tavelcor-fuzz-XXXXXX"));
        if (!root->isValid()) {
            std::fprintf(stderr, "fuzz: no temporary folder\n");
            std::abort();
        }
        site = root->path() + QStringLiteral("/site/");
        program = root->path() + QStringLiteral("/program/");
        QDir().mkpath(site);
        QDir().mkpath(program);
        auto owned = std::make_unique<QuietPrompter>();
        prompter = owned.get();
        platform::setPrompter(std::move(owned));
    }

    int argc = 1;
    char name[8] = "fuzz";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<QTemporaryDir> root;
    QString site;
    QString program;
    QuietPrompter* prompter = nullptr;
};

Process& process(App kind = App::Core)
{
    static Process p(kind);
    return p;
}

// Empties the site folder of what the last case left.
void clearSiteFolder()
{
    QDirIterator it(process().site, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

void startCase()
{
    resetSite();
    process().prompter->start();
}

}  // namespace

void resetSite()
{
    tavelcor::resetTables();
    tavelcor::SiteFolder = process().site;
    tavelcor::WorkFolder = process().program;
    tavelcor::WorkFolder.chop(1);
}

void setUpOnce(App app)
{
    (void)process(app);
}

const QString& siteFolder()
{
    return process().site;
}

const QString& programFolder()
{
    return process().program;
}

QString writeSiteFile(const QString& name, const std::uint8_t* data, std::size_t size, const QString& folder)
{
    return writeSiteFile(name, QByteArrayView(data, qsizetype(size)), folder);
}

QString writeSiteFile(const QString& name, QByteArrayView bytes, const QString& folder)
{
    const QString path = (folder.isEmpty() ? process().site : folder) + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void removeSiteFile(const QString& name)
{
    QFile::remove(process().site + name);
}

void destroyWindowsAtExit()
{
    static const bool registered = [] {
        std::atexit([] {
            platform::destroyAllForms();
            process().app.reset();
        });
        return true;
    }();
    (void)registered;
}

void answerYes(bool yes)
{
    process().prompter->setYes(yes);
}

void answerInput(const QString& text)
{
    process().prompter->setInput(text);
}

int messagesShown()
{
    return process().prompter->messages();
}

Case::Case()
{
    // The case before this one left the tables at their start values.
    static const bool first = [] {
        setUpOnce();
        startCase();
        return true;
    }();
    (void)first;
    process().prompter->start();
}

Case::~Case()
{
    clearSiteFolder();
    startCase();
}

std::uint8_t Bytes::take()
{
    return mPos < mSize ? mData[mPos++] : 0;
}

QByteArrayView Bytes::rest() const
{
    return QByteArrayView(reinterpret_cast<const char*>(mData + mPos), qsizetype(mSize - mPos));
}

QByteArrayView Bytes::takeBytes(std::size_t n)
{
    const std::size_t count = std::min(n, mSize - mPos);
    const QByteArrayView taken(reinterpret_cast<const char*>(mData + mPos), qsizetype(count));
    mPos += count;
    return taken;
}

void fail(const QString& what)
{
    std::fprintf(stderr, "fuzz: %s\n", qPrintable(what));
    std::abort();
}

}  // namespace fuzz
