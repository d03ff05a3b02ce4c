#pragma once
// The serial ports the system reports, as the Serial Port Device dialog and `zavtool
// ports` both list them: device, description, maker, USB ids and serial number, when the
// device node appeared (a cable just plugged in is the newest) and whether another
// program holds the port.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The folders where serial ports keep their lock files (LCK..ttyUSB0 for /dev/ttyUSB0).
inline constexpr std::array<std::string_view, 8> kPortLockFolders{
    "/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
    "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};

// The lock file's name for a device: "LCK..ttyUSB0", "LCK..pts_7".
std::string portLockName(const std::string& device);

// Another program that holds a port: by a lock file naming its live process, or by an
// exclusive open (no process known).
struct PortHolder {
    std::optional<int> process;
};

struct SerialPortEntry {
    std::string device;  // what to open, e.g. /dev/ttyUSB0 or COM3
    std::string description;
    std::string manufacturer;
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    // When the device node appeared (seconds since the epoch): a cable just plugged in is
    // the newest.
    std::optional<std::int64_t> appearedAt;
    std::string serialNumber;  // the USB serial number; empty when the device has none
    std::optional<PortHolder> holder;
};

// The entry that appeared most recently, when the times tell one apart.
std::optional<std::size_t> newestEntry(const std::vector<SerialPortEntry>& entries);
// The entry to mark as plugged in last: the newest of two or more.
std::optional<std::size_t> pluggedInLast(const std::vector<SerialPortEntry>& entries);

using SerialPortLister = std::function<std::vector<SerialPortEntry>()>;

// The serial ports the system reports now.
std::vector<SerialPortEntry> systemSerialPorts();

// "0403:6001", "0403:" or empty, as far as the ids are known.
std::string usbIdText(const SerialPortEntry& entry);

// Another program holding the device, as far as the system tells: a lock file in one of
// `folders` naming a live process other than this one, or an open refused as busy.
std::optional<PortHolder> portHolder(const std::string& device,
                                     std::span<const std::string_view> folders = kPortLockFolders);

}  // namespace zav
