#pragma once
// The radio history: what every read brought and what every write replaced, one
// frequency file each, kept in a folder of the user's data and never deleted by the
// program. A file is named by the local time, the port and the unit number (the ANI/ID
// of the first group), then what it was kept for unless a whole read:
//   2026-12-08T091502-ttyUSB0-0002001.frq
//   2026-12-08T091502-ttyUSB0-0002001-before-write-labels.frq
// A name already taken gets "_2", "_3", ... before ".frq".

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "iface/platform.h"
#include "model/memory_image.h"

namespace zav {

class FileSystem;

enum class HistoryReason : std::uint8_t {
    Read,
    ReadGroup,
    ReadGlobal,
    ReadLabels,
    BeforeWrite,
    BeforeWriteGroup,
    BeforeWriteGlobal,
    BeforeWriteLabels,
};

// How a listing names the reason: "read", "read group", ..., "before write labels".
std::string historyReasonText(HistoryReason reason);

// $XDG_DATA_HOME/zavprog, or ~/.local/share/zavprog when XDG_DATA_HOME is not set (or
// not an absolute path, which the XDG rules say to ignore).
std::string historyFolder(const Environment& environment);

struct HistoryEntry {
    std::string time;  // local time, "2026-12-08 09:15:02"
    std::string port;
    std::string unit;
    HistoryReason reason = HistoryReason::Read;
    int copy = 1;  // 2 for "_2", ...
    std::string path;
    friend bool operator==(const HistoryEntry&, const HistoryEntry&) = default;
};

// What a history file's name in `folder` says; nullopt for a name that is not one.
std::optional<HistoryEntry> parseHistoryName(const std::string& folder, std::string_view name);

struct KeptCopy {
    std::string path;       // the file kept, or the place it was to go
    std::error_code error;  // empty when kept
};

class RadioHistory {
  public:
    RadioHistory(FileSystem& files, const Clock& clock, std::string folder);

    // A new file holding image and labels, written as a frequency file is saved (whole
    // or not at all), the folder made first when missing. Radios of a fleet keep their
    // copies from their own threads at once.
    KeptCopy keep(HistoryReason reason, std::string_view port, const MemImage& image,
                  const LabelImage& labels);
    // Every history file in the folder, newest first.
    [[nodiscard]] std::vector<HistoryEntry> entries(std::error_code& ec) const;
    [[nodiscard]] const std::string& folder() const { return folder_; }

  private:
    FileSystem& files_;
    const Clock& clock_;
    std::string folder_;
    std::mutex mutex_;
};

}  // namespace zav
