// SPDX-License-Identifier: LicenseRef-Tavelcor
// A pop-up menu as the prompters see it: a plain tree of captions and flags.
// The forms library builds it from its Menu controls and fires the Click of
// the item the prompter returns.
#pragma once

#include <QString>

#include <vector>

namespace platform {

/// One menu item. A caption of "-" is a separator line.
struct MenuEntry {
    QString caption;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
    std::vector<MenuEntry> children;  // non-empty: a submenu
};

/// The item chosen: child indexes from the root down to a leaf
/// ({2, 0} = first item of the root's third item's submenu).
using MenuPath = std::vector<int>;

/// True when `caption` names a separator line.
inline bool isMenuSeparator(const QString& caption) { return caption == QLatin1String("-"); }

}  // namespace platform
