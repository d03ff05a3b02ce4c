// Runs the built zavtool as a user would.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "tool_process.h"

namespace {

namespace fs = std::filesystem;

using namespace zav::tooltest;

class ZavtoolNewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kTool)) GTEST_SKIP() << "zavtool is not built: " << kTool;
        ASSERT_TRUE(dir.isValid());
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(ZavtoolNewTest, WritesTheDefaultImage) {
    const auto path = file("x.frq");
    const auto run = runTool("new '" + path + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const auto bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 4025u);
    const std::string magic = "MARDEN/TOLE universal radio editor data file 0000";
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 49), magic);
    EXPECT_EQ(bytes[49], 0x54);
    EXPECT_EQ(bytes[56 + 80], 0x08);
    for (int i = 81; i <= 87; ++i) EXPECT_EQ(bytes[56 + i], 0x88) << i;
    // Channel 1's label of group 1 starts with 'C' (code 12, in bits 1 to 6).
    EXPECT_EQ(bytes[2105], 12 << 1);
}

TEST_F(ZavtoolNewTest, KeepsAnExistingFileUnlessForced) {
    const auto path = file("keep.frq");
    std::ofstream(path) << "precious";
    const auto refused = runTool("new '" + path + "'");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("exists"), std::string::npos) << refused.output;
    EXPECT_EQ(readAll(path).size(), 8u);

    const auto forced = runTool("new --force '" + path + "'");
    EXPECT_EQ(forced.status, 0) << forced.output;
    EXPECT_EQ(readAll(path).size(), 4025u);
}

TEST_F(ZavtoolNewTest, ReportsErrorsAndUsage) {
    const auto missing = runTool("new '" + file("no/such/x.frq") + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("Path not found"), std::string::npos) << missing.output;
    EXPECT_EQ(runTool("new").status, 2);
    EXPECT_EQ(runTool("new a.frq b.frq").status, 2);

    const auto help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("new [--force] FILE.frq"), std::string::npos) << help.output;
}

}  // namespace
