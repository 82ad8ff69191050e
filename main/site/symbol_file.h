// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point-symbol catalogue POINT.JKN: 18 lines "n,c,k,label" (symbol
// number 1..18, its marker character, its colour index 0..15 and its label),
// CP932, CR LF. Example: "3,◎,12,２重丸".
//
// Reading applies the symbols at once to the main window's marker buttons
// (Option13(n): caption = the character, text colour = the colour; Label24(n):
// caption = the label). The file logic here works on the SymbolDef tables and
// talks to the buttons through SymbolButtons, which the main window
// implements over its controls; DesignSymbolButtons holds the buttons' state
// as designed, for use before the main window exists and in tests.
#pragma once

#include "main/site/site_file_result.h"
#include "main/site/tables.h"

#include <QString>

#include <array>
#include <functional>

namespace tavelcor {

// The marker buttons Option13(1..18) and their labels Label24(1..18).
class SymbolButtons {
public:
    SymbolButtons() = default;
    SymbolButtons(const SymbolButtons&) = delete;
    SymbolButtons& operator=(const SymbolButtons&) = delete;
    virtual ~SymbolButtons() = default;

    // Caption of Option13(n), n = 1..18.
    virtual QString caption(int n) const = 0;
    virtual void setCaption(int n, const QString& caption) = 0;
    // Palette index 0..15 of Option13(n)'s text colour (QbIndex); 0 when the
    // colour is not in the palette.
    virtual int textColorIndex(int n) const = 0;
    // Sets Option13(n)'s text colour to the palette value of index 0..15.
    virtual void setTextColorIndex(int n, int colorIndex) = 0;
    // Caption of Label24(n).
    virtual QString label(int n) const = 0;
    virtual void setLabel(int n, const QString& label) = 0;
};

// The buttons as designed: 1 "" (colour 0, "なし"), 2 "○" (12, "円"),
// 3 "◎" (12, "２重丸"), 4 "●", 5 "回", 6 "■" (12), 7 "☆", 8 "★ ", 9 "◇",
// 10 "◆ " (9), 11 "▼", 12 "▽", 13 "Ｘ" (10), 14 "＊", 15 "□", 16 "Ⅹ", 17 "田"
// (13), 18 "▲" (0); labels 4..18 empty.
class DesignSymbolButtons final : public SymbolButtons {
public:
    DesignSymbolButtons();

    QString caption(int n) const override;
    void setCaption(int n, const QString& caption) override;
    int textColorIndex(int n) const override;
    void setTextColorIndex(int n, int colorIndex) override;
    QString label(int n) const override;
    void setLabel(int n, const QString& label) override;

private:
    struct Button {
        QString caption;
        int colorIndex = 0;
        QString label;
    };
    static bool valid(int n) { return n >= 1 && n <= kSymbolCount; }

    std::array<Button, kSymbolCount + 1> mButtons;  // entry 0 unused
};

// Reads the symbol file at path (its name matched without regard to case)
// into SymbolChar, SymbolColor and SymbolLabel and onto buttons.
//
// Lines in any order and any number; each is split at every comma: field 1
// the number n (leading number, halves to even), field 2 trimmed, its first
// character made full-width ("o" gives "ｏ"), field 3 the colour index, field
// 4 trimmed the label. Each line is applied field by field (character, then
// colour, then label, each to the table and then to its button); the first
// line that cannot be applied whole ends the reading quietly where it fails:
// a line of three fields sets character and colour but no label, one of two
// fields the character only. A symbol number outside 1..18 applies nothing;
// a colour outside 0..15 is never stored (the character before it stays).
// The lines before stay applied; symbols the file does not name keep their
// state.
//
// Missing file: the table is filled from the buttons (character = first
// character of the caption, a blank for an empty one; colour = the button's
// colour index; label = the label's caption); the buttons do not change.
void LoadPointSymbols(const QString& path, SymbolButtons& buttons);

// Writes SymbolDef to path as 18 lines "n,c,k,label", atomically. Commas in
// the character and the label are written as "_" and line breaks as blanks,
// so each line reads back as four fields; the character is written trimmed
// (the blank of symbol 1, no marker, as an empty field), as it reads back.
//
// When path is the site's symbol file (SiteFolder + "POINT.JKN", letter case
// ignored), the former file is first kept as path + "BAK.JKN" (an older
// backup is replaced), and after writing the file is read back with
// LoadPointSymbols and redraw (when given) is called. A failure leaves the old
// file, shows "保存に失敗しました" and returns Failed.
WriteResult SavePointSymbols(const QString& path, SymbolButtons& buttons,
                             const std::function<void()>& redraw = {});

}  // namespace tavelcor
