// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/folders.h"

#include "scoped_env.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

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

TEST(WorkFolders, LieInTheTemporaryFolderAndAreNotCreated)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ScopedEnv tmpdir("TMPDIR", tmp.path());

    EXPECT_EQ(platform::workFolder(), tmp.path() + QStringLiteral("/Eld"));
    EXPECT_EQ(platform::localRasterFolder(), tmp.path() + QStringLiteral("/TVXTEMP"));
    EXPECT_FALSE(QFileInfo(platform::workFolder()).exists());
    EXPECT_FALSE(QFileInfo(platform::localRasterFolder()).exists());
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
