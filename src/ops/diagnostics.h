#pragma once
// Help > Save Diagnostics: one text file a technician can mail to support, with the
// program's and the system's versions, the port, every setting, the serial trace (when
// one ran) and the last lines of this run's log. It holds nothing beyond what the
// settings, the trace and the log hold: file paths, port devices, radio bytes.

#include <string>
#include <utility>
#include <vector>

namespace zav {

class FileSystem;
class LogMemory;
class SettingsStore;

struct DiagnosticsInput {
    std::vector<std::pair<std::string, std::string>> versions;  // what, its version
    std::string port;                                           // as chosen: a number or a device
    std::string device;                                         // what the port opens
    const SettingsStore* settings = nullptr;
    const LogMemory* log = nullptr;
    std::string traceFile;  // the running trace's file; empty: none on
};

// The longest trace the file takes whole; a longer one keeps its beginning and says so.
inline constexpr std::size_t kDiagnosticsTraceLimit = 4U << 20U;

// The file's text; the trace is read through `files`.
std::string diagnosticsText(const DiagnosticsInput& input, FileSystem& files);

}  // namespace zav
