// Loading the transfer programs through the loader chain.

#include <gtest/gtest.h>

#include "link/transfer_programs.h"
#include "link/upload_program.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using test::SimLink;
using Bytes = std::vector<Byte>;

struct UploadCase {
    const char* name;
    std::span<const Byte> program;
    Byte index;
    const char* runs;
};

class UploadProgramTest : public ::testing::TestWithParam<UploadCase> {};

TEST_P(UploadProgramTest, PokesStage2ThenSendsTheChainLastByteFirst) {
    const auto& c = GetParam();
    sim::SimConfig config;
    config.restartAddress = 0x1234;
    SimLink s(config);
    ASSERT_TRUE(s.hook());
    ASSERT_TRUE(uploadProgram(s.link, c.program));
    test::drain(s);

    const Bytes sent = s.sent();
    // 30 echoed RAM writes of stage 2, with byte 27 patched.
    ASSERT_GE(sent.size(), 30u * 4 + 3);
    for (std::size_t i = 0; i < 30; ++i) {
        const Byte expected = i == 26 ? c.index : kLoaderStage2[i];
        EXPECT_EQ((Bytes(sent.begin() + 4 * i, sent.begin() + 4 * i + 4)),
                  (Bytes{0xD0, 0x00, static_cast<Byte>(0x60 + i), expected}))
            << i;
    }
    EXPECT_EQ((Bytes(sent.begin() + 120, sent.begin() + 123)), (Bytes{0xF0, 0x00, 0x60}));

    const Bytes chain(sent.begin() + 123, sent.end());
    ASSERT_EQ(chain.size(), 9 + c.program.size() + 9 + 1);
    EXPECT_EQ(chain.front(), 0xF7);
    Bytes expected(kLoaderStage1.rbegin(), kLoaderStage1.rend());
    expected.insert(expected.end(), c.program.rbegin(), c.program.rend());
    // The restart address 0x1234 came low byte first: stage 3 bytes 9, 8 are 34, 12.
    expected.insert(expected.end(), {0x34, 0x12, 0xCC, 0x0D, 0xB7, 0x31, 0xA6, 0x07, 0xAD, 0x00});
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(s.radio.programName(), c.runs);
}

INSTANTIATE_TEST_SUITE_P(Programs, UploadProgramTest,
                         ::testing::Values(UploadCase{"read", kReadProgram, 0xEF, "read program"},
                                           UploadCase{"write", kWriteProgram, 0xF6,
                                                      "write program"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(uploadProgram, AStage2ByteNotEchoedStopsBeforeTheExecute) {
    sim::SimConfig config;
    config.faults.noRamEcho = 4;
    SimLink s(config);
    ASSERT_TRUE(s.hook());
    EXPECT_FALSE(uploadProgram(s.link, kReadProgram));
    test::drain(s);
    EXPECT_EQ(s.sent().size(), 16u);  // four RAM writes, the last unanswered
    EXPECT_EQ(s.radio.programName(), "resident firmware");
}

TEST(uploadProgram, NoRestartAddressFails) {
    sim::SimConfig config;
    config.faults.stopAfter = 1 + 30;  // hook reply and the stage-2 echoes
    SimLink s(config);
    ASSERT_TRUE(s.hook());
    EXPECT_FALSE(uploadProgram(s.link, kWriteProgram));
    test::drain(s);
    EXPECT_EQ(s.sent().size(), 123u);
}

}  // namespace
}  // namespace zav
