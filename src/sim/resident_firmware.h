#pragma once
// The radio's resident programming firmware: it waits to be hooked (0A 14 28, answered
// with the hook reply), then serves the probe, word reads and writes of the parameter
// memory, RAM writes (register 0x0D sets the line speed), execute and release.

#include <array>
#include <vector>

#include "sim/radio_program.h"

namespace zav::sim {

class ResidentFirmware final : public RadioProgram {
  public:
    explicit ResidentFirmware(bool hooked = false) : hooked_(hooked) {}
    // A radio left hooked says so: it still takes every byte as a frame.
    [[nodiscard]] std::string name() const override {
        return hooked_ ? "resident firmware, hooked" : "resident firmware";
    }
    std::string onByte(SimRadio& radio, Byte b) override;
    void onGarbled(SimRadio& radio) override;
    [[nodiscard]] bool hooked() const { return hooked_; }

  private:
    std::string unhookedByte(SimRadio& radio, Byte b);
    std::string firstByte(SimRadio& radio, Byte b);
    std::string frameByte(SimRadio& radio, Byte b);

    bool hooked_;
    std::array<Byte, 2> recent_{};  // the two bytes before, while waiting for the hook
    std::vector<Byte> frame_;       // the frame being received
};

}  // namespace zav::sim
