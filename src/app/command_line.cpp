#include "app/command_line.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <array>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "files/startup.h"
#include "iface/version.h"

namespace zav {
namespace {

// The window system's own options, which QApplication takes out of the arguments once it
// exists: accepted here so that they are no usage error, and their values are no files.
constexpr std::array<std::string_view, 12> kQtValueOptions{
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 2> kQtFlagOptions{"reverse", "widgetcount"};

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

void addQtOptions(QCommandLineParser& parser) {
    for (const std::string_view name : kQtValueOptions) {
        QCommandLineOption option(latin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const std::string_view name : kQtFlagOptions) {
        QCommandLineOption option(latin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

bool pathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("ZAVPROG"));
    QCoreApplication::setOrganizationName(QStringLiteral("ZAVPROG"));
    QCoreApplication::setApplicationVersion(
        QString::fromStdString(versionText(programVersion())).section(' ', -1));
    // Docks and task bars match the window to its launcher: by this name on Wayland, by
    // the window class (the application name, the launcher's StartupWMClass) on X11.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zavprog.zavprog"));
}

// The parser takes each word as Latin-1, one character per byte, so that a file name goes
// back to the very bytes given: it need not be UTF-8. Qt's single-dash words (-platform,
// -style) are read as long options, as QApplication reads them.
CommandLine readCommandLine(int& argc, char** argv) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Programming editor for ZAV UHF two-way radios."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption demo(
        QStringLiteral("demo"),
        QCoreApplication::translate("CommandLine",
                                    "Run against a simulated radio on a pseudo-terminal."));
    QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                   QStringLiteral("Render every window to PNG files in FOLDER."),
                                   QStringLiteral("FOLDER"));
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption reportShown(QStringLiteral("report-shown"),
                                   QStringLiteral("Print \"shown\" once the main window is shown, "
                                                  "then close it."));
    reportShown.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine",
                                    "Write the steps of the link, the operations, the files and "
                                    "the settings to standard error."));
    parser.addOption(verbose);
    parser.addOption(demo);
    parser.addOption(screenshots);
    parser.addOption(reportShown);
    addQtOptions(parser);
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QCoreApplication::translate("CommandLine", "Frequency files to open, one editor each."),
        QStringLiteral("[FILE...]"));
    QStringList words;
    for (int i = 0; i < argc; ++i) words << QString::fromLatin1(argv[i]);

    if (!parser.parse(words)) {
        std::cerr << "zavprog: " << parser.errorText().toLocal8Bit().constData() << "\n"
                  << QCoreApplication::translate("CommandLine",
                                                 "Try 'zavprog --help' for more information.")
                         .toLocal8Bit()
                         .constData()
                  << std::endl;
        return {std::nullopt, 2};
    }
    if (parser.isSet(help) || parser.isSet(version) ||
        parser.optionNames().contains(QStringLiteral("help-all"))) {
        const QCoreApplication app(argc, argv);
        parser.process(words);  // prints and exits
        return {std::nullopt, 0};
    }
    StartOptions options;
    options.demo = parser.isSet(demo);
    options.screenshots = QFile::decodeName(parser.value(screenshots).toLatin1());
    options.reportShown = parser.isSet(reportShown);
    options.verbose = parser.isSet(verbose);
    std::vector<std::string> arguments;
    for (const QString& word : parser.positionalArguments())
        arguments.push_back(word.toLatin1().toStdString());
    options.files = commandLineFiles(arguments, pathExists);
    return {std::move(options), 0};
}

void startOtherEditors(const char* program, const StartOptions& options) {
    for (std::size_t i = 1; i < options.files.size(); ++i) {
        std::vector<std::string> words{program};
        if (options.demo) words.emplace_back("--demo");
        if (options.reportShown) words.emplace_back("--report-shown");
        if (options.verbose) words.emplace_back("--verbose");
        words.emplace_back("--");
        words.push_back(options.files[i]);
        std::vector<char*> argv;
        argv.reserve(words.size() + 1);
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        // A grandchild, so that no finished editor waits as a zombie on this one.
        const pid_t child = ::fork();
        if (child == 0) {
            if (::fork() == 0) {
                ::execv("/proc/self/exe", argv.data());
                std::cerr << "zavprog: could not start an editor for " << options.files[i]
                          << std::endl;
            }
            ::_exit(0);
        }
        if (child > 0) ::waitpid(child, nullptr, 0);
    }
}

}  // namespace zav
