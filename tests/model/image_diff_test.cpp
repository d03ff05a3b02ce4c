// What a technician reads of two images' differences: each field by its place and both
// texts (unpadded, "none" for an empty one), a group only one image holds, then the bytes no text
// shows by their address.

#include "model/image_diff.h"

#include <gtest/gtest.h>

#include "model/document.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {
namespace {

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
    EXPECT_EQ(back[1], "Group 2, Chan 5, Tx CG: 167.9 -> none");
    EXPECT_EQ(back[3], "Group 4: only in the second image");
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
