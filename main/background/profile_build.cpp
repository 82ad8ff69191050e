// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/profile_build.h"

#include "geodesy/plane_geometry.h"
#include "platform/text/cp932.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace tavelcor::profile {

namespace {

// π as the direction of a line is turned into radians.
constexpr double kPi = 3.14159265358979;
// Height drop for curvature and refraction, metres per square kilometre.
constexpr float kCurvatureDrop = 0.0681F;

// Int(v): the largest whole number not above v.
double Int(double v)
{
    return std::floor(v);
}

QString trimmed(double v)
{
    return platform::Str(v).trimmed();
}

QString joined(double v)
{
    return platform::CStr(v);
}

QString joinedSingle(float v)
{
    return platform::CStrSingle(v);
}

// A distance cut down to whole centimetres.
float centimetres(float metres)
{
    return static_cast<float>(Int(static_cast<double>(metres * 100.0F)) / 100.0);
}

float lineLength(const RouteLine& line)
{
    return static_cast<float>(geodesy::Inverse(line.x2 - line.x1, line.y2 - line.y1).distance);
}

float pitchFor(float total, const ProfileSettings& settings)
{
    const float pitch = settings.fixedPitch != 0 ? static_cast<float>(settings.fixedPitch)
                                                 : total / static_cast<float>(std::max(settings.maxPoints, 1));
    return pitch < kMinPitch ? kMinPitch : pitch;
}

// Pitch samples of a line: Int(length / pitch), never below 0.
double pitchSamples(float length, float pitch)
{
    return std::max(0.0, Int(static_cast<double>(length / pitch)));
}

Sample vertexSample(const RouteLine& line, int number, float cumulative)
{
    Sample s;
    s.x = static_cast<float>(line.x1);
    s.y = static_cast<float>(line.y1);
    s.distance = centimetres(cumulative);
    s.name = trimmed(number);
    return s;
}

void addPitchSamples(std::vector<Sample>& out, const RouteLine& line, float length, float pitch,
                     float cumulative, const QString& name)
{
    const double az = geodesy::Inverse(line.x2 - line.x1, line.y2 - line.y1).angleDeg / 180.0 * kPi;
    const double stepX = std::cos(az) * static_cast<double>(pitch);
    const double stepY = std::sin(az) * static_cast<double>(pitch);
    const auto m = static_cast<int>(pitchSamples(length, pitch));
    for (int k = 1; k <= m; ++k) {
        Sample s;
        s.x = static_cast<float>(line.x1 + k * stepX);
        s.y = static_cast<float>(line.y1 + k * stepY);
        s.distance = centimetres(static_cast<float>(k) * pitch + cumulative);
        s.name = name;
        out.push_back(std::move(s));
    }
}

QString record(const QString& text)
{
    return text + QStringLiteral("\r\n");
}

void appendSampleRecords(QString& out, const ProfilePlan& plan, const ProfileSettings& settings)
{
    const auto& samples = plan.samples;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float x = static_cast<float>(settings.scale) * samples[i].height;
        out += record(QStringLiteral("A01,%1,%2,%3,%4,")
                          .arg(i + 1)
                          .arg(samples[i].name, joinedSingle(x), joinedSingle(samples[i].distance)));
    }
}

void appendLevelRecords(QString& out, const ProfilePlan& plan, const HeightGrid& grid, const ProfileSettings& settings,
                        int first)
{
    const QString left = joinedSingle(-plan.total / 20.0F);
    const QString right = joined(static_cast<double>(plan.total) * 1.05);
    for (int level = 0; level <= grid.levels; ++level) {
        const int v = grid.minH + grid.step * level;
        const QString name = QStringLiteral("H=") + trimmed(v);
        const QString x = joined(static_cast<double>(settings.scale) * v);
        const int n = first + 2 * level;
        const auto point = [&](int number, const QString& y) {
            out += record(QStringLiteral("A01,%1,%2,%3,%4,").arg(QString::number(number), name, x, y));
        };
        point(n, left);
        point(n + 100, left);
        point(n + 1, right);
        point(n + 101, right);
    }
}

void appendLabelRecords(QString& out, const ProfilePlan& plan, const HeightGrid& grid, int first)
{
    const double step = distanceStep(plan.total);
    int number = first;
    for (int c = 0; c * step <= static_cast<double>(plan.total); ++c, ++number) {
        const double d = c * step;
        const QString label = d >= 1000.0 ? QStringLiteral("L=") + trimmed(d / 1000.0) + QStringLiteral("km")
                                          : QStringLiteral("L=") + trimmed(d) + QStringLiteral("m");
        out += record(QStringLiteral("A01,%1,%2,%3,%4,")
                          .arg(QString::number(number), label, trimmed(grid.minH), trimmed(d)));
    }
}

void appendFigures(QString& out, std::size_t count, const HeightGrid& grid, int first)
{
    out += record(QStringLiteral("D00,1,type open,2,"));
    for (std::size_t i = 1; i <= count; ++i)
        out += record(QStringLiteral("B01,%1,,").arg(i));
    out += record(QStringLiteral("D00,2,DL,1,"));
    for (int level = 0; level < grid.levels; ++level) {
        const int j = first + 2 * level;
        for (const int n : {j, j + 1, j + 3, j + 2})
            out += record(QStringLiteral("B01,%1,,").arg(n));
    }
    out += record(QStringLiteral("D99,"));
}

}  // namespace

QString hiddenSampleName()
{
    return QStringLiteral("n_p_m");
}

int sampleLimit(const ProfileSettings& settings)
{
    return std::min(kMaxSamples, settings.maxPoints + 1000);
}

PlanResult planProfile(std::span<const RouteLine> route, const ProfileSettings& settings)
{
    if (route.size() > static_cast<std::size_t>(kMaxRouteLines))
        return {Refusal::TooManyLines, {}};
    std::vector<float> lengths;
    lengths.reserve(route.size());
    float total = 0.0F;
    for (const RouteLine& line : route) {
        lengths.push_back(lineLength(line));
        total += lengths.back();
    }
    if (route.empty() || !(total >= kMinRouteLength))
        return {Refusal::TooShort, {}};
    const float pitch = pitchFor(total, settings);

    double needed = 1.0;  // the end sample
    for (const float length : lengths)
        needed += 1.0 + pitchSamples(length, pitch);
    if (needed > sampleLimit(settings))
        return {Refusal::TooManySamples, {}};

    ProfilePlan plan;
    plan.total = total;
    plan.pitch = pitch;
    plan.samples.reserve(static_cast<std::size_t>(needed));
    const QString pitchName = settings.pitchPoints ? QString() : hiddenSampleName();
    float cumulative = 0.0F;
    for (std::size_t j = 0; j < route.size(); ++j) {
        if (j > 0)
            cumulative += lengths[j - 1];
        plan.samples.push_back(vertexSample(route[j], static_cast<int>(j) + 1, cumulative));
        addPitchSamples(plan.samples, route[j], lengths[j], pitch, cumulative, pitchName);
    }
    Sample end;
    end.x = static_cast<float>(route.back().x2);
    end.y = static_cast<float>(route.back().y2);
    end.distance = centimetres(total);
    end.name = trimmed(static_cast<double>(route.size()) + 1.0);
    plan.samples.push_back(std::move(end));
    return {std::nullopt, std::move(plan)};
}

void applyCurvature(std::vector<Sample>& samples)
{
    for (Sample& s : samples) {
        const float km = s.distance / 1000.0F;
        s.height -= kCurvatureDrop * km * km;
    }
}

HeightGrid heightGrid(std::span<const Sample> samples)
{
    HeightGrid grid;
    if (samples.empty())
        return grid;
    const auto whole = [](float h) { return platform::roundHalfEven(static_cast<double>(h)); };
    double maxH = whole(samples.front().height);
    double minH = maxH;
    for (const Sample& s : samples) {
        if (s.height > maxH)
            maxH = whole(s.height);
        if (s.height < minH)
            minH = whole(s.height);
    }
    const double d = maxH - minH;
    const double unit = d < 100.0 ? 10.0 : d < 1000.0 ? 100.0 : 1000.0;
    maxH = Int(maxH / unit) * unit + unit;
    minH = Int(minH / unit) * unit;
    const double span = maxH - minH;
    double step = 1000.0;
    if (span <= 100.0) {
        step = 10.0;
    } else if (span <= 250.0) {
        step = 25.0;
        minH = Int(minH / 25.0) * 25.0;
        maxH = Int(maxH / 25.0) * 25.0 + 25.0;
    } else if (span <= 500.0) {
        step = 50.0;
    } else if (span <= 1000.0) {
        step = 100.0;
    }
    grid.minH = static_cast<int>(minH);
    grid.maxH = static_cast<int>(maxH);
    grid.step = static_cast<int>(step);
    grid.levels = static_cast<int>((maxH - minH) / step);
    return grid;
}

double distanceStep(float total)
{
    const double h = static_cast<double>(total) / 2.0;
    static constexpr struct {
        double below;
        double step;
    } kSteps[] = {{250, 50},     {500, 100},     {1250, 250},     {2500, 500},      {5000, 1000},
                  {12500, 2500}, {25000, 5000},  {50000, 10000},  {100000, 50000}, {500000, 100000}};
    for (const auto& row : kSteps)
        if (h < row.below)
            return row.step;
    return 500000.0;
}

QString handoverText(const ProfilePlan& plan, const HeightGrid& grid, const ProfileSettings& settings)
{
    const int first = settings.maxPoints + 1001;
    QString out;
    out += record(QStringLiteral("Z00,NEW_SIMA 地理院標高API,"));
    out += record(QStringLiteral("G00,01,"));
    out += record(QStringLiteral("A00,"));
    appendSampleRecords(out, plan, settings);
    appendLevelRecords(out, plan, grid, settings, first);
    appendLabelRecords(out, plan, grid, first + 2 * (grid.levels + 1));
    out += record(QStringLiteral("A99,"));
    out += record(QStringLiteral("Z00,,"));
    appendFigures(out, plan.samples.size(), grid, first);
    return out;
}

std::vector<QString> fileNames(std::span<const Sample> samples, float pitch)
{
    std::vector<QString> names;
    names.reserve(samples.size());
    int r = 1;
    int k = 1;
    for (const Sample& s : samples) {
        if (s.name != hiddenSampleName()) {
            names.push_back(trimmed(r));
            ++r;
            k = 1;
        } else {
            names.push_back(trimmed(r - 1) + QLatin1Char('+') + platform::StrSingle(pitch * k).trimmed());
            ++k;
        }
    }
    return names;
}

QByteArray simaFile(std::span<const Sample> samples, std::span<const QString> names, double originX,
                    double originY)
{
    QString out;
    for (const char* head : {"Z00,ルート,", "G00,01,", "A00,"})
        out += record(QString::fromUtf8(head));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        out += record(QStringLiteral("A01,%1,%2,%3,%4,%5")
                          .arg(QString::number(i + 1), names[i], joined(static_cast<double>(s.x) + originX),
                               joined(static_cast<double>(s.y) + originY), joinedSingle(s.height)));
    }
    for (const char* line : {"A99,", "Z00,,", "D00,1,ルート,2,"})
        out += record(QString::fromUtf8(line));
    for (std::size_t i = 1; i <= samples.size(); ++i)
        out += record(QStringLiteral("B01,%1,,").arg(i));
    out += record(QStringLiteral("D99,"));
    out += record(QStringLiteral("Z00,,"));
    return platform::toCp932(out);
}

QByteArray csvFile(std::span<const Sample> samples, std::span<const QString> names)
{
    QString out;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample& s = samples[i];
        out += record(QStringLiteral("%1,%2,%3,%4,%5")
                          .arg(QString::number(i + 1), names[i], joined(s.latitudeDeg), joined(s.longitudeDeg),
                               joinedSingle(s.height)));
    }
    return platform::toCp932(out);
}

QString outputBase(const QString& chosenPath)
{
    const qsizetype slash = std::max(chosenPath.lastIndexOf(u'/'), chosenPath.lastIndexOf(u'\\'));
    const qsizetype point = chosenPath.lastIndexOf(u'.');
    return point > slash ? chosenPath.left(point) : chosenPath;
}

}  // namespace tavelcor::profile
