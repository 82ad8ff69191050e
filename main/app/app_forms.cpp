// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/app_forms.h"

#include "main/app/backup.h"

namespace tavelcor {

namespace {

constexpr double kBackupWidth = 3600.0;
constexpr double kBackupHeight = 1200.0;

}  // namespace

Backup::Backup() : platform::Form(QStringLiteral("backup"))
{
    setCaption(QStringLiteral("バックアップ"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(kBackupWidth, kBackupHeight);
    Label1.setCaption(QStringLiteral("ＴＶＸ自動バックアップ中"));
    Label1.setAlignment(2);
    Label1.Move(200.0, 400.0, kBackupWidth - 400.0, 400.0);
    Activate = [this] { Backup_Form_Activate(*this); };
}

platform::FormHolder<Backup>& backupForm()
{
    static platform::FormHolder<Backup> holder;
    return holder;
}

}  // namespace tavelcor
