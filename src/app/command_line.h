#pragma once
// The editor's command line, read before the window system is needed: --help, --version
// and a mistyped option answer without a display, over ssh as in package checks.

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace zav {

struct StartOptions {
    bool demo = false;
    QString screenshots;       // scripts/screenshot: render the windows into this folder and exit
    bool reportShown = false;  // scripts/bench: say when the main window is shown, then close
    bool verbose = false;      // the diagnostic log's lines go to stderr
    std::vector<std::string> files;  // one editor each, the first in this process
};

// The options to start with, or nothing once help or the version has been printed (exit 0)
// or a usage error naming the option (exit 2: the status is in exitStatus).
struct CommandLine {
    std::optional<StartOptions> start;
    int exitStatus = 0;
};

// Application name, organisation and version, for the settings store, --version and the
// desktop; needs no application object.
void nameApplication();

CommandLine readCommandLine(int& argc, char** argv);

// Starts a detached editor for each file after the first, in the same mode. Called before
// the application object exists, while this process has one thread.
void startOtherEditors(const char* program, const StartOptions& options);

}  // namespace zav
