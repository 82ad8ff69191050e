// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/files.h"

#include "file_size_limit.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTime>

#include <gtest/gtest.h>

#include <set>

namespace {

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(content) == content.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

std::set<QString> asSet(const QStringList& names)
{
    return {names.begin(), names.end()};
}

// ---------------------------------------------------------------- lookup

struct LookupCase {
    const char* label;
    std::vector<QString> files;    // regular files made in the folder first
    std::vector<QString> folders;  // folders made in the folder first
    QString lookFor;
    QString expectedName;          // name of the path returned, in the folder
};

class FindFileNoCase : public testing::TestWithParam<LookupCase> {};

TEST_P(FindFileNoCase, FindsTheExistingNameOrGivesTheDesignedOne)
{
    const LookupCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& name : c.files)
        ASSERT_TRUE(writeFile(dir.path() + QLatin1Char('/') + name, "x"));
    for (const QString& name : c.folders)
        ASSERT_TRUE(QDir(dir.path()).mkdir(name));

    const QString expected = dir.path() + QLatin1Char('/') + c.expectedName;
    EXPECT_EQ(platform::findFileNoCase(dir.path(), c.lookFor), expected);
    EXPECT_EQ(platform::findFileNoCase(dir.path() + QLatin1Char('/'), c.lookFor), expected);
}

const LookupCase kLookupCases[] = {
    {"exact", {"POINT.DAT"}, {}, "POINT.DAT", "POINT.DAT"},
    {"other_case", {"point.dat"}, {}, "POINT.DAT", "point.dat"},
    {"mixed_case", {"Tavelcor.Tvx"}, {}, "TAVELCOR.TVX", "Tavelcor.Tvx"},
    {"japanese_extension_case", {"画地属性.TXT"}, {}, "画地属性.txt", "画地属性.TXT"},
    {"japanese_exact", {"画地属性.txt"}, {}, "画地属性.txt", "画地属性.txt"},
    {"missing_gives_designed", {"POINT.DAT"}, {}, "ZAHYO.SIM", "ZAHYO.SIM"},
    {"prefix_is_no_match", {"POINT.DAT"}, {}, "POINT.DA", "POINT.DA"},
    {"exact_wins_over_other_case", {"A.TXT", "a.txt"}, {}, "a.txt", "a.txt"},
    {"two_others_take_code_point_first", {"tavelcor.jkn", "TAVELCOR.JKN"}, {}, "Tavelcor.jkn", "TAVELCOR.JKN"},
    {"full_width_latin_folds", {"ＡＢＣ.txt"}, {}, "ａｂｃ.TXT", "ＡＢＣ.txt"},
    {"kana_do_not_fold", {"ア.txt"}, {}, "あ.txt", "あ.txt"},
    {"folder_is_not_a_file", {}, {"zahyo.sim"}, "ZAHYO.SIM", "ZAHYO.SIM"},
};

INSTANTIATE_TEST_SUITE_P(Cases, FindFileNoCase, testing::ValuesIn(kLookupCases),
                         [](const testing::TestParamInfo<LookupCase>& info) {
                             return std::string(info.param.label);
                         });

TEST(FindFileNoCaseFolder, MissingFolderGivesTheDesignedPath)
{
    EXPECT_EQ(platform::findFileNoCase(QStringLiteral("/no/such/folder"), QStringLiteral("A.DAT")),
              QStringLiteral("/no/such/folder/A.DAT"));
}

// ---------------------------------------------------------------- date doubles

struct DateCase {
    const char* label;
    QDateTime when;  // local time
    double days;
};

class DateDouble : public testing::TestWithParam<DateCase> {};

TEST_P(DateDouble, ConvertsBothWays)
{
    const DateCase& c = GetParam();
    EXPECT_DOUBLE_EQ(platform::toDateDouble(c.when), c.days);
    EXPECT_EQ(platform::fromDateDouble(c.days), c.when);
}

// Day numbers as spreadsheets and the system's own date values count them
// (1900-01-01 is 2, 2000-01-01 is 36526, 2024-01-01 is 45292).
const DateCase kDateCases[] = {
    {"epoch", QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
    {"epoch_morning", QDateTime(QDate(1899, 12, 30), QTime(6, 0)), 0.25},
    {"day_before_epoch_morning", QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
    {"year_1900", QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 2.0},
    {"year_2000_noon", QDateTime(QDate(2000, 1, 1), QTime(12, 0)), 36526.5},
    {"may_2024_evening", QDateTime(QDate(2024, 5, 2), QTime(18, 0)), 45414.75},
};

INSTANTIATE_TEST_SUITE_P(Cases, DateDouble, testing::ValuesIn(kDateCases),
                         [](const testing::TestParamInfo<DateCase>& info) {
                             return std::string(info.param.label);
                         });

TEST(DateDoubleEdges, InvalidAndSubSecondValues)
{
    EXPECT_EQ(platform::toDateDouble(QDateTime()), 0.0);
    EXPECT_FALSE(platform::fromDateDouble(std::numeric_limits<double>::quiet_NaN()).isValid());
    const QDateTime precise(QDate(2023, 3, 4), QTime(10, 11, 12, 345));
    EXPECT_EQ(platform::fromDateDouble(platform::toDateDouble(precise)), precise);
    // A later time is a larger number: the save command's "changed by others"
    // test compares these values.
    EXPECT_LT(platform::toDateDouble(precise), platform::toDateDouble(precise.addMSecs(1)));
}

TEST(LastModified, OfAFileWithAKnownTime)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/TAVELCOR.TVX");
    ASSERT_TRUE(writeFile(path, ""));
    const QDateTime when(QDate(2024, 5, 2), QTime(18, 0));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(when, QFileDevice::FileModificationTime));
    file.close();

    ASSERT_TRUE(platform::lastModified(path).has_value());
    EXPECT_EQ(*platform::lastModified(path), when);
    ASSERT_TRUE(platform::lastModifiedDateDouble(path).has_value());
    EXPECT_DOUBLE_EQ(*platform::lastModifiedDateDouble(path), 45414.75);
    EXPECT_FALSE(platform::lastModifiedDateDouble(dir.path() + QStringLiteral("/none")).has_value());
}

// ---------------------------------------------------------------- copy and delete

TEST(CopyFile, CopiesAndReplacesWithoutLeavingTemporaries)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString from = dir.path() + QStringLiteral("/src.sim");
    const QString to = dir.path() + QStringLiteral("/ZAHYO.SIM");
    ASSERT_TRUE(writeFile(from, "A01,1,P1,1.000,2.000,3.000,\r\n"));

    EXPECT_TRUE(platform::copyFile(from, to));
    EXPECT_EQ(readFile(to), readFile(from));

    ASSERT_TRUE(writeFile(from, "new"));
    EXPECT_TRUE(platform::copyFile(from, to));
    EXPECT_EQ(readFile(to), QByteArray("new"));
    EXPECT_EQ(asSet(platform::listFiles(dir.path())),
              (std::set<QString>{QStringLiteral("src.sim"), QStringLiteral("ZAHYO.SIM")}));
}

TEST(CopyFile, FailureLeavesTheTargetAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString to = dir.path() + QStringLiteral("/ZAHYO.SIM");
    ASSERT_TRUE(writeFile(to, "old"));

    EXPECT_FALSE(platform::copyFile(dir.path() + QStringLiteral("/missing.sim"), to));
    EXPECT_EQ(readFile(to), QByteArray("old"));
    EXPECT_FALSE(platform::copyFile(dir.path(), to));  // a folder is no source
    EXPECT_EQ(readFile(to), QByteArray("old"));
    EXPECT_FALSE(platform::copyFile(to, dir.path() + QStringLiteral("/no/such/folder/x.sim")));
}

// The disk fills while the copy is written: the copy fails and the old
// target stays whole, with no temporary file left beside it.
TEST(CopyFile, AFullDiskLeavesTheOldTarget)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString from = dir.path() + QStringLiteral("/src.sim");
    const QString to = dir.path() + QStringLiteral("/ZAHYO.SIM");
    ASSERT_TRUE(writeFile(from, QByteArray(4096, 'n')));
    ASSERT_TRUE(writeFile(to, "old"));
    {
        const testing_support::ScopedFileSizeLimit limit(1000);
        ASSERT_TRUE(limit.isActive());
        EXPECT_FALSE(platform::copyFile(from, to));
    }
    EXPECT_EQ(readFile(to), QByteArray("old"));
    EXPECT_EQ(asSet(platform::listFiles(dir.path())),
              (std::set<QString>{QStringLiteral("src.sim"), QStringLiteral("ZAHYO.SIM")}));
}

TEST(CopyFile, LargeFileArrivesWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QByteArray big(3 * 1024 * 1024 + 17, '\0');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 31 % 251);
    const QString from = dir.path() + QStringLiteral("/big.bmp");
    ASSERT_TRUE(writeFile(from, big));
    ASSERT_TRUE(platform::copyFile(from, dir.path() + QStringLiteral("/copy.bmp")));
    EXPECT_EQ(readFile(dir.path() + QStringLiteral("/copy.bmp")), big);
}

// ---------------------------------------------------------------- atomic writes

TEST(WriteFileAtomically, WritesAndReplacesWithoutLeavingTemporaries)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString to = dir.path() + QStringLiteral("/Tavelcor.KML");
    EXPECT_TRUE(platform::writeFileAtomically(to, QByteArray("first")));
    EXPECT_EQ(readFile(to), QByteArray("first"));
    EXPECT_TRUE(platform::writeFileAtomically(to, QByteArray("\xEF\xBB\xBFsecond")));
    EXPECT_EQ(readFile(to), QByteArray("\xEF\xBB\xBFsecond"));
    EXPECT_EQ(asSet(platform::listFiles(dir.path())), (std::set<QString>{QStringLiteral("Tavelcor.KML")}));
}

// Contents made while they are written: the target is replaced only when
// the producer finishes.
TEST(WriteFileAtomically, AProducerThatGivesUpLeavesTheOldTarget)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString to = dir.path() + QStringLiteral("/Tavelcor.KML");
    ASSERT_TRUE(writeFile(to, "old"));
    EXPECT_FALSE(platform::writeFileAtomically(to, [](QIODevice& out) {
        out.write(QByteArray(100000, 'a'));
        return false;
    }));
    EXPECT_EQ(readFile(to), QByteArray("old"));
    EXPECT_EQ(asSet(platform::listFiles(dir.path())), (std::set<QString>{QStringLiteral("Tavelcor.KML")}));
    EXPECT_TRUE(platform::writeFileAtomically(to, [](QIODevice& out) {
        return out.write("new ") == 4 && out.write("contents") == 8;
    }));
    EXPECT_EQ(readFile(to), QByteArray("new contents"));
}

// A full disk, a missing folder or a folder in the target's place: false,
// and the old target stays whole.
TEST(WriteFileAtomically, FailureLeavesTheOldTarget)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString to = dir.path() + QStringLiteral("/Tavelcor.KML");
    ASSERT_TRUE(writeFile(to, "old"));
    {
        const testing_support::ScopedFileSizeLimit limit(1000);
        ASSERT_TRUE(limit.isActive());
        EXPECT_FALSE(platform::writeFileAtomically(to, QByteArray(4096, 'n')));
    }
    EXPECT_EQ(readFile(to), QByteArray("old"));
    EXPECT_EQ(asSet(platform::listFiles(dir.path())), (std::set<QString>{QStringLiteral("Tavelcor.KML")}));
    EXPECT_FALSE(platform::writeFileAtomically(dir.path() + QStringLiteral("/no/such/x.kml"), "x"));
    EXPECT_FALSE(platform::writeFileAtomically(dir.path(), "x"));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST(RemoveFile, RemovesFilesButNeverFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + QStringLiteral("/POINT.DAT");
    ASSERT_TRUE(writeFile(file, "1"));

    EXPECT_TRUE(platform::removeFile(file));
    EXPECT_FALSE(platform::fileExists(file));
    EXPECT_TRUE(platform::removeFile(file));  // already gone

    const QString folder = dir.path() + QStringLiteral("/sub");
    ASSERT_TRUE(platform::makeFolder(folder));
    EXPECT_FALSE(platform::removeFile(folder));
    EXPECT_TRUE(platform::folderExists(folder));
}

TEST(Folders, MakeAndRemoveATree)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + QStringLiteral("/TVXBAK20240502");
    const QString hour = root + QStringLiteral("/18");
    EXPECT_TRUE(platform::makeFolder(hour));
    EXPECT_TRUE(platform::folderExists(hour));
    EXPECT_FALSE(platform::fileExists(hour));
    ASSERT_TRUE(writeFile(hour + QStringLiteral("/POINT.DAT"), "1"));
    ASSERT_TRUE(writeFile(root + QStringLiteral("/.hidden"), "1"));

    EXPECT_TRUE(platform::removeFolderTree(root));
    EXPECT_FALSE(QFileInfo(root).exists());
    EXPECT_TRUE(platform::removeFolderTree(root));  // already gone
    EXPECT_TRUE(platform::folderExists(dir.path()));
}

TEST(Folders, RemoveTreeRefusesEmptyAndRootAndFiles)
{
    EXPECT_FALSE(platform::removeFolderTree(QString()));
    EXPECT_FALSE(platform::removeFolderTree(QStringLiteral("/")));
    EXPECT_FALSE(platform::removeFolderTree(QStringLiteral("//")));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + QStringLiteral("/f");
    ASSERT_TRUE(writeFile(file, "1"));
    EXPECT_FALSE(platform::removeFolderTree(file));
    EXPECT_TRUE(platform::fileExists(file));
}

// The raster copy folder lies in the shared temporary folder, where anyone
// may put a link of that name: removing the "folder" must not empty the
// folder the link points to.
TEST(Folders, RemoveTreeOfALinkRemovesTheLinkOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.path() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(platform::makeFolder(target + QStringLiteral("/sub")));
    ASSERT_TRUE(writeFile(target + QStringLiteral("/POINT.DAT"), "1"));
    ASSERT_TRUE(writeFile(target + QStringLiteral("/sub/LINE.DAT"), "2"));
    const QString link = dir.path() + QStringLiteral("/TVXTEMP");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_TRUE(platform::removeFolderTree(link));
    EXPECT_FALSE(QFileInfo(link).exists() || QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(target + QStringLiteral("/POINT.DAT")), QByteArray("1"));
    EXPECT_EQ(readFile(target + QStringLiteral("/sub/LINE.DAT")), QByteArray("2"));
}

TEST(ListFiles, GivesFileNamesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(writeFile(dir.path() + QStringLiteral("/Eld.AR2"), "1"));
    ASSERT_TRUE(writeFile(dir.path() + QStringLiteral("/.tile"), "1"));
    ASSERT_TRUE(platform::makeFolder(dir.path() + QStringLiteral("/sub")));

    EXPECT_EQ(asSet(platform::listFiles(dir.path())),
              (std::set<QString>{QStringLiteral("Eld.AR2"), QStringLiteral(".tile")}));
    EXPECT_TRUE(platform::listFiles(dir.path() + QStringLiteral("/none")).isEmpty());
}

TEST(Exists, TellsFilesFromFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.path() + QStringLiteral("/a");
    ASSERT_TRUE(writeFile(file, "1"));
    EXPECT_TRUE(platform::fileExists(file));
    EXPECT_FALSE(platform::folderExists(file));
    EXPECT_TRUE(platform::folderExists(dir.path()));
    EXPECT_FALSE(platform::fileExists(dir.path()));
    EXPECT_FALSE(platform::fileExists(QString()));
    EXPECT_FALSE(platform::folderExists(QString()));
}

// Names read from a file's contents join their folder only as bare names.
TEST(BareFileName, OnlyNamesThatStayInTheirFolder)
{
    const struct {
        QString name;
        bool bare;
    } rows[] = {
        {QStringLiteral("map_0.png"), true},
        {QStringLiteral("写真 1.JPG"), true},
        {QStringLiteral("a..b.bmp"), true},
        {QStringLiteral(".hidden.png"), true},
        {QString(), false},
        {QStringLiteral("."), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("../x.bmp"), false},
        {QStringLiteral("sub/x.bmp"), false},
        {QStringLiteral("sub\\x.bmp"), false},
        {QStringLiteral("/etc/passwd"), false},
        {QStringLiteral("x.bmp") + QChar(0) + QStringLiteral(".png"), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::isBareFileName(row.name), row.bare) << row.name.toStdString();
}

}  // namespace
