// The File menu through the main window: the question before closing or replacing the
// document (a file opened, a radio read) over unsaved edits, a dropped file and the
// recent files, and a CSV import (ours or CHIRP's) as one undo step. What the files hold
// is the file tests'.

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "files/csv_table.h"
#include "files/default_file.h"
#include "files/radio_history.h"
#include "files/settings.h"
#include "qt/local_path.h"
#include "support/chirp_table.h"
#include "support/editor.h"
#include "support/temp_dir.h"
#include "ui/image_history.h"
#include "ui/radio_history_dialog.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

// A file dropped on the window, as the window system hands it over.
void drop(Editor& e, const std::string& path) {
    QMimeData data;
    data.setUrls(
        {QUrl::fromEncoded("file://" + QByteArray::fromStdString(path).toPercentEncoding("/"))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(e.window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(e.window.get(), &event);
}

// The file, kept in the radio history as the newest copy, chosen in Radio > Radio History.
void openFromHistory(Editor& e, const std::string& file) {
    const std::string folder = e.window->radioHistory().folder();
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(file, folder + "/2999-12-31T235959-ttyS0-0000000.frq",
                               std::filesystem::copy_options::overwrite_existing);
    e.inModal<RadioHistoryDialog>(&MainMenus::historyAction, [](auto& d) { d.accept(); });
}

// Each way of giving up the document (Exit too), given a file to open; the image byte it
// replaces (-1: group 1's first label byte); whether it reads, so that unsaved work follows.
struct ReplacePath {
    const char* name;
    std::function<void(Editor&, const std::string& file)> run;
    int at;
    bool read = false;
};

auto menuItem(QAction* MainMenus::*item) {
    return [item](Editor& e, const std::string& /*file*/) { e.trigger(item); };
}

using M = MainMenus;
using F = const std::string&;
// clang-format off
const ReplacePath kReplacePaths[] = {
    {"Open", [](Editor& e, F f) { e.prompts.queueFile(f); e.trigger(&M::openAction); }, 96},
    {"OpenRecent", [](Editor& e, F f) { rememberRecentFile(e.settings, f); emit e.window->menus().recentMenu->aboutToShow();
        e.window->menus().recentMenu->actions().at(0)->trigger(); }, 96},
    {"Drop", drop, -1},
    {"RadioHistory", openFromHistory, 96},
    {"Exit", [](Editor& e, F) { e.window->close(); }, -1},
    {"ReadRadio", menuItem(&M::readRadioAction), 96, true},
    {"ReadGroup", menuItem(&M::readGroupAction), static_cast<int>(kPageSize) + 20, true},
    {"ReadGlobal", menuItem(&M::readGlobalAction), 96, true},
    {"LabelsReadGroup", menuItem(&M::labelReadGroupAction), -1, true},
    {"LabelsReadRadio", menuItem(&M::labelReadRadioAction), -1, true},
};

struct SaveAnswer {
    const char* name;
    Answer answer;
    const char* saveAs;  // the Save As dialog's file; nullptr: cancelled
    bool goesOn;
};
const SaveAnswer kSaveAnswers[] = {{"Cancel", Answer::Cancel, nullptr, false},
    {"No", Answer::No, nullptr, true}, {"YesSaved", Answer::Yes, "saved.frq", true},
    {"YesDialogCancelled", Answer::Yes, nullptr, false},
    {"YesSaveFails", Answer::Yes, "no/folder/saved.frq", false}};
// clang-format on

class ReplaceWithEdits : public ::testing::TestWithParam<std::tuple<ReplacePath, SaveAnswer>> {};

// One question first: Yes saves the edits (nothing goes when that does not happen), No
// gives them up, Cancel keeps them. What a read brings is unsaved work in turn, under the
// file's name and Save's target as they were.
TEST_P(ReplaceWithEdits, AsksOnceAndGoesOnOnlyWhenTheAnswerAllows) {
    const auto& [path, answer] = GetParam();
    TempDir dir;
    writeBytes(dir.file("other\xe9.frq"), defaultFrequencyFile());
    Editor e;
    e.window->show();
    e.window->menus().labelChoiceActions[0]->trigger();  // labels travel, unasked
    Byte& edited =
        path.at < 0 ? e.labels()[labelIndex(0, 0, 0)] : e.mem()[static_cast<std::size_t>(path.at)];
    const Byte edit = edited ^ 0x11;  // an unsaved change where the path replaces
    e.window->history().record(QStringLiteral("Edit"), [&] { edited = edit; });
    e.prompts.queueAnswer(answer.answer);
    if (answer.answer == Answer::Yes)
        e.prompts.queueFile(answer.saveAs ? std::optional(dir.file(answer.saveAs)) : std::nullopt);
    path.run(e, dir.file("other\xe9.frq"));
    EXPECT_EQ(std::ranges::count(e.prompts.messages, Buttons::YesNoCancel, &Message::buttons), 1);
    EXPECT_EQ(e.prompts.messages.at(0).icon, Icon::Question);
    EXPECT_EQ(edited != edit || !e.window->isVisible(), answer.goesOn);
    EXPECT_EQ(std::ifstream(dir.file("saved.frq")).good(), answer.goesOn && answer.saveAs);
    if (!e.window->isVisible()) return;
    const bool unsaved = !answer.goesOn || path.read;
    EXPECT_EQ(e.window->isWindowModified(), unsaved);
    EXPECT_EQ(e.window->close(), !unsaved);  // Exit asks (and is cancelled) over unsaved work
    if (!path.read || !answer.goesOn || !answer.saveAs) return;
    EXPECT_TRUE(e.window->windowTitle().contains(QStringLiteral("saved.frq")));
    e.trigger(&M::saveAction);
    EXPECT_EQ(e.prompts.fileRequests.size(), 1U);  // no second dialog
    EXPECT_FALSE(e.window->isWindowModified());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Paths, ReplaceWithEdits,
    ::testing::Combine(::testing::ValuesIn(kReplacePaths), ::testing::ValuesIn(kSaveAnswers)),
    [](const auto& t) { return std::string(std::get<0>(t.param).name) + std::get<1>(t.param).name; });
// clang-format on

// The recent files keep the last eight, newest first, each once. A Latin-1 name the Open
// dialog shows lossily names that very file again, existing or new.
TEST(RecentFiles, KeepTheLastEightNewestFirst) {
    TempDir dir;
    const std::string folder = dir.file("caf\xe9");
    std::filesystem::create_directory(folder);
    writeBytes(folder + "/radio\xe9.frq", defaultFrequencyFile());
    for (const std::string& name : {folder + "/radio\xe9.frq", folder + "/new.frq"})
        EXPECT_EQ(localPath(shownPath(name)), name);
    MemorySettingsStore settings;
    for (const char* file : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "b"})
        rememberRecentFile(settings, file);
    EXPECT_EQ(readRecentFiles(settings),
              (std::vector<std::string>{"b", "i", "h", "g", "f", "e", "d", "c"}));
}

// An exported table, edited, comes back as one undo step. The export's dialog says what
// it is for and suggests the open file's name (radio.csv before any).
TEST(CsvExchange, AnImportedEditOrChirpsTableIsOneUndoStepAndEitherTableIsExported) {
    Editor e;
    TempDir dir;
    const auto suggested = [&] {
        e.trigger(&MainMenus::exportCsvAction);
        const FileDialogRequest& asked = e.prompts.fileRequests.back();
        return std::pair(asked.title, asked.fileName);
    };
    EXPECT_EQ(suggested(), (std::pair<std::string, std::string>("Export CSV", "radio.csv")));
    e.triggerWith(&MainMenus::saveAsAction, dir.file("unit 7.frq"));
    EXPECT_EQ(suggested().second, dir.file("unit 7.csv"));
    const std::string csv = dir.file("radio.csv");
    e.triggerWith(&MainMenus::exportCsvAction, csv);
    auto records = *parseCsv(readText(csv));
    records[1][2] = "451.2375";  // group 1, channel 1, Rec Freq
    for (std::ofstream out(csv, std::ios::trunc); const CsvRecord& r : records)
        out << formatCsvRecord(r);
    const MemImage original = e.mem();
    e.triggerWith(&MainMenus::importCsvAction, csv);
    EXPECT_EQ(e.cell(0, kColRecFreq), "451.23750");
    EXPECT_EQ(e.prompts.messages.back().text, "1 cell changed by " + csv + ".");
    e.window->undo();
    EXPECT_TRUE(e.mem() == original);
    // A table too long for any radio is refused whole, whatever its first rows hold.
    std::ofstream(csv, std::ios::app) << std::string(std::size_t{1} << 22, '\n');
    e.prompts.messages.clear();
    e.triggerWith(&MainMenus::importCsvAction, csv);
    EXPECT_TRUE(e.mem() == original);
    ASSERT_EQ(e.prompts.messages.size(), 1U);
    EXPECT_TRUE(e.prompts.messages[0].text.ends_with(
        ":\nthe table: the file is too long for a table of this radio"));

    // CHIRP's table goes into the group shown, its unfit rows listed in a question whose
    // answer decides, as one undo step; the export's type list writes either table.
    auto chirpRows = test::kSixRows;
    chirpRows.push_back(chirpRows[1]);
    chirpRows.back()[2] = "146.520000";  // row 8
    std::ofstream(csv, std::ios::trunc) << test::tableOf(chirpRows, "\r\n", false);
    e.selectGroup(2);
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        e.prompts.messages.clear();
        e.prompts.queueAnswer(answer);
        e.triggerWith(&MainMenus::importCsvAction, csv);
        ASSERT_FALSE(e.prompts.messages.empty());
        const std::string& asked = e.prompts.messages.front().text;
        EXPECT_NE(asked.find("\nrow 8, Frequency: 146.520000"), std::string::npos) << asked;
        EXPECT_TRUE(asked.ends_with("Import the others?")) << asked;
        EXPECT_EQ(e.mem() == original, answer == Answer::No);
    }
    for (std::size_t c = 0; c < test::kSixChannels.size(); ++c)
        test::expectChannel(e.doc, 1, static_cast<int>(c), test::kSixChannels[c], "group 2");
    e.window->undo();
    EXPECT_TRUE(e.mem() == original);
    // The type named after CHIRP writes its table; the first, ours.
    e.trigger(&MainMenus::exportCsvAction);
    const std::string types = e.prompts.fileRequests.back().filter;
    const auto chirp =
        static_cast<int>(std::ranges::count(types.substr(0, types.find("CHIRP")), '|')) / 2;
    for (const auto& [type, header] : {std::pair(chirp, "Location,"), std::pair(0, "Group,")}) {
        e.prompts.queueFile(dir.file("out.csv"), type);
        e.trigger(&MainMenus::exportCsvAction);
        EXPECT_TRUE(readText(dir.file("out.csv")).starts_with(header)) << types;
    }
}

// Compare With File lists what differs in the grid's words, and its list is saved whole.
TEST(Compare, ListsTheDifferencesWithAFileOrTheRadioAndIdentifiesIt) {
    Editor e;
    TempDir dir;
    e.triggerWith(&MainMenus::saveAsAction, dir.file("before.frq"));
    e.typeInCell(0, kColTxCG, "167.9");
    e.triggerWith(&MainMenus::compareAction, dir.file("before.frq"));
    ASSERT_NE(e.window->exchangeCommands().compareWindow(), nullptr);
    QString list =
        e.window->exchangeCommands().compareWindow()->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(list.endsWith("1 difference.\nGroup 1, Chan 1, Tx CG: 167.9 -> none"))
        << list.toStdString();
    e.prompts.queueFile(dir.file("differences.txt"));
    e.window->exchangeCommands().compareWindow()->findChild<QPushButton*>("cmdSaveReport")->click();
    EXPECT_EQ(readText(dir.file("differences.txt")), list.toStdString());

    // Identify Radio tells the radio's band and unit numbers, Compare With Radio lists what
    // a write of a file would change, neither writes, and the status bar keeps the band read.
    // Band word (25, 64), divisor 211: the radio tunes 450 to 512 MHz.
    for (const auto& [address, value] : {std::pair{0x78, 25}, {0x79, 64}, {0x7C, 211}})
        e.radio.memory()[address] = static_cast<Byte>(value);
    const auto band = [&] { return e.window->findChild<QLabel*>("statusBand"); };
    EXPECT_TRUE(band()->text().isEmpty());  // no radio read yet
    e.trigger(&MainMenus::identifyAction);
    ASSERT_FALSE(e.prompts.messages.empty());
    const std::string identity = e.prompts.messages.back().text;
    EXPECT_NE(identity.find("450 to 512 MHz"), std::string::npos) << identity;
    EXPECT_NE(identity.find("group 1: ANI/ID "), std::string::npos) << identity;
    EXPECT_EQ(band()->text(), "450 to 512 MHz");

    e.radio.memory()[0x7C] = Byte{128};  // a wider band: 450 + 1.6 * 128 * 64 / 128
    e.prompts.queueAnswer(Answer::No);   // the typed Tx CG is given up
    e.prompts.queueAnswer(Answer::No);   // the labels stay
    e.trigger(&MainMenus::readRadioAction);
    EXPECT_EQ(band()->text(), "450 to 552 MHz");
    e.typeInCell(0, kColTxCG, "167.9");
    e.triggerWith(&MainMenus::saveAsAction, dir.file("changed.frq"));
    const auto radioBefore = e.radio.memory();
    e.prompts.queueAnswer(Answer::No);
    e.triggerWith(&MainMenus::compareRadioAction, dir.file("changed.frq"));
    ASSERT_NE(e.window->radioCommands().compareWindow(), nullptr);
    list = e.window->radioCommands().compareWindow()->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(list.contains("1 difference.\nGroup 1, Chan 1, Tx CG: ")) << list.toStdString();
    EXPECT_TRUE(list.endsWith(" -> 167.9")) << list.toStdString();
    EXPECT_TRUE(e.radio.memory() == radioBefore);
    EXPECT_EQ(e.window->status().message().toStdString(), "Compare With Radio...: done.");
}

}  // namespace
}  // namespace zav::test
