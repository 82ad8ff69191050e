// SPDX-License-Identifier: LicenseRef-Tavelcor
// The drive type of the place a file lies on, as the programs' raster code
// asks it: there are no drive letters here, so the file system that holds
// the path answers.
//
// Codes: 0 unknown, 1 removable, 2 fixed, 3 network, 4 CD-ROM (optical
// media), 5 RAM disk. Callers rely on 3 (a network file system, whose files
// they copy to a local folder first); this stand-in never answers 0 or 1.
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace platform {

inline constexpr int kDriveFixed = 2;
inline constexpr int kDriveNetwork = 3;
inline constexpr int kDriveOptical = 4;
inline constexpr int kDriveRam = 5;

// The drive type code of a file system given by its statfs magic number
// (f_type): 3 for NFS, CIFS/SMB, AFS, Coda, NCP, 9P, Ceph, GFS2, OCFS2 and
// Lustre, 5 for tmpfs and ramfs, 4 for ISO 9660 and UDF, 2 for any other.
// A FUSE file system is told by its mount type name (`typeName`, as the
// mount table gives it, "fuse.sshfs"): 3 for the remote ones (sshfs,
// rclone, s3fs, curlftpfs, the desktop's gvfs shares), else 2.
int driveTypeOfFileSystem(quint64 magic, QStringView typeName = {});

// The drive type code of the file system that holds `path` (a file or a
// folder; for a file its folder is asked). nullopt when the path does not
// exist or the file system cannot be asked: an error for the caller.
std::optional<int> driveType(const QString& path);

}  // namespace platform
