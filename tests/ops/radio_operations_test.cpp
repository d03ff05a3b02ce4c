// Every radio operation against the faults a user meets (a port that will not open, a
// busy link, a silent radio, a garbled hook reply, a radio that stops halfway or dies, one
// of its bytes arriving late or twice): the result, what the user is told, the document
// read or left as it was, what the window shows, and the radio's memory written only where
// its masks allow; what the radio history keeps of a read, and of the radio before a write.
// Then the label step and Cancel, case by case, and the label write after a backup.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "link/port_devices.h"
#include "link/transfer_fixture.h"
#include "model/channel.h"
#include "model/document.h"
#include "ops/editor_hooks.h"
#include "ops/radio_operations.h"
#include "ops/utility_operations.h"
#include "sim/label_memory.h"
#include "sim/synthesizer.h"
#include "support/history.h"
#include "support/masked_write.h"
#include "support/reliability_table.h"
#include "support/sim_link.h"
#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using R = RadioOperations;
using Texts = std::vector<std::string>;

constexpr int kGroup = 15;  // the selected group: the last block and the last labels
constexpr int kDtmfCode = 19;
constexpr int kNone = -2;  // no labels travel

// The bytes and labels of the document the tests compare.
struct Contents {
    MemImage mem{};
    LabelImage labels{};
    friend bool operator==(const Contents&, const Contents&) = default;
};

// Whether label `index` belongs to group index `group` (-1 all, kNone none).
bool labelInReach(int group, std::size_t index) {
    return group == -1 || (group != kNone && static_cast<int>(index % kGroupCount) == group);
}

// The editor window as the operations drive it: the selected group's bytes and labels
// shown in its controls, and the bytes it counts as replaced by a read.
class Window final : public EditorHooks {
  public:
    Window(Document& doc, int group) : doc_(doc), selected_(group) {}
    [[nodiscard]] int shownGroup() const override { return selected_ - 1; }
    void replaced(Replaced what) override {
        if (what == Replaced::Radio) doc_.reloadGroups();
        // The bytes [first, first + count) and the labels of group index `labels` (-1 all).
        using Span = std::pair<std::size_t, std::size_t>;
        const auto [first, count] =
            what == Replaced::Radio    ? Span{0, kRadioMemorySize}
            : what == Replaced::Global ? Span{0, kPageSize}
            : what == Replaced::Group
                ? Span{kPageSize * static_cast<std::size_t>(selected_), kPageSize}
                : Span{0, 0};
        std::copy_n(doc_.mem.begin() + first, count, clean.mem.begin() + first);
        const int labels = what == Replaced::GroupLabels ? std::max(selected_ - 1, 0)
                           : what == Replaced::AllLabels ? -1
                                                         : kNone;
        for (std::size_t i = 0; i < kLabelImageSize; ++i)
            if (labelInReach(labels, i)) clean.labels[i] = doc_.labels[i];
        shown = visible();
    }
    [[nodiscard]] bool mayReplace(std::string /*question*/) override { return true; }
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
// setting, the selected group and the answers to the questions; a radio history that
// keeps the reads, with the backups before writes off.
struct Bench {
    explicit Bench(sim::SimConfig config = {}, sim::VirtualPortOptions port = {},
                   LabelSetting labels = LabelSetting::Never, int group = kGroup)
        : s(config, std::move(port)), editor(doc, group) {
        std::mt19937 rng(5);
        for (Byte& b : s.radio.memory()) b = static_cast<Byte>(rng());
        for (Byte& b : doc.mem) b = static_cast<Byte>(rng());
        // Every channel frequency (record bytes 0 and 4) within the radio's band, 450 to
        // 512 MHz, so that the band check lets every write go: 450 to 467 MHz.
        for (std::size_t a = kPageSize; a < kRadioMemorySize; a += channel_field::kTxFreq)
            if (a % kPageSize >= channel_field::kFirstRecord) {
                doc.mem[a] = static_cast<Byte>(0x50 | (doc.mem[a] & 0x0F));
                doc.mem[a + 1] &= 0xFE;
            }
        sim::installSynthesizer(s.radio);
        sim::setBandData(s.radio.memory());
        for (std::size_t i = 0; i < doc.labels.size(); ++i) {
            doc.labels[i] = static_cast<Byte>('A' + i % 26);
            s.radio.labels()[i] = static_cast<Byte>('a' + i % 23);
        }
        for (std::size_t i = 80; i < 88; ++i) s.radio.memory()[i] = doc.mem[i] = 0x88;
        s.radio.memory()[86] = doc.mem[86] = kGroup13Byte;
        ops.setLabelSetting(labels);
        ops.setBackupBeforeWrite(false);
        editor.open();
    }
    // After an operation: the link free and its port closed, the radio released in its own
    // firmware (unless `lost`), the window showing the document and counting what was read
    // as unchanged.
    void expectSettled(bool lost = false) {
        EXPECT_EQ(std::tuple(s.link.busy(), s.link.transport().isOpen(),
                             s.progress.mainWindowEnabled, s.progress.barVisible, s.progress.shown),
                  std::tuple(false, false, true, false, false));
        EXPECT_TRUE(lost || s.radio.programName() == "resident firmware") << s.radio.programName();
        EXPECT_EQ(editor.shown, editor.visible());
        EXPECT_EQ(editor.clean, (Contents{doc.mem, doc.labels}));
    }
    test::SimLink s;
    Document doc;
    Window editor;
    test::History history;
    RadioOperations ops{doc, s.link, s.settings, editor, &history.store};
};

// Syncal's window, which the matrix does not look at.
struct NoWindow final : SyncalSink {
    void addStatusLine(const std::string& /*text*/) override {}
    void setStatusText(const std::string& /*text*/) override {}
};

OperationResult dtmf(R& ops) {
    return sendDtmfDeviation(ops.link(), kDtmfCode);
}

OperationResult syncal(R& ops) {
    NoWindow window;
    Syncal run(ops.link(), ops.link().prompts(), window);
    return alignSynthesizer(run);
}

struct OpRow {
    const char* name;
    std::function<OperationResult(R&)> run;
    std::vector<Answer> answers;               // the questions asked before the link is taken
    std::pair<std::size_t, std::size_t> read;  // bytes of the image read
    int labelsRead = kNone;                    // label group index, -1 all
    std::vector<int> written{};                // blocks written under the masks
    int labelsWritten = kNone;
    std::pair<std::size_t, std::size_t> set{};  // bytes set as a fault-free run sets them
    bool quiet = false;                         // tells its own failures in the result only
};

const std::vector<int> kGroupBlocks{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15};
const std::vector<int> kAllBlocks{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15};

// clang-format off
const OpRow kOps[] = {
    {"ReadRadio", &R::readRadio, {}, {0, 2048}},
    {"ReadGlobal", &R::readGlobal, {}, {0, 128}},
    {"ReadGroup", &R::readGroup, {}, {1920, 2048}},
    {"WriteRadio", &R::writeRadio, {Answer::Ok, Answer::Yes}, {}, kNone, kAllBlocks},
    {"WriteRadioNoGlobal", &R::writeRadio, {Answer::Ok, Answer::No}, {}, kNone, kGroupBlocks},
    {"WriteGlobal", &R::writeGlobal, {Answer::Ok}, {}, kNone, {0}},
    {"WriteGroup", &R::writeGroup, {Answer::Ok}, {}, kNone, {kGroup}},
    {"LabelReadGroup", &R::labelReadGroup, {}, {}, kGroup - 1},
    {"LabelReadRadio", &R::labelReadRadio, {}, {}, -1},
    {"LabelWriteGroup", &R::labelWriteGroup, {}, {}, kNone, {}, kGroup - 1},
    {"LabelWriteRadio", &R::labelWriteRadio, {}, {}, kNone, {}, -1},
    {"Dtmf", dtmf, {}, {}, kNone, {}, kNone, {0x6F, 0x70}, true},
    {"Syncal", syncal, {}, {}, kNone, {}, kNone, {0x68, 0x78}},
};
// clang-format on

bool isQuestion(const std::string& text) {
    return text == R::kConfirmWrite || text == R::kAskWriteGlobal || text == R::kAskReadLabels ||
           text == R::kAskWriteLabels;
}

// What the user was told, the operations' questions left out.
Texts told(const test::SimLink& s) {
    Texts out = s.prompts.texts();
    std::erase_if(out, isQuestion);
    return out;
}

// An operation without faults: how many bytes the radio sends, how long it takes, the
// radio's memory afterwards.
struct Baseline {
    int radioBytes = 0;
    sim::SimTime took{};
    sim::RadioMemory radio{};
};

const Baseline& baseline(const OpRow& row) {
    static std::map<std::string, Baseline> runs;
    auto [it, fresh] = runs.try_emplace(row.name);
    if (!fresh) return it->second;
    Bench b;
    for (const Answer a : row.answers) b.s.prompts.queueAnswer(a);
    (void)row.run(b.ops);
    it->second.took = b.s.now();
    b.s.port.advance(b.s.now() + 2s);
    it->second.radioBytes = static_cast<int>(std::ranges::count(b.s.radio.transcript().entries(),
                                                                sim::Direction::RadioToHost,
                                                                &sim::TranscriptEntry::direction));
    it->second.radio = b.s.radio.memory();
    return it->second;
}

// Garbage: a hook reply that is none. Late and Twice: one of the radio's bytes (at `at`)
// arrives after the host gave up on it, or twice. Cut and Vanishes: halfway through the
// fault-free run's time the line goes dead, or the port's device goes away.
// Backed, BackupStops and DiskFull back the radio up before a write: without a fault, with
// the radio silent from half way through the backup's read, with the disk full.
// clang-format off
enum class Kind {
    None, PortWillNotOpen, LinkBusy, Silent, Garbage, WrongSpeed, NoFastProbe, LoaderNotEchoed,
    StopsHalfway, Cut, Vanishes, DiesAfterGroups, Dropped, WrongEcho, BadAck, JustInTime,
    JustTooLate, Late, Twice, Backed, BackupStops, DiskFull
};
// clang-format on
// The radio's byte: the hook reply, the one after it, the middle one, the last but one, the
// last.
enum class At { First, Second, Middle, BeforeLast, Last };
struct Fault {
    Kind kind;
    At at;
    const char* id;       // in the test's name
    const char* caption;  // in RELIABILITY.md
};

// clang-format off
const Fault kFaults[] = {
    {Kind::None, At::First, "Done", "no fault"},
    {Kind::PortWillNotOpen, At::First, "PortWillNotOpen", "the port will not open"},
    {Kind::LinkBusy, At::First, "LinkBusy", "another operation holds the link"},
    {Kind::Silent, At::First, "Silent", "silent radio"},
    {Kind::Garbage, At::First, "Garbage", "wrong hook reply"},
    {Kind::WrongSpeed, At::First, "WrongSpeed", "the radio at the other line speed"},
    {Kind::NoFastProbe, At::First, "NoFastProbe", "no probe answer after the speed change"},
    {Kind::LoaderNotEchoed, At::First, "LoaderNotEchoed", "the second RAM write not echoed"},
    {Kind::StopsHalfway, At::First, "StopsHalfway", "the radio stops answering halfway"},
    {Kind::Cut, At::First, "Cut", "the radio gone mid-transfer"},
    {Kind::Vanishes, At::First, "Vanishes", "the port vanishes while open"},
    {Kind::DiesAfterGroups, At::First, "DiesAfterThreeGroups",
     "the radio dies after storing three groups"},
    {Kind::Dropped, At::Second, "DroppedEarly", "a byte dropped early"},
    {Kind::Dropped, At::Middle, "DroppedMid", "a byte dropped mid-transfer"},
    {Kind::Dropped, At::Last, "DroppedLast", "the last byte dropped"},
    {Kind::WrongEcho, At::First, "WrongEcho", "a wrong echo"},
    {Kind::BadAck, At::First, "BadAck", "an acknowledgement without bit 5"},
    {Kind::JustInTime, At::First, "JustInTime", "replies just under the 0.5 s limit (0.46 s)"},
    {Kind::JustTooLate, At::First, "JustTooLate", "replies just over the 0.5 s limit (0.505 s)"},
    {Kind::Late, At::First, "Late", "the hook reply late"},
    {Kind::Late, At::Second, "LateSecond", "the second byte late"},
    {Kind::Late, At::Middle, "LateMiddle", "a byte late mid-transfer"},
    {Kind::Late, At::BeforeLast, "LateBeforeLast", "the last byte but one late"},
    {Kind::Twice, At::First, "Twice", "the hook reply twice"},
    {Kind::Twice, At::Second, "TwiceSecond", "the second byte twice"},
    {Kind::Twice, At::Middle, "TwiceMiddle", "a byte twice mid-transfer"},
    {Kind::Twice, At::BeforeLast, "TwiceBeforeLast", "the last byte but one twice"},
    {Kind::Backed, At::First, "Backed", "backups on, no fault"},
    {Kind::BackupStops, At::First, "BackupStops",
     "backups on: the radio stops answering halfway through the backup's read"},
    {Kind::DiskFull, At::First, "DiskFull", "backups on: the disk full as the copy is kept"}};
// clang-format on

// The port every cell opens, named so that the table (and the history files it names) read
// the same on every system.
constexpr const char* kMatrixDevice = "/dev/ttyS0";

// The radio and the port showing a fault in an operation whose fault-free run is `base`.
std::pair<sim::SimConfig, sim::VirtualPortOptions> faulty(const Fault& f, const Baseline& base) {
    sim::SimConfig config;
    sim::VirtualPortOptions port;
    sim::SimFaults& x = config.faults;
    const int n = base.radioBytes;
    const int nth = std::array{1, 2, n / 2, n - 1, n}[static_cast<std::size_t>(f.at)];
    // clang-format off
    switch (f.kind) {
        case Kind::PortWillNotOpen: port.failingDevices = {{kMatrixDevice, "No such file"}}; break;
        case Kind::Silent: x.silent = true; break;
        case Kind::Garbage: config.hookReply = 0x14; break;
        case Kind::NoFastProbe: x.noFastProbe = true; break;
        case Kind::LoaderNotEchoed: x.noRamEcho = 2; break;
        case Kind::StopsHalfway: x.stopAfter = n / 2; break;
        case Kind::Cut: x.cutAt = base.took / 2; break;
        case Kind::Vanishes: port.vanishAt = base.took / 2; break;
        case Kind::DiesAfterGroups: x.dieAfterBlocks = 3; break;
        case Kind::Dropped: x.dropOutput = nth; break;
        case Kind::WrongEcho: x.wrongEcho = 1; break;
        case Kind::BadAck: x.badAck = 1; break;
        case Kind::JustInTime: x.replyDelay = 460ms; break;  // the hook's 13 bytes take 27 ms
        case Kind::JustTooLate: x.replyDelay = 505ms; break;
        case Kind::Late: x.lateOutput = nth, x.lateBy = 700ms; break;
        case Kind::Twice: x.sentTwice = nth; break;
        case Kind::BackupStops: x.stopAfter = baseline(kOps[0]).radioBytes / 2; break;
        default: break;
    }
    // clang-format on
    return {config, port};
}

// The longest the host went without writing a byte, up to the operation's end.
sim::SimTime longestWait(const std::vector<sim::SimTime>& writes, sim::SimTime end) {
    sim::SimTime last{0};
    sim::SimTime longest{0};
    for (const sim::SimTime t : writes) longest = std::max(longest, t - std::exchange(last, t));
    return std::max(longest, end - last);
}

using Cell = std::tuple<OpRow, Fault>;

// Each cell's outcome and what the user was told, by fault and operation.
std::map<std::pair<std::string, std::string>, std::string> outcomes;

// The result, and every message the user was told with its title; the history's folder
// (a fresh one each time) as HISTORY.
std::string outcomeText(const OperationResult& result, const Bench& b) {
    std::string out = result.outcome == Outcome::Done        ? "done"
                      : result.outcome == Outcome::Cancelled ? "cancelled"
                                                             : "failed: " + result.message;
    std::string seen;
    for (const Message& m : b.s.prompts.messages)
        if (!isQuestion(m.text)) seen += " “" + m.text + "” (" + m.shownTitle() + ")";
    out += seen.empty() ? "; nothing told" : "; told" + seen;
    const std::string folder = b.history.dir.path();
    for (auto at = out.find(folder); at != std::string::npos; at = out.find(folder))
        out.replace(at, folder.size(), "HISTORY");
    return out;
}

// The matrix as Markdown: a row per fault, a column per operation, each cell the outcome
// and a note (listed below the table) of the result and what the user was told.
std::string matrixTable() {
    std::vector<std::string> notes;
    std::string head = "| fault |";
    std::string rule = "|---|";
    for (const OpRow& op : kOps) head += std::string(" ") + op.name + " |", rule += "---|";
    std::string table = head + "\n" + rule + "\n";
    for (const Fault& f : kFaults) {
        table += std::string("| ") + f.caption + " |";
        for (const OpRow& op : kOps) {
            const std::string& text = outcomes[{f.id, op.name}];
            auto it = std::ranges::find(notes, text);
            if (it == notes.end()) it = notes.insert(it, text);
            table += " " + text.substr(0, text.find_first_of(":;")) + " (" +
                     std::to_string(it - notes.begin() + 1) + ") |";
        }
        table += "\n";
    }
    table += "\n";
    for (std::size_t i = 0; i < notes.size(); ++i)
        table += std::to_string(i + 1) + ". " + notes[i] + "\n";
    return table;
}

class OperationFaults : public ::testing::TestWithParam<Cell> {
  public:
    // With the whole matrix run: writes the table where ZAV_MATRIX_TABLE names, or
    // compares it with RELIABILITY.md's.
    static void TearDownTestSuite() {
        if (outcomes.size() != std::size(kOps) * std::size(kFaults)) return;
        test::expectReliabilityTable("matrix", "ZAV_MATRIX_TABLE", matrixTable());
    }
};

// How long the host may wait for the radio: a receive limit (0.5 s and the pass that
// notices it), then a quiet line before the next attempt, or the pause between the
// parameter read and the run of an alignment.
constexpr sim::SimTime kLongestWait = 1500ms;
// A dead line ends an operation within a few seconds: the read's last segment requests,
// a label byte's four tries, three unanswered alignment probes.
constexpr sim::SimTime kLongestEnd = 3500ms;

TEST_P(OperationFaults, EndAsTheyTellAndTouchOnlyWhatTheyMay) {
    const auto& [row, fault] = GetParam();
    const Baseline& base = baseline(row);
    const auto [config, port] = faulty(fault, base);
    Bench b(config, port);
    b.s.settings.write("Comm", "Device1", kMatrixDevice);
    const bool backups = fault.kind >= Kind::Backed;
    b.ops.setBackupBeforeWrite(backups);
    b.history.disk.full = fault.kind == Kind::DiskFull;
    if (fault.kind == Kind::WrongSpeed) b.s.radio.setBaud(9600);
    for (const Answer a : row.answers) b.s.prompts.queueAnswer(a);
    const MemImage image = b.doc.mem;
    const LabelImage labels = b.doc.labels;
    const sim::RadioMemory radio = b.s.radio.memory();
    const LabelImage radioLabels = sim::labelImageFromMemory(b.s.radio.labels());
    auto running = fault.kind == Kind::LinkBusy ? b.s.link.tryBeginOperation()
                                                : std::optional<RadioLink::BusyGuard>{};

    const OperationResult result = row.run(b.ops);
    running.reset();
    const sim::SimTime ended = b.s.now();
    b.s.port.advance(ended + 2s);  // the last bytes arrive
    outcomes[{fault.id, row.name}] = outcomeText(result, b);

    // No failure goes untold but the quiet ones, no cancel is told, no wait is too long.
    const bool ok = result.done();
    EXPECT_NE(result.outcome, Outcome::Cancelled);
    EXPECT_TRUE(ok || row.quiet || !told(b.s).empty());
    EXPECT_LE(longestWait(b.s.port.writeTimes(), ended), kLongestWait);
    const bool gone = fault.kind == Kind::Cut || fault.kind == Kind::Vanishes;
    EXPECT_LE(gone ? ended - base.took / 2 : 0s, kLongestEnd);
    EXPECT_TRUE(fault.kind != Kind::LinkBusy || b.s.port.writeTimes().empty());
    for (const std::string& form : b.s.progress.forms)  // only a write asks before Cancel
        EXPECT_EQ(form.ends_with(" [write]"), form.starts_with(R::kWritingRadio)) << form;
    // The radio stays unreleased where the line went dead, or a whole write lost an answer
    // mid-block, where an end byte would be row data (the radio's own idle limit ends its
    // write program then).
    b.expectSettled(
        fault.kind == Kind::Cut || fault.kind == Kind::Vanishes ||
        fault.kind == Kind::DiesAfterGroups ||
        (row.written.size() > 1 && (fault.kind == Kind::StopsHalfway || fault.at == At::Middle)));

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
    // One link message per failure (none for a port reopened only to release a radio it
    // no longer reaches). "Not written" is said only of a radio left as it was; a whole
    // write that changed it says where it stopped.
    EXPECT_LE(std::ranges::count(b.s.prompts.messages, kCommErrorTitle, &Message::shownTitle), 1);
    const bool untouched = b.s.radio.memory() == radio;
    EXPECT_TRUE(result.message != "the radio was not written" || untouched);
    if (!ok && !untouched && row.written.size() > 1)
        EXPECT_TRUE(result.message.starts_with("the write stopped part-way: ")) << result.message;
    // The radio: written within the masks (and bytes set only as a fault-free run sets
    // them), completely after a success.
    test::WriteReach reach(image, row.written);
    for (std::size_t i = row.set.first; i < row.set.second; ++i)
        reach.mask[i] = 0xFF, reach.target[i] = base.radio[i];
    test::expectWritten(radio, b.s.radio.memory(), reach, ok);

    // The history: a read that went well keeps the document as it left it; a write keeps
    // the radio as it was before (segment 0, those the page map names, and the labels
    // when labels go) when it backs up, and one whose backup failed left the radio alone.
    const auto kept = b.history.kept();
    const bool writes = !row.written.empty() || row.labelsWritten != kNone;
    const bool reads = row.read.second > 0 || row.labelsRead != kNone;
    const bool keeps = reads ? ok && fault.kind != Kind::DiskFull : fault.kind == Kind::Backed;
    ASSERT_EQ(kept.size(), keeps && (reads || writes) ? 1U : 0U);
    if (reads && keeps)
        EXPECT_EQ((Contents{kept[0].image, kept[0].labels}), (Contents{b.doc.mem, b.doc.labels}));
    if (!writes || !backups) return;
    if (kept.empty()) {
        EXPECT_EQ(std::tuple(ok, b.s.radio.memory(), labelsNow),
                  std::tuple(false, radio, radioLabels));
        return;
    }
    for (std::size_t segment = 0; segment < kRadioMemorySize / 256; ++segment) {
        if (segment > 0 && radio[global_field::kPageMapFirst + segment] == 0) continue;
        EXPECT_TRUE(std::equal(radio.begin() + 256 * segment, radio.begin() + 256 * (segment + 1),
                               kept[0].image.begin() + 256 * segment))
            << "segment " << segment;
    }
    EXPECT_EQ(kept[0].labels, row.labelsWritten != kNone ? radioLabels : labels);
}

INSTANTIATE_TEST_SUITE_P(Matrix, OperationFaults,
                         ::testing::Combine(::testing::ValuesIn(kOps),
                                            ::testing::ValuesIn(kFaults)),
                         [](const ::testing::TestParamInfo<Cell>& cell) {
                             return std::string(std::get<0>(cell.param).name) + "_" +
                                    std::get<1>(cell.param).id;
                         });

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

// A write takes what the document holds (the matrix's fault-free cells), and with verify
// on reads it back.
TEST(Operations, AVerifiedWriteReadsTheRadioBack) {
    for (const auto op : {&R::writeRadio, &R::writeGroup}) {
        Bench b;
        b.s.prompts.queueAnswer(Answer::Ok);
        b.s.prompts.queueAnswer(Answer::Yes);
        b.ops.setVerifyAfterWrite(true);
        EXPECT_TRUE((b.ops.*op)().done());
        EXPECT_EQ(b.s.progress.forms.back(), R::kVerifyingRadio);
    }
}

// The band check before a write (450 to 512 MHz, its edges inside): the channels outside it
// of the groups the write sends, in one question whose No leaves the radio alone. Those are
// the groups of the radio's page map when a backup read it (group 13 absent), else every
// group the document holds.
TEST(Operations, AWriteAsksNamingTheChannelsOutsideTheRadiosBand) {
    const std::string g1 = "\ngroup 1, channel 1: receive frequency 420.00000 MHz";
    const std::string g13 = "\ngroup 13, channel 2: transmit frequency 590.00000 MHz";
    // The group (0: the whole radio), backup, the answer (none: not asked), the channels named.
    const std::tuple<int, bool, std::optional<Answer>, std::string> cases[] = {
        {0, true, Answer::No, g1},
        {0, false, Answer::No, g1 + g13},
        {1, true, Answer::Yes, g1},
        {2, false, std::nullopt, ""}};
    for (const auto& [group, backup, answer, named] : cases) {
        Bench b({}, {}, LabelSetting::Never, group);
        b.ops.setBackupBeforeWrite(backup);
        b.doc.mem[86] = 0x88;  // group 13 in the document only
        Channel(b.doc.mem, b.doc.labels, 0, 0).setRecFreq("420");
        Channel(b.doc.mem, b.doc.labels, 1, 13).setTxFreq("512");
        Channel(b.doc.mem, b.doc.labels, 1, 0).setRecFreq("450");
        Channel(b.doc.mem, b.doc.labels, 12, 1).setTxFreq("590");
        const sim::RadioMemory before = b.s.radio.memory();
        b.s.prompts.queueAnswer(Answer::Ok);                   // the confirmation
        if (group == 0) b.s.prompts.queueAnswer(Answer::Yes);  // the global block
        if (answer) b.s.prompts.queueAnswer(*answer);
        const OperationResult result = group == 0 ? b.ops.writeRadio() : b.ops.writeGroup();
        const bool written = answer.value_or(Answer::Yes) == Answer::Yes;
        EXPECT_EQ(result.done(), written) << group << named << result.message;
        EXPECT_EQ(b.s.radio.memory() != before, written);
        const auto asked =
            std::ranges::find(b.s.prompts.messages, std::string(R::kBandTitle), &Message::title);
        ASSERT_EQ(asked != b.s.prompts.messages.end(), answer.has_value());
        if (!answer) continue;
        EXPECT_EQ(std::tuple(asked->buttons, asked->defaultButton, asked->text),
                  std::tuple(Buttons::YesNo, DefaultButton::Second,
                             "These channels lie outside the radio's band (450 to 512 MHz), "
                             "where its synthesizer cannot lock:" +
                                 named + "\n\nWrite anyway?"));
    }
}

// The label setting and the port (1..4) persist; other ports change nothing, and the port
// stays while an operation runs.
TEST(Operations, KeepOnlyValidSettingsAndThePortOfARunningOperation) {
    Bench b;
    b.ops.setLabelSetting(LabelSetting::Always);
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
    EXPECT_EQ(b.s.link.transport().device(), defaultPortDevice(4));
    const RadioOperations again(b.doc, b.s.link, b.s.settings, b.editor);
    EXPECT_EQ(std::pair(again.labelSetting(), again.portNumber()),
              std::pair(LabelSetting::Always, 4));
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

void none(test::SimLink& /*s*/) {}
void dropGroup15(test::SimLink& s) {
    s.radio.memory()[87] &= 0xF0;
}
void cancelDuringTransfer(test::SimLink& s) {
    s.port.setOnYield([&s] {
        if (s.progress.values.size() >= 3) s.progress.pressCancel();
    });
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

    EXPECT_EQ(
        std::tuple(told(b.s), b.doc.mem == image, b.doc.labels, b.s.radio.labels() == radioLabels),
        std::tuple(c.told, c.keepsImage, labels, c.keepsRadioLabels));
    b.s.port.advance(b.s.now() + 2s);  // the last bytes arrive: the radio has been released
    b.expectSettled();
}

// clang-format off
const Case kCases[] = {
    {"ReadWithLabelsThatFail", &R::readRadio, kAlways, {},
     [](test::SimLink& s) { s.radio.config().faults.labelMissFrame = 1, s.radio.config().faults.labelMisses = 4; },
     OperationResult::failure("the labels were not read"),
     {"Unable to upload data from radio", "All groups read OK."}, false},
    {"ReadCancelledAtTheLabelQuestion", &R::readRadio, kPrompt, {Answer::Cancel}, none,
     kCancelled, {}},
    {"ReadOfAnAbsentGroupReadsNoLabels", &R::readGroup, kAlways, {}, dropGroup15,
     OperationResult::failure("group 15 is not on the radio"), kAbsent},
    {"ReadGroupCancelled", &R::readGroup, kNever, {}, cancelDuringTransfer, kCancelled, {}},
    {"WriteCancelledBeforeItWrites", &R::writeRadio, kAlways, {Answer::Ok, Answer::Yes},
     [](test::SimLink& s) { s.port.setOnYield([&s] { s.progress.pressCancel(); }); },
     OperationResult{Outcome::Cancelled, "nothing was written"}, {}},
    {"WriteNotConfirmed", &R::writeRadio, kNever, {Answer::Cancel}, none, kCancelled, {}},
    {"WriteCancelledAtTheLabelQuestion", &R::writeRadio, kPrompt,
     {Answer::Ok, Answer::Yes, Answer::Cancel}, none, kCancelled, {}},
    {"GroupWriteCancelledAtTheLabelQuestion", &R::writeGroup, kPrompt, {Answer::Ok, Answer::Cancel},
     none, kCancelled, {}},
    {"ReadGlobalCancelled", &R::readGlobal, kNever, {}, cancelDuringTransfer, kCancelled, {}},
    {"WriteGlobalCancelled", &R::writeGlobal, kNever, {Answer::Ok}, cancelDuringTransfer,
     kCancelled, {}},
    {"FailedGroupWriteStillSendsItsLabels", &R::writeGroup, kAlways, {Answer::Ok, Answer::Cancel},
     [](test::SimLink& s) { s.radio.config().faults.wrongEcho = 1; },
     OperationResult::failure("Write Group Failed"),
     {"Write Failed. Cycle Radio Power before Retrying.", "Write Group Failed", "Group 15 labels written OK."}, true, false},
    {"AbsentGroupTakesNoLabels", &R::writeGroup, kAlways, {Answer::Ok}, dropGroup15,
     OperationResult::failure("group 15 is not on the radio"), kAbsent},
    {"CancelledGroupWriteSendsNoLabels", &R::writeGroup, kAlways, {Answer::Ok, Answer::Yes},
     cancelDuringTransfer, kCancelled, {}},
    {"WriteWithNoGroupInCommonSaysSo", &R::writeRadio, kAlways, {Answer::Ok, Answer::Yes},
     [](test::SimLink& s) { std::fill_n(s.radio.memory().begin() + 80, 8, Byte{0}); },
     OperationResult::failure(R::kNoGroupInCommon), {R::kNoGroupInCommon}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, Operations, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

// With the labels its backup read, a label write sends only the bytes that differ (six
// slots of group 15 here) and leaves the radio holding the file's labels; without a
// backup it sends every byte.
TEST(Operations, ALabelWriteAfterItsBackupSendsOnlyTheBytesThatDiffer) {
    for (const auto& [write, backup, frames] : {std::tuple{&R::labelWriteRadio, true, 48U},
                                                {&R::labelWriteGroup, true, 48U},
                                                {&R::labelWriteRadio, false, 1920U},
                                                {&R::labelWriteGroup, false, 128U}}) {
        Bench b;
        b.ops.setBackupBeforeWrite(backup);
        LabelImage radio = b.doc.labels;
        for (const int slot : {0, 3, 5, 8, 13, 15})
            for (int k = 0; k < kLabelPositions; ++k)
                radio[labelIndex(kGroup - 1, slot, k)] ^= 0x20;
        b.s.radio.labels() = sim::labelMemoryFromImage(radio);
        EXPECT_TRUE((b.ops.*write)().done());
        EXPECT_EQ(test::hostNotes(b.s.radio, "label write").size(), frames);
        EXPECT_EQ(sim::labelImageFromMemory(b.s.radio.labels()), b.doc.labels);
        EXPECT_EQ(b.history.kept().size(), backup ? 1U : 0U);
    }
}

}  // namespace
}  // namespace zav
