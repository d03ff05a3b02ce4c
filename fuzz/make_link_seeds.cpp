// Writes the radio link target's seeds into a folder: every operation against the
// simulated radio, its replies recorded as the target reads them (radio_replies.h), so
// the fuzzer starts from conversations that pass the echo checks.
// With a second folder, also the file target's seeds: the default file and its CSV table
// (also with semicolons, and in UTF-16 with tabs).
// Usage: make_link_seeds FOLDER [FILE_FOLDER]

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "files/csv_exchange.h"
#include "files/default_file.h"
#include "files/frequency_file.h"
#include "link/forwarding_port.h"
#include "radio_replies.h"
#include "scripted_radio_port.h"
#include "sim/label_memory.h"
#include "sim/virtual_port.h"

using namespace zav;
using namespace zav::fuzz;

namespace {

// Records every byte the host takes, with the count of bytes it sent since the last.
class RecordingPort final : public ForwardingPort {
  public:
    using ForwardingPort::ForwardingPort;
    bool writeByte(Byte value) override {
        ++sent_;
        return ForwardingPort::writeByte(value);
    }
    std::optional<Byte> readByte() override {
        const auto b = ForwardingPort::readByte();
        if (b) {
            require(sent_ - counted_ <= 0xFF, "a reply follows at most 255 host bytes");
            records.push_back(static_cast<Byte>(sent_ - counted_));
            records.push_back(0);
            records.push_back(*b);
            counted_ = sent_;
        }
        return b;
    }
    std::vector<Byte> records;

  private:
    long sent_ = 0;
    long counted_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: make_link_seeds FOLDER [FILE_FOLDER]\n";
        return 2;
    }
    if (argc == 3) {
        const std::filesystem::path files(argv[2]);
        std::filesystem::create_directories(files);
        const FrequencyFileBytes bytes = defaultFrequencyFile();
        std::ofstream(files / "default.frq", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        const auto opened = decodeFrequencyFile(bytes);
        const std::string table = exportCsv(opened->image, opened->labels);
        std::ofstream(files / "default.csv", std::ios::binary) << table;
        // As spreadsheets save it too: with semicolons, and as UTF-16 text with tabs.
        std::string semicolons = table, utf16 = "\xFF\xFE";
        std::replace(semicolons.begin(), semicolons.end(), ',', ';');
        std::ofstream(files / "default-semicolons.csv", std::ios::binary) << semicolons;
        for (const char ch : table) utf16 += {ch == ',' ? '\t' : ch, '\0'};
        std::ofstream(files / "default-utf16.csv", std::ios::binary) << utf16;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    // Each operation with the labels travelling and not, the write confirmed and the
    // global block taken; a later question (Retry) is answered Cancel.
    for (int op = 0; op < kOperationCount; ++op) {
        for (const std::uint8_t options : {std::uint8_t{0x00}, std::uint8_t{0x03}}) {
            const RunHeader header{static_cast<std::uint8_t>(op), 0x03, options, 15};
            sim::SimRadio radio;
            fillRadioMemory(radio.memory());
            sim::VirtualPort virtualPort(radio);
            RecordingPort port(virtualPort);
            const OperationResult result = runOperation(port, header);
            std::vector<Byte> seed{header.operation, header.answers, header.options, header.group};
            seed.insert(seed.end(), port.records.begin(), port.records.end());
            char name[32];
            std::snprintf(name, sizeof name, "op%02d-%02x", op, options);
            std::ofstream(folder / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(seed.data()),
                       static_cast<std::streamsize>(seed.size()));
            // The seed played back by the target's radio ends the same way.
            FuzzInput replies(seed.data() + 4, seed.size() - 4);
            ScriptedRadioPort scripted(replies, computedBytes(header));
            const OperationResult replayed = runOperation(scripted, header);
            std::cout << name << ": " << seed.size() << " bytes, "
                      << (result.done() ? "done" : "failed: " + result.message)
                      << (replayed == result ? "" : ", played back: " + replayed.message) << "\n";
        }
    }
    return 0;
}
