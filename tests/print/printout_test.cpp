#include "print/printout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/memory_map.h"

namespace zav {
namespace {

std::vector<std::string> Texts(const Printout& p) {
    std::vector<std::string> out;
    for (const auto& line : p) out.push_back(line.text());
    return out;
}

// Index of the first line whose text starts with `prefix`; -1 when none.
int Find(const Printout& p, const std::string& prefix, int from = 0) {
    for (int i = from; i < static_cast<int>(p.size()); ++i)
        if (p[static_cast<std::size_t>(i)].text().starts_with(prefix)) return i;
    return -1;
}

class PrintoutTest : public ::testing::Test {
  protected:
    Document doc;
    const PrintLine& line(const Printout& p, int i) { return p.at(static_cast<std::size_t>(i)); }
    Byte& Backlight(int g) { return doc.labels[labelIndex(g, 15, 7)]; }
};

TEST_F(PrintoutTest, TitleWithEmptyAndGivenFileName) {
    for (const std::string name : {"", "C:\\RADIOS\\UNIT7.FRQ"}) {
        const Printout p = composeUnitData(doc, name);
        ASSERT_GE(p.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(line(p, i).pointSize, 16);
            EXPECT_TRUE(line(p, i).bold);
        }
        EXPECT_TRUE(line(p, 0).items.empty());
        EXPECT_TRUE(line(p, 2).items.empty());
        ASSERT_EQ(line(p, 1).items.size(), 1u);
        EXPECT_EQ(line(p, 1).items[0], (PrintItem{10, "ZAV Unit Data Printout    " + name}));
    }
}

TEST_F(PrintoutTest, GlobalSection) {
    doc.mem[96] = 0x01;
    doc.mem[97] = 0x0A;
    doc.mem[98] = 0xF0;
    doc.mem[111] = 0xFF;
    doc.mem[119] = 0x78;
    const Printout p = composeUnitData(doc, "x");
    const int h = Find(p, "Unit Global Data");
    ASSERT_EQ(h, 3);
    EXPECT_EQ(line(p, h).items[0].tab, 9);
    EXPECT_EQ(line(p, h).pointSize, 12);
    EXPECT_TRUE(line(p, h).bold);
    EXPECT_EQ(line(p, h + 1).items,
              (std::vector<PrintItem>{{10,
                                       "DTMF Dev = Test 4    Front Porch Time = 990    ANI Rate = "
                                       "20    Priority Rate = 3.75"}}));
    EXPECT_EQ(line(p, h + 2).items,
              (std::vector<PrintItem>{{10,
                                       "Unit Password = 010AF0    Bank Scan = Disabled   Global "
                                       "Battery Saver = Enabled"}}));
    for (int i = h + 1; i <= h + 3; ++i) {
        EXPECT_EQ(line(p, i).pointSize, 10);
        EXPECT_FALSE(line(p, i).bold);
    }
    EXPECT_TRUE(line(p, h + 3).items.empty());

    doc.mem[111] = 0x30;  // deviation 6, porch 0, rate 10
    doc.mem[119] = 0x81;  // battery saver disabled, bank scan enabled, rate 0
    const Printout q = composeUnitData(doc, "x");
    EXPECT_EQ(line(q, h + 1).text(),
              "DTMF Dev = 1125.0    Front Porch Time = 0    ANI Rate = 10    Priority Rate = 0");
    EXPECT_EQ(line(q, h + 2).text(),
              "Unit Password = 010AF0    Bank Scan = Enabled   Global Battery Saver = Disabled");
}

struct BacklightCase {
    Byte value;
    const char* alpha;
    const char* timeout;
    const char* events;
};

TEST_F(PrintoutTest, BacklightLines) {
    const BacklightCase cases[] = {
        {0x00, "Disabled", "Always off", "nothing"},
        {0x0F, "Enabled", "Always On", "nothing"},
        {0x95, "Enabled", "2 seconds", "Channel Change, Keypress"},
        {0xF2, "Disabled", "1 second",
         "Channel Change, Scan State Change, Other Display, Keypress"},
        {0x6C, "Disabled", "6 seconds", "Scan State Change, Other Display"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.value));
        Backlight(3) = c.value;
        const Printout p = composeUnitData(doc, "");
        const int i = Find(p, "Alpha is ", Find(p, "Group 4 Data"));
        ASSERT_GT(i, 0);
        EXPECT_EQ(
            line(p, i).items,
            (std::vector<PrintItem>{
                {10, "Alpha is "}, {0, c.alpha}, {35, "Backlight Timeout: "}, {0, c.timeout}}));
        EXPECT_EQ(line(p, i + 1).items,
                  (std::vector<PrintItem>{{10, "Backlight on "}, {0, c.events}}));
    }
}

TEST_F(PrintoutTest, MissingGroupsLeaveNoSection) {
    setBits(doc.mem, global_field::pageMapNibble(2), 0);   // group 2
    setBits(doc.mem, global_field::pageMapNibble(15), 0);  // group 15
    doc.initGroups(0, 1);
    const Printout p = composeUnitData(doc, "");
    std::vector<std::string> headings;
    for (const auto& t : Texts(p))
        if (t.starts_with("Group ") && t.ends_with(" Data")) headings.push_back(t);
    std::vector<std::string> expected;
    for (int g = 1; g <= 14; ++g)
        if (g != 2) expected.push_back("Group " + std::to_string(g) + " Data");
    EXPECT_EQ(headings, expected);
}

TEST_F(PrintoutTest, GroupSectionOrderAndFonts) {
    Group& g = *doc.group(0);
    g.writeIdNum("12AB");
    g.writeGroupLabel("PATROL");
    const Printout p = composeUnitData(doc, "");
    const int h = Find(p, "Group 1 Data");
    ASSERT_GT(h, 0);
    // An empty line in the text font comes before each heading.
    EXPECT_TRUE(line(p, h - 1).items.empty());
    EXPECT_EQ(line(p, h - 1).pointSize, 10);
    EXPECT_EQ(line(p, h).items, (std::vector<PrintItem>{{9, "Group 1 Data"}}));
    EXPECT_EQ(line(p, h).pointSize, 12);
    EXPECT_TRUE(line(p, h).bold);
    EXPECT_EQ(line(p, h + 1).items, (std::vector<PrintItem>{{10, "ANI/ID Number: 00012AB"},
                                                            {0, "      Group Label: PATROL  "}}));
    EXPECT_TRUE(line(p, h + 8).items.empty());
    const PrintLine& header = line(p, h + 9);
    EXPECT_TRUE(header.bold);
    EXPECT_EQ(header.pointSize, 10);
    EXPECT_EQ(header.items, (std::vector<PrintItem>{{9, "Chan"},
                                                    {16, "Rec Freq"},
                                                    {28, "Rec CG"},
                                                    {38, "Tx Freq"},
                                                    {50, "Tx CG"},
                                                    {60, "Label"},
                                                    {79, "Scan"}}));
    for (int i = h + 1; i < h + 9; ++i) EXPECT_FALSE(line(p, i).bold) << i;
}

// The four lines of a group's header settings, from header bytes 0, 2, 3 and 4.
TEST_F(PrintoutTest, GroupSettingLines) {
    const struct {
        std::array<Byte, 4> bytes;
        std::array<const char*, 5> lines;  // the priority line has a second item
    } cases[] = {
        {{0x00, 0x00, 0x00, 0x00},
         {"Time Out Timer = OFF      Scan Hold Time = 0.0",
          "Priority Channel: 1      Priority Mode: A", "       Variable Code Guard is Off",
          "Battery Saver: On      Priority Key: Enabled      'ENT' & 'CLR' Keys: Enabled",
          "Busy Channel Indicator: OFF      Resident ANI/DTMF: OFF"}},
        {{0x40, 0xF3, 0x89, 0x50},
         {"Time Out Timer = 45      Scan Hold Time = 7.5",
          "Priority Channel: 10      Priority Mode: B", "       Variable Code Guard is On",
          "Battery Saver: On      Priority Key: Enabled      'ENT' & 'CLR' Keys: Enabled",
          "Busy Channel Indicator: Indicate      Resident ANI/DTMF: DTMF Only"}},
        {{0x80, 0x0A, 0xD7, 0xEC},
         {"Time Out Timer = 150      Scan Hold Time = 0.0",
          "Priority Channel: 8      Priority Mode: C", "       Variable Code Guard is Off",
          "Battery Saver: Off      Priority Key: Enabled      'ENT' & 'CLR' Keys: Locked Out",
          "Busy Channel Indicator: Lockout      Resident ANI/DTMF: ANI Only"}},
        // A priority channel nibble above 13 prints as channel 14.
        {{0xC0, 0x5C, 0x6E, 0xA0},
         {"Time Out Timer = 180      Scan Hold Time = 2.5",
          "Priority Channel: 14      Priority Mode: D", "       Variable Code Guard is On",
          "Battery Saver: Off      Priority Key: Locked Out      'ENT' & 'CLR' Keys: Enabled",
          "Busy Channel Indicator: Override      Resident ANI/DTMF: ANI Only"}},
    };
    for (const auto& c : cases) {
        const std::size_t page = 4 * 128;  // group 4
        doc.mem[page] = c.bytes[0];
        for (std::size_t i = 1; i < 4; ++i) doc.mem[page + 1 + i] = c.bytes[i];
        const Printout p = composeUnitData(doc, "");
        const int h = Find(p, "Group 4 Data");
        ASSERT_GT(h, 0);
        const auto& l = c.lines;
        EXPECT_EQ(line(p, h + 2).items, (std::vector<PrintItem>{{10, l[0]}}));
        EXPECT_EQ(line(p, h + 3).items, (std::vector<PrintItem>{{10, l[1]}, {0, l[2]}}));
        EXPECT_EQ(line(p, h + 4).items, (std::vector<PrintItem>{{10, l[3]}}));
        EXPECT_EQ(line(p, h + 5).items, (std::vector<PrintItem>{{10, l[4]}}));
    }
}

TEST_F(PrintoutTest, FourteenChannelLinesPerGroupWhateverTheyHold) {
    doc.mem.fill(0xFF);  // erased memory: every field undecodable
    doc.labels.fill(0xFF);
    initGlobalPage(doc.mem);
    doc.initGroups(0, 1);
    Channel& ch = doc.group(6)->channel(2);
    ASSERT_TRUE(ch.setRecFreq("450.01250"));
    ASSERT_TRUE(ch.setRecCG("D023-"));
    ASSERT_TRUE(ch.setTxFreq("455.00000"));
    ASSERT_TRUE(ch.setTxCG("067.0"));
    ch.setLabel("BASE");
    ch.setScan("Y");

    const Printout p = composeUnitData(doc, "");
    int sections = 0;
    for (int h = Find(p, "Chan"); h >= 0; h = Find(p, "Chan", h + 1)) {
        ++sections;
        for (int c = 0; c < 14; ++c) {
            const PrintLine& l = line(p, h + 1 + c);
            ASSERT_EQ(l.items.size(), 7u);
            EXPECT_FALSE(l.bold);
            EXPECT_EQ(l.items[0], (PrintItem{10, " " + std::to_string(c + 1) + " "}));
            const int tabs[] = {10, 16, 30, 40, 54, 64, 87};
            for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(l.items[k].tab, tabs[k]);
        }
        EXPECT_TRUE(line(p, h + 15).items.empty());
    }
    EXPECT_EQ(sections, 15);

    const int g7 = Find(p, "Chan", Find(p, "Group 7 Data"));
    const PrintLine& l = line(p, g7 + 3);
    const RowData row = doc.group(6)->display(2);
    for (std::size_t k = 1; k < 7; ++k) EXPECT_EQ(l.items[k].text, row[k]);
    EXPECT_EQ(l.items[1].text, "450.01250");
    EXPECT_EQ(l.items[6].text, "Y");
}

TEST_F(PrintoutTest, PlainTextPlacesItemsAtTheirColumns) {
    Channel& ch = doc.group(0)->channel(9);
    ASSERT_TRUE(ch.setRecFreq("450.01250"));
    ASSERT_TRUE(ch.setRecCG("D023-"));
    ASSERT_TRUE(ch.setTxFreq("455.00000"));
    ASSERT_TRUE(ch.setTxCG("067.0"));
    ch.setScan("Y");
    const std::string text = plainText(composeUnitData(doc, "A.FRQ"));
    const auto lines = [&] {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
            out.push_back(text.substr(start, nl - start));
        return out;
    }();
    ASSERT_EQ(lines.size(), composeUnitData(doc, "A.FRQ").size());
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], std::string(9, ' ') + "ZAV Unit Data Printout    A.FRQ");
    const auto header = std::find(lines.begin(), lines.end(),
                                  "        Chan   Rec Freq    Rec CG    Tx Freq     Tx CG     "
                                  "Label              Scan");
    ASSERT_NE(header, lines.end());
    // Columns 10, 16, 30, 40, 54, 64 and 87 are string indices 9, 15, 29, ...
    const std::string& row10 = *(header + 10);
    EXPECT_EQ(row10.substr(0, 71),
              "          10   450.01250     D023-     455.00000     067.0     CHAN 10 ");
    EXPECT_EQ(row10.substr(71), std::string(15, ' ') + "Y");
    const std::string& row1 = *(header + 1);
    EXPECT_EQ(row1.size(), 86u);  // the empty scan column still pads to column 87
    EXPECT_EQ(row1.substr(0, 20), "          1    none ");
    EXPECT_EQ(row1.substr(39, 5), "none ");
    EXPECT_EQ(row1.substr(63, 8), "CHAN 1  ");
    const auto alpha = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& s) { return s.find("Alpha") != s.npos; });
    ASSERT_NE(alpha, lines.end());
    EXPECT_EQ(*alpha, std::string(9, ' ') + "Alpha is Disabled" + std::string(8, ' ') +
                          "Backlight Timeout: Always off");
}

TEST(PrintoutPlainText, PassedTabFollowsAfterOneBlank) {
    Printout p{PrintLine{10, false, {{3, "abcdefgh"}, {5, "X"}, {0, "Y"}, {12, "Z"}}}};
    EXPECT_EQ(plainText(p), "  abcdefgh XY Z\n");
}

}  // namespace
}  // namespace zav
