#pragma once
// The radio's side of the whole-radio read and write programs, once the loader chain
// has started them. Both end on 0xFF: stage 3 then sets the line back to 4800 baud and
// jumps to the restart address, back into the resident firmware (or, when stage 3 was
// given a wrong restart address, into nowhere).

#include <array>

#include "sim/radio_program.h"

namespace zav::sim {

// Ends a loaded program as stage 3 does.
void ReturnFromLoadedProgram(SimRadio& radio, bool restartOk);

// After 0x00, each request 2 * i (i = 0..7) is answered with the 256 bytes of segment i.
class ReadProgramSim final : public RadioProgram {
  public:
    explicit ReadProgramSim(bool restartOk) : restartOk_(restartOk) {}
    [[nodiscard]] std::string name() const override { return "read program"; }
    std::string onByte(SimRadio& radio, Byte b) override;

  private:
    bool restartOk_;
    bool started_ = false;
};

// Block command, then rows 0 and 2..15 of 8 bytes, each acknowledged, then one more
// acknowledgement for the block.
class WriteProgramSim final : public RadioProgram {
  public:
    explicit WriteProgramSim(bool restartOk) : restartOk_(restartOk) {}
    [[nodiscard]] std::string name() const override { return "write program"; }
    std::string onByte(SimRadio& radio, Byte b) override;

  private:
    // Sends an acknowledgement; false when it went out without bit 5 (the block is
    // then abandoned and the program waits for the next command).
    bool acknowledge(SimRadio& radio, const char* what);

    bool restartOk_;
    int block_ = 0;  // 0: waiting for a block command
    int row_ = 0;
    std::array<Byte, 8> rowBytes_{};
    std::size_t filled_ = 0;
};

}  // namespace zav::sim
