// SPDX-License-Identifier: LicenseRef-Tavelcor
// A prompter for runs without anyone at the screen (automated checks of the
// executable): every message box is written to the standard error stream as
// "<title>: <text>" on one line and answered as a box closed without a choice
// (OK, No or Cancel); dialogs are cancelled and modal forms closed at once.
// The program installs it when TAVELCOR_HEADLESS_PROMPTS is set and not
// empty.
#pragma once

#include "platform/prompt/prompter.h"

namespace orbela {

class HeadlessPrompter final : public platform::Prompter {
public:
    platform::MsgResult message(const platform::MessageRequest& request) override;
    std::optional<QString> input(const platform::InputRequest& request) override;
    std::optional<platform::FileChoice> file(const platform::FileRequest& request) override;
    std::optional<std::uint32_t> color(const platform::ColorRequest& request) override;
    std::optional<QString> printer(const platform::PrinterRequest& request) override;
    std::optional<platform::MenuPath> popupMenu(const platform::PopupMenuRequest& request) override;
    void runModal(platform::ModalWindow& window) override;
};

/// True when the environment asks for the headless prompter.
bool headlessPromptsRequested();

}  // namespace orbela
