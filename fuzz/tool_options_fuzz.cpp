// zavtool's option values as a user types them: any command of its table with any of its
// options, each with any value (bytes, as a shell passes them), then the command's files.
// It ends with 0, 1 or 2; a usage error names the usage and writes nothing; nothing
// is written outside the run's own folder (the only file arguments are its own). Radios are
// simulated ones on a virtual clock, one per port.
//
// Input: the command (its low five bits; the top three: how many files follow it), then
// (option, value up to a zero byte) pairs; the option's top bit says whether the value is
// joined with '=' or follows as a word of its own.

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "files/default_file.h"
#include "fuzz_check.h"
#include "iface/settings_store.h"
#include "link/forwarding_port.h"
#include "model/document.h"
#include "sim/sim_radio.h"
#include "sim/virtual_port.h"
#include "zavtool.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

namespace {

constexpr std::array kCommands{"new",   "read-global", "write-global", "read",         "read-group",
                               "write", "write-group", "read-labels",  "write-labels", "dump",
                               "print", "export-csv",  "import-csv",   "diff",         "syncal",
                               "dtmf",  "--help",      "--version",    "set",          "fill"};
constexpr std::array kOptions{"port",   "ani-from", "ani-groups", "log",         "output-pattern",
                              "retry",  "group",    "labels",     "skip-global", "force",
                              "pdf",    "verify",   "help",       "trace",       "channels",
                              "column", "value",    "start",      "step",        "offset"};
// Options whose value names a file: kept inside the run's folder.
constexpr std::array kFileOptions{"log", "output-pattern", "pdf"};
// Options that take no value: one given them as a word of its own would be a file argument,
// naming any file anywhere, so they get theirs joined with '=' (refused as a usage error).
constexpr std::array kFlags{"labels", "skip-global", "force", "verify", "help"};

bool among(const auto& names, const std::string& name) {
    return std::ranges::find(names, name) != names.end();
}

// A radio holding the default image, so that reads and writes have groups to take.
sim::SimRadio& withDefaults(sim::SimRadio& radio) {
    const Document defaults;
    std::copy_n(defaults.mem.begin(), radio.memory().size(), radio.memory().begin());
    return radio;
}

// A radio of its own behind each port a fleet makes.
struct OwnRadio {
    sim::SimRadio radio;
    sim::VirtualPort port{withDefaults(radio)};
};
class OwnRadioPort final : private OwnRadio, public ForwardingPort {
  public:
    OwnRadioPort() : ForwardingPort(OwnRadio::port) {}
};

// The run's own folder, one per process (fuzzing jobs and replays may run at once), gone
// when the process ends.
const std::filesystem::path& folder() {
    struct Folder {
        std::filesystem::path path;
        Folder()
            : path(std::filesystem::temp_directory_path() /
                   ("zav-tool-options-fuzz-" + std::to_string(::getpid()))) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            std::filesystem::create_directories(path);
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

// A file name from any bytes, inside the folder.
std::string inFolder(const std::string& name) {
    std::string safe;
    for (const char c : name.substr(0, 40)) safe += c == '/' || c == '\0' ? '_' : c;
    if (safe.empty() || safe == "." || safe == "..") safe = "x";
    return (folder() / safe).string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::filesystem::path& dir = folder();
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto file = defaultFrequencyFile();
    std::ofstream(dir / "radio.frq", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));

    // The command, and how many of the files it is given (0 to 3).
    const std::uint8_t command = input.takeByte();
    std::vector<std::string> args{kCommands[(command & 0x1FU) % kCommands.size()]};
    while (!input.empty()) {
        const std::uint8_t which = input.takeByte();
        const std::string name = kOptions[(which & 0x7FU) % kOptions.size()];
        std::string value = input.takeField();
        if (name == "trace") continue;  // a path before the command: not an option value
        if (among(kFileOptions, name)) value = inFolder(value);
        // A value of its own that is empty or looks like an option (or ends them, "--") would
        // leave a word after it as a file argument: such a value is joined too. So every
        // file argument is one of the run's own.
        const bool joined =
            (which & 0x80) != 0 || among(kFlags, name) || value.empty() || value.starts_with('-');
        if (among(kFlags, name) && value.empty()) {
            args.push_back("--" + name);
        } else if (joined) {
            args.push_back("--" + name + "=" + value);
        } else {
            args.push_back("--" + name);
            args.push_back(value);
        }
    }
    // The files a command may name: one to read, then new ones.
    const std::array<const char*, 3> files{"radio.frq", "out.csv", "out.frq"};
    for (std::size_t i = 0; i < (command >> 5U) % 4; ++i)
        args.push_back((dir / files.at(i)).string());

    std::ostringstream out;
    sim::SimRadio radio;
    sim::VirtualPort port(withDefaults(radio));
    MemorySettingsStore devices;
    tool::ToolIo io{out, out, &port, &devices};
    io.makePort = [](const std::string& /*device*/) { return std::make_unique<OwnRadioPort>(); };
    const auto before = std::distance(std::filesystem::directory_iterator(dir), {});
    const int status = tool::run(args, io);
    require(status >= 0 && status <= 2, "the exit status is 0, 1 or 2");
    const std::string said = out.str();
    // diff's 2 is any error, such as a file that does not open.
    if (status == 2 && args.front() != "diff") {
        require(said.find("usage: zavtool") != std::string::npos, "a usage error names the usage");
        require(std::distance(std::filesystem::directory_iterator(dir), {}) == before,
                "a usage error writes nothing");
    }
    return 0;
}
