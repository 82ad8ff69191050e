// SPDX-License-Identifier: LicenseRef-Tavelcor
// Starts the main window in this process on the display Qt is given (a
// private Xvfb in the test that runs it), opens a site through the chooser as
// a user would (the chooser's answer comes from a scripted prompter, not from
// any switch of the program), and saves a screenshot of the screen.
//
//     tavelcor_site_screenshot <site folder with TAVELCOR.TVX> <output.png>
//
// The program folder, the system temporary folder and the user's runtime
// folder are private temporary folders. Exit code 0 when the site was drawn and the picture saved.
//
// It also prints where the site's items lie on the screen, one line each,
// so that the test can look there:
//
//     at <item> <x> <y>         a place in screen pixels
//     panel <x> <y> <w> <h>     the side panel's rectangle in screen pixels
//
// Items: parcel-edge (the middle of the first parcel's first edge), line
// (the middle of line 1), stroke (the middle of the first hand-stroke step),
// point-1, point-2, ... (each observation point) and text-1 (the text).
#include "main/app/app_context.h"
#include "main/app/wirings.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/scripted_prompter.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPoint>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cstdio>

namespace {

bool copySite(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        if (!QFile::copy(from + u'/' + name, to + u'/' + name))
            return false;
    }
    return true;
}

// Plot coordinates (north, east, minus the site origin) to screen pixels.
QPoint onScreen(const tavelcor::Plot& window, double px, double py)
{
    const QPointF pixel = window.Picture1.canvas().toPixel(QPointF(py, -px));
    return window.Picture1.clientWidget()->mapToGlobal(pixel.toPoint());
}

void printPlace(const tavelcor::Plot& window, const char* item, double px, double py)
{
    const QPoint at = onScreen(window, px, py);
    std::printf("at %s %d %d\n", item, at.x(), at.y());
}

void printPlaces(const tavelcor::Plot& window)
{
    using namespace tavelcor;
    const int a = KakuchiVertex[KakuchiFirst[1]];
    const int b = KakuchiVertex[KakuchiFirst[1] + 1];
    printPlace(window, "parcel-edge", (ZahyoPX[a] + ZahyoPX[b]) / 2.0, (ZahyoPY[a] + ZahyoPY[b]) / 2.0);
    printPlace(window, "line", (LineX1[1] + LineX2[1]) / 2.0, (LineY1[1] + LineY2[1]) / 2.0);
    printPlace(window, "stroke", (TegakiX[1] + TegakiX[2]) / 2.0, (TegakiY[1] + TegakiY[2]) / 2.0);
    for (int i = 1; i <= PointCount; ++i) {
        const QByteArray item = "point-" + QByteArray::number(i);
        printPlace(window, item.constData(), PointX[i], PointY[i]);
    }
    printPlace(window, "text-1", TxtX[1], TxtY[1]);
    const QWidget* panel = window.protprp.widget();
    const QPoint corner = panel->mapToGlobal(QPoint(0, 0));
    std::printf("panel %d %d %d %d\n", corner.x(), corner.y(), panel->width(), panel->height());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavelcor_site_screenshot <site folder> <output.png>\n");
        return 2;
    }
    QTemporaryDir root;
    if (!root.isValid())
        return 3;
    qputenv("TAVELCOR_HOME", (root.path() + QStringLiteral("/home")).toUtf8());
    QDir().mkpath(root.path() + QStringLiteral("/tmp"));
    qputenv("TMPDIR", (root.path() + QStringLiteral("/tmp")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root.path() + QStringLiteral("/tmp")).toUtf8());

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TAVELCOR"));
    platform::installFontSubstitutions();
    const QString site = root.path() + QStringLiteral("/genba");
    if (!copySite(QString::fromLocal8Bit(argv[1]), site))
        return 4;

    platform::ScopedScriptedPrompter script([](const QString& failure) {
        std::fprintf(stderr, "unexpected prompt: %s\n", failure.toUtf8().constData());
    });
    script->expectOpenFile(site + QStringLiteral("/TAVELCOR.TVX"), QStringLiteral("TVX SIMA 呼び出し"));

    tavelcor::allocateTables();
    tavelcor::resetTables();
    tavelcor::registerPlotWirings();
    tavelcor::Plot& window = tavelcor::plot();
    if (tavelcor::plotRunState().startupEnd != tavelcor::StartupEnd::Drawn || !script->failures().isEmpty())
        return 5;
    window.Show();
    if (!QTest::qWaitForWindowExposed(window.window(), 10000))
        return 6;
    QTest::qWait(500);

    const QPixmap shot = window.window()->screen()->grabWindow(0);
    const bool saved = shot.save(QString::fromLocal8Bit(argv[2]), "PNG");
    std::printf("screen %dx%d, window at %d,%d size %dx%d, zahyo %d, points %d\n", shot.width(), shot.height(),
                window.window()->x(), window.window()->y(), window.window()->width(), window.window()->height(),
                tavelcor::ZahyoMax, tavelcor::PointCount);
    printPlaces(window);
    platform::destroyAllForms();
    tavelcor::resetAppContext();
    return saved ? 0 : 7;
}
