// SPDX-License-Identifier: LicenseRef-Tavelcor
// A fixture for the site file tests: fresh tables, a temporary site folder
// (SiteFolder) and work folder (WorkFolder), a scripted prompter that fails
// the test on any message it was not told about, and helpers to write and
// read CP932 files with CR LF lines.
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

namespace tavelcor::testsupport {

// lines joined with CR LF after each line, in CP932.
inline QByteArray cp932Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += platform::toCp932(line) + "\r\n";
    return bytes;
}

inline QByteArray fileBytes(const QString& path)
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

// The folder of the stored fixtures of these tests.
inline QString fixtureFolder()
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/main/site");
}

class SiteFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTables();
        ASSERT_TRUE(mSite.isValid());
        ASSERT_TRUE(mWork.isValid());
        SiteFolder = mSite.path() + QStringLiteral("/");
        WorkFolder = mWork.path();
    }

    // resetTables() again, keeping this fixture's folders.
    void resetKeepingFolders()
    {
        resetTables();
        SiteFolder = mSite.path() + QStringLiteral("/");
        WorkFolder = mWork.path();
    }

    // Path of name in the site folder.
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
    QByteArray siteBytes(const QString& name) const { return fileBytes(sitePath(name)); }

    // The lines of a CP932 file of the site folder with CR LF ends; the test
    // fails when a line ends otherwise.
    QStringList siteLines(const QString& name) const
    {
        const QByteArray bytes = siteBytes(name);
        QStringList lines;
        qsizetype start = 0;
        while (start < bytes.size()) {
            const qsizetype end = bytes.indexOf("\r\n", start);
            if (end < 0) {
                ADD_FAILURE() << name.toStdString() << ": last line without CR LF";
                break;
            }
            const QByteArray line = bytes.mid(start, end - start);
            EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << name.toStdString();
            lines.append(platform::fromCp932(line));
            start = end + 2;
        }
        return lines;
    }

    // Copies the stored fixture folder fixtureFolder()/sub into the site folder.
    void copyFixture(const QString& sub) { copyFolder(fixtureFolder() + u'/' + sub); }

    // Copies every file of the folder `path` (which must hold some) into the
    // site folder, over files of the same names.
    void copyFolder(const QString& path)
    {
        const QDir from(path);
        ASSERT_TRUE(from.exists()) << from.path().toStdString();
        const QStringList names = from.entryList(QDir::Files);
        ASSERT_FALSE(names.isEmpty());
        for (const QString& name : names) {
            QFile::remove(sitePath(name));
            ASSERT_TRUE(QFile::copy(from.filePath(name), sitePath(name))) << name.toStdString();
        }
    }

    platform::testing::GTestScriptedPrompter mScript;
    QTemporaryDir mSite;
    QTemporaryDir mWork;
};

}  // namespace tavelcor::testsupport
