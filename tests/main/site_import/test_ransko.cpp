// SPDX-License-Identifier: LicenseRef-Tavelcor
// The converter program that the map XML import starts: its conversion,
// called directly, and the program itself with its exit codes.
#include "import_fixture.h"

#include "file_size_limit.h"

#include "platform/text/cp932.h"
#include "tools/ransko/convert.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

using importtest::fileBytes;
using importtest::writeBytes;

QByteArray converted(const QByteArray& utf8)
{
    QBuffer in;
    in.setData(utf8);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(ransko::convertUtf8ToCp932(in, out));
    return out.data();
}

struct ConvertRow {
    const char* name;
    QByteArray utf8;
    QByteArray cp932;
};

TEST(RanskoConvert, CharactersAndLineEnds)
{
    const std::vector<ConvertRow> rows = {
        {"ascii with both line ends", "a,b\r\nc\n", "a,b\r\nc\n"},
        {"byte order mark dropped", "\xEF\xBB\xBF<a/>", "<a/>"},
        {"kanji and signs", QStringLiteral("地番①㎡～－").toUtf8(), platform::toCp932(u"地番①㎡～－")},
        {"half-width kana", QStringLiteral("ｱｲ").toUtf8(), "\xB1\xB2"},
        {"no CP932 form", QStringLiteral("é😀").toUtf8(), "???"},
        {"not UTF-8", "a\xFF" "b", "a?b"},
        {"cut last character", "a\xE5\x9C", "a?"},
        {"empty", "", ""},
    };
    for (const ConvertRow& row : rows)
        EXPECT_EQ(converted(row.utf8), row.cp932) << row.name;
}

// A character whose bytes straddle the end of a read block is kept whole.
TEST(RanskoConvert, CharactersAcrossBlockEnds)
{
    QByteArray utf8(1 << 20, 'x');
    utf8.chop(1);
    utf8 += QStringLiteral("地番").toUtf8();  // 地 starts one byte before the block's end
    QByteArray expected(1 << 20, 'x');
    expected.chop(1);
    expected += platform::toCp932(u"地番");
    EXPECT_EQ(converted(utf8), expected);
}

// The disk fills while the copy is written: the conversion reports that it
// cannot write, and an existing output stays as it was, with no temporary
// file left beside it.
TEST(RanskoConvert, AFullDiskLeavesAnOldOutputAsItWas)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.xml"));
    const QString output = dir.filePath(QStringLiteral("Tempora.txt"));
    ASSERT_TRUE(writeBytes(input, QStringLiteral("<地番>12-1</地番>\r\n").repeated(200).toUtf8()));
    ASSERT_TRUE(writeBytes(output, "old"));
    {
        const testing_support::ScopedFileSizeLimit limit(1000);
        ASSERT_TRUE(limit.isActive());
        EXPECT_EQ(ransko::convertFile(input, output), ransko::ConvertResult::CannotWrite);
    }
    EXPECT_EQ(fileBytes(output), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("Tempora.txt"), QStringLiteral("in.xml")}));
}

class RanskoProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(mDir.isValid()); }

    // Runs the program; its exit code, or -1 when it did not run.
    int run(const QStringList& arguments)
    {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral(TAVELCOR_BIN_DIR "/ransko"), arguments);
        if (!process.waitForStarted() || !process.waitForFinished(60000))
            return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString path(const QString& name) const { return mDir.filePath(name); }

    QTemporaryDir mDir;
};

TEST_F(RanskoProgram, WritesTheCp932Copy)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\"?>\r\n<地番>12-1</地番>\r\n");
    ASSERT_TRUE(writeBytes(path("in.xml"), text.toUtf8()));
    ASSERT_EQ(run({path("in.xml"), path("Tempora.txt")}), 0);
    EXPECT_EQ(fileBytes(path("Tempora.txt")), platform::toCp932(text));
}

TEST_F(RanskoProgram, ExitCodesTellWhatFailed)
{
    ASSERT_TRUE(writeBytes(path("in.xml"), "a"));
    EXPECT_EQ(run({}), 1);
    EXPECT_EQ(run({path("in.xml")}), 1);
    EXPECT_EQ(run({path("missing.xml"), path("out.txt")}), 2);
    EXPECT_FALSE(QFile::exists(path("out.txt")));
    EXPECT_EQ(run({path("in.xml"), path("no-folder/out.txt")}), 3);
}

// The copy is a working file that the import deletes once read: it is put
// in place whole (no temporary file is left), but not synced to the disk,
// which would make the import wait for the disk. Seen through strace.
TEST_F(RanskoProgram, TheWorkingCopyIsRenamedIntoPlaceWithoutADiskSync)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_FAIL() << "strace is not installed (scripts/install-packages installs it)";
    const QString text = QStringLiteral("<地番>12-1</地番>\r\n").repeated(1000);
    ASSERT_TRUE(writeBytes(path("in.xml"), text.toUtf8()));
    ASSERT_TRUE(writeBytes(path("Tempora.txt"), "old"));
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A leak check cannot run under a tracer: a build with the address
    // checker would otherwise end the traced program with a failure.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString asanOptions = environment.value(QStringLiteral("ASAN_OPTIONS"));
    if (!asanOptions.isEmpty())
        asanOptions += QLatin1Char(':');
    asanOptions += QStringLiteral("detect_leaks=0");
    environment.insert(QStringLiteral("ASAN_OPTIONS"), asanOptions);
    process.setProcessEnvironment(environment);
    process.start(strace, {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), path("trace"),
                           QStringLiteral("-e"),
                           QStringLiteral("trace=fsync,fdatasync,sync,syncfs,sync_file_range,rename,renameat,renameat2"),
                           QStringLiteral(TAVELCOR_BIN_DIR "/ransko"), path("in.xml"), path("Tempora.txt")});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray trace = fileBytes(path("trace"));
    if (process.exitCode() != 0 && !trace.contains("rename"))
        GTEST_SKIP() << "strace cannot trace here (no ptrace)";
    ASSERT_EQ(process.exitCode(), 0);
    EXPECT_EQ(fileBytes(path("Tempora.txt")), platform::toCp932(text));
    EXPECT_TRUE(trace.contains("rename")) << trace.constData();
    EXPECT_FALSE(trace.contains("sync")) << trace.constData();
    EXPECT_EQ(QDir(mDir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("Tempora.txt"), QStringLiteral("in.xml"), QStringLiteral("trace")}));
}

TEST_F(RanskoProgram, AFailedRunLeavesAnOldOutputAsItWas)
{
    ASSERT_TRUE(writeBytes(path("out.txt"), "old"));
    EXPECT_EQ(run({path("missing.xml"), path("out.txt")}), 2);
    EXPECT_EQ(fileBytes(path("out.txt")), QByteArray("old"));
}

}  // namespace
}  // namespace tavelcor
