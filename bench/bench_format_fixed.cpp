// SPDX-License-Identifier: LicenseRef-Tavelcor
// geodesy::FormatFixed, the fixed-width number text of every writer: the
// numbers a site save formats (coordinates with 3 decimals in 11 columns,
// heights in 8, plane coordinates with 2 decimals in 10) and numbers spread
// over every magnitude, width and number of decimals.
//
// Each benchmark formats a fixed table of 65536 numbers per iteration and
// reports the time per number ("per_number", in seconds with an SI prefix). The texts of the save mix
// are checked once, before timing: each one read back is its value to within
// half a unit in its last decimal.
#include <benchmark/benchmark.h>

#include "geodesy/format_fixed.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kNumbers = 65536;

struct Row {
    double value;
    int width;
    int decimals;
};

// A fixed pseudo-random sequence, the same on every run.
class Sequence {
public:
    double uniform()  // [0, 1)
    {
        mState = mState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(mState >> 11) * 0x1p-53;
    }
    int below(int n) { return static_cast<int>(uniform() * n); }

private:
    std::uint64_t mState = 20240611ULL;
};

// What a save formats: site coordinates of a zone plane (metres, within
// ±300 km) with 3 decimals in 11 columns, heights (0 to 4000 m) in 8, and
// plane coordinates of the drawing with 2 decimals in 10 columns.
const std::vector<Row>& saveMix()
{
    static const std::vector<Row> rows = [] {
        std::vector<Row> v;
        v.reserve(kNumbers);
        Sequence random;
        while (v.size() < kNumbers) {
            const double x = (random.uniform() - 0.5) * 600000.0;
            const double y = (random.uniform() - 0.5) * 600000.0;
            v.push_back({x, 11, 3});
            v.push_back({y, 11, 3});
            v.push_back({random.uniform() * 4000.0, 8, 3});
            v.push_back({(random.uniform() - 0.5) * 200000.0, 10, 2});
        }
        v.resize(kNumbers);
        return v;
    }();
    return rows;
}

// Magnitudes from 1e-6 to 1e12 (both signs), 0 to 9 decimals, widths 0 to 20:
// many texts longer than their width (cut) or shorter (padded).
const std::vector<Row>& spread()
{
    static const std::vector<Row> rows = [] {
        std::vector<Row> v;
        v.reserve(kNumbers);
        Sequence random;
        for (std::size_t i = 0; i < kNumbers; ++i) {
            const double magnitude = std::pow(10.0, random.uniform() * 18.0 - 6.0);
            const double value = random.below(2) == 0 ? magnitude : -magnitude;
            v.push_back({value, random.below(21), random.below(10)});
        }
        return v;
    }();
    return rows;
}

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// True when every text of the rows reads back as its value to within half a
// unit in its last decimal (plus the formatter's bias).
bool readsBack(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        const std::string text = geodesy::FormatFixed(row.value, row.width, row.decimals);
        const std::string_view digits = trimmed(text);
        double back = 0.0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), back);
        const double unit = std::pow(10.0, -row.decimals);
        if (ec != std::errc{} || end != digits.data() + digits.size() ||
            std::fabs(back - row.value) > 0.5 * unit + 1e-6)
            return false;
    }
    return true;
}

void formatRows(benchmark::State& state, const std::vector<Row>& rows)
{
    for (auto _ : state) {
        std::size_t characters = 0;
        for (const Row& row : rows)
            characters += geodesy::FormatFixed(row.value, row.width, row.decimals).size();
        benchmark::DoNotOptimize(characters);
    }
    state.counters["per_number"] = benchmark::Counter(
        static_cast<double>(rows.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}

void BM_FormatFixedSaveMix(benchmark::State& state)
{
    if (!readsBack(saveMix())) {
        state.SkipWithError("a text does not read back as its value");
        return;
    }
    formatRows(state, saveMix());
}

void BM_FormatFixedSpread(benchmark::State& state)
{
    formatRows(state, spread());
}

BENCHMARK(BM_FormatFixedSaveMix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatFixedSpread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
