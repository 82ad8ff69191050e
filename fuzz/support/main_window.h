// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window for targets that drive its commands: offscreen, with the
// handlers of every part of the program but its life cycle (start-up would
// read the program folder and the desktop's clipboard, shut-down would
// write the site), created once and destroyed when the process ends.
#pragma once

namespace tavelcor {
class Plot;
}

namespace fuzz {

// Sets the process up with widgets and creates the window on the first
// call (from LLVMFuzzerInitialize, before any case); the window after.
tavelcor::Plot& mainWindow();

}  // namespace fuzz
