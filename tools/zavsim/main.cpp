// zavsim: a simulated radio on a pseudo-terminal. Prints the device to open on its
// first line, then serves until SIGINT or SIGTERM.

#include <getopt.h>
#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigprocmask is POSIX
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "iface/log.h"
#include "iface/version.h"
#include "sim/demo_contents.h"
#include "sim/label_memory.h"
#include "sim/pty_server.h"
#include "sim/sim_radio.h"
#include "sim/synthesizer.h"

namespace {

using zav::Byte;
using zav::sim::SimConfig;

constexpr std::size_t kImageOffset = 56;  // where a frequency file holds the memory image
constexpr std::size_t kLabelOffset = kImageOffset + zav::kMemImageSize;  // and the labels

struct Options {
    std::string memoryFile;
    std::string transcriptFile;
    std::string dumpFile;
    bool pace = false;
    bool demo = false;  // the editor's demo radio
    bool verbose = false;
    SimConfig config;
    zav::sim::SynthModel synth;
    std::optional<std::array<Byte, 3>> band;  // band edge word and width divisor
};

void usage(std::ostream& out) {
    out << "usage: zavsim [--memory FILE.frq | --demo] [--pace] [--transcript FILE]\n"
           "              [--dump-memory FILE] [faults...]\n"
           "       zavsim --help | --version\n"
           "Serves a simulated radio on a pseudo-terminal; the first line printed is the\n"
           "device to open. Stops on SIGINT or SIGTERM. An option's value follows it as a\n"
           "word of its own or after '=': --memory x.frq, --memory=x.frq.\n"
           "  --memory FILE.frq   parameter memory and labels from a frequency file\n"
           "  --demo              the editor's demo radio: channels, labels and band\n"
           "                      (without either, the radio's memory is erased)\n"
           "  --pace              bytes take their real time on the line (10 bits a byte)\n"
           "  --transcript FILE   record every byte with its time, speeds and meaning\n"
           "  --dump-memory FILE  write the 2048 bytes of parameter memory at exit\n"
           "  --verbose           write every byte and what it means to stderr as it passes\n"
           "faults:\n"
           "  --silent            never answer\n"
           "  --hook-reply HEX    answer the hook with another byte (default 24)\n"
           "  --drop N            lose the Nth byte the radio sends\n"
           "  --wrong-echo N      alter the Nth echo of a written byte (0: every echo)\n"
           "  --slow MS           wait MS milliseconds before every byte sent\n"
           "  --late N:MS         send the Nth byte MS milliseconds late (later bytes follow it)\n"
           "  --duplicate N       send the Nth byte twice\n"
           "  --stop-after N      stop answering after sending N bytes\n"
           "  --cut-at SECONDS    cut the line SECONDS after start\n"
           "  --no-ram-echo N     do not echo the Nth RAM write (0: none), e.g. a loader byte\n"
           "  --drop-segment-byte N  lose the Nth byte the read program sends\n"
           "  --bad-ack N         send the Nth write-program acknowledgement as 1F\n"
           "  --die-after-blocks N  answer nothing once the write program has stored N blocks\n"
           "  --drop-stored-word HEX  acknowledge every write of the word at address HEX\n"
           "                      but never store it\n"
           "  --label-miss N[:K]  leave label read frames N to N+K-1 unanswered (K = 1)\n"
           "synthesizer (answers the alignment probes; see src/sim/synthesizer.h):\n"
           "  --band B0,B1,DIV    band edge word at 0x78 and width divisor at 0x7C (default\n"
           "                      25,64,211 = 450..512 MHz unless --memory gives them)\n"
           "  --synth-silent      never answer a probe (the alignment finds no sync range)\n"
           "  --synth-bow MHZ     bow the tuning curve up in mid range: 38 puts the mid-band\n"
           "                      lock range across the top band edge, 40 above the band\n";
}

template <typename T>
std::optional<T> number(const std::string& text, int base = 10) {
    T value{};
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || p != text.data() + text.size()) return std::nullopt;
    return value;
}

// Each option's code for getopt_long: the flags and those that take a value.
enum OptionCode : int {
    kHelp = 'h',
    kFirstLong = 256,
    kVersion = kFirstLong,
    kMemory,
    kDemo,
    kTranscript,
    kDumpMemory,
    kPace,
    kVerbose,
    kSilent,
    kHookReply,
    kDrop,
    kWrongEcho,
    kSlow,
    kLate,
    kDuplicate,
    kStopAfter,
    kCutAt,
    kNoRamEcho,
    kDropSegmentByte,
    kBadAck,
    kDieAfterBlocks,
    kDropStoredWord,
    kLabelMiss,
    kBand,
    kSynthSilent,
    kSynthBow,
};

constexpr std::array<option, 27> kLongOptions{{
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {"memory", required_argument, nullptr, kMemory},
    {"demo", no_argument, nullptr, kDemo},
    {"verbose", no_argument, nullptr, kVerbose},
    {"transcript", required_argument, nullptr, kTranscript},
    {"dump-memory", required_argument, nullptr, kDumpMemory},
    {"pace", no_argument, nullptr, kPace},
    {"silent", no_argument, nullptr, kSilent},
    {"hook-reply", required_argument, nullptr, kHookReply},
    {"drop", required_argument, nullptr, kDrop},
    {"wrong-echo", required_argument, nullptr, kWrongEcho},
    {"slow", required_argument, nullptr, kSlow},
    {"late", required_argument, nullptr, kLate},
    {"duplicate", required_argument, nullptr, kDuplicate},
    {"stop-after", required_argument, nullptr, kStopAfter},
    {"cut-at", required_argument, nullptr, kCutAt},
    {"no-ram-echo", required_argument, nullptr, kNoRamEcho},
    {"drop-segment-byte", required_argument, nullptr, kDropSegmentByte},
    {"bad-ack", required_argument, nullptr, kBadAck},
    {"die-after-blocks", required_argument, nullptr, kDieAfterBlocks},
    {"drop-stored-word", required_argument, nullptr, kDropStoredWord},
    {"label-miss", required_argument, nullptr, kLabelMiss},
    {"band", required_argument, nullptr, kBand},
    {"synth-silent", no_argument, nullptr, kSynthSilent},
    {"synth-bow", required_argument, nullptr, kSynthBow},
    {nullptr, 0, nullptr, 0},
}};

// "N:K" with K optional; nullopt when either part is no number.
std::optional<std::pair<int, std::optional<int>>> numberPair(const std::string& v) {
    const auto colon = v.find(':');
    const auto first = number<int>(v.substr(0, colon));
    if (!first) return std::nullopt;
    if (colon == std::string::npos) return std::pair{*first, std::optional<int>()};
    const auto second = number<int>(v.substr(colon + 1));
    if (!second) return std::nullopt;
    return std::pair{*first, second};
}

std::optional<std::array<Byte, 3>> bandBytes(std::string v) {
    std::array<Byte, 3> band{};
    v += ",";
    for (Byte& b : band) {
        const auto comma = v.find(',');
        const auto n = number<unsigned>(v.substr(0, comma));
        if (comma == std::string::npos || !n || *n > 0xFF) return std::nullopt;
        b = static_cast<Byte>(*n);
        v.erase(0, comma + 1);
    }
    if (!v.empty()) return std::nullopt;
    return band;
}

// Takes one option's value into `o`; false when the value is not one the option takes.
bool takeValue(int code, const std::string& v, Options& o) {
    auto& f = o.config.faults;
    const auto count = [&v](std::optional<int>& into, int least) {
        into = number<int>(v);
        return into && *into >= least;
    };
    switch (code) {
        case kMemory:
            o.memoryFile = v;
            return true;
        case kTranscript:
            o.transcriptFile = v;
            return true;
        case kDumpMemory:
            o.dumpFile = v;
            return true;
        case kHookReply: {
            const auto b = number<unsigned>(v, 16);
            if (b && *b <= 0xFF) o.config.hookReply = static_cast<Byte>(*b);
            return b && *b <= 0xFF;
        }
        case kDrop:
            return count(f.dropOutput, INT_MIN);
        case kWrongEcho:
            return count(f.wrongEcho, INT_MIN);
        case kStopAfter:
            return count(f.stopAfter, INT_MIN);
        case kNoRamEcho:
            return count(f.noRamEcho, INT_MIN);
        case kDropSegmentByte:
            return count(f.dropSegmentByte, INT_MIN);
        case kBadAck:
            return count(f.badAck, INT_MIN);
        case kDieAfterBlocks:
            return count(f.dieAfterBlocks, INT_MIN);
        case kDuplicate:
            return count(f.sentTwice, 1);
        case kSlow: {
            const auto ms = number<int>(v);
            if (ms && *ms >= 0) f.replyDelay = std::chrono::milliseconds(*ms);
            return ms && *ms >= 0;
        }
        case kCutAt: {
            const auto sec = number<int>(v);
            if (sec && *sec >= 0) f.cutAt = std::chrono::seconds(*sec);
            return sec && *sec >= 0;
        }
        case kLate: {
            const auto pair = numberPair(v);
            if (!pair || pair->first < 1 || !pair->second || *pair->second < 0) return false;
            f.lateOutput = pair->first;
            f.lateBy = std::chrono::milliseconds(*pair->second);
            return true;
        }
        case kLabelMiss: {
            const auto pair = numberPair(v);
            if (!pair || pair->second.value_or(1) < 1) return false;
            f.labelMissFrame = pair->first;
            if (pair->second) f.labelMisses = *pair->second;
            return true;
        }
        case kDropStoredWord: {
            const auto word = number<unsigned>(v, 16);
            if (!word || *word >= zav::kRadioMemorySize) return false;
            f.dropStoredWord = static_cast<int>(*word);
            return true;
        }
        case kSynthBow: {
            char* end = nullptr;
            o.synth.faults.bow = std::strtod(v.c_str(), &end);
            return !v.empty() && *end == '\0';
        }
        case kBand:
            o.band = bandBytes(v);
            return o.band.has_value();
        default:
            return false;
    }
}

enum class Parsed { Serve, Help, Version, UsageError };

// The options into `o`. A usage error is told on stderr, naming the option.
Parsed parse(int argc, char** argv, Options& o) {
    opterr = 1;  // getopt_long names an unknown option, or a value left out
    std::array<char, 7> name{"zavsim"};
    argv[0] = name.data();  // ... after the program's name, not its path
    for (;;) {
        const int code = getopt_long(argc, argv, "h", kLongOptions.data(), nullptr);
        if (code == -1) break;
        switch (code) {
            case kHelp:
                return Parsed::Help;
            case kVersion:
                return Parsed::Version;
            case kDemo:
                o.demo = true;
                break;
            case kPace:
                o.pace = true;
                break;
            case kVerbose:
                o.verbose = true;
                break;
            case kSilent:
                o.config.faults.silent = true;
                break;
            case kSynthSilent:
                o.synth.faults.silent = true;
                break;
            case '?':
                return Parsed::UsageError;
            default: {
                const std::string value = optarg != nullptr ? optarg : "";
                if (takeValue(code, value, o)) break;
                const auto* entry = std::ranges::find_if(
                    kLongOptions,
                    [code](const option& candidate) { return candidate.val == code; });
                std::cerr << "zavsim: --" << entry->name << " does not take '" << value << "'\n";
                return Parsed::UsageError;
            }
        }
    }
    if (optind < argc) {
        std::cerr << "zavsim: unexpected '" << argv[optind] << "'\n";
        return Parsed::UsageError;
    }
    if (o.demo && !o.memoryFile.empty()) {
        std::cerr << "zavsim: --demo and --memory both give the memory; choose one\n";
        return Parsed::UsageError;
    }
    return Parsed::Serve;
}

// The parameter memory from a frequency file's image and, when the file holds them, the
// labels (kept by the radio with each slot reversed).
bool loadMemory(const std::string& path, zav::sim::SimRadio& radio) {
    auto& memory = radio.memory();
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) return false;
    if (bytes.size() < kImageOffset + memory.size()) return false;
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<Byte>(bytes[kImageOffset + i]);
    if (bytes.size() >= kLabelOffset + zav::kLabelImageSize) {
        zav::LabelImage labels{};
        for (std::size_t i = 0; i < labels.size(); ++i)
            labels[i] = static_cast<Byte>(bytes[kLabelOffset + i]);
        radio.labels() = zav::sim::labelMemoryFromImage(labels);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    switch (parse(argc, argv, options)) {
        case Parsed::Help:
            usage(std::cout);
            return 0;
        case Parsed::Version: {
            const zav::Version v = zav::programVersion();
            std::cout << "zavsim " << v.major << "." << v.minor << "." << v.revision << "\n";
            return 0;
        }
        case Parsed::UsageError:
            std::cerr << "Try 'zavsim --help' for the options.\n";
            return 2;
        case Parsed::Serve:
            break;
    }

    // Stop requests arrive through a signalfd, which the server polls with the pty.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::perror("zavsim: signalfd");
        return 1;
    }

    zav::sim::SimRadio radio(options.config);
    if (options.demo) zav::sim::loadDemoRadio(radio);
    if (!options.memoryFile.empty() && !loadMemory(options.memoryFile, radio)) {
        std::cerr << "zavsim: cannot read the image of " << options.memoryFile << "\n";
        return 1;
    }
    zav::sim::installSynthesizer(radio, options.synth);
    if (options.band)
        zav::sim::setBandData(radio.memory(), (*options.band)[0], (*options.band)[1],
                              (*options.band)[2]);
    else if (options.memoryFile.empty() && !options.demo)
        zav::sim::setBandData(radio.memory());
    std::ofstream transcript;
    if (!options.transcriptFile.empty()) {
        transcript.open(options.transcriptFile);
        if (!transcript) {
            std::cerr << "zavsim: cannot write " << options.transcriptFile << "\n";
            return 1;
        }
    }
    zav::StreamLog log(std::cerr);
    if (options.verbose && !options.memoryFile.empty())
        log.write(zav::LogArea::Files, "memory and labels from " + options.memoryFile);
    if (transcript.is_open() || options.verbose) {
        // Line by line as the bytes pass: whoever follows the record (a test waiting for
        // the radio to have taken a byte) sees each one at once.
        radio.transcript().setSink(
            [&transcript, &log, verbose = options.verbose](const zav::sim::TranscriptEntry& e) {
                if (transcript.is_open()) transcript << zav::sim::formatEntry(e) << std::endl;
                if (verbose) log.write(zav::LogArea::Link, zav::sim::formatEntry(e));
            });
    }

    try {
        zav::sim::PtyServer server(radio, options.pace);
        std::cout << server.devicePath() << std::endl;
        server.serve(stopFd);
    } catch (const std::exception& e) {
        std::cerr << "zavsim: " << e.what() << "\n";
        return 1;
    }
    transcript.flush();
    if (!options.dumpFile.empty()) {
        std::ofstream dump(options.dumpFile, std::ios::binary);
        dump.write(reinterpret_cast<const char*>(radio.memory().data()),
                   static_cast<std::streamsize>(radio.memory().size()));
        if (!dump) {
            std::cerr << "zavsim: cannot write " << options.dumpFile << "\n";
            return 1;
        }
    }
    return 0;
}
