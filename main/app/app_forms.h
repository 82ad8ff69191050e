// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small windows of the main program's life cycle: the splash window (which
// lives with the main window, since exports show it too), the window shown
// during the hourly backup, and the registered-strings window whose list
// holds the text presets' phrases.
#pragma once

#include "main/window/start_form.h"
#include "platform/forms/forms.h"

namespace tavelcor {

/// The backup window `backup` (caption "バックアップ", one label
/// "ＴＶＸ自動バックアップ中"). Shown modally by the backup tick; its
/// activation runs the whole backup and unloads the window again.
class Backup : public platform::Form {
public:
    Backup();
    platform::Label Label1{*this, QStringLiteral("Label1")};
};

platform::FormHolder<Backup>& backupForm();
inline Backup& backup() { return backupForm().instance(); }

/// The registered-strings window `Plist` (caption "登録文字") as far as the
/// text presets fill it: its list `List1` of phrases. Loading it places it
/// 100 twips below the main window's top and 100 twips left of its right
/// edge, above other windows; it stays hidden until shown.
class Plist : public platform::Form {
public:
    Plist();
    platform::ListBox List1{*this, QStringLiteral("List1")};
};

platform::FormHolder<Plist>& plistForm();
inline Plist& plist() { return plistForm().instance(); }

}  // namespace tavelcor
