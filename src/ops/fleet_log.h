#pragma once
// The fleet log: a CSV table a shop keeps of which radio got which unit number. Each
// radio adds one row as it ends, so a log that is cut short still holds every radio
// finished before; a new or empty file gets the header row first. A row goes in whole or
// not at all, and a row that could not go in (a full disk) is reported by error().

#include <mutex>
#include <string>

#include "files/csv_table.h"
#include "files/file_system.h"
#include "ops/fleet.h"

namespace zav {

// The header row and a radio's row: time (UTC), port, unit number, result, reason,
// bytes written, duration in seconds.
CsvRecord fleetLogHeader();
CsvRecord fleetLogRow(const FleetRadioResult& radio);

class FleetLog {
  public:
    // Opens `path` for appending (anything but a regular file is refused); error() tells
    // whether that worked.
    explicit FleetLog(const std::string& path);
    // Appends the radio's row; safe to call from several radios' threads.
    void add(const FleetRadioResult& radio);
    // Why the log could not be opened or took a row only in part; empty while all went in.
    [[nodiscard]] std::error_code error();
    // Puts the log on the disk and closes it; error() after it.
    std::error_code finish();

  private:
    std::mutex mutex_;
    AppendFile out_;
    std::error_code openError_;
};

}  // namespace zav
