#include "sim/transcript.h"

#include <array>
#include <cstdio>

namespace zav::sim {

std::string formatEntry(const TranscriptEntry& e) {
    const double ms = static_cast<double>(e.time.count()) / 1e6;
    const bool toRadio = e.direction == Direction::HostToRadio;
    std::array<char, 96> head{};
    std::snprintf(head.data(), head.size(), "%12.3f ms  %s  %02X", ms,
                  toRadio ? "host->radio" : "radio->host", e.sent);
    std::string line = head.data();
    if (e.lost) {
        line += "  lost";
    } else {
        std::array<char, 48> rest{};
        std::snprintf(rest.data(), rest.size(), " as %02X  %d/%d baud", e.received, e.senderBaud,
                      e.receiverBaud);
        line += rest.data();
    }
    if (!e.note.empty()) line += "  " + e.note;
    return line;
}

void Transcript::add(TranscriptEntry entry) {
    entries_.push_back(std::move(entry));
    if (sink_) sink_(entries_.back());
}

std::vector<Byte> Transcript::hostBytes() const {
    std::vector<Byte> out;
    for (const auto& e : entries_)
        if (e.direction == Direction::HostToRadio) out.push_back(e.sent);
    return out;
}

std::vector<Byte> Transcript::radioBytes() const {
    std::vector<Byte> out;
    for (const auto& e : entries_)
        if (e.direction == Direction::RadioToHost && !e.lost) out.push_back(e.received);
    return out;
}

}  // namespace zav::sim
