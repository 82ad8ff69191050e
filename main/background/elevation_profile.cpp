// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/elevation_profile.h"

namespace tavelcor {

void MakeSection()
{
    // The sampling, the output files and the hand-over to a second instance
    // are being written; until then a handed-over route builds nothing.
}

}  // namespace tavelcor
