#pragma once
// The byte transport every radio conversation is built from: open the port, send one
// byte, take one byte within 0.5 s, wait for an expected byte, discard input, wait for
// the line to go quiet, pause.
// The wait loops are written once here, over LinkPort; every pass of a loop lets the
// window system run, so the progress window's Cancel stays live during a transfer.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/line_settings.h"
#include "link/link_port.h"
#include "model/memory_image.h"

namespace zav {

class Prompts;
class SettingsStore;

// The fixed limit of every byte-level wait.
inline constexpr std::chrono::milliseconds kReceiveTimeLimit{500};

class Transport {
  public:
    // `settings` (may be null) names devices for port numbers; see port_devices.h.
    Transport(LinkPort& port, Prompts& prompts, const SettingsStore* settings = nullptr);

    // A port number "1".."4" or a device path; applies to the next open.
    void setPort(std::string port) { port_ = std::move(port); }
    [[nodiscard]] const std::string& port() const { return port_; }
    // The device the current port names.
    [[nodiscard]] std::string device() const;

    // "4800,n,8,1" or "9600,n,8,1"; allowed while open and effective for the bytes that
    // follow. A text that is not a settings string is refused (false).
    bool setSettings(std::string_view settings);
    [[nodiscard]] const std::string& settings() const { return settingsText_; }

    // Opens the port if it is closed. On failure shows "Unable to open Comm Port",
    // sets portError and returns false.
    bool openPort();
    void closePort();
    [[nodiscard]] bool isOpen() const { return line_.isOpen(); }
    // Set by the last openPort when it failed.
    [[nodiscard]] bool portError() const { return portError_; }
    // The open device went away (see LinkPort::deviceLost); receives fail at once.
    [[nodiscard]] bool deviceLost() const { return line_.deviceLost(); }

    void sendByte(Byte value);
    // The loaders take their code last byte first.
    void sendReversed(std::span<const Byte> bytes);
    void discardInput();
    [[nodiscard]] int bytesWaiting();
    // Takes the next byte, waiting up to 0.5 s; b is untouched when none came.
    bool receiveByte(Byte& b);
    // Reads and drops bytes until `expected` comes, for at most 0.5 s in all.
    bool waitForByte(Byte expected);
    // Waits up to `window` for a byte to come; true when none did. Nothing is read.
    bool staysQuiet(std::chrono::milliseconds window);
    // The same, for the `window` that follows the last byte taken: time spent since then
    // (a pause, other frames) counts, so the wait may be shorter or none.
    bool quietAfterLastByte(std::chrono::milliseconds window);
    // Discards input until none has come for `quiet`, for at most about `limit` in all;
    // true when the line went quiet.
    bool settleInput(std::chrono::milliseconds quiet, std::chrono::milliseconds limit);
    // Pauses for ms milliseconds, letting the window system run at least once.
    void delay(std::uint32_t ms);
    // Pauses without letting the window system run.
    void pauseBlocking(std::chrono::milliseconds duration);

    [[nodiscard]] LinkTime now() const { return line_.now(); }

  private:
    // True when no byte has come by `end`, having handled the port's input at least once.
    bool quietUntil(LinkTime end);

    LinkPort& line_;
    Prompts& prompts_;
    const SettingsStore* store_;
    std::string port_ = "1";
    std::string settingsText_{kSettings4800};
    LineSettings settings_{};
    bool portError_ = false;
    LinkTime lastTaken_{};
};

}  // namespace zav
