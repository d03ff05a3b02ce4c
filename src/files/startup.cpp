#include "files/startup.h"

#include "files/settings.h"

namespace zav {

StartupFileResult startupFile(std::string_view commandLine, const SettingsStore& settings) {
    StartupFileResult result;
    result.names.fileName = std::string(commandLine);
    // Any file named is opened, whatever its extension: one that is not a frequency file
    // gets the file error and leaves the default image.
    result.openAtStart = !commandLine.empty();
    if (!result.openAtStart) result.names.fileName = readLastOpen(settings);
    return result;
}

std::string commandLineText(std::span<const std::string> arguments) {
    std::string text;
    for (const auto& a : arguments) {
        if (!text.empty()) text += ' ';
        text += a;
    }
    return text;
}

std::vector<std::string> commandLineFiles(std::span<const std::string> arguments,
                                          const std::function<bool(const std::string&)>& exists) {
    if (arguments.empty()) return {};
    const std::string joined = commandLineText(arguments);
    if (arguments.size() == 1 || exists(joined)) return {joined};
    return {arguments.begin(), arguments.end()};
}

}  // namespace zav
