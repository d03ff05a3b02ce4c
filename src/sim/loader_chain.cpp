#include "sim/loader_chain.h"

#include "link/transfer_programs.h"
#include "sim/bulk_programs.h"
#include "sim/note_text.h"
#include "sim/ram_code.h"
#include "sim/silent_program.h"
#include "sim/sim_radio.h"

namespace zav::sim {

namespace {

constexpr std::size_t kStage1Top = kStage1BranchAddress;  // stage 2 fills 0x58 down to 0x50
constexpr Byte kFallThrough = 0x00;

bool stage2InRam(const RadioRam& ram) {
    // Byte 27 is the index start, whatever the host patched in.
    auto expected = kLoaderStage2;
    expected[kStage2IndexByte] = ram[kStage2Address + kStage2IndexByte];
    return ramHolds(ram, kStage2Address, expected);
}

// What stage 3 and the code at 0x62 make of the loaded bytes once stage 1 falls through.
std::unique_ptr<RadioProgram> enterStage3(SimRadio& radio) {
    const RadioRam& ram = radio.ram();
    const auto restart = radio.config().restartAddress;
    const auto stage3 =
        patchedStage3(static_cast<Byte>(restart & 0xFF), static_cast<Byte>(restart >> 8));
    // Only the call and the baud write have to be right to run the program; a wrong
    // restart address hangs the radio once the program returns.
    const std::span<const Byte> callAndBaud(stage3.data(), kStage3RestartHigh);
    if (!ramHolds(ram, kStage3Address, callAndBaud))
        return std::make_unique<SilentProgram>("stage 3 is not at 0x59");
    const bool restartOk = ramHolds(ram, kStage3Address, stage3);
    if (ramHoldsCode(ram, kProgramAddress, kReadProgramCode))
        return std::make_unique<ReadProgramSim>(restartOk);
    if (ramHoldsCode(ram, kProgramAddress, kWriteProgramCode))
        return std::make_unique<WriteProgramSim>(restartOk);
    return std::make_unique<SilentProgram>("no known program at 0x62");
}

// Stage 1's loop: store at the index, count down, until the branch offset is cleared.
class Stage1Loop final : public RadioProgram {
  public:
    explicit Stage1Loop(Byte index) : index_(index) {}
    [[nodiscard]] std::string name() const override { return "loader stage 1"; }

    std::string onByte(SimRadio& radio, Byte b) override {
        const Byte at = index_--;
        radio.ram()[at] = b;
        const std::string note = "stage 1 stores " + noteText("%02X = %02X", at, b);
        if (at >= kStage1Address && at < kStage1Top) {
            radio.runProgram(std::make_unique<SilentProgram>("stage 1 overwrote itself"));
            return note + ": stage 1 overwritten";
        }
        if (at != kStage1Top) return note;
        if (b == kFallThrough) {
            radio.runProgram(enterStage3(radio));
            return note + ": into stage 3, " + radio.programName();
        }
        if (b != kLoaderStage1.back()) {
            radio.runProgram(std::make_unique<SilentProgram>("stage 1's loop branch broken"));
            return note + ": loop branch broken";
        }
        return note;
    }
    void onGarbled(SimRadio& radio) override {
        radio.runProgram(std::make_unique<SilentProgram>("unreadable byte while loading"));
    }

  private:
    Byte index_;
};

// Stage 2: reports the restart address, then takes stage 1 into 0x58 down to 0x50.
class Stage2Program final : public RadioProgram {
  public:
    [[nodiscard]] std::string name() const override { return "loader stage 2"; }

    void start(SimRadio& radio) override {
        const auto restart = radio.config().restartAddress;
        radio.send(static_cast<Byte>(restart & 0xFF), "restart address low");
        radio.send(static_cast<Byte>(restart >> 8), "restart address high");
    }

    std::string onByte(SimRadio& radio, Byte b) override {
        const auto at = static_cast<Byte>(kStage1Top - received_++);
        radio.ram()[at] = b;
        std::string note = "stage 2 stores " + noteText("%02X = %02X", at, b);
        if (at != kStage1Address) return note;
        // LDX with the patched byte, JMP 0x50.
        if (!ramHolds(radio.ram(), kStage1Address, kLoaderStage1)) {
            radio.runProgram(std::make_unique<SilentProgram>("stage 1 is not at 0x50"));
            return note + ": stage 1 wrong";
        }
        radio.runProgram(
            std::make_unique<Stage1Loop>(radio.ram()[kStage2Address + kStage2IndexByte]));
        return note + ": stage 1 runs";
    }
    void onGarbled(SimRadio& radio) override {
        radio.runProgram(std::make_unique<SilentProgram>("unreadable byte while loading"));
    }

  private:
    int received_ = 0;
};

}  // namespace

std::unique_ptr<RadioProgram> startLoaderChain(SimRadio& radio) {
    if (!stage2InRam(radio.ram())) return nullptr;
    return std::make_unique<Stage2Program>();
}

}  // namespace zav::sim
