#include "link/port_devices.h"

#include <algorithm>

#include "files/settings.h"
#include "iface/settings_store.h"

namespace zav {

std::optional<int> portNumber(std::string_view port) {
    if (port.size() != 1) return std::nullopt;
    const int n = port[0] - '0';
    if (n < kFirstPortNumber || n > kLastPortNumber) return std::nullopt;
    return n;
}

namespace {

// "COM10" and above as the Windows device space has them; every other name as it is.
std::string windowsDevice(std::string_view name) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    if (name.size() < 5 || upper(name[0]) != 'C' || upper(name[1]) != 'O' || upper(name[2]) != 'M')
        return std::string(name);
    const std::string_view digits = name.substr(3);
    if (digits[0] == '0' ||
        !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(name);
    return R"(\\.\)" + std::string(name);
}

}  // namespace

std::string defaultPortDevice(int n, PortNaming naming) {
    return naming == PortNaming::Windows ? "COM" + std::to_string(n)
                                         : "/dev/ttyS" + std::to_string(n - 1);
}

std::string resolvePortDevice(std::string_view port, const SettingsStore* store,
                              PortNaming naming) {
    const auto n = portNumber(port);
    std::string named(port);
    if (n) named = store != nullptr ? readDevicePath(*store, *n) : std::string();
    if (n && named.empty()) return defaultPortDevice(*n, naming);
    return naming == PortNaming::Windows ? windowsDevice(named) : named;
}

}  // namespace zav
