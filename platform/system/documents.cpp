// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/documents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStringList>

namespace platform {
namespace {

constexpr int kQueryTimeoutMs = 10000;

// The folders whose "applications" subfolders hold desktop files, most
// important first.
QStringList dataFolders()
{
    QStringList folders;
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share");
    folders << home;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(u':', Qt::SkipEmptyParts))
        folders << dir;
    return folders;
}

// The file in folder whose id is id: the id itself, or a "-" of it read as a
// subfolder separator ("vendor-app.desktop" is "vendor/app.desktop").
QString findById(const QString& folder, const QString& id)
{
    const QString direct = folder + u'/' + id;
    if (QFileInfo(direct).isFile())
        return direct;
    for (qsizetype dash = id.indexOf(u'-'); dash > 0; dash = id.indexOf(u'-', dash + 1)) {
        const QString sub = folder + u'/' + id.left(dash);
        if (QFileInfo(sub).isDir()) {
            const QString found = findById(sub, id.mid(dash + 1));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

// A desktop file's string value with its escapes decoded.
QString unescapedValue(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u's': out += u' '; break;
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'r': out += u'\r'; break;
        case u'\\': out += u'\\'; break;
        default:
            out += c;
            out += next;
        }
    }
    return out;
}

}  // namespace

QString mimeTypeOfExtension(const QString& extension)
{
    if (extension.size() < 2 || !extension.startsWith(u'.') || extension.contains(u'/'))
        return {};
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QStringLiteral("file") + extension);
    return types.isEmpty() ? QString() : types.first().name();
}

QString defaultApplicationId(const QString& mimeType)
{
    if (mimeType.isEmpty())
        return {};
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForStarted(kQueryTimeoutMs))
        return {};
    if (!process.waitForFinished(kQueryTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    const QString answer = QString::fromLocal8Bit(process.readAllStandardOutput());
    return answer.section(u'\n', 0, 0).trimmed();
}

QString desktopFilePath(const QString& desktopId)
{
    if (desktopId.isEmpty() || desktopId.contains(u'/') || desktopId.startsWith(u'.'))
        return {};
    for (const QString& folder : dataFolders()) {
        const QString found = findById(folder + QStringLiteral("/applications"), desktopId);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

std::optional<QString> desktopExecLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == u"[Desktop Entry]";
            continue;
        }
        if (!inEntry || !line.startsWith(u"Exec"))
            continue;
        const QStringView rest = QStringView(line).mid(4).trimmed();
        if (rest.startsWith(u'='))
            return unescapedValue(rest.mid(1).trimmed());
    }
    return std::nullopt;
}

QString execLineAsCommand(const QString& exec)
{
    QString out;
    out.reserve(exec.size());
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c != u'%' || i + 1 == exec.size()) {
            out += c;
            continue;
        }
        const QChar code = exec[++i];
        if (code == u'f' || code == u'F' || code == u'u' || code == u'U')
            out += QStringLiteral("%1");
        else if (code == u'%')
            out += u'%';
        else if (!QStringView(u"icdDnNvmk").contains(code)) {
            out += c;  // not a field code: kept as written
            out += code;
        }
    }
    return out;
}

QString registeredOpenCommand(const QString& extension)
{
    const QString id = defaultApplicationId(mimeTypeOfExtension(extension));
    if (id.isEmpty())
        return {};
    const QString path = desktopFilePath(id);
    if (path.isEmpty())
        return {};
    const std::optional<QString> exec = desktopExecLine(path);
    return exec ? execLineAsCommand(*exec) : QString();
}

bool openDocument(const QString& pathOrUrl)
{
    return QProcess::startDetached(QStringLiteral("xdg-open"), {pathOrUrl});
}

namespace {

class DesktopUrlOpener final : public UrlOpener {
public:
    bool open(const QString& url) override { return openDocument(url); }
};

UrlOpener*& installedUrlOpener()
{
    static DesktopUrlOpener desktop;
    static UrlOpener* current = &desktop;
    return current;
}

}  // namespace

bool openUrl(const QString& url)
{
    return installedUrlOpener()->open(url);
}

ScopedUrlOpener::ScopedUrlOpener(UrlOpener& opener) : mPrevious(installedUrlOpener())
{
    installedUrlOpener() = &opener;
}

ScopedUrlOpener::~ScopedUrlOpener()
{
    installedUrlOpener() = mPrevious;
}

}  // namespace platform
