#include "link/port_devices.h"

#include "files/settings.h"
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
    const std::string named = store != nullptr ? readDevicePath(*store, *n) : std::string();
    return named.empty() ? defaultPortDevice(*n) : named;
}

}  // namespace zav
