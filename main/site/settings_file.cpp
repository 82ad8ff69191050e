// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/settings_file.h"

#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/text/items.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace tavelcor {
namespace {

const QString kSettingsFileName = QStringLiteral("tavelcor.jkn");
const QString kSignFileName = QStringLiteral("TAVELCOR.TVX");

// ---- reading one item -------------------------------------------------------

std::optional<std::uint8_t> byteItem(const QString& item)
{
    return platform::toByteChecked(platform::Val(item));
}

// Stores the item as a byte; false when it does not fit (reading then ends).
bool takeByte(std::uint8_t& target, const QString& item)
{
    const std::optional<std::uint8_t> value = byteItem(item);
    if (!value)
        return false;
    target = *value;
    return true;
}

std::optional<float> singleItem(const QString& item)
{
    const float value = static_cast<float>(platform::Val(item));
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// A single-precision setting that is taken only when not 0.
bool takeNonZeroSingle(float& target, const QString& item)
{
    const std::optional<float> value = singleItem(item);
    if (!value)
        return false;
    if (*value != 0.0F)
        target = *value;
    return true;
}

// A byte setting limited to 1..top; 0 or above top gives fallback.
bool takeByteUpTo(std::uint8_t& target, const QString& item, int top, std::uint8_t fallback)
{
    const std::optional<std::uint8_t> value = byteItem(item);
    if (!value)
        return false;
    target = (*value == 0 || *value > top) ? fallback : *value;
    return true;
}

bool takeLongOr(std::int32_t& target, const QString& item, std::int32_t forZero)
{
    const std::optional<std::int32_t> value = platform::toLongChecked(platform::Val(item));
    if (!value)
        return false;
    target = *value == 0 ? forZero : *value;
    return true;
}

// ---- writing one value ------------------------------------------------------

QString signedBlank(double value)
{
    return platform::Str(value);
}

QString plain(double value)
{
    return platform::CStr(value);
}

QString textValue(const QString& text)
{
    sitetext::Row row;
    sitetext::appendTrimmedField(row, text);
    return row.toString();
}

// ---- the 56 lines -------------------------------------------------------------

struct SettingLine {
    // Takes the line's item; false when the value does not fit its type.
    bool (*read)(const QString& item, int arg);
    // The line's text.
    QString (*write)(int arg);
    int arg = 0;  // the entry of a table setting (lines 33..52)
};

bool ignoreItem(const QString&, int)
{
    return true;
}

QString emptyLine(int)
{
    return {};
}

constexpr SettingLine kIgnoredLine{ignoreItem, emptyLine};

// A byte setting taken as it is, written in the signed-blank form.
template <std::uint8_t& Var>
bool readByte(const QString& item, int)
{
    return takeByte(Var, item);
}
template <typename T, T& Var>
QString writeSignedBlank(int)
{
    return signedBlank(static_cast<double>(Var));
}
template <std::uint8_t& Var>
constexpr SettingLine kByteLine{readByte<Var>, writeSignedBlank<std::uint8_t, Var>};

// Lines 14 and 15: -1 only for the item "1"; written "1" for -1, else "0".
template <std::int16_t& Var>
bool readSwitch(const QString& item, int)
{
    Var = item == u"1" ? -1 : 0;
    return true;
}
template <std::int16_t& Var>
QString writeSwitch(int)
{
    return Var == -1 ? QStringLiteral("1") : QStringLiteral("0");
}

template <float& Var>
bool readNonZeroSingle(const QString& item, int)
{
    return takeNonZeroSingle(Var, item);
}
template <float& Var>
QString writeSingle(int)
{
    return platform::StrSingle(Var);
}

// Lines 33..52: entry arg of a byte table, written plain.
template <auto& Table>
bool readTableByte(const QString& item, int k)
{
    return takeByte(Table[k], item);
}
template <auto& Table>
QString writeTableByte(int k)
{
    return plain(Table[k]);
}

bool readHitRadius(const QString& item, int)
{
    const std::optional<std::int16_t> value = platform::toIntegerChecked(platform::Val(item));
    if (!value)
        return false;
    if (*value > 0 && *value < 31)
        HitRadius = *value;
    return true;
}

bool readFontSize(const QString& item, int)
{
    const std::optional<std::int16_t> value = platform::toIntegerChecked(platform::Val(item));
    if (!value)
        return false;
    if (*value > 7 && *value < 31)
        FontSize = *value;
    PointFontSize = FontSize;
    return true;
}

bool readWindowLayout(const QString& item, int)
{
    const std::optional<float> value = singleItem(item);
    if (!value)
        return false;
    if (*value > 0.0F && *value < 4.0F)
        WindowLayout = *value;
    return true;
}

bool readKeepStation(const QString& item, int)
{
    KeepStation = item;
    return true;
}

bool readSetting6(const QString& item, int)
{
    Setting6Text = platform::Trim(item);
    return true;
}

bool readBackupMinutes(const QString& item, int)
{
    const double value = platform::roundHalfEven(platform::Val(item));
    if (value < 0)
        return true;  // a negative interval is not taken; the line is passed
    return takeByte(BackupMinutes, item);
}

bool readSxfMarkMode(const QString& item, int)
{
    SxfMarkMode = item == u"1" ? 1 : 0;
    return true;
}

bool readBackToAdd(const QString& item, int)
{
    BackToAdd = item == u"1" ? 1 : item == u"2" ? 2 : 0;
    return true;
}

QString writeBackToAdd(int)
{
    return BackToAdd == 1 || BackToAdd == 2 ? plain(BackToAdd) : QStringLiteral("0");
}

bool readSetting17(const QString& item, int)
{
    return takeByteUpTo(Setting17, item, 5, 5);
}

// A limited byte setting as the reader would take it back: 0 or above top
// gives fallback. Writing the taken value keeps a file read and written again
// the same (the start-up value 0 of line 17 would otherwise turn into 5).
template <std::uint8_t& Var, int Top, int Fallback>
QString writeByteUpTo(int)
{
    return signedBlank(Var == 0 || Var > Top ? Fallback : Var);
}

template <std::int32_t& Var, int ForZero>
QString writeLongOr(int)
{
    return signedBlank(Var == 0 ? ForZero : Var);
}

bool readWembraOff(const QString& item, int)
{
    WembraOff = platform::Val(item) == 1.0 ? 1 : 0;
    return true;
}

bool readZoneNo(const QString& item, int)
{
    return takeByteUpTo(ZoneNo, item, 19, 6);
}

bool readTileScreens(const QString& item, int)
{
    return takeByteUpTo(TileScreens, item, 99, 5);
}

bool readSlideFactor(const QString& item, int)
{
    const std::optional<float> value = singleItem(item);
    if (!value)
        return false;
    SlideFactor = (*value < 0.0F || *value > 9.0F) ? 1.0F : *value;
    return true;
}

QString writeSlideFactor(int)
{
    const bool inRange = SlideFactor >= 0.0F && SlideFactor <= 9.0F;
    return platform::StrSingle(inRange ? SlideFactor : 1.0F);
}

bool readPointLimit(const QString& item, int)
{
    return takeLongOr(PointLimit, item, 1000);
}

bool readTxtLimit(const QString& item, int)
{
    return takeLongOr(TxtLimit, item, 500);
}

bool readSelOnly(const QString& item, int)
{
    if (item.isEmpty()) {
        SelOnly = 1;
        return true;
    }
    return takeByte(SelOnly, item);
}

const std::array<SettingLine, kSettingsLineCount>& settingLines()
{
    static const std::array<SettingLine, kSettingsLineCount> lines = [] {
        std::array<SettingLine, kSettingsLineCount> l{};
        l[0] = {readHitRadius, writeSignedBlank<std::int16_t, HitRadius>};
        l[1] = {readFontSize, writeSignedBlank<std::int16_t, FontSize>};
        l[2] = {readWindowLayout, writeSingle<WindowLayout>};
        l[3] = kIgnoredLine;
        l[4] = {readKeepStation, [](int) { return textValue(KeepStation); }};
        l[5] = {readSetting6, [](int) { return textValue(Setting6Text); }};
        l[6] = {readByte<DiagZoom>, [](int) { return plain(DiagZoom); }};
        l[7] = {readByte<GpsWaitMsg>, [](int) { return plain(GpsWaitMsg); }};
        l[8] = {readNonZeroSingle<SxfTextH>, writeSingle<SxfTextH>};
        l[9] = {readNonZeroSingle<SxfMarkH>, writeSingle<SxfMarkH>};
        l[10] = {readNonZeroSingle<SxfPointTextH>, writeSingle<SxfPointTextH>};
        l[11] = {readBackupMinutes, writeSignedBlank<std::uint8_t, BackupMinutes>};
        l[12] = {readSxfMarkMode, writeSignedBlank<std::uint8_t, SxfMarkMode>};
        l[13] = {readSwitch<TxtSplit>, writeSwitch<TxtSplit>};
        l[14] = {readSwitch<TxtLineEdit>, writeSwitch<TxtLineEdit>};
        l[15] = {readBackToAdd, writeBackToAdd};
        l[16] = {readSetting17, writeByteUpTo<Setting17, 5, 5>};
        l[17] = {readWembraOff, writeSignedBlank<std::uint8_t, WembraOff>};
        l[18] = {readZoneNo, writeByteUpTo<ZoneNo, 19, 6>};
        l[19] = {readTileScreens, writeByteUpTo<TileScreens, 99, 5>};
        l[20] = {readSlideFactor, writeSlideFactor};
        l[21] = kByteLine<GsiOffline>;
        for (int i = 22; i <= 25; ++i)
            l[i] = kIgnoredLine;
        l[26] = kByteLine<DblClickInput>;
        l[27] = {readPointLimit, writeLongOr<PointLimit, 1000>};
        l[28] = {readTxtLimit, writeLongOr<TxtLimit, 500>};
        l[29] = kByteLine<CollectorSdl>;
        l[30] = kByteLine<KintabAuto>;
        l[31] = {readSelOnly, writeSignedBlank<std::uint8_t, SelOnly>};
        for (int k = 1; k <= 10; ++k) {
            l[31 + k] = {readTableByte<TxtLineShow>, writeTableByte<TxtLineShow>, k};
            l[41 + k] = {readTableByte<KakuchiAttrShow>, writeTableByte<KakuchiAttrShow>, k};
        }
        l[52] = kByteLine<VarFont>;
        l[53] = kByteLine<RecordMain>;
        l[54] = kByteLine<KeepView>;
        l[55] = kByteLine<FillSelected>;
        return l;
    }();
    return lines;
}

void setReaderDefaults()
{
    KeepStation = QStringLiteral("1");
    SxfTextH = 2.0F;
    SxfMarkH = 2.0F;
    SxfPointTextH = 2.0F;
    BackupMinutes = 5;
    DiagZoom = 2;
    TxtSplit = -1;
    TxtLineEdit = -1;
    WembraOff = 1;
    PointLimit = 1000;
    TxtLimit = 500;
}

bool siteFolderIsSite()
{
    return !SiteFolder.isEmpty()
           && platform::fileExists(sitetext::siteFile(SiteFolder, kSignFileName));
}

}  // namespace

QString settingsFileToRead()
{
    if (!SiteFolder.isEmpty()) {
        const QString site = sitetext::siteFile(SiteFolder, kSettingsFileName);
        if (platform::fileExists(site))
            return site;
    }
    if (!WorkFolder.isEmpty()) {
        const QString work = sitetext::siteFile(WorkFolder, kSettingsFileName);
        if (platform::fileExists(work))
            return work;
    }
    return {};
}

QString settingsFileToWrite()
{
    if (siteFolderIsSite())
        return sitetext::siteFile(SiteFolder, kSettingsFileName);
    return sitetext::siteFile(WorkFolder, kSettingsFileName);
}

SettingsReadResult LoadSettings(const std::function<void(float)>& applyWindowLayout)
{
    setReaderDefaults();
    SettingsReadResult result;
    result.path = settingsFileToRead();
    if (result.path.isEmpty())
        return result;
    platform::TextFileReader in(result.path);
    if (!in.isOpen())
        return result;
    // Line 2 starts from 11 and copies the font size to the point font size;
    // a file that ends before it leaves the two in step all the same.
    FontSize = 11;
    PointFontSize = FontSize;
    platform::ItemReader items(in.lines());
    const auto& lines = settingLines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<QString> item = items.readItem();
        if (!item || !lines[i].read(*item, lines[i].arg))
            break;
        ++result.linesRead;
        if (i == 2 && applyWindowLayout)
            applyWindowLayout(WindowLayout);
    }
    return result;
}

WriteResult SaveSettings(const std::function<void()>& switchOnWembraTimer)
{
    const bool intoWorkFolder = !siteFolderIsSite();
    if (intoWorkFolder && WorkFolder.isEmpty())
        return {WriteOutcome::Failed, {}, QStringLiteral("no work folder")};
    if (intoWorkFolder)
        platform::ensureFolder(WorkFolder);
    const QString path = settingsFileToWrite();
    platform::TextFileWriter out(path);
    for (const SettingLine& line : settingLines())
        out.writeLine(line.write(line.arg));
    const WriteResult result = sitetext::commitFile(out, path);
    if (!result.failed() && WembraOff == 0 && switchOnWembraTimer)
        switchOnWembraTimer();
    return result;
}

}  // namespace tavelcor
