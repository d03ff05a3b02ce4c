#include "files/logged_stores.h"

#include <string>

namespace zav {

namespace {
std::string failed(const std::error_code& error) {
    return ": " + error.message();
}
}  // namespace

ReadResult LoggedFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    ReadResult result = files_.readFile(path, maxBytes);
    log_.write(LogArea::Files,
               "read " + path +
                   (result.error ? failed(result.error)
                                 : ": " + std::to_string(result.bytes.size()) + " bytes"));
    return result;
}

std::error_code LoggedFileSystem::replaceFile(const std::string& path,
                                              std::span<const Byte> bytes) {
    const std::error_code error = files_.replaceFile(path, bytes);
    log_.write(
        LogArea::Files,
        "saved " + path + (error ? failed(error) : ": " + std::to_string(bytes.size()) + " bytes"));
    return error;
}

std::error_code LoggedFileSystem::createFolders(const std::string& path) {
    const std::error_code error = files_.createFolders(path);
    if (error) log_.write(LogArea::Files, "folder " + path + failed(error));
    return error;
}

std::vector<std::string> LoggedFileSystem::fileNames(const std::string& folder,
                                                     std::error_code& ec) {
    auto names = files_.fileNames(folder, ec);
    if (ec) log_.write(LogArea::Files, "list " + folder + failed(ec));
    return names;
}

void LoggedSettingsStore::write(const std::string& section, const std::string& key,
                                const std::string& value) {
    store_.write(section, key, value);
    log_.write(LogArea::Settings, section + "/" + key + " = " + value);
}

}  // namespace zav
