// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the import tests: the site file tests' fixture (fresh
// tables, temporary site and work folders, a scripted prompter that fails the
// test on any message it was not told about, CP932 file helpers) with this
// folder's stored fixtures.
#pragma once

#include "tests/main/site/site_test_support.h"

#include "main/site/tables.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace tavelcor::importtest {

using testsupport::cp932Lines;
using testsupport::fileBytes;
using testsupport::writeBytes;

// The stored fixtures of these tests.
inline QString fixturePath(const QString& name)
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/main/site_import/") + name;
}

// What line i of the tables should hold: its ends (plot or absolute metres,
// as the test's import leaves them) and its colour index.
struct LineExpect {
    double x1, y1, x2, y2;
    int color;
};

inline void expectLine(int i, const LineExpect& e)
{
    SCOPED_TRACE("line " + std::to_string(i));
    EXPECT_DOUBLE_EQ(LineX1[i], e.x1);
    EXPECT_DOUBLE_EQ(LineY1[i], e.y1);
    EXPECT_DOUBLE_EQ(LineX2[i], e.x2);
    EXPECT_DOUBLE_EQ(LineY2[i], e.y2);
    EXPECT_EQ(LineColor[i], e.color);
}

class ImportTest : public testsupport::SiteFileTest {
protected:
    // Copies every file of the stored fixture folder sub into the site folder.
    void copyFixtureFolder(const QString& sub) { copyFolder(fixturePath(sub)); }
};

}  // namespace tavelcor::importtest
