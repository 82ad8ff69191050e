// SPDX-License-Identifier: LicenseRef-Tavelcor
// Starting companion programs: the system's starter runs a real program
// detached in its own folder; a test's starter replaces it for a scope.
#include "platform/system/processes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A shell script that writes its working folder and arguments to "ran.txt".
QString writeScript(const QTemporaryDir& dir, bool executable)
{
    const QString path = dir.filePath(QStringLiteral("companion"));
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\npwd > ran.tmp\necho \"$@\" >> ran.tmp\nmv ran.tmp ran.txt\n");
    script.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    EXPECT_TRUE(QFile::setPermissions(path, permissions));
    return path;
}

bool waitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return QFileInfo::exists(path);
}

TEST(ProcessStarter, SystemStarterRunsTheProgramInItsOwnFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = writeScript(dir, true);
    platform::ProcessStarter& starter = platform::processStarter();
    ASSERT_TRUE(starter.isStartable(program));
    ASSERT_TRUE(starter.startDetached(program, {QStringLiteral("a"), QStringLiteral("b")}));
    const QString ran = dir.filePath(QStringLiteral("ran.txt"));
    ASSERT_TRUE(waitForFile(ran));
    QFile result(ran);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = result.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(QFileInfo(QString::fromLocal8Bit(lines[0])).canonicalFilePath(),
              QFileInfo(dir.path()).canonicalFilePath());
    EXPECT_EQ(lines[1], "a b");
}

TEST(ProcessStarter, MissingOrNotExecutableProgramIsNotStartable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    platform::ProcessStarter& starter = platform::processStarter();
    const QString missing = dir.filePath(QStringLiteral("kintab"));
    EXPECT_FALSE(starter.isStartable(missing));
    EXPECT_FALSE(starter.startDetached(missing, {}));
    const QString plain = writeScript(dir, false);
    EXPECT_FALSE(starter.isStartable(plain));
    EXPECT_FALSE(starter.isStartable(dir.path())) << "a folder is no program";
}

TEST(ProcessStarter, ScopedStarterReplacesTheSystemsForItsLifetime)
{
    platform::ProcessStarter* system = &platform::processStarter();
    platform::RecordingProcessStarter recording;
    recording.install(QStringLiteral("/opt/kintab"));
    {
        platform::ScopedProcessStarter scope(recording);
        ASSERT_EQ(&platform::processStarter(), &recording);
        EXPECT_TRUE(platform::processStarter().startDetached(QStringLiteral("/opt/kintab"), {}));
        EXPECT_FALSE(platform::processStarter().startDetached(QStringLiteral("/opt/orbela"), {}));
    }
    EXPECT_EQ(&platform::processStarter(), system);
    const std::vector<platform::RecordingProcessStarter::Start> expected{
        {QStringLiteral("/opt/kintab"), {}}, {QStringLiteral("/opt/orbela"), {}}};
    EXPECT_EQ(recording.starts(), expected);
}

}  // namespace
