#pragma once
// Which device a port names. The editor numbers its ports 1 to 4; each number maps to
// a platform default (/dev/ttyS0../dev/ttyS3, COM1..COM4) unless the settings store
// names another device for it ("Comm"/"Device1".."Device4", e.g. /dev/ttyUSB0).
// Anything that is not a port number is taken as a device path; on Windows COM10 and
// above only open as "\\.\COM10" (the system's device space), so they are given so.

#include <optional>
#include <string>
#include <string_view>

namespace zav {

class SettingsStore;

inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 4;

// How the system names serial devices.
enum class PortNaming { Posix, Windows };
#ifdef _WIN32
inline constexpr PortNaming kSystemPortNaming = PortNaming::Windows;
#else
inline constexpr PortNaming kSystemPortNaming = PortNaming::Posix;
#endif

// The port number 1..4 a text names, or nullopt when it is not such a number.
std::optional<int> portNumber(std::string_view port);

// The platform's default device for port number n (1..4).
std::string defaultPortDevice(int n, PortNaming naming = kSystemPortNaming);

// The device to open for `port` (a number 1..4 or a device path); `store` may be null.
std::string resolvePortDevice(std::string_view port, const SettingsStore* store,
                              PortNaming naming = kSystemPortNaming);

}  // namespace zav
