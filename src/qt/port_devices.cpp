#include "qt/port_devices.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace zav {

namespace {

std::string hex4(std::uint16_t v) {
    std::array<char, 8> buf{};
    std::snprintf(buf.data(), buf.size(), "%04x", static_cast<unsigned>(v));
    return buf.data();
}

#ifdef __linux__
// The process a lock file names (as text, the way every program on Linux writes it), when
// that process still runs and is not this one.
std::optional<int> liveLockProcess(const std::filesystem::path& lock) {
    std::ifstream in(lock);
    long pid = 0;
    if (!(in >> pid) || pid <= 0 || pid == ::getpid()) return std::nullopt;
    const bool alive = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    if (!alive) return std::nullopt;
    return static_cast<int>(pid);
}
#endif

}  // namespace

std::string portLockName(const std::string& device) {
    constexpr std::string_view kDevFolder = "/dev/";
    std::string name = device.starts_with(kDevFolder) ? device.substr(kDevFolder.size()) : device;
    std::ranges::replace(name, '/', '_');
    return "LCK.." + name;
}

std::optional<PortHolder> portHolder(const std::string& device,
                                     std::span<const std::string_view> folders) {
#ifdef __linux__
    const std::string name = portLockName(device);
    for (const std::string_view folder : folders)
        if (const auto pid = liveLockProcess(std::filesystem::path(folder) / name))
            return PortHolder{pid};
    // A program that opened the port exclusively (as every Qt program does) makes every
    // other open fail as busy. Opening raises the modem lines as any program's open does;
    // the port is closed again at once.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return std::nullopt;
    }
    if (errno == EBUSY) return PortHolder{};
#else
    (void)device;
    (void)folders;
#endif
    return std::nullopt;
}

std::vector<SerialPortEntry> systemSerialPorts() {
    std::vector<SerialPortEntry> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry e;
        e.device = info.systemLocation().toStdString();
        e.description = info.description().toStdString();
        e.manufacturer = info.manufacturer().toStdString();
        e.serialNumber = info.serialNumber().toStdString();
        if (info.hasVendorIdentifier()) e.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) e.productId = info.productIdentifier();
#ifdef __linux__
        struct stat node {};
        if (::stat(e.device.c_str(), &node) == 0) e.appearedAt = node.st_ctime;
#endif
        e.holder = portHolder(e.device);
        out.push_back(std::move(e));
    }
    return out;
}

std::optional<std::size_t> newestEntry(const std::vector<SerialPortEntry>& entries) {
    std::optional<std::size_t> newest;
    bool tied = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].appearedAt) continue;
        if (!newest || *entries[i].appearedAt > *entries[*newest].appearedAt) {
            newest = i;
            tied = false;
        } else if (*entries[i].appearedAt == *entries[*newest].appearedAt) {
            tied = true;
        }
    }
    if (tied) return std::nullopt;
    return newest;
}

std::optional<std::size_t> pluggedInLast(const std::vector<SerialPortEntry>& entries) {
    return entries.size() > 1 ? newestEntry(entries) : std::nullopt;
}

std::string usbIdText(const SerialPortEntry& entry) {
    if (!entry.vendorId) return {};
    return hex4(*entry.vendorId) + ":" + (entry.productId ? hex4(*entry.productId) : "");
}

}  // namespace zav
