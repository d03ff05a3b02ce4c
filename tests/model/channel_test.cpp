#include "model/channel.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace zav {
namespace {

TEST(Channel, WritesOnlyItsOwnBytes) {
    // group, channel, record address, scan byte address, scan bit
    const std::tuple<int, int, int, int, Byte> cases[] = {{0, 0, 144, 129, 0x01},
                                                          {2, 7, 456, 385, 0x80},
                                                          {2, 8, 464, 384, 0x01},
                                                          {14, 13, 2040, 1920, 0x20}};
    for (const auto& [g, c, record, scanByte, scanBit] : cases) {
        MemImage mem;
        LabelImage labels;
        mem.fill(0x5A);
        labels.fill(0x5A);
        MemImage memExpected = mem;
        LabelImage labelsExpected = labels;
        Channel ch(mem, labels, g, c);
        EXPECT_TRUE(
            ch.writeChannel({"", "450.0125", "D023-", "512.5375", "67.0", "ABCDEFGH", "Y"}));
        const Byte record8[] = {0x50, 0x02, 0xC8, 0x13, 0x12, 0x57, 0x06, 0x70};
        std::copy_n(record8, 8, memExpected.begin() + record);
        memExpected[static_cast<std::size_t>(scanByte)] |= scanBit;
        EXPECT_EQ(mem, memExpected);
        for (int k = 0; k < 8; ++k)
            labelsExpected[labelIndex(g, c, k)] = static_cast<Byte>(0x14 + 2 * k);
        EXPECT_EQ(labels, labelsExpected);
        EXPECT_TRUE(ch.setScan(""));
        EXPECT_EQ(mem[static_cast<std::size_t>(scanByte)], 0x5A & ~scanBit);
        // Each setter is its field's gate: what the radio cannot hold exactly is refused,
        // saying why, and leaves the bytes alone.
        memExpected = mem;
        EXPECT_TRUE(ch.setRecFreq("450.0125") && ch.setTxFreq("512.5375") && ch.setRecCG("D023-") &&
                    ch.setTxCG("67.0"));
        for (const FieldEntry& refused :
             {ch.setRecFreq("300"), ch.setTxFreq("450.00625"), ch.setRecCG("D0"), ch.setTxCG("900"),
              ch.setLabel("ABCDEFGHIJ"), ch.setScan("y"), ch.update(0, "1"), ch.update(7, "Y")})
            EXPECT_FALSE(refused.accepted() || refused.reason().empty());
        EXPECT_EQ(std::pair(mem, labels), std::pair(memExpected, labelsExpected));
    }
    MemImage mem{};
    LabelImage labels{};
    for (const auto& [g, c] : {std::pair{0, 14}, {0, -1}, {15, 0}, {-1, 0}})
        EXPECT_THROW(Channel(mem, labels, g, c), std::out_of_range) << g << " " << c;
}

TEST(Channel, TextsShownCopiedAndPasted) {
    MemImage mem{};
    LabelImage labels{};
    Channel ch(mem, labels, 0, 3);
    EXPECT_TRUE(ch.writeChannel({"9", "450.0125", "", "455.0125", "D754", "FIRE", "Y"}));
    EXPECT_EQ(ch.display(), (RowData{"", "450.01250", "", "455.01250", "D754", "FIRE    ", "Y"}));
    EXPECT_EQ(ch.copyChan(), "450.01250\t\t455.01250\tD754\tFIRE    \tY");
    ch.update(kColScan, "");
    EXPECT_EQ(ch.copyChan(), "450.01250\t\t455.01250\tD754\tFIRE    \t");
    ch.setLabel("1.2.3.4.5.6.7.8.");  // a point takes no position
    EXPECT_EQ(ch.label(), "1.2.3.4.5.6.7.8.");
    for (int k = 0; k < 8; ++k) labels[labelIndex(0, 3, k)] = 0xFF;
    EXPECT_EQ(ch.label(), " blank  ");
    EXPECT_TRUE(ch.setLabel(" blank  "));  // as shown: the erased bytes stay
    EXPECT_EQ(labels[labelIndex(0, 3, 0)], 0xFF);
    ch.resetToDefaults();
    EXPECT_EQ(ch.label(), "CHAN 4  ");

    // A row with a column its field refuses stores nothing.
    const std::tuple<const char*, std::optional<RowData>, const char*> pasted[] = {
        {"599.9875\t250.3\t600\tD023-\th.AB-7\tY",
         RowData{"", "599.98750", "250.3", "600.00000", "D023-", "h.AB-7   ", "Y"},
         "Y"},  // the last field has no tab after it and stays
        // Fewer than five tabs: the last field goes to every remaining column ("Y" is no
        // code guard, 450.0125 no tone).
        {"450.0125\t67.0\t455.0125\tY", std::nullopt, "Y"},
        {"450.0125", std::nullopt, "450.0125"},
        // A seventh field is consumed by the last pass and written nowhere.
        {"450\t\t\t\tX\t\tEXTRA\tMORE\tMOST",
         RowData{"", "450.00000", "", "none", "", "X       ", ""}, "MORE\tMOST"}};
    for (const auto& [text, expected, rest] : pasted) {
        const RowData before = ch.display();
        std::string s = text;
        const FieldEntry entry = ch.pasteChan(s);
        EXPECT_EQ(entry.accepted(), expected.has_value()) << text;
        EXPECT_EQ(ch.display(), expected.value_or(before)) << text;
        EXPECT_EQ(s, rest);
    }
}

}  // namespace
}  // namespace zav
