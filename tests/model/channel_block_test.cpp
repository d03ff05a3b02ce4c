#include "model/channel_block.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "model/document.h"
#include "model/memory_map.h"
#include "support/channel_rows.h"

namespace zav {
namespace {

using test::groupRows;

struct Sample {
    Document doc;
    Group& group = test::fillDistinct(*doc.group(0));
    test::GroupRows before = groupRows(group);
};

TEST(ChannelBlock, PasteFillsRowsFromTheFirstOrNone) {
    // rows copied from group 1, group pasted into, first row, the rows filled (none: refused)
    // clang-format off
    const std::tuple<std::vector<int>, int, int, std::vector<int>> cases[] = {
        {{2, 3, 4}, 0, 11, {11, 12, 13}}, {{2, 3, 4}, 0, 12, {}}, {{5, 2}, 0, 0, {0, 1}},
        {{0, 1, 2}, 1, 6, {6, 7, 8}}};
    // clang-format on
    for (const auto& [copied, group, first, filled] : cases) {
        Sample s;
        Group& target = *s.doc.group(group);
        const test::GroupRows before = groupRows(target);
        const std::string refusal = pasteBlock(target, first, blockText(s.group, copied));
        EXPECT_EQ(refusal.empty(), !filled.empty()) << refusal;
        EXPECT_EQ(test::changedRows(before, groupRows(target)), filled) << first;
        for (std::size_t i = 0; i < filled.size(); ++i)
            EXPECT_EQ(target.display(filled[i]), s.before[static_cast<std::size_t>(copied[i])]);
    }
    // The second line's frequency is off the raster: the first line is not stored either.
    Sample s;
    const std::string text = "460\t\tnone\t\tA\tY\r460.00625\t\tnone\t\tB\t\r";
    EXPECT_NE(pasteBlock(s.group, 4, text).find("Chan 6"), std::string::npos);
    EXPECT_FALSE(pasteBlock(s.group, 4, "").empty());
    EXPECT_EQ(groupRows(s.group), s.before);
}

TEST(ChannelBlock, MovesRowsWithTheirLabelsAndBytes) {
    // rows, direction, the channels rows 0 to 6 then hold, where the rows moved (none: refused)
    // clang-format off
    const std::tuple<std::vector<int>, BlockMove, std::string, std::optional<std::vector<int>>>
        cases[] = {{{3, 4}, BlockMove::Up, "0134256", {{2, 3}}},
                   {{3, 4}, BlockMove::Down, "0125346", {{4, 5}}},
                   {{3, 5}, BlockMove::Down, "0124365", {{4, 6}}},
                   {{0, 5}, BlockMove::Up, "0123456", {}}, {{13}, BlockMove::Down, "0123456", {}}};
    // clang-format on
    const auto record = [](const MemImage& mem, int r) {
        const auto at = mem.begin() + channelAddress(0, r);
        return std::vector<Byte>(at, at + channel_field::kRecordSize);
    };
    for (const auto& [rows, direction, holds, moved] : cases) {
        Sample s;
        // Bytes no gate would store move as they are.
        const auto field = static_cast<std::size_t>(s.group.channel(3).fieldAddress(1));
        s.doc.mem[field] = s.doc.mem[field + 1] = 0xFF;
        const test::GroupRows start = groupRows(s.group);
        const MemImage startMem = s.doc.mem;
        EXPECT_EQ(moveChannels(s.doc, 0, rows, direction), moved);
        for (int r = 0; r < kChannelsPerGroup; ++r) {
            const int f = r < 7 ? holds[static_cast<std::size_t>(r)] - '0' : r;
            EXPECT_EQ(s.group.display(r), start[static_cast<std::size_t>(f)]) << r;
            EXPECT_EQ(record(s.doc.mem, r), record(startMem, f)) << r;
        }
    }
}

TEST(ChannelBlock, RowsOutsideTheGroupOrTwiceThrowBeforeAnyChange) {
    Sample s;
    for (const std::vector<int>& rows : {std::vector{1, 14}, {-1}, {3, 3}}) {
        EXPECT_THROW(clearChannels(s.group, rows), std::invalid_argument);
        EXPECT_THROW((void)moveChannels(s.doc, 0, rows, BlockMove::Down), std::invalid_argument);
        EXPECT_THROW((void)blockText(s.group, rows), std::invalid_argument);
    }
    EXPECT_THROW((void)pasteBlock(s.group, 14, "450\r"), std::invalid_argument);
    EXPECT_EQ(groupRows(s.group), s.before);
}

}  // namespace
}  // namespace zav
