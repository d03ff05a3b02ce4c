#include "iface/platform.h"

#include <cstdlib>
#include <ctime>

namespace zav {

LocalTime SystemClock::now() const {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::optional<std::string> SystemEnvironment::variable(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

}  // namespace zav
