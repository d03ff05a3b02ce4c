#pragma once
// The per-user settings store: text values addressed by section and key under the
// application name "ZAVPROG". The keys, value forms and defaults the editor uses
// are declared once in files/settings.h.

#include <map>
#include <string>
#include <utility>

namespace zav {

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    [[nodiscard]] virtual std::string read(const std::string& section, const std::string& key,
                                           const std::string& fallback) const = 0;
    virtual void write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

// Settings kept in memory: for tests and for runs that must store nothing.
class MemorySettingsStore final : public SettingsStore {
  public:
    [[nodiscard]] std::string read(const std::string& section, const std::string& key,
                                   const std::string& fallback) const override {
        auto it = values_.find({section, key});
        return it == values_.end() ? fallback : it->second;
    }
    void write(const std::string& section, const std::string& key,
               const std::string& value) override {
        values_[{section, key}] = value;
    }
    [[nodiscard]] bool contains(const std::string& section, const std::string& key) const {
        return values_.contains({section, key});
    }
    [[nodiscard]] const std::map<std::pair<std::string, std::string>, std::string>& all() const {
        return values_;
    }

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace zav
