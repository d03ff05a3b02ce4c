#include "model/group.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/lists.h"

namespace zav {
namespace {

class GroupTest : public ::testing::Test {
  protected:
    static constexpr int kGroup = 4;
    static constexpr std::size_t kPage = 5 * 128;

    MemImage mem{};
    LabelImage labels{};
    Group group{mem, labels, kGroup};

    Byte& hdr(std::size_t i) { return mem[kPage + i]; }
    Byte& backlightByte() { return labels[labelIndex(kGroup, 15, 7)]; }
};

TEST_F(GroupTest, DefaultContents) {
    mem.fill(0xA5);
    labels.fill(0xA5);
    const MemImage memBefore = mem;
    const LabelImage labelsBefore = labels;
    group.resetToDefaults();

    for (std::size_t i = 0; i < mem.size(); ++i) {
        const bool inPage = i >= kPage && i < kPage + 128;
        ASSERT_EQ(mem[i], inPage ? 0 : memBefore[i]) << "byte " << i;
    }
    EXPECT_EQ(group.readGroupLabel(), "GROUP 5 ");
    for (int c = 0; c < kChannelsPerGroup; ++c) {
        const RowData row = group.display(c);
        EXPECT_EQ(row[5], "CHAN " + std::to_string(c + 1) + (c < 9 ? "  " : " "));
        EXPECT_EQ(row[1], "none");
        EXPECT_EQ(row[2], "");
        EXPECT_EQ(row[6], "");
    }
    const GroupParams p = group.read();
    EXPECT_EQ(p.priorityMode, kModeA);
    EXPECT_EQ(p.battSave, 0);  // battery saver ON
    EXPECT_EQ(p.varCG, 0);     // variable code guard off
    EXPECT_EQ(p.id, "0000000");

    // Label memory: only slots 0..14 of this group changed; slot 15 and other groups kept.
    for (int g = 0; g < kGroupCount; ++g) {
        for (int s = 0; s < 16; ++s) {
            for (int k = 0; k < 8; ++k) {
                const auto i = labelIndex(g, s, k);
                if (g != kGroup || s == 15) {
                    ASSERT_EQ(labels[i], labelsBefore[i]) << g << s << k;
                }
            }
        }
    }
}

TEST_F(GroupTest, DefaultLabelOfTheLastGroupFillsAllEightPositions) {
    Group last(mem, labels, 14);
    last.resetToDefaults();
    EXPECT_EQ(last.readGroupLabel(), "GROUP 15");
}

TEST_F(GroupTest, ErasedGroupLabelReadsAsBlank) {
    for (int k = 0; k < 8; ++k) labels[labelIndex(kGroup, 14, k)] = 0xFF;
    EXPECT_EQ(group.readGroupLabel(), " BLANK  ");
    for (int k = 0; k < 8; ++k) labels[labelIndex(kGroup, 3, k)] = 0xFF;
    EXPECT_EQ(group.display(3)[5], " blank  ");
}

TEST_F(GroupTest, GroupLabelRoundTrip) {
    group.writeGroupLabel("ab.c-Zh");
    EXPECT_EQ(group.readGroupLabel(), "AB.C-Zh  ");
}

TEST_F(GroupTest, IdNumberIsPaddedToSevenDigits) {
    hdr(4) = 0xF5;  // busy channel indicator and resident ANI bits must survive
    group.writeIdNum("12AB");
    EXPECT_EQ(hdr(4), 0xF0);
    EXPECT_EQ(hdr(5), 0x00);
    EXPECT_EQ(hdr(6), 0x12);
    EXPECT_EQ(hdr(7), 0xAB);
    EXPECT_EQ(group.readIdNum(), "00012AB");
}

TEST_F(GroupTest, IdNumberCases) {
    const struct {
        const char* text;
        const char* readBack;
    } cases[] = {{"123456789", "1234567"}, {"abcdef0", "ABCDEF0"}, {"", "0000000"},
                 {"1G3", "0000103"},       {"F", "000000F"},       {"9876543", "9876543"}};
    for (const auto& c : cases) {
        group.writeIdNum(c.text);
        EXPECT_EQ(group.readIdNum(), c.readBack) << c.text;
    }
}

TEST_F(GroupTest, PriorityByteC7) {
    hdr(3) = 0xC7;
    const Priority p = group.readPriority();
    EXPECT_EQ(p.mode, kModeC);
    EXPECT_EQ(p.channel, 7);  // channel 8
    const KeyboardLockouts k = group.readKeyboardLockouts();
    EXPECT_FALSE(k.priKeyLock);
    EXPECT_FALSE(k.entClrLock);
}

TEST_F(GroupTest, PriorityChannelNibbleAboveThirteenShowsAsFourteen) {
    for (Byte nibble : {Byte{14}, Byte{15}}) {
        hdr(3) = nibble;
        EXPECT_EQ(group.readPriority().channel, 13);
    }
}

TEST_F(GroupTest, PriorityModeButtonsAndStoredCodes) {
    // Buttons A, B, C, D store codes 0, 2, 3, 1 in bits 6-7.
    const struct {
        int button;
        Byte code;
        const char* letter;
    } cases[] = {{kModeA, 0, "A"}, {kModeB, 2, "B"}, {kModeC, 3, "C"}, {kModeD, 1, "D"}};
    for (const auto& c : cases) {
        hdr(3) = 0x35;  // lockout bits set, channel 6
        group.writePriority({c.button, 9});
        EXPECT_EQ(hdr(3), (c.code << 6) | 0x30 | 9) << c.letter;
        EXPECT_EQ(group.readPriority().mode, c.button);
    }
}

TEST_F(GroupTest, NoPriorityChannelSelectedStoresFifteen) {
    group.writePriority({kModeA, -1});
    EXPECT_EQ(hdr(3) & 0x0F, 15);
    EXPECT_EQ(group.readPriority().channel, 13);
}

TEST_F(GroupTest, KeyboardLockouts) {
    hdr(3) = 0xCF;
    group.writeKeyboardLockouts({true, false});
    EXPECT_EQ(hdr(3), 0xEF);
    group.writeKeyboardLockouts({false, true});
    EXPECT_EQ(hdr(3), 0xDF);
}

TEST_F(GroupTest, TimeOutTimerAndScanHold) {
    group.writeTotScan(3, 15);
    EXPECT_EQ(hdr(2), 0xF3);
    EXPECT_EQ(group.readTotScan(), std::make_pair(3, 15));
}

TEST_F(GroupTest, BusyChannelAndResidentAni) {
    hdr(4) = 0x0C;
    group.writeBusyChannelIndicate(3);
    group.writeAniDtmf(2);
    EXPECT_EQ(hdr(4), 0xEC);
    EXPECT_EQ(group.readBusyChannelIndicate(), 3);
    EXPECT_EQ(group.readAniDtmf(), 2);
}

TEST_F(GroupTest, VariableCodeGuardAndBatterySaverKeepTheScanFlags) {
    hdr(0) = 0x3F;
    group.writeVariableCg(1);
    group.writeBattSave(1);
    EXPECT_EQ(hdr(0), 0xFF);
    EXPECT_EQ(group.readVariableCg(), 1);
    EXPECT_EQ(group.readBattSave(), 1);
    group.writeVariableCg(0);
    group.writeBattSave(2);  // only button 1 sets the bit
    EXPECT_EQ(hdr(0), 0x3F);
    EXPECT_EQ(group.readVariableCg(), 0);
    EXPECT_EQ(group.readBattSave(), 0);
}

TEST_F(GroupTest, BacklightByte) {
    group.writeGroupBacklight({5, true, true, false, true, false});
    EXPECT_EQ(backlightByte(), 0x5B);  // 5*2 | 1 | 16 | 64
    backlightByte() = 0xA4;            // timeout 2, other, channel
    const Backlight b = group.readGroupBacklight();
    EXPECT_EQ(b.timeout, 2);
    EXPECT_FALSE(b.alphaEnabled);
    EXPECT_FALSE(b.keypress);
    EXPECT_TRUE(b.other);
    EXPECT_FALSE(b.scanState);
    EXPECT_TRUE(b.channel);
}

TEST_F(GroupTest, ValuesThatDoNotFitAreRefusedAndStoreNothing) {
    mem.fill(0x11);
    labels.fill(0x11);
    const MemImage memBefore = mem;
    const LabelImage labelsBefore = labels;
    EXPECT_THROW(group.writeTotScan(16, 0), std::overflow_error);
    EXPECT_THROW(group.writeTotScan(0, -1), std::overflow_error);
    EXPECT_THROW(group.writePriority({4, 0}), std::overflow_error);
    EXPECT_THROW(group.writePriority({0, 16}), std::overflow_error);
    EXPECT_THROW(group.writePriority({0, -2}), std::overflow_error);
    EXPECT_THROW(group.writeBusyChannelIndicate(4), std::overflow_error);
    EXPECT_THROW(group.writeAniDtmf(-1), std::overflow_error);
    EXPECT_THROW(group.writeGroupBacklight({8, false, false, false, false, false}),
                 std::overflow_error);
    GroupParams p = group.read();
    p.groupLabel = "CHANGED";
    p.ani = 7;
    EXPECT_THROW(group.writeGroup(p), std::overflow_error);
    EXPECT_EQ(mem, memBefore);
    EXPECT_EQ(labels, labelsBefore);
}

TEST_F(GroupTest, ChannelIndexOutsideTheGroupThrows) {
    std::string s = "450";
    EXPECT_THROW(group.display(14), std::out_of_range);
    EXPECT_THROW(group.display(-1), std::out_of_range);
    EXPECT_THROW(group.update(14, 1, "450"), std::out_of_range);
    EXPECT_THROW(group.copyChan(-1), std::out_of_range);
    EXPECT_THROW(group.pasteRecord(s, 14), std::out_of_range);
    EXPECT_THROW(Group(mem, labels, 15), std::out_of_range);
}

TEST_F(GroupTest, ChannelRequestsReachTheRightChannel) {
    group.update(9, kColRecFreq, "451.5");
    std::string s = "452\t\t452\t\tTEN\tY";
    group.pasteRecord(s, 9);
    EXPECT_EQ(group.copyChan(9), "452.00000\t\t452.00000\t\tTEN     \tY");
    EXPECT_EQ(hdr(0), 0x02);  // channel 10's scan flag
    EXPECT_EQ(group.display(8)[1], "none");
}

TEST_F(GroupTest, WriteGroupThenReadGivesTheSameParameters) {
    GroupParams p;
    p.groupLabel = "NORTH.1";
    p.tot = 15;
    p.scanHold = 4;
    p.id = "ABC1234";
    p.priorityMode = kModeD;
    p.priorityChannel = 12;
    p.priKeyLock = true;
    p.entClrLock = false;
    p.bci = 2;
    p.ani = 3;
    p.varCG = 1;
    p.battSave = 1;
    p.blTimeout = 7;
    p.alphaEnabled = true;
    p.blKeypress = false;
    p.blOther = true;
    p.blScanState = false;
    p.blChannel = true;
    hdr(0) = 0x15;  // scan flags of channels 9, 11, 13
    hdr(1) = 0x81;
    group.writeGroup(p);
    GroupParams back = group.read();
    EXPECT_EQ(back.groupLabel, "NORTH.1  ");
    back.groupLabel = p.groupLabel;
    EXPECT_EQ(back.tot, p.tot);
    EXPECT_EQ(back.scanHold, p.scanHold);
    EXPECT_EQ(back.id, p.id);
    EXPECT_EQ(back.priorityMode, p.priorityMode);
    EXPECT_EQ(back.priorityChannel, p.priorityChannel);
    EXPECT_EQ(back.priKeyLock, p.priKeyLock);
    EXPECT_EQ(back.entClrLock, p.entClrLock);
    EXPECT_EQ(back.bci, p.bci);
    EXPECT_EQ(back.ani, p.ani);
    EXPECT_EQ(back.varCG, p.varCG);
    EXPECT_EQ(back.battSave, p.battSave);
    EXPECT_EQ(back.blTimeout, p.blTimeout);
    EXPECT_EQ(back.alphaEnabled, p.alphaEnabled);
    EXPECT_EQ(back.blKeypress, p.blKeypress);
    EXPECT_EQ(back.blOther, p.blOther);
    EXPECT_EQ(back.blScanState, p.blScanState);
    EXPECT_EQ(back.blChannel, p.blChannel);
    EXPECT_EQ(hdr(0) & 0x3F, 0x15);
    EXPECT_EQ(hdr(1), 0x81);
    EXPECT_EQ(hdr(2), 0x4F);
    EXPECT_EQ(hdr(3), 0x6C);  // mode D = code 1, priority key locked, channel 13
}

TEST_F(GroupTest, WriteGroupStoresTheCurrentGridRowIntoItsChannel) {
    const GroupParams p = group.read();
    const RowData row{"12", "460.1", "D023", "465.1", "", "MOBILE", "Y"};
    group.writeGroup(p, &row);
    const RowData shown = group.display(11);
    EXPECT_EQ(shown[1], "460.10000");
    EXPECT_EQ(shown[2], "D023");
    EXPECT_EQ(shown[3], "465.10000");
    EXPECT_EQ(shown[5], "MOBILE  ");
    EXPECT_EQ(shown[6], "Y");
    EXPECT_EQ(group.display(10)[1], "none");
}

TEST_F(GroupTest, WriteGroupWithABadRowNumberStoresNothing) {
    const MemImage before = mem;
    GroupParams p = group.read();
    p.tot = 5;
    for (const char* number : {"0", "15", "", "x", "2.5"}) {
        const RowData row{number, "460.1", "", "", "", "", ""};
        EXPECT_THROW(group.writeGroup(p, &row), std::out_of_range) << number;
        EXPECT_EQ(mem, before) << number;
    }
}

}  // namespace
}  // namespace zav
