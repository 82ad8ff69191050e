// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The view part's test window (view_fixture.h: the shown main window, a
// scripted prompter, a program folder of its own, whose link names no other
// test meets, the view centred on the origin 10000 N, 20000 E, 100 m high)
// with the field links wired: the GPS client, the GPS window and the
// workbook link. Programs are started through a recording starter.

#include "view_fixture.h"

#include "main/survey/field_link_wiring.h"
#include "main/survey/gps_client.h"
#include "main/survey/gps_window.h"
#include "main/survey/workbook_link.h"
#include "platform/link/link_client.h"
#include "platform/system/folders.h"
#include "platform/system/processes.h"

namespace tavelcor::fieldlinktest {

using viewtest::kOriginX;
using viewtest::kOriginY;

inline constexpr int kLinkWaitMs = 5000;

class FieldLinkTest : public viewtest::ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        gpsClientState() = GpsClientState{};
        workbookLinkState() = WorkbookLinkState{};
        addPlotWiring(wireFieldLinks);
    }

    void TearDown() override
    {
        gpsClientState() = GpsClientState{};
        workbookLinkState() = WorkbookLinkState{};
        ViewTest::TearDown();
    }

    /// The GPS program's fix text, as the GPS client reads it on a tick.
    static void tick(const QString& text)
    {
        plot().Text9.setText(text);
        Timer1_Timer(plot());
    }

    /// A fix line as the GPS program writes it, at plot north, east.
    static QString fixAt(double north, double east)
    {
        return QStringLiteral("%1, %2, 45.100, 8 , 12:00:00 ,1 ,0.9")
            .arg(north + kOriginX, 0, 'f', 3)
            .arg(east + kOriginY, 0, 'f', 3);
    }

    platform::RecordingProcessStarter starter;
    platform::ScopedProcessStarter useStarter{starter};
};

}  // namespace tavelcor::fieldlinktest
