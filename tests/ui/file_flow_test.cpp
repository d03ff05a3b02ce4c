// Files through the main window: what Save writes, what Open shows, the file named at
// start-up and the question before closing with unsaved edits.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "files/startup.h"
#include "support/editor.h"

namespace zav::test {
namespace {

std::vector<unsigned char> readAll(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first channel of group 1 as typed reaches the file byte for byte: the record at
// image offset 144, the scan bit in the group's header, the label in the label block.
TEST(FileFlow, SaveWritesTheEditsAndOpenShowsThemAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("radio.RxT"));
    {
        Editor e;
        e.typeInCell(0, kColRecFreq, "450.0125");
        e.typeInCell(0, kColRecCG, "67.0");
        e.typeInCell(0, kColTxFreq, "455.0125");
        e.typeInCell(0, kColTxCG, "D023-");
        e.typeInCell(0, kColLabel, "AB.C");
        e.typeInCell(0, kColScan, "Y");
        e.selectGroup(4);
        e.window->controls().bciCombo->setCurrentIndex(2);
        e.prompts.queueFile(path.toStdString());
        e.window->files().saveCommand();
        EXPECT_EQ(e.window->windowTitle().remove(QStringLiteral("[*]")).toStdString(),
                  FileOpenSave::captionFor(path.toStdString()));
        const auto bytes = readAll(path);
        ASSERT_EQ(bytes.size(), 4025u);
        EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 56 + 144, bytes.begin() + 56 + 152),
                  (std::vector<unsigned char>{0x50, 0x02, 0x06, 0x70, 0x55, 0x02, 0xC8, 0x13}));
        EXPECT_EQ(bytes[56 + 129] & 0x01, 0x01);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(bytes[2105 + labelIndex(0, 0, k)], (std::array{0x14, 0x17, 0x18, 0x60})[k]);
    }
    // The file named on the command line opens at start-up, and counts as unchanged.
    Editor e;
    const StartupFileResult start = startupFile(path.toStdString(), e.settings);
    ASSERT_TRUE(start.openAtStart);
    e.window->files().setNames(start.names);
    ASSERT_TRUE(e.window->files().openFile());
    EXPECT_EQ(e.cell(0, kColLabel), "AB.C     ");
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
