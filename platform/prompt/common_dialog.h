// SPDX-License-Identifier: LicenseRef-Tavelcor
// The common dialog as the forms keep it (`CommonDialog1`): properties set
// before a dialog is shown and read after it, and Show* calls that go through
// the prompter. A cancelled dialog returns false and leaves every property as
// it was, where the programs test for the dialog's cancel error.
#pragma once

#include <QString>

#include <cstdint>

namespace platform {

class CommonDialog {
public:
    /// Flag bits as the programs write them.
    static constexpr int kOverwritePrompt = 0x2;  // Save: ask before replacing
    static constexpr int kFileMustExist = 0x1000;  // Open: existing files only

    QString FileName() const { return mFileName; }
    void setFileName(const QString& name) { mFileName = name; }
    /// The bare name of FileName (no folder).
    QString FileTitle() const;
    QString Filter() const { return mFilter; }
    void setFilter(const QString& filter) { mFilter = filter; }
    /// 1-based entry of the filter shown first; after a choice, the one in force.
    int FilterIndex() const { return mFilterIndex; }
    void setFilterIndex(int index) { mFilterIndex = index; }
    QString DialogTitle() const { return mDialogTitle; }
    void setDialogTitle(const QString& title) { mDialogTitle = title; }
    QString InitDir() const { return mInitDir; }
    void setInitDir(const QString& folder) { mInitDir = folder; }
    int Flags() const { return mFlags; }
    void setFlags(int flags) { mFlags = flags; }
    /// 0x00BBGGRR; the colour dialog's start and result.
    std::uint32_t Color() const { return mColor; }
    void setColor(std::uint32_t color) { mColor = color; }

    /// Open-file dialog; true and FileName/FilterIndex set when a file was chosen.
    bool ShowOpen();
    /// Save-file dialog; as ShowOpen.
    bool ShowSave();
    /// Colour dialog; true and Color set when a colour was chosen.
    bool ShowColor();

private:
    bool showFile(bool save);

    QString mFileName;
    QString mFilter;
    int mFilterIndex = 1;
    QString mDialogTitle;
    QString mInitDir;
    int mFlags = 0;
    std::uint32_t mColor = 0;
};

}  // namespace platform
