// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the map XML tests: the import test fixture with an
// environment whose converter, text editor and splash captions are recorded,
// the stored sample maps, and the tables the public sample must give.
#pragma once

#include "import_fixture.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace tavelcor::importtest {

// The stored sample in zone 9 (LF line ends) and the one without a zone.
inline QString publicMapText()
{
    return QString::fromUtf8(fileBytes(fixturePath(QStringLiteral("map_public.xml"))));
}
inline QString arbitraryMapText()
{
    return QString::fromUtf8(fileBytes(fixturePath(QStringLiteral("map_arbitrary.xml"))));
}

// The 1-based number of the first line of text that contains needle; 0 when none.
inline qint64 lineOf(const QString& text, const QString& needle)
{
    const qsizetype at = text.indexOf(needle);
    return at < 0 ? 0 : text.first(at).count(u'\n') + 1;
}

// The number of lines of text (a last line without a line end counts).
inline qint64 lineCount(const QString& text)
{
    return text.count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
}

class MapXmlTest : public ImportTest {
protected:
    void SetUp() override
    {
        ImportTest::SetUp();
        mEnv.converterPath = workPath(QStringLiteral("no-converter"));
        mEnv.runConverter = [this](const QString& program, const QStringList& arguments) {
            mConverterCalls.append(QStringList{program} + arguments);
            return mConverterResult;
        };
        mEnv.openTextEditor = [this](const QString& path) {
            mEditorPaths.append(path);
            return true;
        };
        mEnv.showStage = [this](const QString& caption) { mStages.append(caption); };
    }

    QString writeUtf8(const QString& name, const QString& text)
    {
        const QString path = sitePath(name);
        EXPECT_TRUE(writeBytes(path, text.toUtf8()));
        return path;
    }

    QString writeCp932(const QString& name, const QString& text)
    {
        const QString path = sitePath(name);
        EXPECT_TRUE(writeBytes(path, platform::toCp932(text)));
        return path;
    }

    ReadOutcome read(const QString& path) { return ReadMapXml(path, mEnv); }

    MapXmlEnvironment mEnv;
    ProcessRun mConverterResult = ProcessRun::NotStarted;
    QList<QStringList> mConverterCalls;
    QStringList mEditorPaths;
    QStringList mStages;
};

// The tables that map_public.xml gives (see the fixture's README).
inline void expectPublicMap()
{
    EXPECT_EQ(ZoneNo, 9);
    ASSERT_EQ(ZahyoMax, 12);
    EXPECT_DOUBLE_EQ(ZahyoX[1], -1000.0);
    EXPECT_DOUBLE_EQ(ZahyoY[1], 2000.0);
    EXPECT_DOUBLE_EQ(ZahyoX[12], -1020.0);
    EXPECT_DOUBLE_EQ(ZahyoY[12], 2000.0);
    const QStringList names = {"K1", "K2", "K3", "K4", "T5", "_?>", "_?>", "_?>", "_?>", "_?>", "_?>", "_?>"};
    const std::vector<int> used = {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int p = 1; p <= 12; ++p) {
        EXPECT_EQ(ZahyoName[p], names[p - 1]) << p;
        EXPECT_EQ(ZahyoUsed[p], used[std::size_t(p - 1)]) << p;
    }
    EXPECT_EQ(ZahyoX[8], 0.0);  // never given

    expectLine(1, {0, 0, 0, 0, 0});  // entry 1 stays empty
    expectLine(2, {-1030.5, 2000.25, -1030.5, 2020.75, 7});
    expectLine(3, {-1000, 2000, -1000, 2010, 11});
    expectLine(4, {-1000, 2010, -1010, 2010, 10});
    expectLine(5, {-1010, 2010, -1010, 2000, 13});
    expectLine(6, {-1050, 1990, -990, 1990, 6});
    expectLine(7, {-990, 1990, -990, 2030, 6});
    expectLine(8, {-990, 2030, -1050, 2030, 6});
    expectLine(9, {-1050, 2030, -1050, 1990, 6});
    EXPECT_EQ(LineNext, 10);

    ASSERT_EQ(PointCount, 1);
    EXPECT_EQ(PointName[1], QStringLiteral("A1"));
    EXPECT_DOUBLE_EQ(PointX[1], -990.0);
    EXPECT_DOUBLE_EQ(PointY[1], 1990.0);
    EXPECT_EQ(PointMark[1], 1);

    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("12-1"));
    EXPECT_EQ(KakuchiInfo[1], QStringLiteral("稲毛"));
    EXPECT_EQ(KakuchiFirst[1], 1);
    EXPECT_EQ(KakuchiLast[1], 4);
    EXPECT_EQ(KakuchiName[2], QStringLiteral("4(5)(6)"));
    EXPECT_EQ(KakuchiInfo[2], QStringLiteral("稲毛"));
    EXPECT_EQ(KakuchiFirst[2], 5);
    EXPECT_EQ(KakuchiLast[2], 7);
    const std::vector<int> vertices = {1, 2, 3, 4, 3, 12, 4};
    for (int s = 1; s <= 7; ++s)
        EXPECT_EQ(KakuchiVertex[s], vertices[std::size_t(s - 1)]) << s;
}

}  // namespace tavelcor::importtest
