// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/text_presets.h"

#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <array>

namespace tavelcor {
namespace {

// Lines 1..6 are quick-text categories, line 7 the free one, 8.. phrases.
constexpr int kCategoryLines = 6;
constexpr int kFreeCategoryLine = 7;
// The text of a category is cut to this many characters.
constexpr int kCategoryTextLength = 100;

constexpr std::array<const char16_t*, 9> kBuiltInPhrases{
    u"雑種地", u"ため池", u"堤", u"墓地", u"境内地", u"から分筆", u"地目変更", u"に分筆", u"未定",
};

constexpr std::array<const char16_t*, 7> kDesignCaptions{
    u"田", u"畑", u"山林", u"宅地", u"公道", u"用悪", u"他",
};

void clearPhrases()
{
    for (int n = 1; n <= kPhraseTop; ++n) {
        PhraseKey[n].clear();
        PhraseText[n].clear();
    }
}

void takeLine(int n, const QString& line, PresetControls& controls)
{
    if (n <= kCategoryLines) {
        const qsizetype comma = line.indexOf(u',');
        PhraseKey[n] = comma < 0 ? line : line.left(comma);
        PhraseText[n] = comma < 0 ? QString() : line.mid(comma + 1, kCategoryTextLength);
        controls.setQuickTextCaption(n, PhraseKey[n]);
    } else if (n == kFreeCategoryLine) {
        PhraseKey[n] = QStringLiteral("他");
        PhraseText[n].clear();
        controls.setQuickTextCaption(n, PhraseKey[n]);
    } else {
        PhraseKey[n].clear();
        PhraseText[n] = line;
        if (!platform::trimmedView(line).isEmpty())
            controls.addPhrase(line);
    }
}

}  // namespace

MemoryPresetControls::MemoryPresetControls()
{
    for (std::size_t n = 1; n < mCaptions.size(); ++n)
        mCaptions[n] = QString::fromUtf16(kDesignCaptions[n - 1]);
}

void MemoryPresetControls::setQuickTextCaption(int n, const QString& caption)
{
    if (n >= 1 && n <= 7)
        mCaptions[static_cast<std::size_t>(n)] = caption;
}

void MemoryPresetControls::clearPhraseList()
{
    mPhrases.clear();
}

void MemoryPresetControls::addPhrase(const QString& text)
{
    mPhrases.append(text);
}

QString MemoryPresetControls::quickTextCaption(int n) const
{
    return n >= 1 && n <= 7 ? mCaptions[static_cast<std::size_t>(n)] : QString();
}

void LoadTextPresets(const QString& path, PresetControls& controls)
{
    controls.clearPhraseList();
    clearPhrases();
    platform::TextFileReader in(sitetext::siteFilePath(path));
    if (!in.isOpen()) {
        for (const char16_t* phrase : kBuiltInPhrases)
            controls.addPhrase(QString::fromUtf16(phrase));
        return;
    }
    QString line;
    for (int n = 1; n <= kPhraseTop && in.readLine(line); ++n)
        takeLine(n, line, controls);
}

WriteResult writeTextPresets(const QString& path)
{
    const QString file = sitetext::siteFilePath(path);
    platform::TextFileWriter out(file);
    sitetext::Row row;
    for (int n = 1; n <= kPhraseTop; ++n) {
        row.clear();
        if (n <= kCategoryLines) {
            // The key as it stands: the reader splits at the first comma, so
            // the part of a key after a comma comes back in front of the text.
            sitetext::appendLineText(row, PhraseKey[n]);
            row << u',';
            sitetext::appendLineText(row, PhraseText[n]);
        } else if (n == kFreeCategoryLine) {
            row << u"他";
        } else {
            sitetext::appendLineText(row, PhraseText[n]);
        }
        out.writeLine(row.view());
    }
    return sitetext::commitFile(out, file);
}

}  // namespace tavelcor
