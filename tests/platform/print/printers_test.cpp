// SPDX-License-Identifier: LicenseRef-Tavelcor
// The installed printers, the current printer and the properties dialog.
#include "platform/print/printers.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace platform {
namespace {

PrinterEntry testPrinter(const QString& name)
{
    PrinterEntry entry;
    entry.DeviceName = name;
    entry.pdfFile = true;
    return entry;
}

QStringList names(const std::vector<PrinterEntry>& printers)
{
    QStringList list;
    for (const PrinterEntry& entry : printers)
        list << entry.DeviceName;
    return list;
}

class PrintersTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        setInstalledPrinters(std::nullopt);
        setPrinterPropertiesHandler(nullptr);
    }
};

TEST_F(PrintersTest, SystemListEndsWithThePdfPrinter)
{
    const std::vector<PrinterEntry> printers = installedPrinters();
    ASSERT_FALSE(printers.empty());
    EXPECT_EQ(printers.back().DeviceName, QStringLiteral("PDF"));
    EXPECT_TRUE(printers.back().pdfFile);
    EXPECT_TRUE(printers.back().unprintableMm.isNull());
    for (std::size_t i = 0; i + 1 < printers.size(); ++i)
        EXPECT_FALSE(printers[i].pdfFile) << "system printers come first";
    ASSERT_NE(currentPrinter(), nullptr) << "the PDF printer at least";
}

TEST_F(PrintersTest, ListSetForTestsRulesUntilReset)
{
    setInstalledPrinters(std::vector<PrinterEntry>{testPrinter(QStringLiteral("A")), testPrinter(QStringLiteral("B"))});
    EXPECT_EQ(names(installedPrinters()), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    ASSERT_NE(currentPrinter(), nullptr);
    EXPECT_EQ(currentPrinter()->DeviceName(), QStringLiteral("A")) << "the first becomes current";

    setInstalledPrinters(std::nullopt);
    EXPECT_EQ(installedPrinters().back().DeviceName, QStringLiteral("PDF"));
}

TEST_F(PrintersTest, NoPrinterInstalledMeansNoCurrentPrinter)
{
    setInstalledPrinters(std::vector<PrinterEntry>{});
    EXPECT_TRUE(installedPrinters().empty());
    EXPECT_EQ(currentPrinter(), nullptr);
}

TEST_F(PrintersTest, MakingAPrinterCurrentGivesItsDefaults)
{
    setInstalledPrinters(std::vector<PrinterEntry>{testPrinter(QStringLiteral("A")), testPrinter(QStringLiteral("B"))});
    ASSERT_TRUE(currentPrinter()->setPaperSize(paper::A3));
    EXPECT_EQ(currentPrinter()->PaperSize(), paper::A3) << "the current printer keeps its paper";

    Printer& b = setCurrentPrinter(installedPrinters()[1]);
    EXPECT_EQ(currentPrinter(), &b);
    EXPECT_EQ(b.DeviceName(), QStringLiteral("B"));
    EXPECT_EQ(b.PaperSize(), paper::A4);

    setCurrentPrinter(installedPrinters()[0]);
    EXPECT_EQ(currentPrinter()->PaperSize(), paper::A4) << "a fresh printer object";
}

TEST_F(PrintersTest, PropertiesDialogGoesThroughTheHandler)
{
    QStringList shown;
    setPrinterPropertiesHandler([&shown](const QString& name) { shown << name; });
    showPrinterProperties(QStringLiteral("BITMAP"));
    showPrinterProperties(QStringLiteral("PDF"));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("BITMAP"), QStringLiteral("PDF")}));
}

// The windows that came up modally while `act` ran; each is closed at once,
// as a user who cancels it, so that the test never waits for anybody.
QStringList modalWindowsDuring(const std::function<void()>& act)
{
    QStringList shown;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown << QString::fromLatin1(modal->metaObject()->className());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    });
    watch.start();
    act();
    return shown;
}

TEST_F(PrintersTest, PropertiesOfNoSystemPrinterShowNothing)
{
    // Without a handler a system printer shows its page dialog; names that
    // are no system printer return at once and show none.
    PrinterEntry office;
    office.DeviceName = QStringLiteral("LBP");
    setInstalledPrinters(std::vector<PrinterEntry>{office, testPrinter(QStringLiteral("PDF"))});
    EXPECT_EQ(modalWindowsDuring([] { showPrinterProperties(QStringLiteral("LBP")); }).size(), 1)
        << "the system printer's dialog";
    EXPECT_TRUE(modalWindowsDuring([] {
                    showPrinterProperties(QStringLiteral("BITMAP"));
                    showPrinterProperties(QStringLiteral("PDF"));
                    QCoreApplication::processEvents();
                }).isEmpty());
}

}  // namespace
}  // namespace platform
