// SPDX-License-Identifier: LicenseRef-Tavelcor
// A site with every kind of row is saved, opened again (with another site
// origin, as a new run computes its own) and saved into a second folder:
// every file must come out byte for byte the same.
#include "main/site/dat_files.h"
#include "main/site/display_settings.h"
#include "main/site/parcel_attr_file.h"
#include "main/site/settings_file.h"
#include "main/site/sign_file.h"
#include "main/site/sima_file.h"
#include "main/site/symbol_file.h"
#include "site_test_support.h"

#include "bench/full_size_site.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

void fillCoordinatesAndParcels()
{
    const QStringList names{"境界①", "㎡点", "～波", "－線", "_?>", "計算_?_", "n_p_m", "K-8", "12-3V1"};
    ZahyoMax = static_cast<int>(names.size()) + 1;  // the last number stays free
    for (int n = 1; n <= names.size(); ++n) {
        ZahyoName[n] = names[n - 1];
        ZahyoX[n] = -34000.125 + n * 11.111;
        ZahyoY[n] = 12000.5 - n * 7.777;
        ZahyoH[n] = n * 1.5 - 4.0;
    }
    const std::vector<std::vector<int>> figures{{1, 2, 3, 8}, {8, 4}, {2, 3, 8}};
    int slot = 0;
    for (int p = 1; p <= 3; ++p) {
        KakuchiFirst[p] = slot;
        for (int n : figures[static_cast<std::size_t>(p - 1)])
            KakuchiVertex[slot++] = n;
        KakuchiLast[p] = slot - 1;
    }
    KakuchiCount = 3;
    KakuchiName[1] = QStringLiteral("12-3V1");
    KakuchiInfo[1] = QStringLiteral("字上ノ原");
    KakuchiName[2] = openFigureName();
    KakuchiName[3] = QStringLiteral("14");
    for (int c = 1; c <= kKakuchiAttrTop; ++c)
        setKakuchiAttr(1, c, QStringLiteral("属性%1").arg(c));
    setKakuchiAttr(3, 1, QStringLiteral("14"));
    setKakuchiAttr(3, 2, QStringLiteral("宅地"));
}

void fillItems()
{
    PointCount = 4;
    const QStringList names{"境界①", "", "杭～2", "P4"};
    const std::array<int, 4> marks{2, 0, 105, 18};
    for (int i = 1; i <= 4; ++i) {
        PointName[i] = names[i - 1];
        PointName2[i] = i == 1 ? QStringLiteral("済") : QString();
        PointX[i] = i * 3.25 - 20.0;
        PointY[i] = 40.0 - i * 1.75;
        PointMark[i] = static_cast<std::uint8_t>(marks[static_cast<std::size_t>(i - 1)]);
    }
    PointMark[5] = 112;  // a deleted point after the count
    LineNext = 4;
    for (int i = 1; i <= 3; ++i) {
        LineX1[i] = i;
        LineY1[i] = -i;
        LineX2[i] = i + 10.5;
        LineY2[i] = i * 2.25;
        LineColor[i] = static_cast<std::uint8_t>(i == 2 ? 103 : 12);
    }
    TegakiCount = 5;
    const std::array<int, 5> pens{0, 1, 2, 3, 0};
    for (int i = 1; i <= 5; ++i) {
        TegakiPen[i] = static_cast<std::uint8_t>(pens[static_cast<std::size_t>(i - 1)]);
        TegakiColor[i] = 9;
        TegakiX[i] = static_cast<float>(i) * 0.5F;
        TegakiY[i] = -static_cast<float>(i) * 1.25F;
    }
    TxtCount = 2;
    TxtString[1] = QStringLiteral("宅地 ① 120.5㎡");
    TxtColor[1] = 12;
    TxtX[1] = 5.5F;
    TxtY[1] = -7.25F;
    TxtString[2] = QStringLiteral("消した文字");
    TxtColor[2] = 104;
}

void fillSettings()
{
    HitRadius = 15;
    Setting6Text = QStringLiteral("現場メモ");
    ZoneNo = 9;
    SymbolChar[3] = QStringLiteral("①");
    SymbolLabel[3] = QStringLiteral("境界");
    LineWidthOf[12] = 4;
    PointColorShown[9] = 0;
    TegakiColorShown[2] = 0;
    HaikeiBright[3] = 4;
    Haikei1Code = 6;
}

// The first line where two CP932 files differ, for the failure message.
QString firstDifference(const QByteArray& a, const QByteArray& b)
{
    const QList<QByteArray> la = a.split('\n');
    const QList<QByteArray> lb = b.split('\n');
    for (qsizetype i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const QByteArray x = la.value(i);
        const QByteArray y = lb.value(i);
        if (x != y)
            return QStringLiteral("line %1: \"%2\" / \"%3\"").arg(i + 1).arg(platform::fromCp932(x), platform::fromCp932(y));
    }
    return {};
}

class SiteRoundTrip : public testsupport::SiteFileTest {
protected:
    void save(const QString& folder, const SignFileWindow& window)
    {
        SiteFolder = folder;
        ASSERT_FALSE(writeSignFile(folder + QStringLiteral("TAVELCOR.TVX"), window).failed());
        for (const WriteResult& r : {writePointDat(folder), writeLineDat(folder), writeTegakiDat(folder),
                                     writeTextDat(folder), writeZahyoSim(folder + QStringLiteral("ZAHYO.SIM")),
                                     writeParcelAttributes(folder), SaveBackgroundSettings(), SaveLineWidths(),
                                     SaveColorSelect(), SaveSettings(),
                                     SavePointSymbols(folder + QStringLiteral("POINT.JKN"), mButtons)}) {
            EXPECT_EQ(r.outcome, WriteOutcome::Written) << r.path.toStdString();
        }
    }

    SignFileWindow open(const QString& folder)
    {
        resetKeepingFolders();
        SiteFolder = folder;
        OriginX = -34100.0;  // another run, another origin
        OriginY = 11950.0;
        EXPECT_EQ(LoadSettings().linesRead, 56);
        LoadPointSymbols(folder + QStringLiteral("POINT.JKN"), mButtons);
        EXPECT_EQ(ReadSima(folder + QStringLiteral("ZAHYO.SIM")), ReadOutcome::Ok);
        EXPECT_EQ(readSiteDatFiles(folder), ReadOutcome::Ok);
        EXPECT_EQ(LoadLineWidths(), ReadOutcome::Ok);
        EXPECT_EQ(LoadColorSelect(), ReadOutcome::Ok);
        EXPECT_EQ(LoadBackgroundSettings(), ReadOutcome::Ok);
        return readSignFile(folder + QStringLiteral("TAVELCOR.TVX")).window.value_or(SignFileWindow{});
    }

    DesignSymbolButtons mButtons;
};

TEST_F(SiteRoundTrip, SavedOpenedAndSavedAgainIsByteIdentical)
{
    const QString first = mSite.path() + QStringLiteral("/first/");
    const QString second = mSite.path() + QStringLiteral("/second/");
    ASSERT_TRUE(QDir().mkpath(first));
    ASSERT_TRUE(QDir().mkpath(second));
    OriginX = -34000.0;
    OriginY = 12000.0;
    LoadPointSymbols(first + QStringLiteral("NONE.JKN"), mButtons);
    fillCoordinatesAndParcels();
    fillItems();
    fillSettings();
    save(first, {-120.5F, 80.25F, 300.0F, -64.0F});
    // Opening the first folder gives the same tables again.
    const SignFileWindow window = open(first);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("境界①"));
    EXPECT_EQ(ZahyoName[5], freeZahyoName()) << "reserved names are not saved";
    EXPECT_EQ(KakuchiName[2], openFigureName());
    EXPECT_EQ(KakuchiAttr(1, 40), QStringLiteral("属性40"));
    EXPECT_EQ(KakuchiAttr(1, 1), QStringLiteral("12-3")) << "matched without V1";
    EXPECT_EQ(PointMark[3], 105);
    EXPECT_EQ(PointMark[5], 112);
    EXPECT_EQ(PointCount, 5);
    EXPECT_DOUBLE_EQ(PointX[1] + OriginX, -34000.0 + 3.25 - 20.0);
    EXPECT_EQ(TxtString[1], QStringLiteral("宅地 ① 120.5㎡"));
    EXPECT_EQ(TegakiPen[5], 0);
    EXPECT_EQ(SymbolChar[3], QStringLiteral("①"));
    EXPECT_EQ(Haikei1Code, 6);
    EXPECT_EQ(window.right, 300.0F);
    save(second, window);
    const QStringList files = QDir(first).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QDir(second).entryList(QDir::Files, QDir::Name));
    EXPECT_EQ(files.size(), 12);
    for (const QString& name : files) {
        const QByteArray a = testsupport::fileBytes(first + name);
        const QByteArray b = testsupport::fileBytes(second + name);
        EXPECT_EQ(a, b) << name.toStdString() << ": " << firstDifference(a, b).toStdString();
    }
}

// The site files of a folder, each written from the tables.
void writeSiteFiles(const QString& folder)
{
    SiteFolder = folder;
    for (const WriteResult& r : {writeZahyoSim(folder + QStringLiteral("ZAHYO.SIM")), writeParcelAttributes(folder),
                                 writePointDat(folder), writeLineDat(folder), writeTegakiDat(folder),
                                 writeTextDat(folder)}) {
        EXPECT_EQ(r.outcome, WriteOutcome::Written) << r.path.toStdString();
    }
}

// Every file of the first folder is byte for byte the one of the second.
void expectSameFiles(const QString& first, const QString& second, qsizetype count)
{
    const QStringList files = QDir(first).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QDir(second).entryList(QDir::Files, QDir::Name));
    EXPECT_EQ(files.size(), count);
    for (const QString& name : files) {
        const QByteArray a = testsupport::fileBytes(first + name);
        const QByteArray b = testsupport::fileBytes(second + name);
        EXPECT_TRUE(a == b) << name.toStdString() << ": " << firstDifference(a, b).toStdString();
    }
}

// A site whose numbers have gaps: coordinates 3, 4, 10 and 250000 of
// 250000, points 2, 5 and 9 of 12 (with a deleted point after the count),
// strokes with empty slots, a deleted line and a deleted text.
void fillSiteWithGaps()
{
    const std::vector<std::pair<int, QString>> coordinates{
        {3, QStringLiteral("境界③")}, {4, QStringLiteral("K4")}, {10, QStringLiteral("杭－10")},
        {250000, QStringLiteral("末")}};
    for (const auto& [n, name] : coordinates) {
        ZahyoName[n] = name;
        ZahyoX[n] = -34000.0 - n * 0.001;
        ZahyoY[n] = 12000.0 + n * 0.002;
        ZahyoH[n] = n % 7;
    }
    ZahyoMax = 250000;
    KakuchiVertex[0] = 10;
    KakuchiVertex[1] = 3;
    KakuchiVertex[2] = 250000;
    KakuchiFirst[1] = 0;
    KakuchiLast[1] = 2;
    KakuchiName[1] = QStringLiteral("7-2");
    KakuchiCount = 1;
    setKakuchiAttr(1, 1, QStringLiteral("7-2"));
    setKakuchiAttr(1, 3, QStringLiteral("畑"));
    for (const int i : {2, 5, 9}) {
        PointName[i] = QStringLiteral("点%1").arg(i);
        PointX[i] = i * 1.5;
        PointY[i] = -i * 2.5;
        PointMark[i] = static_cast<std::uint8_t>(i);
    }
    PointCount = 12;
    PointMark[13] = 103;
    // Lines are numbered in file order when read, so their file has no gaps
    // to keep.
    LineNext = 3;
    LineX1[1] = 2.0;
    LineX2[1] = 3.0;
    LineColor[1] = 9;
    LineY1[2] = 1.0;
    LineColor[2] = 103;  // deleted
    for (const int i : {4, 5, 6}) {
        TegakiPen[i] = static_cast<std::uint8_t>(i - 3);
        TegakiColor[i] = 2;
        TegakiX[i] = static_cast<float>(i);
        TegakiY[i] = -static_cast<float>(i);
    }
    TegakiCount = 8;
    TxtCount = 3;
    for (int i = 1; i <= 3; ++i) {
        TxtString[i] = QStringLiteral("文字 %1").arg(i);
        TxtColor[i] = static_cast<std::uint8_t>(i == 2 ? 112 : 12);
        TxtX[i] = static_cast<float>(i) * 0.5F;
        TxtY[i] = -static_cast<float>(i);
    }
}

TEST_F(SiteRoundTrip, ASiteWithGapsInItsNumbersIsReadAndWrittenAgainByteForByte)
{
    const QString first = mSite.path() + QStringLiteral("/first/");
    const QString second = mSite.path() + QStringLiteral("/second/");
    ASSERT_TRUE(QDir().mkpath(first) && QDir().mkpath(second));
    OriginX = -34000.0;
    OriginY = 12000.0;
    fillSiteWithGaps();
    writeSiteFiles(first);
    resetKeepingFolders();
    SiteFolder = first;
    OriginX = -34100.0;  // another run, another origin
    OriginY = 11950.0;
    ASSERT_EQ(ReadSima(first + QStringLiteral("ZAHYO.SIM")), ReadOutcome::Ok);
    ASSERT_EQ(readSiteDatFiles(first), ReadOutcome::Ok);
    EXPECT_EQ(ZahyoMax, 250000);
    EXPECT_EQ(ZahyoName[5], freeZahyoName()) << "a gap stays free";
    EXPECT_EQ(ZahyoName[10], QStringLiteral("杭－10"));
    EXPECT_EQ(PointCount, 13);
    EXPECT_EQ(PointMark[3], 0);
    EXPECT_EQ(KakuchiAttr(1, 3), QStringLiteral("畑"));
    writeSiteFiles(second);
    expectSameFiles(first, second, 6);
}

// The benchmarks' full-size site: a name on every coordinate and point, a
// name and attributes on every parcel, every table full.
TEST_F(SiteRoundTrip, AFullSizeSiteIsReadAndWrittenAgainByteForByte)
{
    const QString first = mSite.path() + QStringLiteral("/first/");
    const QString second = mSite.path() + QStringLiteral("/second/");
    ASSERT_TRUE(QDir().mkpath(first) && QDir().mkpath(second));
    benchsupport::buildNamedSite();
    writeSiteFiles(first);
    resetKeepingFolders();
    SiteFolder = first;
    OriginX = -33000.0;
    OriginY = 13000.0;
    ASSERT_EQ(ReadSima(first + QStringLiteral("ZAHYO.SIM")), ReadOutcome::Ok);
    ASSERT_EQ(readSiteDatFiles(first), ReadOutcome::Ok);
    EXPECT_EQ(ZahyoMax, kZahyoTop);
    EXPECT_EQ(ZahyoName[kZahyoTop], benchsupport::coordinateName(kZahyoTop));
    EXPECT_EQ(KakuchiCount, kKakuchiCountLimit);
    EXPECT_EQ(KakuchiLast[kKakuchiCountLimit], benchsupport::kNamedSiteVertexSlots - 1);
    EXPECT_EQ(KakuchiAttr(kKakuchiCountLimit, 4), QStringLiteral("山田　太郎"));
    EXPECT_EQ(PointCount, kPointTop);
    EXPECT_EQ(PointName[kPointTop], QStringLiteral("境界①500000"));
    EXPECT_EQ(PointName2[kPointTop], QStringLiteral("杭62"));
    EXPECT_EQ(LineNext, kLineTop + 1);
    EXPECT_EQ(TegakiCount, kTegakiTop);
    EXPECT_EQ(TxtCount, kTxtTop);
    writeSiteFiles(second);
    expectSameFiles(first, second, 6);
}

}  // namespace
}  // namespace tavelcor
