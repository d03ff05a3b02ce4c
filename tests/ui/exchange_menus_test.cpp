// The File menu's CSV and comparison commands, and the Config and Help checks the editor
// remembers.

#include <QPlainTextEdit>
#include <fstream>
#include <sstream>

#include "files/csv_table.h"
#include "files/frequency_file.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

using M = MainMenus;

TEST(ExchangeMenus, CsvImportIsOneUndoStepAndCompareListsTheEdit) {
    test::Editor e;
    test::TempDir dir;
    const std::string csv = dir.file("radio.csv");
    e.prompts.queueFile(csv);
    e.trigger(&M::exportCsvAction);
    std::stringstream text;
    text << std::ifstream(csv).rdbuf();
    auto records = *parseCsv(text.str());
    records[1][2] = "451.2375";  // group 1, channel 1, Rec Freq
    std::ofstream out(csv, std::ios::trunc);
    for (const CsvRecord& r : records) out << formatCsvRecord(r);
    out.close();
    const std::string before = e.cell(0, kColRecFreq);
    const MemImage original = e.mem();

    e.prompts.queueFile(csv);
    e.trigger(&M::importCsvAction);
    EXPECT_EQ(e.cell(0, kColRecFreq), "451.23750");
    const std::string frq = dir.file("original.frq");
    test::writeBytes(frq, encodeFrequencyFile(original, e.labels()));
    e.prompts.queueFile(frq);
    e.trigger(&M::compareAction);
    ASSERT_NE(e.window->compareWindow(), nullptr);
    EXPECT_TRUE(e.window->compareWindow()->findChild<QPlainTextEdit*>()->toPlainText().contains(
        QStringLiteral("Group 1, Chan 1, Rec Freq: 451.23750 -> ")));
    e.window->undo();
    EXPECT_EQ(e.cell(0, kColRecFreq), before);
    EXPECT_TRUE(e.mem() == original);
}

TEST(ExchangeMenus, VerifyAndTraceChecksAreRemembered) {
    test::Editor e;
    test::TempDir dir;
    e.trigger(&M::verifyAction);
    e.prompts.queueFile(dir.file("trace.txt"));
    e.trigger(&M::traceAction);
    e.trigger(&M::readGlobalAction);
    e.create();  // as at the next start
    EXPECT_TRUE(e.window->radioOperations().verifyAfterWrite());
    EXPECT_TRUE(e.window->tracing());
    EXPECT_GT(test::readBytes(dir.file("trace.txt")).size(), 500U);
}

}  // namespace
}  // namespace zav
