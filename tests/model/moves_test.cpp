#include "model/moves.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/document.h"

namespace zav {
namespace {

// Every byte of each bank's page holds its bank number.
void markPages(Document& doc) {
    for (std::size_t b = 1; b <= 15; ++b)
        std::fill_n(doc.mem.begin() + static_cast<std::ptrdiff_t>(b * kPageSize), kPageSize, b);
}

// Whose page sits at banks 1 to 15 ("?" for a page mixed from several).
std::string pageOrigins(const Document& doc) {
    std::string text;
    for (std::size_t at = kPageSize; at < 16 * kPageSize; at += kPageSize) {
        const bool whole = std::all_of(&doc.mem[at], &doc.mem[at] + kPageSize,
                                       [&](Byte b) { return b == doc.mem[at]; });
        text += (whole ? std::to_string(doc.mem[at]) : "?") + " ";
    }
    return text;
}

// The same for the labels: every label byte of a bank holds its bank number.
std::string labelOrigins(const Document& doc) {
    std::string text;
    for (int g = 0; g < kGroupCount; ++g) {
        const Byte first = doc.labels[labelIndex(g, 0, 0)];
        bool whole = true;
        for (int s = 0; s < kLabelSlots; ++s)
            for (int k = 0; k < kLabelPositions; ++k)
                whole = whole && doc.labels[labelIndex(g, s, k)] == first;
        text += (whole ? std::to_string(first) : "?") + " ";
    }
    return text;
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
