#include "model/bulk_edit.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include "model/field_entry.h"
#include "support/cell_diff.h"

namespace zav {
namespace {

using test::cellName;
using test::differingCells;
using test::exported;

constexpr int kGroup = 1;  // the second group: the edits stay in it

// The cells of the edited group a bulk edit should change: (channel index, column).
std::set<std::string> cellsOf(const std::vector<std::pair<int, int>>& cells) {
    std::set<std::string> names;
    for (const auto& [c, column] : cells)
        names.insert(cellName(kGroup + 1, c + 1, kChannelCaptions.at(column)));
    return names;
}

// Runs `edit` on a document whose channel 3 (index 2) has Rec CG D023, scan and an odd Tx CG. A
// refusal must leave every byte and name `refusedChannels` in `column`; an edit must
// change exactly `changed` to `shown`.
struct Expected {
    std::vector<std::pair<int, int>> changed;  // with the text each then shows
    std::vector<std::string> shown;
    std::vector<int> refusedChannels;
    int column = 0;
};

Expected stores(std::vector<std::pair<int, int>> changed, std::vector<std::string> shown) {
    Expected e;
    e.changed = std::move(changed);
    e.shown = std::move(shown);
    return e;
}

Expected refuses(std::vector<int> channels, int column) {
    Expected e;
    e.refusedChannels = std::move(channels);
    e.column = column;
    return e;
}

void expectEdit(const std::function<BulkEdit(Group&)>& edit, const Expected& want,
                const std::string& name) {
    Document doc;
    Group& group = *doc.group(kGroup);
    ASSERT_TRUE(group.channel(2).setRecCG("D023") && group.channel(2).setScan("Y"));
    // Its Tx CG bytes show a tone no entry gives, as a file may hold them.
    doc.mem.at(static_cast<std::size_t>(group.channel(2).fieldAddress(kColTxCG))) = 0x7F;
    const MemImage mem = doc.mem;
    const LabelImage labels = doc.labels;
    const std::string table = exported(doc);
    const BulkEdit result = edit(group);
    if (!want.refusedChannels.empty()) {
        ASSERT_FALSE(result.done()) << name;
        EXPECT_EQ(result.refusal->channels, want.refusedChannels) << name;
        EXPECT_EQ(result.refusal->column, want.column) << name;
        EXPECT_TRUE(result.changes.empty()) << name;
        EXPECT_TRUE(doc.mem == mem && doc.labels == labels) << name;
        const std::string channel = "Channel" +
                                    std::string(want.refusedChannels.size() > 1 ? "s " : " ") +
                                    std::to_string(want.refusedChannels.front() + 1);
        EXPECT_TRUE(result.message().starts_with(channel)) << name << ": " << result.message();
        EXPECT_NE(result.message().find(result.refusal->reason), std::string::npos) << name;
        return;
    }
    ASSERT_TRUE(result.done()) << name << ": " << result.message();
    EXPECT_EQ(differingCells(table, exported(doc)), cellsOf(want.changed)) << name;
    EXPECT_EQ(result.changes.size(), want.changed.size()) << name;
    for (std::size_t i = 0; i < want.changed.size() && i < result.changes.size(); ++i) {
        const auto& [c, column] = want.changed[i];
        EXPECT_EQ(group.channel(c).display()[static_cast<std::size_t>(column)], want.shown[i])
            << name;
        EXPECT_EQ(result.changes[i].after, want.shown[i]) << name;
        EXPECT_NE(result.changes[i].before, result.changes[i].after) << name;
    }
}

TEST(BulkEdit, SetsOneColumnOnEveryChannelOrOnNone) {
    struct Case {
        std::vector<int> channels;
        int column;
        std::string text;
        Expected want;
    };
    const auto range = [](int first, int last, int column) {
        std::vector<std::pair<int, int>> cells;
        for (int c = first; c <= last; ++c) cells.emplace_back(c, column);
        return cells;
    };
    const Case cases[] = {
        {{0, 1, 2, 3, 4, 5, 6}, kColTxCG, "100.0", stores(range(0, 6, kColTxCG), {7, "100.0"})},
        // Channel 3 shows D023 already and keeps its bytes.
        {{0, 1, 2, 3},
         kColRecCG,
         "D023",
         stores({{0, kColRecCG}, {1, kColRecCG}, {3, kColRecCG}}, {3, "D023"})},
        {{13, 0}, kColLabel, "fish", stores({{13, kColLabel}, {0, kColLabel}}, {2, "FISh    "})},
        {{2, 5}, kColScan, "", stores({{2, kColScan}}, {""})},
        {{4}, kColRecFreq, "450125", stores({{4, kColRecFreq}}, {"450.12500"})},
        // The gate refuses the text: every channel that would store it is named.
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
         kColRecCG,
         "D089",
         refuses({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, kColRecCG)},
        {{9, 3}, kColTxFreq, "450.00625", refuses({9, 3}, kColTxFreq)},
        {{2, 3}, kColScan, "y", refuses({2, 3}, kColScan)},
        {{}, kColLabel, "ABCDEFGHI", {}},
    };
    for (const Case& c : cases) {
        if (!c.want.refusedChannels.empty())
            ASSERT_FALSE(channelEntry(c.column, c.text).accepted()) << c.text;
        expectEdit([&](Group& g) { return setColumn(g, c.channels, c.column, c.text); }, c.want,
                   c.text);
    }
    // The channel showing the odd tone keeps it; any other is refused it.
    expectEdit(
        [](Group& g) {
            return setColumn(g, std::vector{1, 2}, kColTxCG, g.channel(2).txCg());
        },
        refuses({1}, kColTxCG), "the tone a file gave");
}

TEST(BulkEdit, FillsFrequenciesInStepsWithinTheBandAndTheRaster) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kOffset = TransmitFill::WithOffset;
    struct Case {
        std::vector<int> channels;
        FrequencyFill fill;
        Expected want;
    };
    const auto rx = [](std::vector<int> channels) {
        std::vector<std::pair<int, int>> cells;
        for (int c : channels) cells.emplace_back(c, kColRecFreq);
        return cells;
    };
    const Case cases[] = {
        {{0, 1, 2}, {"451.0250"}, stores(rx({0, 1, 2}), {"451.02500", "451.03750", "451.05000"})},
        // In the order given; the start typed as the cell takes it (in kHz).
        {{5, 2}, {"451025", 25'000}, stores(rx({5, 2}), {"451.02500", "451.05000"})},
        // The band's top edge is a frequency of the radio; a step beyond it is not.
        {{11, 12, 13},
         {"599.975"},
         stores(rx({11, 12, 13}), {"599.97500", "599.98750", "600.00000"})},
        {{10, 11, 12, 13}, {"599.975"}, refuses({13}, kColRecFreq)},
        // Downward to the lowest frequency; 400 MHz itself is stored as none.
        {{0, 1}, {"400.025", -12'500}, stores(rx({0, 1}), {"400.02500", "400.01250"})},
        {{0, 1, 2}, {"400.025", -12'500}, refuses({2}, kColRecFreq)},
        // Steps off the raster, a zero step, a start off the raster or the band.
        {{3, 4}, {"451.0", 6'250}, refuses({3}, kColRecFreq)},
        {{3, 4}, {"451.0", 12'501}, refuses({3}, kColRecFreq)},
        {{3, 4}, {"451.0", 0}, refuses({3}, kColRecFreq)},
        {{3, 4}, {"451.01"}, refuses({3}, kColRecFreq)},
        {{3, 4}, {"700"}, refuses({3}, kColRecFreq)},
        // Transmit with an offset, which the transmit cell must hold too.
        {{0, 1},
         {"451.0", kRasterHz, kOffset, 5'000'000},
         stores({{0, kColRecFreq}, {0, kColTxFreq}, {1, kColRecFreq}, {1, kColTxFreq}},
                {"451.00000", "456.00000", "451.01250", "456.01250"})},
        {{6},
         {"451.0", kRasterHz, kOffset, 0},
         stores({{6, kColRecFreq}, {6, kColTxFreq}}, {"451.00000", "451.00000"})},
        {{0, 1}, {"404.0", kRasterHz, kOffset, -5'000'000}, refuses({0}, kColTxFreq)},
        {{0, 1}, {"451.0", kRasterHz, kOffset, 6'250}, refuses({0}, kColTxFreq)},
        // Steps and offsets far beyond the band are refused without overflowing.
        {{0, 1}, {"599.975", kMax / kRasterHz * kRasterHz}, refuses({1}, kColRecFreq)},
        {{0, 1}, {"400.025", kMin / kRasterHz * kRasterHz}, refuses({1}, kColRecFreq)},
        {{0, 1}, {"451.0", kRasterHz, kOffset, kMin}, refuses({0}, kColTxFreq)},
        {{0, 1}, {"451.0", kRasterHz, kOffset, kMax}, refuses({0}, kColTxFreq)},
        {{}, {"451.0"}, {}},
    };
    for (const Case& c : cases)
        expectEdit([&](Group& g) { return fillFrequencies(g, c.channels, c.fill); }, c.want,
                   c.fill.start + " " + std::to_string(c.fill.stepHz));
}

TEST(BulkEdit, ACallersMistakeThrowsBeforeAnythingIsStored) {
    const std::vector<std::vector<int>> lists = {{0, 14}, {-1}, {3, 4, 3}};
    Document doc;
    const MemImage mem = doc.mem;
    Group& group = *doc.group(0);
    for (const auto& list : lists) {
        EXPECT_THROW(setColumn(group, list, kColLabel, "A"), std::invalid_argument);
        EXPECT_THROW(fillFrequencies(group, list, {"451.0"}), std::invalid_argument);
    }
    for (const int column : {0, 7})
        EXPECT_THROW(setColumn(group, std::vector{1}, column, "Y"), std::invalid_argument);
    EXPECT_EQ(doc.mem, mem);
}

TEST(BulkEdit, ChannelListsAndAmountsAsTyped) {
    const std::pair<const char*, std::optional<std::int64_t>> amounts[] = {
        {"0.0125", 12'500}, {"-5", -5'000'000}, {" +5.0 ", 5'000'000}, {"1e-2", 10'000},
        {"0.0000001", {}},  {"--5", {}},        {"- 5", {}},           {"", {}},
        {"5 MHz", {}},      {"x", {}}};
    for (const auto& [text, hz] : amounts) EXPECT_EQ(megahertzToHz(text), hz) << text;

    const std::pair<const char*, std::vector<int>> lists[] = {
        {"1-3,9,12-14", {0, 1, 2, 8, 11, 12, 13}},
        {" 3 , 1-2", {2, 0, 1}},
        {"14", {13}},
        {"0", {}},
        {"15", {}},
        {"7-3", {}},
        {"1,1", {}},
        {"1-3,2", {}},
        {"", {}},
        {"1-", {}},
        {"1,,2", {}},
        {"a", {}}};
    for (const auto& [text, channels] : lists) {
        const ChannelList list = parseChannelList(text);
        EXPECT_EQ(list.channels, channels) << text;
        EXPECT_EQ(list.refusal.empty(), !channels.empty()) << text;
        if (!channels.empty())
            EXPECT_EQ(parseChannelList(channelListText(channels)).channels, channels);
    }
    EXPECT_EQ(channelListText(std::vector{0, 1, 2, 8}), "1-3, 9");
}

}  // namespace
}  // namespace zav
