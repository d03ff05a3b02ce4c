// zavtool print --pdf: the unit data printout as a PDF file.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <regex>
#include <string>

#include "tool_process.h"

namespace {

using namespace zav::tooltest;
namespace fs = std::filesystem;

std::size_t count(const std::string& text, const std::regex& re) {
    return static_cast<std::size_t>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), re), std::sregex_iterator()));
}

class ZavtoolPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!toolsBuilt()) GTEST_SKIP() << "zavtool is not built: " << kTool;
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(runTool("new " + shellWord(frq)).status, 0);
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
    std::string frq = file("unit.frq");
};

TEST_F(ZavtoolPrintTest, WritesAPdfHoldingEveryGroup) {
    const std::string pdf = file("unit.pdf");
    const ToolRun run = runTool("print " + shellWord(frq) + " --pdf " + shellWord(pdf));
    ASSERT_EQ(run.status, 0) << run.output;
    const Bytes bytes = readAll(pdf);
    ASSERT_GT(bytes.size(), 4000u);  // fonts and several pages, not an empty document
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
    const std::string tail(bytes.end() - 8, bytes.end());
    EXPECT_NE(tail.find("%%EOF"), std::string::npos) << "the document was not finished";

    if (!fs::exists("/usr/bin/pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) missing";
    const std::string text = file("unit.txt");
    ASSERT_EQ(std::system(("pdftotext -layout " + shellWord(pdf) + " " + shellWord(text)).c_str()),
              0);
    const Bytes raw = readAll(text);
    const std::string words(raw.begin(), raw.end());
    EXPECT_NE(words.find("ZAV Unit Data Printout"), std::string::npos) << words;
    EXPECT_NE(words.find("Unit Global Data"), std::string::npos);
    EXPECT_NE(words.find("Unit Password = 000000"), std::string::npos);
    for (int g = 1; g <= 15; ++g) {
        const std::string title = "Group " + std::to_string(g) + " Data";
        EXPECT_NE(words.find(title), std::string::npos) << title;
    }
    // 14 channel lines in each of the 15 groups, and one header row each.
    EXPECT_EQ(count(words, std::regex(R"(\n\s*\d+\s+none\s+none\s+CHAN \d+)")), 15u * 14u);
    EXPECT_EQ(
        count(words, std::regex(R"(Chan\s+Rec Freq\s+Rec CG\s+Tx Freq\s+Tx CG\s+Label\s+Scan)")),
        15u);
}

TEST_F(ZavtoolPrintTest, ReportsAFileItCannotWriteAndWrongArguments) {
    const ToolRun unwritable =
        runTool("print " + shellWord(frq) + " --pdf " + shellWord(file("no/such/dir/x.pdf")));
    EXPECT_EQ(unwritable.status, 1) << unwritable.output;
    EXPECT_NE(unwritable.output.find("cannot write"), std::string::npos) << unwritable.output;

    for (const std::string& args :
         {std::string("print ") + shellWord(frq), std::string("print --pdf x.pdf"),
          "print " + shellWord(frq) + " --pdf a.pdf --pdf b.pdf"}) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.output.find("usage:"), std::string::npos) << args;
    }
    const ToolRun missing =
        runTool("print " + shellWord(file("missing.frq")) + " --pdf " + shellWord(file("m.pdf")));
    EXPECT_EQ(missing.status, 1) << missing.output;
    EXPECT_FALSE(fs::exists(file("m.pdf")));
}

}  // namespace
