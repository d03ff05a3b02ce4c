#include "radio_command.h"

#include <charconv>
#include <iostream>

#include <unistd.h>

#include "iface/progress.h"
#include "link/radio_link.h"
#include "progress_line.h"
#include "terminal_prompts.h"

#ifdef ZAV_WITH_QT
#include <QCoreApplication>

#include "qt/qt_serial_port.h"
#include "qt/qt_settings_store.h"
#endif

namespace zav::tool {

std::optional<RadioOptions> parseRadioOptions(const Args& args, std::string_view command,
                                              std::string_view usage) {
    RadioOptions o;
    bool ok = true;
    for (std::size_t i = 0; i < args.size() && ok; ++i) {
        const std::string& a = args[i];
        if (a == "--port" && i + 1 < args.size()) {
            o.port = args[++i];
        } else if (a == "--retry" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            const auto [p, ec] = std::from_chars(n.data(), n.data() + n.size(), o.retries);
            ok = ec == std::errc{} && p == n.data() + n.size() && o.retries >= 0;
        } else if (!a.starts_with("--") && o.file.empty()) {
            o.file = a;
        } else {
            ok = false;
        }
    }
    if (!ok || o.port.empty() || o.file.empty()) {
        std::cerr << "usage: zavtool " << command << " "
                  << (usage.empty() ? "--port P [--retry N] FILE.frq" : usage) << "\n";
        return std::nullopt;
    }
    return o;
}

bool runOnRadio(const RadioOptions& options, const std::function<bool(RadioLink&)>& operation,
                std::string_view activity) {
#ifdef ZAV_WITH_QT
    // The port's waits run the event loop, which needs an application object.
    int argc = 1;
    char name[] = "zavtool";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtSettingsStore settings;
    QtSerialPort serial;
    TerminalPrompts terminal(std::cerr, options.retries);
    ProgressLine line(std::cerr, ::isatty(STDERR_FILENO) != 0, std::string(activity));
    CountingPort port(serial, line);
    LineClearingPrompts prompts(terminal, line);
    LineProgress progress(line);
    RadioLink link(port, prompts, progress, &settings);
    link.transport().setPort(options.port);
    return operation(link);
#else
    (void)operation;
    (void)activity;
    std::cerr << "zavtool: built without serial port support (" << options.port << ")\n";
    return false;
#endif
}

}  // namespace zav::tool
