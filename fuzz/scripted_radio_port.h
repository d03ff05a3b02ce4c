#pragma once
// The host's port to a radio whose every reply the fuzzer chooses (radio_replies.h), on
// a virtual clock. The host's bytes also go to a simulated radio that only listens: it
// takes them as a radio would, and any protected bit of its memory they change must
// have been written back as the host read that very byte from the radio (a masked
// write's merge, the alignment's kept bytes), else the host wrote where the masks forbid.
// The listener's frames tell which address a word read asks for; the two bytes the host
// takes next are that word.

#include <algorithm>
#include <charconv>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "link/link_port.h"
#include "link/write_masks.h"
#include "radio_replies.h"
#include "sim/sim_radio.h"
#include "sim/synthesizer.h"

namespace zav::fuzz {

// The bytes with protected bits and the bits a write may change in each: the global
// block's write mask, and header bytes 8..15 of every group, which no write sends.
inline const std::vector<std::pair<std::size_t, Byte>> kProtected = [] {
    std::vector<std::pair<std::size_t, Byte>> bytes;
    for (std::size_t a = 0; a < kPageSize; ++a)
        if (kWriteMasks.global[a] != 0xFF) bytes.emplace_back(a, kWriteMasks.global[a]);
    for (std::size_t a = kPageSize; a < kRadioMemorySize; ++a)
        if (a % kPageSize >= 8 && a % kPageSize < 16) bytes.emplace_back(a, Byte{0});
    return bytes;
}();

// No operation waits this long in all: the virtual clock bounds every wait.
inline constexpr LinkTime kRunTimeLimit = std::chrono::minutes(10);

class ScriptedRadioPort final : public LinkPort {
  public:
    ScriptedRadioPort(FuzzInput& replies, ByteRange computed)
        : replies_(replies), computed_(computed), listener_(listening()) {
        // The listener takes the alignment's probe frames as probes, not as other frames.
        sim::installSynthesizer(listener_);
        fillRadioMemory(listener_.memory());
        memory_ = listener_.memory();
    }

    std::optional<std::string> open(const std::string& /*device*/,
                                    const LineSettings& settings) override {
        open_ = true;
        settings_ = settings;
        dropArrived();
        return std::nullopt;
    }
    void close() override {
        dropArrived();
        open_ = false;
    }
    [[nodiscard]] bool isOpen() const override { return open_; }
    void setSettings(const LineSettings& settings) override { settings_ = settings; }

    bool writeByte(Byte value) override {
        if (!open_) return false;
        wireFree_ = std::max(now_, wireFree_) + sim::byteTime(settings_.baud);
        ++hostBytes_;
        const std::size_t heard = listener_.transcript().entries().size();
        listener_.hostSends(now_, value, listener_.baud());
        (void)listener_.runUntil(now_, listener_.baud());
        noteWordRead(heard);
        checkProtectedBytes();
        release();
        return true;
    }
    [[nodiscard]] int bytesWaiting() override {
        return static_cast<int>(std::count_if(input_.begin(), input_.end(),
                                              [this](const auto& r) { return r.first <= now_; }));
    }
    std::optional<Byte> readByte() override {
        if (input_.empty() || input_.front().first > now_) return std::nullopt;
        const Byte b = input_.front().second;
        input_.pop_front();
        if (wordRead_) {
            readFromRadio_[wordRead_->address + wordRead_->taken] = b;
            if (++wordRead_->taken == 2) wordRead_.reset();
        }
        return b;
    }
    void discardInput() override { dropArrived(); }
    [[nodiscard]] LinkTime now() const override { return now_; }
    void waitUntil(LinkTime deadline, bool wakeOnInput) override {
        if (wakeOnInput && bytesWaiting() > 0) return;
        const LinkTime target = std::max(deadline, now_) + std::chrono::milliseconds(1);
        if (wakeOnInput && !input_.empty() && input_.front().first <= target)
            advanceTo(input_.front().first);
        else
            advanceTo(target);
    }
    void sleepBlocking(std::chrono::milliseconds duration) override { advanceTo(now_ + duration); }

  private:
    static sim::SimConfig listening() {
        sim::SimConfig config;
        config.lineTiming = false;
        return config;
    }
    void advanceTo(LinkTime t) {
        now_ = std::max(now_, t);
        require(now_ < kRunTimeLimit, "the operation ends within its time limits");
    }
    // Bytes that reached a closed port, or that the host threw away, are gone.
    void dropArrived() {
        while (!input_.empty() && input_.front().first <= now_) input_.pop_front();
    }
    // Sends the replies whose count of host bytes has been reached.
    void release() {
        for (;;) {
            if (!pending_) {
                if (replies_.empty()) return;
                pending_ = Record{replies_.takeByte(), replies_.takeByte(), replies_.takeByte()};
            }
            if (hostBytes_ - releasedAt_ < pending_->afterHostBytes) return;
            const LinkTime leaves =
                std::max(wireFree_, lastArrival_) + kReplyDelayStep * pending_->delay;
            lastArrival_ = leaves + sim::byteTime(settings_.baud);
            input_.emplace_back(lastArrival_, pending_->value);
            releasedAt_ = hostBytes_;
            pending_.reset();
        }
    }
    // The host byte just heard (the listener's entries from `from` on) ends a word read
    // frame: the next two bytes the host takes answer it. Any other byte ends a word read
    // still waiting for its answer.
    void noteWordRead(std::size_t from) {
        wordRead_.reset();
        constexpr std::string_view kWordRead = "read word ";
        const auto& entries = listener_.transcript().entries();
        for (std::size_t i = from; i < entries.size(); ++i) {
            const sim::TranscriptEntry& e = entries[i];
            if (e.direction != sim::Direction::HostToRadio || !e.note.starts_with(kWordRead))
                continue;
            std::size_t address = 0;
            const char* digits = e.note.data() + kWordRead.size();
            std::from_chars(digits, e.note.data() + e.note.size(), address, 16);
            if (address + 1 < kRadioMemorySize) wordRead_ = WordRead{address, 0};
        }
    }
    // A protected bit may change only to what the host read from the radio at that byte.
    void checkProtectedBytes() {
        const auto& now = listener_.memory();
        for (const auto& [address, open] : kProtected) {
            const auto changed = static_cast<Byte>((now[address] ^ memory_[address]) & ~open);
            const bool computed = address >= computed_.first && address < computed_.end;
            if (changed != 0 && !computed) {
                const std::optional<Byte> read = readFromRadio_[address];
                require(read && ((now[address] ^ *read) & changed) == 0,
                        "a protected bit changes only to the radio's own value");
            }
            memory_[address] = now[address];
        }
    }

    struct WordRead {
        std::size_t address;
        std::size_t taken;  // bytes of the answer taken so far
    };
    struct Record {
        std::uint8_t afterHostBytes;
        std::uint8_t delay;
        Byte value;
    };
    FuzzInput& replies_;
    ByteRange computed_;
    sim::SimRadio listener_;
    sim::RadioMemory memory_{};
    LineSettings settings_{};
    bool open_ = false;
    LinkTime now_{0};
    LinkTime wireFree_{0};
    LinkTime lastArrival_{0};
    std::deque<std::pair<LinkTime, Byte>> input_;
    std::optional<Record> pending_;
    long hostBytes_ = 0;
    long releasedAt_ = 0;
    std::optional<WordRead> wordRead_;
    std::array<std::optional<Byte>, kRadioMemorySize> readFromRadio_{};
};

}  // namespace zav::fuzz
