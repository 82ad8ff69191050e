// SPDX-License-Identifier: LicenseRef-Tavelcor
// `Form1.To_Excel`: hands one fix to the field workbook.  It attaches to the
// running spreadsheet program (never starting it), looks up the active
// workbook and its first sheet, and runs the workbook's macro "Orbela" with
// X, Y, H (doubles), the satellite count (byte), the local time text, the
// fix quality (byte), the HDOP and GGA field 11 (singles), in this order.
// Any failure on the way (no spreadsheet program, no workbook open, no such
// macro, a failure inside it) is reported with "エクセルへのリンクに失敗しました"
// through the report function (the window writes it into its first log
// box); reception goes on.  No message box is shown.
#pragma once

#include "gps/reception.h"

#include <QString>
#include <QVariantList>

#include <functional>

namespace orbela {

/// The workbook macro that takes each fix.
inline constexpr QStringView kWorkbookMacro = u"Orbela";

/// The macro's arguments for `fix`, with their types.
QVariantList workbookArguments(const WorkbookFix& fix);

class ExcelHandOver final : public WorkbookHandOver {
public:
    /// `report` receives the failure text; it must outlive the hand-over.
    explicit ExcelHandOver(std::function<void(const QString&)> report = {});

    void setReport(std::function<void(const QString&)> report) { mReport = std::move(report); }

    void To_Excel(const WorkbookFix& fix) override;

private:
    void fail();

    std::function<void(const QString&)> mReport;
};

}  // namespace orbela
