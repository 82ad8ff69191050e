// SPDX-License-Identifier: LicenseRef-Tavelcor
// The field workbook in the spreadsheet program, as the programs reach it:
// attaching to the running spreadsheet program (never starting it), the
// open workbooks and the active one's sheets, making its window visible,
// running a macro by name with typed arguments, and reading a cell.  A cell
// is linked as a named text link of application "Excel" with the sheet as
// topic and the cell ("R4C24") as item (linkCell).
//
// The spreadsheet program is represented by a workbook peer listening on a
// local socket (workbook_peer.h).  Attaching fails exactly when no peer
// listens, as attaching fails when the spreadsheet program is not running.
// Every call blocks the calling thread until the peer answers or its time
// runs out; a peer that does not answer in time is detached.  Nothing here
// throws.
#pragma once

#include "platform/link/link_client.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <optional>

namespace platform {

/// The application name of the spreadsheet program's links.
inline constexpr QStringView kWorkbookApplication = u"Excel";

/// The local server name of the workbook peer: private to the user and to
/// the program folder, like the links' names.
QString workbookServerName();

/// How a macro run ended.
struct MacroOutcome {
    bool ok = false;
    QVariant value;  // the macro's result (may be empty)
    QString error;   // why it failed
};

class Workbook {
public:
    /// Attaches to the running spreadsheet program; nullptr when no workbook
    /// peer listens (waits at most `timeoutMs` for the connection).
    [[nodiscard]] static std::unique_ptr<Workbook> attach(int timeoutMs = 2000);
    /// Releases the spreadsheet program (it keeps running).
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    /// Milliseconds a request waits for its answer: 5000 by default; a macro
    /// run waits runTimeoutMs (60000 by default), a macro may take a while.
    void setTimeouts(int requestMs, int runMs);

    /// The names of the open workbooks, in the program's order.
    std::optional<QStringList> workbookNames();
    /// The name of the active workbook; nullopt when none is open.
    std::optional<QString> activeWorkbook();
    /// The sheet names of the active workbook; nullopt when none is open.
    std::optional<QStringList> worksheetNames();
    /// Shows or hides the program's window; false when it failed.
    bool setVisible(bool visible);
    /// Runs the macro `name` of the open workbook with `arguments` (their
    /// types travel with them: double, float, quint8, QString ...).
    MacroOutcome run(const QString& name, const QVariantList& arguments = {});
    /// The text of a cell ("R4C24") of a sheet; nullopt when the sheet does
    /// not exist or the request failed.
    std::optional<QString> cellText(const QString& sheet, const QString& cell);

    /// Why the last call failed; empty after a success.
    const QString& errorString() const;
    /// False once the peer went away or did not answer in time.
    bool isAttached() const;

private:
    Workbook();
    struct Impl;
    std::unique_ptr<Impl> d;
};

/// Links a cell of a sheet ("境界", "R4C24"), as a text field is linked to
/// "Excel|境界" item "R4C24" in automatic mode; nullptr when the spreadsheet
/// program does not serve the sheet.  See link_client.h.
[[nodiscard]] std::unique_ptr<LinkClient> linkCell(const QString& sheet, const QString& cell,
                                                   int timeoutMs = 1000);

}  // namespace platform
