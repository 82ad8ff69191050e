// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the import tests: fresh tables, a temporary site folder
// (SiteFolder) and work folder (WorkFolder), a scripted prompter that fails
// the test on any message it was not told about, and helpers that write
// CP932 or UTF-8 files there.
#pragma once

#include "main/site/tables.h"
#include "platform/prompt/testing.h"
#include "platform/text/cp932.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor::importtest {

// The stored fixtures of these tests.
inline QString fixturePath(const QString& name)
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/main/site_import/") + name;
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// lines in CP932, each followed by CR LF.
inline QByteArray cp932Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += platform::toCp932(line) + "\r\n";
    return bytes;
}

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        ASSERT_TRUE(mSite.isValid());
        ASSERT_TRUE(mWork.isValid());
        SiteFolder = mSite.path() + u'/';
        WorkFolder = mWork.path();
    }

    QString sitePath(const QString& name) const { return mSite.filePath(name); }
    QString workPath(const QString& name) const { return mWork.filePath(name); }

    void writeSiteLines(const QString& name, const QStringList& lines)
    {
        ASSERT_TRUE(writeBytes(sitePath(name), cp932Lines(lines))) << name.toStdString();
    }
    void writeSiteBytes(const QString& name, const QByteArray& bytes)
    {
        ASSERT_TRUE(writeBytes(sitePath(name), bytes)) << name.toStdString();
    }

    // Copies every file of the stored fixture folder sub into the site folder.
    void copyFixtureFolder(const QString& sub)
    {
        const QDir from(fixturePath(sub));
        ASSERT_TRUE(from.exists()) << from.path().toStdString();
        for (const QString& name : from.entryList(QDir::Files)) {
            QFile::remove(sitePath(name));
            ASSERT_TRUE(QFile::copy(from.filePath(name), sitePath(name))) << name.toStdString();
        }
    }

    platform::testing::GTestScriptedPrompter mScript;
    QTemporaryDir mSite;
    QTemporaryDir mWork;
};

}  // namespace tavelcor::importtest
