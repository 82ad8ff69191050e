// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The device capabilities that tell a printer's printable area: the sheet,
// the printable part of it and the strips around it, in printer pixels,
// with the printer's resolution. A plain record, for code that works out
// offsets and sizes without a printer at hand.

namespace platform {

struct DeviceCaps {
    int physicalOffsetX = 0;  ///< unprintable strip at the left
    int physicalOffsetY = 0;  ///< unprintable strip at the top
    int physicalWidth = 0;    ///< the whole sheet across
    int physicalHeight = 0;   ///< the whole sheet down
    int horzRes = 0;          ///< printable width
    int vertRes = 0;          ///< printable height
    double dpiX = 0.0;        ///< pixels per inch across
    double dpiY = 0.0;        ///< pixels per inch down
};

}  // namespace platform
