// SPDX-License-Identifier: LicenseRef-Tavelcor
// The save command 保存 (Command23): writes the whole site to a site folder
// chosen in a save dialog (so it is also the "save as"): the site sign file
// with the current view window, the four DAT files, ZAHYO.SIM when needed,
// the parcel attribute file when missing and the site's settings files.
//
// Questions, in this order within one save: the dialog "TVX 現場登録"; for an
// existing sign file "<path>　に上書き保存しますか"; then, once this run knows
// a sign file time (SignFileDate), either "作業中に他からデータが書き換えられ
// ました。無視して更新しますか ?" (the current site's sign file changed since
// this run opened or last saved it) or "他の現場に登録しようとしています。登録
// しますか ?" (another site's sign file); then one of "sima座標が追加されてい
// ます。上書きしますか？" and "sima座標が変更されています。上書きしますか？".
//
// The chosen name is matched without regard to letter case: "tavelcor.tvx"
// typed in a folder holding "TAVELCOR.TVX" is that sign file. The run moves
// to the chosen folder (SiteFolder, the caption, SignFileDate) only once the
// sign file there is written: a save whose sign file cannot be written
// leaves the run, its later saves and its backups on the site it had.
//
// Every file goes through the atomic writers of the site files, so a save
// cut short leaves each file either as it was or complete. A failure shows
// "保存に失敗しました" with the file that could not be written and the
// system's reason on lines of their own, and ends the save; the files
// written before stay.
#pragma once

namespace tavelcor {

class Plot;

/// How a save ended.
enum class SaveEnd {
    Cancelled,  // the dialog was cancelled, or a question answered No
    NotASite,   // an existing file of another name was chosen: only the site
                // folder and the caption took its folder and name
    Saved,      // every file was written
    Failed,     // a write failed; "保存に失敗しました" (with file and reason) was shown
};

/// The save command; see above.
SaveEnd saveSite(Plot& window);

/// The button's handler.
void Command23_Click(Plot& window);

/// Wires the save button.
void wireSaveCommand(Plot& window);

}  // namespace tavelcor
