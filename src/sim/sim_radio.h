#pragma once
// A simulated radio on a simulated serial line. It holds the radio's 2048 bytes of
// parameter memory and 256 bytes of processor RAM, its line speed, the program it is
// running, and both directions of the line as timelines of bytes.
//
// Timing model: the host's bytes queue on the host-to-radio wire and each arrives
// 10 bit times (at the host's speed) after the wire is free; the radio handles a byte
// the moment it arrives. A byte the radio sends leaves when its transmitter is free
// (plus any reply delay fault) and reaches the host 10 bit times (at the radio's speed)
// later. A byte sampled at another speed than it was sent at arrives garbled (garble.h):
// the radio does not understand it, and the host reads the scrambled value. With line
// timing off, bytes pass instantly (for a pty served without pacing).
//
// Whoever plays the host's side (the virtual port, the pty server) feeds the host's
// bytes in with hostSends() and moves time on with runUntil(), which returns the bytes
// that reached the host.

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/memory_image.h"
#include "sim/radio_program.h"
#include "sim/sim_faults.h"
#include "sim/sim_time.h"
#include "sim/transcript.h"

namespace zav::sim {

inline constexpr std::size_t kRamSize = 256;
inline constexpr Byte kBaudRegister = 0x0D;

using RadioMemory = std::array<Byte, kRadioMemorySize>;
using RadioRam = std::array<Byte, kRamSize>;
// The label memory in the radio's own order: radio offset base + j holds display
// position 7 - j of its slot (label_memory.h converts).
using LabelMemory = std::array<Byte, kLabelImageSize>;

// A byte that reached the host.
struct HostDelivery {
    SimTime time{};
    Byte value = 0;  // as the host sampled it
};

class SimRadio {
  public:
    explicit SimRadio(SimConfig config = {});
    ~SimRadio();
    SimRadio(const SimRadio&) = delete;
    SimRadio& operator=(const SimRadio&) = delete;

    // --- The line, driven from the host's side.
    // The host puts a byte on the wire at `when`, at its line speed.
    void hostSends(SimTime when, Byte value, int hostBaud);
    // The earliest pending event (a byte reaching the radio or the host), if any.
    [[nodiscard]] std::optional<SimTime> nextEventTime() const;
    // Runs every event up to and including `until`; the host samples at hostBaud.
    std::vector<HostDelivery> runUntil(SimTime until, int hostBaud);

    // --- The radio's state.
    [[nodiscard]] RadioMemory& memory() { return memory_; }
    [[nodiscard]] const RadioMemory& memory() const { return memory_; }
    [[nodiscard]] RadioRam& ram() { return ram_; }
    [[nodiscard]] LabelMemory& labels() { return labels_; }
    [[nodiscard]] const LabelMemory& labels() const { return labels_; }
    [[nodiscard]] ProgramCounters& programCounters() { return programCounters_; }
    [[nodiscard]] int baud() const { return baud_; }
    void setBaud(int baud) { baud_ = baud; }
    [[nodiscard]] SimTime now() const { return now_; }
    [[nodiscard]] SimConfig& config() { return config_; }
    [[nodiscard]] Transcript& transcript() { return transcript_; }
    [[nodiscard]] const Transcript& transcript() const { return transcript_; }
    [[nodiscard]] std::string programName() const;

    // --- For the programs the radio runs.
    // Sends a byte at the radio's current speed; faults may drop it.
    void send(Byte value, std::string note = {});
    // Counts echoes of written bytes and alters the one the wrong-echo fault names.
    [[nodiscard]] Byte echoOf(Byte value);
    // Switches to another program (once the current byte has been handled, when called
    // from a program).
    void runProgram(std::unique_ptr<RadioProgram> program);
    // Back to the resident firmware (hooked: still talking to the host).
    void returnToResident(bool hooked);

    // What an execute frame at a RAM address starts. A factory may inspect RAM (e.g. to
    // check what the host loaded) and returns nullptr when the code there would not run.
    using ProgramFactory = std::function<std::unique_ptr<RadioProgram>(SimRadio&)>;
    void installProgram(Byte entry, ProgramFactory factory);
    // Runs the program installed at `entry`; the radio hangs when there is none.
    void execute(Byte entry);

    // Extra resident frames: a frame starting with `command` of `length` bytes in all
    // is handed to the handler once complete.
    using FrameHandler = std::function<void(SimRadio&, std::span<const Byte>)>;
    void installFrame(Byte command, std::size_t length, FrameHandler handler);
    struct ExtraFrame {
        std::size_t length = 0;
        FrameHandler handler;
    };
    [[nodiscard]] const ExtraFrame* extraFrame(Byte command) const;

    // Bytes the radio has sent so far (counted before faults drop any).
    [[nodiscard]] int bytesSent() const { return sentCount_; }

  private:
    struct Pending {
        SimTime arrival{};
        Byte value = 0;
        int baud = 0;
        std::string note;
    };
    void handleHostByte(const Pending& p);
    void deliverToHost(const Pending& p, int hostBaud, std::vector<HostDelivery>& out);
    [[nodiscard]] bool cut(SimTime t) const;
    void switchProgramIfPending();

    SimConfig config_;
    RadioMemory memory_{};
    RadioRam ram_{};
    LabelMemory labels_{};
    ProgramCounters programCounters_;
    int baud_ = 4800;
    SimTime now_{0};
    SimTime hostWireFree_{0};
    SimTime radioWireFree_{0};
    std::deque<Pending> toRadio_;
    std::deque<Pending> toHost_;
    std::unique_ptr<RadioProgram> program_;
    std::unique_ptr<RadioProgram> nextProgram_;
    std::map<Byte, ProgramFactory> programs_;
    std::map<Byte, ExtraFrame> frames_;
    Transcript transcript_;
    bool handling_ = false;                  // a program is handling a byte
    std::vector<TranscriptEntry> deferred_;  // entries to add once it is done
    int sentCount_ = 0;
    int echoCount_ = 0;
};

}  // namespace zav::sim
