// zavtool set and fill change exactly the cells they name (the CSV table before and after
// differs there only) and refuse, naming the channels, a text a cell cannot hold, writing
// nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "ops/file_operations.h"
#include "support/cell_diff.h"
#include "support/temp_dir.h"
#include "zavtool.h"

namespace zav {
namespace {

// Group, channels first..last, column.
using Cells = std::tuple<int, int, int, const char*>;

struct EditCase {
    const char* words;  // the command and its options, split at '|'; FILE and OUT added
    int status;
    std::vector<Cells> changed;
    std::string told;  // part of what stderr says
};

// clang-format off
const EditCase kCases[] = {
    {"set|--group|2|--channels|1-7|--column|Rec CG|--value|100.0", 0, {{2, 1, 7, "Rec CG"}}, ""},
    {"set|--group=15|--channels=14,1|--column=label|--value=fish", 0,
     {{15, 1, 1, "Label"}, {15, 14, 14, "Label"}}, ""},
    {"set|--group|2|--channels|1-7,9|--column|Tx CG|--value|D089", 1, {},
     "Channels 1-7, 9, Tx CG"},
    {"set|--group|1|--channels|3|--column|Scan|--value|y", 1, {}, "Channel 3, Scan"},
    {"fill|--group|2|--channels|1-14|--start|451.0250|--step|0.0125", 0,
     {{2, 1, 14, "Rec Freq"}}, ""},
    {"fill|--group|1|--channels|1-3|--start|451|--offset|5", 0,
     {{1, 1, 3, "Rec Freq"}, {1, 1, 3, "Tx Freq"}}, ""},
    {"fill|--group|3|--channels|1-14|--start|599.9", 1, {}, "Channel 10, Rec Freq"},
    {"fill|--group|3|--channels|1-2|--start|450|--step|0.01", 1, {}, "Channel 1, Rec Freq"},
    {"set|--group|2|--channels|1-15|--column|Label|--value|A", 2, {}, "--channels"},
    {"set|--group|2|--channels|1|--column|Chan|--value|1", 2, {}, "--column"}};
// clang-format on

// The CSV table of a frequency file.
std::string tableOf(const std::string& path) {
    Document doc;
    FileBytes{test::readBytes(path)}.copyTo(doc);
    return test::exported(doc);
}

TEST(ZavtoolEdits, SetAndFillChangeTheNamedCellsOnlyOrNothing) {
    test::TempDir dir;
    const std::string in = dir.file("in.frq");
    const std::string out = dir.file("out.frq");
    test::writeBytes(in, defaultFileBytes().bytes);
    const std::string before = tableOf(in);
    for (const EditCase& c : kCases) {
        std::vector<std::string> args;
        std::istringstream words(c.words);
        for (std::string word; std::getline(words, word, '|');) args.push_back(word);
        args.insert(args.begin() + 1, in);
        args.push_back(out);
        std::ostringstream err;  // stdout too
        tool::ToolIo io{err, err};
        const std::string name = c.words;
        EXPECT_EQ(tool::run(args, io), c.status) << name << err.str();
        EXPECT_NE(err.str().find(c.told), std::string::npos) << name << err.str();
        if (c.status != 0) {
            EXPECT_FALSE(std::filesystem::exists(out)) << name;
            continue;
        }
        std::set<std::string> cells;
        for (const auto& [group, first, last, column] : c.changed)
            for (int n = first; n <= last; ++n) cells.insert(test::cellName(group, n, column));
        EXPECT_EQ(test::differingCells(before, tableOf(out)), cells) << name;
        std::filesystem::remove(out);
    }
}

}  // namespace
}  // namespace zav
