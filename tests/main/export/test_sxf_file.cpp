// SPDX-License-Identifier: LicenseRef-Tavelcor
// The SXF file written from the tables, without windows: the head, the
// sections with and without the display filters, the colour and marker
// tables, texts that a P21 reader must get back whole, and write failures.
#include "export_fixture.h"

#include "main/export/sxf_writer.h"
#include "main/site/tables.h"

#include <QDir>
#include <QFile>

namespace tavelcor::exporttest {
namespace {

using sxf::SxfView;

// ---- tables ------------------------------------------------------------------------------

TEST(SxfTables, ColourNumbersOfThePaletteAndBlackOutsideIt)
{
    // colour index -> SXF colour number; outside the palette black (1).
    const int rows[][2] = {{0, 1},  {1, 4},  {2, 13}, {3, 12}, {4, 10}, {5, 9},  {6, 11},  {7, 15},  {8, 16},
                           {9, 4},  {10, 3}, {11, 7}, {12, 2}, {13, 6}, {14, 5}, {15, 8},  {16, 1},  {19, 1},
                           {-1, 1}, {99, 1}};
    for (const auto& row : rows)
        EXPECT_EQ(sxf::sxfColorOf(row[0]), row[1]) << "colour index " << row[0];
}

TEST(SxfTables, MarkerClassesAndTheirCodes)
{
    struct Row {
        const char16_t* caption;
        int markerClass;
        int code;
        int angle;
    };
    const Row rows[] = {
        {u"*", 1, 1, 0},  {u"＊", 1, 1, 0}, {u"・", 3, 3, 0},   {u"", 3, 3, 0},    {u"＋", 4, 4, 0},
        {u"+", 4, 4, 0},  {u"╋", 4, 4, 0},  {u"□", 5, 5, 0},   {u"口", 5, 5, 0},  {u"回", 5, 5, 0},
        {u"田", 5, 5, 0}, {u"■", 5, 5, 0},  {u"△", 6, 6, 0},   {u"▲", 6, 6, 0},   {u"X", 7, 7, 0},
        {u"Ｘ", 7, 7, 0}, {u"▽", 8, 6, 180}, {u"▼", 8, 6, 180}, {u"◇", 9, 5, 45},  {u"◆", 9, 5, 45},
        {u"○", 2, 2, 0},  {u"x", 2, 2, 0},   {u"**", 2, 2, 0},
    };
    for (const Row& row : rows) {
        const QString caption = QString::fromUtf16(row.caption);
        EXPECT_EQ(sxf::sxfMarkerClass(caption), row.markerClass) << caption.toStdString();
        const sxf::MarkerCode code = sxf::markerCodeOf(row.markerClass);
        EXPECT_EQ(code.code, row.code) << caption.toStdString();
        EXPECT_EQ(code.angle, row.angle) << caption.toStdString();
    }
    EXPECT_EQ(sxf::markerCodeOf(0).code, 0) << "a symbol without a class";
}

TEST(SxfTables, NumberTexts)
{
    EXPECT_EQ(sxf::sxfNumber(1234.5), "1234.5");
    EXPECT_EQ(sxf::sxfNumber(0.75), ".75");
    EXPECT_EQ(sxf::sxfNumber(-0.25), "-.25");
    EXPECT_EQ(sxf::sxfNumber(-0.0), "0");
    EXPECT_EQ(sxf::sxfNumberSingle(2.0F * 1000.0F), "2000");
    EXPECT_EQ(sxf::sxfNumberSingle(0.5F), ".5");
}

// ---- the frame -------------------------------------------------------------------------

TEST_F(ExportLogicTest, HeadDefinitionsKeepTheirBlanksAndTheTailFollowsTheFeatures)
{
    addPoint(QString(), QString(), 0.0, 0.0, 1);
    SymbolColor[1] = 12;
    const std::vector<SxfFeature> features = exportSxf(allShown());
    ASSERT_EQ(lines.size(), 183 + 4 + 118);
    EXPECT_EQ(lines[0], "ISO-10303-21;");
    EXPECT_EQ(lines[3], "        '2;1');");
    EXPECT_EQ(lines[13], "DATA;");
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[15 + 15 * 4 + 1], "#160 = pre_defined_colour_feature(\\'darkgray\\')");
    EXPECT_EQ(lines[15 + 16 * 4 + 1], "#170 = pre_defined_font_feature(\\'long dashed double-dotted\\')");
    EXPECT_EQ(lines[15 + 30 * 4 + 1], "#310 = pre_defined_font_feature(\\'double-dashed triplicate-dotted\\')");
    EXPECT_EQ(lines[15 + 31 * 4 + 1], "#320 = width_feature('0.130000')");
    EXPECT_EQ(lines[15 + 39 * 4 + 1], "#400 = width_feature('2.000000')");
    EXPECT_EQ(lines[15 + 40 * 4 + 1], "#410 = text_font_feature(\\'ＭＳ ゴシック\\')");
    // One feature (the point's symbol), then the tail from #440 on.
    ASSERT_EQ(features.size(), 1u + 29u);
    for (std::size_t k = 0; k < features.size(); ++k)
        EXPECT_EQ(features[k].entity, 430 + 10 * static_cast<std::int64_t>(k));
    EXPECT_EQ(features[1].name, "sfig_org_feature");
    EXPECT_EQ(features.back().name, "layer_feature");
    EXPECT_EQ(features.back().attributes, (QStringList{"TEXT20", "1"}));
    EXPECT_EQ(lines.last(), "END-ISO-10303-21;");
}

TEST_F(ExportLogicTest, FigurePlacementIsMinusTheDataMinimum)
{
    DataYMin = -1500.25;
    DataXMin = 300.5;
    DataYMax = 0.0;
    DataXMax = 301.0;
    const std::vector<SxfFeature> features = exportSxf(allShown());
    const SxfFeature locate = featuresNamed(features, "sfig_locate_feature").at(0);
    EXPECT_EQ(locate.attributes, (QStringList{"0", "TVX", "1500.25", "-300.5", "0", "0.001", "0.001"}));
    const SxfFeature sheet = featuresNamed(features, "drawing_sheet_feature").at(0);
    EXPECT_EQ(sheet.attributes, (QStringList{"TVX", "9", "1", "1500.25", ".5"}));
}

// ---- texts the P21 reader must get back -------------------------------------------------

TEST_F(ExportLogicTest, ApostrophesAndBackslashesAreDoubledAndBlanksAndControlsLeftOut)
{
    struct Row {
        QString name;
        QString readBack;
    };
    const Row rows[] = {
        {"A'B\\2", "A'B\\2"},
        {"end\\", "end\\"},
        {"'", "'"},
        {"\\'", "\\'"},
        {"a b\tc\r\nd", "abcd"},
        {"全角　空白", "全角　空白"},
    };
    for (const Row& row : rows)
        addPoint(row.name, QString(), 0.0, 0.0, 1);
    const std::vector<SxfFeature> labels = featuresNamed(exportSxf(allShown()), "text_string_feature");
    ASSERT_EQ(labels.size(), 2 * std::size(rows));
    for (std::size_t k = 0; k < std::size(rows); ++k)
        EXPECT_EQ(labels[2 * k + 1].attributes.at(3), rows[k].readBack) << rows[k].name.toStdString();
    for (const QString& line : lines.mid(183))
        EXPECT_FALSE(line.contains(u' ')) << line.toStdString();
}

// ---- points ---------------------------------------------------------------------------

TEST_F(ExportLogicTest, PointsInTextModeAndTheirLabels)
{
    SymbolColor[3] = 15;
    SxfView view = allShown();
    view.symbolCaption[3] = QStringLiteral("△");
    addPoint(QStringLiteral("No 5 "), QStringLiteral(" 済  "), 10.0, 20.0, 3);
    const std::vector<SxfFeature> features = exportSxf(view);
    ASSERT_GE(features.size(), 2u);
    EXPECT_EQ(features[0].attributes, (QStringList{"1", "8", "1", "△", "2020000", "1010000", "2000", "2000", "0",
                                                   "0", "0", "5", "1"}));
    // "No 5 " + "_" + " 済": 5 + 1 + 3 bytes, the blanks counted then removed.
    EXPECT_EQ(features[1].attributes, (QStringList{"1", "1", "1", "No5_済", "2021000", "1010000", "2000", "9000",
                                                   "0", "0", "0", "7", "1"}));
}

TEST_F(ExportLogicTest, PointsWithoutAnyNameGetNoLabel)
{
    addPoint(QStringLiteral("  "), QStringLiteral(" "), 0.0, 0.0, 1);
    EXPECT_EQ(featuresNamed(exportSxf(allShown()), "text_string_feature").size(), 1u);
}

TEST_F(ExportLogicTest, MarkersOfSymbolsWithoutAClassAndOfSymbolNineteen)
{
    SxfView view = allShown();
    view.markMode = 1;
    view.symbolCaption[17] = QStringLiteral("▽");  // only symbols 1..16 have classes
    addPoint(QString(), QString(), 0.0, 0.0, 17);
    addPoint(QString(), QString(), 0.0, 0.0, 19);
    const std::vector<SxfFeature> markers = featuresNamed(exportSxf(view), "point_marker_feature");
    ASSERT_EQ(markers.size(), 2u);
    EXPECT_EQ(markers[0].attributes.mid(4, 2), (QStringList{"0", "0"}));
    EXPECT_EQ(markers[1].attributes.at(1), "1") << "symbol 19 has no colour: black";
}

TEST_F(ExportLogicTest, FilteredPointsFollowTheirSwitchesAndColours)
{
    SymbolColor[1] = 12;
    SxfView view;  // answer No
    view.symbolColorRgb[1] = 0x0000FF;  // red, palette index 12
    view.symbolColorRgb[2] = 0xFF0000;  // blue, index 9
    addPoint(QStringLiteral("shown"), QString(), 0.0, 0.0, 1);
    addPoint(QStringLiteral("done"), QStringLiteral("済"), 0.0, 0.0, 1);
    addPoint(QStringLiteral("blue"), QString(), 0.0, 0.0, 2);
    addPoint(QStringLiteral("deleted"), QString(), 0.0, 0.0, 101);
    addPoint(QStringLiteral("twenty"), QString(), 0.0, 0.0, 20);
    addPoint(QStringLiteral("none"), QString(), 0.0, 0.0, 0);
    PointColorShown[9] = 0;

    const auto labelsOf = [this](const SxfView& v) {
        QStringList out;
        for (const SxfFeature& f : featuresNamed(exportSxf(v), "text_string_feature"))
            if (f.attributes.at(6) == "2000" && f.attributes.at(4) == "2001000")
                out << f.attributes.at(3);
        return out;
    };
    EXPECT_EQ(labelsOf(view), (QStringList{"shown", "done_済"}));
    view.check16 = 0;
    EXPECT_EQ(labelsOf(view), (QStringList{"shown"}));
    view.check12 = 0;
    EXPECT_EQ(labelsOf(view), QStringList{});
    view.includeHidden = true;
    EXPECT_EQ(labelsOf(view), (QStringList{"shown", "done_済", "blue"}))
        << "hidden points are written, deleted ones and markers 0 and 20 never";
}

// ---- lines and strokes ---------------------------------------------------------------------

TEST_F(ExportLogicTest, LinesByColourAndFilter)
{
    addLine(1.0, 2.0, 3.5, -4.25, 12);
    addLine(0.0, 0.0, 1.0, 1.0, 17);  // no palette colour: black
    addLine(0.0, 0.0, 1.0, 1.0, 20);  // never written
    addLine(0.0, 0.0, 1.0, 1.0, 3);
    LineColorShown[3] = 0;
    SxfView view;
    view.check12 = 0;
    std::vector<SxfFeature> written = featuresNamed(exportSxf(view), "line_feature");
    ASSERT_EQ(written.size(), 1u) << "colour 17 has no shown flag and 3 is hidden";
    EXPECT_EQ(written[0].attributes,
              (QStringList{"2", "2", "1", "1", "2002000", "1001000", "1995750", "1003500"}));
    written = featuresNamed(exportSxf(allShown()), "line_feature");
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[1].attributes.at(1), "1");
    EXPECT_EQ(written[2].attributes.at(1), "12");
}

// A line whose two ends lie on one spot (the empty entry 1 a map XML site
// keeps) is no line: written, it would be a feature of no length that a CAD
// program's extent reaches out to. Lines along one axis have length.
TEST_F(ExportLogicTest, LinesWithoutLengthAreLeftOut)
{
    addLine(0.0, 0.0, 0.0, 0.0, 0);      // the empty entry: all zero
    addLine(7.0, -3.0, 7.0, -3.0, 12);   // both ends on one spot
    addLine(1.0, 2.0, 1.0, 5.0, 12);     // along Y only
    addLine(1.0, 2.0, 4.0, 2.0, 12);     // along X only
    for (const SxfView& view : {SxfView{}, allShown()}) {
        const std::vector<SxfFeature> written = featuresNamed(exportSxf(view), "line_feature");
        ASSERT_EQ(written.size(), 2u);
        EXPECT_EQ(written[0].attributes.mid(4), (QStringList{"2002000", "1001000", "2005000", "1001000"}));
        EXPECT_EQ(written[1].attributes.mid(4), (QStringList{"2002000", "1001000", "2002000", "1004000"}));
    }
}

TEST_F(ExportLogicTest, StrokesFromTheirStartToTheirEndOrADeletedVertex)
{
    addStrokeVertex(0.0, 0.0, 12, 1);    // vertex 1 never starts a stroke
    addStrokeVertex(0.0, 0.0, 12, 1);    // 2: start
    addStrokeVertex(1.0, 0.0, 16, 2);    // 3: the stroke's colour, no palette colour
    addStrokeVertex(2.0, 0.0, 12, 0);    // 4: deleted, ends the stroke
    addStrokeVertex(5.0, 5.0, 12, 2);    // 5: outside any stroke
    addStrokeVertex(5.0, 5.0, 9, 1);     // 6: start, on the spot of 5
    addStrokeVertex(5.0, 5.0, 9, 2);     // 7
    addStrokeVertex(5.0, 5.0, 9, 2);     // 8
    addStrokeVertex(6.0, 5.0, 9, 3);     // 9: end
    addStrokeVertex(6.0, 5.0, 9, 1);     // 10: start, on the spot of 9
    addStrokeVertex(6.0, 5.0, 9, 3);     // 11
    SxfView view;
    view.check14 = 0;
    EXPECT_TRUE(featuresNamed(exportSxf(view), "polyline_feature").empty());
    const std::vector<SxfFeature> strokes = featuresNamed(exportSxf(allShown()), "polyline_feature");
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0].attributes.mid(0, 5), (QStringList{"3", "1", "1", "2", "3"}));
    EXPECT_EQ(listNumbers(strokes[0].attributes[6]), (std::vector<long long>{1000000, 1001000, 1002000}));
    EXPECT_EQ(strokes[1].attributes.at(1), "4");
    // The shift counts afresh in every stroke; a stroke's first vertex counts
    // when it lies on the vertex before it in the table.
    EXPECT_EQ(listNumbers(strokes[1].attributes[5]), (std::vector<long long>{2005001, 2005002, 2005003, 2005000}));
    EXPECT_EQ(listNumbers(strokes[2].attributes[5]), (std::vector<long long>{2005001, 2005002}));
}

// ---- texts ----------------------------------------------------------------------------

TEST_F(ExportLogicTest, TextsByFilterColourAndLayout)
{
    addText(QStringLiteral("甲 乙"), 10.0, 20.0, 12);
    addText(QStringLiteral("hidden"), 0.0, 0.0, 4);
    addText(QStringLiteral("deleted"), 0.0, 0.0, 112);
    addText(QString(), 0.0, 0.0, 12);
    addText(QStringLiteral("twenty"), 0.0, 0.0, 20);
    TxtColorShown[4] = 0;
    SxfView view;
    const std::vector<SxfFeature> filtered = featuresNamed(exportSxf(view), "text_string_feature");
    ASSERT_EQ(filtered.size(), 2u);
    EXPECT_EQ(filtered[0].attributes, (QStringList{"17", "15", "1", "甲", "2020000", "1010000", "2000", "2000", "0",
                                                   "0", "0", "7", "1"}));
    EXPECT_EQ(filtered[1].attributes.mid(0, 6), (QStringList{"18", "15", "1", "乙", "2020000", "1008000"}));
    view.check15 = 0;
    EXPECT_TRUE(featuresNamed(exportSxf(view), "text_string_feature").empty());
    EXPECT_EQ(featuresNamed(exportSxf(allShown()), "text_string_feature").size(), 3u)
        << "a hidden colour is written with the answer Yes, a deleted or colour-20 text never";
}

TEST_F(ExportLogicTest, ATextWithManyBlanksIsSplitWhole)
{
    // 600 parts: more than a table of 99 parts or of 500 lines holds.
    QStringList words;
    for (int k = 1; k <= 600; ++k)
        words << QString::number(k);
    addText(words.join(u' '), 0.0, 0.0, 0);
    const std::vector<SxfFeature> texts = featuresNamed(exportSxf(allShown()), "text_string_feature");
    ASSERT_EQ(texts.size(), 600u);
    for (int k = 1; k <= 600; ++k) {
        const SxfFeature& f = texts[std::size_t(k - 1)];
        EXPECT_EQ(f.attributes.at(3), QString::number(k));
        EXPECT_EQ(f.attributes.at(0), QString::number(std::min(16 + k, 26)));
        EXPECT_EQ(f.attributes.at(5), QString::number(1000000 - (k - 1) * 2000)) << "line " << k;
    }
}

TEST_F(ExportLogicTest, AnEmptyPartIsAnEmptyTextOfWidthZero)
{
    addText(QStringLiteral("A  B"), 0.0, 0.0, 0);
    const std::vector<SxfFeature> texts = featuresNamed(exportSxf(allShown()), "text_string_feature");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].attributes.at(3), "");
    EXPECT_EQ(texts[1].attributes.at(7), "0");
}

// ---- coordinates ----------------------------------------------------------------------------

TEST_F(ExportLogicTest, CoordinateLabelsByTheSwitches)
{
    struct Row {
        int check2;
        int check1;
        QString name;
        QString label;  // "" = no label
        QString width;
    };
    const Row rows[] = {
        {0, 0, "A", "A", "1000"},       {1, 0, "A", "A", "1000"},      {0, 1, "A", "7", "1000"},
        {1, 1, "A", "7(A)", "6000"},    {1, 1, " ", "7", "1000"},      {1, 0, " ", "", ""},
        {0, 0, "", "", ""},             {1, 1, "杭 1", "7(杭1)", "9000"},
    };
    for (const Row& row : rows) {
        resetTables();
        OriginX = 1000.0;
        OriginY = 2000.0;
        addCoordinate(7, row.name, 1.0, 2.0);
        addCoordinate(8, QStringLiteral("temp_?_"), 0.0, 0.0);  // temporary: written too
        SxfView view = allShown();
        view.check1 = row.check1;
        view.check2 = row.check2;
        const std::vector<SxfFeature> features = exportSxf(view);
        const std::vector<SxfFeature> markers = featuresNamed(features, "point_marker_feature");
        ASSERT_EQ(markers.size(), 2u) << "numbers 1..6 are free";
        EXPECT_EQ(markers[0].attributes, (QStringList{"5", "15", "2002000", "1001000", "2", "0", "1"}));
        const std::vector<SxfFeature> labels = featuresNamed(features, "text_string_feature");
        const bool labelled = !labels.empty() && labels[0].attributes.at(4) == "2003000";
        EXPECT_EQ(labelled, !row.label.isEmpty()) << row.name.toStdString() << row.check1 << row.check2;
        if (labelled && !row.label.isEmpty()) {
            EXPECT_EQ(labels[0].attributes.at(3), row.label);
            EXPECT_EQ(labels[0].attributes.at(7), row.width);
        }
    }
}

TEST_F(ExportLogicTest, NoCoordinatesWhenFilteredWithoutNumbersAndNames)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    SxfView view;
    EXPECT_TRUE(featuresNamed(exportSxf(view), "point_marker_feature").empty());
    view.check2 = 1;
    EXPECT_EQ(featuresNamed(exportSxf(view), "point_marker_feature").size(), 1u);
}

// ---- parcels ----------------------------------------------------------------------------

TEST_F(ExportLogicTest, ParcelOutlinesAlwaysAndBrokenParcelsNever)
{
    addSquare(1, 0.0, 0.0, 10.0, 20.0, QStringLiteral("1-1"));
    const int open = addSquare(5, 0.0, 0.0, 1.0, 1.0, QStringLiteral("type open"));
    const int broken = addSquare(9, 0.0, 0.0, 1.0, 1.0, QStringLiteral("bad"));
    KakuchiVertex[KakuchiFirst[broken]] = kZahyoTop + 1;
    SxfView view;  // answer No, every switch off
    view.check12 = view.check14 = view.check15 = view.check16 = 0;
    const std::vector<SxfFeature> outlines = featuresNamed(exportSxf(view), "polyline_feature");
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].attributes.mid(0, 5), (QStringList{"6", "15", "1", "1", "5"}));
    EXPECT_EQ(listNumbers(outlines[0].attributes[5]),
              (std::vector<long long>{2000000, 2000000, 2020000, 2020000, 2000000}));
    EXPECT_EQ(listNumbers(outlines[0].attributes[6]),
              (std::vector<long long>{1000000, 1010000, 1010000, 1000000, 1000000}));
    EXPECT_EQ(outlines[1].attributes.at(4), "4") << "parcel " << open << " is open";
}

TEST_F(ExportLogicTest, ParcelAttributeRowsLeaveNoGapForHiddenColumns)
{
    const int p = addSquare(1, 0.0, 0.0, 10.0, 20.0, QStringLiteral("12-3"));
    setKakuchiAttr(p, 1, QStringLiteral("12-3"));
    setKakuchiAttr(p, 2, QStringLiteral("宅地"));
    setKakuchiAttr(p, 3, QStringLiteral("字 上"));
    KakuchiAttrShow[2] = 1;
    for (int c = 4; c <= 10; ++c)
        KakuchiAttrShow[c] = 1;
    SxfView view;
    view.check6 = 1;
    const std::vector<SxfFeature> labels = featuresNamed(exportSxf(view), "text_string_feature");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].attributes, (QStringList{"7", "15", "1", "12-3", "2010000", "1005000", "2000", "4000",
                                                 "0", "0", "0", "7", "1"}));
    EXPECT_EQ(labels[1].attributes.mid(0, 6), (QStringList{"9", "15", "1", "字上", "2010000", "1003000"}));
}

TEST_F(ExportLogicTest, ParcelNameLabelsWithoutAttributesOrWithTheSwitchOff)
{
    const int p = addSquare(1, 0.0, 0.0, 10.0, 20.0, QStringLiteral("7"));
    setKakuchiAttr(p, 1, QStringLiteral("7"));
    addSquare(5, 0.0, 0.0, 1.0, 1.0, QStringLiteral("type open"));
    SxfView view;
    EXPECT_TRUE(featuresNamed(exportSxf(view), "text_string_feature").empty()) << "地番表示 off, answer No";
    view.includeHidden = true;
    std::vector<SxfFeature> labels;
    for (const SxfFeature& f : featuresNamed(exportSxf(view), "text_string_feature"))
        if (f.attributes.at(0) == "6")
            labels.push_back(f);
    ASSERT_EQ(labels.size(), 1u) << "no label for the open figure";
    EXPECT_EQ(labels[0].attributes, (QStringList{"6", "15", "1", "7", "2010000", "1005000", "2000", "1000", "0",
                                                 "0", "0", "5", "1"}));
}

// ---- failures ---------------------------------------------------------------------------

TEST_F(ExportLogicTest, AFileThatCannotBeWrittenFailsAndLeavesWhatWasThere)
{
    EXPECT_TRUE(sxf::writeSxfFile(path(QStringLiteral("missing/T.SFC")), allShown()).failed());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("missing/T.SFC"))));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("T.SFC"))));
    EXPECT_TRUE(sxf::writeSxfFile(path(QStringLiteral("T.SFC")), allShown()).failed());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("T.SFC"))).isDir());
}

TEST_F(ExportLogicTest, AnExistingFileIsReplacedWhole)
{
    QFile old(path(QStringLiteral("T.SFC")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    exportSxf(allShown());
    EXPECT_EQ(lines.size(), 301);
    EXPECT_EQ(lines.last(), "END-ISO-10303-21;");
}

}  // namespace
}  // namespace tavelcor::exporttest
