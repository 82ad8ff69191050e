// SPDX-License-Identifier: LicenseRef-Tavelcor
// Documents and the programs the desktop registers for them, after the
// freedesktop.org conventions: the MIME type of a file-name extension, the
// command line registered for a type (the Exec line of the desktop file that
// `xdg-mime query default` names), and opening a document with its
// registered program (`xdg-open`).
//
// These stand in for the Windows registry's file associations and the
// shell's "open": the programs ask for the command registered for an
// extension, decide on its text, and let the desktop open the file. Web
// addresses go through a replaceable URL opener, so that tests see them
// without starting a browser.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The MIME type of files whose names end in extension (".kml"; letter case
// ignored), from the shared MIME database; "" when no type is known for it
// or extension is no plain extension (it does not start with "." or holds a
// "/").
QString mimeTypeOfExtension(const QString& extension);

// The desktop file id ("googleearth.desktop") of the default application
// for the MIME type: the answer of `xdg-mime query default <type>`. "" when
// none is registered, or xdg-mime is missing, fails or takes longer than
// 10 seconds.
QString defaultApplicationId(const QString& mimeType);

// The desktop file with that id in the "applications" folder of
// $XDG_DATA_HOME (default ~/.local/share) or of the folders of
// $XDG_DATA_DIRS (default /usr/local/share:/usr/share), the first found. An
// id "vendor-app.desktop" also names "vendor/app.desktop". "" when none
// exists or the id is not a plain file name.
QString desktopFilePath(const QString& desktopId);

// The value of the key Exec in the group [Desktop Entry] of a desktop file,
// with the escapes \s, \n, \t, \r and \\ decoded; nullopt when the file
// cannot be read or has no such key.
std::optional<QString> desktopExecLine(const QString& path);

// An Exec value in the form of the system's registered command lines: the
// file field codes %f, %F, %u and %U become %1 (the place of the file), %%
// becomes %, and the other field codes (%i, %c, %k and the deprecated %d,
// %D, %n, %N, %v, %m) are dropped.
QString execLineAsCommand(const QString& exec);

// The command line registered to open files with this extension: the Exec
// line, as execLineAsCommand gives it, of the default application for the
// extension's MIME type. "" when any step finds nothing.
QString registeredOpenCommand(const QString& extension);

// Opens a document or URL with the program the desktop registers for it
// (`xdg-open`), without waiting for that program. False when xdg-open could
// not be started.
bool openDocument(const QString& pathOrUrl);

// Opens a web address in the user's browser through the URL opener of this
// run: the desktop's (openDocument) unless a ScopedUrlOpener has installed
// another. Returns at once; false when the opener could not be started.
bool openUrl(const QString& url);

// What opens web addresses.
class UrlOpener {
public:
    UrlOpener() = default;
    UrlOpener(const UrlOpener&) = delete;
    UrlOpener& operator=(const UrlOpener&) = delete;
    virtual ~UrlOpener() = default;
    virtual bool open(const QString& url) = 0;
};

// Installs `opener` for its lifetime and puts the previous one back
// afterwards. The opener must outlive this object.
class ScopedUrlOpener {
public:
    explicit ScopedUrlOpener(UrlOpener& opener);
    ~ScopedUrlOpener();
    ScopedUrlOpener(const ScopedUrlOpener&) = delete;
    ScopedUrlOpener& operator=(const ScopedUrlOpener&) = delete;

private:
    UrlOpener* mPrevious;
};

// An opener that opens nothing and records every address asked of it
// (tests).
class RecordingUrlOpener final : public UrlOpener {
public:
    bool open(const QString& url) override
    {
        mUrls.append(url);
        return true;
    }
    const QStringList& urls() const { return mUrls; }

private:
    QStringList mUrls;
};

}  // namespace platform
