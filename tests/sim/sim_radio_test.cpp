// The simulated radio itself: line timing, garbling, the transcript, faults, and the
// hooks that later programs plug into.

#include <gtest/gtest.h>

#include "sim/garble.h"
#include "sim/sim_radio.h"

namespace zav::sim {
namespace {

using namespace std::chrono_literals;

// Sends bytes from the host at `at` and runs the line until `until`.
std::vector<HostDelivery> exchange(SimRadio& r, std::vector<Byte> bytes, SimTime at, SimTime until,
                                   int hostBaud = 4800) {
    for (Byte b : bytes) r.hostSends(at, b, hostBaud);
    return r.runUntil(until, hostBaud);
}

const std::vector<Byte> kHook{0x00, 0x0A, 0x14, 0x28};

TEST(SimLine, BytesTakeTenBitTimesEachWay) {
    SimRadio r;
    const auto out = exchange(r, kHook, 0ms, 1s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].value, 0x24);
    // Four bytes to the radio, one back, 10 bits each at 4800 baud.
    EXPECT_EQ(out[0].time, 5 * byteTime(4800));
    EXPECT_EQ(byteTime(4800), 2083333ns);
    EXPECT_EQ(byteTime(9600), 1041666ns);
}

TEST(SimLine, TheRadioNeedsTheHookBeforeAnyCommand) {
    SimRadio r;
    r.memory()[0] = 0x42;
    EXPECT_TRUE(exchange(r, {0xE1, 0x00, 0x28}, 0ms, 1s).empty());
    const auto out = exchange(r, {0x0A, 0x14, 0x28, 0xE1, 0x00}, 1s, 2s);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1].value, 0x42);
}

TEST(SimLine, AByteAtAnotherSpeedIsGarbledAndBreaksTheFrame) {
    SimRadio r;
    exchange(r, kHook, 0ms, 100ms);
    r.memory()[0x102] = 0x42;
    // The read command goes out at 9600: the radio cannot read it.
    r.hostSends(100ms, 0xE3, 9600);
    EXPECT_TRUE(exchange(r, {0x02}, 100ms, 200ms).empty());
    const auto& e = r.transcript().entries();
    const auto garbled = std::find_if(e.begin(), e.end(), [](const TranscriptEntry& x) {
        return x.note == "garbled: not understood";
    });
    ASSERT_NE(garbled, e.end());
    EXPECT_EQ(garbled->sent, 0xE3);
    EXPECT_EQ(garbled->received, garble(0xE3));
    EXPECT_EQ(garbled->senderBaud, 9600);
    EXPECT_EQ(garbled->receiverBaud, 4800);
}

TEST(SimLine, TheTranscriptSaysWhatTheRadioUnderstood) {
    SimRadio r;
    exchange(r, kHook, 0ms, 100ms);
    exchange(r, {0xE2, 0x10, 0xAB, 0xCD, 0xD0, 0x00, 0x0D, 0x30}, 100ms, 200ms);
    std::vector<std::string> notes;
    for (const auto& e : r.transcript().entries())
        if (!e.note.empty()) notes.push_back(e.note);
    EXPECT_EQ(notes, (std::vector<std::string>{"hook", "hook reply", "write word 110 = AB CD",
                                               "RAM write 0D = 30: 9600 baud", "garbled"}));
    EXPECT_EQ(r.memory()[0x110], 0xAB);
    EXPECT_EQ(r.baud(), 9600);
    EXPECT_NE(formatEntry(r.transcript().entries()[0]).find("host->radio  00 as 00  4800/4800"),
              std::string::npos);
}

// The hook, then a word read: when each of the radio's bytes reaches the host.
TEST(SimFaults, SlowLateAndDuplicatedBytes) {
    struct Case {
        const char* name;
        SimFaults faults;
        std::vector<Byte> values;
        std::vector<SimTime> times;  // after the first byte could arrive
    };
    const SimTime b = byteTime(4800);
    SimFaults slow;
    slow.replyDelay = 40ms;
    SimFaults late;
    late.lateOutput = 2;
    late.lateBy = 700ms;
    SimFaults twice;
    twice.sentTwice = 2;
    const std::vector<Case> cases{
        {"slow", slow, {0x24, 0x11, 0x22}, {40ms, 2 * b + 40ms, 3 * b + 40ms}},
        // The late byte holds back the one after it.
        {"late", late, {0x24, 0x11, 0x22}, {0ms, 2 * b + 700ms, 3 * b + 700ms}},
        {"twice", twice, {0x24, 0x11, 0x11, 0x22}, {0ms, 2 * b, 3 * b, 4 * b}},
    };
    for (const Case& c : cases) {
        SimConfig config;
        config.faults = c.faults;
        SimRadio r(config);
        r.memory()[0x10] = 0x11;
        r.memory()[0x11] = 0x22;
        for (const Byte v : std::vector<Byte>{0x00, 0x0A, 0x14, 0x28, 0xE1, 0x10})
            r.hostSends(0ms, v, 4800);
        const auto out = r.runUntil(2s, 4800);
        ASSERT_EQ(out.size(), c.values.size()) << c.name;
        for (std::size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].value, c.values[i]) << c.name << " " << i;
            EXPECT_EQ(out[i].time, 5 * b + c.times[i]) << c.name << " " << i;
        }
    }
}

TEST(SimFaults, ACutLineCarriesNothingFromThen) {
    SimConfig c;
    c.faults.cutAt = 5ms;  // the hook's last byte arrives after the cut
    SimRadio r(c);
    EXPECT_TRUE(exchange(r, kHook, 0ms, 1s).empty());
    EXPECT_TRUE(r.transcript().entries().back().lost);
    EXPECT_EQ(r.transcript().entries().back().note, "line cut");
}

TEST(SimFaults, AnotherHookReply) {
    SimConfig c;
    c.hookReply = 0x23;
    SimRadio r(c);
    const auto out = exchange(r, kHook, 0ms, 1s);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].value, 0x23);
}

// A program that echoes every byte it gets plus one, and returns home on 0xFF.
class PlusOne final : public RadioProgram {
  public:
    [[nodiscard]] std::string name() const override { return "plus one"; }
    void start(SimRadio& radio) override { radio.send(0x55, "started"); }
    std::string onByte(SimRadio& radio, Byte b) override {
        if (b == 0xFF) {
            radio.returnToResident(true);
            return "end";
        }
        radio.send(static_cast<Byte>(b + 1));
        return "plus one";
    }
};

TEST(SimPrograms, ExecuteStartsTheInstalledProgramAndItCanReturnHome) {
    SimRadio r;
    r.installProgram(0x60, [](SimRadio&) { return std::make_unique<PlusOne>(); });
    exchange(r, kHook, 0ms, 100ms);
    auto out = exchange(r, {0xF0, 0x00, 0x60, 0x10, 0x20}, 100ms, 200ms);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].value, 0x55);
    EXPECT_EQ(out[2].value, 0x21);
    EXPECT_EQ(r.programName(), "plus one");
    r.memory()[4] = 0x99;
    out = exchange(r, {0xFF, 0xE1, 0x04}, 200ms, 300ms);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].value, 0x99);
    EXPECT_EQ(r.programName(), "resident firmware");
}

TEST(SimPrograms, ExecutingWhereNothingIsLoadedHangsTheRadio) {
    SimRadio r;
    r.installProgram(0x60, [](SimRadio& radio) -> std::unique_ptr<RadioProgram> {
        if (radio.ram()[0x60] != 0xAE) return nullptr;  // the code is not there
        return std::make_unique<PlusOne>();
    });
    exchange(r, kHook, 0ms, 100ms);
    EXPECT_TRUE(exchange(r, {0xF0, 0x00, 0x60, 0x28}, 100ms, 200ms).empty());
    EXPECT_NE(r.programName().find("hung"), std::string::npos);
}

TEST(SimPrograms, AnExtraResidentFrameIsHandedOverWhole) {
    SimRadio r;
    std::vector<Byte> got;
    r.installFrame(0x30, 5, [&](SimRadio& radio, std::span<const Byte> f) {
        got.assign(f.begin(), f.end());
        radio.send(0x00);
    });
    exchange(r, kHook, 0ms, 100ms);
    const auto out = exchange(r, {0x30, 0xFB, 0xE1, 0x40, 0x20}, 100ms, 200ms);
    EXPECT_EQ(got, (std::vector<Byte>{0x30, 0xFB, 0xE1, 0x40, 0x20}));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].value, 0x00);
}

}  // namespace
}  // namespace zav::sim
