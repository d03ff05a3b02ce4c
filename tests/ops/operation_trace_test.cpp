// What support reads: the serial trace of the radio operations (a header saying when, which
// program and which port, then each operation between its name and its outcome on the
// port's clock), the diagnostic log kept bounded, and the diagnostics file's sections.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "files/logged_stores.h"
#include "files/settings.h"
#include "iface/log.h"
#include "iface/version.h"
#include "link/trace_port.h"
#include "model/document.h"
#include "ops/diagnostics.h"
#include "ops/document_editor.h"
#include "ops/radio_operations.h"
#include "support/history.h"
#include "support/sim_link.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

// A note's seconds and text ("# 1.250000 Read Radio begins"), or a byte line's seconds; a
// header line's text whole.
struct TraceLine {
    bool note = false;
    double seconds = 0;
    std::string text;
};

std::vector<TraceLine> traceLines(const std::string& path) {
    std::vector<TraceLine> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        TraceLine& l = lines.emplace_back(TraceLine{line.starts_with("# "), 0, line});
        std::istringstream fields(l.note ? line.substr(2) : line);
        if (fields >> l.seconds) std::getline(fields >> std::ws, l.text);
    }
    return lines;
}

struct Row {
    OperationResult (RadioOperations::*operation)();
    std::string name;
    bool silent;                   // the radio never answers
    std::optional<Answer> answer;  // to the first question
    std::string outcome;           // how the end note begins
    bool bytes;                    // bytes went between the brackets
};

// Every byte of an operation lies between its brackets on the port's clock, and the trace
// begins with the date, the program's version and the port.
TEST(OperationTrace, HeaderThenEachOperationBetweenItsNameAndOutcome) {
    using R = RadioOperations;
    const std::vector<Row> rows{
        {&R::readRadio, "Read Radio", false, {}, "done", true},
        {&R::readGlobal, "Read Global", true, Answer::Cancel, "failed: ", true},
        {&R::writeRadio, "Write Radio", false, Answer::Cancel, "cancelled", false},
        {&R::labelReadGroup, "Read Group Labels", false, {}, "done", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        test::SimLink s(sim::SimConfig{.faults = {.silent = row.silent}});
        TracePort trace(s.port);
        RadioLink link(trace, s.prompts, s.progress, &s.settings);
        LogMemory log;
        link.setLog(log);
        Document doc;
        DocumentEditor window(doc, 1);  // group 1 shown
        RadioOperations ops(doc, link, s.settings, window);
        ops.setTrace(&trace);
        ops.setLabelSetting(LabelSetting::Never);
        if (row.answer) s.prompts.queueAnswer(*row.answer);
        s.port.advance(s.port.now() + std::chrono::seconds(3));  // the clock is not at 0
        ASSERT_TRUE(
            trace.startTrace(dir.file("t.txt"), traceHeader(test::FixedClock(), link.transport())));
        (void)(ops.*row.operation)();
        ASSERT_TRUE(trace.stopTrace());

        const auto lines = traceLines(dir.file("t.txt"));
        ASSERT_GT(lines.size(), 5U);
        EXPECT_EQ(lines[0].text, "# serial trace begun 2026-12-08 09:15:02");
        EXPECT_EQ(lines[1].text, "# ZAVPROG " + versionText(programVersion()));
        EXPECT_EQ(lines[2].text, "# port 1, device " + link.transport().device());
        std::vector<std::size_t> begins, ends;
        for (std::size_t i = 0; i < lines.size(); ++i) {  // byte lines' texts are bytes
            if (lines[i].text == row.name + " begins") begins.push_back(i);
            if (lines[i].text.starts_with(row.name + " ends: " + row.outcome)) ends.push_back(i);
        }
        ASSERT_EQ(std::pair(begins.size(), ends.size()), std::pair(std::size_t{1}, std::size_t{1}));
        EXPECT_DOUBLE_EQ(lines[begins[0]].seconds, 0.0);
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].note || (i > begins[0] && i < ends[0] &&
                                          lines[i].seconds <= lines[ends[0]].seconds))
                << i << ": " << lines[i].text;
        EXPECT_EQ(std::ranges::count(lines, false, &TraceLine::note) > 0, row.bytes);
        // The log has the same brackets.
        EXPECT_EQ(log.lines().front(), "zav.ops: " + row.name + " begins");
        EXPECT_EQ(log.lines().back(), "zav.ops: " + lines[ends[0]].text);
    }
}

// The log keeps the last lines and says how many went before them.
TEST(LogMemory, KeepsTheLastLinesAndCountsTheOthers) {
    struct Case {
        std::size_t limit;
        int written;
        std::vector<std::string> kept;
        std::string_view textBegins;
    };
    const std::vector<Case> cases{
        {3, 0, {}, ""},
        {3, 2, {"zav.link: 0", "zav.link: 1"}, "zav.link: 0\n"},
        {3, 5, {"zav.link: 2", "zav.link: 3", "zav.link: 4"}, "(2 earlier lines not kept)\n"},
        {0, 2, {}, "(2 earlier lines not kept)\n"},
    };
    for (const Case& c : cases) {
        LogMemory log(c.limit);
        for (int i = 0; i < c.written; ++i) log.write(LogArea::Link, std::to_string(i));
        EXPECT_EQ(std::vector<std::string>(log.lines().begin(), log.lines().end()), c.kept)
            << c.limit << " " << c.written;
        EXPECT_TRUE(log.text().starts_with(c.textBegins)) << log.text();
        EXPECT_EQ(log.dropped() + log.lines().size(), static_cast<std::size_t>(c.written));
    }
}

// A later start's trace file lies beside the chosen one, its name carrying the date.
TEST(OperationTrace, DatedFileBesideTheChosenOne) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/t/trace.txt", "/t/trace-2026-12-08-091502.txt"},
        {"/t/trace", "/t/trace-2026-12-08-091502"},
        {"/t.d/trace", "/t.d/trace-2026-12-08-091502"},
        {"/t/.trace", "/t/.trace-2026-12-08-091502"},
        {"trace.a.log", "trace.a-2026-12-08-091502.log"},
    };
    const auto none = [](const std::string&) { return false; };
    for (const auto& [chosen, dated] : cases)
        EXPECT_EQ(datedTracePath(chosen, test::FixedClock().now(), none), dated);
    // Two starts in that second before: the third start's trace is numbered 3.
    const auto twoBefore = [](const std::string& p) { return !p.ends_with("-3.txt"); };
    EXPECT_EQ(datedTracePath("/t/trace.txt", test::FixedClock().now(), twoBefore),
              "/t/trace-2026-12-08-091502-3.txt");
}

// The diagnostics file: versions, port, every setting, the trace when one is on, the log;
// and what the logged stores wrote to the log on the way.
TEST(Diagnostics, SectionsInOrderWithTheTraceOnlyWhenOn) {
    test::TempDir dir;
    DiskFileSystem disk;
    LogMemory log;
    MemorySettingsStore store;
    LoggedSettingsStore settings(store, log);
    LoggedFileSystem files(disk, log);
    writeInt(settings, settings::kVerifyWrite, 1);
    ASSERT_FALSE(files.replaceFile(dir.file("trace.txt"), std::vector<Byte>{'#', ' ', 'x', '\n'}));
    (void)files.readFile(dir.file("missing.frq"), 10);
    for (const std::string& traceFile :
         {std::string(), dir.file("trace.txt"), dir.file("gone.txt")}) {
        SCOPED_TRACE(traceFile);
        DiagnosticsInput input{
            {{"ZAVPROG", "Version 9.8.7"}}, "2", "/dev/ttyUSB1", &settings, &log, traceFile};
        const std::string text = diagnosticsText(input, files);
        std::vector<std::size_t> at;
        for (const char* title : {"== Versions ==\nZAVPROG: Version 9.8.7\n",
                                  "== Port ==\nport: 2\ndevice: /dev/ttyUSB1\n",
                                  "== Settings ==", "\nFeatures/VerifyWrite = 1\n",
                                  "\nFeatures/Trace = (not set)\n", "== Serial trace ==",
                                  "== Log ==\nzav.settings: Features/VerifyWrite = 1\n"
                                  "zav.files: saved "})
            at.push_back(text.find(title));
        EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.back() != std::string::npos) << text;
        const auto has = [&text](const std::string& part) { return text.find(part) != text.npos; };
        EXPECT_EQ(std::tuple(has("(no serial trace on)"), has("\n# x\n"), has("(not read: "),
                             has("zav.files: read " + dir.file("missing.frq") + ": ")),
                  std::tuple(traceFile.empty(), traceFile == dir.file("trace.txt"),
                             traceFile == dir.file("gone.txt"), true));
    }
}

}  // namespace
}  // namespace zav
