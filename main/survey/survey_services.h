// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the calculation report window and the redisplay command take from
// their surroundings: the clipboard and the site backup window, which lives
// with the main program's start-up. The executable installs the desktop's
// clipboard by default; tests install one in memory.
#pragma once

#include <functional>

namespace platform {
class Clipboard;
}

namespace tavelcor {

struct SurveyServices {
    /// The clipboard the report is copied to and the SIMA texts are taken
    /// from; nullptr: the desktop's.
    platform::Clipboard* clipboard = nullptr;
    /// Shows the site backup window modally (a backup of the open site);
    /// empty: no backup can be made.
    std::function<void()> showBackupWindow;
};

/// The one set of services of this run.
SurveyServices& surveyServices();

/// The clipboard through the services.
platform::Clipboard& surveyClipboard();

}  // namespace tavelcor
