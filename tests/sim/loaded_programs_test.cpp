// The radio's side of the loaded programs: the loader chain checked byte by byte, the
// programs it recognises, the label bootstrap, and how each program ends.

#include <gtest/gtest.h>

#include <functional>
#include <ranges>

#include "link/label_programs.h"
#include "link/transfer_programs.h"
#include "sim/sim_radio.h"

namespace zav::sim {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<Byte>;

// A host driving the simulated radio by hand at one speed, on a clock of its own.
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

Bytes reversed(std::span<const Byte> bytes) {
    return Bytes(bytes.rbegin(), bytes.rend());
}

struct Chain {
    Bytes stage2{kLoaderStage2.begin(), kLoaderStage2.end()};
    Bytes stage1{kLoaderStage1.begin(), kLoaderStage1.end()};
    Bytes program{kReadProgram.begin(), kReadProgram.end()};
    // Stage 3 from the restart address the radio sent.
    std::function<Bytes(Byte, Byte)> stage3 = [](Byte lo, Byte hi) {
        const auto s = patchedStage3(lo, hi);
        return Bytes(s.begin(), s.end());
    };
    Byte last = 0x00;
};

// Runs the chain as the host would send it; returns what the radio runs afterwards.
std::string upload(Host& h, Chain c, std::optional<std::size_t> programLength = {}) {
    c.stage2[26] = stage2IndexFor(programLength.value_or(c.program.size()));
    h.poke(0x60, c.stage2);
    const Bytes restart = h.exchange({0xF0, 0x00, 0x60});
    if (restart.size() != 2) return "no restart address";
    Bytes rest = reversed(c.stage1);
    for (const Byte b : reversed(c.program)) rest.push_back(b);
    for (const Byte b : reversed(c.stage3(restart[0], restart[1]))) rest.push_back(b);
    rest.push_back(c.last);
    h.exchange(rest, 500ms);
    return h.radio.programName();
}

TEST(LoaderChain, RunsOnlyWhatLandsExactlyWhereTheRadioExpectsIt) {
    struct Case {
        const char* what;
        std::function<void(Chain&)> change;
        std::optional<std::size_t> patchedFor;
        std::string runs;
    };
    const Case cases[] = {
        {"the read program", [](Chain&) {}, {}, "read program"},
        {"the write program",
         [](Chain& c) { c.program.assign(kWriteProgram.begin(), kWriteProgram.end()); },
         {},
         "write program"},
        {"an unknown program",
         [](Chain& c) { c.program[70] ^= 0x01; },
         {},
         "hung: no known program at 0x62"},
        {"a program one byte short",
         [](Chain& c) { c.program.pop_back(); },
         {},
         "hung: no known program at 0x62"},
        {"stage 2 patched for another length", [](Chain&) {}, kReadProgram.size() + 1,
         "loader stage 1"},
        {"stage 1 altered",
         [](Chain& c) { c.stage1[3] = 0xB7; },
         {},
         "hung: stage 1 is not at 0x50"},
        {"stage 3 altered",
         [](Chain& c) {
             c.stage3 = [](Byte lo, Byte hi) {
                 auto s = patchedStage3(lo, hi);
                 s[3] = 0x30;
                 return Bytes(s.begin(), s.end());
             };
         },
         {},
         "hung: stage 3 is not at 0x59"},
        {"a closing byte that is not 0",
         [](Chain& c) { c.last = 0x20; },
         {},
         "hung: stage 1's loop branch broken"},
        {"no closing byte... the original branch",
         [](Chain& c) { c.last = 0xF7; },
         {},
         "loader stage 1"},
    };
    for (const auto& c : cases) {
        Host h;
        ASSERT_TRUE(h.hook());
        Chain chain;
        c.change(chain);
        EXPECT_EQ(upload(h, chain, c.patchedFor), c.runs) << c.what;
    }
}

TEST(LoaderChain, Stage2MustBeInRamBeforeTheExecute) {
    Host h;
    ASSERT_TRUE(h.hook());
    auto stage2 = patchedStage2(kReadProgram.size());
    stage2[5] = 0x00;
    h.poke(0x60, stage2);
    EXPECT_TRUE(h.exchange({0xF0, 0x00, 0x60}).empty());
    EXPECT_EQ(h.radio.programName(), "no program (radio hung)");
}

TEST(LoaderChain, TheRestartAddressDecidesWhereTheRadioGoesAfterTheProgram) {
    for (const bool right : {true, false}) {
        SimConfig config;
        config.restartAddress = 0xF123;
        Host h(config);
        ASSERT_TRUE(h.hook());
        Chain chain;
        if (!right)
            chain.stage3 = [](Byte lo, Byte hi) {
                const auto s = patchedStage3(hi, lo);  // the two bytes swapped
                return Bytes(s.begin(), s.end());
            };
        ASSERT_EQ(upload(h, chain), "read program");
        h.baud = 9600;
        h.radio.setBaud(9600);  // as the host's baud switch would have left it
        h.exchange({0x00, 0xFF});
        EXPECT_EQ(h.radio.baud(), 4800);
        EXPECT_EQ(h.radio.programName(),
                  right ? "resident firmware" : "hung: jumped to a wrong restart address");
        h.baud = 4800;
        EXPECT_EQ(h.hook(), right);
    }
}

TEST(ReadProgram, ServesEachRequestedSegmentAndDropsTheFaultsByte) {
    SimConfig config;
    config.faults.dropSegmentByte = 256 + 10;
    Host h(config);
    for (std::size_t i = 0; i < h.radio.memory().size(); ++i)
        h.radio.memory()[i] = static_cast<Byte>(i / 256 * 16 + i % 7);
    ASSERT_TRUE(h.hook());
    ASSERT_EQ(upload(h, Chain{}), "read program");
    Bytes seg0 = h.exchange({0x00, 0x00}, 900ms);
    ASSERT_EQ(seg0.size(), 256u);
    EXPECT_EQ(seg0[255], h.radio.memory()[255]);
    Bytes seg3 = h.exchange({0x06}, 900ms);
    ASSERT_EQ(seg3.size(), 255u);
    // The 266th byte sent (byte 9 of this segment) was lost.
    EXPECT_EQ(seg3[8], h.radio.memory()[3 * 256 + 8]);
    EXPECT_EQ(seg3[9], h.radio.memory()[3 * 256 + 10]);
    EXPECT_TRUE(h.exchange({0x11}).empty());  // not a request
}

TEST(LoadedPrograms, GiveUpOnAHostSilentForMoreThanASecond) {
    Host h;
    ASSERT_TRUE(h.hook());
    ASSERT_EQ(upload(h, Chain{}), "read program");
    h.exchange({}, 1100ms);
    h.exchange({0x00, 0x00});
    EXPECT_EQ(h.radio.programName(), "resident firmware");
    EXPECT_EQ(h.radio.baud(), 4800);
    EXPECT_TRUE(h.hook());
}

TEST(WriteProgram, StoresAcknowledgedRowsAndNeverRow1) {
    SimConfig config;
    config.faults.badAck = 17;
    Host h(config);
    h.radio.memory().fill(0x55);
    ASSERT_TRUE(h.hook());
    Chain chain;
    chain.program.assign(kWriteProgram.begin(), kWriteProgram.end());
    ASSERT_EQ(upload(h, chain), "write program");
    Bytes acks = h.exchange({0x0D});  // block 7
    for (int row = 0; row < 15; ++row) {
        const Bytes got = h.exchange(Bytes(8, static_cast<Byte>(row)));
        acks.insert(acks.end(), got.begin(), got.end());
    }
    ASSERT_EQ(acks.size(), 16u);
    EXPECT_EQ(acks[0], 0x20);
    EXPECT_EQ(acks[15], 0x20);  // the block is stored
    // Rows 0 and 2..15 landed, the header bytes 8..15 kept their value.
    EXPECT_EQ(h.radio.memory()[7 * 128 + 0], 0);
    EXPECT_EQ(h.radio.memory()[7 * 128 + 8], 0x55);
    EXPECT_EQ(h.radio.memory()[7 * 128 + 16], 1);
    EXPECT_EQ(h.radio.memory()[7 * 128 + 127], 14);

    // The 17th acknowledgement overall is refused: block 3's first row is not stored.
    h.radio.memory().fill(0x55);
    EXPECT_EQ(h.exchange({0x05}), Bytes{});
    EXPECT_EQ(h.exchange(Bytes(8, 0x99)), Bytes{0x1F});
    EXPECT_EQ(h.radio.memory()[3 * 128], 0x55);
    h.exchange({0xFF});
    EXPECT_EQ(h.radio.programName(), "resident firmware");
}

TEST(LabelBootstrap, StartsTheLabelProgramOnlyWhenBothBlocksAreRight) {
    struct Case {
        const char* what;
        int loaderChange;   // index into the loader code to alter, or -1
        int programChange;  // index into the program code to alter, or -1
        Byte address;
        std::string runs;
    };
    const Case cases[] = {
        {"both right", -1, -1, 0x50, "label program"},
        {"loader altered", 4, -1, 0x50, "no program (radio hung)"},
        {"program altered", -1, 100, 0x50, "hung: no label program at the load address"},
        {"other load address", -1, -1, 0x51, "hung: no label program at the load address"},
    };
    for (const auto& c : cases) {
        Host h;
        ASSERT_TRUE(h.hook());
        Bytes loader(blockCode(kLabelLoaderBlock).begin(), blockCode(kLabelLoaderBlock).end());
        Bytes program(blockCode(kLabelProgramBlock).begin(), blockCode(kLabelProgramBlock).end());
        if (c.loaderChange >= 0) loader[static_cast<std::size_t>(c.loaderChange)] ^= 0x10;
        if (c.programChange >= 0) program[static_cast<std::size_t>(c.programChange)] ^= 0x10;
        h.poke(0xE0, loader);
        Bytes rest{0xF0, 0x00, 0xE0, c.address, static_cast<Byte>(program.size())};
        for (const Byte b : reversed(program)) rest.push_back(b);
        h.exchange(rest, 1s);
        EXPECT_EQ(h.radio.programName(), c.runs) << c.what;
    }
}

TEST(LabelProgram, ReadsWritesRegistersAndEnds) {
    SimConfig config;
    config.faults.labelMissFrame = 2;
    Host h(config);
    ASSERT_TRUE(h.hook());
    h.poke(0xE0, blockCode(kLabelLoaderBlock));
    Bytes boot{0xF0, 0x00, 0xE0, 0x50, 0x98};
    for (const Byte b : reversed(blockCode(kLabelProgramBlock))) boot.push_back(b);
    h.exchange(boot, 1s);
    ASSERT_EQ(h.radio.programName(), "label program");
    h.radio.labels()[0x17A] = 0x4C;
    EXPECT_EQ(h.exchange({0x02, 0x01, 0x29, 0x7A}), (Bytes{0x7A, 0x4C}));
    EXPECT_TRUE(h.exchange({0x02, 0x01, 0x29, 0x7A}).empty());  // the missed frame
    EXPECT_EQ(h.exchange({0x03, 0x01, 0x6F, 0x7F, 0x33}), Bytes{0x33});
    EXPECT_EQ(h.radio.labels()[1919], 0x33);
    EXPECT_TRUE(h.exchange({0x03, 0x00, 0x60, 0xF6, 0x00}).empty());
    EXPECT_TRUE(h.exchange({0x02, 0x01, 0x6F, 0x7F}).empty());  // a write address in a read
    h.exchange({0x00, 0x00});
    EXPECT_EQ(h.radio.programName(), "resident firmware");
}

}  // namespace
}  // namespace zav::sim
