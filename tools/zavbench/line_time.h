#pragma once
// The line-time minimum of one conversation with the simulated radio: the time a host
// needs that sends every byte of the same conversation, in the same order, as soon as the
// line, the radio's answers and the procedure's own pauses allow. It is computed from the
// radio's transcript (zavsim --transcript): every byte takes its 10 bit times at the
// speed it was sent at, every answer leaves after the radio's own reply time (as the
// transcript shows it), and the pauses the procedure prescribes are placed where the
// conversation shows the step they belong to. The link's in-step checks (the line must
// stay quiet for 20 ms after an answer before the link trusts it) are replayed apart, so
// that what the line and the procedure need and what the checks add show separately.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace zav::bench {

// One byte on the line, as the radio's transcript records it.
struct LineByte {
    double arrivalMs = 0;  // when it reached the receiver
    bool toRadio = true;
    std::uint8_t value = 0;
    int baud = 0;  // the sender's speed
    bool lost = false;
    std::string note;  // what the radio made of it
};

// Reads a transcript as zavsim writes it; nullopt when a line does not parse.
std::optional<std::vector<LineByte>> readTranscript(std::istream& in);

// The procedures whose prescribed pauses differ.
enum class Procedure {
    ReadRadio,
    WriteRadio,
    ReadBlock,   // the global block or one group, with its 500 ms pause before the block
    WriteBlock,  // the same, after the write's release, release, 500 ms
    ReadLabels,
    WriteLabels,
    Dtmf,
    Syncal,
    // A write after its backup: the whole read (and the label read), then the write, each
    // connection with its own pauses.
    BackedUpWriteRadio,
    BackedUpWriteBlock,
    BackedUpWriteLabels,
};

struct LineTime {
    int hostBytes = 0;
    int radioBytes = 0;
    double pausesMs = 0;   // the prescribed pauses in all
    double minimumMs = 0;  // first byte sent to last byte received
    // What the in-step checks add to the minimum: the replay again, where a host byte
    // that followed an answer by the check's 20 ms waits that long after it.
    double checksMs = 0;
    int checks = 0;
    int connections = 0;  // hooks the radio answered: each opens and closes the port
};

LineTime lineTimeMinimum(const std::vector<LineByte>& bytes, Procedure procedure);

}  // namespace zav::bench
