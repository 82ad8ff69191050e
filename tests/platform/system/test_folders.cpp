// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/folders.h"

#include "scoped_env.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using testing_support::ScopedEnv;

TEST(ProgramFolder, ComesFromTavelcorHomeAndIsCreated)
{
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    const QString wanted = base.path() + QStringLiteral("/prog/deeper");
    ScopedEnv home("TAVELCOR_HOME", wanted);
    ASSERT_FALSE(QFileInfo(wanted).exists());

    EXPECT_EQ(platform::programFolder(), wanted);
    EXPECT_TRUE(QFileInfo(wanted).isDir());
}

TEST(ProgramFolder, TrailingSlashOfTheVariableIsDropped)
{
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    ScopedEnv home("TAVELCOR_HOME", base.path() + QStringLiteral("/p//"));
    EXPECT_EQ(platform::programFolder(), base.path() + QStringLiteral("/p"));
}

TEST(ProgramFolder, WithoutTheVariableLiesInTheUsersDataFolder)
{
    QTemporaryDir fakeHome;
    ASSERT_TRUE(fakeHome.isValid());
    ScopedEnv home("HOME", fakeHome.path());
    ScopedEnv unset("TAVELCOR_HOME", QString());  // empty counts as unset

    const QString expected = fakeHome.path() + QStringLiteral("/.local/share/tavelcor");
    EXPECT_EQ(platform::programFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

// The work folder and the raster copies lie in a folder of the user's own,
// made with mode 0700: the temporary folder is shared by all users.
QFileDevice::Permissions ownerOnly()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser
           | QFileDevice::WriteUser | QFileDevice::ExeUser;
}

QString userId()
{
    return QString::number(::geteuid());
}

TEST(WorkFolders, LieInTheUsersRuntimeFolderWhenThereIsOne)
{
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    ScopedEnv xdg("XDG_RUNTIME_DIR", runtime.path());

    const QString own = runtime.path() + QStringLiteral("/tavelcor");
    EXPECT_EQ(platform::workFolder(), own + QStringLiteral("/Eld"));
    EXPECT_EQ(platform::localRasterFolder(), own + QStringLiteral("/TVXTEMP"));
    EXPECT_TRUE(QFileInfo(own).isDir());
    EXPECT_EQ(QFileInfo(own).permissions(), ownerOnly());
    EXPECT_FALSE(QFileInfo(platform::workFolder()).exists());
    EXPECT_FALSE(QFileInfo(platform::localRasterFolder()).exists());
}

TEST(WorkFolders, ElseLieInTheTemporaryFolderUnderTheUsersId)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ScopedEnv tmpdir("TMPDIR", tmp.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", QString());  // empty counts as unset

    const QString own = tmp.path() + QStringLiteral("/tavelcor-") + userId();
    EXPECT_EQ(platform::workFolder(), own + QStringLiteral("/Eld"));
    EXPECT_EQ(platform::localRasterFolder(), own + QStringLiteral("/TVXTEMP"));
    EXPECT_EQ(QFileInfo(own).permissions(), ownerOnly());
}

TEST(WorkFolders, TheUsersFolderIsClosedToOthersWhenItWasOpen)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ScopedEnv tmpdir("TMPDIR", tmp.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", QString());
    const QString own = tmp.path() + QStringLiteral("/tavelcor-") + userId();
    ASSERT_TRUE(QDir().mkpath(own));
    ASSERT_EQ(::chmod(QFile::encodeName(own).constData(), 0777), 0);

    EXPECT_EQ(platform::workFolder(), own + QStringLiteral("/Eld"));
    EXPECT_EQ(QFileInfo(own).permissions(), ownerOnly());
}

// A folder of that name that is not the user's own (made by another user, or
// a link planted there) is never used: the work folder then lies in a new
// folder of the user's own.
TEST(WorkFolders, AFolderOfThatNameThatIsNotTheUsersIsNotUsed)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ScopedEnv tmpdir("TMPDIR", tmp.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", QString());
    const QString planted = tmp.path() + QStringLiteral("/tavelcor-") + userId();
    const QString elsewhere = tmp.path() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, planted));

    const QString work = platform::workFolder();
    EXPECT_FALSE(work.startsWith(planted + u'/')) << work.toStdString();
    EXPECT_TRUE(work.endsWith(QStringLiteral("/Eld"))) << work.toStdString();
    const QString own = QFileInfo(work).path();
    EXPECT_TRUE(QFileInfo(own).isDir());
    EXPECT_FALSE(QFileInfo(own).isSymLink());
    EXPECT_EQ(QFileInfo(own).permissions(), ownerOnly());
    EXPECT_EQ(platform::localRasterFolder(), own + QStringLiteral("/TVXTEMP")) << "the same folder for both";
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

TEST(WorkFolders, AFolderOfAnotherUserIsNotUsed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a folder to another user";
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ScopedEnv tmpdir("TMPDIR", tmp.path());
    ScopedEnv xdg("XDG_RUNTIME_DIR", QString());
    const QString others = tmp.path() + QStringLiteral("/tavelcor-") + userId();
    ASSERT_TRUE(QDir().mkpath(others));
    ASSERT_EQ(::chown(QFile::encodeName(others).constData(), 12345, 12345), 0);

    const QString work = platform::workFolder();
    EXPECT_FALSE(work.startsWith(others + u'/')) << work.toStdString();
    EXPECT_EQ(QFileInfo(QFileInfo(work).path()).ownerId(), ::geteuid());
}

TEST(WorkFolders, EnsureFolderMakesParentsAndRefusesEmpty)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString deep = tmp.path() + QStringLiteral("/a/b/Eld");
    EXPECT_TRUE(platform::ensureFolder(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(platform::ensureFolder(deep));  // again: already there
    EXPECT_FALSE(platform::ensureFolder(QString()));
}

TEST(WorkFolders, EnsureFolderFailsWhereAFileStands)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString file = tmp.path() + QStringLiteral("/Eld");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(platform::ensureFolder(file));
}

TEST(ExecutableFolder, HoldsTheRunningTestProgram)
{
    const QString folder = platform::executableFolder();
    EXPECT_FALSE(folder.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/test_platform_system")).isFile()) << folder.toStdString();
}

}  // namespace
