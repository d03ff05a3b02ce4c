#pragma once
// Settings for one run that must not change the user's store in one section: keys of
// that section that were written during the run (or set up for it) are kept in memory
// and read from there; everything else reads from and writes to the user's store.

#include <string>
#include <utility>

#include "iface/settings_store.h"

namespace zav {

class OverlaySettingsStore final : public SettingsStore {
  public:
    OverlaySettingsStore(SettingsStore& base, std::string localSection)
        : base_(base), section_(std::move(localSection)) {}

    [[nodiscard]] std::string read(const std::string& section, const std::string& key,
                                   const std::string& fallback) const override {
        if (local_.contains(section, key)) return local_.read(section, key, fallback);
        return base_.read(section, key, fallback);
    }
    void write(const std::string& section, const std::string& key,
               const std::string& value) override {
        if (section == section_) {
            local_.write(section, key, value);
        } else {
            base_.write(section, key, value);
        }
    }
    // The values kept for this run only.
    [[nodiscard]] const MemorySettingsStore& local() const { return local_; }

  private:
    SettingsStore& base_;
    std::string section_;
    MemorySettingsStore local_;
};

}  // namespace zav
