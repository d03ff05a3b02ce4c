// Files through the main window: what Save writes, what Open shows, the file named at
// start-up and the question before closing with unsaved edits.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "files/startup.h"
#include "support/editor.h"

namespace zav::test {
namespace {

// What the user typed comes back from the file (the byte layout is the file tests'), the
// file named on the command line opens at start-up and counts as unchanged.
TEST(FileFlow, SaveWritesTheEditsAndOpenShowsThemAgain) {
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("radio.RxT")).toStdString();
    const std::pair<int, const char*> typed[] = {{kColRecFreq, "450.0125"}, {kColRecCG, "67.0"},
                                                 {kColTxFreq, "455.0125"},  {kColTxCG, "D023-"},
                                                 {kColLabel, "AB.C"},       {kColScan, "Y"}};
    std::vector<std::string> shown;
    {
        Editor e;
        for (const auto& [column, text] : typed) e.typeInCell(0, column, text);
        for (const auto& [column, text] : typed) shown.push_back(e.cell(0, column));
        e.selectGroup(4);
        e.window->controls().bciCombo->setCurrentIndex(2);
        e.prompts.queueFile(path);
        e.window->files().saveCommand();
        EXPECT_EQ(e.window->windowTitle().remove(QStringLiteral("[*]")).toStdString(),
                  FileOpenSave::captionFor(path));
    }
    Editor e;
    const StartupFileResult start = startupFile(path, e.settings);
    ASSERT_TRUE(start.openAtStart);
    e.window->files().setNames(start.names);
    ASSERT_TRUE(e.window->files().openFile());
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(e.cell(0, typed[i].first), shown[i]) << typed[i].second;
    e.selectGroup(4);
    EXPECT_EQ(e.window->controls().bciCombo->currentIndex(), 2);
    e.window->show();
    EXPECT_TRUE(e.window->close());
    EXPECT_TRUE(e.prompts.messages.empty());
}

struct CloseCase {
    const char* name;
    Answer answer;
    const char* file;  // the Save dialog's answer; nullptr: cancelled or not asked
    bool closes;
    bool saved;
};

class CloseWithEdits : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseWithEdits, AsksToSaveAndClosesOnlyWhenThatWorks) {
    const CloseCase& c = GetParam();
    QTemporaryDir dir;
    const std::string path = dir.filePath(QString::fromLatin1(c.file ? c.file : "x")).toStdString();
    Editor e;
    e.window->show();
    e.typeInCell(0, kColLabel, "EDITED");
    e.prompts.queueAnswer(c.answer);
    if (c.file != nullptr) e.prompts.queueFile(path);
    EXPECT_EQ(e.window->close(), c.closes);
    EXPECT_EQ(e.prompts.texts().at(0), "Save before exit?");
    EXPECT_EQ(std::ifstream(path).good(), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseWithEdits,
    ::testing::Values(CloseCase{"Cancel", Answer::Cancel, nullptr, false, false},
                      CloseCase{"No", Answer::No, nullptr, true, false},
                      CloseCase{"YesSaved", Answer::Yes, "exit.frq", true, true},
                      CloseCase{"YesDialogCancelled", Answer::Yes, nullptr, false, false},
                      CloseCase{"YesSaveFails", Answer::Yes, "no/folder/x.frq", false, false}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zav::test
