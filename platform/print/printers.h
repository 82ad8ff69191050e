// SPDX-License-Identifier: LicenseRef-Tavelcor
// The installed printers and the current one (what the original platform
// calls the Printers collection and the Printer object).
//
// The installed printers are the system's (CUPS, in the order Qt lists
// them) followed by the printer "PDF", which is always offered and writes
// each document to a PDF file with no unprintable strips. Tests may replace
// the list with printers of their own (each a PDF-file printer with the
// strips it is given), so that no test depends on the machine's printers.
//
// The current printer is made on first use: the system's default printer,
// else the first installed one. Making a printer current gives a fresh
// printer object with that device's defaults.
#pragma once

#include "platform/print/printer.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace platform {

/// The device name of the PDF-file printer.
QString pdfPrinterName();

/// The installed printers: the system's, then the PDF printer (or the list
/// set for tests).
std::vector<PrinterEntry> installedPrinters();

/// The current printer; nullptr when no printer is installed.
Printer* currentPrinter();

/// Makes `entry` the current printer (a new printer object with its
/// defaults); the previous one is dropped, discarding an open document.
Printer& setCurrentPrinter(const PrinterEntry& entry);

/// Tests: the installed printers are `printers` until called again with
/// nullopt (the system's again). The current printer is dropped either way;
/// the first of the list becomes current on next use.
void setInstalledPrinters(std::optional<std::vector<PrinterEntry>> printers);

/// The printer's own properties dialog for the printer named `deviceName`,
/// modal: returns when the user has closed it. A name that is no installed
/// printer (and the PDF printer, which has no properties) shows nothing.
void showPrinterProperties(const QString& deviceName);

/// Tests: shows the properties dialog through `handler` instead (nullptr:
/// the real dialog again).
void setPrinterPropertiesHandler(std::function<void(const QString&)> handler);

}  // namespace platform
