#include "print/printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "model/document.h"
#include "model/memory_map.h"

namespace zav {
namespace {

// The printout as text between bars, each line after its font ("16B" for 16 points bold).
std::string fontsAndText(const Printout& printout) {
    std::string out;
    for (const PrintLine& line : printout) {
        const std::string text = plainText({line});
        out += std::to_string(line.pointSize) + (line.bold ? "B|" : " |") +
               text.substr(0, text.size() - 1) + "|\n";
    }
    return out;
}

// A unit with four groups whose parameters, backlight bytes and channels all differ.
TEST(Printout, UnitDataMatchesTheReferencePrintout) {
    Document doc;
    const std::pair<std::size_t, Byte> bytes[] = {
        {96, 0x01}, {97, 0x0A}, {98, 0xF0}, {111, 0xFF}, {119, 0x78},  // globals
        {80, 0x08}, {81, 0x08}, {82, 0},    {83, 0},     {84, 0x08},
        {85, 0},    {86, 0},    {87, 0x08}};  // groups 1, 3, 9, 15
    for (const auto& [at, value] : bytes) doc.mem[at] = value;
    doc.reloadGroups();
    const std::tuple<int, Byte, const char*, Priority> groups[] = {
        {0, 0x00, "PATROL", {kModeC, 7}},
        {2, 0x95, "H.1-2", {kModeD, -1}},
        {8, 0x6C, "", {kModeB, 0}},
        {14, 0x0F, "GROUP 15", {kModeA, 13}}};
    for (const auto& [g, backlight, label, priority] : groups) {
        Group& group = *doc.group(g);
        doc.labels[labelIndex(g, 15, 7)] = backlight;
        group.writeGroupLabel(label);
        group.writeIdNum(std::to_string(g * 1111 + 12) + "AB");
        group.writeTotScan(g, 15 - g);
        group.writePriority(priority);
        group.writeKeyboardLockouts({g % 2 == 0, g > 2});
        group.writeBusyChannelIndicate(g % 4);
        group.writeAniDtmf(3 - g % 4);
        group.writeVariableCg(g > 2);
        group.writeBattSave(g < 9);
        group.channel(9).writeChannel({"", "450.0125", "D023-", "455", "67", "BASE", "Y"});
        group.channel(13).writeChannel({"", "599.9875", "250.3", "", "D754", "", ""});
    }
    std::fill_n(&doc.mem[static_cast<std::size_t>(channelAddress(14, 0))], 16, 0xFF);  // erased
    const std::string printed = fontsAndText(composeUnitData(doc, "C:\\RADIOS\\UNIT7.FRQ"));
    std::ifstream in(ZAV_SOURCE_DIR "/tests/print/unit_data.txt");
    std::ostringstream reference;
    reference << in.rdbuf();
    EXPECT_EQ(printed, reference.str());
    if (printed != reference.str()) std::ofstream(ZAV_BINARY_DIR "/unit_data.txt") << printed;
}

TEST(Printout, AFileNameWithControlCharactersStaysOnTheTitleLine) {
    Document doc;
    doc.reloadGroups();
    const Printout p = composeUnitData(doc, "a\nb\tc\x7f.frq");
    EXPECT_EQ(std::ranges::count(plainText(p), '\n'), std::ssize(p));
    EXPECT_TRUE(p.at(1).text().ends_with("a?b?c?.frq")) << p.at(1).text();
}

TEST(Printout, AnItemWhoseColumnIsPassedFollowsAfterOneBlank) {
    const Printout p{
        PrintLine{10, false, {{3, "abcdefgh"}, {5, "X"}, {0, "Y"}, {12, "Z"}, {1, "W"}}},
        PrintLine{}, PrintLine{10, false, {{1, "ab"}, {3, "c"}}}};
    EXPECT_EQ(plainText(p), "  abcdefgh XY Z W\n\nabc\n");  // "ab" ends just at tab 3
}

}  // namespace
}  // namespace zav
