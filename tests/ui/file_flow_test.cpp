// Files through the main window: what Save writes and Open shows, the file named at
// start-up, a dropped file and the recent files, and the question before closing or
// opening over unsaved edits.

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <fstream>

#include "files/default_file.h"
#include "files/settings.h"
#include "files/startup.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace zav::test {
namespace {

// What the user typed comes back from the file (the byte layout is the file tests'), the
// file named on the command line opens at start-up and counts as unchanged.
TEST(FileFlow, SaveWritesTheEditsAndOpenShowsThemAgain) {
    TempDir dir;
    const std::string path = dir.file("radio.RxT");
    const int columns[] = {kColRecFreq, kColRecCG, kColTxFreq, kColTxCG, kColLabel, kColScan};
    const char* const typed[] = {"450.0125", "67.0", "455.0125", "D023-", "AB.C", "Y"};
    std::vector<std::string> shown;
    {
        Editor e;
        for (int i = 0; i < 6; ++i) e.typeInCell(0, columns[i], typed[i]);
        for (const int column : columns) shown.push_back(e.cell(0, column));
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
    for (int i = 0; i < 6; ++i) EXPECT_EQ(e.cell(0, columns[i]), shown[i]) << typed[i];
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
    TempDir dir;
    const std::string path = dir.file(c.file != nullptr ? c.file : "x");
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

// A file dropped on the window (a drag entering it first) opens after the unsaved-changes
// question and joins the recent files, which keep the last eight, newest first, each once.
TEST(FileDrop, ADroppedFileOpensAfterTheQuestionAndJoinsTheRecentFiles) {
    TempDir dir;
    auto bytes = defaultFrequencyFile();
    const std::size_t at = 3 * kPageSize + 20;
    bytes[kFileImageOffset + at] ^= 0x5A;
    const std::string path = dir.file("bench radio.RXW");
    writeBytes(path, bytes);
    Editor e;
    e.mem()[at] ^= 0x11;  // an unsaved change
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        e.prompts.queueAnswer(answer);
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e.window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e.window.get(), &drop);
        EXPECT_EQ(e.mem()[at] == bytes[kFileImageOffset + at], answer == Answer::No);
    }
    EXPECT_NE(e.prompts.messages.at(0).text.find(path), std::string::npos);
    EXPECT_EQ(readRecentFiles(e.settings), std::vector<std::string>{path});
    QMenu* recent = e.window->menus().recentMenu;
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith(QString::fromStdString(path)));
    for (const char* other : {"a", "b", "c", "b", "d", "e", "f", "g", "h", "i"})
        rememberRecentFile(e.settings, other);
    EXPECT_EQ(readRecentFiles(e.settings),
              (std::vector<std::string>{"i", "h", "g", "f", "e", "d", "b", "c"}));
}

}  // namespace
}  // namespace zav::test
