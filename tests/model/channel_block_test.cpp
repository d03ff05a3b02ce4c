#include "model/channel_block.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "model/document.h"
#include "model/group.h"
#include "model/memory_map.h"
#include "support/channel_rows.h"

namespace zav {
namespace {

using test::changedRows;
using test::groupRows;
using test::GroupRows;

struct Sample {
    Sample() {
        test::fillDistinct(*doc.group(0));
        before = groupRows(*doc.group(0));
    }
    Document doc;
    GroupRows before;
};

TEST(ChannelBlock, PasteFillsRowsFromTheFirstOrNone) {
    struct Case {
        std::vector<int> copied;
        int group;
        int firstRow;
        std::vector<int> filled;  // the rows the paste changes; empty: refused, none changes
    };
    const Case cases[] = {
        {{2, 3, 4}, 0, 11, {11, 12, 13}},  // ends at the last row
        {{2, 3, 4}, 0, 12, {}},            // one row short
        {{5, 2}, 0, 0, {0, 1}},            // in the order copied
        {{0, 1, 2}, 1, 6, {6, 7, 8}},      // into another group
        {{6}, 1, 13, {13}},
    };
    for (const Case& c : cases) {
        Sample s;
        const std::string text = blockText(*s.doc.group(0), c.copied);
        EXPECT_EQ(blockLines(text).size(), c.copied.size());
        Group& target = *s.doc.group(c.group);
        const GroupRows targetBefore = groupRows(target);
        const std::string refusal = pasteBlock(target, c.firstRow, text);
        EXPECT_EQ(refusal.empty(), !c.filled.empty()) << refusal;
        EXPECT_EQ(changedRows(targetBefore, groupRows(target)), c.filled) << c.firstRow;
        for (std::size_t i = 0; i < c.filled.size(); ++i)
            EXPECT_EQ(target.display(c.filled[i]), s.before[static_cast<std::size_t>(c.copied[i])]);
    }
}

TEST(ChannelBlock, PasteWithARefusedCellStoresNothing) {
    Sample s;
    Group& g = *s.doc.group(0);
    // The second line's receive frequency is off the raster; its first line would pass.
    const std::string text = "460\t\tnone\t\tA\tY\r460.00625\t\tnone\t\tB\t\r";
    const std::string refusal = pasteBlock(g, 4, text);
    EXPECT_NE(refusal.find("Chan 6"), std::string::npos) << refusal;
    EXPECT_EQ(groupRows(g), s.before);
    EXPECT_EQ(pasteBlock(g, 4, ""), "The clipboard holds no channels.");
}

TEST(ChannelBlock, MovesRowsWithTheirLabelsAndBytes) {
    struct Case {
        std::vector<int> rows;
        BlockMove direction;
        std::optional<std::vector<int>> order;  // the channel each row then holds
        std::vector<int> selected;              // where the moved rows are
    };
    const auto identity = [] {
        std::vector<int> v;
        for (int r = 0; r < kChannelsPerGroup; ++r) v.push_back(r);
        return v;
    };
    const auto with = [&](std::initializer_list<std::pair<int, int>> rowChannel) {
        std::vector<int> v = identity();
        for (const auto& [row, channel] : rowChannel) v[static_cast<std::size_t>(row)] = channel;
        return v;
    };
    const Case cases[] = {
        {{3, 4}, BlockMove::Up, with({{2, 3}, {3, 4}, {4, 2}}), {2, 3}},
        {{3, 4}, BlockMove::Down, with({{3, 5}, {4, 3}, {5, 4}}), {4, 5}},
        {{3, 5}, BlockMove::Down, with({{3, 4}, {4, 3}, {5, 6}, {6, 5}}), {4, 6}},
        {{12, 13}, BlockMove::Up, with({{11, 12}, {12, 13}, {13, 11}}), {11, 12}},
        {{0, 5}, BlockMove::Up, std::nullopt, {}},  // the first row cannot go up
        {{13}, BlockMove::Down, std::nullopt, {}},
    };
    for (const Case& c : cases) {
        Sample s;
        // Bytes no gate would store move as they are.
        const auto field = static_cast<std::size_t>(s.doc.group(0)->channel(3).fieldAddress(1));
        s.doc.mem[field] = s.doc.mem[field + 1] = 0xFF;
        const GroupRows start = groupRows(*s.doc.group(0));
        const MemImage startMem = s.doc.mem;
        const auto record = [](const MemImage& mem, int r) {
            const auto at = mem.begin() + channelAddress(0, r);
            return std::vector<Byte>(at, at + channel_field::kRecordSize);
        };
        const auto moved = moveChannels(s.doc, 0, c.rows, c.direction);
        ASSERT_EQ(moved.has_value(), c.order.has_value());
        const GroupRows after = groupRows(*s.doc.group(0));
        const std::vector<int> order = c.order.value_or(identity());
        for (int r = 0; r < kChannelsPerGroup; ++r) {
            const int from = order[static_cast<std::size_t>(r)];
            EXPECT_EQ(after[static_cast<std::size_t>(r)], start[static_cast<std::size_t>(from)]);
            EXPECT_EQ(record(s.doc.mem, r), record(startMem, from)) << "row " << r;
        }
        if (moved) EXPECT_EQ(*moved, c.selected);
    }
}

TEST(ChannelBlock, ClearsFrequenciesAndCodeGuardsOnly) {
    Sample s;
    Group& g = *s.doc.group(0);
    clearChannels(g, std::vector{7, 2});
    EXPECT_EQ(changedRows(s.before, groupRows(g)), (std::vector{2, 7}));
    for (const int r : {2, 7}) {
        RowData expected = s.before[static_cast<std::size_t>(r)];
        expected[kColRecFreq] = expected[kColTxFreq] = "none";
        expected[kColRecCG] = expected[kColTxCG] = "";
        EXPECT_EQ(g.display(r), expected);
    }
}

TEST(ChannelBlock, RowsOutsideTheGroupOrTwiceThrowBeforeAnyChange) {
    Sample s;
    Group& g = *s.doc.group(0);
    for (const std::vector<int>& rows : {std::vector{1, 14}, {-1}, {3, 3}}) {
        EXPECT_THROW(clearChannels(g, rows), std::invalid_argument);
        EXPECT_THROW((void)moveChannels(s.doc, 0, rows, BlockMove::Down), std::invalid_argument);
        EXPECT_THROW((void)blockText(g, rows), std::invalid_argument);
    }
    EXPECT_THROW((void)pasteBlock(g, 14, "450\r"), std::invalid_argument);
    EXPECT_EQ(groupRows(g), s.before);
}

}  // namespace
}  // namespace zav
