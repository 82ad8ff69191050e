// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the main window's controls take from the desktop: the window in
// front. The executable installs the desktop's; tests install a desktop in
// memory (platform/desktop/fake_desktop.h).
#pragma once

namespace platform {
class ForegroundWindows;
}

namespace tavelcor {

struct UiServices {
    // Tells the window in front; nullptr: none can be told (handle 0).
    platform::ForegroundWindows* foreground = nullptr;
};

// The one set of services of this run.
UiServices& uiServices();

}  // namespace tavelcor
