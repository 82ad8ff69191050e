// SPDX-License-Identifier: LicenseRef-Tavelcor
// "SXF作成" driven as a user does: the question answered, the save dialog
// answered with a file, the file read back.
#include "export_window_fixture.h"

#include "platform/canvas/colors.h"

#include <QDir>
#include <QFile>

namespace tavelcor::exporttest {
namespace {

using platform::MsgResult;

class SxfButtonTest : public ExportWindowTest {
protected:
    /// Symbol m of the main window: its caption and colour.
    static void setSymbol(int m, const QString& caption, int color)
    {
        platform::OptionButton* button = plot().Option13.find(m);
        ASSERT_NE(button, nullptr);
        button->setCaption(caption);
        button->setForeColor(platform::QBColor(color));
        SymbolColor[m] = static_cast<std::uint8_t>(color);
    }

    /// The feature lines (entity lines) of the file, in order.
    static QStringList featureLines(const QStringList& lines)
    {
        QStringList out;
        for (qsizetype i = kHeadLines; i + 1 < lines.size(); i += 4)
            out << lines[i + 1];
        return out;
    }

    static bool anyLineContains(const QStringList& lines, const QString& text)
    {
        for (const QString& line : lines)
            if (line.contains(text))
                return true;
        return false;
    }
};

TEST_F(SxfButtonTest, AnEmptySite)
{
    const QStringList lines = exportSxf(MsgResult::No);
    const platform::PromptRecord& question = script().records().at(0);
    EXPECT_EQ(question.buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(question.icon, platform::MsgIcon::None);
    const platform::PromptRecord& dialog = script().records().at(1);
    EXPECT_EQ(dialog.kind, platform::PromptKind::SaveFile);
    EXPECT_EQ(dialog.filter, "SXF ファイル|*.SFC");
    EXPECT_EQ(dialog.defaultText, "TAVELCOR.SFC");
    EXPECT_EQ(dialog.initialFolder, QDir::cleanPath(SiteFolder)) << "opens where the site is";

    ASSERT_EQ(lines.size(), 301);
    EXPECT_EQ(lines[16], "#10 = pre_defined_colour_feature(\\'red\\')");
    EXPECT_EQ(lines[180], "#420 = text_font_feature(\\'ＭＳ 明朝\\')");
    EXPECT_EQ(lines[184], "#430=sfig_org_feature(\\'TVX\\','2')");
    EXPECT_EQ(lines[188], "#440=sfig_locate_feature('0',\\'TVX\\','0','0','0','0.001','0.001')");
    EXPECT_EQ(lines[192], "#450=drawing_sheet_feature(\\'TVX\\','9','1','0','0')");
    EXPECT_EQ(lines[196], "#460=layer_feature(\\'POINT\\','1')");
    EXPECT_EQ(lines[196 + 25 * 4], "#710=layer_feature(\\'TEXT20\\','1')");
    EXPECT_EQ(lines[299], "ENDSEC;");
    EXPECT_EQ(lines[300], "END-ISO-10303-21;");
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains("'-0'")) << line.toStdString();
}

TEST_F(SxfButtonTest, TheSheetIsTheDataExtent)
{
    DataYMin = 100.0;
    DataYMax = 1334.5;
    DataXMin = -10.0;
    DataXMax = -9.25;
    const QStringList lines = exportSxf(MsgResult::No);
    ASSERT_EQ(lines.size(), 301);
    EXPECT_EQ(lines[192], "#450=drawing_sheet_feature(\\'TVX\\','9','1','1234.5','.75')");
}

TEST_F(SxfButtonTest, APointAsATextSymbolWithItsLabel)
{
    setSymbol(1, QStringLiteral("○"), 12);
    addPoint(QStringLiteral("A 1"), QString(), 100.0, 200.0, 1);
    addPoint(QStringLiteral("P1"), QStringLiteral("済"), 100.0, 200.0, 1);
    const QStringList features = featureLines(exportSxf(MsgResult::Yes));
    ASSERT_GE(features.size(), 4);
    EXPECT_EQ(features[0],
              "#430=text_string_feature('1','2','1',\\'○\\','200000','100000','2000','2000','0','0','0','5','1')");
    EXPECT_EQ(features[1],
              "#440=text_string_feature('1','1','1',\\'A1\\','201000','100000','2000','3000','0','0','0','7','1')");
    EXPECT_EQ(features[3],
              "#460=text_string_feature('1','1','1',\\'P1_済\\','201000','100000','2000','5000','0','0','0','7','1')");
}

TEST_F(SxfButtonTest, PointsAsMarkers)
{
    setSymbol(1, QStringLiteral("▽"), 12);
    setSymbol(2, QStringLiteral("◇"), 12);
    setSymbol(3, QStringLiteral("○"), 12);
    SxfMarkMode = 1;
    for (int m = 1; m <= 3; ++m)
        addPoint(QString(), QString(), 100.0, 200.0, m);
    QStringList features = featureLines(exportSxf(MsgResult::Yes));
    ASSERT_GE(features.size(), 3);
    EXPECT_TRUE(features[0].endsWith("=point_marker_feature('1','2','200000','100000','6','180','1')"));
    EXPECT_TRUE(features[1].endsWith("=point_marker_feature('1','2','200000','100000','5','45','1')"));
    EXPECT_TRUE(features[2].endsWith("=point_marker_feature('1','2','200000','100000','2','0','1')"));
    SxfMarkH = 1.0F;
    features = featureLines(exportSxf(MsgResult::Yes, QStringLiteral("U.SFC")));
    EXPECT_TRUE(features.at(0).endsWith("'6','180','.5')")) << features.at(0).toStdString();
}

TEST_F(SxfButtonTest, ACoordinateByNumberAndName)
{
    addCoordinate(12, QStringLiteral("A"), 10.0, 20.0);
    Plot& w = plot();
    w.Check1.setValue(1);
    w.Check2.setValue(1);
    QStringList features = featureLines(exportSxf(MsgResult::No));
    EXPECT_TRUE(anyLineContains(features, "=point_marker_feature('5','15','20000','10000','2','0','1')"));
    EXPECT_TRUE(anyLineContains(
        features, "=text_string_feature('5','15','1',\\'12(A)\\','21000','10000','2000','7000','0','0','0','7','1')"));
    w.Check2.setValue(0);
    features = featureLines(exportSxf(MsgResult::No, QStringLiteral("U.SFC")));
    EXPECT_TRUE(anyLineContains(
        features, "=text_string_feature('5','15','1',\\'12\\','21000','10000','2000','2000','0','0','0','7','1')"));
}

TEST_F(SxfButtonTest, ATextSplitIntoLinesWithOneHidden)
{
    TxtLineShow[2] = 1;
    addText(QStringLiteral("A B C"), 50.0, 60.0, 12);
    std::vector<SxfFeature> texts = featuresNamed(featuresOf(exportSxf(MsgResult::Yes)), "text_string_feature");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].attributes.mid(0, 6), (QStringList{"17", "15", "1", "A", "60000", "50000"}));
    EXPECT_EQ(texts[1].attributes.mid(0, 6), (QStringList{"18", "15", "1", "C", "60000", "48000"}));

    TxtSplit = 0;
    texts = featuresNamed(featuresOf(exportSxf(MsgResult::Yes, QStringLiteral("U.SFC"))), "text_string_feature");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].attributes.mid(0, 4), (QStringList{"17", "15", "1", "ABC"}));
    EXPECT_EQ(texts[0].attributes.at(7), "5000");
}

TEST_F(SxfButtonTest, TheEleventhAndLaterLinesOfATextAreKept)
{
    QStringList words;
    for (int k = 1; k <= 12; ++k)
        words << QStringLiteral("L%1").arg(k);
    addText(words.join(u' '), 0.0, 0.0, 12);
    const std::vector<SxfFeature> texts =
        featuresNamed(featuresOf(exportSxf(MsgResult::Yes)), "text_string_feature");
    ASSERT_EQ(texts.size(), 12u);
    for (int k = 1; k <= 12; ++k) {
        EXPECT_EQ(texts[std::size_t(k - 1)].attributes.at(3), QStringLiteral("L%1").arg(k));
        EXPECT_EQ(texts[std::size_t(k - 1)].attributes.at(0), QString::number(std::min(16 + k, 26)));
    }
}

TEST_F(SxfButtonTest, StrokeVerticesOnOneSpotAreShiftedAndAnUnfinishedStrokeIsLeftOut)
{
    addStrokeVertex(0.0, 0.0, 12, 0);   // 1
    addStrokeVertex(1.0, 1.0, 12, 1);   // 2: start
    addStrokeVertex(2.0, 2.0, 12, 2);   // 3
    addStrokeVertex(3.0, 3.0, 12, 2);   // 4
    for (int v = 5; v <= 10; ++v)
        addStrokeVertex(7.0, 8.0, 12, 2);  // 5..10 on one spot
    addStrokeVertex(9.0, 9.0, 12, 3);   // 11: end
    addStrokeVertex(4.0, 4.0, 12, 1);   // 12: a stroke without its end
    addStrokeVertex(5.0, 5.0, 12, 2);
    const std::vector<SxfFeature> strokes =
        featuresNamed(featuresOf(exportSxf(MsgResult::Yes)), "polyline_feature");
    ASSERT_EQ(strokes.size(), 1u);
    EXPECT_EQ(strokes[0].attributes.at(4), "10");
    EXPECT_EQ(listNumbers(strokes[0].attributes.at(5)),
              (std::vector<long long>{1000, 2000, 3000, 8000, 8001, 8002, 8003, 8004, 8001, 9000}));
    EXPECT_EQ(listNumbers(strokes[0].attributes.at(6)),
              (std::vector<long long>{1000, 2000, 3000, 7000, 7000, 7000, 7000, 7000, 7000, 9000}));
}

TEST_F(SxfButtonTest, ClosedAndOpenParcels)
{
    addSquare(1, 0.0, 0.0, 10.0, 10.0, QStringLiteral("1-1"));
    addSquare(5, 0.0, 0.0, 10.0, 10.0, QStringLiteral("type open"));
    const std::vector<SxfFeature> outlines =
        featuresNamed(featuresOf(exportSxf(MsgResult::No)), "polyline_feature");
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].attributes.at(4), "5");
    EXPECT_EQ(outlines[1].attributes.at(4), "4");
}

TEST_F(SxfButtonTest, ANameWithAnApostropheAndABackslashReadsBackWhole)
{
    addPoint(QStringLiteral("A'B\\2"), QString(), 0.0, 0.0, 1);
    const std::vector<SxfFeature> features = featuresOf(exportSxf(MsgResult::Yes));
    ASSERT_GE(features.size(), 2u);
    EXPECT_TRUE(features[1].ok);
    EXPECT_EQ(features[1].attributes.at(3), "A'B\\2");
}

TEST_F(SxfButtonTest, CancellingTheDialogWritesNothing)
{
    Plot& w = shownPlot();
    script().expectMessage(MsgResult::Yes, kSxfQuestion);
    script().expectSaveFile(std::nullopt);
    click(w.Command10);
    EXPECT_TRUE(QDir(path(QString())).entryList({"*.SFC"}).isEmpty());
    EXPECT_TRUE(w.Picture1.hasFocus());
}

TEST_F(SxfButtonTest, AFileThatCannotBeWrittenIsReported)
{
    Plot& w = shownPlot();
    script().expectMessage(MsgResult::No, kSxfQuestion);
    script().expectSaveFile(path(QStringLiteral("no such folder/T.SFC")));
    script().expectMessage(MsgResult::Ok, QStringLiteral("保存に失敗しました"));
    click(w.Command10);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("no such folder/T.SFC"))));
}

}  // namespace
}  // namespace tavelcor::exporttest
