// SPDX-License-Identifier: LicenseRef-Tavelcor
// The coordinate text of the SXF file, written straight to digits, against
// the fixed-width formatter it stands for: FormatFixed(metres x 1000, 12, 0)
// without its blanks, never cut.
#include "main/export/sxf_bytes.h"

#include "geodesy/format_fixed.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace tavelcor::sxf {
namespace {

std::string written(double metres)
{
    char buffer[kMillimetreBytes + 8];
    return std::string(buffer, writeMillimetres(buffer, metres));
}

// The formatter's text, wide enough never to be cut, without its blanks.
std::string formatted(double metres)
{
    const std::string text = geodesy::FormatFixed(metres * 1000.0, 40, 0);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

TEST(SxfMillimetres, EdgesAsTheFormatterWritesThem)
{
    const double cases[] = {0.0,     -0.0,      0.0005,   -0.0005,  0.0004999, -0.0004999, 1e-12,  -1e-12,
                            2.5e-3,  -2.5e-3,   0.0015,   123.4565, -123.4565, 1234.5,     -0.75,  99999999.9995,
                            4.5e9,   -4.5e9,    1e12,     -1e12,    1.7e305,   5e-324,     0.1,    -33123.4567};
    for (const double metres : cases)
        EXPECT_EQ(written(metres), formatted(metres)) << metres;
    EXPECT_EQ(written(-0.0), "0");
    EXPECT_EQ(written(1234.5), "1234500");
    EXPECT_EQ(written(-0.0004), "0") << "a negative value that rounds to zero has no sign";
}

TEST(SxfMillimetres, NotFiniteWritesNothing)
{
    EXPECT_EQ(written(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(written(std::numeric_limits<double>::infinity()), "");
}

TEST(SxfMillimetres, HalvesAndTheirNeighboursOverEveryMagnitude)
{
    QRandomGenerator random(424242);
    for (int i = 0; i < 200000; ++i) {
        const double scale = std::pow(10.0, random.bounded(-4, 10));
        const double base = (random.generateDouble() * 2.0 - 1.0) * scale;
        // Half a millimetre and the doubles next to it.
        const double half = (std::floor(base * 1000.0) + 0.5) / 1000.0;
        for (const double metres : {base, half, std::nextafter(half, 0.0), std::nextafter(half, 1e300)})
            ASSERT_EQ(written(metres), formatted(metres)) << metres;
    }
}

}  // namespace
}  // namespace tavelcor::sxf
