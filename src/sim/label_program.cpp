#include "sim/label_program.h"

#include "link/label_programs.h"
#include "sim/bulk_programs.h"
#include "sim/note_text.h"
#include "sim/ram_code.h"
#include "sim/silent_program.h"
#include "sim/sim_radio.h"

namespace zav::sim {

namespace {

constexpr Byte kReadFrame = 0x02;
constexpr Byte kWriteFrame = 0x03;
constexpr Byte kByteAccess = 0x01;
constexpr Byte kRegisterAccess = 0x00;
constexpr std::size_t kReadLength = 4;
constexpr std::size_t kWriteLength = 5;
constexpr Byte kReadHighBits = 0x28;
constexpr Byte kWriteHighBits = 0x68;
constexpr Byte kHighBitsMask = 0xF8;

// The first-stage loader: load address, count, then the bytes, stored top down.
class LabelLoader final : public RadioProgram {
  public:
    [[nodiscard]] std::string name() const override { return "label loader"; }

    std::string onByte(SimRadio& radio, Byte b) override {
        if (!address_) {
            address_ = b;
            return noteText("load address %02X", b);
        }
        if (!count_) {
            count_ = b;
            return noteText("count %d", b);
        }
        ++received_;
        const auto at = static_cast<Byte>(*address_ + *count_ - received_);
        radio.ram()[at] = b;
        if (received_ < *count_) return {};
        radio.runProgram(jump(radio));
        return noteText("loaded, jump to %02X", *address_) + ": " + radio.programName();
    }
    void onGarbled(SimRadio& radio) override {
        radio.runProgram(std::make_unique<SilentProgram>("unreadable byte while loading"));
    }

  private:
    std::unique_ptr<RadioProgram> jump(SimRadio& radio) const {
        if (*address_ == blockLoadAddress(kLabelProgramBlock) &&
            ramHoldsCode(radio.ram(), *address_, kLabelProgramCode))
            return std::make_unique<LabelProgramSim>();
        return std::make_unique<SilentProgram>("no label program at the load address");
    }

    std::optional<Byte> address_;
    std::optional<Byte> count_;
    int received_ = 0;
};

}  // namespace

std::unique_ptr<RadioProgram> startLabelLoader(SimRadio& radio) {
    const Byte at = blockLoadAddress(kLabelLoaderBlock);
    if (!ramHolds(radio.ram(), at, blockCode(kLabelLoaderBlock))) return nullptr;
    return std::make_unique<LabelLoader>();
}

void LabelProgramSim::start(SimRadio& radio) {
    idle_.restart(radio.now());
}

void LabelProgramSim::onGarbled(SimRadio& radio) {
    frame_.clear();
    if (idle_.expired(radio.now())) returnFromLoadedProgram(radio, true);
}

std::string LabelProgramSim::onByte(SimRadio& radio, Byte b) {
    if (idle_.expired(radio.now())) {
        returnFromLoadedProgram(radio, true);
        return "ignored: the label program had given up waiting";
    }
    idle_.restart(radio.now());
    if (frame_.empty()) {
        if (b == 0x00) {
            if (++zeros_ < 2) return {};
            returnFromLoadedProgram(radio, true);
            return "end of label program";
        }
        zeros_ = 0;
        if (b != kReadFrame && b != kWriteFrame) return "ignored: not a label frame";
    }
    frame_.push_back(b);
    const Byte kind = frame_[0];
    if (frame_.size() == 2 && frame_[1] != kByteAccess &&
        !(kind == kWriteFrame && frame_[1] == kRegisterAccess)) {
        frame_.clear();
        return "ignored: not a label frame";
    }
    const std::size_t length = kind == kReadFrame ? kReadLength : kWriteLength;
    if (frame_.size() < length) return {};
    std::string note;
    if (kind == kReadFrame)
        note = readByte(radio);
    else if (frame_[1] == kRegisterAccess) {
        registers_[frame_[3]] = frame_[4];
        note = noteText("register %02X = %02X", frame_[3], frame_[4]);
    } else
        note = writeByte(radio);
    frame_.clear();
    return note;
}

std::string LabelProgramSim::readByte(SimRadio& radio) {
    const Byte high = frame_[2];
    if ((high & kHighBitsMask) != kReadHighBits) return "ignored: bad read address";
    const int offset = (high & 0x07) * 256 + frame_[3];
    const auto& faults = radio.config().faults;
    const int n = ++radio.programCounters().labelReads;
    if (faults.labelMissFrame && n >= *faults.labelMissFrame &&
        n < *faults.labelMissFrame + faults.labelMisses)
        return noteText("label read %03X: not answered", offset);
    const auto& labels = radio.labels();
    const auto at = static_cast<std::size_t>(offset);
    radio.send(frame_[3], "label address");
    radio.send(at < labels.size() ? labels[at] : Byte{0xFF}, "label byte");
    return noteText("label read %03X", offset);
}

std::string LabelProgramSim::writeByte(SimRadio& radio) {
    const Byte high = frame_[2];
    if ((high & kHighBitsMask) != kWriteHighBits) return "ignored: bad write address";
    const int offset = (high & 0x07) * 256 + frame_[3];
    const Byte value = frame_[4];
    auto& labels = radio.labels();
    if (const auto at = static_cast<std::size_t>(offset); at < labels.size()) labels[at] = value;
    radio.send(radio.echoOf(value), "label echo");
    return noteText("label write %03X = %02X", offset, value);
}

}  // namespace zav::sim
