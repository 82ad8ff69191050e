// SPDX-License-Identifier: LicenseRef-Tavelcor
// Starts the main window in this process on the display Qt is given (a
// private Xvfb in the test that runs it), opens a site through the chooser as
// a user would (the chooser's answer comes from a scripted prompter, not from
// any switch of the program), and saves a screenshot of the screen.
//
//     tavelcor_site_screenshot <site folder with TAVELCOR.TVX> <output.png>
//
// The program folder and the system temporary folder are private temporary
// folders. Exit code 0 when the site was drawn and the picture saved.
#include "main/app/app_context.h"
#include "main/app/wirings.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/scripted_prompter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
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
    platform::destroyAllForms();
    tavelcor::resetAppContext();
    return saved ? 0 : 7;
}
