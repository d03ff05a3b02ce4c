// The simulated radio is only as good a test partner as it is strict: it must understand
// nothing sent at the wrong speed or before the hook, and run loaded code only when every
// byte of it lands where the radio's processor would look for it.

#include "sim/sim_radio.h"

#include <gtest/gtest.h>

#include <functional>

#include "link/transfer_programs.h"
#include "sim/garble.h"

namespace zav::sim {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<Byte>;

// A host driving the radio by hand at one speed, on a clock of its own.
struct Host {
    explicit Host(SimConfig config = {}) : radio(config) {}
    Bytes exchange(const Bytes& bytes, SimTime wait = 100ms) {
        for (const Byte b : bytes) radio.hostSends(now, b, baud);
        now += wait;
        Bytes got;
        for (const auto& d : radio.runUntil(now, baud)) got.push_back(d.value);
        return got;
    }
    bool hook() { return exchange({0x0A, 0x14, 0x28}) == Bytes{0x24}; }
    void poke(Byte start, std::span<const Byte> code) {
        for (std::size_t i = 0; i < code.size(); ++i)
            exchange({0xD0, 0x00, static_cast<Byte>(start + i), code[i]}, 20ms);
    }
    SimRadio radio;
    SimTime now{};
    int baud = 4800;
};

TEST(SimRadio, UnderstandsOnlyHookedBytesAtItsOwnSpeed) {
    Host h;
    h.radio.memory()[0x102] = 0x42;
    EXPECT_TRUE(h.exchange({0xE3, 0x02}).empty());  // a word read before the hook
    ASSERT_TRUE(h.hook());
    h.baud = 9600;
    EXPECT_TRUE(h.exchange({0xE3, 0x02}).empty());
    const auto& e = h.radio.transcript().entries();
    ASSERT_TRUE(std::ranges::any_of(e, [](const auto& x) {
        return x.note.starts_with("garbled") && x.received == garble(x.sent) &&
               x.senderBaud == 9600 && x.receiverBaud == 4800;
    }));
    h.baud = 4800;
    EXPECT_EQ(h.exchange({0xE3, 0x02}), (Bytes{0x42, 0x00}));
    EXPECT_EQ(byteTime(4800), 2083333ns);  // 10 bit times a byte
}

// Runs the loader chain with a program as the host sends it; returns what the radio runs.
struct Chain {
    Bytes stage2{kLoaderStage2.begin(), kLoaderStage2.end()};
    Bytes stage1{kLoaderStage1.begin(), kLoaderStage1.end()};
    Bytes program{kReadProgram.begin(), kReadProgram.end()};
    std::optional<std::size_t> patchedFor;  // the program's own length unless set
    std::size_t stage3Byte = 0;             // with stage3Value, a changed byte of stage 3
    Byte stage3Value = 0;
    Byte last = 0x00;

    std::string runOn(Host& h) {
        stage2[26] = stage2IndexFor(patchedFor.value_or(program.size()));
        h.poke(0x60, stage2);
        const Bytes restart = h.exchange({0xF0, 0x00, 0x60});
        if (restart.size() != 2) return "no restart address";
        const auto patched = patchedStage3(restart[0], restart[1]);
        Bytes stage3(patched.begin(), patched.end());
        if (stage3Value != 0) stage3[stage3Byte] = stage3Value;
        Bytes rest;
        for (const Bytes* part : {&stage1, &program, &stage3})
            rest.insert(rest.end(), part->rbegin(), part->rend());
        rest.push_back(last);
        h.exchange(rest, 500ms);
        return h.radio.programName();
    }
};

TEST(SimRadio, RunsLoadedCodeOnlyWhenItLandsExactlyRight) {
    const std::pair<std::function<void(Chain&)>, std::string> cases[] = {
        {[](Chain&) {}, "read program"},
        {[](Chain& c) { c.program.assign(kWriteProgram.begin(), kWriteProgram.end()); },
         "write program"},
        {[](Chain& c) { c.program[70] ^= 0x01; }, "hung: no known program at 0x62"},
        {[](Chain& c) { c.program.pop_back(); }, "hung: no known program at 0x62"},
        {[](Chain& c) { c.patchedFor = kReadProgram.size() + 1; }, "loader stage 1"},
        {[](Chain& c) { c.stage1[3] = 0xB7; }, "hung: stage 1 is not at 0x50"},
        {[](Chain& c) { c.stage3Byte = 3, c.stage3Value = 0x30; }, "hung: stage 3 is not at 0x59"},
        {[](Chain& c) { c.last = 0x20; }, "hung: stage 1's loop branch broken"}};
    for (const auto& [change, runs] : cases) {
        Host h;
        ASSERT_TRUE(h.hook());
        Chain chain;
        change(chain);
        EXPECT_EQ(chain.runOn(h), runs);
    }
}

}  // namespace
}  // namespace zav::sim
