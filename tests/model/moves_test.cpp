#include "model/moves.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "model/document.h"

namespace zav {
namespace {

// Every byte of each bank's page holds its bank number.
void markPages(Document& doc) {
    for (std::size_t b = 1; b <= 15; ++b)
        std::fill_n(doc.mem.begin() + static_cast<std::ptrdiff_t>(b * kPageSize), kPageSize, b);
}

// Whose bytes sit at banks 1 to 15 ("?" for a mix of several): byteOf(g, k) is byte k of
// the `count` of group index g.
std::string origins(int count, const std::function<Byte(int, int)>& byteOf) {
    std::string text;
    for (int g = 0; g < kGroupCount; ++g) {
        bool whole = true;
        for (int k = 1; k < count; ++k) whole = whole && byteOf(g, k) == byteOf(g, 0);
        text += (whole ? std::to_string(byteOf(g, 0)) : "?") + " ";
    }
    return text;
}
std::string pageOrigins(const Document& doc) {
    return origins(static_cast<int>(kPageSize),
                   [&](int g, int k) { return doc.mem[(g + 1) * kPageSize + k]; });
}
std::string labelOrigins(const Document& doc) {
    return origins(kLabelSlots * kLabelPositions, [&](int g, int k) {
        return doc.labels[labelIndex(g, k / kLabelPositions, k % kLabelPositions)];
    });
}

TEST(BankMoves, PagesCloseUpAndThePageMapAndLabelsStay) {
    const std::tuple<int, int, const char*> cases[] = {
        {15, 1, "15 1 2 3 4 5 6 7 8 9 10 11 12 13 14 "},
        {2, 5, "1 3 4 5 2 6 7 8 9 10 11 12 13 14 15 "},
        {10, 3, "1 2 10 3 4 5 6 7 8 9 11 12 13 14 15 "},
        {4, 4, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 "},
        {1, 15, "2 3 4 5 6 7 8 9 10 11 12 13 14 15 1 "},
        {14, 15, "1 2 3 4 5 6 7 8 9 10 11 12 13 15 14 "}};
    for (const auto& [from, to, origins] : cases) {
        Document doc;
        markPages(doc);
        for (std::size_t i = 0; i < 128; ++i) doc.mem[i] ^= static_cast<Byte>(i);  // must stay
        doc.mem[2048] = 0x77;
        const MemImage before = doc.mem;
        const LabelImage labels = doc.labels;
        BankMoves(doc).moveGroups(from, to);
        EXPECT_EQ(pageOrigins(doc), origins) << from << " -> " << to;
        EXPECT_TRUE(std::equal(before.begin(), before.begin() + 128, doc.mem.begin()));
        EXPECT_EQ(doc.mem[2048], 0x77);
        EXPECT_EQ(doc.labels, labels);
        BankMoves(doc).moveGroups(to, from);
        EXPECT_EQ(doc.mem, before);
        for (std::size_t i = 0; i < doc.labels.size(); ++i)  // the labels move alike when asked
            doc.labels[i] = static_cast<Byte>(i % kGroupCount + 1);  // the group varies fastest
        BankMoves(doc).moveLabels(from, to);
        EXPECT_EQ(labelOrigins(doc), origins);
    }
}

TEST(BankMoves, NumbersOutsideTheBanksAreRefusedBeforeAnythingChanges) {
    Document doc;
    markPages(doc);
    const MemImage before = doc.mem;
    BankMoves moves(doc);
    for (const auto& [from, to] : {std::pair{0, 3}, {3, 0}, {16, 1}, {1, 16}}) {
        EXPECT_THROW(moves.moveGroups(from, to), std::out_of_range) << from << " " << to;
        EXPECT_THROW(moves.leftShiftGroups(from, to), std::out_of_range);
        EXPECT_THROW(moves.rightShiftGroups(to, from), std::out_of_range);
        EXPECT_THROW(moves.copyGroup(from, to), std::out_of_range);
    }
    EXPECT_THROW(moves.copyToTemp(0), std::out_of_range);
    EXPECT_THROW(moves.copyFromTemp(16), std::out_of_range);
    EXPECT_EQ(doc.mem, before);
    const std::pair<const char*, int> banks[] = {
        {"1", 1}, {"15", 15}, {" 7 ", 7}, {"4.0", 4}, {"\t12", 12}};
    for (const auto& [text, bank] : banks) EXPECT_EQ(parseBankNumber(text), bank) << text;
    for (const char* text :
         {"0", "16", "-3", "2.5", "14.999", "", "   ", "3x", "1e1", "nan", "inf", "1 5"})
        EXPECT_EQ(parseBankNumber(text), std::nullopt) << text;
}

}  // namespace
}  // namespace zav
