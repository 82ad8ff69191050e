// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the main window's controls take from the desktop and from the
// program around them: the window in front, and the main window's views that
// the catalogue editors and the settings dialog read and write through (the
// marker buttons, the quick texts with the phrase list, the window layout,
// the background settings window). The executable installs the desktop's and
// the main window's (main/app); tests install their own.
#pragma once

#include <functional>
#include <memory>

namespace platform {
class ForegroundWindows;
}

namespace tavelcor {

class PresetControls;
class SymbolButtons;

struct UiServices {
    // Tells the window in front; nullptr: none can be told (handle 0).
    platform::ForegroundWindows* foreground = nullptr;
    // The main window's marker buttons Option13 with their labels Label24;
    // empty: the buttons as designed, apart from the window.
    std::function<std::unique_ptr<SymbolButtons>()> symbolButtons;
    // The text panel's quick-text buttons Option23 and the phrase list;
    // empty: captions and list kept apart from the window.
    std::function<std::unique_ptr<PresetControls>()> presetControls;
    // Applies a WindowLayout code to the main window; empty: nothing.
    std::function<void(float)> applyWindowLayout;
    // Closes the background settings window when it is open; empty: none.
    std::function<void()> closeBackgroundWindow;
    // The system's double-click time, ms; empty: the desktop's.
    std::function<int()> doubleClickMs;
};

// The one set of services of this run.
UiServices& uiServices();

}  // namespace tavelcor
