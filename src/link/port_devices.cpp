#include "link/port_devices.h"

#include "iface/settings_store.h"

namespace zav {

std::optional<int> portNumber(std::string_view port) {
    if (port.size() != 1) return std::nullopt;
    const int n = port[0] - '0';
    if (n < kFirstPortNumber || n > kLastPortNumber) return std::nullopt;
    return n;
}

std::string defaultPortDevice(int n) {
#ifdef _WIN32
    return "COM" + std::to_string(n);
#else
    return "/dev/ttyS" + std::to_string(n - 1);
#endif
}

std::string resolvePortDevice(std::string_view port, const SettingsStore* store) {
    const auto n = portNumber(port);
    if (!n) return std::string(port);
    const std::string fallback = defaultPortDevice(*n);
    if (store == nullptr) return fallback;
    const std::string named = store->read("Comm", "Device" + std::to_string(*n), fallback);
    return named.empty() ? fallback : named;
}

}  // namespace zav
