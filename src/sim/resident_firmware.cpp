#include "sim/resident_firmware.h"

#include "sim/note_text.h"
#include "sim/sim_radio.h"

namespace zav::sim {

namespace {

constexpr Byte kProbe = 0x28;
constexpr Byte kRelease = 0x01;
constexpr Byte kRamWrite = 0xD0;
constexpr Byte kExecute = 0xF0;
constexpr std::size_t kWordReadLength = 2;
constexpr std::size_t kWordWriteLength = 4;
constexpr std::size_t kRamWriteLength = 4;
constexpr std::size_t kExecuteLength = 3;

bool isWordFrame(Byte b) {
    return (b & 0xF0) == 0xE0;
}
bool isWordRead(Byte b) {
    return (b & 1) != 0;
}

}  // namespace

std::string ResidentFirmware::onByte(SimRadio& radio, Byte b) {
    if (!hooked_) return unhookedByte(radio, b);
    if (frame_.empty()) return firstByte(radio, b);
    return frameByte(radio, b);
}

void ResidentFirmware::onGarbled(SimRadio& /*radio*/) {
    // An unreadable byte breaks whatever frame was coming in.
    frame_.clear();
    recent_ = {};
}

std::string ResidentFirmware::unhookedByte(SimRadio& radio, Byte b) {
    const bool hook = b == kProbe && recent_[0] == 0x0A && recent_[1] == 0x14;
    recent_ = {recent_[1], b};
    if (!hook) return {};
    hooked_ = true;
    recent_ = {};
    radio.send(radio.config().hookReply, "hook reply");
    return "hook";
}

std::string ResidentFirmware::firstByte(SimRadio& radio, Byte b) {
    if (b == kProbe) {
        if (radio.config().faults.noFastProbe && radio.baud() == 9600) return "probe: unanswered";
        radio.send(radio.config().hookReply, "probe reply");
        return "probe";
    }
    if (b == kRelease) {
        hooked_ = false;
        return "release";
    }
    if (isWordFrame(b) || b == kRamWrite || b == kExecute || radio.extraFrame(b) != nullptr) {
        frame_.push_back(b);
        if (const auto* extra = radio.extraFrame(b); extra != nullptr && extra->length <= 1) {
            frame_.clear();
            extra->handler(radio, std::span<const Byte>(&b, 1));
            return noteText("frame %02X", b);
        }
        return {};
    }
    return b == 0x00 ? std::string{} : "not a command";
}

std::string ResidentFirmware::frameByte(SimRadio& radio, Byte b) {
    frame_.push_back(b);
    const Byte command = frame_[0];
    std::size_t length = 0;
    const SimRadio::ExtraFrame* extra = nullptr;
    if (isWordFrame(command))
        length = isWordRead(command) ? kWordReadLength : kWordWriteLength;
    else if (command == kRamWrite)
        length = kRamWriteLength;
    else if (command == kExecute)
        length = kExecuteLength;
    else if ((extra = radio.extraFrame(command)) != nullptr)
        length = extra->length;
    if (frame_.size() < length) return {};

    const std::vector<Byte> frame = std::move(frame_);
    frame_.clear();
    if (extra != nullptr) {
        extra->handler(radio, frame);
        return noteText("frame %02X", command);
    }
    if (isWordFrame(command)) {
        const int address = ((command >> 1) & 7) * 256 + (frame[1] & 0xFE);
        auto& memory = radio.memory();
        const auto a = static_cast<std::size_t>(address);
        if (isWordRead(command)) {
            radio.send(memory[a]);
            radio.send(memory[a + 1]);
            return noteText("read word %03X", address);
        }
        if (!storeDropped(radio.config().faults, a)) {
            memory[a] = frame[2];
            memory[a + 1] = frame[3];
        }
        radio.send(radio.echoOf(frame[2]));
        radio.send(radio.echoOf(frame[3]));
        return noteText("write word %03X = %02X %02X", address, frame[2], frame[3]);
    }
    if (command == kRamWrite) {
        const Byte r = frame[2];
        const Byte v = frame[3];
        radio.ram()[r] = v;
        std::string note = noteText("RAM write %02X = %02X", r, v);
        if (r == kBaudRegister) {
            // The echo already leaves at the new speed.
            if (v == 0x30) radio.setBaud(9600);
            if (v == 0x31) radio.setBaud(4800);
            note += ": " + std::to_string(radio.baud()) + " baud";
        }
        if (faultHits(radio.programCounters().ramWrites, radio.config().faults.noRamEcho))
            return note + ": echo withheld";
        radio.send(radio.echoOf(v));
        return note;
    }
    // Execute.
    radio.execute(frame[2]);
    return noteText("execute at %02X", frame[2]) + ": " + radio.programName();
}

}  // namespace zav::sim
