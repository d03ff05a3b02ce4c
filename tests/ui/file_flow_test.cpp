// The File menu through the main window: the question before closing over unsaved edits,
// a dropped file and the recent files, and a CSV import as one undo step. What the files
// hold is the file tests'.

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/csv_table.h"
#include "files/default_file.h"
#include "files/settings.h"
#include "qt/local_path.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace zav::test {
namespace {

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
// Its name and its folder's are Latin-1, not UTF-8, and name those very files, as does the
// Open dialog's choice.
TEST(FileDrop, ADroppedFileOpensAfterTheQuestionAndJoinsTheRecentFiles) {
    TempDir dir;
    auto bytes = defaultFrequencyFile();
    const std::size_t at = 3 * kPageSize + 20;
    bytes[kFileImageOffset + at] ^= 0x5A;
    const std::string folder = dir.file("caf\xe9"), path = folder + "/bench radio\xe9.RXW";
    std::filesystem::create_directory(folder);
    writeBytes(path, bytes);
    for (const std::string& name : {path, folder + "/new.frq"})
        EXPECT_EQ(localPath(shownPath(name)), name);
    Editor e;
    e.mem()[at] ^= 0x11;  // an unsaved change
    QMimeData data;
    data.setUrls(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"))});
    for (const Answer answer : {Answer::Cancel, Answer::No}) {
        e.prompts.queueAnswer(answer);
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e.window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(e.window.get(), &drop);
        EXPECT_EQ(e.mem()[at] == bytes[kFileImageOffset + at], answer == Answer::No);
    }
    EXPECT_EQ(readRecentFiles(e.settings), std::vector<std::string>{path});
    e.mem()[at] ^= 0x11;
    e.prompts.queueAnswer(Answer::No);
    emit e.window->menus().recentMenu->aboutToShow();
    e.window->menus().recentMenu->actions().at(0)->trigger();
    EXPECT_EQ(e.mem()[at], bytes[kFileImageOffset + at]);
    for (const char* other : {"a", "b", "c", "d", "e", "f", "g", "h", "b"})
        rememberRecentFile(e.settings, other);
    EXPECT_EQ(readRecentFiles(e.settings),
              (std::vector<std::string>{"b", "h", "g", "f", "e", "d", "c", "a"}));
}

// An exported table, edited, comes back as one undo step.
TEST(CsvExchange, AnImportedEditIsOneUndoStep) {
    Editor e;
    TempDir dir;
    const std::string csv = dir.file("radio.csv");
    e.prompts.queueFile(csv);
    e.trigger(&MainMenus::exportCsvAction);
    std::stringstream text;
    text << std::ifstream(csv).rdbuf();
    auto records = *parseCsv(text.str());
    records[1][2] = "451.2375";  // group 1, channel 1, Rec Freq
    std::ofstream out(csv, std::ios::trunc);
    for (const CsvRecord& r : records) out << formatCsvRecord(r);
    out.close();
    const MemImage original = e.mem();
    e.prompts.queueFile(csv);
    e.trigger(&MainMenus::importCsvAction);
    EXPECT_EQ(e.cell(0, kColRecFreq), "451.23750");
    EXPECT_EQ(e.prompts.messages.back().text, "1 cell changed by " + csv + ".");
    e.window->undo();
    EXPECT_TRUE(e.mem() == original);
    // A table too long for any radio is refused whole, whatever its first rows hold.
    out.open(csv, std::ios::app);
    out << std::string(std::size_t{1} << 22, '\n');
    out.close();
    e.prompts.messages.clear();
    e.prompts.queueFile(csv);
    e.trigger(&MainMenus::importCsvAction);
    EXPECT_TRUE(e.mem() == original);
    ASSERT_EQ(e.prompts.messages.size(), 1U);
    EXPECT_TRUE(e.prompts.messages[0].text.ends_with(
        ":\nthe table: the file is too long for a table of this radio"));
}

}  // namespace
}  // namespace zav::test
