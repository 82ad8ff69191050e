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

// Applies one symbol line field by field, in the order the reader has
// always used: the character (table, then button caption), the colour
// (table, then button colour), the label (table, then label caption). A line
// that runs out of fields ends the reading where it runs out, keeping what it
// applied before ("5,■,14" sets character and colour, not the label). False
// when the line ends the reading.
//
// Not stored at all: a symbol number outside 1..18 (nothing of the line is
// applied) and a colour outside the palette 0..15 (the reading ends before
// the colour: a colour index past the palette would index past the colour
// table of every drawer; the character already applied stays, so the table
// and the button still agree).
bool applySymbolLine(QStringView line, SymbolButtons& buttons)
{
    const auto f = sitetext::splitFields<4>(line);
    if (f.count < 1)
        return false;
    const std::optional<std::int32_t> number = platform::toLongChecked(platform::Val(f[0]));
    if (!number || *number < 1 || *number > kSymbolCount || f.count < 2)
        return false;
    const int n = *number;
    const QStringView mark = platform::trimmedView(f[1]);
    SymbolChar[n] = platform::toFullWidth(mark.first(std::min<qsizetype>(1, mark.size())));
    buttons.setCaption(n, SymbolChar[n]);
    if (f.count < 3)
        return false;
    const std::optional<std::uint8_t> color = platform::toByteChecked(platform::Val(f[2]));
    if (!color || *color > kTopSymbolColor)
        return false;
    SymbolColor[n] = *color;
    buttons.setTextColorIndex(n, *color);
    if (f.count < 4)
        return false;
    SymbolLabel[n] = platform::Trim(f[3]);
    buttons.setLabel(n, SymbolLabel[n]);
    return true;
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
    const QString backup = sitetext::siteFilePath(path + QStringLiteral("BAK.JKN"));
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
    return sitetext::commitFile(out, path);
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
    const QString file = sitetext::siteFilePath(path);
    if (!platform::fileExists(file)) {
        takeSymbolsFromButtons(buttons);
        return;
    }
    platform::TextFileReader in(file);
    QString line;
    while (in.isOpen() && in.readLine(line)) {
        if (!applySymbolLine(line, buttons))
            return;  // the first line that cannot be applied whole ends the reading
    }
}

WriteResult SavePointSymbols(const QString& path, SymbolButtons& buttons,
                             const std::function<void()>& redraw)
{
    const QString file = sitetext::siteFilePath(path);
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
