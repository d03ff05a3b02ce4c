#pragma once
// The simulated line's record: every byte in either direction, when it arrived, at
// which speeds it was sent and sampled, and what the receiving radio made of it.

#include <functional>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "sim/sim_time.h"

namespace zav::sim {

enum class Direction { HostToRadio, RadioToHost };

struct TranscriptEntry {
    SimTime time{};  // arrival at the receiver
    Direction direction = Direction::HostToRadio;
    Byte sent = 0;
    Byte received = 0;  // differs from sent when garbled
    int senderBaud = 0;
    int receiverBaud = 0;
    bool lost = false;  // never reached the receiver (a fault or a cut line)
    std::string note;   // what the radio understood, or why the byte was lost
};

// One line of text for an entry.
std::string formatEntry(const TranscriptEntry& entry);

class Transcript {
  public:
    void add(TranscriptEntry entry);
    // Called with every entry as it is added (e.g. to stream the record to a file).
    void setSink(std::function<void(const TranscriptEntry&)> sink) { sink_ = std::move(sink); }
    [[nodiscard]] const std::vector<TranscriptEntry>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

    // The bytes the host put on the line, in order (whether or not the radio got them).
    [[nodiscard]] std::vector<Byte> hostBytes() const;
    // The bytes that reached the host, as it sampled them (garbled or not).
    [[nodiscard]] std::vector<Byte> radioBytes() const;

  private:
    std::vector<TranscriptEntry> entries_;
    std::function<void(const TranscriptEntry&)> sink_;
};

}  // namespace zav::sim
