// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/print/printers.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>
#include <utility>

namespace platform {

namespace {

// The printer state of the program: like the original platform's Printer
// object it lives for the whole run.
struct PrinterState {
    PrinterState() = default;
    PrinterState(const PrinterState&) = delete;
    PrinterState& operator=(const PrinterState&) = delete;
    ~PrinterState()
    {
        // A print device cannot outlive the application: at the end of the
        // program the last printer object is left to the operating system.
        if (QCoreApplication::instance() == nullptr)
            static_cast<void>(current.release());
    }

    std::optional<std::vector<PrinterEntry>> testPrinters;
    std::unique_ptr<Printer> current;
    bool currentChosen = false;
    std::function<void(const QString&)> propertiesHandler;
};

PrinterState& state()
{
    static PrinterState s;
    return s;
}

PrinterEntry pdfEntry()
{
    PrinterEntry entry;
    entry.DeviceName = pdfPrinterName();
    entry.pdfFile = true;
    return entry;
}

std::optional<PrinterEntry> startingPrinter(const std::vector<PrinterEntry>& printers)
{
    if (printers.empty())
        return std::nullopt;
    if (!state().testPrinters) {
        const QString systemDefault = QPrinterInfo::defaultPrinterName();
        for (const PrinterEntry& entry : printers)
            if (!entry.pdfFile && !systemDefault.isEmpty() && entry.DeviceName == systemDefault)
                return entry;
    }
    return printers.front();
}

bool isSystemPrinter(const QString& deviceName)
{
    for (const PrinterEntry& entry : installedPrinters())
        if (!entry.pdfFile && entry.DeviceName == deviceName)
            return true;
    return false;
}

}  // namespace

QString pdfPrinterName()
{
    return QStringLiteral("PDF");
}

std::vector<PrinterEntry> installedPrinters()
{
    if (state().testPrinters)
        return *state().testPrinters;
    std::vector<PrinterEntry> printers;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        PrinterEntry entry;
        entry.DeviceName = name;
        printers.push_back(entry);
    }
    printers.push_back(pdfEntry());
    return printers;
}

Printer* currentPrinter()
{
    PrinterState& s = state();
    if (!s.currentChosen) {
        s.currentChosen = true;
        if (const auto entry = startingPrinter(installedPrinters()))
            s.current = std::make_unique<Printer>(*entry);
    }
    return s.current.get();
}

Printer& setCurrentPrinter(const PrinterEntry& entry)
{
    PrinterState& s = state();
    s.current = std::make_unique<Printer>(entry);
    s.currentChosen = true;
    return *s.current;
}

void setInstalledPrinters(std::optional<std::vector<PrinterEntry>> printers)
{
    PrinterState& s = state();
    s.testPrinters = std::move(printers);
    s.current.reset();
    s.currentChosen = false;
}

void showPrinterProperties(const QString& deviceName)
{
    if (state().propertiesHandler) {
        state().propertiesHandler(deviceName);
        return;
    }
    if (!isSystemPrinter(deviceName))
        return;
    QPrinter device;
    device.setPrinterName(deviceName);
    QPageSetupDialog dialog(&device, QApplication::activeWindow());
    dialog.exec();
}

void setPrinterPropertiesHandler(std::function<void(const QString&)> handler)
{
    state().propertiesHandler = std::move(handler);
}

}  // namespace platform
