// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/app_forms.h"

#include "main/app/backup.h"
#include "main/window/plot.h"

namespace tavelcor {

namespace {

constexpr double kBackupWidth = 3600.0;
constexpr double kBackupHeight = 1200.0;
constexpr double kPlistWidth = 3000.0;
constexpr double kPlistHeight = 6000.0;
constexpr double kPlistMargin = 100.0;

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

Plist::Plist() : platform::Form(QStringLiteral("Plist"))
{
    setCaption(QStringLiteral("登録文字"));
    setBorderStyle(platform::FormBorder::SizableToolWindow);
    setClientSize(kPlistWidth, kPlistHeight);
    List1.Move(0.0, 0.0, kPlistWidth, kPlistHeight);
    Load = [this] {
        const Plot& window = plot();
        Move(window.Left() + window.Width() - Width() - kPlistMargin, window.Top() + kPlistMargin);
        setTopMost(true);
    };
}

platform::FormHolder<Backup>& backupForm()
{
    static platform::FormHolder<Backup> holder;
    return holder;
}

platform::FormHolder<Plist>& plistForm()
{
    static platform::FormHolder<Plist> holder;
    return holder;
}

}  // namespace tavelcor
