// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The main window's side of the GPS link with the GPS program: switching
// GPS on links the hidden field Text9 to the program's fix text, Timer1
// reads it every 500 ms, status words switch GPS off with a message, and fix
// lines go into the track (gps_track.h), which Gpsplot draws over the plot
// every fourth fix line with the blinking marker Image1.

#include <QString>

#include <cstdint>
#include <memory>

namespace platform {
class LinkClient;
}

namespace tavelcor {

class Plot;

/// The link of the GPS program: application, topic and item.
inline constexpr char16_t kGpsLinkApplication[] = u"FALDREN";
inline constexpr char16_t kGpsLinkTopic[] = u"ORBELA_TEXT7";
inline constexpr char16_t kGpsLinkItem[] = u"Text7";

/// What the GPS client keeps for the whole run besides the track.
struct GpsClientState {
    /// The open link while GPS is on.
    std::unique_ptr<platform::LinkClient> link;
    /// Fix lines counted 1, 2, 3, 0: the marker shows on 0, the track is
    /// drawn on 1.
    std::int16_t blink = 0;
    /// A message box of the poll is open: further ticks do nothing.
    bool messageOpen = false;
};

GpsClientState& gpsClientState();

/// The GPS program beside the running executable.
QString orbelaProgram();

/// GPS on or off, as Check5 now says.
void Check5_Click(Plot& window);
/// "Ｇ" of the point panel: refused while GPS is off.
void Check29_Click(Plot& window);
/// The poll tick.
void Timer1_Timer(Plot& window);
/// Follows the current position, places the marker and draws the track.
void Gpsplot(Plot& window);
/// "GPS": shows the GPS window modally beside the side panel.
void Command54_Click(Plot& window);

}  // namespace tavelcor
