// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the prompters need of a window shown modally. platform::Form implements
// it; the prompters know nothing else of forms, so this library stays below
// the forms library.
#pragma once

#include <QString>

class QWidget;

namespace platform {

class ModalWindow {
public:
    ModalWindow() = default;
    ModalWindow(const ModalWindow&) = delete;
    ModalWindow& operator=(const ModalWindow&) = delete;
    virtual ~ModalWindow() = default;

    /// The window's caption, recorded by the scripted prompter.
    virtual QString modalCaption() const = 0;

    /// The top-level widget to show; nullptr once the window is unloaded.
    virtual QWidget* modalWidget() = 0;

    /// True while the window is loaded and shown: a modal run lasts as long.
    virtual bool modalIsOpen() const = 0;

    /// Shows the window as a Show does (Resize and Activate events included).
    virtual void modalShow() = 0;

    /// Hides the window: the scripted prompter's way out when a scripted
    /// answer left the window open.
    virtual void modalClose() = 0;
};

}  // namespace platform
