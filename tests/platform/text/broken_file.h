// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: while an object lives, one file cannot be read whole. Its
// reading through platform::TextFileReader fails once `failAfter` bytes of
// it were read (as on a USB stick pulled out or a network share that
// dropped), or, without failAfter, the file cannot be opened at all. The
// file on disk is left as it is; other files read as they are.
#pragma once

#include "chunked_device.h"
#include "platform/text/textfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <memory>
#include <optional>

class BrokenFile {
public:
    BrokenFile(const QString& path, std::optional<qint64> failAfter)
        : mStandIn([target = cleanPath(path), failAfter, this](const QString& opened) -> std::unique_ptr<QIODevice> {
              if (cleanPath(opened) != target)
                  return nullptr;
              ++mOpens;
              if (!failAfter)
                  return std::make_unique<QBuffer>();  // never opened: isOpen() is false
              QFile file(opened);
              if (!file.open(QIODevice::ReadOnly))
                  return nullptr;
              return std::make_unique<ChunkedDevice>(file.readAll(), kChunk, *failAfter);
          })
    {
    }

    // How often a reader asked for the file.
    int opens() const { return mOpens; }

private:
    static constexpr qint64 kChunk = 5;  // bytes per read: lines fall across reads

    static QString cleanPath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

    int mOpens = 0;
    platform::ScopedReadDeviceStandIn mStandIn;
};
