// zavsim: a simulated radio on a pseudo-terminal. Prints the device to open on its
// first line, then serves until SIGINT or SIGTERM.

#include <signal.h>  // NOLINT(modernize-deprecated-headers): sigprocmask is POSIX
#include <sys/signalfd.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "iface/log.h"
#include "iface/version.h"
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
    bool verbose = false;
    SimConfig config;
    zav::sim::SynthModel synth;
    std::optional<std::array<Byte, 3>> band;  // band edge word and width divisor
};

void usage(std::ostream& out) {
    out << "usage: zavsim [--memory FILE.frq] [--pace] [--transcript FILE] [--dump-memory FILE]\n"
           "              [faults...]\n"
           "       zavsim --help | --version\n"
           "Serves a simulated radio on a pseudo-terminal; the first line printed is the\n"
           "device to open. Stops on SIGINT or SIGTERM.\n"
           "  --memory FILE.frq   parameter memory and labels from a frequency file\n"
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

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto next = [&] { return args[++i]; };
        auto& f = o.config.faults;
        if (a == "--pace") {
            o.pace = true;
        } else if (a == "--verbose") {
            o.verbose = true;
        } else if (a == "--silent") {
            f.silent = true;
        } else if (a == "--memory" && hasValue) {
            o.memoryFile = next();
        } else if (a == "--transcript" && hasValue) {
            o.transcriptFile = next();
        } else if (a == "--dump-memory" && hasValue) {
            o.dumpFile = next();
        } else if (a == "--hook-reply" && hasValue) {
            const auto v = number<unsigned>(next(), 16);
            if (!v || *v > 0xFF) return std::nullopt;
            o.config.hookReply = static_cast<Byte>(*v);
        } else if (a == "--drop" && hasValue) {
            if (!(f.dropOutput = number<int>(next()))) return std::nullopt;
        } else if (a == "--wrong-echo" && hasValue) {
            if (!(f.wrongEcho = number<int>(next()))) return std::nullopt;
        } else if (a == "--stop-after" && hasValue) {
            if (!(f.stopAfter = number<int>(next()))) return std::nullopt;
        } else if (a == "--slow" && hasValue) {
            const auto ms = number<int>(next());
            if (!ms || *ms < 0) return std::nullopt;
            f.replyDelay = std::chrono::milliseconds(*ms);
        } else if (a == "--late" && hasValue) {
            const std::string v = next();
            const auto colon = v.find(':');
            if (colon == std::string::npos) return std::nullopt;
            f.lateOutput = number<int>(v.substr(0, colon));
            const auto ms = number<int>(v.substr(colon + 1));
            if (!f.lateOutput || *f.lateOutput < 1 || !ms || *ms < 0) return std::nullopt;
            f.lateBy = std::chrono::milliseconds(*ms);
        } else if (a == "--duplicate" && hasValue) {
            f.sentTwice = number<int>(next());
            if (!f.sentTwice || *f.sentTwice < 1) return std::nullopt;
        } else if (a == "--no-ram-echo" && hasValue) {
            if (!(f.noRamEcho = number<int>(next()))) return std::nullopt;
        } else if (a == "--drop-segment-byte" && hasValue) {
            if (!(f.dropSegmentByte = number<int>(next()))) return std::nullopt;
        } else if (a == "--bad-ack" && hasValue) {
            if (!(f.badAck = number<int>(next()))) return std::nullopt;
        } else if (a == "--die-after-blocks" && hasValue) {
            if (!(f.dieAfterBlocks = number<int>(next()))) return std::nullopt;
        } else if (a == "--drop-stored-word" && hasValue) {
            const auto v = number<unsigned>(next(), 16);
            if (!v || *v >= zav::kRadioMemorySize) return std::nullopt;
            f.dropStoredWord = static_cast<int>(*v);
        } else if (a == "--label-miss" && hasValue) {
            const std::string v = next();
            const auto colon = v.find(':');
            f.labelMissFrame = number<int>(v.substr(0, colon));
            if (colon != std::string::npos) {
                const auto k = number<int>(v.substr(colon + 1));
                if (!k || *k < 1) return std::nullopt;
                f.labelMisses = *k;
            }
            if (!f.labelMissFrame) return std::nullopt;
        } else if (a == "--synth-silent") {
            o.synth.faults.silent = true;
        } else if (a == "--synth-bow" && hasValue) {
            const std::string v = next();
            char* end = nullptr;
            o.synth.faults.bow = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0') return std::nullopt;
        } else if (a == "--band" && hasValue) {
            std::array<Byte, 3> band{};
            std::string v = next() + ",";
            for (Byte& b : band) {
                const auto comma = v.find(',');
                const auto n = number<unsigned>(v.substr(0, comma));
                if (comma == std::string::npos || !n || *n > 0xFF) return std::nullopt;
                b = static_cast<Byte>(*n);
                v.erase(0, comma + 1);
            }
            if (!v.empty()) return std::nullopt;
            o.band = band;
        } else if (a == "--cut-at" && hasValue) {
            const auto s = number<int>(next());
            if (!s || *s < 0) return std::nullopt;
            f.cutAt = std::chrono::seconds(*s);
        } else {
            return std::nullopt;
        }
    }
    return o;
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
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        usage(std::cout);
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        const zav::Version v = zav::programVersion();
        std::cout << "zavsim " << v.major << "." << v.minor << "." << v.revision << "\n";
        return 0;
    }
    auto options = parse(argc, argv);
    if (!options) {
        usage(std::cerr);
        return 2;
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

    zav::sim::SimRadio radio(options->config);
    if (!options->memoryFile.empty() && !loadMemory(options->memoryFile, radio)) {
        std::cerr << "zavsim: cannot read the image of " << options->memoryFile << "\n";
        return 1;
    }
    zav::sim::installSynthesizer(radio, options->synth);
    if (options->band)
        zav::sim::setBandData(radio.memory(), (*options->band)[0], (*options->band)[1],
                              (*options->band)[2]);
    else if (options->memoryFile.empty())
        zav::sim::setBandData(radio.memory());
    std::ofstream transcript;
    if (!options->transcriptFile.empty()) {
        transcript.open(options->transcriptFile);
        if (!transcript) {
            std::cerr << "zavsim: cannot write " << options->transcriptFile << "\n";
            return 1;
        }
    }
    zav::StreamLog log(std::cerr);
    if (options->verbose && !options->memoryFile.empty())
        log.write(zav::LogArea::Files, "memory and labels from " + options->memoryFile);
    if (transcript.is_open() || options->verbose) {
        // Line by line as the bytes pass: whoever follows the record (a test waiting for
        // the radio to have taken a byte) sees each one at once.
        radio.transcript().setSink(
            [&transcript, &log, verbose = options->verbose](const zav::sim::TranscriptEntry& e) {
                if (transcript.is_open()) transcript << zav::sim::formatEntry(e) << std::endl;
                if (verbose) log.write(zav::LogArea::Link, zav::sim::formatEntry(e));
            });
    }

    try {
        zav::sim::PtyServer server(radio, options->pace);
        std::cout << server.devicePath() << std::endl;
        server.serve(stopFd);
    } catch (const std::exception& e) {
        std::cerr << "zavsim: " << e.what() << "\n";
        return 1;
    }
    transcript.flush();
    if (!options->dumpFile.empty()) {
        std::ofstream dump(options->dumpFile, std::ios::binary);
        dump.write(reinterpret_cast<const char*>(radio.memory().data()),
                   static_cast<std::streamsize>(radio.memory().size()));
        if (!dump) {
            std::cerr << "zavsim: cannot write " << options->dumpFile << "\n";
            return 1;
        }
    }
    return 0;
}
