// SPDX-License-Identifier: LicenseRef-Tavelcor
// The messages of a named text link (one frame each, see frames.h): the
// kind as a byte, then the values named below.  Internal to platform_link.
#pragma once

#include <cstdint>

namespace platform::link_messages {

enum Kind : std::uint8_t {
    Advise = 1,   // client -> source: QString item; link it
    Data = 2,     // source -> client: QString item, QString text; the current text
    Refused = 3,  // source -> client: QString item; no such item, the link closes
};

}  // namespace platform::link_messages
