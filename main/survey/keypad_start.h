// SPDX-License-Identifier: LicenseRef-Tavelcor
// The keypad start on field focus: while the keypad-auto setting is on, the
// on-screen keypad KINTAB is started when the user enters one of the main
// window's number fields and no keypad runs yet.
#pragma once

#include <QString>

namespace tavelcor {

/// The keypad program: "kintab" beside the running program.
QString kintabProgram();

/// The message shown when the keypad program is missing.
QString kintabMissingMessage();

/// When KintabAuto is 1 and no window titled "KINTAB" exists, starts the
/// keypad program without arguments and returns at once. A missing keypad
/// program starts nothing; the first time in a run it says so with
/// kintabMissingMessage(), later calls stay silent, so a focus handler that
/// calls this never fails and never asks again.
void KintabDisp();

/// Forgets that the missing keypad was reported (a new run; tests).
void resetKintabDisp();

}  // namespace tavelcor
