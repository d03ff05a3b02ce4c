// The editor's start-up: splash window, start-up file name, main window (which sets up
// the default image), a file named on the command line, then the event loop.
// zavprog --demo runs against a simulated radio on a pseudo-terminal; the port settings
// of that run are kept in memory, so the user's own stay as they were.

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <exception>
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
#include "ui/demo_radio.h"
#include "ui/main_window.h"
#include "ui/overlay_settings.h"
#include "ui/splash_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZAVPROG"));
    QApplication::setOrganizationName(QStringLiteral("ZAVPROG"));
    // scripts/screenshot: zavprog --screenshots <folder>
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--screenshots"))
        return zav::renderScreenshots(QString::fromLocal8Bit(argv[2]));

    auto splash = std::make_unique<zav::SplashWindow>();
    splash->show();
    QApplication::processEvents();

    std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto demoFlag = std::find(arguments.begin(), arguments.end(), "--demo");
    const bool demoMode = demoFlag != arguments.end();
    if (demoMode) arguments.erase(demoFlag);

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
            QMessageBox::critical(nullptr, QStringLiteral("ZAVPROG"),
                                  QStringLiteral("The simulated radio could not be started: %1")
                                      .arg(QString::fromLocal8Bit(e.what())));
            return 1;
        }
        // Every port number opens the simulated radio during this run.
        for (const zav::SettingKey& key : zav::settings::kDevice)
            zav::writeText(settings, key, demo->devicePath());
    }

    const zav::StartupFileResult start =
        zav::startupFile(zav::commandLineText(arguments), settings);

    zav::Document doc;
    zav::QtPrompts prompts;
    zav::QtClipboard clipboard;
    zav::DiskFileSystem files;
    zav::MainWindow window(doc, prompts, settings, clipboard, files);
    prompts.setParent(&window);
    if (demoMode) window.showSimulatedRadio();
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
    return QApplication::exec();
}
