#include "model/document.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/image_diff.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {
namespace {

TEST(Document, DefaultImage) {
    const Document doc;
    MemImage expected{};
    expected[80] = 0x08;  // page map: every group present
    std::fill_n(expected.begin() + 81, 7, 0x88);
    EXPECT_EQ(std::pair(doc.mem, doc.shownGroup()), std::pair(expected, -1));  // none shown yet
    for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(doc.group(g)->groupIndex(), g);
    // Every group has its defaults.
    EXPECT_EQ(std::tuple(doc.group(14)->readGroupLabel(), doc.group(14)->display(13)[kColLabel]),
              std::tuple("GROUP 15", "CHAN 14 "));
    EXPECT_THROW(doc.group(15), std::out_of_range);
    EXPECT_THROW(doc.group(-1), std::out_of_range);
}

// Only an existing group can be shown: one a reload finds gone is no longer shown.
TEST(Document, GroupsFollowThePageMap) {
    Document doc;
    doc.group(6)->writeTotScan(2, 3);
    doc.setShownGroup(5);
    EXPECT_EQ(doc.shownGroup(), 5);
    doc.mem[80] = 0x00;                // group 1 absent
    doc.mem[83] = 0x0F;                // group 6 absent, group 7 present with another nibble value
    EXPECT_EQ(doc.reloadGroups(), 1);  // the first group that exists
    EXPECT_EQ(doc.shownGroup(), -1);
    EXPECT_THROW(doc.setShownGroup(5), std::invalid_argument);
    EXPECT_THROW(doc.setShownGroup(15), std::out_of_range);
    for (int g = 0; g < kGroupCount; ++g) EXPECT_EQ(doc.group(g) != nullptr, g != 0 && g != 5);
    EXPECT_EQ(doc.group(6)->readTotScan(), std::make_pair(2, 3));  // a reload keeps the contents
    doc.group(6)->update(0, kColRecFreq, "450.0125");  // groups work on the document's image
    EXPECT_EQ(doc.mem[static_cast<std::size_t>(channelAddress(6, 0))], 0x50);
    EXPECT_EQ(doc.resetGroups(), 1);  // a reset gives every group its defaults again
    EXPECT_EQ(doc.group(6)->readTotScan(), std::make_pair(0, 0));
    std::fill_n(doc.mem.begin() + 80, 8, 0);
    EXPECT_EQ(doc.reloadGroups(), -1);
}

// Modified: the images differ from the state marked clean, or a read came in since.
TEST(Document, KnowsWhetherItIsSaved) {
    Document doc;
    EXPECT_FALSE(doc.modified());  // the default image counts as saved
    doc.labels[7] ^= 1;
    EXPECT_TRUE(doc.modified());
    doc.labels[7] ^= 1;
    EXPECT_FALSE(doc.modified());  // changed back
    doc.markRead();
    EXPECT_TRUE(doc.modified());
    doc.mem[200] ^= 1;
    doc.markClean();
    EXPECT_FALSE(doc.modified());
}

// What a technician reads of two images' differences: each field by its place and both
// texts (unpadded, "none" for an empty one), a group only one image holds, then the bytes
// no text shows by their address.
TEST(ImageDiff, NamesFieldsGroupsAndBytesNoTextShows) {
    const Document a;
    EXPECT_TRUE(compareImages({a.mem, a.labels}, {a.mem, a.labels}).empty());
    Document b;
    b.group(1)->channel(4).setRecFreq("450.0125");
    b.group(1)->channel(4).setTxCG("167.9");
    b.group(1)->channel(4).setLabel("AB");
    setBits(b.mem, global_field::pageMapNibble(4), 0);            // group 4 absent
    b.mem[static_cast<std::size_t>(groupAddress(3) + 8)] = 0x5A;  // a byte no field shows
    EXPECT_EQ(compareImages({a.mem, a.labels}, {b.mem, b.labels}),
              (std::vector<std::string>{
                  "Group 2, Chan 5, Rec Freq: none -> 450.01250",
                  "Group 2, Chan 5, Tx CG: none -> 167.9", "Group 2, Chan 5, Label: CHAN 5 -> AB",
                  "Group 4: only in the first image", "byte 0x208: 00 -> 5A"}));
    const auto back = compareImages({b.mem, b.labels}, {a.mem, a.labels});
    EXPECT_EQ(std::tuple(back[1], back[3]), std::tuple("Group 2, Chan 5, Tx CG: 167.9 -> none",
                                                       "Group 4: only in the second image"));
    // Every bit of a group's backlight byte, in the labels, is one field of that group.
    for (int bit = 0; bit < 8; ++bit) {
        Document c;
        c.labels.at(labelIndex(2, label_field::kBacklightSlot, label_field::kBacklightPosition)) ^=
            static_cast<Byte>(1 << bit);
        const auto diff = compareImages({a.mem, a.labels}, {c.mem, c.labels});
        ASSERT_EQ(diff.size(), 1U) << bit;
        EXPECT_TRUE(diff[0].starts_with("Group 3, Backlight") ||
                    diff[0].starts_with("Group 3, Alpha"))
            << diff[0];
    }
}

}  // namespace
}  // namespace zav
