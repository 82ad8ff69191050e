// SPDX-License-Identifier: LicenseRef-Tavelcor
// Interim: the key-in window is not part of the program yet, so it is never
// shown and there is nothing to fill or hide.
#include "main/interact/key_in_pick.h"

namespace tavelcor {

bool keyInWindowShown()
{
    return false;
}

void fillKeyInWindow(int /*number*/) {}

void hideKeyInWindow() {}

}  // namespace tavelcor
