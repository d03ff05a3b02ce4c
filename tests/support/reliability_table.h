#pragma once
// RELIABILITY.md's tables are written by the tests that check them: with the variable
// `env` set, the test writes its table into the file it names (scripts/reliability puts
// it in place); otherwise the table must be the one between the markers of `name`.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace zav::test {

inline void expectReliabilityTable(const std::string& name, const char* env,
                                   const std::string& table) {
    if (const char* path = std::getenv(env)) {
        std::ofstream(path) << table;
        return;
    }
    std::ifstream in(ZAV_SOURCE_DIR "/RELIABILITY.md");
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const std::string start = "<!-- " + name + " -->\n";
    const std::size_t from = std::min(text.find(start), text.size() - start.size()) + start.size();
    EXPECT_EQ(table, text.substr(from, text.find("<!-- end of " + name + " -->") - from))
        << "RELIABILITY.md's " << name << " differs from the test's: run scripts/reliability";
}

}  // namespace zav::test
