// SPDX-License-Identifier: LicenseRef-Tavelcor
// The requests of the workbook link (one frame each, see
// platform/link/frames.h): the request kind as a byte and its values.  Every
// request gets one reply: a status byte (Ok or Failed), then on Ok the
// values named below, on Failed a QString saying why.  Internal to
// platform_workbook.
#pragma once

#include <cstdint>

namespace platform::workbook_messages {

enum Request : std::uint8_t {
    Workbooks = 1,   // -> QStringList names in order, qint32 active index (-1: none open)
    Worksheets = 2,  // -> QStringList sheet names of the active workbook (Failed: none open)
    SetVisible = 3,  // bool -> nothing
    Run = 4,         // QString macro, QVariantList arguments -> QVariant result
    Cell = 5,        // QString sheet, QString cell ("R4C24") -> QString text
};

enum Status : std::uint8_t {
    Ok = 0,
    Failed = 1,
};

}  // namespace platform::workbook_messages
