// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/kml_export.h"

#include "main/export/kml_handover.h"
#include "main/render/filters.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "main/window/start_form.h"
#include "platform/canvas/canvas.h"
#include "platform/prompt/prompter.h"

#include <exception>
#include <optional>

namespace tavelcor {

QString kmlFailureMessage()
{
    return QStringLiteral("データが多すぎます。表示範囲を絞ってください。");
}

KmlInput kmlInputOf(render::PlotFace& face, const QString& header)
{
    KmlInput input;
    input.header = header;
    KmlSwitches& s = input.switches;
    s.check1 = face.checkValue(1);
    s.check2 = face.checkValue(2);
    s.check3 = face.checkValue(3);
    s.check6 = face.checkValue(6);
    s.check12 = face.checkValue(12);
    s.check13 = face.checkValue(13);
    s.check15 = face.checkValue(15);
    s.check17 = face.checkValue(17);
    input.scaleLeft = face.picture().ScaleLeft();
    input.scaleTop = face.picture().ScaleTop();
    input.pointShown = [&face](int i) { return PointShown(face, i); };
    return input;
}

void Kml_SAVE(Plot& window)
{
    WindowPlotFace face(window);
    Start& splash = start();
    splash.setCaption(QStringLiteral("KMLを作成しています"));
    splash.Label1.setVisible(false);
    splash.Show();
    const QString path = SiteFolder + QStringLiteral("Tavelcor.KML");
    const bool written = justsc(face) && saveKmlDocument(path, kmlInputOf(face, window.Label4.Caption()));
    if (!written) {
        platform::MsgBox(kmlFailureMessage());
        splash.Hide();
        return;
    }
    splash.Hide();
    if (handOverToGlobeViewer(path) == HandOver::OpenFailed) {
        platform::MsgBox(kmlFailureMessage());
        splash.Hide();
    }
}

void Command82_Click(Plot& window)
{
    try {
        Kml_SAVE(window);
    } catch (const std::exception&) {
        // Memory ran out while the document was built: the file was not
        // written, and the export ends as any other failed export.
        platform::MsgBox(kmlFailureMessage());
        if (startForm().isLoaded())
            start().Hide();
    }
    window.Picture1.SetFocus();
}

}  // namespace tavelcor
