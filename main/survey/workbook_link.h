// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's link with the field workbook: Timer3 attaches to the
// spreadsheet program once every open workbook is a WEMBRA workbook and
// links the hidden field Text10 to the workbook's signal cell; a signal of
// 992 or 993 opens the station frame Frame13, whose buttons hand the station,
// back-sight and foresight to the workbook ("ＯＫ"), step through the
// foresights ("次") or leave the frame ("取消"). The presses on the plot that
// fill the frame are the station designation of the pointer part.

#include <QString>

#include <cstdint>
#include <memory>

namespace platform {
class LinkClient;
}

namespace tavelcor {

class Plot;

/// The workbook's sheet and cell that signal a station set-up.
inline constexpr char16_t kSignalSheet[] = u"境界";
inline constexpr char16_t kSignalCell[] = u"R4C24";
/// The macro that takes station, back-sight and foresight.
inline constexpr char16_t kHandOverMacro[] = u"kbfget";

/// What the workbook link keeps for the whole run.
struct WorkbookLinkState {
    /// The signal cell's link once made; it stays until the program ends.
    std::unique_ptr<platform::LinkClient> link;
    /// The SightList entry of the last foresight, remembered by "次" when it
    /// wraps (kept apart from the list, whose entries are all foresights).
    std::int32_t lastForesight = 0;
};

WorkbookLinkState& workbookLinkState();

/// True when every name contains "WEMBRA" (case-sensitive); an empty list
/// passes.
bool allWembraWorkbooks(const QStringList& names);

void Timer3_Timer(Plot& window);
void Text10_Change(Plot& window);
/// "ＯＫ": hands the set-up to the workbook and leaves the frame.
void Command50_Click(Plot& window);
/// "次": the next foresight and its sight line.
void Command51_Click(Plot& window);
/// "取消": the point panel takes the frame's place.
void Command49_Click(Plot& window);

}  // namespace tavelcor
