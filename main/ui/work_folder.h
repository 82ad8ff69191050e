// SPDX-License-Identifier: LicenseRef-Tavelcor
// The settings dialog's commands on the work folder and the keypad start
// that the dialog shares with the main window's テンキー表示.
#pragma once

namespace platform {
class Form;
}

namespace tavelcor {

/// Starts the keypad program kintab beside this program, without arguments,
/// without looking for a running one; when it is missing, says
/// "KIXTAB.EXEが見つかりません。手動で起動して下さい。" and starts nothing.
void startKeypadProgram();

/// "一時保存File消去": asks first; on Yes clears the work folder, makes it
/// again, writes ELD.BMP and WHITE.BMP into it from the main window's
/// pictures (the KML export refers to WHITE.BMP) and, when the settings file
/// is kept in the work folder (a site without its sign file), saves the
/// settings again; empties the tile list and says "一時保存ファイルを削除しま
/// した". When a step fails (a folder left over from an earlier clearing
/// stops the renaming) the rest is skipped and "一時保存フォルダを削除できませ
/// んでした" is said. `busy` shows the wait pointer meanwhile.
void clearWorkFolderAsked(platform::Form& busy);

/// "AR2 MAKE": deletes the old Eld.AR2, lists the work folder's files into
/// the tile list (at most 100000) and writes Eld.AR2 from it, an empty file
/// for an empty folder; says "地理院地図インデックスを再作成しました", or
/// "地理院地図インデックスを作成できませんでした" when the file cannot be
/// written.
void rebuildTileIndex(platform::Form& busy);

}  // namespace tavelcor
