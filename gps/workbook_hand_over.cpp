// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/workbook_hand_over.h"

#include "gps/messages.h"

#include "platform/workbook/workbook.h"

#include <QVariant>

namespace orbela {

namespace {

// How long the spreadsheet program may take to accept the attachment.
constexpr int kAttachTimeoutMs = 1000;

}  // namespace

QVariantList workbookArguments(const WorkbookFix& fix)
{
    return {fix.x,
            fix.y,
            fix.h,
            QVariant::fromValue<quint8>(fix.gps),
            fix.gpsTime,
            QVariant::fromValue<quint8>(fix.status),
            QVariant::fromValue(fix.hdop),
            QVariant::fromValue(fix.gioid)};
}

ExcelHandOver::ExcelHandOver(std::function<void(const QString&)> report) : mReport(std::move(report)) {}

void ExcelHandOver::fail()
{
    if (mReport)
        mReport(kLogExcelLinkFailed.toString());
}

void ExcelHandOver::To_Excel(const WorkbookFix& fix)
{
    const std::unique_ptr<platform::Workbook> excel = platform::Workbook::attach(kAttachTimeoutMs);
    if (!excel) {
        fail();
        return;
    }
    const std::optional<QStringList> sheets = excel->activeWorkbook() ? excel->worksheetNames() : std::nullopt;
    if (!sheets || sheets->isEmpty()) {
        fail();
        return;
    }
    if (!excel->run(kWorkbookMacro.toString(), workbookArguments(fix)).ok)
        fail();
}

}  // namespace orbela
