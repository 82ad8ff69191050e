// SPDX-License-Identifier: LicenseRef-Tavelcor
// The programs the desktop registers for file types, on a desktop of the
// test's own (desktop_registry.h): the MIME type of an extension, the desktop
// file xdg-mime names, its Exec line in the form of a registered command
// line, and opening a document through xdg-open.
#include "platform/system/documents.h"

#include "desktop_registry.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kKmlType = QStringLiteral("application/vnd.google-earth.kml+xml");

QByteArray readWhenWritten(const QString& path, int timeoutMs = 20000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

TEST(MimeTypeOfExtension, KnowsKmlInEitherCaseAndNothingElse)
{
    EXPECT_EQ(platform::mimeTypeOfExtension(QStringLiteral(".KML")), kKmlType);
    EXPECT_EQ(platform::mimeTypeOfExtension(QStringLiteral(".kml")), kKmlType);
    // No type for what is no plain extension: the text after a dot in a
    // folder name, a bare dot, no dot at all.
    EXPECT_EQ(platform::mimeTypeOfExtension(QStringLiteral(".d/Tavelcor")), QString());
    EXPECT_EQ(platform::mimeTypeOfExtension(QStringLiteral(".")), QString());
    EXPECT_EQ(platform::mimeTypeOfExtension(QStringLiteral("KML")), QString());
    EXPECT_EQ(platform::mimeTypeOfExtension(QStringLiteral(".nosuchextension")), QString());
}

struct ExecRow {
    const char* name;
    const char16_t* exec;
    const char16_t* command;
};

class ExecLines : public testing::TestWithParam<ExecRow> {};

TEST_P(ExecLines, BecomeRegisteredCommandLines)
{
    EXPECT_EQ(platform::execLineAsCommand(QString::fromUtf16(GetParam().exec)),
              QString::fromUtf16(GetParam().command));
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ExecLines,
    testing::Values(ExecRow{"file", u"googleearth %f", u"googleearth %1"},
                    ExecRow{"files", u"/opt/google/earth/pro/googleearth %F", u"/opt/google/earth/pro/googleearth %1"},
                    ExecRow{"url", u"viewer --open %u", u"viewer --open %1"},
                    ExecRow{"urls_quoted", u"viewer \"%U\"", u"viewer \"%1\""},
                    ExecRow{"percent", u"viewer 100%% %f", u"viewer 100% %1"},
                    ExecRow{"other_codes_dropped", u"viewer %i %c %k %f", u"viewer    %1"},
                    ExecRow{"no_code", u"viewer", u"viewer"},
                    ExecRow{"unknown_code_kept", u"viewer %x", u"viewer %x"},
                    ExecRow{"lone_percent_at_end", u"viewer %", u"viewer %"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesktopFiles, ExecLineOfTheDesktopEntryGroupWithEscapesDecoded)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/v.desktop");
    ASSERT_TRUE(writeText(path, "# comment\n[Desktop Action New]\nExec=other %f\n"
                                "[Desktop Entry]\nName=V\nExecutable=no\nExec = \"/opt/My\\sViewer/v\" \\\\x %f\n"));
    EXPECT_EQ(platform::desktopExecLine(path), QStringLiteral("\"/opt/My Viewer/v\" \\x %f"));

    ASSERT_TRUE(writeText(path, "[Desktop Entry]\nName=V\n[Desktop Action New]\nExec=other %f\n"));
    EXPECT_FALSE(platform::desktopExecLine(path).has_value());
    EXPECT_FALSE(platform::desktopExecLine(dir.path() + QStringLiteral("/missing.desktop")).has_value());
}

TEST(DesktopFiles, FoundByIdInTheDataFolders)
{
    testing_support::ScopedDesktopRegistry desktop;
    ASSERT_TRUE(desktop.isValid());
    const QString direct = desktop.path(QStringLiteral("data/applications/viewer.desktop"));
    const QString vendor = desktop.path(QStringLiteral("data/applications/acme/globe.desktop"));
    ASSERT_TRUE(writeText(direct, "[Desktop Entry]\nExec=viewer %f\n"));
    ASSERT_TRUE(writeText(vendor, "[Desktop Entry]\nExec=globe %f\n"));
    EXPECT_EQ(platform::desktopFilePath(QStringLiteral("viewer.desktop")), direct);
    EXPECT_EQ(platform::desktopFilePath(QStringLiteral("acme-globe.desktop")), vendor);
    EXPECT_EQ(platform::desktopFilePath(QStringLiteral("nothing-here.desktop")), QString());
    EXPECT_EQ(platform::desktopFilePath(QStringLiteral("../applications/viewer.desktop")), QString());
    EXPECT_EQ(platform::desktopFilePath(QString()), QString());
}

TEST(RegisteredOpenCommand, IsTheExecLineOfTheDefaultApplication)
{
    testing_support::ScopedDesktopRegistry desktop;
    ASSERT_TRUE(desktop.isValid());
    EXPECT_EQ(platform::registeredOpenCommand(QStringLiteral(".KML")), QString());  // nothing registered

    ASSERT_TRUE(desktop.registerDefault(kKmlType, QStringLiteral("google-earth.desktop"),
                                        QStringLiteral("/opt/google/earth/googleearth %f")));
    EXPECT_EQ(platform::defaultApplicationId(kKmlType), QStringLiteral("google-earth.desktop"));
    EXPECT_EQ(platform::registeredOpenCommand(QStringLiteral(".KML")),
              QStringLiteral("/opt/google/earth/googleearth %1"));
    EXPECT_EQ(platform::registeredOpenCommand(QStringLiteral(".kml")),
              QStringLiteral("/opt/google/earth/googleearth %1"));
    EXPECT_EQ(platform::registeredOpenCommand(QStringLiteral(".d/Tavelcor")), QString());
}

TEST(RegisteredOpenCommand, ADefaultWithoutItsDesktopFileGivesNothing)
{
    testing_support::ScopedDesktopRegistry desktop;
    ASSERT_TRUE(desktop.isValid());
    ASSERT_TRUE(desktop.registerDefault(kKmlType, QStringLiteral("gone.desktop"), QStringLiteral("gone %f")));
    ASSERT_TRUE(QFile::remove(desktop.path(QStringLiteral("data/applications/gone.desktop"))));
    EXPECT_EQ(platform::registeredOpenCommand(QStringLiteral(".KML")), QString());
}

// xdg-open hands the file to the registered program as one argument, however
// many blanks its path holds, and returns without waiting for it.
TEST(OpenDocument, StartsTheRegisteredProgramWithThePath)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        << "xdg-open (Debian package xdg-utils) is installed by scripts/install-packages";
    testing_support::ScopedDesktopRegistry desktop;
    ASSERT_TRUE(desktop.isValid());
    ASSERT_TRUE(desktop.addRecordingProgram(QStringLiteral("globeviewer")));
    ASSERT_TRUE(desktop.registerDefault(kKmlType, QStringLiteral("globeviewer.desktop"),
                                        QStringLiteral("globeviewer %f")));
    const QString file = desktop.path(QStringLiteral("my site/Tavelcor.KML"));
    ASSERT_TRUE(writeText(file, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Folder/></kml>"));

    EXPECT_TRUE(platform::openDocument(file));
    EXPECT_EQ(readWhenWritten(desktop.record(QStringLiteral("globeviewer"))), "1\n" + file.toUtf8() + "\n");
}

}  // namespace
