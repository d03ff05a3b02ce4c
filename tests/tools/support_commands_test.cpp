// zavtool's comparison, verify after write and serial trace, run in-process against the
// simulated radio.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "files/frequency_file.h"
#include "iface/settings_store.h"
#include "model/document.h"
#include "sim/sim_radio.h"
#include "sim/virtual_port.h"
#include "support/temp_dir.h"
#include "zavtool.h"

namespace zav {
namespace {

struct ToolRun {
    int status = 0;
    std::string out, err;
};

// The radio holds the default image unless `radio` says otherwise.
ToolRun runTool(const std::vector<std::string>& args, sim::SimRadio* radio = nullptr) {
    sim::SimRadio idle;
    sim::SimRadio& r = radio != nullptr ? *radio : idle;
    sim::VirtualPort port(r);
    std::ostringstream out, err;
    MemorySettingsStore devices;
    tool::ToolIo io{out, err, &port, &devices};
    const int status = tool::run(args, io);
    return {status, out.str(), err.str()};
}

void prepare(sim::SimRadio& radio) {
    const Document defaults;
    std::copy_n(defaults.mem.begin(), radio.memory().size(), radio.memory().begin());
}

std::string saved(const test::TempDir& dir, const std::string& name, const Document& doc) {
    const std::string path = dir.file(name);
    test::writeBytes(path, encodeFrequencyFile(doc.mem, doc.labels));
    return path;
}

TEST(ZavtoolDiff, ExitsZeroForTheSameFileAndNamesAnEditedChannel) {
    test::TempDir dir;
    Document doc;
    const std::string a = saved(dir, "a.frq", doc);
    doc.group(1)->channel(4).setRecFreq("450.0125");
    const std::string b = saved(dir, "b.frq", doc);
    const ToolRun same = runTool({"diff", a, a});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    const ToolRun edited = runTool({"diff", a, b});
    EXPECT_EQ(edited.status, 1);
    EXPECT_EQ(edited.out, "Group 2, Chan 5, Rec Freq: none -> 450.01250\n");
    EXPECT_EQ(runTool({"diff", a, dir.file("missing.frq")}).status, 2);
}

TEST(ZavtoolVerify, FailsWithTheAddressOfAWordTheRadioDropped) {
    test::TempDir dir;
    Document doc;
    doc.group(0)->channel(2).setRecFreq("450.0125");  // bytes 0x0A0 and 0x0A1
    const std::string file = saved(dir, "radio.frq", doc);
    using Words = std::vector<std::string>;
    for (const auto& [command, drops] : {std::pair{Words{"write"}, false},
                                         {Words{"write"}, true},
                                         {Words{"write-group", "--group", "1"}, true}}) {
        sim::SimRadio radio;
        prepare(radio);
        if (drops) radio.config().faults.dropStoredWord = 0x0A0;
        Words args = command;
        args.insert(args.end(), {"--port", "1", "--verify", file});
        const ToolRun run = runTool(args, &radio);
        EXPECT_EQ(run.status, drops ? 1 : 0) << run.err;
        EXPECT_EQ(run.err.find("verify failed at byte 0x0A0, byte 0x0A1") != std::string::npos,
                  drops)
            << run.err;
    }
}

TEST(ZavtoolTrace, HoldsEveryByteOfTheConversationWithItsSpeedAndChangesNothing) {
    test::TempDir dir;
    std::vector<std::vector<std::string>> conversations;
    for (const bool traced : {false, true}) {
        sim::SimRadio radio;
        prepare(radio);
        std::vector<std::string> args{"read", "--port", "1", "--force", dir.file("copy.frq")};
        if (traced) args.insert(args.begin(), {"--trace", dir.file("trace.txt")});
        EXPECT_EQ(runTool(args, &radio).status, 0);
        conversations.emplace_back();
        // Each direction in order, with the host's line speed: what the trace can see.
        std::ostringstream sent, received;
        for (const auto& e : radio.transcript().entries()) {
            conversations.back().push_back(sim::formatEntry(e));
            if (e.direction == sim::Direction::HostToRadio)
                sent << e.senderBaud << ' ' << int{e.sent} << '\n';
            else if (!e.lost)
                received << e.receiverBaud << ' ' << int{e.received} << '\n';
        }
        if (!traced) continue;
        std::ifstream trace(dir.file("trace.txt"));
        std::ostringstream tracedSent, tracedReceived;
        std::string line;
        while (std::getline(trace, line)) {
            if (line.starts_with('#')) continue;
            std::istringstream words(line);
            double seconds = 0;
            char direction = 0;
            int baud = 0;
            unsigned value = 0;
            words >> seconds >> direction >> baud >> std::hex >> value;
            (direction == '>' ? tracedSent : tracedReceived) << baud << ' ' << value << '\n';
        }
        // Bytes still on the line when the port closed are in the trace only.
        EXPECT_GT(sent.str().size(), 1000U);
        EXPECT_TRUE(tracedSent.str().starts_with(sent.str()));
        EXPECT_TRUE(tracedReceived.str().starts_with(received.str()));
    }
    const auto [untraced, traced] = std::mismatch(conversations[0].begin(), conversations[0].end(),
                                                  conversations[1].begin(), conversations[1].end());
    EXPECT_TRUE(untraced == conversations[0].end() && traced == conversations[1].end())
        << (untraced == conversations[0].end() ? "(end)" : *untraced) << " | "
        << (traced == conversations[1].end() ? "(end)" : *traced);
}

}  // namespace
}  // namespace zav
