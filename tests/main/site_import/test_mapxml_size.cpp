// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML import of large files: the size check, the converter (a fake
// one and the real program), the advice to convert with a text editor, the
// progress captions and the bound on the number of lines.
#include "mapxml_fixture.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"
#include "platform/system/files.h"

#include <QFile>

#include <gtest/gtest.h>

#include <ostream>

namespace tavelcor {
namespace {

using importtest::lineCount;
using importtest::MapXmlTest;
using platform::MsgResult;

// The public sample with filler lines after its first line, lines long.
QString longMap(qint64 lines, const QString& sample = importtest::publicMapText())
{
    const qint64 extra = lines - lineCount(sample);
    QString filler;
    filler.reserve(extra * 9);
    for (qint64 i = 0; i < extra; ++i)
        filler += QStringLiteral("\t<!---->\n");
    QString text = sample;
    text.insert(text.indexOf(u'\n') + 1, filler);
    return text;
}

const QString kAdvice = QStringLiteral(
    "行数が500001以上あります。データロードに５分以上要しますが\r\n"
    "メモ帳でxmlファイルの形式を「UTF8」から、「ANSI」に変換し\r\n"
    "保存したファイルを呼び出すと、大幅に時間短縮できます。\r\n"
    "変換してから再度呼び出しますか？");
const QString kEditorAdvice = QStringLiteral(
    "メモ帳を起動しますか？\r\n起動する場合は、呼び出し後に\r\n"
    "「ファイル」　「名前を付けて保存」\r\n「文字コード」 は 「ANSI」を選択\r\n"
    "「ファイル名」 は 最後に「.TXT」を追加し、保存してください\r\n"
    "完了後、再度tavelcorを起動し\r\nファイルの種類を「地図xml(JIS)」にして\r\n"
    "登録したTXTファイルを呼び出してください");

class LargeMapTest : public MapXmlTest {
protected:
    QString tempora() const { return WorkFolder + QStringLiteral("/Tempora.txt"); }

    // A converter program that exists (its content does not matter to a fake run).
    void useExistingConverter()
    {
        mEnv.converterPath = workPath(QStringLiteral("ransko"));
        ASSERT_TRUE(importtest::writeBytes(mEnv.converterPath, "#!/bin/sh\n"));
    }

    // A fake run that writes text as CP932 to the output and returns result.
    void convertTo(const QString& text, ProcessRun result)
    {
        mEnv.runConverter = [this, text, result](const QString& program, const QStringList& arguments) {
            mConverterCalls.append(QStringList{program} + arguments);
            EXPECT_TRUE(importtest::writeBytes(arguments.at(1), platform::toCp932(text)));
            return result;
        };
    }

    // The public sample followed by empty lines up to `total` lines, written
    // as CP932 to map.TXT of the site folder; returns its path.
    QString paddedPublicMap(qint64 total)
    {
        QByteArray bytes = platform::toCp932(importtest::publicMapText());
        bytes.append(QByteArray(total - lineCount(importtest::publicMapText()), '\n'));
        const QString path = sitePath(QStringLiteral("map.TXT"));
        EXPECT_TRUE(importtest::writeBytes(path, bytes));
        return path;
    }
};

TEST_F(LargeMapTest, FiveHundredThousandLinesAreReadAsTheyAre)
{
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500000))), ReadOutcome::Ok);
    importtest::expectPublicMap();
    EXPECT_TRUE(mConverterCalls.isEmpty());
    EXPECT_EQ(mStages.first(), QStringLiteral("ＸＭＬを確認しています"));
    EXPECT_EQ(mStages.at(1), QStringLiteral("10k/"));
    EXPECT_EQ(mStages.at(50), QStringLiteral("500k/"));
    EXPECT_EQ(mStages.last(), QStringLiteral("SIMAに変換しています"));
    EXPECT_EQ(mStages.size(), 52);
}

struct CountCase {
    const char* name;
    qint64 lines;
    const char* lineEnd;
    bool advised;
};

void PrintTo(const CountCase& c, std::ostream* os)
{
    *os << c.name;
}

class LineCountForm : public LargeMapTest, public ::testing::WithParamInterface<CountCase> {};

// Lines are counted as the line reader ends them, whatever the line ends.
TEST_P(LineCountForm, DecidesTheSizeCheck)
{
    const CountCase& c = GetParam();
    QString text = longMap(c.lines);
    text.replace(QStringLiteral("\n"), QString::fromLatin1(c.lineEnd));
    if (c.advised)
        mScript->expectMessage(MsgResult::No, kAdvice);
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    importtest::expectPublicMap();
}

INSTANTIATE_TEST_SUITE_P(MapXml, LineCountForm,
                         ::testing::Values(CountCase{"crLf500000", 500000, "\r\n", false},
                                           CountCase{"crLf500001", 500001, "\r\n", true},
                                           CountCase{"cr500000", 500000, "\r", false},
                                           CountCase{"cr500001", 500001, "\r", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LargeMapTest, WithoutAConverterTheAdviceMayBeDeclined)
{
    mScript->expectMessage(MsgResult::No, kAdvice);
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::Ok);
    importtest::expectPublicMap();
    EXPECT_TRUE(mConverterCalls.isEmpty());
    EXPECT_TRUE(mEditorPaths.isEmpty());
}

TEST_F(LargeMapTest, DecliningTheEditorEndsTheProgram)
{
    mScript->expectMessage(MsgResult::Yes, kAdvice);
    mScript->expectMessage(MsgResult::No, kEditorAdvice);
    EXPECT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::StopProgram);
    EXPECT_TRUE(mEditorPaths.isEmpty());
    EXPECT_EQ(ZahyoMax, 0);
}

TEST_F(LargeMapTest, TheEditorIsOpenedOnTheFileAndTheProgramEnds)
{
    const QString path = writeUtf8(QStringLiteral("map.xml"), longMap(500001));
    mScript->expectMessage(MsgResult::Yes, kAdvice);
    mScript->expectMessage(MsgResult::Yes, kEditorAdvice);
    mScript->expectMessage(MsgResult::Ok, kEditorAdvice + QStringLiteral("\r\nTavelcorを終了します"));
    EXPECT_EQ(read(path), ReadOutcome::StopProgram);
    EXPECT_EQ(mEditorPaths, QStringList{path});
    EXPECT_EQ(MsgText, kEditorAdvice);
    EXPECT_EQ(ZahyoMax, 0);
}

// The fake converter writes a text whose parcel 1 is named differently, so
// the tables show which file was read.
TEST_F(LargeMapTest, TheConverterOutputIsReadAndRemoved)
{
    useExistingConverter();
    const QString path = writeUtf8(QStringLiteral("map.xml"), longMap(500001));
    QString converted = longMap(500001);
    converted.replace(QStringLiteral("<地番>12-1</地番>"), QStringLiteral("<地番>変換済</地番>"));
    convertTo(converted, ProcessRun::Succeeded);
    ASSERT_EQ(read(path), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("変換済"));
    ASSERT_EQ(mConverterCalls.size(), 1);
    EXPECT_EQ(mConverterCalls[0], (QStringList{mEnv.converterPath, path, tempora()}));
    EXPECT_FALSE(platform::fileExists(tempora()));
    EXPECT_TRUE(mStages.contains(QStringLiteral("Shift_JIS　に変換中")));
    EXPECT_TRUE(mStages.contains(QStringLiteral("500k")));  // the converted text is read as text
    EXPECT_FALSE(mStages.contains(QStringLiteral("500k/")));
}

TEST_F(LargeMapTest, AFailedConversionIsNeverRead)
{
    useExistingConverter();
    QString converted = longMap(500001);
    converted.replace(QStringLiteral("<地番>12-1</地番>"), QStringLiteral("<地番>途中</地番>"));
    convertTo(converted, ProcessRun::Failed);
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::Ok);
    importtest::expectPublicMap();
    EXPECT_FALSE(platform::fileExists(tempora()));
}

TEST_F(LargeMapTest, AnOutputLeftByAnEarlierRunIsNeverRead)
{
    useExistingConverter();
    ASSERT_TRUE(importtest::writeBytes(tempora(), platform::toCp932(importtest::arbitraryMapText())));
    mConverterResult = ProcessRun::Succeeded;  // claims success, writes nothing
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::Ok);
    importtest::expectPublicMap();
    EXPECT_EQ(mConverterCalls.size(), 1);
    EXPECT_FALSE(platform::fileExists(tempora()));
}

TEST_F(LargeMapTest, AConverterThatCannotStartIsReported)
{
    useExistingConverter();
    mConverterResult = ProcessRun::NotStarted;
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("プロセスハンドルの取得に失敗しました"));
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::Ok);
    importtest::expectPublicMap();
}

TEST_F(LargeMapTest, TheOutputIsRemovedWhenTheImportStops)
{
    useExistingConverter();
    const QString broken = longMap(500001).replace(QStringLiteral("</地図>"), QStringLiteral("</地図"));
    convertTo(broken, ProcessRun::Succeeded);
    mScript->expectMessage(MsgResult::Ok);
    EXPECT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::StopProgram);
    EXPECT_FALSE(platform::fileExists(tempora()));
}

TEST_F(LargeMapTest, TheRealConverterProgram)
{
    mEnv.converterPath = QStringLiteral(TAVELCOR_BIN_DIR "/ransko");
    ASSERT_TRUE(platform::fileExists(mEnv.converterPath)) << "build the ransko target";
    mEnv.runConverter = nullptr;  // the default: start it and wait
    QString text = longMap(500001);
    text.replace(QStringLiteral("<地番>12-1</地番>"), QStringLiteral("<地番>①㎡～－</地番>"));
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), text)), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("①㎡～－"));
    EXPECT_EQ(KakuchiName[2], QStringLiteral("4(5)(6)"));
    EXPECT_EQ(ZahyoMax, 12);
    EXPECT_TRUE(mStages.contains(QStringLiteral("500k")));
    EXPECT_FALSE(platform::fileExists(tempora()));
}

TEST_F(LargeMapTest, AConverterFileThatIsNoProgramCannotStart)
{
    useExistingConverter();
    QFile::setPermissions(mEnv.converterPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    mEnv.runConverter = nullptr;
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("プロセスハンドルの取得に失敗しました"));
    ASSERT_EQ(read(writeUtf8(QStringLiteral("map.xml"), longMap(500001))), ReadOutcome::Ok);
    importtest::expectPublicMap();
}

TEST_F(LargeMapTest, AnyTxtFileIsReadAsCp932WithoutTheCheck)
{
    QString text = longMap(500001);
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    ASSERT_EQ(read(writeCp932(QStringLiteral("map.TXT"), text)), ReadOutcome::Ok);
    importtest::expectPublicMap();
    EXPECT_TRUE(mConverterCalls.isEmpty());
    EXPECT_TRUE(mStages.contains(QStringLiteral("500k")));
}

// More boundary lines than the line table holds are refused while reading,
// so a file cannot make the import gather them without bound.
TEST_F(LargeMapTest, MoreBoundaryLinesThanTheTableHoldsAreRefused)
{
    QString boundaries;
    boundaries.reserve(500001 * 48);
    for (int i = 0; i <= kLineTop; ++i)
        boundaries += QStringLiteral("<形状 idref=\"C000000001\"/>\n<線種別>大字界線</線種別>\n");
    QString text = importtest::publicMapText();
    text.insert(text.indexOf(QStringLiteral("\t</主題属性>")), boundaries);
    // The sample has three marked boundaries of its own, so the 500001st is
    // three pairs of lines before the last one added.
    const qint64 last = importtest::lineOf(text, QStringLiteral("\t</主題属性>")) - 1 - 2 * 3;
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("map.TXTの%1行目「<線種別>大字界線</線種別>」で線の件数が上限の500000を超えました。"
                                                         "\r\n地図XMLを読み込めません。")
                                              .arg(last));
    EXPECT_EQ(read(writeCp932(QStringLiteral("map.TXT"), text)), ReadOutcome::StopProgram);
}

// Entries 0..20000000 of the line list: a file of one line more is refused.
TEST_F(LargeMapTest, MoreThan20000001LinesAreRefused)
{
    const QString path = paddedPublicMap(kMapXmlLineTop + 2);
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("map.TXTの行数が上限の20000001行を超えています。\r\n地図XMLを読み込めません。"));
    EXPECT_EQ(read(path), ReadOutcome::StopProgram);
}

TEST_F(LargeMapTest, Exactly20000001LinesAreRead)
{
    const QString path = paddedPublicMap(kMapXmlLineTop + 1);
    ASSERT_EQ(read(path), ReadOutcome::Ok);
    importtest::expectPublicMap();
}

}  // namespace
}  // namespace tavelcor
