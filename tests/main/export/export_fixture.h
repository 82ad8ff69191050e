// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the export tests without windows: fresh tables with a
// site origin, a temporary folder for the files written, and the SXF
// export of the tables read back feature by feature.
#pragma once

#include "site_builders.h"
#include "sxf_reader.h"

#include "main/export/sxf_file.h"
#include "main/site/tables.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor::exporttest {

using render::testing_support::addCoordinate;
using render::testing_support::addLine;
using render::testing_support::addParcel;
using render::testing_support::addPoint;
using render::testing_support::addSquare;
using render::testing_support::addStrokeVertex;
using render::testing_support::addText;

class ExportLogicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mDir.isValid());
        resetTables();
        SiteFolder = mDir.path() + QStringLiteral("/");
        OriginX = 1000.0;
        OriginY = 2000.0;
    }

    QString path(const QString& name) const { return mDir.path() + QStringLiteral("/") + name; }

    /// The SXF file of the tables, its lines, and its features (each of
    /// which must read back).
    std::vector<SxfFeature> exportSxf(const sxf::SxfView& view)
    {
        const QString file = path(QStringLiteral("T.SFC"));
        EXPECT_FALSE(sxf::writeSxfFile(file, view).failed());
        lines = readCrLfLines(file).value_or(QStringList{});
        EXPECT_FALSE(lines.isEmpty()) << "the file is not CP932 text with CR LF line ends";
        std::vector<SxfFeature> features = featuresOf(lines);
        for (const SxfFeature& f : features)
            EXPECT_TRUE(f.ok) << "unreadable feature #" << f.entity;
        return features;
    }

    /// A view with every switch on and the answer Yes (nothing filtered).
    static sxf::SxfView allShown()
    {
        sxf::SxfView view;
        view.includeHidden = true;
        view.check1 = view.check2 = view.check6 = 1;
        return view;
    }

    QStringList lines;

private:
    QTemporaryDir mDir;
};

}  // namespace tavelcor::exporttest
