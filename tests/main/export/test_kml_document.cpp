// SPDX-License-Identifier: LicenseRef-Tavelcor
// The KML document: its fixed lines, the folders and their conditions, the
// labels, the limits, the styles, the view bounds, escaping and the size of
// the entry table. Every document is also checked by xmllint.
#include "kml_document_fixture.h"

#include "main/export/kml_labels.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace tavelcor::kmltest {
namespace {

const QRegularExpression kTupleLine(QStringLiteral("^<coordinates>(\\d+\\.\\d+),(\\d+\\.\\d+),0</coordinates>$"));
const QRegularExpression kSegmentLine(
    QStringLiteral("^<coordinates>\\d+\\.\\d+,\\d+\\.\\d+,0 \\d+\\.\\d+,\\d+\\.\\d+,0</coordinates>$"));

qsizetype placemarks(const QStringList& lines)
{
    return countOf(lines, QStringLiteral("<Placemark>"));
}

// The names of the placemarks in a folder, in order.
QStringList names(const QStringList& folderLines)
{
    QStringList out;
    for (qsizetype k = 1; k < folderLines.size(); ++k) {
        if (folderLines[k - 1] == u"<Placemark>")
            out << folderLines[k];
    }
    return out;
}

TEST_F(KmlDocumentTest, EmptySiteHasTheHeaderAnEmptyCoordinateFolderAndTheOverlay)
{
    const QByteArray bytes = build();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_TRUE(bytes.endsWith("</Folder>\r\n</kml>"));
    const QStringList l = documentLines(bytes);
    ASSERT_EQ(l.size(), 32);
    const QStringList fixed = {
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"),
        QStringLiteral("<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">"),
        QStringLiteral("<Folder>"),
        QStringLiteral("<name>Tavelcor4</name>"),
        QStringLiteral("<LookAt>"),
        QString(),  // longitude
        QString(),  // latitude
        QStringLiteral("<altitude>0</altitude><!--0固定-->"),
        QStringLiteral("<heading>0</heading><!--方位0固定-->"),
        QStringLiteral("<tilt>0</tilt><!--上下の向き0固定-->"),
        QStringLiteral("<range>100</range><!--初期表示幅-->"),
        QStringLiteral("<gx:altitudeMode>relativeToSeaFloor</gx:altitudeMode><!--地面を基準にアイコンを配置-->"),
        QStringLiteral("</LookAt>"),
        QStringLiteral("<Folder>"),
        QStringLiteral("<name>SIMA測点</name>"),
        QStringLiteral("<visibility>0</visibility>"),
        QStringLiteral("</Folder>"),
        QStringLiteral("<GroundOverlay>"),
        QStringLiteral("<Icon> <href>/tmp/tavelcor-kml/Eld/WHITE.BMP</href> </Icon>"),
        QStringLiteral("<name>明るく</name>"),
        QStringLiteral("<visibility>0</visibility>"),
        QStringLiteral("<color>70C0C0C0</color>"),
        QStringLiteral("<LatLonBox>"),
        QStringLiteral("<north>25</north>"),
        QStringLiteral("<south>45</south>"),
        QStringLiteral("<east>120</east>"),
        QStringLiteral("<west>150</west>"),
        QStringLiteral("<rotation>0</rotation>"),
        QStringLiteral("</LatLonBox>"),
        QStringLiteral("</GroundOverlay>"),
        QStringLiteral("</Folder>"),
        QStringLiteral("</kml>"),
    };
    for (qsizetype k = 0; k < 32; ++k) {
        if (!fixed[k].isEmpty()) {
            EXPECT_EQ(l[k], fixed[k]) << "line " << k + 1;
        }
    }
    EXPECT_TRUE(l[5].startsWith(u"<longitude>") && l[5].endsWith(u"</longitude><!--初期画面中心経度-->"));
    EXPECT_TRUE(l[6].startsWith(u"<latitude>") && l[6].endsWith(u"</latitude><!--初期画面中心緯度-->"));
    EXPECT_TRUE(wellFormed(written(bytes)));
}

// The camera: the view centre in decimal degrees (the zone-9 origin, 36°N
// 139°50'E) and the east-west extent, in the plain number text.
TEST_F(KmlDocumentTest, CameraLooksAtTheViewCentre)
{
    setView(0.0, 0.0, 80.0, 0.5);
    const QStringList l = lines();
    EXPECT_EQ(l[5], QStringLiteral("<longitude>139.833333333333</longitude><!--初期画面中心経度-->"));
    EXPECT_EQ(l[6], QStringLiteral("<latitude>36</latitude><!--初期画面中心緯度-->"));
    EXPECT_EQ(l[10], QStringLiteral("<range>.5</range><!--初期表示幅-->"));
}

struct LabelRow {
    const char* name;
    int check17, check1, check2, check3;
    bool parcelVertex;
    const char16_t* label;
};

class CoordinateLabels : public KmlDocumentTest, public ::testing::WithParamInterface<LabelRow> {};

TEST_P(CoordinateLabels, FollowTheNameAndNumberSwitches)
{
    const LabelRow& row = GetParam();
    addCoordinate(12, QStringLiteral("A"), 1.0, 2.0);
    ZahyoUsed[12] = row.parcelVertex ? 1 : 0;
    input.switches.check17 = row.check17;
    input.switches.check1 = row.check1;
    input.switches.check2 = row.check2;
    input.switches.check3 = row.check3;
    EXPECT_EQ(names(folder(lines(), QStringLiteral("SIMA測点"))),
              QStringList{QStringLiteral("<name>") + QString::fromUtf16(row.label) + QStringLiteral("</name>")});
}

INSTANTIATE_TEST_SUITE_P(
    Kml, CoordinateLabels,
    ::testing::Values(LabelRow{"number_and_name", 1, 1, 1, 0, false, u" 12:A"},
                      LabelRow{"number_only", 1, 1, 0, 0, false, u" 12"},
                      LabelRow{"name_only", 1, 0, 1, 0, false, u" A"},
                      LabelRow{"neither", 1, 0, 0, 0, false, u""},
                      LabelRow{"labels_off", 0, 1, 1, 0, false, u""},
                      LabelRow{"parcel_vertex_while_check3", 1, 1, 1, 1, true, u""},
                      LabelRow{"parcel_vertex_while_check3_greyed", 1, 1, 1, 2, true, u""},
                      LabelRow{"no_vertex_while_check3", 1, 1, 1, 1, false, u" 12:A"},
                      LabelRow{"parcel_vertex_check3_clear", 1, 1, 1, 0, true, u" 12:A"},
                      LabelRow{"greyed_number_switch", 1, 2, 1, 0, false, u""},
                      LabelRow{"greyed_labels_switch", 2, 1, 1, 0, false, u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KmlDocumentTest, CoordinatePlacemarkLines)
{
    addCoordinate(3, QStringLiteral("K3"), 10.0, -10.0);
    input.switches.check1 = input.switches.check2 = 1;
    const QStringList f = folder(lines(), QStringLiteral("SIMA測点"));
    ASSERT_EQ(f.size(), 3 + 14 + 1);
    EXPECT_EQ(f.mid(0, 3), (QStringList{"<Folder>", "<name>SIMA測点</name>", "<visibility>0</visibility>"}));
    EXPECT_EQ(f.mid(3, 5), (QStringList{"<Placemark>", "<name> 3:K3</name>", "<visibility>0</visibility>",
                                        "<Point>", "<altitudeMode>clampToGround</altitudeMode>"}));
    EXPECT_TRUE(kTupleLine.match(f[8]).hasMatch()) << f[8].toStdString();
    EXPECT_EQ(f.mid(9), (QStringList{"</Point>", "<Style>", "<LabelStyle>", "<color>ffffffff</color>",
                                     "<scale>0.75</scale>", "</LabelStyle>", "</Style>", "</Placemark>",
                                     "</Folder>"}));
}

TEST_F(KmlDocumentTest, FreeTemporaryAndProfileCoordinatesAreNeverWritten)
{
    input.switches.check1 = input.switches.check2 = 1;
    const QStringList hidden = {"_?>", "T1_?_", "_?_", "n_p_m"};
    // The last three characters are trimmed after they are taken: "A_?_ "
    // ends in "?_ ", which is no temporary mark.
    const QStringList shown = {"n_p_m2", "_?_X", "P_?", "A_?_ "};
    int n = 0;
    for (const QString& name : hidden + shown) {
        ++n;
        addCoordinate(n, name, n, n);
    }
    QStringList expected;
    for (int k = 0; k < shown.size(); ++k)
        expected << QStringLiteral("<name> %1:%2</name>").arg(hidden.size() + k + 1).arg(shown[k]);
    EXPECT_EQ(names(folder(lines(), QStringLiteral("SIMA測点"))), expected);
}

// Exactly PointLimit qualifying coordinates give the folder, one more none;
// coordinates outside the view do not count.
TEST_F(KmlDocumentTest, PointLimitBoundsTheCoordinateFolder)
{
    ASSERT_EQ(PointLimit, 1000);
    for (int n = 1; n <= 1000; ++n)
        addCoordinate(n, QStringLiteral("C%1").arg(n), (n % 40) - 20.0, (n / 40) - 20.0);
    addCoordinate(1001, QStringLiteral("FAR"), 5000.0, 0.0);
    QStringList l = lines();
    EXPECT_EQ(placemarks(folder(l, QStringLiteral("SIMA測点"))), 1000);
    addCoordinate(1002, QStringLiteral("C1002"), 0.0, 0.0);
    l = lines();
    EXPECT_TRUE(folder(l, QStringLiteral("SIMA測点")).isEmpty());
    EXPECT_EQ(placemarks(l), 0);
    PointLimit = 0;  // a limit of 0 still writes a folder for an empty view
    resetTables();
    EXPECT_EQ(folder(lines(), QStringLiteral("SIMA測点")).size(), 4);
}

TEST_F(KmlDocumentTest, PointLimitBoundsThePointFolder)
{
    for (int n = 1; n <= 1000; ++n)
        addPoint(QStringLiteral("P%1").arg(n), QString(), (n % 40) - 20.0, (n / 40) - 20.0, 1 + n % 18);
    addPoint(QStringLiteral("deleted"), QString(), 0.0, 0.0, 101);
    addPoint(QStringLiteral("no symbol"), QString(), 0.0, 0.0, 0);
    QStringList l = lines();
    const QStringList f = folder(l, QStringLiteral("POINT"));
    EXPECT_EQ(placemarks(f), 1000);
    EXPECT_EQ(f.mid(0, 3), (QStringList{"<Folder>", "<name>POINT</name>", "<visibility>0</visibility>"}));
    EXPECT_EQ(names(f).first(), QStringLiteral("<name>P1</name>"));
    addPoint(QStringLiteral("P1001"), QString(), 1.0, 1.0, 2);
    EXPECT_TRUE(folder(lines(), QStringLiteral("POINT")).isEmpty());
}

TEST_F(KmlDocumentTest, PointFolderFollowsItsSwitchAndThePointFilter)
{
    addPoint(QStringLiteral("P1"), QString(), 1.0, 1.0, 1);
    addPoint(QStringLiteral("P2"), QString(), 2.0, 2.0, 2);
    input.pointShown = [](int i) { return i == 2; };
    EXPECT_EQ(names(folder(lines(), QStringLiteral("POINT"))), QStringList{"<name>P2</name>"});
    input.switches.check12 = 0;
    EXPECT_TRUE(folder(lines(), QStringLiteral("POINT")).isEmpty());
}

// Exactly TxtLimit qualifying texts give no folder, one fewer the folder.
TEST_F(KmlDocumentTest, TxtLimitBoundsTheTextFolder)
{
    ASSERT_EQ(TxtLimit, 500);
    for (int n = 1; n <= 499; ++n)
        addText(QStringLiteral("T%1").arg(n), (n % 20) - 10.0, (n / 20) - 10.0, 12);
    addText(QStringLiteral("far"), 900.0, 0.0, 12);
    EXPECT_EQ(placemarks(folder(lines(), QStringLiteral("TEXT"))), 499);
    addText(QStringLiteral("T500"), 0.0, 0.0, 12);
    EXPECT_TRUE(folder(lines(), QStringLiteral("TEXT")).isEmpty());
}

TEST_F(KmlDocumentTest, TextPlacemarkLines)
{
    TxtLineShow[2] = 1;
    addText(QStringLiteral("宅地 B 123㎡"), 1.0, 1.0, 12);
    addText(QStringLiteral("purple"), 2.0, 2.0, 5);
    const QStringList f = folder(lines(), QStringLiteral("TEXT"));
    ASSERT_EQ(f.size(), 3 + 15 * 2 + 1);
    EXPECT_EQ(f.mid(3, 5), (QStringList{"<Placemark>", "<name>宅地 123㎡ </name>", "<visibility>0</visibility>",
                                        "<Point>", "<altitudeMode>clampToGround</altitudeMode>"}));
    EXPECT_EQ(f.mid(9, 9), (QStringList{"</Point>", "<Style>", "<LabelStyle>", "<color>ff0000ff</color>",
                                        "<scale>0.9</scale>", "</LabelStyle>",
                                        "<IconStyle><Icon><href></href></Icon></IconStyle>", "</Style>",
                                        "</Placemark>"}));
    EXPECT_EQ(f[19], QStringLiteral("<name>purple</name>"));
    EXPECT_EQ(f[27], QStringLiteral("<color></color>"));  // colour 5 has no colour text
    EXPECT_TRUE(wellFormed(written(build())));
}

TEST_F(KmlDocumentTest, TextsQualifyWhenShownOrSelected)
{
    const int hiddenColour = addText(QStringLiteral("hidden"), 1.0, 1.0, 3);
    TxtColorShown[3] = 0;
    addText(QStringLiteral("shown"), 1.0, 1.0, 12);
    const int selected = addText(QStringLiteral("selected"), 1.0, 1.0, 3);
    TxtSel[selected] = 1;
    const int blankSelected = addText(QStringLiteral("  "), 1.0, 1.0, 30);
    TxtSel[blankSelected] = 1;  // blank and colour 21 or more: never
    const int blankLow = addText(QStringLiteral(" "), 1.0, 1.0, 3);
    TxtSel[blankLow] = 1;  // blank but colour below 21: written
    ASSERT_EQ(hiddenColour, 1);
    EXPECT_EQ(names(folder(lines(), QStringLiteral("TEXT"))),
              (QStringList{"<name>shown</name>", "<name>selected</name>", "<name> </name>"}));
    input.switches.check15 = 0;
    EXPECT_TRUE(folder(lines(), QStringLiteral("TEXT")).isEmpty());
}

// The parcel colour 8 is written as colour 4; a selected parcel's width is
// the width of that colour plus 5, with a blank before it.
TEST_F(KmlDocumentTest, ParcelEdgeStyles)
{
    ASSERT_EQ(KakuchiColor, 8);
    LineWidthOf[4] = 3;
    LineColorShown[8] = 1;
    addSquare(1, -10, -10, 10, 10, QStringLiteral("1-1"));
    const int second = addSquare(5, -20, -20, -15, -15, QStringLiteral("2"));
    KakuchiSel[second] = 1;
    const QStringList f = folder(lines(), QStringLiteral("SIMA結線"));
    EXPECT_EQ(f.mid(0, 2), (QStringList{"<Folder>", "<name>SIMA結線</name>"}));
    EXPECT_EQ(placemarks(f), 8);
    EXPECT_EQ(countOf(f, "<Style><LineStyle><color> ff0080ff</color><width>3</width></LineStyle></Style>"), 4);
    EXPECT_EQ(countOf(f, "<Style><LineStyle><color> ff0080ff</color><width> 8</width></LineStyle></Style>"), 4);
    EXPECT_EQ(f.mid(2, 7).at(0), QStringLiteral("<Placemark>"));
    EXPECT_EQ(f.mid(2, 7).at(1), QStringLiteral("<LineString>"));
    EXPECT_EQ(f.mid(2, 7).at(2), QStringLiteral("<altitudeMode>clampToGround</altitudeMode>"));
    EXPECT_TRUE(kSegmentLine.match(f[5]).hasMatch()) << f[5].toStdString();
    EXPECT_EQ(f.mid(2, 7).at(4), QStringLiteral("</LineString>"));
    EXPECT_EQ(f.mid(2, 7).at(6), QStringLiteral("</Placemark>"));

    LineColorShown[8] = 0;  // the parcel colour hidden: no folder
    EXPECT_TRUE(folder(lines(), QStringLiteral("SIMA結線")).isEmpty());
}

// A closed parcel of n vertices gives n edges, an open figure n - 1 and no
// label; edges beyond one side of the widened view are left out.
TEST_F(KmlDocumentTest, ParcelEdgesAndLabels)
{
    input.switches.check6 = 1;
    addSquare(1, -10, -10, 10, 10, QStringLiteral("1-1"));
    addSquare(5, -5, -5, 5, 5, openFigureName());
    addSquare(9, 200, 200, 210, 210, QStringLiteral("far"));  // beyond the north and east edges
    // A parcel crossing the view: two corners north of it, two south.
    addSquare(13, -300, -5, 300, 5, QStringLiteral("long"));
    const QStringList l = lines();
    EXPECT_EQ(placemarks(folder(l, QStringLiteral("SIMA結線"))), 4 + 3 + 0 + 2);
    const QStringList labels = folder(l, QStringLiteral("SIMA地番"));
    // The name, a blank, and an empty text with its blank for each of the
    // attribute columns 2 to 10, all shown.
    const QString blanks(10, u' ');
    EXPECT_EQ(names(labels), (QStringList{"<name>1-1" + blanks + "</name>", "<name>long" + blanks + "</name>"}));
    EXPECT_EQ(countOf(labels, "<scale>0.85</scale>"), 2);
    EXPECT_EQ(countOf(labels, "<IconStyle><Icon><href></href></Icon></IconStyle>"), 2);
    EXPECT_EQ(countOf(labels, "<visibility>0</visibility>"), 0);
    input.switches.check6 = 0;
    EXPECT_TRUE(folder(lines(), QStringLiteral("SIMA地番")).isEmpty());
}

TEST_F(KmlDocumentTest, ParcelLabelsCarryTheShownAttributeColumns)
{
    input.switches.check6 = 1;
    const int p = addSquare(1, -10, -10, 10, 10, QStringLiteral("12-3"));
    for (int c = 2; c <= 11; ++c)
        setKakuchiAttr(p, c, QStringLiteral("a%1").arg(c));
    KakuchiAttrShow[3] = 1;
    KakuchiAttrShow[1] = 1;  // column 1 is the name: never added
    EXPECT_EQ(names(folder(lines(), QStringLiteral("SIMA地番"))),
              QStringList{"<name>12-3 a2 a4 a5 a6 a7 a8 a9 a10 </name>"});
}

TEST_F(KmlDocumentTest, LinesInViewWithTheirColourAndWidth)
{
    ASSERT_EQ(LineWidthOf[12], 2);
    addLine(-10, -10, 10, 10, 12);
    addLine(-500, 0, 500, 0, 9);        // crosses the view from south to north
    addLine(60, -5, 80, 5, 12);         // both ends beyond the north edge
    addLine(-60, -5, -80, 5, 12);       // both beyond the south edge
    addLine(-5, -60, 5, -900, 12);      // both beyond the west edge
    addLine(-5, 60, 5, 51, 12);         // both beyond the east edge
    addLine(0, 0, 1, 1, 112);           // deleted
    addLine(0, 0, 1, 1, 3);             // its colour hidden
    LineColorShown[3] = 0;
    Redrawn = 0;
    const QStringList f = folder(lines(), QStringLiteral("LINE"));
    EXPECT_EQ(Redrawn, 1);
    EXPECT_EQ(placemarks(f), 2);
    EXPECT_EQ(countOf(f, "<Style><LineStyle><color>ff0000ff</color><width>2</width></LineStyle></Style>"), 1);
    EXPECT_EQ(countOf(f, "<Style><LineStyle><color>ffff0000</color><width>2</width></LineStyle></Style>"), 1);
    input.switches.check13 = 0;
    Redrawn = 0;
    EXPECT_TRUE(folder(lines(), QStringLiteral("LINE")).isEmpty());
    EXPECT_EQ(Redrawn, 0);
}

// A line whose two ends lie on one spot (the empty entry 1 a map XML site
// keeps) is left out; lines along one axis are written.
TEST_F(KmlDocumentTest, LinesWithoutLengthAreLeftOut)
{
    addLine(0, 0, 0, 0, 0);    // the empty entry: all zero
    addLine(7, -3, 7, -3, 12); // both ends on one spot
    addLine(1, 2, 1, 5, 12);   // along Y only
    addLine(1, 2, 4, 2, 12);   // along X only
    EXPECT_EQ(placemarks(folder(lines(), QStringLiteral("LINE"))), 2);
}

// The lines are tested against the visible picture itself, not the widened
// window: an end just beyond the edge is out.
TEST_F(KmlDocumentTest, LinesAreTestedAgainstTheVisiblePicture)
{
    addLine(50.5, 0, 51, 0, 12);  // north of the picture (half extent 50 m)
    addLine(49.5, 0, 51, 0, 12);  // one end inside
    EXPECT_EQ(placemarks(folder(lines(), QStringLiteral("LINE"))), 1);
}

TEST_F(KmlDocumentTest, APositionOnTheBoundOfTheWidenedViewIsInside)
{
    input.switches.check2 = 1;
    const double north = ViewCX + 0.6 * ViewSpanX;
    const double east = ViewCY + 0.6 * ViewSpanY;
    addCoordinate(1, QStringLiteral("ON"), north - OriginX, east - OriginY);
    ZahyoX[1] = north;  // exactly on both bounds
    ZahyoY[1] = east;
    addCoordinate(2, QStringLiteral("BEYOND"), 0, 0);
    ZahyoX[2] = std::nextafter(north, 1e9);
    ZahyoY[2] = east;
    addCoordinate(3, QStringLiteral("WEST"), 0, 0);
    ZahyoX[3] = ViewCX;
    ZahyoY[3] = ViewCY - 0.6 * ViewSpanY;
    EXPECT_EQ(names(folder(lines(), QStringLiteral("SIMA測点"))),
              (QStringList{"<name> ON</name>", "<name> WEST</name>"}));
}

TEST_F(KmlDocumentTest, NamesAndTextsAreEscapedForXml)
{
    input.switches.check1 = 0;
    input.switches.check2 = 1;
    input.switches.check6 = 1;
    addCoordinate(1, QStringLiteral("A&B<C>\"D'"), 1, 1);
    addPoint(QStringLiteral("P<1>&"), QString(), 1, 1, 1);
    addText(QStringLiteral("x\x01y\x1Fz\tq & <"), 1, 1, 12);
    addSquare(2, -3, -3, 3, 3, QStringLiteral("地番&\"1\""));
    const char16_t unpaired[] = {0xD800, u'l', u'o', u'n', u'e', 0xFFFF};
    addText(QString::fromUtf16(unpaired, 6), 2, 2, 12);
    WorkFolder = QStringLiteral("/tmp/a&b/Eld");
    const QByteArray bytes = build();
    const QStringList l = documentLines(bytes);
    EXPECT_EQ(names(folder(l, QStringLiteral("SIMA測点")))[0],
              QStringLiteral("<name> A&amp;B&lt;C&gt;&quot;D&apos;</name>"));
    EXPECT_EQ(names(folder(l, QStringLiteral("POINT"))), QStringList{"<name>P&lt;1&gt;&amp;</name>"});
    EXPECT_EQ(names(folder(l, QStringLiteral("TEXT"))),
              (QStringList{"<name>xyz\tq &amp; &lt; </name>", "<name>lone</name>"}));
    for (int c = 2; c <= 10; ++c)
        KakuchiAttrShow[c] = 1;
    EXPECT_EQ(names(folder(lines(), QStringLiteral("SIMA地番"))),
              QStringList{"<name>地番&amp;&quot;1&quot; </name>"});
    EXPECT_TRUE(l.contains(QStringLiteral("<Icon> <href>/tmp/a&amp;b/Eld/WHITE.BMP</href> </Icon>")));
    EXPECT_TRUE(wellFormed(written(bytes)));
}

TEST(AppendXmlEscaped, KeepsCharactersBeyondTheBasicPlane)
{
    QByteArray out;
    appendXmlEscaped(out, QString::fromUtf8("𠮷野家 &"));
    EXPECT_EQ(out, QByteArray("𠮷野家 &amp;"));
}

// The table holds 1,000,000 entries (the first holds the four header
// lines): a document of exactly that size is made, one entry more is not.
TEST_F(KmlDocumentTest, TheEntryTableHoldsAMillionEntries)
{
    // 29 entries of header, camera, empty coordinate folder and overlay, 3
    // of the LINE folder's own lines and 7 per line, 4 of a TEXT folder's own
    // lines and 15 per text: 142852 lines and a TEXT folder without
    // placemarks make 1,000,000.
    for (int i = 0; i < 142852; ++i)
        addLine(-1, -1, 1, 1, 12);
    addText(QStringLiteral("far"), 900, 0, 12);
    const std::optional<QByteArray> full = buildKmlDocument(input);
    ASSERT_TRUE(full.has_value());
    const QStringList l = documentLines(*full);
    EXPECT_EQ(l.size(), 1000000 + 3);
    EXPECT_EQ(l.last(), QStringLiteral("</kml>"));
    // 142850 lines and one text placemark make 1,000,001.
    LineNext -= 2;
    addText(QStringLiteral("T"), 0, 0, 12);
    EXPECT_FALSE(buildKmlDocument(input).has_value());
}

// A position that gives no finite degrees (a line end at infinity) gives no
// document rather than a file with a wrong place in it.
TEST_F(KmlDocumentTest, APositionThatDoesNotConvertGivesNoDocument)
{
    addLine(0, 0, std::numeric_limits<double>::infinity(), 0, 12);
    EXPECT_FALSE(buildKmlDocument(input).has_value());
}

}  // namespace
}  // namespace tavelcor::kmltest
