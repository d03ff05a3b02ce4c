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

// A cell the edit should change and the text it then shows.
struct Cell {
    int channel;
    int column;
    std::string shown;
};

// Runs `edit` on a document whose channel 3 (index 2) has Rec CG D023, scan and an odd Tx
// CG. A refusal must leave every byte and name `refused` in `column`; an edit must change
// exactly `cells`, in their order.
void expectEdit(const std::function<BulkEdit(Group&)>& edit, const std::vector<Cell>& cells,
                const std::vector<int>& refused, int column, const std::string& name) {
    Document doc;
    Group& group = *doc.group(kGroup);
    ASSERT_TRUE(group.channel(2).setRecCG("D023") && group.channel(2).setScan("Y"));
    // Its Tx CG bytes show a tone no entry gives, as a file may hold them.
    doc.mem.at(static_cast<std::size_t>(group.channel(2).fieldAddress(kColTxCG))) = 0x7F;
    const auto [mem, labels] = std::pair(doc.mem, doc.labels);
    const std::string table = exported(doc);
    const BulkEdit result = edit(group);
    if (!refused.empty()) {
        ASSERT_FALSE(result.done()) << name;
        EXPECT_EQ(*result.refusal, (BulkRefusal{refused, column, result.refusal->reason})) << name;
        EXPECT_TRUE(result.changes.empty() && doc.mem == mem && doc.labels == labels) << name;
        const std::string channels = refused.size() > 1 ? "Channels " : "Channel ";
        EXPECT_TRUE(result.message().starts_with(channels + std::to_string(refused[0] + 1)) &&
                    result.message().ends_with(result.refusal->reason))
            << name << ": " << result.message();
        return;
    }
    ASSERT_TRUE(result.done()) << name << ": " << result.message();
    std::set<std::string> named;
    std::vector<std::pair<int, std::string>> shown, changed;
    for (const Cell& cell : cells) {
        named.insert(cellName(kGroup + 1, cell.channel + 1, kChannelCaptions.at(cell.column)));
        shown.emplace_back(cell.channel, cell.shown);
        EXPECT_EQ(group.channel(cell.channel).display().at(cell.column), cell.shown) << name;
    }
    for (const CellChange& c : result.changes) changed.emplace_back(c.channel, c.after);
    EXPECT_EQ(changed, shown) << name;
    EXPECT_EQ(differingCells(table, exported(doc)), named) << name;
}

TEST(BulkEdit, SetsOneColumnOnEveryChannelOrOnNone) {
    struct Case {
        std::vector<int> channels;
        int column;
        std::string text;
        std::optional<std::string> shown;  // nullopt: the gate refuses it
        std::vector<int> named;            // the channels changed, or refused
    };
    // clang-format off
    const Case cases[] = {
        {{0, 1, 2, 3, 4, 5, 6}, kColTxCG, "100.0", "100.0", {0, 1, 2, 3, 4, 5, 6}},
        // Channel 3 shows it already, as typed or not.
        {{0, 1, 2, 3}, kColRecCG, "D023", "D023", {0, 1, 3}},
        {{2, 3}, kColRecCG, "d023", "D023", {3}},
        {{13, 0}, kColLabel, "fish", "FISh    ", {13, 0}}, {{2, 5}, kColScan, "", "", {2}},
        {{4}, kColRecFreq, "450125", "450.12500", {4}}, {{}, kColLabel, "ABC", "", {}},
        {{9, 3}, kColTxFreq, "450.00625", {}, {9, 3}}, {{2, 3}, kColScan, "y", {}, {2, 3}}};
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(channelEntry(c.column, c.text).accepted(), c.shown.has_value()) << c.text;
        std::vector<Cell> cells;
        for (const int ch : c.named) cells.push_back({ch, c.column, c.shown.value_or("")});
        expectEdit([&](Group& g) { return setColumn(g, c.channels, c.column, c.text); },
                   c.shown ? cells : std::vector<Cell>{}, c.shown ? std::vector<int>{} : c.named,
                   c.column, c.text);
    }
    // The channel showing the odd tone keeps it; any other is refused it.
    expectEdit(
        [](Group& g) {
            return setColumn(g, std::vector{1, 2}, kColTxCG, g.channel(2).txCg());
        },
        {}, {1}, kColTxCG, "the tone a file gave");
}

TEST(BulkEdit, FillsFrequenciesInStepsWithinTheBandAndTheRaster) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kOffset = TransmitFill::WithOffset;
    struct Case {
        std::vector<int> channels;
        FrequencyFill fill;
        std::vector<std::string> shown;  // each channel's receive (and transmit) frequency
        int refused, column;             // the channel named (else -1) and its column
    };
    // clang-format off
    const Case cases[] = {
        // In the order given; the start typed as the cell takes it (in kHz).
        {{5, 2}, {"451025", 25'000}, {"451.02500", "451.05000"}, -1, 0},
        // The band's top edge is a frequency of the radio; a step beyond it is not.
        {{11, 12, 13}, {"599.975"}, {"599.97500", "599.98750", "600.00000"}, -1, 0},
        {{10, 11, 12, 13}, {"599.975"}, {}, 13, kColRecFreq},
        // Downward to the lowest frequency; 400 MHz itself is stored as none.
        {{0, 1}, {"400.025", -12'500}, {"400.02500", "400.01250"}, -1, 0},
        {{0, 1, 2}, {"400.025", -12'500}, {}, 2, kColRecFreq},
        // Steps off the raster, a zero step, a start off the raster or the band.
        {{3, 4}, {"451.0", 6'250}, {}, 3, kColRecFreq}, {{3, 4}, {"451.0", 0}, {}, 3, kColRecFreq},
        {{3, 4}, {"451.01"}, {}, 3, kColRecFreq}, {{3, 4}, {"700"}, {}, 3, kColRecFreq},
        {{}, {"451.0"}, {}, -1, 0},
        // Transmit with an offset, which the transmit cell must hold too.
        {{0, 1}, {"451.0", kRasterHz, kOffset, 5'000'000},
         {"451.00000", "456.00000", "451.01250", "456.01250"}, -1, 0},
        {{6}, {"451.0", kRasterHz, kOffset, 0}, {"451.00000", "451.00000"}, -1, 0},
        {{0, 1}, {"404.0", kRasterHz, kOffset, -5'000'000}, {}, 0, kColTxFreq},
        {{0, 1}, {"451.0", kRasterHz, kOffset, 6'250}, {}, 0, kColTxFreq},
        // Steps and offsets far beyond the band are refused without overflowing.
        {{0, 1}, {"599.975", kMax / kRasterHz * kRasterHz}, {}, 1, kColRecFreq},
        {{0, 1}, {"400.025", kMin / kRasterHz * kRasterHz}, {}, 1, kColRecFreq},
        {{0, 1}, {"451.0", kRasterHz, kOffset, kMin}, {}, 0, kColTxFreq},
        {{0, 1}, {"451.0", kRasterHz, kOffset, kMax}, {}, 0, kColTxFreq}};
    // clang-format on
    for (const Case& c : cases) {
        std::vector<Cell> cells;
        const bool tx = c.fill.transmit == kOffset;
        for (std::size_t i = 0; i < c.shown.size(); ++i)
            cells.push_back({c.channels.at(tx ? i / 2 : i), tx && i % 2 ? kColTxFreq : kColRecFreq,
                             c.shown[i]});
        expectEdit([&](Group& g) { return fillFrequencies(g, c.channels, c.fill); }, cells,
                   c.refused < 0 ? std::vector<int>{} : std::vector{c.refused}, c.column,
                   c.fill.start + " " + std::to_string(c.fill.stepHz));
    }
}

// Lists and amounts as typed; a caller's mistake throws before anything is stored.
TEST(BulkEdit, ChannelListsAndAmounts) {
    Document doc;
    const MemImage mem = doc.mem;
    for (const std::vector<int>& list : {std::vector{0, 14}, {-1}, {3, 4, 3}}) {
        EXPECT_THROW(setColumn(*doc.group(0), list, kColLabel, "A"), std::invalid_argument);
        EXPECT_THROW(fillFrequencies(*doc.group(0), list, {"451.0"}), std::invalid_argument);
    }
    for (const int column : {0, 7})
        EXPECT_THROW(setColumn(*doc.group(0), std::vector{1}, column, "Y"), std::invalid_argument);
    EXPECT_EQ(doc.mem, mem);
    // clang-format off
    const std::pair<const char*, std::optional<std::int64_t>> amounts[] = {
        {"0.0125", 12'500}, {"-5", -5'000'000}, {" +5.0 ", 5'000'000}, {"1e-2", 10'000},
        {"0.0000001", {}}, {"--5", {}}, {"- 5", {}}, {"", {}}, {"5 MHz", {}}, {"x", {}}};
    const std::pair<const char*, std::vector<int>> lists[] = {
        {"1-3,9,12-14", {0, 1, 2, 8, 11, 12, 13}}, {" 3 , 1-2", {2, 0, 1}}, {"14", {13}},
        {"0", {}}, {"15", {}}, {"7-3", {}}, {"1,1", {}}, {"1-3,2", {}}, {"", {}}, {"1-", {}},
        {"1,,2", {}}, {"a", {}}};
    // clang-format on
    for (const auto& [text, hz] : amounts) EXPECT_EQ(megahertzToHz(text), hz) << text;
    for (const auto& [text, channels] : lists) {
        const ChannelList list = parseChannelList(text);
        EXPECT_EQ(list.channels, channels) << text;
        EXPECT_EQ(list.refusal.empty(), !channels.empty()) << text;
        if (!channels.empty())
            EXPECT_EQ(parseChannelList(channelListText(channels)).channels, channels);
    }
}

}  // namespace
}  // namespace zav
