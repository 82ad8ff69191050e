// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: a desktop of the test's own for the programs registered for
// file types. While the object lives, $XDG_CONFIG_HOME and $XDG_DATA_HOME
// (and $XDG_CONFIG_DIRS) point into a temporary folder, no desktop
// environment is named (so xdg-utils take their generic way), $DISPLAY is
// set (xdg-open opens files with the registered program only when there is
// a display; nothing here connects to it), and a folder of stand-in
// programs comes first on $PATH. Everything is put back when it goes.
#pragma once

#include "scoped_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <list>

namespace testing_support {

class ScopedDesktopRegistry {
public:
    ScopedDesktopRegistry()
    {
        if (!mRoot.isValid())
            return;
        for (const char* sub : {"config", "config-dirs", "data/applications", "bin"})
            QDir().mkpath(path(QString::fromLatin1(sub)));
        set("XDG_CONFIG_HOME", path(QStringLiteral("config")));
        set("XDG_CONFIG_DIRS", path(QStringLiteral("config-dirs")));
        set("XDG_DATA_HOME", path(QStringLiteral("data")));
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DE", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "BROWSER"})
            set(name, QString());
        set("DISPLAY", QStringLiteral(":tavelcor-test"));
        set("PATH", path(QStringLiteral("bin")) + u':' + qEnvironmentVariable("PATH"));
        mValid = writeMimeApps();
    }
    ScopedDesktopRegistry(const ScopedDesktopRegistry&) = delete;
    ScopedDesktopRegistry& operator=(const ScopedDesktopRegistry&) = delete;

    bool isValid() const { return mValid; }

    /// A path inside the test's desktop folder.
    QString path(const QString& relative) const { return mRoot.path() + u'/' + relative; }

    /// Writes the desktop file `id` with the Exec line `exec` (written as
    /// given, escapes included) and makes it the default for `mimeType`.
    bool registerDefault(const QString& mimeType, const QString& id, const QString& exec)
    {
        mDefaults += mimeType + u'=' + id + u'\n';
        const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Viewer\n") +
                              QStringLiteral("Exec=") + exec + QStringLiteral("\nMimeType=") + mimeType +
                              QStringLiteral(";\n");
        return writeText(path(QStringLiteral("data/applications/")) + id, entry) && writeMimeApps();
    }

    /// A stand-in program `name` on the path that writes the number of its
    /// arguments and then each argument, one per line, into record(name).
    bool addRecordingProgram(const QString& name)
    {
        const QString program = path(QStringLiteral("bin/")) + name;
        const QString script = QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '") + record(name) +
                               QStringLiteral(".part' && mv '") + record(name) + QStringLiteral(".part' '") +
                               record(name) + QStringLiteral("'\n");
        return writeText(program, script) &&
               QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    /// Where the stand-in program `name` records its arguments.
    QString record(const QString& name) const { return path(QStringLiteral("record-")) + name; }

private:
    void set(const char* name, const QString& value) { mEnv.emplace_back(name, value); }

    bool writeMimeApps()
    {
        return writeText(path(QStringLiteral("config/mimeapps.list")),
                         QStringLiteral("[Default Applications]\n") + mDefaults);
    }

    static bool writeText(const QString& file, const QString& text)
    {
        QFile f(file);
        const QByteArray bytes = text.toUtf8();
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }

    QTemporaryDir mRoot;
    std::list<ScopedEnv> mEnv;
    QString mDefaults;
    bool mValid = false;
};

}  // namespace testing_support
