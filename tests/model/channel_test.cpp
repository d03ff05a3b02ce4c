#include "model/channel.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zav {
namespace {

class ChannelTest : public ::testing::Test {
  protected:
    MemImage mem{};
    LabelImage labels{};

    Byte& labelAt(int g, int s, int k) { return labels[labelIndex(g, s, k)]; }
};

TEST_F(ChannelTest, AddressesOfItsData) {
    const Channel first(mem, labels, 0, 0);
    EXPECT_EQ(first.recordAddress(), 144);
    EXPECT_EQ(first.scanByteAddress(), 129);
    EXPECT_EQ(first.scanMask(), 0x01);
    const Channel eighth(mem, labels, 2, 7);
    EXPECT_EQ(eighth.scanByteAddress(), 3 * 128 + 1);
    EXPECT_EQ(eighth.scanMask(), 0x80);
    const Channel ninth(mem, labels, 2, 8);
    EXPECT_EQ(ninth.scanByteAddress(), 3 * 128);
    EXPECT_EQ(ninth.scanMask(), 0x01);
    const Channel last(mem, labels, 14, 13);
    EXPECT_EQ(last.recordAddress(), 2040);
    EXPECT_EQ(last.scanMask(), 0x20);
}

TEST_F(ChannelTest, IndicesOutsideTheGroupThrow) {
    EXPECT_THROW(Channel(mem, labels, 0, 14), std::out_of_range);
    EXPECT_THROW(Channel(mem, labels, 15, 0), std::out_of_range);
    EXPECT_THROW(Channel(mem, labels, -1, 0), std::out_of_range);
}

TEST_F(ChannelTest, PropertiesWriteTheirOwnBytes) {
    Channel ch(mem, labels, 1, 2);
    const auto rec = static_cast<std::size_t>(ch.recordAddress());
    EXPECT_TRUE(ch.setRecFreq("450.0125"));
    EXPECT_TRUE(ch.setRecCG("D023-"));
    EXPECT_TRUE(ch.setTxFreq("512.5375"));
    EXPECT_TRUE(ch.setTxCG("67.0"));
    const Byte expected[8] = {0x50, 0x02, 0xC8, 0x13, 0x12, 0x57, 0x06, 0x70};
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(mem[rec + i], expected[i]) << i;
    EXPECT_EQ(ch.recFreq(), "450.01250");
    EXPECT_EQ(ch.recCg(), "D023-");
    EXPECT_EQ(ch.txFreq(), "512.53750");
    EXPECT_EQ(ch.txCg(), "067.0");
    // Nothing outside the record changed.
    for (std::size_t i = 0; i < mem.size(); ++i) {
        if (i < rec || i >= rec + 8) {
            ASSERT_EQ(mem[i], 0) << i;
        }
    }
}

TEST_F(ChannelTest, TextsThatCannotBeEncodedLeaveTheBytesAlone) {
    Channel ch(mem, labels, 0, 0);
    ch.setRecFreq("450.0125");
    ch.setRecCG("D023");
    ch.setTxFreq("450.0125");
    ch.setTxCG("D023");
    const MemImage before = mem;
    EXPECT_FALSE(ch.setRecFreq("300"));
    EXPECT_FALSE(ch.setTxFreq("700"));
    EXPECT_FALSE(ch.setRecCG("D0"));
    EXPECT_FALSE(ch.setTxCG("900"));
    EXPECT_EQ(mem, before);
}

TEST_F(ChannelTest, NoFrequencyAndNoCodeGuardRead) {
    Channel ch(mem, labels, 0, 0);
    EXPECT_EQ(ch.recFreq(), "none");
    EXPECT_EQ(ch.recCg(), "");
    mem[static_cast<std::size_t>(ch.recordAddress()) + 4] = 0xFF;
    mem[static_cast<std::size_t>(ch.recordAddress()) + 5] = 0xFF;
    EXPECT_EQ(ch.txFreq(), "none");
    EXPECT_TRUE(ch.setTxFreq("400.0000"));
    EXPECT_EQ(ch.txFreq(), "none");
}

TEST_F(ChannelTest, LabelTexts) {
    Channel ch(mem, labels, 4, 6);
    for (int k = 0; k < 8; ++k) labelAt(4, 6, k) = 0xFF;
    EXPECT_EQ(ch.label(), " blank  ");
    for (int k = 0; k < 8; ++k) labelAt(4, 6, k) = 0x60;
    EXPECT_EQ(ch.label(), "        ");

    const LabelImage before = labels;
    ch.setLabel("AB.C");
    const Byte expected[8] = {0x14, 0x17, 0x18, 0x60, 0x60, 0x60, 0x60, 0x60};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(labelAt(4, 6, k), expected[k]) << k;
    EXPECT_EQ(ch.label(), "AB.C     ");
    // Only the channel's own eight bytes changed.
    int changed = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) changed += labels[i] != before[i];
    EXPECT_EQ(changed, 3);

    ch.setLabel("ABCDEFGHIJ");  // characters beyond the eighth position are dropped
    EXPECT_EQ(ch.label(), "ABCDEFGH");
    ch.setLabel("1.2.3.4.5.6.7.8.");  // points do not take a position of their own
    EXPECT_EQ(ch.label(), "1.2.3.4.5.6.7.8.");
}

TEST_F(ChannelTest, scanFlag) {
    for (int c = 0; c < kChannelsPerGroup; ++c) {
        MemImage image{};
        image[128] = 0xC0;  // variable code guard and battery saver bits share byte 0
        Channel ch(image, labels, 0, c);
        EXPECT_EQ(ch.scan(), "");
        ch.setScan("Y");
        EXPECT_EQ(ch.scan(), "Y");
        const int bit = c < 8 ? c : c - 8;
        const std::size_t byte = c < 8 ? 129 : 128;
        EXPECT_EQ(image[byte], (c < 8 ? 0 : 0xC0) | (1 << bit)) << c;
        ch.setScan("y");
        EXPECT_EQ(ch.scan(), "");
        EXPECT_EQ(image[128], 0xC0);
        EXPECT_EQ(image[129], 0);
        ch.setScan("Y");
        ch.setScan("");
        EXPECT_EQ(ch.scan(), "");
    }
}

TEST_F(ChannelTest, DefaultWritesOnlyTheLabel) {
    mem.fill(0x5A);
    const MemImage before = mem;
    Channel first(mem, labels, 0, 0);
    first.resetToDefaults();
    EXPECT_EQ(first.label(), "CHAN 1  ");
    Channel last(mem, labels, 0, 13);
    last.resetToDefaults();
    EXPECT_EQ(last.label(), "CHAN 14 ");
    EXPECT_EQ(mem, before);
}

TEST_F(ChannelTest, DisplayAndCopy) {
    Channel ch(mem, labels, 0, 3);
    ch.setRecFreq("450.0125");
    ch.setTxFreq("455.0125");
    ch.setTxCG("D754");
    ch.setLabel("FIRE");
    ch.setScan("Y");
    const RowData row = ch.display();
    EXPECT_EQ(row[0], "");
    EXPECT_EQ(row[1], "450.01250");
    EXPECT_EQ(row[2], "");
    EXPECT_EQ(row[3], "455.01250");
    EXPECT_EQ(row[4], "D754");
    EXPECT_EQ(row[5], "FIRE    ");
    EXPECT_EQ(row[6], "Y");
    EXPECT_EQ(ch.copyChan(), "450.01250\t\t455.01250\tD754\tFIRE    \tY");
}

TEST_F(ChannelTest, CopyThenPasteReproducesTheChannel) {
    Channel from(mem, labels, 3, 1);
    from.setRecFreq("599.9875");
    from.setRecCG("250.3");
    from.setTxFreq("600");
    from.setTxCG("D023-");
    from.setLabel("h.AB-7");
    from.setScan("Y");
    std::string text = from.copyChan();
    Channel to(mem, labels, 9, 12);
    to.pasteChan(text);
    EXPECT_EQ(to.display(), from.display());
    EXPECT_EQ(text, "Y");  // the Scan field has no tab after it and is left over
}

struct PasteCase {
    const char* text;
    RowData expected;
    const char* rest;
};

class ChannelPaste : public ::testing::TestWithParam<PasteCase> {};

TEST_P(ChannelPaste, FieldsGoToTheProperties) {
    const auto& c = GetParam();
    MemImage mem{};
    LabelImage labels{};
    Channel ch(mem, labels, 0, 0);
    std::string s = c.text;
    ch.pasteChan(s);
    EXPECT_EQ(ch.display(), c.expected) << c.text;
    EXPECT_EQ(s, c.rest);
}

INSTANTIATE_TEST_SUITE_P(
    Channel, ChannelPaste,
    ::testing::Values(PasteCase{"450.0125\t67.0\t455.0125\tD023\tAB\tY",
                                {"", "450.01250", "067.0", "455.01250", "D023", "AB      ", "Y"},
                                "Y"},  // the last field has no tab after it and stays
                      // Three tabs: the fourth field goes to txCg, Label and Scan alike.
                      PasteCase{"450.0125\t67.0\t455.0125\tY",
                                {"", "450.01250", "067.0", "455.01250", "", "Y       ", "Y"},
                                "Y"},
                      // No tab at all: the one field goes everywhere and the text stays.
                      PasteCase{"450.0125",
                                {"", "450.01250", "450.0", "450.01250", "450.0", "450.0125 ", ""},
                                "450.0125"},
                      // A seventh field is consumed by the last pass and written nowhere.
                      PasteCase{"450.0125\t\t\t\tX\t\tEXTRA\tMORE",
                                {"", "450.01250", "", "none", "", "X       ", ""},
                                "MORE"}));

TEST_F(ChannelTest, UpdateAndWriteChannel) {
    Channel ch(mem, labels, 0, 5);
    ch.update(kColRecFreq, "450.0125");
    ch.update(kColScan, "Y");
    const MemImage mem1 = mem;
    const LabelImage labels1 = labels;
    ch.update(0, "512.5");
    ch.update(7, "512.5");
    EXPECT_EQ(mem, mem1);
    EXPECT_EQ(labels, labels1);
    EXPECT_EQ(ch.recFreq(), "450.01250");
    EXPECT_EQ(ch.scan(), "Y");

    const RowData row{"6", "512.5", "D023", "513", "67", "NEW", ""};
    ch.writeChannel(row);
    const RowData shown = ch.display();
    EXPECT_EQ(shown[1], "512.50000");
    EXPECT_EQ(shown[2], "D023");
    EXPECT_EQ(shown[3], "513.00000");
    EXPECT_EQ(shown[4], "067.0");
    EXPECT_EQ(shown[5], "NEW     ");
    EXPECT_EQ(shown[6], "");
}

}  // namespace
}  // namespace zav
