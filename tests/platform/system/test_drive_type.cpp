// SPDX-License-Identifier: LicenseRef-Tavelcor
// Drive types from the file system a path lies on: the magic-number table,
// and real folders of this machine.
#include "platform/system/drive_type.h"

#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct FileSystemRow {
    const char* name;
    quint64 magic;
    const char16_t* typeName;
    int expected;
};

class FileSystemTable : public testing::TestWithParam<FileSystemRow> {};

TEST_P(FileSystemTable, GivesTheDriveTypeCode)
{
    const FileSystemRow& row = GetParam();
    EXPECT_EQ(platform::driveTypeOfFileSystem(row.magic, QStringView(row.typeName)), row.expected) << row.name;
}

// Magic numbers as linux/magic.h and the file systems' headers give them.
INSTANTIATE_TEST_SUITE_P(
    Magic, FileSystemTable,
    testing::Values(FileSystemRow{"nfs", 0x6969, u"nfs4", 3}, FileSystemRow{"cifs", 0xFF534D42, u"cifs", 3},
                    FileSystemRow{"smb3", 0xFE534D42, u"smb3", 3}, FileSystemRow{"smb_old", 0x517B, u"smbfs", 3},
                    FileSystemRow{"ninep", 0x01021997, u"9p", 3}, FileSystemRow{"ceph", 0x00C36400, u"ceph", 3},
                    FileSystemRow{"tmpfs", 0x01021994, u"tmpfs", 5}, FileSystemRow{"ramfs", 0x858458F6, u"ramfs", 5},
                    FileSystemRow{"iso9660", 0x9660, u"iso9660", 4}, FileSystemRow{"udf", 0x15013346, u"udf", 4},
                    FileSystemRow{"ext4", 0xEF53, u"ext4", 2}, FileSystemRow{"btrfs", 0x9123683E, u"btrfs", 2},
                    FileSystemRow{"overlay", 0x794C7630, u"overlay", 2},
                    FileSystemRow{"sshfs", 0x65735546, u"fuse.sshfs", 3},
                    FileSystemRow{"gvfs_share", 0x65735546, u"fuse.gvfsd-fuse", 3},
                    FileSystemRow{"ntfs3g_local_fuse", 0x65735546, u"fuseblk", 2},
                    FileSystemRow{"fuse_without_name", 0x65735546, u"", 2}),
    [](const testing::TestParamInfo<FileSystemRow>& info) { return std::string(info.param.name); });

TEST(DriveType, SharedMemoryFolderIsARamDisk)
{
    if (QStorageInfo(QStringLiteral("/dev/shm")).fileSystemType() != "tmpfs")
        GTEST_SKIP() << "/dev/shm is not a tmpfs on this machine";
    EXPECT_EQ(platform::driveType(QStringLiteral("/dev/shm")), 5);
}

TEST(DriveType, BuildFolderIsAFixedDrive)
{
    const QString type = QString::fromUtf8(QStorageInfo(QStringLiteral(TAVELCOR_BUILD_DIR)).fileSystemType());
    if (type == QStringLiteral("tmpfs") || type.startsWith(QStringLiteral("nfs")))
        GTEST_SKIP() << "the build folder lies on " << type.toStdString();
    EXPECT_EQ(platform::driveType(QStringLiteral(TAVELCOR_BUILD_DIR)), 2);
}

TEST(DriveType, AFileIsAnsweredByItsFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("raster.bmp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(platform::driveType(file.fileName()), platform::driveType(dir.path()));
    EXPECT_TRUE(platform::driveType(file.fileName()).has_value());
}

TEST(DriveType, MissingPathIsAnError)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(platform::driveType(dir.filePath(QStringLiteral("missing/raster.bmp"))), std::nullopt);
    EXPECT_EQ(platform::driveType(dir.filePath(QStringLiteral("missing"))), std::nullopt);
    EXPECT_EQ(platform::driveType(QString()), std::nullopt);
}

}  // namespace
