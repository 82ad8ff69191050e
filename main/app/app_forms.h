// SPDX-License-Identifier: LicenseRef-Tavelcor
// Small windows of the main program's life cycle: the splash window (which
// lives with the main window, since exports show it too) and the window
// shown during the hourly backup. The phrase list Plist, whose list the text
// presets fill, is the edit part's (main/edit/plist.h).
#pragma once

#include "main/edit/plist.h"
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

}  // namespace tavelcor
