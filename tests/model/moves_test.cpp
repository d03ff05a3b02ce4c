#include "model/moves.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/document.h"

namespace zav {
namespace {

// Every page byte of bank b holds a value that names the bank and the offset, so a
// moved page is recognised wherever it ends up.
Byte marker(int bank, std::size_t k) {
    return static_cast<Byte>((bank * 16 + static_cast<int>(k) * 7) & 0xFF);
}

void markPages(Document& doc) {
    for (int b = 1; b <= 15; ++b)
        for (std::size_t k = 0; k < kPageSize; ++k)
            doc.mem[static_cast<std::size_t>(b) * kPageSize + k] = marker(b, k);
}

// The old bank number whose page now sits at each bank number 1..15 (0: not recognised).
std::array<int, 16> pageOrigins(const Document& doc) {
    std::array<int, 16> origin{};
    for (int at = 1; at <= 15; ++at) {
        for (int b = 1; b <= 15; ++b) {
            bool same = true;
            for (std::size_t k = 0; k < kPageSize && same; ++k)
                same = doc.mem[static_cast<std::size_t>(at) * kPageSize + k] == marker(b, k);
            if (same) origin[static_cast<std::size_t>(at)] = b;
        }
    }
    return origin;
}

struct MoveCase {
    int from;
    int to;
    std::array<int, 16> origins;  // index = bank number, [0] unused
};

class BankMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(BankMove, PagesCloseUpAndThePageMapAndLabelsStay) {
    const MoveCase& c = GetParam();
    Document doc;
    markPages(doc);
    // A page map with gaps, a global page and labels that must not travel.
    doc.mem[80] = 0x08;
    doc.mem[81] = 0x80;  // bank 2 exists, bank 3 does not
    doc.mem[82] = 0x08;  // bank 5 exists, bank 4 does not
    for (std::size_t i = 0; i < kPageSize; ++i)
        if (i < 80 || i > 87) doc.mem[i] = static_cast<Byte>(i ^ 0x5A);
    for (std::size_t i = 0; i < doc.labels.size(); ++i) doc.labels[i] = static_cast<Byte>(i * 3);
    doc.mem[2048] = 0x77;
    const MemImage before = doc.mem;
    const LabelImage labelsBefore = doc.labels;

    BankMoves moves(doc);
    moves.moveGroups(c.from, c.to);

    EXPECT_EQ(pageOrigins(doc), c.origins);
    for (std::size_t i = 0; i < kPageSize; ++i) EXPECT_EQ(doc.mem[i], before[i]) << "global " << i;
    EXPECT_EQ(doc.mem[2048], 0x77);
    EXPECT_EQ(doc.labels, labelsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BankMove,
    ::testing::Values(
        // New bank 1 = old 15, new banks 2..15 = old 1..14.
        MoveCase{15, 1, {0, 15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        // New banks 2, 3, 4 = old 3, 4, 5; new bank 5 = old 2.
        MoveCase{2, 5, {0, 1, 3, 4, 5, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        // New bank 3 = old 10, new banks 4..10 = old 3..9.
        MoveCase{10, 3, {0, 1, 2, 10, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15}},
        MoveCase{4, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        MoveCase{1, 15, {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1}},
        MoveCase{14, 15, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14}}));

TEST(BankMove, MoveAndItsReverseRestoreTheImage) {
    Document doc;
    markPages(doc);
    const MemImage before = doc.mem;
    for (int from = 1; from <= 15; ++from) {
        for (int to = 1; to <= 15; ++to) {
            BankMoves(doc).moveGroups(from, to);
            BankMoves(doc).moveGroups(to, from);
            ASSERT_EQ(doc.mem, before) << from << " -> " << to;
        }
    }
}

TEST(BankMove, NumbersOutsideTheBanksAreRefusedBeforeAnythingChanges) {
    Document doc;
    markPages(doc);
    const MemImage before = doc.mem;
    BankMoves moves(doc);
    const std::vector<std::pair<int, int>> bad{{0, 3}, {3, 0}, {16, 1}, {1, 16}, {-1, 5}};
    for (const auto& [from, to] : bad) {
        EXPECT_THROW(moves.moveGroups(from, to), std::out_of_range) << from << " " << to;
        EXPECT_THROW(moves.leftShiftGroups(from, to), std::out_of_range);
        EXPECT_THROW(moves.rightShiftGroups(to, from), std::out_of_range);
        EXPECT_THROW(moves.copyGroup(from, to), std::out_of_range);
    }
    EXPECT_THROW(moves.copyToTemp(0), std::out_of_range);
    EXPECT_THROW(moves.copyFromTemp(16), std::out_of_range);
    EXPECT_EQ(doc.mem, before);
}

TEST(BankMove, TempBufferCarriesOnePage) {
    Document doc;
    markPages(doc);
    BankMoves moves(doc);
    moves.copyToTemp(7);
    moves.copyGroup(2, 7);
    moves.copyFromTemp(2);
    const auto origin = pageOrigins(doc);
    EXPECT_EQ(origin[2], 7);
    EXPECT_EQ(origin[7], 2);
}

TEST(BankNumber, OnlyWholeNumbersOneToFifteen) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases{{"1", 1},
                                                                        {"15", 15},
                                                                        {" 7 ", 7},
                                                                        {"4.0", 4},
                                                                        {"\t12", 12},
                                                                        {"0", std::nullopt},
                                                                        {"16", std::nullopt},
                                                                        {"-3", std::nullopt},
                                                                        {"2.5", std::nullopt},
                                                                        {"14.999", std::nullopt},
                                                                        {"", std::nullopt},
                                                                        {"   ", std::nullopt},
                                                                        {"abc", std::nullopt},
                                                                        {"3x", std::nullopt},
                                                                        {"1e1", std::nullopt},
                                                                        {"nan", std::nullopt},
                                                                        {"inf", std::nullopt},
                                                                        {"1 5", std::nullopt},
                                                                        {"65537", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseBankNumber(text), expected) << "'" << text << "'";
}

}  // namespace
}  // namespace zav
