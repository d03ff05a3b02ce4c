// Every radio operation against the faults a user meets (a port that will not open, a
// busy link, a silent radio, a garbled hook reply, a radio that stops halfway, one of its
// bytes arriving late or twice): the result, what the user is told, the document read or
// left as it was, what the window shows, and the radio's memory written only where its
// masks allow. Then the label step and Cancel, case by case.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "model/document.h"
#include "ops/editor_hooks.h"
#include "ops/radio_operations.h"
#include "ops/utility_operations.h"
#include "sim/label_memory.h"
#include "support/masked_write.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using R = RadioOperations;
using Texts = std::vector<std::string>;

constexpr int kGroup = 15;  // the selected group: the last block and the last labels
constexpr int kDtmfCode = 19;
constexpr int kNone = -2;  // no labels travel
const Texts kWriteFailed{"Write Failed. Cycle Radio Power before Retrying."};

// The bytes and labels of the document the tests compare.
struct Contents {
    MemImage mem{};
    LabelImage labels{};
    friend bool operator==(const Contents&, const Contents&) = default;
};

// The editor window as the operations drive it: the selected group's bytes and labels
// shown in its controls, and the bytes it counts as unchanged since the last read.
class Window final : public EditorHooks {
  public:
    Window(Document& doc, int group) : doc_(doc), selected_(group) {}
    [[nodiscard]] int selectedGroupNumber() const override { return selected_; }
    void storeGroupMemory() override {}
    int commitCurrentGroup() override { return std::max(selected_ - 1, 0); }
    void displayGroupMemory() override { shown = visible(); }
    void initGroups(int mode) override {
        doc_.initGroups(mode, std::max(selected_, 1));
        shown = visible();
    }
    void storeGroup(int /*g*/) override {}
    void showGroup(int g) override {
        if (g == selected_ - 1) shown = visible();
    }
    void storeOtherWindows() override {}
    void memoryRead(int first, int count) override {
        std::copy_n(doc_.mem.begin() + first, count, clean.mem.begin() + first);
    }
    void labelsRead(int g) override {
        for (std::size_t i = 0; i < kLabelImageSize; ++i)
            if (g < 0 || static_cast<int>(i % kGroupCount) == g) clean.labels[i] = doc_.labels[i];
    }
    // What the controls would show of the document now.
    [[nodiscard]] Contents visible() const {
        Contents v;
        const auto g = static_cast<std::size_t>(std::max(selected_, 1));
        std::copy_n(doc_.mem.begin() + kPageSize * g, kPageSize, v.mem.begin());
        for (std::size_t i = g - 1; i < kLabelImageSize; i += kGroupCount)
            v.labels[i] = doc_.labels[i];
        return v;
    }
    // The document as opened: shown, and all of it unchanged.
    void open() {
        shown = visible();
        clean = {doc_.mem, doc_.labels};
    }

    Contents shown;
    Contents clean;

  private:
    Document& doc_;
    int selected_;
};

// The page map of radio and document: every block present but group 13, whose nibble is
// in the byte before group 15's: a page map read one byte off finds group 15 missing.
constexpr Byte kGroup13Byte = 0x80;

// A radio and a document with different contents and the same page map, the label
// setting, the selected group and the answers to the questions.
struct Bench {
    explicit Bench(sim::SimConfig config = {}, sim::VirtualPortOptions port = {},
                   LabelSetting labels = LabelSetting::Never, int group = kGroup)
        : s(config, std::move(port)), editor(doc, group) {
        std::mt19937 rng(5);
        for (Byte& b : s.radio.memory()) b = static_cast<Byte>(rng());
        for (Byte& b : doc.mem) b = static_cast<Byte>(rng());
        for (std::size_t i = 0; i < doc.labels.size(); ++i) {
            doc.labels[i] = static_cast<Byte>('A' + i % 26);
            s.radio.labels()[i] = static_cast<Byte>('a' + i % 23);
        }
        for (std::size_t i = 80; i < 88; ++i) s.radio.memory()[i] = doc.mem[i] = 0x88;
        s.radio.memory()[86] = doc.mem[86] = kGroup13Byte;
        ops.setLabelSetting(static_cast<int>(labels));
        editor.open();
    }
    test::SimLink s;
    Document doc;
    Window editor;
    RadioOperations ops{doc, s.link, s.settings, editor};
};

struct OpRow {
    const char* name;
    std::function<OperationResult(R&)> run;
    std::vector<Answer> answers;  // the questions asked before the link is taken
    const char* failure;
    Texts done;                                // told after success
    Texts afterFailure;                        // told after the link's own message
    Texts halfway;                             // told when the radio stops halfway
    std::pair<std::size_t, std::size_t> read;  // bytes of the image read
    int labelsRead = kNone;                    // label group index, -1 all
    std::vector<int> written{};                // blocks written
    int labelsWritten = kNone;
    bool dtmf = false;
};

void PrintTo(const OpRow& row, std::ostream* os) {
    *os << row.name;
}

OperationResult dtmf(R& ops) {
    return sendDtmfDeviation(ops.link(), kDtmfCode);
}

const Texts kReadError{"Error reading radio"};
const Texts kNoLabelsFrom{"Unable to upload data from radio"};
const Texts kNoLabelsTo{"Unable to upload data to radio"};
const std::vector<int> kPresentBlocks{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15};

// clang-format off
const OpRow kOps[] = {
    {"ReadRadio", &R::readRadio, {}, "the radio was not read", {"All groups read OK."}, {},
     kReadError, {0, 2048}},
    {"ReadGlobal", &R::readGlobal, {}, "the global block was not read", {}, {}, kReadError,
     {0, 128}},
    {"ReadGroup", &R::readGroup, {}, "the group was not read", {}, {}, kReadError, {1920, 2048}},
    {"WriteRadio", &R::writeRadio, {Answer::Ok, Answer::Yes}, "the radio was not written",
     {"All groups written OK."}, {}, kWriteFailed, {}, kNone, kPresentBlocks},
    {"WriteGlobal", &R::writeGlobal, {Answer::Ok}, "Write Global Failed", {},
     {"Write Global Failed"}, {kWriteFailed[0], "Write Global Failed"}, {}, kNone, {0}},
    {"WriteGroup", &R::writeGroup, {Answer::Ok}, "Write Group Failed", {},
     {"Write Group Failed"}, {kWriteFailed[0], "Write Group Failed"}, {}, kNone, {kGroup}},
    {"LabelReadGroup", &R::labelReadGroup, {}, "the labels were not read",
     {"Group 15 labels read OK."}, {}, kNoLabelsFrom, {}, kGroup - 1},
    {"LabelReadRadio", &R::labelReadRadio, {}, "the labels were not read",
     {"All labels read OK."}, {}, kNoLabelsFrom, {}, -1},
    {"LabelWriteGroup", &R::labelWriteGroup, {}, "the labels were not written",
     {"Group 15 labels written OK."}, {}, kNoLabelsTo, {}, kNone, {}, kGroup - 1},
    {"LabelWriteRadio", &R::labelWriteRadio, {}, "the labels were not written",
     {"All labels written OK."}, {}, kNoLabelsTo, {}, kNone, {}, -1},
    {"Dtmf", dtmf, {}, "the radio was not reached", {}, {}, {}, {}, kNone, {}, kNone, true},
};
// clang-format on

// What the user was told, the operations' questions left out.
Texts told(const test::SimLink& s) {
    Texts out;
    for (const std::string& t : s.prompts.texts())
        if (t != R::kConfirmWrite && t != R::kAskWriteGlobal && t != R::kAskReadLabels &&
            t != R::kAskWriteLabels)
            out.push_back(t);
    return out;
}

// Garbage: the radio answers the hook with a byte that is no hook reply. Late and Twice:
// one of the radio's bytes (at `at`) arrives after the host gave up on it, or twice.
enum class Kind { None, PortWillNotOpen, LinkBusy, Silent, Garbage, StopsHalfway, Late, Twice };
enum class At { First, Second, Middle, BeforeLast };
struct Fault {
    Kind kind;
    At at = At::First;
};

// How many bytes the radio sends in the operation without faults.
int radioBytes(const OpRow& row) {
    static std::map<std::string, int> counted;
    auto [it, fresh] = counted.try_emplace(row.name, 0);
    if (!fresh) return it->second;
    Bench b;
    for (const Answer a : row.answers) b.s.prompts.queueAnswer(a);
    (void)row.run(b.ops);
    b.s.port.advance(b.s.now() + 2s);
    return it->second = static_cast<int>(std::ranges::count(b.s.radio.transcript().entries(),
                                                            sim::Direction::RadioToHost,
                                                            &sim::TranscriptEntry::direction));
}

// The radio's byte (from 1) at `at`: the hook reply, the one after it (a probe's or a
// word's), one in the middle, the last but one.
int nthByte(const OpRow& row, At at) {
    const int n = radioBytes(row);
    return std::array{1, 2, n / 2, n - 1}[static_cast<std::size_t>(at)];
}

bool labelInReach(int group, std::size_t index) {
    return group == -1 || (group != kNone && static_cast<int>(index % kGroupCount) == group);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<OpRow, Fault>>& info) {
    static constexpr const char* kKinds[] = {"Done",    "PortWillNotOpen", "LinkBusy", "Silent",
                                             "Garbage", "StopsHalfway",    "Late",     "Twice"};
    static constexpr const char* kAts[] = {"", "Second", "Middle", "BeforeLast"};
    const auto [row, fault] = info.param;
    return std::string(row.name) + "_" + kKinds[static_cast<int>(fault.kind)] +
           kAts[static_cast<int>(fault.at)];
}

class OperationFaults : public ::testing::TestWithParam<std::tuple<OpRow, Fault>> {};

TEST_P(OperationFaults, EndAsTheyTellAndTouchOnlyWhatTheyMay) {
    const auto& [row, fault] = GetParam();
    const Kind kind = fault.kind;
    sim::SimConfig config;
    config.faults.silent = kind == Kind::Silent;
    if (kind == Kind::Garbage) config.hookReply = 0x14;
    if (kind == Kind::StopsHalfway) config.faults.stopAfter = radioBytes(row) / 2;
    if (kind == Kind::Late) {
        config.faults.lateOutput = nthByte(row, fault.at);
        config.faults.lateBy = 700ms;  // the host has given up on it by then
    }
    if (kind == Kind::Twice) config.faults.sentTwice = nthByte(row, fault.at);
    sim::VirtualPortOptions port;
    if (kind == Kind::PortWillNotOpen)
        port.failingDevices = {{"/dev/ttyS0", "No such file or directory"}};
    Bench b(config, port);
    for (const Answer a : row.answers) b.s.prompts.queueAnswer(a);
    const MemImage image = b.doc.mem;
    const LabelImage labels = b.doc.labels;
    const sim::RadioMemory radio = b.s.radio.memory();
    const LabelImage radioLabels = sim::labelImageFromMemory(b.s.radio.labels());
    auto running = kind == Kind::LinkBusy ? b.s.link.tryBeginOperation()
                                          : std::optional<RadioLink::BusyGuard>{};

    const OperationResult result = row.run(b.ops);
    running.reset();
    b.s.port.advance(b.s.now() + 2s);  // the last bytes arrive

    // A byte late or twice may cost the operation or not; either way it ends cleanly.
    const bool mayFail = kind == Kind::Late || kind == Kind::Twice;
    const bool ok = kind == Kind::None || (mayFail && result.done());
    const bool hookFailed = kind == Kind::Silent || kind == Kind::Garbage;
    Texts expected = ok                           ? row.done
                     : kind == Kind::StopsHalfway ? row.halfway
                     : kind == Kind::LinkBusy     ? Texts{"Another radio operation is in progress."}
                     : hookFailed                 ? Texts{"Error Hooking to Radio."}
                                                  : Texts{"Unable to open Comm Port"};
    if (hookFailed || kind == Kind::PortWillNotOpen)
        expected.insert(expected.end(), row.afterFailure.begin(), row.afterFailure.end());
    if (ok || !mayFail) {
        EXPECT_EQ(told(b.s), expected);
    }
    if (ok) {
        EXPECT_EQ(result, OperationResult::success());
    } else if (mayFail) {
        EXPECT_EQ(result.outcome, Outcome::Failed);
    } else if (kind == Kind::LinkBusy) {
        EXPECT_EQ(result, OperationResult::failure("another radio operation is in progress"));
        EXPECT_TRUE(b.s.sent().empty());
    } else if (row.dtmf && kind == Kind::StopsHalfway) {
        EXPECT_EQ(result, OperationResult::failure(
                              "the radio did not send its byte 0x6F; nothing was written"));
    } else {
        EXPECT_EQ(result, OperationResult::failure(row.failure));
    }
    EXPECT_FALSE(b.s.link.busy());
    EXPECT_TRUE(b.s.progress.mainWindowEnabled);
    EXPECT_FALSE(b.s.progress.barVisible);
    EXPECT_FALSE(b.s.progress.shown);
    for (const std::string& form : b.s.progress.forms)  // only a write asks before Cancel
        EXPECT_EQ(form.ends_with(" [write]"), form.starts_with(R::kWritingRadio)) << form;
    const bool labelOp = row.labelsRead != kNone || row.labelsWritten != kNone;
    if (!mayFail) {
        // A label connection whose hook failed skips the release and leaves the port open.
        EXPECT_EQ(b.s.link.transport().isOpen(), labelOp && hookFailed);
        // The image transfers beep once the radio has answered.
        const bool answered = kind == Kind::None || kind == Kind::StopsHalfway;
        EXPECT_EQ(b.s.prompts.beeps, !labelOp && !row.dtmf && answered ? 1 : 0);
    }
    // A write program that lost the radio's answers still waits for its rows.
    if (!mayFail && (kind != Kind::StopsHalfway || row.name != std::string_view("WriteRadio"))) {
        EXPECT_EQ(b.s.radio.programName(), "resident firmware");
    }

    // The document: the range read is the radio's after a success, all else as it was.
    for (std::size_t i = 0; i < b.doc.mem.size(); ++i) {
        const bool read = ok && i >= row.read.first && i < row.read.second;
        ASSERT_EQ(b.doc.mem[i], read ? radio[i] : image[i]) << "image " << i;
    }
    const LabelImage labelsNow = sim::labelImageFromMemory(b.s.radio.labels());
    for (std::size_t i = 0; i < kLabelImageSize; ++i) {
        const bool read = ok && labelInReach(row.labelsRead, i);
        ASSERT_EQ(b.doc.labels[i], read ? radioLabels[i] : labels[i]) << "label " << i;
        const Byte target = labelInReach(row.labelsWritten, i) ? labels[i] : radioLabels[i];
        ASSERT_TRUE(labelsNow[i] == target || (!ok && labelsNow[i] == radioLabels[i]))
            << "radio label " << i;
    }
    // The radio: written within the masks, completely after a success.
    test::WriteReach reach(image, row.written);
    if (mayFail && row.written.size() > 1) reach.requiredFrom = kPageSize;  // best effort
    if (row.dtmf) {
        reach.mask[0x6F] = 0xF8;
        reach.target[0x6F] = static_cast<Byte>(kDtmfCode << 3);
    }
    test::expectWritten(radio, b.s.radio.memory(), reach, ok);
    // The window shows the document, and counts what was read as unchanged.
    EXPECT_EQ(b.editor.shown, b.editor.visible());
    EXPECT_EQ(b.editor.clean, (Contents{b.doc.mem, b.doc.labels}));
}

// clang-format off
const Fault kFaults[] = {
    {Kind::None}, {Kind::PortWillNotOpen}, {Kind::LinkBusy}, {Kind::Silent}, {Kind::Garbage},
    {Kind::StopsHalfway}, {Kind::Late}, {Kind::Late, At::Second}, {Kind::Late, At::Middle},
    {Kind::Late, At::BeforeLast}, {Kind::Twice}, {Kind::Twice, At::Second},
    {Kind::Twice, At::Middle}, {Kind::Twice, At::BeforeLast}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Operations, OperationFaults,
                         ::testing::Combine(::testing::ValuesIn(kOps),
                                            ::testing::ValuesIn(kFaults)),
                         caseName);

// Read Group and Write Group need a group 1..15: group 0 would be the global block.
TEST(Operations, GroupOperationsTakeOnlyGroupsOneToFifteen) {
    for (const int group : {0, 1, 16}) {
        for (const auto op : {&R::readGroup, &R::writeGroup}) {
            Bench b({}, {}, LabelSetting::Never, group);
            b.s.prompts.queueAnswer(Answer::Ok);
            EXPECT_EQ((b.ops.*op)(), group == 1 ? OperationResult::success()
                                                : OperationResult::failure("no group is selected"))
                << group;
            EXPECT_EQ(b.s.port.opens() > 0, group == 1);
        }
    }
}

// The label setting (0..2) and the port (1..4) persist; other values change nothing, and
// the port stays while an operation runs.
TEST(Operations, KeepOnlyValidSettingsAndThePortOfARunningOperation) {
    Bench b;
    for (const auto& [setting, kept] : {std::pair{-1, 1}, {3, 1}, {2, 2}, {0, 0}}) {
        b.ops.setLabelSetting(setting);
        EXPECT_EQ(b.ops.labelSetting(), kept);
    }
    for (const int port : {0, 5, 4, 1}) {
        ASSERT_TRUE(b.s.link.transport().openPort());
        b.ops.useCommPort(port);
        EXPECT_EQ(b.s.link.transport().isOpen(), port == 0 || port == 5) << port;
    }
    b.ops.useCommPort(4);
    {
        const auto running = b.s.link.tryBeginOperation();
        b.ops.useCommPort(2);
    }
    EXPECT_EQ(b.s.link.transport().device(), "/dev/ttyS3");
    const RadioOperations again(b.doc, b.s.link, b.s.settings, b.editor);
    EXPECT_EQ(std::pair(again.labelSetting(), again.portNumber()), std::pair(0, 4));
}

// The label step and Cancel.
struct Case {
    const char* name;
    OperationResult (R::*operation)();
    LabelSetting labels;
    std::vector<Answer> answers;
    void (*setup)(test::SimLink&);
    OperationResult expected;
    Texts told;                    // after the questions
    bool keepsImage = true;        // the document's image is as before
    bool keepsRadioLabels = true;  // the radio's labels are as before
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

void none(test::SimLink& /*s*/) {}
void dropGroup15(test::SimLink& s) {
    s.radio.memory()[87] &= 0xF0;
}
void noGroups(test::SimLink& s) {
    std::fill_n(s.radio.memory().begin() + global_field::kPageMapFirst, global_field::kPageMapBytes,
                Byte{0});
}
void failFirstEcho(test::SimLink& s) {
    s.radio.config().faults.wrongEcho = 1;
}
void missLabels(test::SimLink& s) {
    s.radio.config().faults.labelMissFrame = 1;
    s.radio.config().faults.labelMisses = 4;
}
void cancelDuringTransfer(test::SimLink& s) {
    s.port.setOnYield([&s] {
        if (s.progress.values.size() >= 3) s.progress.pressCancel();
    });
}
void cancelAFailingRead(test::SimLink& s) {
    s.radio.config().faults.dropSegmentByte = 5;
    s.port.setOnYield([&s] { s.progress.pressCancel(); });
}

const OperationResult kCancelled = OperationResult::cancelled();
constexpr auto kAlways = LabelSetting::Always;
constexpr auto kNever = LabelSetting::Never;
constexpr auto kPrompt = LabelSetting::Prompt;
const Texts kAbsent{"Requested group does not exist on radio."};

class Operations : public ::testing::TestWithParam<Case> {};

TEST_P(Operations, TakeTheLabelsAlongOnlyWhenTheyShould) {
    const Case& c = GetParam();
    Bench b({}, {}, c.labels);
    for (const Answer a : c.answers) b.s.prompts.queueAnswer(a);
    c.setup(b.s);
    const MemImage image = b.doc.mem;
    const LabelImage labels = b.doc.labels;
    const sim::LabelMemory radioLabels = b.s.radio.labels();

    EXPECT_EQ((b.ops.*c.operation)(), c.expected);

    EXPECT_EQ(told(b.s), c.told);
    EXPECT_EQ(b.doc.mem == image, c.keepsImage);
    EXPECT_EQ(b.doc.labels, labels);
    EXPECT_EQ(b.s.radio.labels() == radioLabels, c.keepsRadioLabels);
    EXPECT_FALSE(b.s.link.busy());
    EXPECT_FALSE(b.s.link.transport().isOpen());
    EXPECT_EQ(b.editor.shown, b.editor.visible());
    EXPECT_EQ(b.editor.clean, (Contents{b.doc.mem, b.doc.labels}));
}

// clang-format off
const Case kCases[] = {
    {"ReadWithLabelsThatFail", &R::readRadio, kAlways, {}, missLabels,
     OperationResult::failure("the labels were not read"),
     {kNoLabelsFrom[0], "All groups read OK."}, false},
    {"ReadCancelledAtTheLabelQuestion", &R::readRadio, kPrompt, {Answer::Cancel}, none,
     kCancelled, {}},
    {"ReadOfAnAbsentGroupReadsNoLabels", &R::readGroup, kAlways, {}, dropGroup15,
     OperationResult::failure("group 15 is not on the radio"), kAbsent},
    {"ReadRadioCancelled", &R::readRadio, kNever, {}, cancelAFailingRead, kCancelled, {}},
    {"ReadGroupCancelled", &R::readGroup, kNever, {}, cancelDuringTransfer, kCancelled, {}},
    {"WriteNotConfirmed", &R::writeRadio, kNever, {Answer::Cancel}, none, kCancelled, {}},
    {"WriteCancelledAtTheLabelQuestion", &R::writeRadio, kPrompt,
     {Answer::Ok, Answer::Yes, Answer::Cancel}, none, kCancelled, {}},
    {"GroupWriteCancelledAtTheLabelQuestion", &R::writeGroup, kPrompt, {Answer::Ok, Answer::Cancel},
     none, kCancelled, {}},
    {"ReadGlobalCancelled", &R::readGlobal, kNever, {}, cancelDuringTransfer, kCancelled, {}},
    {"WriteGlobalCancelled", &R::writeGlobal, kNever, {Answer::Ok}, cancelDuringTransfer,
     kCancelled, {}},
    {"FailedGroupWriteStillSendsItsLabels", &R::writeGroup, kAlways, {Answer::Ok, Answer::Cancel},
     failFirstEcho, OperationResult::failure("Write Group Failed"),
     {kWriteFailed[0], "Write Group Failed", "Group 15 labels written OK."}, true, false},
    {"AbsentGroupTakesNoLabels", &R::writeGroup, kAlways, {Answer::Ok}, dropGroup15,
     OperationResult::failure("group 15 is not on the radio"), kAbsent},
    {"CancelledGroupWriteSendsNoLabels", &R::writeGroup, kAlways, {Answer::Ok, Answer::Yes},
     cancelDuringTransfer, kCancelled, {}},
    {"WriteWithNoGroupInCommonSaysSo", &R::writeRadio, kAlways, {Answer::Ok, Answer::Yes},
     noGroups, OperationResult::failure(R::kNoGroupInCommon), {R::kNoGroupInCommon}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, Operations, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zav
