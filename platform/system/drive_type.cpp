// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/drive_type.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <array>
#include <utility>

#include <sys/vfs.h>

namespace platform {

namespace {

// statfs magic numbers (linux/magic.h and the file systems' own headers).
constexpr quint64 kFuseMagic = 0x65735546;

constexpr std::array<std::pair<quint64, int>, 17> kMagicTable{{
    {0x6969, kDriveNetwork},        // NFS
    {0xFF534D42, kDriveNetwork},    // CIFS
    {0xFE534D42, kDriveNetwork},    // SMB2/SMB3
    {0x517B, kDriveNetwork},        // SMB (old)
    {0x5346414F, kDriveNetwork},    // AFS (OpenAFS)
    {0x6B414653, kDriveNetwork},    // AFS (kernel)
    {0x73757245, kDriveNetwork},    // Coda
    {0x564C, kDriveNetwork},        // NCP
    {0x01021997, kDriveNetwork},    // 9P
    {0x00C36400, kDriveNetwork},    // Ceph
    {0x01161970, kDriveNetwork},    // GFS2
    {0x7461636F, kDriveNetwork},    // OCFS2
    {0x0BD00BD0, kDriveNetwork},    // Lustre
    {0x01021994, kDriveRam},        // tmpfs
    {0x858458F6, kDriveRam},        // ramfs
    {0x9660, kDriveOptical},        // ISO 9660
    {0x15013346, kDriveOptical},    // UDF
}};

constexpr std::array<const char16_t*, 5> kRemoteFuse{
    u"fuse.sshfs", u"fuse.rclone", u"fuse.s3fs", u"fuse.curlftpfs", u"fuse.gvfsd-fuse",
};

}  // namespace

int driveTypeOfFileSystem(quint64 magic, QStringView typeName)
{
    for (const auto& [known, code] : kMagicTable) {
        if (known == magic)
            return code;
    }
    if (magic == kFuseMagic) {
        for (const char16_t* remote : kRemoteFuse) {
            if (typeName == QStringView(remote))
                return kDriveNetwork;
        }
    }
    return kDriveFixed;
}

std::optional<int> driveType(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return std::nullopt;
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    struct statfs fs {};
    if (statfs(QFile::encodeName(folder).constData(), &fs) != 0)
        return std::nullopt;
    const auto magic = static_cast<quint64>(static_cast<unsigned long>(fs.f_type)) & 0xFFFFFFFFULL;
    const QString typeName =
        magic == kFuseMagic ? QString::fromUtf8(QStorageInfo(folder).fileSystemType()) : QString();
    return driveTypeOfFileSystem(magic, typeName);
}

}  // namespace platform
