// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The arithmetic of an elevation profile, apart from any window or request:
// the samples along a route of lines at a regular pitch, the correction for
// earth curvature and refraction, the height grid and the distance labels,
// and the three texts that carry the result: the SIMA hand-over that a
// second instance of the program shows as its site, and the SIMA and CSV
// files of the samples.
//
// Distances and heights are in metres. Sample positions are plot
// coordinates (site origin subtracted, X north, Y east) held in single
// precision, as are the lengths, the pitch, the distances and the heights:
// the texts written depend on that rounding.

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace tavelcor::profile {

/// Most route lines a profile takes; a longer route builds nothing.
inline constexpr int kMaxRouteLines = 500;
/// Most samples a profile holds (the sample table's room).
inline constexpr int kMaxSamples = 1100;
/// Routes shorter than this (metres) give no profile.
inline constexpr float kMinRouteLength = 20.0F;
/// Shortest pitch (metres); a shorter one is raised to it.
inline constexpr float kMinPitch = 5.0F;

/// Name of a pitch sample in the hand-over: a point the plot does not draw.
QString hiddenSampleName();

/// One line of the route, plot coordinates in metres.
struct RouteLine {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

/// The profile dialog's settings as the builder reads them.
struct ProfileSettings {
    int maxPoints = 50;     ///< 10..1000; the pitch is the total over it
    int fixedPitch = 0;     ///< metres; 0 none
    bool pitchPoints = false;  ///< pitch samples become named points
    bool curvature = false;    ///< correct heights for curvature and refraction
    int scale = 1;          ///< vertical factor of the drawing, 1..50
};

struct Sample {
    float x = 0.0F;  ///< plot coordinates, metres
    float y = 0.0F;
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    float height = 0.0F;    ///< metres
    float distance = 0.0F;  ///< from the route start, metres, whole centimetres
    QString name;           ///< the vertex number, or the pitch sample's name
};

/// Why a route gives no profile.
enum class Refusal {
    TooManyLines,    ///< more than kMaxRouteLines lines: nothing is said
    TooShort,        ///< total below kMinRouteLength: "全長が短かすぎます"
    TooManySamples,  ///< the pitch would need more samples than there is room for
};

/// The samples of a route before their heights are asked.
struct ProfilePlan {
    std::vector<Sample> samples;
    float total = 0.0F;  ///< route length, metres
    float pitch = 0.0F;  ///< metres
};

struct PlanResult {
    std::optional<Refusal> refusal;
    ProfilePlan plan;  ///< empty when refused
};

/// Most samples a profile with these settings may hold: kMaxSamples, and no
/// more than maxPoints + 1000, since the grid numbers start at
/// maxPoints + 1001.
int sampleLimit(const ProfileSettings& settings);

/// Samples the route: every line's start (named by its number in the route),
/// Int(length / pitch) pitch samples along it, the route's end (named by the
/// number after the last line). The pitch is the fixed pitch, else the total
/// over the maximum number of points, at least kMinPitch. A refusal is
/// decided before any sample is made.
PlanResult planProfile(std::span<const RouteLine> route, const ProfileSettings& settings);

/// Lowers every height by 0.0681 m times the square of its distance in
/// kilometres (earth curvature and refraction).
void applyCurvature(std::vector<Sample>& samples);

/// The height grid of the drawing: levels minH, minH + step, ... maxH.
struct HeightGrid {
    int minH = 0;
    int maxH = 0;
    int step = 10;
    int levels = 0;  ///< (maxH - minH) / step; the grid has levels + 1 lines
};

/// The grid around the samples' heights (each rounded half to even).
/// Needs at least one sample.
HeightGrid heightGrid(std::span<const Sample> samples);

/// Distance between two labels of the distance axis for a route of `total`
/// metres.
double distanceStep(float total);

/// The hand-over text: the SIMA records of the profile (X = height times
/// the scale, Y = distance), the grid levels, the distance labels, the
/// profile line and the grid figure, each record ended by CR LF. It begins
/// "Z00,NEW_SIMA 地理院標高API,".
QString handoverText(const ProfilePlan& plan, const HeightGrid& grid, const ProfileSettings& settings);

/// The sample names of the output files: vertices and named samples are
/// numbered 1, 2, ... in order; a hidden pitch sample is the number before
/// it, "+" and its distance from that sample (pitch × k).
std::vector<QString> fileNames(std::span<const Sample> samples, float pitch);

/// The SIMA file of the samples (Shift-JIS, CR LF): absolute coordinates and
/// heights under the given names.
QByteArray simaFile(std::span<const Sample> samples, std::span<const QString> names, double originX,
                    double originY);

/// The CSV file of the samples (Shift-JIS, CR LF): number, name, latitude,
/// longitude, height.
QByteArray csvFile(std::span<const Sample> samples, std::span<const QString> names);

/// The chosen path without its extension (from the last point of the file
/// name on); a name without a point stays whole.
QString outputBase(const QString& chosenPath);

}  // namespace tavelcor::profile
