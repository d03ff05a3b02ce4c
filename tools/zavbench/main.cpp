// zavbench: every radio operation of zavtool against paced simulated radios (zavsim
// --pace on pseudo-terminals), each run three times; prints a Markdown table of the bytes
// each way, the line-time minimum from the radio's transcript and what the link's in-step
// checks add to it, the target and the measured wall time, and the CPU time (medians), then the
// start-up and exit times of zavtool and the editor. The commands run in this process through
// zavtool's run(), exactly as the zavtool program runs them, so that a command's figures hold the
// command and not the loading of a process (measured once, on its own row). Usage: zavbench BIN_DIR
// [--runs N] [--only TEXT]   (BIN_DIR holds tools/ and src/)

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include <sys/resource.h>

#include <chrono>

#include "files/file_header.h"
#include "line_time.h"
#include "process.h"
#include "zavtool.h"

namespace {

namespace fs = std::filesystem;
using zav::bench::Procedure;

struct Operation {
    std::string_view name;
    // zavtool's words before the ports; FILE and OUT stand for files, EDITED for FILE with
    // six label slots changed
    std::string_view command;
    Procedure procedure;
    int radios = 1;
};

// The writes measure the radio's own conversation (--no-backup) but in the rows that show
// what a backup costs.
constexpr std::array kOperations{
    Operation{"whole read", "read --force OUT", Procedure::ReadRadio},
    Operation{"whole write", "write --no-backup FILE", Procedure::WriteRadio},
    Operation{"whole write, global block skipped", "write --skip-global --no-backup FILE",
              Procedure::WriteRadio},
    Operation{"whole write, backed up first", "write FILE", Procedure::BackedUpWriteRadio},
    Operation{"group read (group 5)", "read-group --group 5 OUT", Procedure::ReadBlock},
    Operation{"group write (group 5)", "write-group --group 5 --no-backup FILE",
              Procedure::WriteBlock},
    Operation{"group write (group 5), backed up first", "write-group --group 5 FILE",
              Procedure::BackedUpWriteBlock},
    Operation{"global read", "read-global OUT", Procedure::ReadBlock},
    Operation{"global write", "write-global --no-backup FILE", Procedure::WriteBlock},
    Operation{"global write, backed up first", "write-global FILE", Procedure::BackedUpWriteBlock},
    Operation{"label read, all groups", "read-labels OUT", Procedure::ReadLabels},
    Operation{"label read, group 5", "read-labels --group 5 OUT", Procedure::ReadLabels},
    Operation{"label write, all groups", "write-labels --no-backup FILE", Procedure::WriteLabels},
    Operation{"label write, group 5", "write-labels --group 5 --no-backup FILE",
              Procedure::WriteLabels},
    Operation{"label write, 6 slots changed, backed up first", "write-labels EDITED",
              Procedure::BackedUpWriteLabels},
    Operation{"DTMF deviation write", "dtmf 12", Procedure::Dtmf},
    Operation{"Syncal", "syncal", Procedure::Syncal},
    Operation{"fleet write, 1 radio", "write --no-backup FILE", Procedure::WriteRadio, 1},
    Operation{"fleet write, 2 radios", "write --no-backup FILE", Procedure::WriteRadio, 2},
    Operation{"fleet write, 4 radios", "write --no-backup FILE", Procedure::WriteRadio, 4},
    Operation{"fleet write, 8 radios", "write --no-backup FILE", Procedure::WriteRadio, 8},
    Operation{"fleet write, 16 radios", "write --no-backup FILE", Procedure::WriteRadio, 16},
};

// A single radio's wall time may not pass this multiple of its line-time minimum and
// in-step checks, plus kPerConnectionMs for each connection (opening and closing the port).
constexpr double kLineRatio = 1.02;
constexpr double kPerConnectionMs = 10;
// The tool's CPU time may not pass this share of the wall time, for one radio or a fleet.
constexpr double kCpuShare = 0.02;
constexpr double kFleetCpuShare = 0.03;

struct Measure {
    bool ok = false;
    int hostBytes = 0;
    int radioBytes = 0;
    double pausesMs = 0;
    double minimumMs = 0;
    double checksMs = 0;
    int connections = 0;
    double wallMs = 0;
    double cpuMs = 0;
};

struct Bench {
    fs::path bin;
    fs::path work;
    fs::path file;    // the image every write sends and the simulated radios start with
    fs::path edited;  // the same with six label slots changed
};

std::vector<std::string> words(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// This process's user and system time so far.
double cpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

Measure runOnce(const Bench& b, const Operation& op) {
    Measure m;
    std::vector<zav::bench::SimulatedRadio> radios;
    std::vector<fs::path> transcripts;
    std::vector<std::string> argv;
    const std::vector<std::string> command = words(op.command);
    const bool named = op.command.ends_with("FILE") || op.command.ends_with("OUT") ||
                       op.command.ends_with("EDITED");
    argv.insert(argv.end(), command.begin(), command.end() - (named ? 1 : 0));
    for (int k = 0; k < op.radios; ++k) {
        transcripts.push_back(b.work / ("transcript-" + std::to_string(k) + ".txt"));
        radios.emplace_back(
            (b.bin / "tools/zavsim").string(),
            std::vector<std::string>{"--pace", "--memory", b.file.string(), "--band", "25,64,211",
                                     "--transcript", transcripts.back().string()});
        if (radios.back().device().empty()) return m;
        argv.insert(argv.end(), {"--port", radios.back().device()});
    }
    if (command.back() == "FILE") argv.push_back(b.file.string());
    if (command.back() == "EDITED") argv.push_back(b.edited.string());
    if (command.back() == "OUT") argv.push_back((b.work / "out.frq").string());
    std::ostringstream out;
    zav::tool::ToolIo io{out, out};
    const double cpuBefore = cpuMs();
    const auto start = std::chrono::steady_clock::now();
    m.ok = zav::tool::run(argv, io) == zav::tool::kExitDone;
    m.wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    m.cpuMs = cpuMs() - cpuBefore;
    // The last byte sent (a release) takes its line time to reach the radio; stopped at
    // once, a radio would miss it in its transcript, and the check before it with it.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    radios.clear();  // stops them: the transcripts are complete
    for (const fs::path& t : transcripts) {
        std::ifstream in(t);
        const auto bytes = zav::bench::readTranscript(in);
        if (!bytes) return Measure{};
        const auto line = zav::bench::lineTimeMinimum(*bytes, op.procedure);
        m.hostBytes += line.hostBytes;
        m.radioBytes += line.radioBytes;
        m.pausesMs = std::max(m.pausesMs, line.pausesMs);
        // The radios are served at once: the slowest bounds the whole.
        if (line.minimumMs + line.checksMs > m.minimumMs + m.checksMs) {
            m.minimumMs = line.minimumMs;
            m.checksMs = line.checksMs;
        }
        m.connections = std::max(m.connections, line.connections);
    }
    return m;
}

// The run with the median wall time.
Measure median(std::vector<Measure> runs) {
    std::sort(runs.begin(), runs.end(),
              [](const Measure& a, const Measure& b) { return a.wallMs < b.wallMs; });
    return runs[runs.size() / 2];
}

std::string format(const char* f, double v) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), f, v);
    return text.data();
}

void printRow(const Operation& op, const Measure& m) {
    if (!m.ok) {
        std::cout << "| " << op.name << " | failed | | | | | | | | | | |\n";
        return;
    }
    const double target =
        kLineRatio * (m.minimumMs + m.checksMs) + kPerConnectionMs * m.connections;
    const double share = m.cpuMs / m.wallMs;
    const double shareLimit = op.radios == 1 ? kCpuShare : kFleetCpuShare;
    const auto seconds = [](double ms) { return format("%.3f", ms / 1000); };
    std::cout << "| " << op.name << " | " << m.hostBytes << " | " << m.radioBytes << " | "
              << seconds(m.pausesMs) << " | " << seconds(m.minimumMs) << " | "
              << seconds(m.checksMs) << " | " << m.connections << " | " << seconds(target) << " | "
              << seconds(m.wallMs) << (op.radios == 1 && m.wallMs > target ? " (over)" : "")
              << " | " << format("%.3f", m.wallMs / m.minimumMs) << " | " << seconds(m.cpuMs)
              << " | " << format("%.1f %%", 100 * share) << (share > shareLimit ? " (over)" : "")
              << " |\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]) == "--help") {
        std::cerr << "usage: zavbench BIN_DIR [--runs N] [--only TEXT]\n"
                     "BIN_DIR is a build folder holding tools/zavsim, tools/zavtool and "
                     "src/zavprog.\n";
        return 2;
    }
    Bench b;
    b.bin = fs::absolute(argv[1]);
    int runs = 3;
    std::string only;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
        if (option == "--only") only = argv[i + 1];
    }
    std::string pattern = (fs::temp_directory_path() / "zavbench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("zavbench: mkdtemp");
        return 1;
    }
    b.work = pattern;
    b.file = b.work / "radio.frq";
    b.edited = b.work / "edited.frq";
    // The backups, and the editor's, go to the work folder, not the user's history.
    ::setenv("XDG_DATA_HOME", b.work.c_str(), 1);
    std::ostringstream discard;
    zav::tool::ToolIo io{discard, discard};
    if (zav::tool::run(std::vector<std::string>{"new", b.file.string()}, io) !=
        zav::tool::kExitDone) {
        std::cerr << "zavbench: zavtool new failed\n";
        return 1;
    }
    {
        // Every byte of slots 1 to 6 of group 1: six slots to send of 240.
        std::ifstream in(b.file, std::ios::binary);
        std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        for (int slot = 0; slot < 6; ++slot)
            for (int k = 0; k < zav::kLabelPositions; ++k)
                bytes[zav::kFileLabelOffset + zav::labelIndex(0, slot, k)] ^= 0x20;
        std::ofstream(b.edited, std::ios::binary).write(bytes.data(), std::ssize(bytes));
    }

    std::cout << "| operation | bytes to radio | bytes from radio | prescribed pauses (s) | "
                 "line-time minimum (s) | in-step checks (s) | connections | target (s) | "
                 "wall (s) | wall / minimum | CPU (s) | CPU / wall |\n"
                 "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
    std::optional<double> oneRadio;
    std::vector<std::pair<int, double>> fleets;  // radios, wall time
    for (const Operation& op : kOperations) {
        if (!only.empty() && op.name.find(only) == std::string_view::npos) continue;
        std::vector<Measure> measures;
        for (int r = 0; r < runs; ++r) measures.push_back(runOnce(b, op));
        const Measure m = median(measures);
        printRow(op, m);
        std::cout.flush();
        if (!m.ok || !op.name.starts_with("fleet")) continue;
        if (op.radios == 1)
            oneRadio = m.wallMs;
        else
            fleets.emplace_back(op.radios, m.wallMs);
    }
    // A fleet's target: its radios at once within 1.1 times the wall time of one.
    if (oneRadio && !fleets.empty()) {
        std::cout << "\nFleets against one radio's wall time (target at most 1.1):";
        for (const auto& [radios, wall] : fleets)
            std::cout << (radios == fleets.front().first ? " " : ", ") << radios << " radios "
                      << format("%.3f", wall / *oneRadio);
        std::cout << ".\n";
    }

    if (only.empty() || std::string_view("editor").find(only) != std::string_view::npos) {
        // The editor's own settings go to the work folder, not the user's.
        ::setenv("XDG_CONFIG_HOME", b.work.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::vector<zav::bench::StartExit> starts;
        for (int r = 0; r < runs; ++r)
            starts.push_back(zav::bench::runEditorShownAndClosed(
                {(b.bin / "src/zavprog").string(), "--report-shown"}));
        std::sort(starts.begin(), starts.end(),
                  [](const auto& x, const auto& y) { return x.startMs < y.startMs; });
        const auto& s = starts[starts.size() / 2];
        std::vector<zav::bench::RunResult> tools;
        for (int r = 0; r < runs; ++r)
            tools.push_back(
                zav::bench::runProgram({(b.bin / "tools/zavtool").string(), "--version"}));
        std::sort(tools.begin(), tools.end(),
                  [](const auto& x, const auto& y) { return x.wallMs < y.wallMs; });
        const auto& t = tools[tools.size() / 2];
        std::cout << "\n| process | wall (s) | CPU (s) |\n|---|---:|---:|\n"
                  << "| zavtool --version: process start to end | "
                  << format("%.3f", t.wallMs / 1000) << " | " << format("%.3f", t.cpuMs / 1000)
                  << " |\n";
        if (!s.ok) {
            std::cout << "| editor start-up and exit | failed | |\n";
        } else {
            std::cout << "| editor start-up (offscreen): process start to main window shown | "
                      << format("%.3f", s.startMs / 1000) << " | " << format("%.3f", s.cpuMs / 1000)
                      << " (start to end) |\n"
                      << "| editor exit: main window closed to process end | "
                      << format("%.3f", s.exitMs / 1000) << " | |\n";
        }
    }
    fs::remove_all(b.work);
    return 0;
}
