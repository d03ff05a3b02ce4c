#include "files/startup.h"

#include <algorithm>
#include <cctype>

#include "files/settings.h"

namespace zav {

namespace {
bool endsWithRxt(std::string_view text) {
    constexpr std::string_view kExtension = ".RXT";
    if (text.size() < kExtension.size()) return false;
    const auto tail = text.substr(text.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
}
}  // namespace

StartupFileResult startupFile(std::string_view commandLine, const SettingsStore& settings) {
    StartupFileResult result;
    result.names.fileName = std::string(commandLine);
    result.openAtStart = endsWithRxt(commandLine);
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

}  // namespace zav
