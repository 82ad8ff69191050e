// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's reception core fed with received bytes in chunks: the first input
// byte gives the chunk size (1 to 256 bytes per receive event), the next
// ones the window's settings (zone text, reception mode, save type, clock
// and workbook switches, single-reading point file); the rest is what the
// receiver sent. The clock and the workbook are fakes; the geoid model is the
// project's small test grid, so fixes near it get geoid heights.
#include "fuzz/support/fuzz_support.h"

#include "gps/clock.h"
#include "gps/geoid.h"
#include "gps/reception.h"

#include <QDateTime>
#include <QDir>

#include <array>

namespace {

class FakeClock final : public orbela::SystemClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 5, 2), QTime(3, 4, 5), Qt::UTC); }
    bool set(const QDateTime&) override { return mSettable; }
    bool mSettable = false;
};

class FakeWorkbook final : public orbela::WorkbookHandOver {
public:
    void To_Excel(const orbela::WorkbookFix& fix) override { mLast = fix.x + fix.y + fix.h; }

private:
    double mLast = 0;
};

// The test grid converted once into the program folder.
orbela::GeoidModel testGrid()
{
    static const orbela::GeoidModel model = [] {
        const QDir dir(fuzz::programFolder());
        const QString asc = dir.filePath(QStringLiteral("grid.asc"));
        const QString tmp = dir.filePath(QStringLiteral("grid.tmp"));
        QFile::copy(QStringLiteral(TAVELCOR_TEST_DATA "/gps/grid_3x4.asc"), asc);
        if (orbela::convertGeoidModel(asc, tmp) != orbela::GeoidConversion::Done)
            return orbela::GeoidModel();
        return orbela::GeoidModel(asc, tmp);
    }();
    return model;
}

orbela::ReceptionSettings settingsFrom(fuzz::Bytes& bytes)
{
    static const std::array<QString, 6> zones = {QStringLiteral("6"), QStringLiteral("19"), QStringLiteral("0"),
                                                 QStringLiteral("20"), QStringLiteral("-1"), QStringLiteral("x")};
    orbela::ReceptionSettings settings;
    settings.zoneText = bytes.choose(3) == 0 ? zones[std::size_t(bytes.choose(int(zones.size())))]
                                             : QString::number(bytes.choose(21));
    settings.mode = static_cast<orbela::ReceptionMode>(bytes.choose(5));
    settings.saveType = static_cast<orbela::SaveType>(bytes.choose(3));
    settings.clockRequested = bytes.flag();
    settings.workbookLink = bytes.flag();
    if (bytes.flag())
        settings.pointFilePath = fuzz::programFolder() + QStringLiteral("POINT.SIM");
    return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const qsizetype chunk = bytes.take() + 1;
    const orbela::ReceptionSettings settings = settingsFrom(bytes);
    FakeClock clock;
    clock.mSettable = bytes.flag();
    fuzz::answerYes(bytes.flag());
    FakeWorkbook workbook;
    orbela::Reception reception(clock);
    reception.setProgramFolder(fuzz::programFolder());
    reception.setWorkbook(&workbook);
    reception.geoid() = testGrid();
    reception.startReception();
    const QByteArrayView received = bytes.rest();
    for (qsizetype at = 0; at < received.size(); at += chunk) {
        const orbela::ReceiveOutcome outcome = reception.receive(received.sliced(at, std::min(chunk, received.size() - at)), settings);
        if (outcome.endReception || outcome.stopReception)
            break;
    }
    return 0;
}
