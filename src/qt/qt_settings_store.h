#pragma once
// The per-user settings store on QSettings: application "ZAVPROG", keys "Section/Key",
// every value a text.

#include <QString>
#include <memory>
#include <string>

#include "iface/settings_store.h"

class QSettings;

namespace zav {

class QtSettingsStore final : public SettingsStore {
  public:
    // The user's own store in the system's usual place.
    QtSettingsStore();
    // An INI file at the given path (tests, portable installs).
    explicit QtSettingsStore(const QString& iniPath);
    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    [[nodiscard]] std::string read(const std::string& section, const std::string& key,
                                   const std::string& fallback) const override;
    void write(const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace zav
