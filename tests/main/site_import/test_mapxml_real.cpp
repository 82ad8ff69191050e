// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML import over three published registry maps (../shared/data/
// mojxml; 出典：「登記所備付地図データ 千葉市稲毛区」「同 熊毛郡屋久島町」「同 富良野市」
// （法務省）, read here by the program under test): each is also parsed
// independently with Qt's XML stream reader (no entity of any kind is
// declared in them), and the tables the import fills are compared with what
// that parse says they must hold.
#include "mapxml_fixture.h"

#include "main/site/mapxml.h"
#include "main/site/tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

namespace tavelcor {
namespace {

using importtest::MapXmlTest;
using platform::MsgResult;

// ---- a small tree of the document ------------------------------------------------------

struct Node {
    QString name;  // local name ("GM_Point", "筆")
    QString id;
    QString idref;
    QString text;
    std::vector<std::unique_ptr<Node>> children;

    const Node* child(QStringView n) const
    {
        for (const auto& c : children)
            if (c->name == n)
                return c.get();
        return nullptr;
    }
    // The first descendant named n, depth first.
    const Node* find(QStringView n) const
    {
        for (const auto& c : children) {
            if (c->name == n)
                return c.get();
            if (const Node* d = c->find(n))
                return d;
        }
        return nullptr;
    }
    void findAll(QStringView n, std::vector<const Node*>& out) const
    {
        for (const auto& c : children) {
            if (c->name == n)
                out.push_back(c.get());
            c->findAll(n, out);
        }
    }
    QString childText(QStringView n) const
    {
        const Node* c = child(n);
        return c ? c->text : QString();
    }
};

std::unique_ptr<Node> parseDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QXmlStreamReader xml(&file);
    auto root = std::make_unique<Node>();
    std::vector<Node*> stack{root.get()};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            auto node = std::make_unique<Node>();
            node->name = xml.name().toString();
            node->id = xml.attributes().value(QLatin1String("id")).toString();
            node->idref = xml.attributes().value(QLatin1String("idref")).toString();
            Node* raw = node.get();
            stack.back()->children.push_back(std::move(node));
            stack.push_back(raw);
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            stack.back()->text += xml.text();
        } else if (xml.isEndElement()) {
            stack.pop_back();
        }
    }
    if (xml.hasError())
        return nullptr;
    return root;
}

// "P000000123" -> 123.
int number(const QString& id)
{
    return id.mid(1).toInt();
}

// ---- what the tables must hold -----------------------------------------------------------

struct Expected {
    int zone = 0;
    std::map<int, std::pair<double, double>> points;
    std::map<int, QString> names;
    std::map<int, bool> namedByPointNumber;
    std::map<int, std::pair<int, int>> curveEnds;  // curves by point references
    std::vector<std::array<double, 4>> directLines;
    std::map<int, std::vector<int>> surfaceCurves;  // the first ring
    struct Parcel {
        QString name;
        QString info;
    };
    std::map<int, Parcel> parcels;
    std::vector<std::pair<int, int>> boundaries;  // curve, colour index
    struct Sheet {
        QString name;
        std::array<double, 8> corners{};  // lower left, upper left, upper right, lower right
        std::vector<int> parcels;
    };
    std::vector<Sheet> sheets;
};

std::pair<double, double> position(const Node& n)
{
    return {n.find(u"X")->text.toDouble(), n.find(u"Y")->text.toDouble()};
}

void collectGeometry(const Node& root, Expected& e)
{
    std::vector<const Node*> nodes;
    root.findAll(u"GM_Point", nodes);
    for (const Node* p : nodes)
        e.points[number(p->id)] = position(*p);
    nodes.clear();
    root.findAll(u"GM_Curve", nodes);
    for (const Node* c : nodes) {
        std::vector<const Node*> columns;
        c->findAll(u"GM_PointArray.column", columns);
        if (columns.size() >= 2 && columns[0]->child(u"GM_Position.direct") != nullptr) {
            const auto a = position(*columns[0]);
            const auto b = position(*columns[1]);
            e.directLines.push_back({a.first, a.second, b.first, b.second});
        } else if (columns.size() >= 2) {
            e.curveEnds[number(c->id)] = {number(columns[0]->find(u"GM_PointRef.point")->idref),
                                          number(columns[1]->find(u"GM_PointRef.point")->idref)};
        }
    }
    nodes.clear();
    root.findAll(u"GM_Surface", nodes);
    for (const Node* s : nodes) {
        std::vector<const Node*> generators;
        s->find(u"GM_Ring")->findAll(u"GM_CompositeCurve.generator", generators);
        for (const Node* g : generators)
            e.surfaceCurves[number(s->id)].push_back(number(g->idref));
    }
}

void collectThemes(const Node& map, Expected& e)
{
    const Node* themes = map.child(u"主題属性");
    for (const auto& t : themes->children) {
        const QString kind = t->childText(u"線種別");
        static const std::map<QString, int> kColors = {{"大字界線", 11}, {"小字界線", 10}, {"市区町村界線", 13}};
        if (const auto color = kColors.find(kind); color != kColors.end())
            e.boundaries.emplace_back(number(t->child(u"形状")->idref), color->second);
        for (const char16_t* tag : {u"点番名", u"名称"}) {
            if (const Node* n = t->child(tag)) {
                const int p = number(t->child(u"形状")->idref);
                e.names[p] = n->text;
                e.namedByPointNumber[p] = e.namedByPointNumber[p] || QStringView(tag) == u"点番名";
            }
        }
        if (t->name == u"筆") {
            Expected::Parcel parcel{t->childText(u"地番"), t->childText(u"大字名")};
            std::vector<const Node*> members;
            if (const Node* undetermined = t->child(u"筆界未定構成筆"))
                undetermined->findAll(u"地番", members);
            for (const Node* m : members)
                parcel.name += u'(' + m->text + u')';
            e.parcels[number(t->id)] = parcel;
        }
    }
}

void collectSheets(const Node& map, Expected& e)
{
    for (const auto& s : map.children) {
        if (s->name != u"図郭")
            continue;
        Expected::Sheet sheet;
        sheet.name = s->childText(u"地図番号");
        const char16_t* corners[] = {u"左下座標", u"左上座標", u"右上座標", u"右下座標"};
        for (std::size_t k = 0; k < 4; ++k) {
            const auto xy = position(*s->child(corners[k]));
            sheet.corners[2 * k] = xy.first;
            sheet.corners[2 * k + 1] = xy.second;
        }
        for (const auto& c : s->children)
            if (c->name == u"筆参照")
                sheet.parcels.push_back(number(c->idref));
        e.sheets.push_back(sheet);
    }
}

Expected expectedOf(const Node& root)
{
    Expected e;
    const Node* map = root.child(u"地図");
    const QString zone = map->childText(u"座標系");
    if (zone.contains(u"公共"))
        e.zone = zone.mid(zone.indexOf(u"公共") + 4).chopped(1).toInt();
    collectGeometry(*map, e);
    collectThemes(*map, e);
    collectSheets(*map, e);
    return e;
}

// ---- the comparison ----------------------------------------------------------------------

void expectPoints(const Expected& e)
{
    ASSERT_FALSE(e.points.empty());
    EXPECT_EQ(ZahyoMax, e.points.rbegin()->first);
    int sampled = 0;
    for (const auto& [p, xy] : e.points) {
        if (p % 7 != 1)
            continue;
        EXPECT_DOUBLE_EQ(ZahyoX[p], xy.first) << p;
        EXPECT_DOUBLE_EQ(ZahyoY[p], xy.second) << p;
        ++sampled;
    }
    EXPECT_GT(sampled, 10);
    int named = 0;
    for (int p = 1; p <= ZahyoMax; ++p) {
        if (ZahyoName[p] != freeZahyoName())
            ++named;
    }
    EXPECT_EQ(named, int(e.names.size()));
    for (const auto& [p, name] : e.names) {
        EXPECT_EQ(ZahyoName[p], name) << p;
        EXPECT_EQ(ZahyoUsed[p], e.namedByPointNumber.at(p) ? 1 : 0) << p;
    }
}

// Lines: the curves of direct positions, the marked boundaries, four frame
// lines per map sheet, after the empty entry 1.
void expectLines(const Expected& e)
{
    int i = 2;
    for (const auto& d : e.directLines)
        importtest::expectLine(i++, {d[0], d[1], d[2], d[3], 7});
    for (const auto& [curve, color] : e.boundaries) {
        const auto& [a, b] = e.curveEnds.at(curve);
        importtest::expectLine(i++, {e.points.at(a).first, e.points.at(a).second, e.points.at(b).first,
                                     e.points.at(b).second, color});
    }
    for (const auto& sheet : e.sheets) {
        const auto& c = sheet.corners;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t to = 2 * ((k + 1) % 4);
            importtest::expectLine(i++, {c[2 * k], c[2 * k + 1], c[to], c[to + 1], 6});
        }
    }
    EXPECT_EQ(LineNext, i);
}

void expectSheetPoints(const Expected& e)
{
    ASSERT_EQ(PointCount, int(e.sheets.size()));
    for (std::size_t t = 0; t < e.sheets.size(); ++t) {
        const int p = int(t) + 1;
        EXPECT_EQ(PointName[p], e.sheets[t].name);
        EXPECT_DOUBLE_EQ(PointX[p], e.sheets[t].corners[2]);
        EXPECT_DOUBLE_EQ(PointY[p], e.sheets[t].corners[3]);
        EXPECT_EQ(PointMark[p], 1);
    }
}

// Parcel i of the tables is parcel (and surface) source of the file.
void expectParcel(int i, int source, const QString& name, const Expected& e)
{
    SCOPED_TRACE("parcel " + std::to_string(i));
    EXPECT_EQ(KakuchiName[i], name);
    EXPECT_EQ(KakuchiInfo[i], e.parcels.at(source).info);
    const std::vector<int>& curves = e.surfaceCurves.at(source);
    ASSERT_EQ(KakuchiLast[i] - KakuchiFirst[i] + 1, int(curves.size()));
    for (std::size_t k = 0; k < curves.size(); ++k)
        EXPECT_EQ(KakuchiVertex[KakuchiFirst[i] + int(k)], e.curveEnds.at(curves[k]).first) << k;
}

struct RealFile {
    const char* file;
    int zone;  // as the file gives it; 0 for none
    std::size_t namedPoints, parcels, boundaries, sheets;
};

void PrintTo(const RealFile& f, std::ostream* os)
{
    *os << f.file;
}

class RealMap : public MapXmlTest, public ::testing::WithParamInterface<RealFile> {};

TEST_P(RealMap, TablesMatchAnIndependentParse)
{
    const QString folder = QStringLiteral(TAVELCOR_SHARED_DATA "/mojxml");
    if (!QDir(folder).exists())
        GTEST_SKIP() << "the shared sample maps are not present: " << folder.toStdString();
    const RealFile& f = GetParam();
    const QString path = folder + u'/' + QString::fromLatin1(f.file);
    const std::unique_ptr<Node> root = parseDocument(path);
    ASSERT_NE(root, nullptr) << "the XML stream reader cannot parse " << f.file;
    const Expected e = expectedOf(*root);
    // The published contents, as their sources describe them.
    EXPECT_EQ(e.zone, f.zone);
    EXPECT_EQ(e.names.size(), f.namedPoints);
    EXPECT_EQ(e.parcels.size(), f.parcels);
    EXPECT_EQ(e.boundaries.size(), f.boundaries);
    EXPECT_EQ(e.sheets.size(), f.sheets);

    SiteFolder = folder + u'/';  // the maps' folder holds no attribute file
    if (f.zone == 0)
        mScript->expectMessage(MsgResult::Yes, QStringLiteral("地番の後に図面番号を追加しますか"));
    ASSERT_EQ(read(path), ReadOutcome::Ok);

    EXPECT_EQ(ZoneNo, f.zone == 0 ? 6 : f.zone);
    expectPoints(e);
    expectLines(e);
    expectSheetPoints(e);
    if (f.zone != 0) {
        ASSERT_EQ(KakuchiCount, e.parcels.rbegin()->first);
        for (const auto& [h, parcel] : e.parcels)
            expectParcel(h, h, parcel.name, e);
        return;
    }
    int i = 0;
    for (std::size_t t = 0; t < e.sheets.size(); ++t) {
        for (const int h : e.sheets[t].parcels)
            expectParcel(++i, h, e.parcels.at(h).name + u'_' + e.sheets[t].name, e);
    }
    EXPECT_EQ(KakuchiCount, i);
}

INSTANTIATE_TEST_SUITE_P(MapXml, RealMap,
                         ::testing::Values(RealFile{"12103-0400-76.xml", 9, 610, 1, 4, 21},
                                           RealFile{"46505-3411-1.xml", 2, 164, 8, 0, 4},
                                           RealFile{"01229-4500-1.xml", 0, 286, 130, 0, 3}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return "file" + name.substr(0, name.size() - 4);
                         });

// A parcel numbered 別図-5 keeps its number as its name.
TEST_F(MapXmlTest, ParcelNumberedBetsuzu)
{
    const QString path = QStringLiteral(TAVELCOR_SHARED_DATA "/mojxml/46505-3411-1.xml");
    if (!QFile::exists(path))
        GTEST_SKIP() << "the shared sample maps are not present";
    SiteFolder = QFileInfo(path).path() + u'/';
    ASSERT_EQ(read(path), ReadOutcome::Ok);
    EXPECT_EQ(KakuchiName[3], QStringLiteral("別図-5"));
    EXPECT_EQ(KakuchiInfo[3], QStringLiteral("安房"));
    EXPECT_EQ(KakuchiName[4], QStringLiteral("地区外-43774"));
    EXPECT_EQ(KakuchiInfo[4], QString());
}

}  // namespace
}  // namespace tavelcor
