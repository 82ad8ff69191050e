// SPDX-License-Identifier: LicenseRef-Tavelcor
// The measurement of an observation point by the field workbook WEMBRA in
// the spreadsheet program, shared by the point panel's two workbook buttons
// (Command31 in the operation 属性, and 記録/観測 Command43).
//
// The hand-shake: attach to the running spreadsheet program (never start
// it); every open workbook must be WEMBRA; make it visible, empty the
// clipboard, run the macro the settings choose with the point's name (the
// trimmed name + "X" when the second name already holds "済"), then poll the
// clipboard, without letting other events run, for at most 5 s of clock
// time. The reply "測定済" appends "済" to Text7 and to the point's second
// name (right-trimmed) and redraws the point layer; any other text is shown
// as it stands. Either reply empties the clipboard. No undo record is
// written and CurPoint stays.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace platform {
class Clipboard;
}

namespace tavelcor {

class Plot;

/// The two buttons that run the measurement.
enum class MeasureButton : std::uint8_t {
    Command31,  ///< the panel's 取消 button while 属性 is chosen
    Command43,  ///< 記録/観測
};

/// The workbook macro a button runs, by the data collector type
/// (CollectorSdl) and the main workbook action (RecordMain):
///
///     CollectorSdl RecordMain   Command31      Command43
///     0            0            "sokutei_f"    "Read_f"
///     0            1            "Read_f"       "sokutei_f"
///     any other                 "sokutei_sdl"  "sokutei_sdl"
QString measureMacro(MeasureButton button, int collectorSdl, int recordMain);

/// What the measurement takes from its surroundings; tests replace them.
struct MeasureServices {
    /// A monotonic clock in milliseconds for the reply's 5 s; empty: the
    /// system's steady clock.
    std::function<std::int64_t()> clockMs;
    /// How long attaching may wait for the spreadsheet program to accept.
    int attachTimeoutMs = 1000;
};

MeasureServices& measureServices();

/// How long the reply is waited for, in milliseconds of clock time.
inline constexpr std::int64_t kMeasureReplyWaitMs = 5000;

/// Takes the workbook's reply off the clipboard: polls it, without letting
/// other events run, for at most kMeasureReplyWaitMs of clock time. The
/// reply "測定済" appends "済" to Text7 and to CurPoint's second name
/// (right-trimmed) and redraws the point layer; any other text is shown as
/// it stands; either empties the clipboard. No reply within the wait: nothing
/// changes. CurPoint must name a point (measurePoint checks it first).
void takeMeasureReply(Plot& window, platform::Clipboard& clipboard);

/// Runs the measurement of CurPoint for `button` (the checks, the workbook,
/// the reply). Command43 gives the plot the focus at its end once it has
/// tried to attach, except after the foreign-workbook message.
void measurePoint(Plot& window, MeasureButton button);

/// 記録/観測: the measurement with Command43's macro.
void Command43_Click(Plot& window);

/// Wires Command43. Registered with addPlotWiring.
void wireWorkbookMeasure(Plot& window);

}  // namespace tavelcor
