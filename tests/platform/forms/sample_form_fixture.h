// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the tests that work the sample form: hands out its one
// instance with an empty log, hidden or shown as the active window.
#pragma once

#include "forms_fixture.h"
#include "sample_form.h"

#include <gtest/gtest.h>

namespace formstest {

class SampleFormTest : public FormsTest {
protected:
    /// The sample form, loaded but not shown, with its log cleared.
    static SampleForm& form()
    {
        SampleForm& f = sampleForm().instance();
        f.log.clear();
        return f;
    }

    /// The sample form shown as the active window (so focus and keys reach
    /// it), with its log cleared after the events of showing it.
    static SampleForm& shownForm()
    {
        SampleForm& f = sampleForm().instance();
        EXPECT_TRUE(showActive(f));
        f.log.clear();
        return f;
    }
};

}  // namespace formstest
