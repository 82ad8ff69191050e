// SPDX-License-Identifier: LicenseRef-Tavelcor
// KINTAB.JKN: reading each line, the factor's range, missing lines, and the
// byte-exact file that is written.
#include "keypad/settings_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

TEST(KeypadFileReading, FullFileGivesEveryValue)
{
    const kintab::KeypadFileValues v = kintab::parseKeypadFile(
        lines({"A", "B", "C", " 0 ", " 1.2 ", " 3000 ", " 4500 ", " 0 "}));
    EXPECT_EQ(v.letters.at(0), "A");
    EXPECT_EQ(v.letters.at(1), "B");
    EXPECT_EQ(v.letters.at(2), "C");
    EXPECT_EQ(v.upperCaseFlag, std::optional<std::uint8_t>(0));
    EXPECT_EQ(v.sizeFactor, std::optional<float>(1.2F));
    EXPECT_EQ(v.top, 3000.0);
    EXPECT_EQ(v.left, 4500.0);
    EXPECT_EQ(v.iconMode, std::optional<std::uint8_t>(0));
}

TEST(KeypadFileReading, EachLineIsItsFirstItemWithBlanksDropped)
{
    const kintab::KeypadFileValues v = kintab::parseKeypadFile(
        lines({"  Q ,Z", "\"W\"", "", "1,0", "1.1,9", "12.5abc", "7 0", "1"}));
    EXPECT_EQ(v.letters.at(0), "Q");
    EXPECT_EQ(v.letters.at(1), "W");
    EXPECT_EQ(v.letters.at(2), "");
    EXPECT_EQ(v.upperCaseFlag, std::optional<std::uint8_t>(1));
    EXPECT_EQ(v.sizeFactor, std::optional<float>(1.1F));
    EXPECT_EQ(v.top, 12.5);   // the leading number
    EXPECT_EQ(v.left, 70.0);  // blanks inside a number are ignored
    EXPECT_EQ(v.iconMode, std::optional<std::uint8_t>(1));
}

struct FactorCase {
    const char* line;
    std::optional<float> factor;
};

class KeypadFileFactor : public testing::TestWithParam<FactorCase> {};

// A factor outside 0.5 to 1.5 is ignored: the keypad keeps its size.
TEST_P(KeypadFileFactor, OnlyFactorsFromHalfToOneAndAHalfAreTaken)
{
    const kintab::KeypadFileValues v =
        kintab::parseKeypadFile(lines({"X", "P", "R", "1", GetParam().line, "0", "0", "1"}));
    EXPECT_EQ(v.sizeFactor, GetParam().factor) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Lines, KeypadFileFactor,
                         testing::Values(FactorCase{" .5 ", 0.5F}, FactorCase{" 1.5 ", 1.5F},
                                         FactorCase{" 1 ", 1.0F}, FactorCase{" .7 ", 0.7F},
                                         FactorCase{" .4 ", std::nullopt},
                                         FactorCase{" 1.6 ", std::nullopt},
                                         FactorCase{" 15 ", std::nullopt},
                                         FactorCase{"-1 ", std::nullopt},
                                         FactorCase{"abc", std::nullopt},
                                         FactorCase{"", std::nullopt},
                                         FactorCase{"1E300", std::nullopt}));

TEST(KeypadFileReading, FlagsOutsideAByteAreNotTaken)
{
    const kintab::KeypadFileValues v =
        kintab::parseKeypadFile(lines({"X", "P", "R", "256", "1", "0", "0", "-1"}));
    EXPECT_EQ(v.upperCaseFlag, std::nullopt);
    EXPECT_EQ(v.iconMode, std::nullopt);
    const kintab::KeypadFileValues two =
        kintab::parseKeypadFile(lines({"X", "P", "R", " 2 ", "1", "0", "0", " 2 "}));
    EXPECT_EQ(two.upperCaseFlag, std::optional<std::uint8_t>(2));
    EXPECT_EQ(two.iconMode, std::optional<std::uint8_t>(2));
}

TEST(KeypadFileReading, MissingLinesGiveNoValues)
{
    const kintab::KeypadFileValues v = kintab::parseKeypadFile(lines({"A", "B", "C"}));
    EXPECT_EQ(v.letters.at(2), "C");
    EXPECT_EQ(v.upperCaseFlag, std::nullopt);
    EXPECT_EQ(v.sizeFactor, std::nullopt);
    EXPECT_EQ(v.top, -1.0);
    EXPECT_EQ(v.left, -1.0);
    EXPECT_EQ(v.iconMode, std::nullopt);

    const kintab::KeypadFileValues empty = kintab::parseKeypadFile({});
    EXPECT_EQ(empty.letters.at(0), "");
}

TEST(KeypadFileReading, NoFileGivesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(kintab::readKeypadFile(dir.path() + "/KINTAB.JKN"), std::nullopt);
    EXPECT_EQ(kintab::readKeypadFile(dir.path()), std::nullopt);  // a folder is no file
}

TEST(KeypadFileReading, LineEndsOfEitherKindAndLinesBeyondTheEighth)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + "/KINTAB.JKN";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("K\nL\r\nM\r 1 \n .8 \n 10 \n 20 \n 0 \nextra\n");
    file.close();
    const std::optional<kintab::KeypadFileValues> v = kintab::readKeypadFile(path);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->letters.at(2), "M");
    EXPECT_EQ(v->sizeFactor, std::optional<float>(0.8F));
    EXPECT_EQ(v->left, 20.0);
    EXPECT_EQ(v->iconMode, std::optional<std::uint8_t>(0));
}

TEST(KeypadFileWriting, WritesTheExactBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + "/KINTAB.JKN";
    kintab::KeypadFileContents contents;
    contents.letters = {"A", "Z", "R"};
    contents.upperCaseFlag = 0;
    contents.sizeFactor = 1.2F;
    contents.top = 9585.0F;
    contents.left = -120.0F;
    contents.iconMode = 1;
    ASSERT_EQ(kintab::writeKeypadFile(path, contents), QString());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("A\r\nZ\r\nR\r\n 0 \r\n 1.2 \r\n 9585 \r\n-120 \r\n 1 \r\n"));
}

TEST(KeypadFileWriting, WholeFactorAndFractionsBelowOneHaveNoZero)
{
    kintab::KeypadFileContents contents;
    contents.sizeFactor = 1.0F;
    contents.top = 0.0F;
    contents.left = 7.5F;
    const QStringList written = kintab::keypadFileLines(contents);
    ASSERT_EQ(written.size(), 8);
    EXPECT_EQ(written.at(4), " 1 ");
    EXPECT_EQ(written.at(5), " 0 ");
    EXPECT_EQ(written.at(6), " 7.5 ");
    contents.sizeFactor = 0.5F;
    EXPECT_EQ(kintab::keypadFileLines(contents).at(4), " .5 ");
}

TEST(KeypadFileWriting, WhatIsWrittenReadsBackTheSame)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + "/KINTAB.JKN";
    for (const float factor : {0.5F, 0.6F, 0.7F, 0.8F, 0.9F, 1.0F, 1.1F, 1.2F, 1.3F, 1.4F, 1.5F}) {
        kintab::KeypadFileContents contents;
        contents.letters = {"Q", "W", "E"};
        contents.sizeFactor = factor;
        contents.top = 11220.0F;
        contents.left = 0.0F;
        contents.iconMode = 0;
        ASSERT_EQ(kintab::writeKeypadFile(path, contents), QString());
        const std::optional<kintab::KeypadFileValues> v = kintab::readKeypadFile(path);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->sizeFactor, std::optional<float>(factor));
        EXPECT_EQ(v->letters.at(1), "W");
        EXPECT_EQ(v->top, 11220.0);
        EXPECT_EQ(v->left, 0.0);
        EXPECT_EQ(v->iconMode, std::optional<std::uint8_t>(0));
        EXPECT_EQ(v->upperCaseFlag, std::optional<std::uint8_t>(1));
    }
}

TEST(KeypadFileWriting, AFolderThatIsMissingIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + "/missing/KINTAB.JKN";
    EXPECT_FALSE(kintab::writeKeypadFile(path, {}).isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

struct LetterCase {
    const char16_t* text;
    std::optional<QChar> letter;
};

class LetterRule : public testing::TestWithParam<LetterCase> {};

TEST_P(LetterRule, FirstCharacterMustBeAnUpperCaseLatinLetter)
{
    EXPECT_EQ(kintab::acceptedLetter(QString::fromUtf16(GetParam().text)), GetParam().letter);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LetterRule,
    testing::Values(LetterCase{u"A", QChar(u'A')}, LetterCase{u"Z", QChar(u'Z')},
                    LetterCase{u"Xy", QChar(u'X')}, LetterCase{u"x", std::nullopt},
                    LetterCase{u"5", std::nullopt}, LetterCase{u"", std::nullopt},
                    LetterCase{u"@", std::nullopt},  // code 64, just below A
                    LetterCase{u"[", std::nullopt},  // code 91, just above Z
                    LetterCase{u"Ａ", std::nullopt},  // full-width A
                    LetterCase{u" A", std::nullopt}));

}  // namespace
