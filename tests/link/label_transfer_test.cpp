// Alpha label transfers: bootstrap, frames, reversed order, pauses, retries, progress, and
// the ways a transfer ends early. (What travels under the link's faults: tests/ops.)

#include <gtest/gtest.h>

#include "link/label_programs.h"
#include "link/label_transfer.h"
#include "sim/label_memory.h"
#include "sim/note_text.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::SimLink;
using Texts = std::vector<std::string>;

LabelImage randomLabels(unsigned seed) {
    LabelImage labels{};
    test::fillRandom(labels, seed);
    return labels;
}

// A hooked radio at 9600 baud running the label program, the traffic so far forgotten.
void startProgram(SimLink& s) {
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(s.link.setBaud(LineSpeed::Baud9600));
    ASSERT_TRUE(startLabelTransfer(s.link));
    test::settleProgram(s);
    s.radio.transcript().clear();
}

// The last bytes the host sent, oldest first, and the time of the radio's last byte before
// them: the closing 00 00 and the release, after the transfer's last answer.
struct Ending {
    std::vector<sim::TranscriptEntry> sent;
    sim::SimTime lastAnswer{};
};
Ending ending(const SimLink& s, std::size_t n) {
    const auto& entries = s.radio.transcript().entries();
    Ending e;
    auto it = entries.rbegin();
    for (; it != entries.rend() && e.sent.size() < n; ++it)
        if (it->direction == sim::Direction::HostToRadio) e.sent.insert(e.sent.begin(), *it);
    for (; it != entries.rend() && e.lastAnswer == sim::SimTime{}; ++it)
        if (it->direction == sim::Direction::RadioToHost) e.lastAnswer = it->time;
    return e;
}

TEST(LabelTransfer, CountSlotsOnTheBarAndEnableCancelOnlyForTheReadAfterTheBootstrap) {
    for (const auto& [groupIndex, maximum] : {std::pair{-1, 240}, {3, 16}}) {
        SimLink s;
        bool enabledEarly = false;
        s.port.setOnYield([&] {
            enabledEarly |= s.radio.programName() != "label program" && s.progress.cancelEnabled;
        });
        // The form, the bar's range and its first and last values, the window enabled.
        const auto bar = [&s, max = maximum](const char* form) {
            EXPECT_EQ(std::tuple(s.progress.shownText, s.progress.barCalls,
                                 s.progress.values.front(), s.progress.values.back()),
                      std::tuple(form, Texts{"min 0", "max " + std::to_string(max)}, 0, max));
            s.progress.barCalls.clear();
            s.progress.values.clear();
        };
        LabelImage labels = randomLabels(8);
        ASSERT_TRUE(readLabelsFromRadio(s.link, labels, groupIndex));
        bar("Please Wait - Reading Labels");
        // The bar was up while it moved, and is gone with the form.
        EXPECT_EQ(std::tuple(s.progress.lastValueShown, enabledEarly, s.progress.shown,
                             s.progress.barVisible, s.progress.mainWindowEnabled,
                             s.prompts.messages.empty()),
                  std::tuple(true, false, false, false, true, true));
        ASSERT_TRUE(writeLabelsToRadio(s.link, labels, groupIndex));
        bar("Please Wait - Writing Labels");
        EXPECT_EQ(s.progress.enableCancelCalls, 1);  // the read's only
        // The closing bytes follow the last frame's 7 ms and 300 ms more (each a tick late).
        test::drain(s);
        const Ending end = ending(s, 3);
        ASSERT_EQ(end.sent.size(), 3U);
        EXPECT_EQ(end.sent[0].time - end.lastAnswer, 8ms + 301ms + sim::byteTime(9600));
    }
}

// The loader goes by echoed RAM writes, the program last byte first; a slot's bytes go
// last first, at offsets counted from the slot's base (1912 for group 15's last slot).
TEST(LabelTransfer, BootstrapAndSlotFrames) {
    SimLink s;
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(startLabelTransfer(s.link));
    test::settleProgram(s);
    EXPECT_EQ(s.radio.programName(), "label program");
    const LabelSlot slot{0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7};
    ASSERT_TRUE(writeLabel(s.link, 1, 1, slot));
    ASSERT_TRUE(writeLabel(s.link, 15, 16, slot));
    test::settleProgram(s);
    const Bytes sent = s.sent();
    constexpr std::size_t kBootstrap = 25 * 4 + 3 + 2 + 152;
    ASSERT_GT(sent.size(), kBootstrap + 5);
    for (std::size_t i = 0; i < 25; ++i)
        EXPECT_EQ(test::slice(sent, 4 * i, 4),
                  (Bytes{0xD0, 0x00, static_cast<Byte>(0xE0 + i), kLabelLoaderBlock[i + 1]}));
    EXPECT_EQ(test::slice(sent, 100, 6), (Bytes{0xF0, 0x00, 0xE0, 0x50, 0x98, 0x81}));
    EXPECT_EQ(sent[kBootstrap - 1], 0xAE);
    EXPECT_EQ(test::slice(sent, kBootstrap, 5), (Bytes{0x03, 0x01, 0x68, 0x00, 0xB7}));
    EXPECT_LT(test::find(sent, {0x03, 0x01, 0x6F, 0x7F, 0xB0}), sent.size());
    Texts expected;
    for (const int base : {0, 1912})
        for (int j = 0; j < 8; ++j)
            expected.push_back(sim::noteText("label write %03X = %02X", base + j, 0xB7 - j));
    EXPECT_EQ(test::hostNotes(s.radio, "label write"), expected);
    LabelSlot back{};
    s.radio.transcript().clear();
    ASSERT_TRUE(readLabel(s.link, 15, 16, back));
    EXPECT_EQ(back, slot);
    EXPECT_EQ(test::slice(s.sent(), 0, 4), (Bytes{0x02, 0x01, 0x2F, 0x78}));
}

// The times between the bytes the host sent.
std::vector<sim::SimTime> hostGaps(const SimLink& s) {
    std::vector<sim::SimTime> times, gaps;
    for (const auto& e : s.radio.transcript().entries())
        if (e.direction == sim::Direction::HostToRadio) times.push_back(e.time);
    for (std::size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
    return gaps;
}

// Each pause ends 1 ms late (a timer's tick).
TEST(LabelTransfer, WriteAndRegisterFramesPauseAsTheRadioNeeds) {
    SimLink s;
    startProgram(s);
    ASSERT_TRUE(writeLabel(s.link, 2, 3, LabelSlot{}));
    // 03 01 go out together; the echo comes back, then 7 ms pass before the next frame.
    const sim::SimTime byte = sim::byteTime(9600);
    const auto gaps = hostGaps(s);
    ASSERT_GE(gaps.size(), 5u);
    EXPECT_EQ(std::vector(gaps.begin(), gaps.begin() + 5),
              (std::vector<sim::SimTime>{byte, 5ms - byte, 6ms, 6ms, 2 * byte + 8ms}));
    // A register frame: 2, 2, 5 and 5 ms between its bytes, and 50 ms after it.
    SimLink r;
    startProgram(r);
    setLabelReadMode(r.link);
    EXPECT_EQ(hostGaps(r), (std::vector<sim::SimTime>{3ms, 3ms, 6ms, 6ms, 51ms, 3ms, 3ms, 6ms, 6ms,
                                                      51ms, 3ms, 3ms, 6ms, 6ms}));
}

TEST(LabelTransfer, AByteThatNeedsRetriesWaits7ThenMoreMilliseconds) {
    SimLink s({.faults = {.labelMissFrame = 3, .labelMisses = 2}});
    s.radio.labels() = sim::labelMemoryFromImage(randomLabels(3));
    startProgram(s);
    LabelSlot buffer{};
    ASSERT_TRUE(readLabel(s.link, 2, 1, buffer));
    const auto reads = test::hostNotes(s.radio, "label read");
    ASSERT_EQ(reads.size(), 10u);
    EXPECT_EQ(
        (Texts(reads.begin() + 2, reads.begin() + 5)),
        (Texts{"label read 082: not answered", "label read 082: not answered", "label read 082"}));
    // Frame starts: a miss costs the 0.5 s limit (plus a tick), then the pause (plus a tick).
    std::vector<sim::SimTime> starts;
    const auto& entries = s.radio.transcript().entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].direction == sim::Direction::HostToRadio && entries[i].sent == 0x02 &&
            (i == 0 || entries[i - 1].direction == sim::Direction::RadioToHost ||
             entries[i - 1].note.starts_with("label read")))
            starts.push_back(entries[i].time);
    ASSERT_GE(starts.size(), 5u);
    EXPECT_EQ(std::pair(starts[3] - starts[2], starts[4] - starts[3]),
              (std::pair<sim::SimTime, sim::SimTime>(501ms + 7ms + 1ms, 501ms + 8ms + 1ms)));
    EXPECT_EQ(sim::labelImageFromMemory(s.radio.labels())[labelIndex(1, 0, 5)], buffer[5]);
}

// Each ends the transfer with the caller's labels as they were, what the user is told, the
// read mode cleared when it was set, the program ended and the radio released.
TEST(LabelTransfer, TransfersThatEndEarly) {
    struct Case {
        const char* what;
        bool read;
        int groupIndex;
        sim::SimFaults faults;
        Texts told;
        bool readMode;            // the read mode was set, so it is cleared
        std::size_t labelFrames;  // at most
        bool cancel = false;
    };
    const Texts noUpload{"Unable to upload data from radio"};
    const Texts noLoader{"Transfer initialization error"};
    const Texts readMode{"register F6 = 00", "register FE = 44", "register FF = 10",
                         "register F6 = 80", "register FE = 45"};
    // clang-format off
    const Case cases[] = {
        {"four misses of one byte", true, 0, {.labelMissFrame = 20, .labelMisses = 4}, noUpload, true, 99},
        {"cancelled after three slots", true, -1, {}, {}, true, 3 * 8 + 1, true},
        {"loader byte not echoed", true, -1, {.noRamEcho = 2}, noLoader, false, 0},
        {"loader byte not echoed", false, -1, {.noRamEcho = 2}, noLoader, false, 0},
        {"group above 15", true, 15, {}, {"Requested bank is invalid", noUpload[0]}, true, 0},
        {"group above 15", false, 15, {}, {"Requested bank is invalid", "Unable to upload data to radio"}, false, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + (c.read ? " (read)" : " (write)"));
        SimLink s({.faults = c.faults});
        s.radio.labels() = sim::labelMemoryFromImage(randomLabels(5));
        if (c.cancel)
            s.port.setOnYield([&] {
                if (s.progress.values.size() == 3) s.progress.pressCancel();
            });
        LabelImage labels{};
        EXPECT_FALSE(c.read ? readLabelsFromRadio(s.link, labels, c.groupIndex)
                            : writeLabelsToRadio(s.link, labels, c.groupIndex));
        EXPECT_EQ(labels, LabelImage{});
        EXPECT_EQ(s.prompts.texts(), c.told);
        test::drain(s);
        EXPECT_EQ(test::hostNotes(s.radio, "register"), c.readMode ? readMode : Texts{});
        EXPECT_LE(test::hostNotes(s.radio, "label").size(), c.labelFrames);
        // After a failed bootstrap the line goes back to 4800 baud before the message.
        EXPECT_EQ(test::hostNotes(s.radio, "RAM write 0D = 31").size(), c.told == noLoader);
        EXPECT_EQ(s.radio.programName(), "resident firmware");
        const Ending end = ending(s, 3);
        ASSERT_EQ(end.sent.size(), 3U);
        // After a conversation that has let the line drain, the label program ends with two
        // 00 bytes 10 ms apart (a tick late), then the release.
        if (c.readMode)
            EXPECT_EQ(std::tuple(end.sent[0].sent, end.sent[1].sent, end.sent[2].sent,
                                 end.sent[1].time - end.sent[0].time),
                      std::tuple(Byte{0x00}, Byte{0x00}, Byte{0x01}, sim::SimTime{11ms}));
        // A failed bootstrap is told 200 ms after the switch back to 4800 baud was answered,
        // then the radio is released.
        const Ending release = ending(s, 1);
        if (c.told == noLoader)
            EXPECT_EQ(release.sent[0].time - release.lastAnswer, 201ms + sim::byteTime(4800));
        EXPECT_FALSE(s.link.transport().isOpen() || s.progress.shown || s.progress.barVisible);
    }
}

}  // namespace
}  // namespace zav
