// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the KML document tests: fresh tables, a site in zone 9
// whose origin is the zone's origin shifted 12 km north and 8 km east, a view
// of 100 m by 100 m centred on the site origin, the main window's design
// switches, and the picture's scale as the fitted view gives it.
#pragma once

#include "kml_support.h"
#include "site_builders.h"

#include "main/export/kml_document.h"
#include "main/site/tables.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor::kmltest {

using render::testing_support::addCoordinate;
using render::testing_support::addLine;
using render::testing_support::addParcel;
using render::testing_support::addPoint;
using render::testing_support::addSquare;
using render::testing_support::addText;

/// The four opening lines as the main window's Label4 holds them.
inline const QString kHeader = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\r\n"
    "<Folder>\r\n"
    "<name>Tavelcor4</name>");

class KmlDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
        ZoneNo = 9;
        OriginX = 12000.0;
        OriginY = 8000.0;
        WorkFolder = QStringLiteral("/tmp/tavelcor-kml/Eld");
        setView(OriginX, OriginY, 100.0, 100.0);
        input.header = kHeader;
        input.switches = KmlSwitches{0, 0, 0, 0, 1, 1, 1, 1};  // Check12..Check17 ticked as designed
        input.pointShown = [](int i) { return PointMark[i] >= 1 && PointMark[i] <= 99; };
    }

    /// The view (absolute centre, extents) and the picture's scale that the
    /// fitted view gives.
    void setView(double cx, double cy, double spanX, double spanY)
    {
        ViewCX = cx;
        ViewCY = cy;
        ViewSpanX = spanX;
        ViewSpanY = spanY;
        input.scaleLeft = cy - OriginY - spanY / 2;
        input.scaleTop = -(cx - OriginX + spanX / 2);
    }

    /// The document's bytes; fails the test when none is made.
    QByteArray build()
    {
        const std::optional<QByteArray> document = buildKmlDocument(input);
        EXPECT_TRUE(document.has_value());
        return document.value_or(QByteArray());
    }

    QStringList lines() { return documentLines(build()); }

    /// The document written to a file, for the local readers.
    QString written(const QByteArray& bytes)
    {
        const QString path = mDir.path() + QStringLiteral("/Tavelcor.KML");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    KmlInput input;

private:
    QTemporaryDir mDir;
};

}  // namespace tavelcor::kmltest
