// SPDX-License-Identifier: LicenseRef-Tavelcor
// Prompts of runs without anyone at the screen (automated checks of the
// executable): when TAVELCOR_HEADLESS_PROMPTS is set and not empty, ORBELA
// answers its prompts with the logging prompter of platform/prompt instead of
// real dialogs. Each message box is then written to the warning log (the
// standard error stream) as "message <title>: <text>" and answered as a box
// closed without a choice (OK, No or Cancel); dialogs are cancelled and modal
// forms closed at once.
#pragma once

namespace orbela {

/// True when the environment asks for headless prompts.
bool headlessPromptsRequested();

/// Installs the logging prompter. Call it before the first window is made:
/// the windows then keep it instead of installing real dialogs.
void useHeadlessPrompts();

}  // namespace orbela
