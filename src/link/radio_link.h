#pragma once
// One connection to a radio's resident programming firmware: hooking, the line speed
// switch, the word and RAM frames, the block transfers that drive the progress window,
// and the release. A RadioLink owns all state of its port (the transport, the last
// hook reply, the busy flag); two links never share any.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "iface/log.h"
#include "link/line_prompts.h"
#include "link/transport.h"
#include "link/write_masks.h"
#include "model/memory_image.h"

namespace zav {

class TracePort;

class Progress;
class Prompts;

using Word = std::array<Byte, 2>;

// The two speeds of the programming line; every connection starts at 4800 baud.
enum class LineSpeed : std::uint8_t { Baud4800, Baud9600 };

class RadioLink {
  public:
    RadioLink(LinkPort& port, Prompts& prompts, Progress& progress,
              const SettingsStore* settings = nullptr);
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    // Marks the link busy for one radio operation. A second operation on the same link
    // while the first runs (from a window event handled during one of its waits) gets
    // no guard and must refuse to start instead of interleaving its frames.
    class BusyGuard {
      public:
        explicit BusyGuard(RadioLink& link) : link_(&link) { link_->busy_ = true; }
        BusyGuard(BusyGuard&& other) noexcept : link_(std::exchange(other.link_, nullptr)) {}
        BusyGuard& operator=(BusyGuard&&) = delete;
        BusyGuard(const BusyGuard&) = delete;
        ~BusyGuard() {
            if (link_ != nullptr) link_->busy_ = false;
        }

      private:
        RadioLink* link_;
    };
    // A guard when the link is free; otherwise tells the user and returns nullopt.
    [[nodiscard]] std::optional<BusyGuard> tryBeginOperation();
    [[nodiscard]] bool busy() const { return busy_; }
    // The serial trace the link's port writes (nullptr: none), where each operation is
    // bracketed by its name and outcome (ops/operation_trace.h).
    void setTrace(TracePort* trace) { trace_ = trace; }
    [[nodiscard]] TracePort* trace() const { return trace_; }

    // Opens the port at 4800 baud and hooks the radio; for Baud9600, then moves the line
    // to 9600 (a failed switch leaves the connection at 4800 and still succeeds).
    // After an unanswered attempt the line settles before the next one, and a reply
    // followed by a second byte is not taken: it may be the earlier attempt's.
    bool hookRadio(LineSpeed speed);
    // Moves the radio and the line to `speed`.
    bool setBaud(LineSpeed speed);
    // Sends the release byte and closes the port (opening a closed port first, unless its
    // device went away).
    void releaseRadio();
    // releaseRadio, then enables the main window and hides the progress bar.
    void endSession();

    // Every frame whose answer is read fails, sending nothing, while a byte is waiting:
    // that byte is left over from an earlier answer, so the conversation is out of step.
    bool readWord(int address, Word& word);
    bool readByteAt(int address, Byte& value);
    // The whole word, true when the radio echoes it.
    bool writeWord(int address, Byte d0, Byte d1);
    // True when the write masks let a write change a bit of the word at `address`.
    [[nodiscard]] static bool writable(int address);
    // In every word of [address, address + n) that the masks split, replaces the bits the
    // radio keeps with the radio's own, read word by word; false when a word did not
    // come. The caller confirms them in step before writing any of them back.
    bool readKeptBits(MemImage& image, int address, int n);
    // Reads n bytes from `address` into the image, word by word, polling Cancel; false
    // (with the image partly read) when the words did not come in step.
    bool readBlock(MemImage& image, int address, int n);
    // Writes the writable words of n bytes of the image from `address`, keeping the bits
    // the masks protect as the radio has them, polling Cancel.
    bool writeBlock(const MemImage& image, int address, int n);
    // True when no byte follows the answers taken so far. A byte that does means one came
    // late or twice and every answer since was taken from the wrong place; data read
    // before it is used (kept, written back, acted on) is confirmed with this first.
    [[nodiscard]] bool confirmInStep();

    // A pause that lets no window event through (the radio's timing needs it exact); the
    // progress window is brought up to date first.
    void pauseBlocking(std::chrono::milliseconds duration);

    bool pokeRam(Byte ramAddress, Byte value);
    // pokeRam of every byte of `bytes` to start, start + 1, ...; stops at the first
    // byte that is not echoed.
    bool pokeBlock(Byte start, std::span<const Byte> bytes);
    void executeAt(Byte ramAddress);

    // The radio's answer to the last hook attempt, 0 before any.
    [[nodiscard]] Byte hookReply() const { return hookReply_; }
    [[nodiscard]] static constexpr const WriteMasks& masks() { return kWriteMasks; }

    [[nodiscard]] Transport& transport() { return transport_; }
    [[nodiscard]] Prompts& prompts() { return prompts_; }
    [[nodiscard]] Progress& progress() { return progress_; }
    // Where the link and the operations on it write their steps (nothing until given one).
    void setLog(Log& log) { log_ = &log; }
    [[nodiscard]] Log& log() { return *log_; }

  private:
    void logStep(std::string_view text) { log_->write(LogArea::Link, text); }
    void prepareProgressBar(int address, int n);
    // True when no received byte is waiting, as before every request whose answer is read.
    [[nodiscard]] bool inputClear();

    LinePrompts prompts_;  // before the transport, which asks through it
    Transport transport_;
    Progress& progress_;
    NullLog noLog_;
    Log* log_ = &noLog_;
    TracePort* trace_ = nullptr;
    Byte hookReply_ = 0;
    bool busy_ = false;
    bool speedUnsure_ = false;  // a switch to 9600 baud was not answered
};

// True when a hook reply comes from a radio the editor can program: 0x24..0x2F.
constexpr bool hookReplyAccepted(Byte reply) {
    return (reply >> 4) == 2 && (reply & 0x0F) > 3;
}

}  // namespace zav
