#pragma once
// Faults the simulated radio can be told to show, to exercise the host's error paths.

#include <cstdint>
#include <optional>

#include "model/memory_image.h"
#include "sim/sim_time.h"

namespace zav::sim {

struct SimFaults {
    bool silent = false;            // the radio never sends anything
    std::optional<int> dropOutput;  // the Nth byte the radio would send (from 1) is lost
    std::optional<int> wrongEcho;   // the Nth echo of a written byte (from 1) comes back
                                    // altered; 0 alters every echo
    SimTime replyDelay{0};          // slow replies: extra time before each byte it sends
    std::optional<int> lateOutput;  // the Nth byte it sends (from 1) leaves lateBy late; the
    SimTime lateBy{0};              // bytes after it wait for it, as on one wire
    std::optional<int> sentTwice;   // the Nth byte it sends (from 1) goes out twice
    std::optional<int> stopAfter;   // after sending N bytes the radio sends no more
    std::optional<SimTime> cutAt;   // from this time nothing passes in either direction
    bool noFastProbe = false;       // a probe at 9600 baud goes unanswered (the speed switch
                                    // seems to fail)

    // Faults of the loaded programs (counted over the radio's life, from 1).
    std::optional<int> noRamEcho;        // the Nth RAM write is not echoed; 0: none is
    std::optional<int> dropSegmentByte;  // the Nth byte the read program sends is lost
    std::optional<int> badAck;           // the Nth write-program acknowledgement is 0x1F
    std::optional<int> dieAfterBlocks;   // once the write program has stored N blocks (and
                                         // acknowledged the Nth) the radio answers nothing
    std::optional<int> dropStoredWord;   // the word at this even address is acknowledged
                                         // by every write but never stored
    std::optional<int> labelMissFrame;   // label read frames N.. go unanswered,
    int labelMisses = 1;                 // this many of them
};

// How many of each event the loaded programs' faults count have happened.
struct ProgramCounters {
    int ramWrites = 0;
    int segmentBytes = 0;
    int acks = 0;
    int blocksStored = 0;
    int labelReads = 0;
};

// True when the drop-stored-word fault keeps memory address `address` from changing.
constexpr bool storeDropped(const SimFaults& faults, std::size_t address) {
    return faults.dropStoredWord &&
           static_cast<std::size_t>(*faults.dropStoredWord & ~1) == (address & ~std::size_t{1});
}

// Counts one more event; true when the fault names it (0 names every one).
constexpr bool faultHits(int& counter, const std::optional<int>& nth) {
    ++counter;
    return nth && (*nth == 0 || *nth == counter);
}

struct SimConfig {
    Byte hookReply = 0x24;  // the answer to the hook and the probe
    // Where the radio's firmware restarts; the loader chain's stage 2 reports it.
    std::uint16_t restartAddress = 0xE000;
    // Bytes take 10 bit times on the line; off, they pass instantly (an unpaced pty).
    bool lineTiming = true;
    SimFaults faults;
};

}  // namespace zav::sim
