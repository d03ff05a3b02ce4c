#pragma once
// The fleet log: a CSV table a shop keeps of which radio got which unit number. Each
// radio adds one row as it ends, so a log that is cut short still holds every radio
// finished before; a new or empty file gets the header row first.

#include <fstream>
#include <mutex>
#include <string>

#include "files/csv_table.h"
#include "ops/fleet.h"

namespace zav {

// The header row and a radio's row: time (UTC), port, unit number, result, reason,
// bytes written, duration in seconds.
CsvRecord fleetLogHeader();
CsvRecord fleetLogRow(const FleetRadioResult& radio);

class FleetLog {
  public:
    // Opens `path` for appending; ok() tells whether that worked.
    explicit FleetLog(const std::string& path);
    [[nodiscard]] bool ok() const { return out_.good(); }
    // Appends the radio's row; safe to call from several radios' threads.
    void add(const FleetRadioResult& radio);

  private:
    std::mutex mutex_;
    std::ofstream out_;
};

}  // namespace zav
