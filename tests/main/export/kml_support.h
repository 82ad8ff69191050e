// SPDX-License-Identifier: LicenseRef-Tavelcor
// Helpers of the KML export tests: the lines of an exported file, a site in
// the shared tables (the drawing tests' builders), and the local programs
// that read the files independently: xmllint (well-formedness with
// namespaces), ogr2ogr (GDAL's KML reader, to GeoJSON) and cs2cs (PROJ's
// plane rectangular conversion). The programs are installed by
// scripts/install-packages; a missing one fails the test that needs it.
#pragma once

#include "main/site/tables.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor::kmltest {

inline constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";

/// The lines of a document (after its byte order mark), split at CR LF.
inline QStringList documentLines(const QByteArray& file)
{
    QByteArrayView body(file);
    if (body.startsWith(kByteOrderMark))
        body = body.sliced(kByteOrderMark.size());
    return QString::fromUtf8(body).split(QStringLiteral("\r\n"));
}

/// The lines from the first one equal to `start` up to and including the
/// next one equal to `end`; empty when there is none.
inline QStringList block(const QStringList& lines, const QString& start, const QString& end)
{
    const qsizetype from = lines.indexOf(start);
    if (from < 0)
        return {};
    const qsizetype to = lines.indexOf(end, from);
    return to < 0 ? QStringList() : lines.mid(from, to - from + 1);
}

/// The lines of the folder whose name line is "<name>" + name + "</name>".
inline QStringList folder(const QStringList& lines, const QString& name)
{
    const qsizetype at = lines.indexOf(QStringLiteral("<name>") + name + QStringLiteral("</name>"));
    if (at < 1 || lines[at - 1] != u"<Folder>")
        return {};
    const qsizetype end = lines.indexOf(QStringLiteral("</Folder>"), at);
    return end < 0 ? QStringList() : lines.mid(at - 1, end - at + 2);
}

/// How many lines of `lines` equal `text`.
inline qsizetype countOf(const QStringList& lines, const QString& text)
{
    return lines.count(text);
}

struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/// Runs a local program to its end (at most two minutes) with `input` on
/// its standard input.
inline ProgramRun run(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    ProgramRun result;
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        ADD_FAILURE() << program.toStdString() << " is not installed (scripts/install-packages installs it)";
        return result;
    }
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForStarted())
        return result;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

/// xmllint --noout accepts the file (well-formed, namespaces included).
inline ::testing::AssertionResult wellFormed(const QString& path)
{
    const ProgramRun r = run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), path});
    if (r.exitCode == 0 && r.err.isEmpty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xmllint: " << r.err.toStdString();
}

/// One feature as GDAL reads it: its geometry type and coordinates
/// (longitude, latitude pairs).
struct Feature {
    QString type;
    std::vector<std::pair<double, double>> points;
};

/// The layers GDAL's KML reader finds in the file (one per folder with
/// placemarks), each converted to GeoJSON by ogr2ogr.
inline std::map<QString, std::vector<Feature>> ogrLayers(const QString& path)
{
    std::map<QString, std::vector<Feature>> layers;
    const ProgramRun info = run(QStringLiteral("ogrinfo"), {QStringLiteral("-ro"), QStringLiteral("-q"), path});
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
    for (const QString& row : QString::fromUtf8(info.out).split(u'\n', Qt::SkipEmptyParts)) {
        // "1: SIMA測点 (Point)" or "1: LINE"
        const qsizetype colon = row.indexOf(QStringLiteral(": "));
        if (colon < 0)
            continue;
        QString name = row.mid(colon + 2);
        const qsizetype paren = name.lastIndexOf(QStringLiteral(" ("));
        if (paren > 0)
            name = name.left(paren);
        const ProgramRun json = run(QStringLiteral("ogr2ogr"),
                                    {QStringLiteral("-f"), QStringLiteral("GeoJSON"), QStringLiteral("/vsistdout/"),
                                     path, name});
        EXPECT_EQ(json.exitCode, 0) << json.err.toStdString();
        std::vector<Feature>& features = layers[name];
        const QJsonArray array = QJsonDocument::fromJson(json.out).object().value(u"features").toArray();
        for (const QJsonValue& f : array) {
            const QJsonObject geometry = f.toObject().value(u"geometry").toObject();
            Feature feature;
            feature.type = geometry.value(u"type").toString();
            const QJsonArray c = geometry.value(u"coordinates").toArray();
            if (feature.type == u"Point") {
                feature.points.emplace_back(c.at(0).toDouble(), c.at(1).toDouble());
            } else {
                for (const QJsonValue& p : c)
                    feature.points.emplace_back(p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble());
            }
            features.push_back(std::move(feature));
        }
    }
    return layers;
}

/// PROJ's conversion (cs2cs) of pairs from one coordinate system to another,
/// each pair as the systems order their axes.
inline std::vector<std::pair<double, double>> cs2cs(const QString& from, const QString& to, int decimals,
                                                    const std::vector<std::pair<double, double>>& pairs)
{
    QByteArray input;
    for (const auto& [a, b] : pairs)
        input += QByteArray::number(a, 'f', 12) + ' ' + QByteArray::number(b, 'f', 12) + '\n';
    const ProgramRun r =
        run(QStringLiteral("cs2cs"), {QStringLiteral("-f"), QStringLiteral("%.%1f").arg(decimals), from, to}, input);
    std::vector<std::pair<double, double>> out;
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    for (const QByteArray& row : r.out.split('\n')) {
        const QList<QByteArray> fields = row.simplified().split(' ');
        if (fields.size() >= 2)
            out.emplace_back(fields[0].toDouble(), fields[1].toDouble());
    }
    EXPECT_EQ(out.size(), pairs.size());
    return out;
}

/// JGD2011 plane rectangular zone n is EPSG:6668 + n; geographic EPSG:6668.
inline QString zoneSystem(int zone)
{
    return QStringLiteral("EPSG:%1").arg(6668 + zone);
}

/// Latitude and longitude (decimal degrees) of plane positions (x north,
/// y east, absolute metres) in a zone of the Japanese plane rectangular
/// system, by PROJ.
inline std::vector<std::pair<double, double>> projLatLon(int zone, const std::vector<std::pair<double, double>>& plane)
{
    return cs2cs(zoneSystem(zone), QStringLiteral("EPSG:6668"), 12, plane);
}

/// Plane positions (x north, y east, metres) in a zone of latitudes and
/// longitudes (decimal degrees), by PROJ.
inline std::vector<std::pair<double, double>> projPlane(int zone, const std::vector<std::pair<double, double>>& latLon)
{
    return cs2cs(QStringLiteral("EPSG:6668"), zoneSystem(zone), 6, latLon);
}

/// Every position of the features, in order, equals PROJ's conversion of
/// the plane positions (absolute x north, y east) in the zone, to 1e-8
/// degree.
inline void expectPositions(int zone, const std::vector<Feature>& features,
                            const std::vector<std::pair<double, double>>& plane)
{
    std::vector<std::pair<double, double>> read;
    for (const Feature& f : features)
        read.insert(read.end(), f.points.begin(), f.points.end());
    ASSERT_EQ(read.size(), plane.size());
    const auto proj = projLatLon(zone, plane);
    ASSERT_EQ(proj.size(), plane.size());
    for (std::size_t k = 0; k < plane.size(); ++k) {
        EXPECT_NEAR(read[k].first, proj[k].second, 1e-8) << "longitude of position " << k;
        EXPECT_NEAR(read[k].second, proj[k].first, 1e-8) << "latitude of position " << k;
    }
}

}  // namespace tavelcor::kmltest
