// A fleet of simulated radios written at once, each on its own thread and virtual clock:
// every radio ends holding the file with its own unit number in the groups named, in the
// time one radio alone takes; a silent radio fails alone, and the log has a row for each.

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>

#include "files/csv_table.h"
#include "model/document.h"
#include "ops/fleet.h"
#include "ops/fleet_log.h"
#include "ops/fleet_start.h"
#include "sim/label_memory.h"
#include "sim/sim_radio.h"
#include "sim/synthesizer.h"
#include "sim/virtual_port.h"
#include "support/history.h"
#include "support/masked_write.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

const std::vector<int> kAllBlocks{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// Radios holding the same old contents with every group present, each reached through
// the device named by its index; what each reported.
struct Shelf final : FleetObserver {
    explicit Shelf(std::size_t n, std::optional<std::size_t> silent = {}) : radios(n), bars(n) {
        for (std::size_t i = 0; i < n; ++i) {
            radios[i] = std::make_unique<sim::SimRadio>();
            auto& memory = radios[i]->memory();
            for (std::size_t a = 0; a < memory.size(); ++a) memory[a] = static_cast<Byte>(a * 13);
            std::fill_n(memory.begin() + 80, 8, Byte{0x88});
            sim::setBandData(memory, 0xFF, 0xFF, 0xFF);  // blank: no band to check against
            before.push_back(memory);
            request.ports.push_back("radio-" + std::to_string(i));
            request.devices.push_back(std::to_string(i));
        }
        if (silent) radios[*silent]->config().faults.silent = true;
    }
    // Runs the fleet; each radio's results as they were reported. With `cancelAfter`, a
    // radio whose own clock passes it asks the fleet to cancel.
    std::vector<FleetRadioResult> run(const FileBytes& file, FleetLog* fleetLog = nullptr,
                                      std::optional<std::chrono::nanoseconds> cancelAfter = {},
                                      const ParallelRunner& runAll = runOnThreads) {
        log = fleetLog;
        return runFleet(
            request, file,
            [this, cancelAfter](const std::string& device) -> std::unique_ptr<LinkPort> {
                auto port = std::make_unique<sim::VirtualPort>(*radios.at(std::stoul(device)));
                if (cancelAfter)
                    port->setOnYield([this, &clock = *port, after = *cancelAfter] {
                        if (clock.now() >= after) cancel.requested = true;
                    });
                return port;
            },
            *this, &cancel, runAll);
    }
    // Each radio's thread touches only its own entry.
    void progressed(std::size_t index, int value, int maximum, const std::string& text) override {
        bars[index].push_back({value, maximum, text});
    }
    void finished(std::size_t /*index*/, const FleetRadioResult& r) override {
        if (log != nullptr) log->add(r);
    }

    std::vector<std::unique_ptr<sim::SimRadio>> radios;
    std::vector<sim::RadioMemory> before;
    struct Bar {
        int value, maximum;
        std::string text;
    };
    std::vector<std::vector<Bar>> bars;  // what each radio reported, in order
    FleetRequest request;
    FleetLog* log = nullptr;
    CancelRequest cancel;
};

TEST(Fleet, EachRadioHoldsTheFileWithItsUnitNumberInTheTimeOfOne) {
    FileBytes file = defaultFileBytes();
    Document doc;
    file.copyTo(doc);
    for (std::size_t a = 128; a < kRadioMemorySize; a += 5) doc.mem[a] ^= 0x5A;  // not defaults
    file.copyFrom(doc);
    const FleetUnits units{1001, {1, 7, 15}};
    test::TempDir dir;
    const std::string logPath = dir.file("fleet.csv");

    const auto single = [&] {
        Shelf one(1);
        one.request.units = units;
        return one.run(file).front();
    }();
    ASSERT_TRUE(single.result.done()) << single.reason;

    for (const std::optional<std::size_t> silent : {std::optional<std::size_t>{}, {2U}}) {
        SCOPED_TRACE(silent ? "radio 2 silent" : "all answer");
        Shelf shelf(4, silent);
        shelf.request.units = units;
        FleetLog log(logPath);
        const auto results = shelf.run(file, &log);
        ASSERT_EQ(results.size(), 4U);
        for (std::size_t k = 0; k < results.size(); ++k) {
            const FleetRadioResult& r = results[k];
            EXPECT_EQ(std::tuple(r.port, r.unit), std::tuple(shelf.request.ports[k], 1001 + k));
            if (silent == k) {
                EXPECT_EQ(std::tuple(r.result.outcome, r.reason, shelf.radios[k]->memory()),
                          std::tuple(Outcome::Failed,
                                     "the radio's band was not read: nothing was written (Error "
                                     "Hooking to Radio.)",
                                     shelf.before[k]));
                EXPECT_LT(r.bytesSent, 2 * 4 * 13);  // four hook attempts of 13 bytes: no Retry
                continue;
            }
            ASSERT_TRUE(r.result.done()) << k << ": " << r.reason;
            // Each form starts with an empty bar, and a transfer fills one.
            const auto& bars = shelf.bars[k];
            EXPECT_TRUE(std::ranges::any_of(bars, [](const Shelf::Bar& bar) {
                return bar.maximum > 0 && bar.value == bar.maximum;
            })) << k;
            for (std::size_t i = 0; i < bars.size(); ++i)
                if (i == 0 || bars[i].text != bars[i - 1].text)
                    EXPECT_EQ(std::pair(bars[i].value, bars[i].maximum), std::pair(0, 0))
                        << bars[i].text;
            EXPECT_EQ(r.duration, single.duration) << k;
            EXPECT_EQ(r.bytesSent, single.bytesSent) << k;
            // The file as the radio should hold it: its own number in the groups named.
            Document expected;
            file.copyTo(expected);
            const std::string id = "000100" + std::to_string(1 + k);
            for (const int g : units.groups) expected.group(g - 1)->writeIdNum(id);
            test::expectWritten(shelf.before[k], shelf.radios[k]->memory(),
                                test::WriteReach(expected.mem, kAllBlocks), true);
        }
    }

    // The log: the header once, then a row per radio of both fleets.
    const auto logged = test::readBytes(logPath);
    const auto rows = parseCsv(std::string(logged.begin(), logged.end()));
    ASSERT_TRUE(rows && rows->size() == 9) << logged.size();
    EXPECT_EQ(rows->front(), fleetLogHeader());
    int failed = 0;
    for (std::size_t i = 1; i < rows->size(); ++i) {
        const CsvRecord& row = (*rows)[i];
        ASSERT_EQ(row.size(), 7U);
        EXPECT_TRUE(row[0].size() == 20 && row[0].starts_with("20"))
            << row[0];  // 2024-01-31T12:00:00Z
        const int k = row[1].back() - '0';
        EXPECT_EQ(row[2], "000100" + std::to_string(1 + k));
        if (row[3] == "failed") {
            ++failed;
            EXPECT_EQ(std::pair(k, row[4].empty()), std::pair(2, false));
            continue;
        }
        EXPECT_EQ(row[3], "done");
        EXPECT_EQ(row[5], std::to_string(single.bytesSent));
        EXPECT_NEAR(std::stod(row[6]), std::chrono::duration<double>(single.duration).count(),
                    0.001);
    }
    EXPECT_EQ(failed, 1);
}

// Cancel on a fleet writing the image and the labels: asked for before the start, or when
// a radio's own clock passes 1 s (in the backup or the image write) or 20 s (in the labels);
// on threads, whichever radio gets there first, one after another the first radio's.
// Every radio is released soon after, holding its old contents or the whole file and each
// label its old or its new one; a radio whose turn came after the cancel was not opened.
// The log has a row for each, with the outcome.
TEST(Fleet, CancelStopsEveryRadioAtItsNextSafePoint) {
    using std::chrono::seconds;
    struct Case {
        const char* name;
        std::optional<std::chrono::nanoseconds> after;  // none: before the start
        bool backup;
        ParallelRunner runAll;
        std::vector<std::string> outcomes;  // one after another: exactly these
    };
    const ParallelRunner oneAfterAnother = [](const std::vector<Job>& jobs) {
        for (const Job& job : jobs) job();
    };
    const std::string none = "cancelled before it started";
    // clang-format off
    const Case cases[] = {
        {"before the start", {}, true, runOnThreads, {none, none, none}},
        {"after 1 s, backups", seconds(1), true, runOnThreads, {}},
        {"after 1 s", seconds(1), false, runOnThreads, {}},
        {"after 1 s, one after another", seconds(1), false, oneAfterAnother,
         {"cancelled after the write; the labels were not written", none, none}},
        {"after 20 s", seconds(20), false, runOnThreads, {}},
        {"after 20 s, one after another", seconds(20), false, oneAfterAnother,
         {"cancelled during the labels; the labels were not all written", none, none}},
    };
    // clang-format on
    FileBytes file = defaultFileBytes();
    Document doc;
    file.copyTo(doc);
    for (std::size_t a = 128; a < kRadioMemorySize; a += 3) doc.mem[a] ^= 0x3C;
    for (std::size_t i = 0; i < doc.labels.size(); ++i)
        doc.labels[i] = static_cast<Byte>('A' + i % 26);
    file.copyFrom(doc);
    const sim::LabelMemory written = sim::labelMemoryFromImage(doc.labels);
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::History history;
        Shelf one(1), shelf(3);
        for (Shelf* s : {&one, &shelf}) {
            s->request.answers.labels = true;
            s->request.history = &history.store;
            s->request.backup = c.backup;
        }
        const FleetRadioResult whole = one.run(file).front();
        ASSERT_TRUE(whole.result.done()) << whole.reason;
        std::vector<sim::LabelMemory> labelsBefore;
        for (const auto& radio : shelf.radios) labelsBefore.push_back(radio->labels());
        if (!c.after) shelf.cancel.requested = true;
        const std::string logPath = dir.file(std::string(c.name) + ".csv");
        FleetLog log(logPath);
        const auto results = shelf.run(file, &log, c.after, c.runAll);
        ASSERT_FALSE(log.finish());
        const auto logged = test::readBytes(logPath);
        const auto rows = parseCsv(std::string(logged.begin(), logged.end()));
        ASSERT_TRUE(rows && rows->size() == 4);
        for (std::size_t k = 0; k < results.size(); ++k) {
            const FleetRadioResult& r = results[k];
            sim::SimRadio& radio = *shelf.radios[k];
            (void)radio.runUntil(radio.now() + seconds(2), radio.baud());  // the last bytes come
            EXPECT_EQ(r.result.outcome, Outcome::Cancelled) << k << ": " << r.outcome;
            if (!c.outcomes.empty()) EXPECT_EQ(r.outcome, c.outcomes[k]);
            EXPECT_EQ(r.outcome == none, r.bytesSent == 0) << r.outcome;
            EXPECT_EQ(radio.programName(), "resident firmware") << k;
            // The next safe point comes within the image write's few seconds.
            EXPECT_LE(r.duration, std::min<std::chrono::nanoseconds>(
                                      whole.duration, c.after.value_or(seconds(0)) + seconds(4)))
                << k;
            if (radio.memory() != shelf.before[k])
                test::expectWritten(shelf.before[k], radio.memory(),
                                    test::WriteReach(doc.mem, kAllBlocks), true);
            // Each label, slot by slot, is the radio's own or the file's.
            for (std::size_t at = 0; at < kLabelImageSize; at += kLabelPositions) {
                const auto slot = [at](const auto& m) {
                    return std::span(m).subspan(at, kLabelPositions);
                };
                EXPECT_TRUE(std::ranges::equal(slot(radio.labels()), slot(labelsBefore[k])) ||
                            std::ranges::equal(slot(radio.labels()), slot(written)))
                    << "label at " << at;
            }
            const auto row =
                std::ranges::find(*rows, r.port, [](const CsvRecord& l) { return l[1]; });
            ASSERT_NE(row, rows->end()) << r.port;
            EXPECT_EQ(std::pair((*row)[3], (*row)[4]),
                      std::pair(std::string("cancelled"), r.outcome));
        }
    }
}

// --verify reads each radio back: one that did not store a word fails alone. Each radio
// first keeps what it held in the history, under its own name.
TEST(Fleet, VerifyFailsTheRadioThatDidNotStoreAWord) {
    Shelf shelf(2);
    shelf.radios[1]->config().faults.dropStoredWord = 0x0A0;
    shelf.request.verify = true;
    test::History history;
    shelf.request.history = &history.store;
    const auto results = shelf.run(defaultFileBytes());
    ASSERT_EQ(results.size(), 2U);
    EXPECT_TRUE(results[0].result.done()) << results[0].reason;
    EXPECT_EQ(results[1].result.outcome, Outcome::Failed);
    for (std::size_t k = 0; k < 2; ++k) {
        const auto kept = decodeFrequencyFile(test::readBytes(results[k].historyFile));
        ASSERT_TRUE(kept) << results[k].historyFile;
        EXPECT_TRUE(std::ranges::equal(shelf.before[k], std::span(kept->image).first(2048))) << k;
    }
}

// Each radio against its own band: the one the file does not fit fails with the channels
// as its reason, unless the request ignores the band.
TEST(Fleet, ChecksEachRadioAgainstItsOwnBand) {
    Document doc;
    doc.group(0)->channel(0).setRecFreq("420");
    doc.group(0)->channel(1).setTxFreq("590");
    FileBytes file = defaultFileBytes();
    file.copyFrom(doc);
    for (const BandCheck check : {BandCheck::Stop, BandCheck::Ignore}) {
        Shelf shelf(2);
        sim::setBandData(shelf.radios[0]->memory());                  // 450 to 512 MHz
        sim::setBandData(shelf.radios[1]->memory(), 0xFB, 0xE0, 70);  // 403 to 590 MHz
        shelf.request.answers.band = check;
        const auto results = shelf.run(file);
        const bool refused = check == BandCheck::Stop;
        const bool outside = results[0].reason.find(": outside the radio's band, 450 to 512 MHz") !=
                             std::string::npos;
        EXPECT_EQ(std::tuple(results[0].result.done(), outside, results[1].result.done()),
                  std::tuple(!refused, refused, true))
            << results[0].reason << results[1].reason;
    }
}

// Before a window's fleet runs: what cannot run is refused, files a read would replace and
// the run itself are asked about, and a log that cannot be written stops it.
TEST(Fleet, PreparingRefusesAsksAndOpensTheLog) {
    test::TempDir dir;
    const std::string kept = dir.file("r-a.frq"), fresh = dir.file("r-b.frq");
    test::writeBytes(kept, defaultFileBytes().bytes);
    struct Case {
        const char* name;
        std::vector<std::string> devices, files;
        std::string log;
        std::vector<Answer> answers;
        bool runs;
        std::size_t asked;  // questions and refusals told
    };
    const Case cases[] = {
        {"two ports on one device", {"x", "x"}, {}, "", {}, false, 1},
        {"two radios into one file", {"x", "y"}, {fresh, fresh}, "", {}, false, 1},
        {"a file replaced", {"x", "y"}, {kept, fresh}, "", {Answer::Ok, Answer::Ok}, true, 2},
        {"a file kept", {"x", "y"}, {kept, fresh}, "", {Answer::Cancel}, false, 1},
        {"the log a folder", {"x"}, {}, dir.path(), {Answer::Ok}, false, 2},
        {"with its log", {"x"}, {}, dir.file("log.csv"), {Answer::Ok}, true, 1},
    };
    for (const Case& c : cases) {
        FleetRequest request;
        request.operation = c.files.empty() ? FleetOperation::Write : FleetOperation::Read;
        request.ports = request.devices = c.devices;
        request.files = c.files;
        test::ScriptedPrompts prompts;
        for (const Answer a : c.answers) prompts.queueAnswer(a);
        const auto log = prepareFleet(request, c.log, prompts, "Fleet");
        EXPECT_EQ(std::tuple(log.has_value(), log && *log, prompts.messages.size()),
                  std::tuple(c.runs, c.runs && !c.log.empty(), c.asked))
            << c.name;
    }
}

// --ani-groups: numbers and ranges of groups 1..15, each once, nothing else.
TEST(Fleet, GroupListsNameGroupsOneToFifteen) {
    EXPECT_EQ(parseGroupList("1, 3,5-7 ,15"), (std::vector<int>{1, 3, 5, 6, 7, 15}));
    for (const char* bad : {"", "0", "16", "3,0", "2-16", "7-5", "1,,2", "x", "3-", "2,1-3"})
        EXPECT_FALSE(parseGroupList(bad)) << bad;
}

}  // namespace
}  // namespace zav
