// SPDX-License-Identifier: LicenseRef-Tavelcor
// For GoogleTest tests only (header-only; the library does not link gtest):
// a scripted prompter whose failures are test failures.
//
//     platform::testing::GTestScriptedPrompter script;
//     script->expectMessage(platform::MsgResult::Yes, "消去しますか？");
#pragma once

#include "platform/prompt/scripted_prompter.h"

#include <gtest/gtest.h>

namespace platform::testing {

/// A ScopedScriptedPrompter that reports each failure with ADD_FAILURE, so an
/// unexpected prompt or an unused entry fails the test that caused it.
class GTestScriptedPrompter : public ScopedScriptedPrompter {
public:
    GTestScriptedPrompter()
        : ScopedScriptedPrompter([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); })
    {
    }
};

}  // namespace platform::testing
