#include "sim/bulk_programs.h"

#include <memory>
#include <string>

#include "sim/silent_program.h"
#include "sim/sim_radio.h"

namespace zav::sim {

namespace {

constexpr Byte kEnd = 0xFF;
constexpr Byte kStart = 0x00;
constexpr int kSegmentSize = 256;
constexpr int kSegmentCount = 8;
constexpr int kBlockSize = 128;
constexpr int kRowSize = 8;
constexpr int kLastRow = 15;
constexpr Byte kAck = 0x20;
constexpr Byte kBadAck = 0x1F;

// The block a write-program command names: bits 2..4 are the block's bits 1..3.
int blockOfCommand(Byte c) {
    if ((c & 0xE2) != 0) return 0;
    return ((c >> 2) << 1) | (c & 1);
}

}  // namespace

void returnFromLoadedProgram(SimRadio& radio, bool restartOk) {
    radio.ram()[kBaudRegister] = 0x31;
    radio.setBaud(4800);
    if (restartOk)
        radio.returnToResident(false);
    else
        radio.runProgram(std::make_unique<SilentProgram>("jumped to a wrong restart address"));
}

void ReadProgramSim::start(SimRadio& radio) {
    idle_.restart(radio.now());
}

void ReadProgramSim::onGarbled(SimRadio& radio) {
    if (idle_.expired(radio.now())) returnFromLoadedProgram(radio, restartOk_);
}

std::string ReadProgramSim::onByte(SimRadio& radio, Byte b) {
    if (idle_.expired(radio.now())) {
        returnFromLoadedProgram(radio, restartOk_);
        return "ignored: the read program had given up waiting";
    }
    idle_.restart(radio.now());
    if (b == kEnd) {
        returnFromLoadedProgram(radio, restartOk_);
        return "end of read program";
    }
    if (!started_) {
        started_ = b == kStart;
        return started_ ? "read program started" : "ignored: read program not started";
    }
    if (b % 2 != 0 || b / 2 >= kSegmentCount) return "ignored: not a segment request";
    const int segment = b / 2;
    std::string note = "segment " + std::to_string(segment);
    const auto& faults = radio.config().faults;
    for (int j = 0; j < kSegmentSize; ++j) {
        if (faultHits(radio.programCounters().segmentBytes, faults.dropSegmentByte)) {
            note += ", byte " + std::to_string(j) + " dropped";
            continue;
        }
        radio.send(radio.memory()[static_cast<std::size_t>(kSegmentSize * segment + j)]);
    }
    // It waits for the next request once the segment has gone out.
    idle_.restart(radio.now() + kSegmentSize * byteTime(radio.baud()));
    return note;
}

bool WriteProgramSim::acknowledge(SimRadio& radio, const char* what) {
    if (faultHits(radio.programCounters().acks, radio.config().faults.badAck)) {
        radio.send(kBadAck, std::string(what) + " refused");
        block_ = 0;
        return false;
    }
    radio.send(kAck, what);
    return true;
}

void WriteProgramSim::start(SimRadio& radio) {
    idle_.restart(radio.now());
}

void WriteProgramSim::onGarbled(SimRadio& radio) {
    if (idle_.expired(radio.now())) returnFromLoadedProgram(radio, restartOk_);
}

std::string WriteProgramSim::onByte(SimRadio& radio, Byte b) {
    if (idle_.expired(radio.now())) {
        returnFromLoadedProgram(radio, restartOk_);
        return "ignored: the write program had given up waiting";
    }
    idle_.restart(radio.now());
    if (block_ == 0) {
        if (b == kEnd) {
            returnFromLoadedProgram(radio, restartOk_);
            return "end of write program";
        }
        block_ = blockOfCommand(b);
        if (block_ == 0) return "ignored: not a block command";
        row_ = 0;
        filled_ = 0;
        return "block " + std::to_string(block_);
    }
    rowBytes_[filled_++] = b;
    if (filled_ < rowBytes_.size()) return {};
    filled_ = 0;
    const int at = kBlockSize * block_ + kRowSize * row_;
    const std::string note = "row " + std::to_string(row_) + " of block " + std::to_string(block_);
    if (!acknowledge(radio, "row stored")) return note + ": refused";
    for (std::size_t i = 0; i < rowBytes_.size(); ++i) {
        const std::size_t address = static_cast<std::size_t>(at) + i;
        if (!storeDropped(radio.config().faults, address)) radio.memory()[address] = rowBytes_[i];
    }
    // Row 1 (header bytes 8..15) is the radio's own and never comes.
    row_ = row_ == 0 ? 2 : row_ + 1;
    if (row_ <= kLastRow) return note;
    const int block = block_;
    if (acknowledge(radio, "block stored")) {
        block_ = 0;
        // A radio that loses its power between two blocks: what went before is stored.
        if (faultHits(radio.programCounters().blocksStored, radio.config().faults.dieAfterBlocks))
            radio.runProgram(std::make_unique<SilentProgram>("died after a block"));
    }
    return note + ", block " + std::to_string(block) + " done";
}

}  // namespace zav::sim
