#pragma once
// The radio's side of the whole-radio read and write programs, once the loader chain
// has started them. Both end on 0xFF: stage 3 then sets the line back to 4800 baud and
// jumps to the restart address, back into the resident firmware (or, when stage 3 was
// given a wrong restart address, into nowhere).

#include <array>

#include "sim/radio_program.h"
#include "sim/sim_time.h"

namespace zav::sim {

// Ends a loaded program as stage 3 does.
void returnFromLoadedProgram(SimRadio& radio, bool restartOk);

// A program left waiting longer than this for the host gives up and returns to the
// resident firmware. The host never pauses that long inside a transfer (its own limit
// is 0.5 s a byte); it matters when the host's closing byte never reached the radio
// (a cut line, a host that gave up).
inline constexpr SimTime kProgramIdleLimit = std::chrono::seconds(1);

// The idle clock of a loaded program.
class IdleClock {
  public:
    void restart(SimTime busyUntil) { idleFrom_ = busyUntil; }
    [[nodiscard]] bool expired(SimTime now) const { return now - idleFrom_ > kProgramIdleLimit; }

  private:
    SimTime idleFrom_{};
};

// After 0x00, each request 2 * i (i = 0..7) is answered with the 256 bytes of segment i.
class ReadProgramSim final : public RadioProgram {
  public:
    explicit ReadProgramSim(bool restartOk) : restartOk_(restartOk) {}
    [[nodiscard]] std::string name() const override { return "read program"; }
    void start(SimRadio& radio) override;
    std::string onByte(SimRadio& radio, Byte b) override;
    void onGarbled(SimRadio& radio) override;

  private:
    bool restartOk_;
    IdleClock idle_;
    bool started_ = false;
};

// Block command, then rows 0 and 2..15 of 8 bytes, each acknowledged, then one more
// acknowledgement for the block.
class WriteProgramSim final : public RadioProgram {
  public:
    explicit WriteProgramSim(bool restartOk) : restartOk_(restartOk) {}
    [[nodiscard]] std::string name() const override { return "write program"; }
    void start(SimRadio& radio) override;
    std::string onByte(SimRadio& radio, Byte b) override;
    void onGarbled(SimRadio& radio) override;

  private:
    // Sends an acknowledgement; false when it went out without bit 5 (the block is
    // then abandoned and the program waits for the next command).
    bool acknowledge(SimRadio& radio, const char* what);

    bool restartOk_;
    IdleClock idle_;
    int block_ = 0;  // 0: waiting for a block command
    int row_ = 0;
    std::array<Byte, 8> rowBytes_{};
    std::size_t filled_ = 0;
};

}  // namespace zav::sim
