// SPDX-License-Identifier: LicenseRef-Tavelcor
// The text presets TEXT.JKN: one entry per line, CP932, CR LF, no header.
// The phrase editor writes it (writeTextPresets); start-up and the editor
// read it (LoadTextPresets).
//   lines 1..6   "caption,text": split at the first comma; the text is cut to
//                its first 100 characters; a line without a comma is all
//                caption with an empty text
//   line 7       anything: key "他", empty text
//   lines 8..4000  one phrase each, the whole line (commas included)
// Entry n of PhraseKey/PhraseText is line n. The captions of lines 1..7 go to
// the text panel's quick-text buttons Option23(1..7); every phrase of line 8
// on that is not blank is offered in the phrase list (the list box of the
// registered-strings window). The file logic talks to these controls through
// PresetControls, which the main window implements; MemoryPresetControls
// keeps them as plain values (the designed captions "田", "畑", "山林", "宅地",
// "公道", "用悪", "他" and an empty list).
#pragma once

#include "main/site/site_file_result.h"

#include <QString>
#include <QStringList>

#include <array>

namespace tavelcor {

class PresetControls {
public:
    PresetControls() = default;
    PresetControls(const PresetControls&) = delete;
    PresetControls& operator=(const PresetControls&) = delete;
    virtual ~PresetControls() = default;

    // Sets the caption of quick-text button Option23(n), n = 1..7.
    virtual void setQuickTextCaption(int n, const QString& caption) = 0;
    // Empties the phrase list (loading its window, hidden, when needed).
    virtual void clearPhraseList() = 0;
    // Appends one item to the phrase list.
    virtual void addPhrase(const QString& text) = 0;
};

class MemoryPresetControls final : public PresetControls {
public:
    MemoryPresetControls();

    void setQuickTextCaption(int n, const QString& caption) override;
    void clearPhraseList() override;
    void addPhrase(const QString& text) override;

    // Caption of button n (1..7); empty for other n.
    QString quickTextCaption(int n) const;
    const QStringList& phraseList() const { return mPhrases; }

private:
    std::array<QString, 8> mCaptions;  // entry 0 unused
    QStringList mPhrases;
};

// Reads the preset file at path (its name matched without regard to case).
// First empties PhraseKey and PhraseText 1..4000 and the phrase list. A file
// that does not exist (or cannot be opened) gives the nine built-in phrases
// "雑種地", "ため池", "堤", "墓地", "境内地", "から分筆", "地目変更", "に分筆",
// "未定" in the list, an empty table and unchanged captions. Otherwise lines
// 1..4000 are taken as above; later lines are not read, and entries after
// the file's last line stay empty. Phrases are added untrimmed.
void LoadTextPresets(const QString& path, PresetControls& controls);

// Writes PhraseKey and PhraseText as TEXT.JKN to path (its name matched
// without regard to case, so an existing "text.jkn" is replaced rather than
// doubled), atomically, exactly 4000 lines:
//   lines 1..6     key, ",", text (an entry whose key and text are empty
//                  gives ","; a text is written whole, the reader keeps its
//                  first 100 characters)
//   line 7         "他", whatever entry 7 holds
//   lines 8..4000  the text as it stands, commas and blanks included
// A key is written as it stands, commas included: the reader splits the line
// at its first comma, so the part of a key after a comma comes back in front
// of the text. A line break in any key or text is written as a blank, so no
// later entry moves to another line. Failed, with the
// old file kept, when the file cannot be written; nothing is shown.
WriteResult writeTextPresets(const QString& path);

}  // namespace tavelcor
