// SPDX-License-Identifier: LicenseRef-Tavelcor
// "A window titled X exists" and single instance, over real local sockets
// and lock files in a temporary program folder.
#include "platform/system/window_presence.h"

#include "scoped_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

using testing_support::ScopedEnv;

class WindowPresenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        mGuard.emplace("TAVELCOR_HOME", mHome.path());
    }

    QString home() const { return mHome.path(); }

private:
    QTemporaryDir mHome;
    std::optional<ScopedEnv> mGuard;
};

TEST_F(WindowPresenceTest, TitleExistsExactlyWhileAnnounced)
{
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
    {
        platform::WindowPresence presence(QStringLiteral("KINTAB"));
        ASSERT_TRUE(presence.announce());
        EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));
        // The keypad window's caption is another title; titles compare exactly.
        EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB1.43"), 200));
        EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("kintab"), 200));
    }
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
}

TEST_F(WindowPresenceTest, OtherProgramFolderDoesNotSeeTheTitle)
{
    platform::WindowPresence presence(QStringLiteral("KINTAB"));
    ASSERT_TRUE(presence.announce());
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    ScopedEnv otherHome("TAVELCOR_HOME", other.path());
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
}

TEST_F(WindowPresenceTest, SecondAnnouncementOfOneTitleFails)
{
    platform::WindowPresence first(QStringLiteral("ORBELA"));
    ASSERT_TRUE(first.announce());
    platform::WindowPresence second(QStringLiteral("ORBELA"));
    EXPECT_FALSE(second.announce());
    EXPECT_FALSE(second.announce(true));  // a live server is never taken over
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("ORBELA")));
}

TEST_F(WindowPresenceTest, SingleInstanceHoldsTheLockAndAnnouncesTheTitle)
{
    std::unique_ptr<platform::SingleInstance> first =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isAnnounced());
    EXPECT_TRUE(QFile::exists(home() + QStringLiteral("/KINTAB.lock")));
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));

    EXPECT_EQ(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr);

    first.reset();
    EXPECT_FALSE(platform::windowTitledExists(QStringLiteral("KINTAB"), 200));
    EXPECT_FALSE(QFile::exists(home() + QStringLiteral("/KINTAB.lock")));
    EXPECT_NE(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr);
}

TEST_F(WindowPresenceTest, LeftoverServerNameIsTakenOverOnlyUnderTheLock)
{
    // A program that died leaves its socket name behind.
    const QString leftover = QDir::tempPath() + QLatin1Char('/')
                             + platform::presenceServerName(QStringLiteral("KINTAB"));
    {
        QFile file(leftover);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    platform::WindowPresence plain(QStringLiteral("KINTAB"));
    EXPECT_FALSE(plain.announce());

    std::unique_ptr<platform::SingleInstance> instance =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    ASSERT_NE(instance, nullptr);
    EXPECT_TRUE(instance->isAnnounced());
    EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB")));
    instance.reset();
    QFile::remove(leftover);
}

// A program folder that cannot be written is no sign of another instance:
// the program runs without the lock, and its announced title keeps it single.
TEST_F(WindowPresenceTest, AFolderThatCannotBeWrittenRunsWithoutTheLockAndStaysSingle)
{
    QFile plain(home() + QStringLiteral("/plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString readOnly = home() + QStringLiteral("/read-only");
    ASSERT_TRUE(QDir().mkpath(readOnly));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    struct Row {
        const char* why;
        QString folder;
    };
    const Row rows[] = {
        {"a plain file stands in its path", home() + QStringLiteral("/plain/home")},
        {"the file system refuses new files", QStringLiteral("/sys")},
        {"the folder is read-only", readOnly},
    };
    for (const Row& row : rows) {
        ScopedEnv badHome("TAVELCOR_HOME", row.folder);
        if (QFile probe(row.folder + QStringLiteral("/probe")); probe.open(QIODevice::WriteOnly)) {
            probe.remove();  // the superuser writes into a read-only folder
            continue;
        }
        std::unique_ptr<platform::SingleInstance> first =
            platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
        ASSERT_NE(first, nullptr) << row.why;
        EXPECT_FALSE(first->holdsLock()) << row.why;
        EXPECT_TRUE(first->isAnnounced()) << row.why;
        EXPECT_TRUE(platform::windowTitledExists(QStringLiteral("KINTAB"))) << row.why;
        EXPECT_EQ(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr) << row.why;
        first.reset();
        EXPECT_NE(platform::SingleInstance::acquire(QStringLiteral("KINTAB")), nullptr) << row.why;
    }
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(WindowPresenceTest, AWritableFolderHoldsTheLock)
{
    std::unique_ptr<platform::SingleInstance> instance =
        platform::SingleInstance::acquire(QStringLiteral("ORBELA"));
    ASSERT_NE(instance, nullptr);
    EXPECT_TRUE(instance->holdsLock());
}

TEST(ProgramFolderMessage, NamesTheFolder)
{
    EXPECT_EQ(platform::programFolderNotWritableMessage(QStringLiteral("/media/usb/tavelcor")),
              QStringLiteral("プログラムフォルダ /media/usb/tavelcor に書き込めません。設定は保存されません。"));
}

}  // namespace
