// The editor's start-up: splash window, start-up file name, main window (which sets up
// the default image), a file named on the command line, then the event loop.
// zavprog --demo runs against a simulated radio on a pseudo-terminal; the port settings
// of that run are kept in memory, so the user's own stay as they were.

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/screenshots.h"
#include "files/file_system.h"
#include "files/settings.h"
#include "files/startup.h"
#include "iface/version.h"
#include "model/document.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_prompts.h"
#include "qt/qt_settings_store.h"
#include "ui/demo_radio.h"
#include "ui/main_window.h"
#include "ui/overlay_settings.h"
#include "ui/splash_window.h"
#include "ui/ui_language.h"

namespace {

struct StartOptions {
    bool demo = false;
    QString screenshots;       // scripts/screenshot: render the windows into this folder and exit
    bool reportShown = false;  // scripts/bench: say when the main window is shown, then close
    std::vector<std::string> file;
};

// --help and --version print and exit here, as for any command-line program. The parser
// takes each word as Latin-1, one character per byte, so that a file name goes back to the
// very bytes given: it need not be UTF-8.
StartOptions parseArguments(int argc, char** argv) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Programming editor for ZAV UHF two-way radios."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QStringLiteral("Run against a simulated radio on a pseudo-terminal."));
    QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                   QStringLiteral("Render every window to PNG files in FOLDER."),
                                   QStringLiteral("FOLDER"));
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption reportShown(QStringLiteral("report-shown"),
                                   QStringLiteral("Print \"shown\" once the main window is shown, "
                                                  "then close it."));
    reportShown.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(demo);
    parser.addOption(screenshots);
    parser.addOption(reportShown);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A frequency file to open."),
                                 QStringLiteral("[FILE]"));
    QStringList words;
    for (int i = 0; i < argc; ++i) words << QString::fromLatin1(argv[i]);
    parser.process(words);
    StartOptions options;
    options.demo = parser.isSet(demo);
    options.screenshots = QFile::decodeName(parser.value(screenshots).toLatin1());
    options.reportShown = parser.isSet(reportShown);
    // Several words are one unquoted path with blanks, as the editor always took them.
    for (const QString& word : parser.positionalArguments())
        options.file.push_back(word.toLatin1().toStdString());
    return options;
}

// Help and version need no display: they must work over ssh and in package checks.
bool onlyPrints(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return std::any_of(args.begin(), args.end(), [](std::string_view a) {
        return a == "--help" || a == "-h" || a == "--help-all" || a == "--version" || a == "-v";
    });
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("ZAVPROG"));
    QCoreApplication::setOrganizationName(QStringLiteral("ZAVPROG"));
    QCoreApplication::setApplicationVersion(
        QString::fromStdString(zav::versionText(zav::programVersion())).section(' ', -1));
    // Docks and task bars match the window to its launcher: by this name on Wayland, by
    // the window class (the application name, the launcher's StartupWMClass) on X11.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zavprog.zavprog"));
}

}  // namespace

int main(int argc, char** argv) {
    if (onlyPrints(argc, argv)) {
        const QCoreApplication app(argc, argv);
        nameApplication();
        parseArguments(argc, argv);  // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    nameApplication();
    zav::installTranslations(app);
    const StartOptions options = parseArguments(argc, argv);  // without Qt's own options
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
        zav::startupFile(zav::commandLineText(options.file), settings);

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
