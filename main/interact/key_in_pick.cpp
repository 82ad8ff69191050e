// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/key_in_pick.h"

#include "main/edit/xyin.h"

namespace tavelcor {

bool keyInWindowShown()
{
    // A window that is not loaded is not shown: asking need not load it.
    return xyinForm().isLoaded() && xyin().Visible();
}

void fillKeyInWindow(int number)
{
    xyin().showPicked(number);
}

void hideKeyInWindow()
{
    xyin().Hide();
}

}  // namespace tavelcor
