#include "model/document.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "model/globals.h"
#include "model/memory_map.h"

namespace zav {
namespace {

TEST(Document, DefaultImage) {
    const Document doc;
    for (std::size_t i = 0; i < 128; ++i) {
        const Byte expected = i == 80 ? 0x08 : (i >= 81 && i <= 87) ? 0x88 : 0x00;
        EXPECT_EQ(doc.mem[i], expected) << "byte " << i;
    }
    for (std::size_t i = 128; i < doc.mem.size(); ++i) ASSERT_EQ(doc.mem[i], 0) << "byte " << i;
    EXPECT_EQ(doc.shownGroup(), -1);  // the window shows one once it exists
    for (int g = 0; g < kGroupCount; ++g) {
        const Group* group = doc.group(g);
        ASSERT_NE(group, nullptr) << g;
        EXPECT_EQ(group->groupIndex(), g);
        EXPECT_EQ(group->readGroupLabel(), "GROUP " + std::to_string(g + 1) + (g < 9 ? " " : ""));
        EXPECT_EQ(group->display(0)[5], "CHAN 1  ");
        EXPECT_EQ(group->display(13)[5], "CHAN 14 ");
        for (int k = 0; k < 8; ++k) EXPECT_EQ(doc.labels[labelIndex(g, 15, k)], 0);
    }
    // "GROUP 1" in label bytes: G R O U P blank 1 blank.
    const Byte group1[8] = {0x20, 0x36, 0x30, 0x3C, 0x32, 0x60, 0x02, 0x60};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(doc.labels[labelIndex(0, 14, k)], group1[k]) << k;
}

TEST(Document, GroupAccessOutsideTheArrayThrows) {
    Document doc;
    EXPECT_THROW(doc.group(15), std::out_of_range);
    EXPECT_THROW(doc.group(-1), std::out_of_range);
}

TEST(Document, GroupsWorkOnTheDocumentsImages) {
    Document doc;
    doc.group(2)->update(0, 1, "450.0125");
    EXPECT_EQ(doc.mem[static_cast<std::size_t>(channelAddress(2, 0))], 0x50);
    // Replacing the arrays wholesale (as opening a file does) is seen by the groups.
    MemImage other = doc.mem;
    other[static_cast<std::size_t>(channelAddress(2, 0))] = 0x12;
    doc.mem = other;
    EXPECT_EQ(doc.group(2)->display(0)[1], "412.01250");
}

TEST(Document, InitGroupsFollowsThePageMap) {
    Document doc;
    doc.group(6)->writeTotScan(2, 3);
    doc.mem[80] = 0x00;  // group 0 absent
    doc.mem[83] = 0x0F;  // group 5 absent, group 6 present with another nibble value
    doc.mem[87] = 0x80;  // group 14 absent
    const int current = doc.initGroups(0, 7);
    EXPECT_EQ(current, 6);
    for (int g = 0; g < kGroupCount; ++g) {
        EXPECT_EQ(doc.group(g) != nullptr, g != 0 && g != 5 && g != 14) << g;
    }
    // Mode 0 keeps the contents.
    EXPECT_EQ(doc.group(6)->readTotScan(), std::make_pair(2, 3));
    EXPECT_EQ(doc.group(1)->readGroupLabel(), "GROUP 2 ");

    // Mode 1 gives every existing group its defaults again.
    doc.initGroups(1, 7);
    EXPECT_EQ(doc.group(6)->readTotScan(), std::make_pair(0, 0));
}

TEST(Document, CurrentGroupFromTheSelector) {
    Document doc;
    const struct {
        int selector;
        int current;
    } cases[] = {{1, 0}, {15, 14}, {16, 0}, {99, 0}, {0, 0}, {-3, 0}, {8, 7}};
    for (const auto& c : cases) EXPECT_EQ(doc.initGroups(0, c.selector), c.current) << c.selector;

    doc.mem[80] = 0x00;  // group 0 absent: the first existing group is shown instead
    EXPECT_EQ(doc.initGroups(0, 16), 1);
    for (std::size_t i = 80; i <= 87; ++i) doc.mem[i] = 0;
    EXPECT_EQ(doc.initGroups(0, 1), -1);
    for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(doc.group(g), nullptr);
}

TEST(Document, OnlyAnExistingGroupCanBeShownAndNewGroupsShowNone) {
    Document doc;
    doc.setShownGroup(4);
    EXPECT_EQ(doc.shownGroup(), 4);
    doc.mem[82] = 0x08;  // group 3 (page 4) absent
    doc.initGroups(0, 1);
    EXPECT_EQ(doc.shownGroup(), -1);
    EXPECT_THROW(doc.setShownGroup(3), std::invalid_argument);
    EXPECT_THROW(doc.setShownGroup(15), std::out_of_range);
    EXPECT_EQ(doc.shownGroup(), -1);
}

// Reads every group and the global block into plain values and writes them back, as the
// windows do when the user changes group or saves without editing anything.
void DecodeAndEncodeEverything(Document& doc, bool channels) {
    storeGlobalsFromForm(doc.mem, loadGlobalsToForm(doc.mem));
    for (int g = 0; g < kGroupCount; ++g) {
        Group* group = doc.group(g);
        if (!group) continue;
        group->writeGroup(group->read());
        if (!channels) continue;
        for (int c = 0; c < kChannelsPerGroup; ++c) {
            group->channel(c).writeChannel(group->display(c));
        }
    }
}

TEST(Document, RandomImagesKeepTheirUninterpretedBytes) {
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        Document doc;
        for (auto& b : doc.mem) b = static_cast<Byte>(byte(rng));
        for (auto& b : doc.labels) b = static_cast<Byte>(byte(rng));
        doc.initGroups(0, 1);
        const MemImage mem = doc.mem;
        const LabelImage labels = doc.labels;

        DecodeAndEncodeEverything(doc, true);

        EXPECT_TRUE(std::equal(mem.begin(), mem.begin() + 128, doc.mem.begin()));
        EXPECT_EQ(doc.mem[2048], mem[2048]);
        for (int g = 0; g < kGroupCount; ++g) {
            const auto page = static_cast<std::size_t>(groupAddress(g));
            if (!doc.group(g)) {
                // Absent groups are not touched at all.
                EXPECT_TRUE(std::equal(mem.begin() + static_cast<std::ptrdiff_t>(page),
                                       mem.begin() + static_cast<std::ptrdiff_t>(page + 128),
                                       doc.mem.begin() + static_cast<std::ptrdiff_t>(page)));
                continue;
            }
            for (std::size_t i = 0; i < 16; ++i) {
                Byte expected = mem[page + i];
                // A priority channel nibble above 13 reads, and so writes back, as 13.
                if (i == 3 && (expected & 0x0F) > 13) expected = (expected & 0xF0) | 13;
                EXPECT_EQ(doc.mem[page + i], expected) << "group " << g << " byte " << i;
            }
            for (int k = 0; k < 8; ++k) {
                const auto i = labelIndex(g, 15, k);
                EXPECT_EQ(doc.labels[i], labels[i]) << "group " << g << " slot 15 pos " << k;
            }
        }
    }
}

// A random image whose every field holds a value the editor writes itself.
void FillCanonical(Document& doc, std::mt19937& rng) {
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    for (auto& b : doc.mem) b = static_cast<Byte>(pick(0, 255));
    for (auto& b : doc.labels) {
        b = static_cast<Byte>(pick(0, 48) * 2 + pick(0, 1));
    }
    for (int g = 0; g < kGroupCount; ++g) {
        const auto page = static_cast<std::size_t>(groupAddress(g));
        doc.mem[page + 3] = static_cast<Byte>((doc.mem[page + 3] & 0xF0) | pick(0, 13));
        for (int c = 0; c < kChannelsPerGroup; ++c) {
            const auto rec = static_cast<std::size_t>(channelAddress(g, c));
            for (std::size_t f : {std::size_t{0}, std::size_t{4}}) {
                doc.mem[rec + f] = toBcd(pick(0, 99));
                doc.mem[rec + f + 1] =
                    static_cast<Byte>(pick(0, 9) * 16 + pick(0, 7) * 2 + pick(0, 1));
                if (doc.mem[rec + f] == 0 && doc.mem[rec + f + 1] == 0) doc.mem[rec + f + 1] = 2;
            }
            for (std::size_t f : {std::size_t{2}, std::size_t{6}}) {
                if (pick(0, 1)) {
                    const int t = pick(1, 7999);
                    doc.mem[rec + f] = static_cast<Byte>(t / 1000 * 16 + t / 100 % 10);
                    doc.mem[rec + f + 1] = static_cast<Byte>(t / 10 % 10 * 16 + t % 10);
                } else {
                    const int code = pick(0, 511);
                    doc.mem[rec + f] =
                        static_cast<Byte>(0x88 | (code >> 8) | (pick(0, 1) ? 0x40 : 0));
                    doc.mem[rec + f + 1] = static_cast<Byte>(code & 0xFF);
                }
            }
        }
    }
}

TEST(Document, CanonicalImagesSurviveDecodeAndEncodeByteForByte) {
    std::mt19937 rng(42);
    for (int round = 0; round < 10; ++round) {
        Document doc;
        FillCanonical(doc, rng);
        doc.initGroups(0, 1);
        const MemImage mem = doc.mem;
        const LabelImage labels = doc.labels;
        DecodeAndEncodeEverything(doc, true);
        ASSERT_EQ(doc.mem, mem) << "round " << round;
        ASSERT_EQ(doc.labels, labels) << "round " << round;
    }
}

}  // namespace
}  // namespace zav
