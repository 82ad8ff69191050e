// SPDX-License-Identifier: LicenseRef-Tavelcor
// The shared small utilities: the chosen member of an option array, the
// double-byte count, the clearing of the work folder and the drive type.
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "platform/forms/forms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

// A form with a non-contiguous option array, as the colour options are.
class OptionsForm : public platform::Form {
public:
    OptionsForm()
    {
        for (int index : {0, 2, 3, 9, 12})
            Option8.add(index, *this);
    }
    platform::ControlArray<platform::OptionButton> Option8{QStringLiteral("Option8")};
    platform::ControlArray<platform::OptionButton> Empty{QStringLiteral("Empty")};
};

TEST(SelectedIndex, NoneSetGivesMinusOne)
{
    OptionsForm form;
    EXPECT_EQ(SelectedIndex(form.Option8), -1);
    EXPECT_EQ(SelectedIndex(form.Empty), -1);
}

TEST(SelectedIndex, GivesTheIndexOfTheChosenMember)
{
    OptionsForm form;
    form.load();
    for (int index : {0, 12, 9, 2}) {
        form.Option8(index).setValue(true);
        EXPECT_EQ(SelectedIndex(form.Option8), index);
    }
    form.Option8(2).setValue(false);
    EXPECT_EQ(SelectedIndex(form.Option8), -1);
}

struct WideRow {
    const char* name;
    const char16_t* text;
    int wide;
    int narrow;
};

class CountWideTable : public testing::TestWithParam<WideRow> {};

TEST_P(CountWideTable, CountsByShiftJisWidth)
{
    const WideRow& row = GetParam();
    const WideCount count = CountWide(QString::fromUtf16(row.text));
    EXPECT_EQ(count.wide, row.wide);
    EXPECT_EQ(count.narrow, row.narrow);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CountWideTable,
    testing::Values(WideRow{"two_full_width_then_half", u"ＡＢc", 2, 1}, WideRow{"empty", u"", 0, 0},
                    WideRow{"half_width_katakana", u"ｱｲｳ", 0, 3}, WideRow{"kanji_and_ascii", u"境界12", 2, 2},
                    WideRow{"windows_signs", u"①㎡～－", 4, 0},
                    WideRow{"no_shift_jis_form", u"한", 0, 1}),
    [](const testing::TestParamInfo<WideRow>& info) { return std::string(info.param.name); });

class WorkFolderClearing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mBase.isValid());
        mSaved = WorkFolder;
        WorkFolder = mBase.filePath(QStringLiteral("Eld"));
        ASSERT_TRUE(QDir().mkpath(WorkFolder + QStringLiteral("/tiles")));
        writeFile(WorkFolder + QStringLiteral("/Eld.AR2"));
        writeFile(WorkFolder + QStringLiteral("/tiles/12_3_4.png"));
    }
    void TearDown() override { WorkFolder = mSaved; }

    static void writeFile(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QString path(const QString& name) const { return mBase.filePath(name); }

private:
    QTemporaryDir mBase;
    QString mSaved;
};

TEST_F(WorkFolderClearing, RemovesTheFolderWithEverythingInIt)
{
    ASSERT_TRUE(ClearWorkFolder());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Eld"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Eldold"))));
    EXPECT_TRUE(QDir(path(QString())).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(WorkFolderClearing, TrailingSlashStillRenamesBesideTheFolder)
{
    WorkFolder += QStringLiteral("/");
    ASSERT_TRUE(ClearWorkFolder());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Eld"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Eldold"))));
}

TEST_F(WorkFolderClearing, LeftoverOldFolderStopsAtTheFirstStep)
{
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("Eldold"))));
    EXPECT_FALSE(ClearWorkFolder());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("Eld/Eld.AR2"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("Eld/tiles/12_3_4.png"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Eldold"))).isDir());
}

TEST_F(WorkFolderClearing, LeftoverOldFileStopsAtTheFirstStep)
{
    writeFile(path(QStringLiteral("Eldold")));
    EXPECT_FALSE(ClearWorkFolder());
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("Eld/Eld.AR2"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Eldold"))).isFile());
}

TEST_F(WorkFolderClearing, MissingWorkFolderFails)
{
    WorkFolder = path(QStringLiteral("Nothing"));
    EXPECT_FALSE(ClearWorkFolder());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Nothingold"))));
}

TEST(DriveTypeOfAPath, RamDiskAndMissingPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(DriveType(dir.filePath(QStringLiteral("gone.bmp"))), std::nullopt);
    if (QStorageInfo(QStringLiteral("/dev/shm")).fileSystemType() == "tmpfs") {
        EXPECT_EQ(DriveType(QStringLiteral("/dev/shm/")), 5);
    }
}

}  // namespace
}  // namespace tavelcor
