// Loading the transfer programs through the loader chain.

#include "link/upload_program.h"

#include <gtest/gtest.h>

#include "link/transfer_programs.h"
#include "transfer_fixture.h"

namespace zav {
namespace {

using test::Bytes;
using test::SimLink;

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
