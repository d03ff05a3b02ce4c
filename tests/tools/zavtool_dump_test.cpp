// zavtool dump: the unit data printout of a frequency file as text, tab columns as
// character columns.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <sstream>
#include <string>
#include <vector>

#include "files/frequency_file.h"
#include "model/document.h"
#include "model/memory_map.h"
#include "tool_process.h"

namespace {

using namespace zav::tooltest;
using Lines = std::vector<std::string>;

// Appends text so that it starts at character column `tab` (1 = the left margin).
struct Line {
    std::string text;
    Line& at(int tab, const std::string& item) {
        text.resize(std::max(text.size(), static_cast<std::size_t>(tab - 1)), ' ');
        text += item;
        return *this;
    }
};

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

Lines splitLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(rtrim(line));
    return lines;
}

// One channel line: the number (a blank, the digits, a blank) at 10, then the six
// texts at the data columns.
std::string channelLine(int number, const std::array<std::string, 6>& texts) {
    Line l;
    l.at(10, " " + std::to_string(number) + " ");
    const std::array<int, 6> tabs{16, 30, 40, 54, 64, 87};
    for (std::size_t i = 0; i < tabs.size(); ++i) l.at(tabs[i], texts[i]);
    return rtrim(l.text);
}

std::string headerRow() {
    return Line{}
        .at(9, "Chan")
        .at(16, "Rec Freq")
        .at(28, "Rec CG")
        .at(38, "Tx Freq")
        .at(50, "Tx CG")
        .at(60, "Label")
        .at(79, "Scan")
        .text;
}

// The section of a group with default contents, except for the channel lines given.
Lines defaultSection(int number, const std::vector<std::string>& channels = {}) {
    Lines s{
        "",
        Line{}.at(9, "Group " + std::to_string(number) + " Data").text,
        rtrim(
            Line{}
                .at(10, "ANI/ID Number: 0000000      Group Label: GROUP " + std::to_string(number))
                .text),
        Line{}.at(10, "Time Out Timer = OFF      Scan Hold Time = 0.0").text,
        Line{}
            .at(10, "Priority Channel: 1      Priority Mode: A       Variable Code Guard is Off")
            .text,
        Line{}
            .at(10, "Battery Saver: On      Priority Key: Enabled      'ENT' & 'CLR' Keys: Enabled")
            .text,
        Line{}.at(10, "Busy Channel Indicator: OFF      Resident ANI/DTMF: OFF").text,
        Line{}.at(10, "Alpha is Disabled").at(35, "Backlight Timeout: Always off").text,
        Line{}.at(10, "Backlight on nothing").text,
        "",
        headerRow()};
    for (int c = 1; c <= 14; ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        s.push_back(i < channels.size() ? channels[i]
                                        : channelLine(c, {"none", "", "none", "",
                                                          "CHAN " + std::to_string(c), ""}));
    }
    s.push_back("");
    return s;
}

Lines titleAndGlobals(const std::string& file, const std::string& password = "000000") {
    return {
        "",
        rtrim(Line{}.at(10, "ZAV Unit Data Printout    " + file).text),
        "",
        Line{}.at(9, "Unit Global Data").text,
        Line{}
            .at(10, "DTMF Dev = 0    Front Porch Time = 0    ANI Rate = 10    Priority Rate = 0")
            .text,
        Line{}
            .at(10, "Unit Password = " + password +
                        "    Bank Scan = Disabled   Global Battery Saver = Enabled")
            .text,
        ""};
}

class ZavtoolDumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!toolsBuilt()) GTEST_SKIP() << "zavtool is not built: " << kTool;
        ASSERT_TRUE(dir.isValid());
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    void save(const zav::Document& doc, const std::string& path) const {
        const auto bytes = zav::encodeFrequencyFile(doc.mem, doc.labels);
        writeAll(path, Bytes(bytes.begin(), bytes.end()));
    }
    QTemporaryDir dir;
};

TEST_F(ZavtoolDumpTest, ADefaultFileGivesEveryGroupsSectionInOrder) {
    const std::string path = file("d.frq");
    ASSERT_EQ(runTool("new " + shellWord(path)).status, 0);
    const ToolRun run = runTool("dump " + shellWord(path), false);
    ASSERT_EQ(run.status, 0) << run.output;

    Lines expected = titleAndGlobals(path);
    for (int g = 1; g <= 15; ++g) {
        const Lines section = defaultSection(g);
        expected.insert(expected.end(), section.begin(), section.end());
    }
    const Lines got = splitLines(run.output);
    ASSERT_EQ(got.size(), expected.size()) << run.output;
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "line " << i;
}

TEST_F(ZavtoolDumpTest, ShowsTheFilesContentsAndSkipsAMissingGroup) {
    zav::Document doc;
    doc.mem[96] = 0x01;
    doc.mem[97] = 0xAB;
    doc.mem[98] = 0x0C;
    zav::Group& g1 = *doc.group(0);
    g1.update(0, 1, "450.125");
    g1.update(0, 2, "067.0");
    g1.update(0, 3, "455.125");
    g1.update(0, 4, "D023");
    g1.update(0, 5, "RPT 1");
    g1.update(0, 6, "Y");
    // Group 2 leaves the page map; group 3 keeps its number.
    zav::setBits(doc.mem, zav::global_field::pageMapNibble(2), 0);
    doc.initGroups(0, 1);
    const std::string path = file("edited.frq");
    save(doc, path);

    const ToolRun run = runTool("dump " + shellWord(path), false);
    ASSERT_EQ(run.status, 0) << run.output;
    Lines expected = titleAndGlobals(path, "01AB0C");
    const Lines first = defaultSection(
        1, {channelLine(1, {"450.12500", "067.0", "455.12500", "D023", "RPT 1", "Y"})});
    expected.insert(expected.end(), first.begin(), first.end());
    for (int g = 3; g <= 15; ++g) {
        const Lines section = defaultSection(g);
        expected.insert(expected.end(), section.begin(), section.end());
    }
    EXPECT_EQ(splitLines(run.output), expected) << run.output;
}

TEST_F(ZavtoolDumpTest, RefusesWhatIsNoFrequencyFile) {
    writeAll(file("junk.frq"), Bytes(4025, 'x'));
    struct Case {
        std::string args;
        int status;
    };
    const std::vector<Case> cases{
        {"dump", 2},
        {"dump --pdf x.pdf", 2},
        {"dump a.frq b.frq", 2},
        {"dump " + shellWord(file("missing.frq")), 1},
        {"dump " + shellWord(file("junk.frq")), 1},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.output;
        EXPECT_EQ(run.output.find("Unit Global Data"), std::string::npos) << c.args;
        EXPECT_FALSE(run.output.empty()) << c.args << ": no reason given";
    }
}

}  // namespace
