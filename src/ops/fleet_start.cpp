#include "ops/fleet_start.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "files/file_error.h"
#include "iface/prompts.h"
#include "iface/shown_text.h"

namespace zav {

namespace {

std::string radios(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " radio" : " radios");
}

// Why the request cannot run; empty when it can.
std::string refusal(const FleetRequest& r) {
    if (r.ports.empty()) return shownText("Messages", "Name at least one port.");
    for (std::size_t i = 0; i < r.devices.size(); ++i)
        if (std::count(r.devices.begin(), r.devices.begin() + static_cast<std::ptrdiff_t>(i),
                       r.devices[i]) > 0)
            return "Two ports name the device " + r.devices[i] + ".";
    if (r.units && r.units->first + r.ports.size() - 1 > kLastUnitNumber)
        return shownText("Messages", "The unit numbers do not fit in seven digits.");
    if (r.operation != FleetOperation::Read) return {};
    if (r.files.size() != r.ports.size() ||
        std::ranges::any_of(r.files, [](const std::string& f) { return f.empty(); }))
        return shownText("Messages", "Name the file each radio is read into.");
    if (std::set(r.files.begin(), r.files.end()).size() < r.files.size())
        return shownText("Messages", "Two ports give the same file name: put {port} in it.");
    return {};
}

std::string confirmation(const FleetRequest& r) {
    switch (r.operation) {
        case FleetOperation::Write:
            return "Write to " + radios(r.ports.size()) + "?";
        case FleetOperation::Read:
            return "Read " + radios(r.ports.size()) + "?";
        case FleetOperation::WriteLabels:
            return "Write the labels to " + radios(r.ports.size()) + "?";
    }
    return {};
}

}  // namespace

std::optional<std::unique_ptr<FleetLog>> prepareFleet(const FleetRequest& request,
                                                      const std::string& logPath, Prompts& prompts,
                                                      std::string_view title) {
    if (const std::string why = refusal(request); !why.empty()) {
        prompts.ask(warning(why, title));
        return std::nullopt;
    }
    std::string existing;
    for (const std::string& file : request.files) {
        std::error_code ec;
        if (std::filesystem::exists(file, ec)) existing += "\n" + file;
    }
    if (!existing.empty() && prompts.ask(question("Replace the files that exist?" + existing,
                                                  Buttons::OkCancel, title)) != Answer::Ok)
        return std::nullopt;
    if (prompts.ask(question(confirmation(request), Buttons::OkCancel, title)) != Answer::Ok)
        return std::nullopt;
    if (logPath.empty()) return std::unique_ptr<FleetLog>();
    auto log = std::make_unique<FleetLog>(logPath);
    if (const std::error_code ec = log->error()) {
        const FileError error = classicFileError(ec, logPath);
        prompts.ask(warning("The log " + logPath + " cannot be written: " + error.description + ".",
                            title, error.systemReason));
        return std::nullopt;
    }
    return log;
}

}  // namespace zav
