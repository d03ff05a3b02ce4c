// Loading the transfer programs through the loader chain.

#include "link/upload_program.h"

#include <gtest/gtest.h>

#include "link/label_programs.h"
#include "link/transfer_programs.h"
#include "sim/ram_code.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;

// Every byte of the code the link loads into the radio, pinned by the length and CRC-32
// of the radio's own listings (the patched bytes as listed, 00), so that no edit of a
// table goes unnoticed even where the simulated radio only checks part of it.
TEST(radioCode, TablesHoldTheListedBytes) {
    const std::pair<std::span<const Byte>, sim::CodeId> cases[] = {
        {kLoaderStage1, {9, 0x409A687E}},
        {kLoaderStage2, {30, 0x0EF3D944}},
        {kLoaderStage3, {9, 0xDA4229AD}},
        {kReadProgram, {142, 0x27CA266F}},
        {kWriteProgram, {149, 0xCAA20FAC}},
        {kLabelLoaderBlock, {27, 0xE56E1DEE}},
        {kLabelProgramBlock, {154, 0x91A07E9C}},
        {blockCode(kLabelProgramBlock), {152, 0xA7E2B9F6}}};
    for (const auto& [table, listed] : cases)
        EXPECT_EQ(sim::codeIdOf(table), listed) << listed.length;
    // The simulated radio knows the programs by the same listings.
    EXPECT_EQ(sim::kReadProgramCode, cases[3].second);
    EXPECT_EQ(sim::kWriteProgramCode, cases[4].second);
    EXPECT_EQ(sim::kLabelProgramCode, cases[7].second);
}

TEST(uploadProgram, PokesStage2ThenSendsTheChainLastByteFirst) {
    struct Case {
        std::span<const Byte> program;
        Byte index;
        const char* runs;
    };
    for (const Case& c :
         {Case{kReadProgram, 0xEF, "read program"}, Case{kWriteProgram, 0xF6, "write program"}}) {
        SCOPED_TRACE(c.runs);
        sim::SimConfig config;
        config.restartAddress = 0x1234;
        SimLink s(config);
        ASSERT_TRUE(s.hook());
        ASSERT_TRUE(uploadProgram(s.link, c.program));
        test::drain(s);
        const Bytes sent = s.sent();
        // 30 echoed RAM writes of stage 2, with byte 27 patched, then its execute.
        ASSERT_GE(sent.size(), 30u * 4 + 3);
        for (std::size_t i = 0; i < 30; ++i) {
            const Byte expected = i == 26 ? c.index : kLoaderStage2[i];
            EXPECT_EQ(test::slice(sent, 4 * i, 4),
                      (Bytes{0xD0, 0x00, static_cast<Byte>(0x60 + i), expected}))
                << i;
        }
        EXPECT_EQ(test::slice(sent, 120, 3), (Bytes{0xF0, 0x00, 0x60}));
        Bytes chain(kLoaderStage1.rbegin(), kLoaderStage1.rend());
        chain.insert(chain.end(), c.program.rbegin(), c.program.rend());
        // The restart address 0x1234 came low byte first: stage 3 bytes 9, 8 are 34, 12.
        chain.insert(chain.end(), {0x34, 0x12, 0xCC, 0x0D, 0xB7, 0x31, 0xA6, 0x07, 0xAD, 0x00});
        EXPECT_EQ(test::slice(sent, 123, sent.size()), chain);
        EXPECT_EQ(s.radio.programName(), c.runs);
    }
}

}  // namespace
}  // namespace zav
