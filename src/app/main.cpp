// The editor's start-up: splash window, start-up file name, main window (which sets up
// the default image), a file named on the command line, then the event loop.

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/screenshots.h"
#include "files/file_system.h"
#include "files/settings.h"
#include "files/startup.h"
#include "model/document.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_prompts.h"
#include "qt/qt_settings_store.h"
#include "ui/frm_groups.h"
#include "ui/frm_splash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZAVPROG"));
    QApplication::setOrganizationName(QStringLiteral("ZAVPROG"));
    // scripts/screenshot: zavprog --screenshots <folder>
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--screenshots"))
        return zav::renderScreenshots(QString::fromLocal8Bit(argv[2]));

    auto splash = std::make_unique<zav::frmSplash>();
    splash->show();
    QApplication::processEvents();

    zav::QtSettingsStore settings;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const zav::StartupFileResult start =
        zav::StartupFile(zav::commandLineText(arguments), settings);

    zav::Document doc;
    zav::QtPrompts prompts;
    zav::QtClipboard clipboard;
    zav::DiskFileSystem files;
    zav::frmGroups window(doc, prompts, settings, clipboard, files);
    prompts.setParent(&window);
    window.files().setNames(start.names);
    if (start.openAtStart) window.files().OpenFile();

    splash.reset();
    window.restorePlacement();
    switch (zav::readGroupWindowState(settings)) {
        case zav::WindowState::Maximised:
            window.showMaximized();
            break;
        case zav::WindowState::Minimised:
            window.showMinimized();
            break;
        case zav::WindowState::Normal:
            window.show();
            break;
    }
    return QApplication::exec();
}
