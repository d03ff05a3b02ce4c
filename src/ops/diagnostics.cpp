#include "ops/diagnostics.h"

#include "files/file_system.h"
#include "files/settings.h"
#include "iface/log.h"

namespace zav {

namespace {

void section(std::string& out, std::string_view title) {
    if (!out.empty()) out += '\n';
    out += "== ";
    out += title;
    out += " ==\n";
}

void traceSection(std::string& out, const std::string& path, FileSystem& files) {
    section(out, "Serial trace");
    if (path.empty()) {
        out += "(no serial trace on)\n";
        return;
    }
    out += "file: " + path + '\n';
    const ReadResult trace = files.readFile(path, kDiagnosticsTraceLimit);
    if (trace.error) {
        out += "(not read: " + trace.error.message() + ")\n";
        return;
    }
    out.append(trace.bytes.begin(), trace.bytes.end());
    if (!out.ends_with('\n')) out += '\n';
    if (trace.moreFollow)
        out += "(the trace goes on beyond the first " + std::to_string(kDiagnosticsTraceLimit) +
               " bytes)\n";
}

}  // namespace

std::string diagnosticsText(const DiagnosticsInput& input, FileSystem& files) {
    std::string out;
    section(out, "Versions");
    for (const auto& [what, version] : input.versions)
        out.append(what).append(": ").append(version) += '\n';
    section(out, "Port");
    out += "port: " + input.port + "\ndevice: " + input.device + '\n';
    section(out, "Settings");
    if (input.settings != nullptr) {
        for (const SettingKey& key : settings::kAll) {
            const std::string section(key.section);
            const std::string name(key.key);
            // A marker no stored text can be: the key is missing, not empty.
            constexpr std::string_view kMissing{"\x01", 1};
            const std::string value = input.settings->read(section, name, std::string(kMissing));
            out.append(section).append("/").append(name).append(" = ");
            out.append(value == kMissing ? "(not set)" : value) += '\n';
        }
    }
    traceSection(out, input.traceFile, files);
    section(out, "Log");
    if (input.log != nullptr) out += input.log->text();
    return out;
}

}  // namespace zav
