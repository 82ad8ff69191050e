// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/elevation_profile.h"

#include "geodesy/plane_rectangular.h"
#include "main/background/profile_build.h"
#include "main/background/web_requests.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/desktop/system_clipboard.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/system/processes.h"

#include <optional>
#include <utility>
#include <vector>

namespace tavelcor {

namespace {

constexpr int kHourglass = 11;
constexpr int kNormalPointer = 0;
constexpr double kElevationFloor = -100.0;

QString filesQuestion()
{
    return QStringLiteral("軌道を出力する= ok 出力しない= CANCEL");
}

QString tooShortMessage()
{
    return QStringLiteral("全長が短かすぎます");
}

QString noElevationMessage()
{
    return QStringLiteral("地理院から標高が取得できません");
}

QString tooManySamplesMessage(int limit)
{
    return QStringLiteral("断面の点が%1点を超えます。ピッチを大きくするか、ルートを短くしてください").arg(limit);
}

// The hourglass over the main window for the build's time.
class Hourglass {
public:
    explicit Hourglass(Plot& window) : mWindow(window) { mWindow.setMousePointer(kHourglass); }
    ~Hourglass() { mWindow.setMousePointer(kNormalPointer); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Plot& mWindow;
};

// The progress bar, shown for the time of the look-ups.
class ProgressShown {
public:
    explicit ProgressShown(platform::ProgressBar& bar) : mBar(bar)
    {
        mBar.setMax(100.0);
        mBar.setValue(0.0);
        mBar.setVisible(true);
    }
    ~ProgressShown() { mBar.setVisible(false); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void show(std::size_t done, std::size_t count)
    {
        mBar.setValue(count == 0 ? 0.0 : 100.0 * static_cast<double>(done) / static_cast<double>(count));
    }

private:
    platform::ProgressBar& mBar;
};

// The path the samples are written under (without extension), when the user
// asked for the files and chose a name.
std::optional<QString> askOutputBase(Plot& window)
{
    if (platform::MsgBox(filesQuestion(), platform::MsgButtons::YesNo) != platform::MsgResult::Yes)
        return std::nullopt;
    platform::CommonDialog& dialog = window.CommonDialog3;
    dialog.setFilter(QStringLiteral("CSVファイル(*.csv;*.sim)|*.csv;*.sim"));
    if (!dialog.ShowSave() || dialog.FileName().isEmpty())
        return std::nullopt;
    return profile::outputBase(dialog.FileName());
}

// The route lines RouteFirst..RouteLast; nullopt for a route of more lines
// than a profile takes. Indexes outside the Line table count as no line.
std::optional<std::vector<profile::RouteLine>> routeLines()
{
    const long long count = static_cast<long long>(RouteLast) - RouteFirst + 1;
    if (count > profile::kMaxRouteLines)
        return std::nullopt;
    std::vector<profile::RouteLine> lines;
    if (count <= 0 || RouteFirst < 1 || RouteLast > kLineTop)
        return lines;
    for (int L = RouteFirst; L <= RouteLast; ++L)
        lines.push_back({std::as_const(LineX1)[L], std::as_const(LineY1)[L], std::as_const(LineX2)[L],
                         std::as_const(LineY2)[L]});
    return lines;
}

profile::ProfileSettings currentSettings()
{
    profile::ProfileSettings settings;
    settings.maxPoints = DanmenMaxPoints >= 1 ? DanmenMaxPoints : 50;
    settings.fixedPitch = DanmenFixedPitch;
    settings.pitchPoints = DanmenPitchPoints == 1;
    settings.curvature = DanmenCurvature == 1;
    settings.scale = DanmenScale;
    return settings;
}

// Latitude and longitude of a sample, decimal degrees.
void locate(profile::Sample& sample)
{
    const double x = static_cast<double>(sample.x) + OriginX;
    const double y = static_cast<double>(sample.y) + OriginY;
    sample.latitudeDeg = geodesy::DmsToDeg(geodesy::XYtoBL(x, y, ZoneNo, 0) / 10000.0);
    sample.longitudeDeg = geodesy::DmsToDeg(geodesy::XYtoBL(x, y, ZoneNo, 1) / 10000.0);
}

// Asks every sample's height; false at the first that has none.
bool fetchHeights(Plot& window, std::vector<profile::Sample>& samples)
{
    ProgressShown progress(window.ProgressBar5);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        profile::Sample& s = samples[i];
        locate(s);
        const ElevationResult reply = GetElevation(s.longitudeDeg, s.latitudeDeg);
        const auto height = static_cast<float>(reply.value());
        if (!reply.ok || !(static_cast<double>(height) >= kElevationFloor))
            return false;
        s.height = height;
        progress.show(i + 1, samples.size());
    }
    return true;
}

// The two output files, each written whole or not at all.
void writeOutputFiles(const QString& base, const profile::ProfilePlan& plan)
{
    const std::vector<QString> names = profile::fileNames(plan.samples, plan.pitch);
    const struct {
        QString path;
        QByteArray bytes;
    } files[] = {
        {base + QStringLiteral(".sim"), profile::simaFile(plan.samples, names, OriginX, OriginY)},
        {base + QStringLiteral(".csv"), profile::csvFile(plan.samples, names)},
    };
    for (const auto& file : files)
        if (!platform::writeFileAtomically(file.path, file.bytes))
            platform::MsgBox(QStringLiteral("ファイルに書き込めません: ") + file.path);
}

QString profileProgram()
{
    return platform::executableFolder() + QStringLiteral("/tavelcor");
}

// The clipboard hand-over and the second instance that reads it.
void handOver(const QString& text)
{
    platform::SystemClipboard clipboard;
    clipboard.clear();
    clipboard.setText(text);
    const QString program = profileProgram();
    if (!platform::processStarter().startDetached(program, {}))
        platform::MsgBox(QStringLiteral("断面図を表示するプログラムを起動できません: ") + program
                         + QStringLiteral("\r\n断面図のデータはクリップボードにあります"));
}

}  // namespace

void MakeSection()
{
    Plot& window = plot();
    const std::optional<QString> outputBase = askOutputBase(window);
    Hourglass hourglass(window);
    const std::optional<std::vector<profile::RouteLine>> route = routeLines();
    if (!route)
        return;
    const profile::ProfileSettings settings = currentSettings();
    profile::PlanResult planned = profile::planProfile(*route, settings);
    if (planned.refusal) {
        if (*planned.refusal == profile::Refusal::TooShort)
            platform::MsgBox(tooShortMessage());
        else if (*planned.refusal == profile::Refusal::TooManySamples)
            platform::MsgBox(tooManySamplesMessage(profile::sampleLimit(settings)));
        return;
    }
    profile::ProfilePlan& plan = planned.plan;
    if (!fetchHeights(window, plan.samples)) {
        platform::MsgBox(noElevationMessage());
        return;
    }
    if (settings.curvature)
        profile::applyCurvature(plan.samples);
    const QString text = profile::handoverText(plan, profile::heightGrid(plan.samples), settings);
    if (outputBase)
        writeOutputFiles(*outputBase, plan);
    handOver(text);
}

}  // namespace tavelcor
