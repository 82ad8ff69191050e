// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/symbol_file.h"

#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"
#include "platform/text/width.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace tavelcor {
namespace {

// Highest colour index a symbol may have (the 16-colour palette).
constexpr int kTopSymbolColor = 15;

struct Design {
    const char16_t* caption;
    int colorIndex;
    const char16_t* label;
};

// Option13(n) and Label24(n) as the main window is designed; buttons 8 and 10
// carry a trailing blank in their captions.
constexpr std::array<Design, kSymbolCount> kDesign{{
    {u"", 0, u"なし"},   {u"○", 12, u"円"}, {u"◎", 12, u"２重丸"}, {u"●", 12, u""},
    {u"回", 12, u""},    {u"■", 12, u""},   {u"☆", 9, u""},        {u"★ ", 9, u""},
    {u"◇", 9, u""},     {u"◆ ", 9, u""},   {u"▼", 10, u""},       {u"▽", 10, u""},
    {u"Ｘ", 10, u""},    {u"＊", 13, u""},  {u"□", 13, u""},       {u"Ⅹ", 13, u""},
    {u"田", 13, u""},    {u"▲", 0, u""},
}};

// One symbol line, checked whole before anything of it is applied.
struct SymbolLine {
    int n = 0;
    QString character;
    std::uint8_t colorIndex = 0;
    QString label;
};

std::optional<SymbolLine> parseSymbolLine(QStringView line)
{
    const auto f = sitetext::splitFields<4>(line);
    if (f.count < 4)
        return std::nullopt;
    const std::optional<std::int32_t> n = platform::toLongChecked(platform::Val(f[0]));
    const std::optional<std::uint8_t> color = platform::toByteChecked(platform::Val(f[2]));
    if (!n || *n < 1 || *n > kSymbolCount || !color || *color > kTopSymbolColor)
        return std::nullopt;
    SymbolLine s;
    s.n = *n;
    const QStringView mark = platform::trimmedView(f[1]);
    s.character = platform::toFullWidth(mark.first(std::min<qsizetype>(1, mark.size())));
    s.colorIndex = *color;
    s.label = platform::Trim(f[3]);
    return s;
}

void applySymbol(const SymbolLine& s, SymbolButtons& buttons)
{
    SymbolChar[s.n] = s.character;
    buttons.setCaption(s.n, s.character);
    SymbolColor[s.n] = s.colorIndex;
    buttons.setTextColorIndex(s.n, s.colorIndex);
    SymbolLabel[s.n] = s.label;
    buttons.setLabel(s.n, s.label);
}

// A missing file: the table follows the buttons.
void takeSymbolsFromButtons(const SymbolButtons& buttons)
{
    for (int n = 1; n <= kSymbolCount; ++n) {
        const QString caption = buttons.caption(n);
        SymbolChar[n] = caption.isEmpty() ? QStringLiteral(" ") : caption.left(1);
        const int color = buttons.textColorIndex(n);
        SymbolColor[n] = static_cast<std::uint8_t>(color >= 0 && color <= kTopSymbolColor ? color : 0);
        SymbolLabel[n] = buttons.label(n);
    }
}

// path with its file name matched without regard to case in its folder.
QString resolvedPath(const QString& path)
{
    const QFileInfo info(path);
    return platform::findFileNoCase(info.path(), info.fileName());
}

bool isSiteSymbolFile(const QString& path)
{
    if (SiteFolder.isEmpty())
        return false;
    const QString site = QDir::cleanPath(SiteFolder + QStringLiteral("/POINT.JKN"));
    return QDir::cleanPath(path).compare(site, Qt::CaseInsensitive) == 0;
}

// Keeps the former site file as path + "BAK.JKN"; false when it cannot.
bool keepBackup(const QString& path)
{
    const QString backup = resolvedPath(path + QStringLiteral("BAK.JKN"));
    if (!platform::removeFile(backup))
        return false;
    return !platform::fileExists(path) || platform::copyFile(path, backup);
}

WriteResult writeSymbols(const QString& path)
{
    platform::TextFileWriter out(path);
    sitetext::Row row;
    for (int n = 1; n <= kSymbolCount; ++n) {
        row.clear();
        sitetext::appendInt(row, n);
        row << u',';
        // Written trimmed: the reader trims the field, so a blank (symbol 1,
        // no marker) would not come back as written.
        sitetext::appendTrimmedField(row, SymbolChar[n]);
        row << u',';
        sitetext::appendInt(row, SymbolColor[n]);
        row << u',';
        sitetext::appendField(row, SymbolLabel[n]);
        out.writeLine(row.view());
    }
    if (!out.commit())
        return {WriteOutcome::Failed, path, out.errorString()};
    return {WriteOutcome::Written, path, {}};
}

}  // namespace

DesignSymbolButtons::DesignSymbolButtons()
{
    for (int n = 1; n <= kSymbolCount; ++n) {
        const Design& d = kDesign[static_cast<std::size_t>(n - 1)];
        mButtons[static_cast<std::size_t>(n)] = {QString::fromUtf16(d.caption), d.colorIndex,
                                                 QString::fromUtf16(d.label)};
    }
}

QString DesignSymbolButtons::caption(int n) const
{
    return valid(n) ? mButtons[static_cast<std::size_t>(n)].caption : QString();
}

void DesignSymbolButtons::setCaption(int n, const QString& caption)
{
    if (valid(n))
        mButtons[static_cast<std::size_t>(n)].caption = caption;
}

int DesignSymbolButtons::textColorIndex(int n) const
{
    return valid(n) ? mButtons[static_cast<std::size_t>(n)].colorIndex : 0;
}

void DesignSymbolButtons::setTextColorIndex(int n, int colorIndex)
{
    if (valid(n))
        mButtons[static_cast<std::size_t>(n)].colorIndex = colorIndex;
}

QString DesignSymbolButtons::label(int n) const
{
    return valid(n) ? mButtons[static_cast<std::size_t>(n)].label : QString();
}

void DesignSymbolButtons::setLabel(int n, const QString& label)
{
    if (valid(n))
        mButtons[static_cast<std::size_t>(n)].label = label;
}

void LoadPointSymbols(const QString& path, SymbolButtons& buttons)
{
    const QString file = resolvedPath(path);
    if (!platform::fileExists(file)) {
        takeSymbolsFromButtons(buttons);
        return;
    }
    platform::TextFileReader in(file);
    QString line;
    while (in.isOpen() && in.readLine(line)) {
        const std::optional<SymbolLine> symbol = parseSymbolLine(line);
        if (!symbol)
            return;  // the first line that cannot be applied ends the reading
        applySymbol(*symbol, buttons);
    }
}

WriteResult SavePointSymbols(const QString& path, SymbolButtons& buttons,
                             const std::function<void()>& redraw)
{
    const QString file = resolvedPath(path);
    const bool siteFile = isSiteSymbolFile(file);
    WriteResult result{WriteOutcome::Failed, file, QStringLiteral("the former file could not be kept")};
    if (!siteFile || keepBackup(file))
        result = writeSymbols(file);
    if (result.failed()) {
        showSiteMessage(QStringLiteral("保存に失敗しました"));
        return result;
    }
    if (siteFile) {
        LoadPointSymbols(file, buttons);
        if (redraw)
            redraw();
    }
    return result;
}

}  // namespace tavelcor
