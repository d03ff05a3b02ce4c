// The editor's start-up: the command line (an editor of its own for each file after the
// first), splash window, start-up file name, main window (which sets up the default
// image), the file named on the command line, then the event loop.
// zavprog --demo runs against a simulated radio on a pseudo-terminal; the port settings
// of that run are kept in memory, so the user's own stay as they were.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "app/screenshots.h"
#include "files/file_system.h"
#include "files/settings.h"
#include "files/startup.h"
#include "model/document.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_log.h"
#include "qt/qt_prompts.h"
#include "qt/qt_settings_store.h"
#include "ui/demo_radio.h"
#include "ui/main_window.h"
#include "ui/overlay_settings.h"
#include "ui/splash_window.h"
#include "ui/ui_language.h"

int main(int argc, char** argv) {
    zav::nameApplication();
    const zav::CommandLine commandLine = zav::readCommandLine(argc, argv);
    if (!commandLine.start) return commandLine.exitStatus;
    const zav::StartOptions& options = *commandLine.start;
    if (options.screenshots.isEmpty()) zav::startOtherEditors(argv[0], options);
    QApplication app(argc, argv);
    if (options.verbose) zav::enableVerboseLog();
    zav::installTranslations(app);
    if (!options.screenshots.isEmpty()) return zav::renderScreenshots(options.screenshots);

    auto splash = std::make_unique<zav::SplashWindow>();
    splash->show();
    QApplication::processEvents();

    const bool demoMode = options.demo;
    zav::QtSettingsStore userSettings;
    zav::OverlaySettingsStore demoSettings(userSettings, "Comm");
    zav::SettingsStore& settings = demoMode ? static_cast<zav::SettingsStore&>(demoSettings)
                                            : static_cast<zav::SettingsStore&>(userSettings);
    // Outlives the window, whose port talks to it.
    std::unique_ptr<zav::DemoRadio> demo;
    if (demoMode) {
        try {
            demo = std::make_unique<zav::DemoRadio>();
        } catch (const std::exception& e) {
            splash.reset();
            QMessageBox::critical(
                nullptr, QStringLiteral("ZAVPROG"),
                QCoreApplication::translate("zav", "The simulated radio could not be started: %1")
                    .arg(QString::fromLocal8Bit(e.what())));
            return 1;
        }
        // Every port number opens the simulated radio during this run.
        for (const zav::SettingKey& key : zav::settings::kDevice)
            zav::writeText(settings, key, demo->devicePath());
    }

    const zav::StartupFileResult start =
        zav::startupFile(options.files.empty() ? std::string() : options.files.front(), settings);

    zav::Document doc;
    zav::QtPrompts prompts;
    zav::QtClipboard clipboard;
    zav::DiskFileSystem files;
    zav::MainWindow window(doc, prompts, settings, clipboard, files);
    prompts.setParent(&window);
    if (demoMode) window.showSimulatedRadio(demo->devicePath());
    window.files().setNames(start.names);
    if (start.openAtStart) window.files().openFile();

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
    if (options.reportShown) {
        // The first pass of the event loop comes once the window is shown.
        QTimer::singleShot(0, &window, [&window] {
            std::cout << "shown" << std::endl;
            window.setExitWithoutAsking(true);
            window.close();
        });
    }
    return QApplication::exec();
}
