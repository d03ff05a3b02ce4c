// zavtool's comparison, verify after write and serial trace, run in-process against the
// simulated radio.

#include <gtest/gtest.h>

#include <fstream>

#include "files/frequency_file.h"
#include "support/temp_dir.h"
#include "tool_process.h"

namespace zav {
namespace {

using tooltest::loadDefaults;
using tooltest::runInProcess;
using tooltest::ToolRun;

// diff exits 0, 1 or 2 and names the field that differs; write --verify reads the radio
// back and names the address of a word the radio dropped.
TEST(ZavtoolSupport, DiffAndVerifyNameWhatDiffers) {
    test::TempDir dir;
    Document doc;
    const std::string plain = dir.file("plain.frq"), file = dir.file("radio.frq");
    test::writeBytes(plain, encodeFrequencyFile(doc.mem, doc.labels));
    doc.group(0)->channel(2).setRecFreq("450.0125");  // bytes 0x0A0 and 0x0A1
    test::writeBytes(file, encodeFrequencyFile(doc.mem, doc.labels));
    EXPECT_EQ(runInProcess("diff " + file + " " + file).status, 0);
    const ToolRun edited = runInProcess("diff " + plain + " " + file);
    EXPECT_EQ(edited.status, 1);
    EXPECT_EQ(edited.output, "Group 1, Chan 3, Rec Freq: none -> 450.01250\n");
    EXPECT_EQ(runInProcess("diff " + file + " " + dir.file("missing.frq")).status, 2);
    for (const auto& [command, drops] :
         {std::pair{"write", false}, {"write", true}, {"write-group --group 1", true}}) {
        sim::SimRadio radio;
        loadDefaults(radio);
        if (drops) radio.config().faults.dropStoredWord = 0x0A0;
        const ToolRun run =
            runInProcess(command + std::string(" --port 1 --verify ") + file, &radio);
        EXPECT_EQ(run.status, drops ? 1 : 0) << run.output;
        EXPECT_EQ(run.output.find("verify failed at byte 0x0A0, byte 0x0A1") != std::string::npos,
                  drops)
            << run.output;
    }
}

// The trace holds each direction's bytes in order with the line speed of their sender
// (the host) or receiver (the radio), and tracing changes nothing on the line.
TEST(ZavtoolTrace, HoldsEveryByteOfAReadWithItsSpeedAndChangesNothing) {
    test::TempDir dir;
    const std::string read = "read --port 1 --force " + dir.file("copy.frq");
    sim::SimRadio untraced, traced;
    loadDefaults(untraced);
    loadDefaults(traced);
    ASSERT_EQ(runInProcess(read, &untraced).status, 0);
    ASSERT_EQ(runInProcess("--trace " + dir.file("trace.txt") + " " + read, &traced).status, 0);
    EXPECT_EQ(tooltest::conversation(untraced), tooltest::conversation(traced));

    std::ostringstream sent, received, tracedSent, tracedReceived;
    for (const auto& e : traced.transcript().entries()) {
        if (e.direction == sim::Direction::HostToRadio)
            sent << e.senderBaud << ' ' << int{e.sent} << '\n';
        else if (!e.lost)
            received << e.receiverBaud << ' ' << int{e.received} << '\n';
    }
    std::ifstream trace(dir.file("trace.txt"));
    for (std::string line; std::getline(trace, line);) {
        std::istringstream fields(line);
        std::string seconds, direction;
        int baud = 0;
        unsigned value = 0;
        if (fields >> seconds >> direction >> baud >> std::hex >> value)  // not a note
            (direction == ">" ? tracedSent : tracedReceived) << baud << ' ' << value << '\n';
    }
    // Bytes still on the line when the port closed are in the trace only.
    EXPECT_GT(sent.str().size(), 1000U);
    EXPECT_TRUE(tracedSent.str().starts_with(sent.str()));
    EXPECT_TRUE(tracedReceived.str().starts_with(received.str()));
}

}  // namespace
}  // namespace zav
