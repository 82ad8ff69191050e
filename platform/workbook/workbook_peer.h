// SPDX-License-Identifier: LicenseRef-Tavelcor
// The spreadsheet program's side of the workbook link: a peer that answers
// attaching, the workbook and sheet queries, macro runs and cell reads, and
// serves its sheets' cells as named text links ("Excel|<sheet>" item
// "R4C24"), every change of a cell reaching its linked fields at once.
//
// It runs on a thread of its own, so that a program that calls it and
// blocks for the answer can live in the same process (tests).  Its setters
// may be called from any thread; macro handlers run on the peer's thread.
//
//     WorkbookPeer peer;
//     peer.setWorkbooks({"WEMBRA.XLS"});
//     peer.setWorksheets({"境界"});
//     peer.setMacro("Orbela");
//     peer.setCell("境界", "R4C24", "9999");
//     ASSERT_TRUE(peer.start());
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

namespace platform {

/// One macro run as the peer received it.
struct MacroCall {
    QString name;
    QVariantList arguments;
};

/// A macro's answer: its result, or a failure with its reason.
struct MacroReply {
    bool ok = true;
    QVariant value;
    QString error;

    static MacroReply failure(QString why) { return MacroReply{false, {}, std::move(why)}; }
};

using MacroHandler = std::function<MacroReply(const QVariantList& arguments)>;

class WorkbookPeer {
public:
    /// No workbook open, no macros, not listening yet.
    WorkbookPeer();
    /// Stops listening; attached programs see the spreadsheet program go.
    ~WorkbookPeer();
    WorkbookPeer(const WorkbookPeer&) = delete;
    WorkbookPeer& operator=(const WorkbookPeer&) = delete;

    /// Starts listening on workbookServerName() and serving the sheets'
    /// links.  False when another peer listens there or a link name is taken.
    [[nodiscard]] bool start();

    /// The open workbooks in order and the active one (-1: none open).
    void setWorkbooks(const QStringList& names, int active = 0);
    /// The sheets of the active workbook; each is served as a link topic.
    void setWorksheets(const QStringList& names);
    /// Defines a macro (names compare without case).  Without a handler the
    /// macro succeeds and returns nothing.
    void setMacro(const QString& name, MacroHandler handler = {});
    /// Sets a cell's text ("R4C24"; cell names compare without case) and
    /// sends it to every field linked to the cell.  The sheet is served from
    /// now on.
    void setCell(const QString& sheet, const QString& cell, const QString& text);

    /// The macro runs received so far, in order.
    std::vector<MacroCall> calls() const;
    /// The window state the last SetVisible asked for.
    bool isVisible() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace platform
