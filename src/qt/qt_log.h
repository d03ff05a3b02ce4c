#pragma once
// The diagnostic log on Qt's logging categories: each area of the core writes to its own
// category (zav.link, zav.ops, zav.files, zav.settings) at the info level, which Qt leaves
// off unless --verbose (or QT_LOGGING_RULES) turns it on; every line is also kept in
// memory, bounded, for Help > Save Diagnostics.

#include <cstddef>

#include "iface/log.h"

namespace zav {

class QtLog final : public Log {
  public:
    explicit QtLog(std::size_t limit = LogMemory::kDefaultLimit) : memory_(limit) {}
    void write(LogArea area, std::string_view text) override;
    [[nodiscard]] const LogMemory& memory() const { return memory_; }

  private:
    LogMemory memory_;
};

// --verbose: the zav.* categories' lines go to standard error.
void enableVerboseLog();

}  // namespace zav
