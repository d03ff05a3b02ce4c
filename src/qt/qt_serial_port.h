#pragma once
// The real serial port, through QSerialPort. Waits handle the event loop's events until
// received data, an error or a precise timer ends them, the timer a millisecond before
// the deadline and the rest slept to the deadline itself, so windows stay live during a
// transfer, bytes are taken the moment they arrive, pauses end on time, and nothing spins.

#include <QSerialPort>
#include <QTimer>
#include <array>
#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/link_port.h"
#include "qt/port_devices.h"

namespace zav {

class QtSerialPort final : public LinkPort {
  public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    std::optional<std::string> open(const std::string& device,
                                    const LineSettings& settings) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return port_.isOpen(); }
    [[nodiscard]] bool deviceLost() const override { return lost_; }
    void setSettings(const LineSettings& settings) override;
    bool writeByte(Byte value) override;
    void sendQueued() override;
    [[nodiscard]] int bytesWaiting() override;
    std::optional<Byte> readByte() override;
    void discardInput() override;
    [[nodiscard]] LinkTime now() const override;
    void waitUntil(LinkTime deadline, bool wakeOnInput) override;
    void sleepBlocking(std::chrono::milliseconds duration) override;

    // The last error the device reported while open (e.g. a cable pulled), or empty.
    [[nodiscard]] const std::string& lastError() const { return lastError_; }

  private:
    bool applySettings(const LineSettings& settings);
    // Waits until the bytes written so far have left the port.
    void drainOutput();
    // Blocks until the clock reaches `deadline`, without letting the window system run.
    void sleepUntil(LinkTime deadline) const;

    // True when the error the open device reported means it has gone away.
    [[nodiscard]] bool deviceGone(QSerialPort::SerialPortError error) const;

    QSerialPort port_;
    // The origin of now(): a deadline is a point on the system's monotonic clock.
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
    std::string device_;
    std::string lastError_;
    bool lost_ = false;
    std::string pending_;  // written, not yet given to the device
    // One timer serves every wait (a transfer waits once per byte), in the event loop of
    // the thread that made the port; a wait ends when it fires, or when data or an error
    // come while wakeOnInput_ is set.
    QTimer waitTimer_;
    bool wakeOnInput_ = false;
    bool woken_ = false;
};

// The text shown when a device cannot be opened: the system's reason, and for a
// permission problem on Linux how to get access.
std::string openFailureReason(const std::string& device, QSerialPort::SerialPortError error,
                              const std::string& errorText);
// How a user who may not open the device gets access: join the device's group.
std::string permissionHint(const std::string& device);

// An empty lock file of the device: a program was stopped between creating it and writing
// its process number into it, and it refuses the port to everyone. One older than a
// minute belongs to no program still starting, and is removed.
struct EmptyLock {
    std::string path;
    bool removed = false;
};
std::optional<EmptyLock> clearEmptyLock(
    const std::string& device, std::span<const std::string_view> folders = kPortLockFolders);

}  // namespace zav
