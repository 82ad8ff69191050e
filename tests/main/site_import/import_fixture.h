// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the import tests: the site file tests' fixture (fresh
// tables, temporary site and work folders, a scripted prompter that fails the
// test on any message it was not told about, CP932 file helpers) with this
// folder's stored fixtures.
#pragma once

#include "tests/main/site/site_test_support.h"

#include <QString>

namespace tavelcor::importtest {

using testsupport::cp932Lines;
using testsupport::fileBytes;
using testsupport::writeBytes;

// The stored fixtures of these tests.
inline QString fixturePath(const QString& name)
{
    return QStringLiteral(TAVELCOR_TEST_DATA "/main/site_import/") + name;
}

class ImportTest : public testsupport::SiteFileTest {
protected:
    // Copies every file of the stored fixture folder sub into the site folder.
    void copyFixtureFolder(const QString& sub) { copyFolder(fixturePath(sub)); }
};

}  // namespace tavelcor::importtest
