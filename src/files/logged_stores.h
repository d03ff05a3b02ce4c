#pragma once
// A file system and a settings store that hand every call on and write what changed, or
// failed, to the diagnostic log: the files read and saved (path, size, error) and the
// settings written (key and value). Reads of settings are not logged: they are many and
// the diagnostics list the settings whole.

#include "files/file_system.h"
#include "iface/log.h"
#include "iface/settings_store.h"

namespace zav {

class LoggedFileSystem final : public FileSystem {
  public:
    LoggedFileSystem(FileSystem& files, Log& log) : files_(files), log_(log) {}
    ReadResult readFile(const std::string& path, std::size_t maxBytes) override;
    std::error_code replaceFile(const std::string& path, std::span<const Byte> bytes) override;
    std::error_code createFolders(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder, std::error_code& ec) override;

  private:
    FileSystem& files_;
    Log& log_;
};

class LoggedSettingsStore final : public SettingsStore {
  public:
    LoggedSettingsStore(SettingsStore& store, Log& log) : store_(store), log_(log) {}
    [[nodiscard]] std::string read(const std::string& section, const std::string& key,
                                   const std::string& fallback) const override {
        return store_.read(section, key, fallback);
    }
    void write(const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    SettingsStore& store_;
    Log& log_;
};

}  // namespace zav
