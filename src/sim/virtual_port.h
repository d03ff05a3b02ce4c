#pragma once
// The host's serial port wired to a simulated radio on a virtual clock, for running the
// link in-process: waits cost no real time and every time is exact.
//
// A pass of a wait loop that waits for its deadline ends `timerSlack` after it (1 ms
// by default, like a millisecond timer firing); a pass woken by a byte ends the moment
// the byte arrives; a pass with a byte already waiting costs no time. So a 0.5 s
// receive on a silent line ends at 501 ms, and Delay (0) takes 1 ms.
//
// Like a port driven by an event loop, it takes in the bytes that came only when a wait
// handles it: after a blocking pause, or between two waits, a byte that has come is not
// yet waiting.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/link_port.h"
#include "sim/sim_radio.h"

namespace zav::sim {

struct VirtualPortOptions {
    SimTime timerSlack = std::chrono::milliseconds(1);
    // Devices that fail to open, with the reason the system would give.
    std::vector<std::pair<std::string, std::string>> failingDevices;
    // From this time the device is gone (a USB adapter pulled out): the port closes
    // itself, nothing arrives, and it no longer opens.
    std::optional<SimTime> vanishAt;
};

class VirtualPort final : public LinkPort {
  public:
    explicit VirtualPort(SimRadio& radio, VirtualPortOptions options = {});

    std::optional<std::string> open(const std::string& device,
                                    const LineSettings& settings) override;
    void close() override;
    // Like a real port, a port whose device vanished has closed itself.
    [[nodiscard]] bool isOpen() const override { return open_ && !vanished(); }
    [[nodiscard]] bool deviceLost() const override { return open_ && vanished(); }
    void setSettings(const LineSettings& settings) override;
    bool writeByte(Byte value) override;
    [[nodiscard]] int bytesWaiting() override;
    std::optional<Byte> readByte() override;
    void discardInput() override;
    [[nodiscard]] LinkTime now() const override { return now_; }
    void waitUntil(LinkTime deadline, bool wakeOnInput) override;
    void sleepBlocking(std::chrono::milliseconds duration) override;

    // --- For tests.
    [[nodiscard]] int baud() const { return settings_.baud; }
    [[nodiscard]] int yields() const { return yields_; }
    [[nodiscard]] int opens() const { return opens_; }
    [[nodiscard]] int closes() const { return closes_; }
    [[nodiscard]] const std::string& device() const { return device_; }
    [[nodiscard]] const std::vector<SimTime>& blockingSleeps() const { return sleeps_; }
    // When the host wrote each byte (whether or not it reached the radio).
    [[nodiscard]] const std::vector<SimTime>& writeTimes() const { return writes_; }
    // Called at the start of every pass of a wait, as the window system's events would
    // be handled there (e.g. to press Cancel).
    void setOnYield(std::function<void()> hook) { onYield_ = std::move(hook); }
    // Moves the clock on (e.g. to let a transfer's last bytes arrive).
    void advance(SimTime until);

  private:
    [[nodiscard]] bool vanished() const { return options_.vanishAt && now_ >= *options_.vanishAt; }

    SimRadio& radio_;
    VirtualPortOptions options_;
    LineSettings settings_{};
    bool open_ = false;
    std::string device_;
    SimTime now_{0};
    // Handles the port: what has come so far is waiting.
    void takeInput();

    std::vector<Byte> input_;
    std::size_t taken_ = 0;  // of input_, the bytes a wait has taken in
    std::size_t readPos_ = 0;
    int yields_ = 0;
    int opens_ = 0;
    int closes_ = 0;
    std::vector<SimTime> sleeps_;
    std::vector<SimTime> writes_;
    std::function<void()> onYield_;
};

}  // namespace zav::sim
