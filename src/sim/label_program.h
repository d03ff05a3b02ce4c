#pragma once
// The radio's side of the label transfer. The first-stage loader, started at 0xE0 once
// its 25 bytes are in RAM there, takes a load address, a count and that many bytes
// (the k-th at address + count - k) and jumps to the address; the label program must
// then lie at 0x50. It serves per-byte frames on the label memory:
//   02 01 (H | 0x28) L       read: answers two bytes, the second the label byte
//   03 01 (H | 0x68) L D     write: stores D and echoes it
//   03 00 60 R V             register write, no answer
//   00 00                    ends the program: back to the resident firmware at 4800
// where H, L are the high and low bytes of the label offset.

#include <map>
#include <memory>
#include <vector>

#include "sim/bulk_programs.h"
#include "sim/radio_program.h"

namespace zav::sim {

// Program factory for an execute at 0xE0: nullptr when the loader is not in RAM there.
std::unique_ptr<RadioProgram> startLabelLoader(SimRadio& radio);

class LabelProgramSim final : public RadioProgram {
  public:
    [[nodiscard]] std::string name() const override { return "label program"; }
    void start(SimRadio& radio) override;
    std::string onByte(SimRadio& radio, Byte b) override;
    void onGarbled(SimRadio& radio) override;

  private:
    std::string readByte(SimRadio& radio);
    std::string writeByte(SimRadio& radio);

    IdleClock idle_;  // like the bulk programs, it gives up on a silent host
    std::vector<Byte> frame_;
    int zeros_ = 0;
    std::map<Byte, Byte> registers_;
};

}  // namespace zav::sim
