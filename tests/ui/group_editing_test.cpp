// Editing a group as the user does: what a grid cell stores, what it refuses and why,
// the copy and scan keys, the clipboard, the offset box, the header controls storing
// what the user commits; undo and redo of whole changes; and the status bar's word on
// what happened.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "files/settings.h"
#include "link/port_devices.h"
#include "model/codecs.h"
#include "model/memory_map.h"
#include "support/undo_step.h"
#include "ui/bank_move_dialog.h"
#include "ui/offset_entry.h"
#include "ui/progress_window.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

// C copies every row's receive values at once, saying so; one Undo brings all 14 back, Redo again.
// Undo and Redo are offered only when they would change something (an edit still in the
// controls is undone too).
TEST(History, UndoesTheCopyKeyForEveryRowAtOnce) {
    Editor e;
    const MainMenus& m = e.window->menus();
    const auto offered = [&] {
        return std::pair(m.undoAction->isEnabled(), m.redoAction->isEnabled());
    };
    EXPECT_EQ(offered(), std::pair(false, false));
    e.typeInCell(2, kColRecFreq, "451.25");
    e.typeInCell(4, kColTxFreq, "465.0125");
    EXPECT_EQ(offered(), std::pair(true, false));
    QString said;
    const StepResult copy = runAsOneStep(e, [&] {
        e.goTo(3, kColTxFreq);
        e.typeKeys("c");
        said = e.window->status().message();
    });
    const auto copied = [](const RowData& row) { return row[kColTxFreq] == row[kColRecFreq]; };
    EXPECT_TRUE(std::ranges::all_of(copy.after, copied) && offered() == std::pair(true, false));
    EXPECT_TRUE(said.startsWith("Rec Freq copied to Tx Freq in all 14")) << said.toStdString();
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(offered(), std::pair(true, true));
    for (int i = 0; i < 2; ++i) e.trigger(&MainMenus::undoAction);  // the typed cells too
    EXPECT_EQ(std::tuple(e.cell(4, kColTxFreq), e.window->isWindowModified(), offered()),
              std::tuple("none", false, std::pair(false, true)));
    e.window->controls().idEdit->clear();
    e.typeKeys("7", e.window->controls().idEdit);
    EXPECT_EQ(offered(), std::pair(true, false));
}

// Move 2 -> 5 with the box checked carries the labels, keeps the group label typed
// before it and shows the shown group's new contents; Undo puts back banks and labels;
// the choice is remembered; a radio read forgets the steps before it.
TEST(History, UndoesAMoveOfBanksAndTheirLabels) {
    Editor e;
    for (int k = 0; k < kLabelPositions; ++k) e.labels()[labelIndex(1, 14, k)] = 0x11;
    e.doc.group(3)->channel(0).setRecFreq("470.00000");
    const MemImage mem = e.mem();
    const LabelImage labels = e.labels();
    e.selectGroup(3);
    e.window->controls().groupLabelEdit->selectAll();
    e.typeKeys("KEPT", e.window->controls().groupLabelEdit);  // its entry not ended
    e.inModal<BankMoveDialog>(&MainMenus::moveAction, [](BankMoveDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("chkMoveLabels"))->setChecked(true);
        dialog.findChild<QComboBox*>(QStringLiteral("cboFromBank"))->setEditText("2");
        dialog.findChild<QComboBox*>(QStringLiteral("cboToBank"))->setEditText("5");
        dialog.acceptMove();
    });
    EXPECT_TRUE(std::equal(mem.begin() + blockAddress(2), mem.begin() + blockAddress(3),
                           e.mem().begin() + blockAddress(5)));
    // Group 3 holds bank 4 now.
    EXPECT_EQ(std::tuple(e.labels()[labelIndex(4, 14, 0)], e.doc.group(1)->readGroupLabel(),
                         e.cell(0, kColRecFreq), readInt(e.settings, settings::kMoveLabels)),
              std::tuple(Byte{0x11}, "KEPT    ", "470.00000", 1));
    e.trigger(&MainMenus::undoAction);
    EXPECT_TRUE(e.mem() == mem && e.labels()[labelIndex(1, 14, 0)] == 0x11 &&
                e.labels()[labelIndex(4, 14, 0)] == labels[labelIndex(4, 14, 0)]);
    e.trigger(&MainMenus::undoAction);  // the typed group label
    EXPECT_EQ(e.labels(), labels);
    for (int i = 0; i < 2; ++i) e.trigger(&MainMenus::redoAction);
    e.prompts.queueAnswer(Answer::No);  // the edits are given up
    e.trigger(&MainMenus::readGlobalAction);
    e.trigger(&MainMenus::undoAction);  // nothing left to undo
    EXPECT_EQ(e.labels()[labelIndex(4, 14, 0)], 0x11);
}

// The status bar: the port, the mark of unsaved changes, and a word on how a radio
// command ended, a cancelled label read included (the only place that outcome shows). A
// refusal is read whole, even in a narrow window, and goes with the next entry stored.
TEST(StatusBar, SaysWhatHappened) {
    Editor e;
    const auto said = [&] { return e.window->status().message().toStdString(); };
    const auto* file = e.window->findChild<QLabel*>("statusFile");
    EXPECT_TRUE(e.window->findChild<QLabel*>("statusPort")
                    ->text()
                    .contains(QString::fromStdString(defaultPortDevice(1))));
    e.window->show();
    e.window->resize(e.window->minimumSize());
    // Whether the bar's message reaches no further than the first label shown (margins of 6).
    const auto readWhole = [&] {
        QApplication::processEvents();
        const QStatusBar* bar = e.window->statusBar();
        int room = bar->width() - 18;
        for (const QLabel* label : bar->findChildren<QLabel*>())
            if (label->isVisible()) room = std::min(room, label->x() - 12);
        return bar->fontMetrics().horizontalAdvance(bar->currentMessage()) <= room;
    };
    e.typeInCell(0, kColRecFreq, "450.0125");  // the file label now has its mark
    e.typeInCell(0, kColRecFreq, "450.00625");
    EXPECT_TRUE(said().find("12.5 kHz") != std::string::npos && readWhole()) << said();
    e.typeInCell(0, kColRecFreq, "450.025");
    EXPECT_TRUE(said().empty() && readWhole() && file->isVisible()) << said();
    e.window->files().setNames({"/home/tech/last.frq", "/home/tech/last.frq", {}});  // not open
    e.window->controls().idEdit->clear();
    e.typeKeys("5", e.window->controls().idEdit);  // not yet stored, but a change
    EXPECT_TRUE(e.window->isWindowModified());
    EXPECT_EQ(file->text(), "no file (unsaved changes)");
    for (int read = 0; read < 2; ++read) e.prompts.queueAnswer(Answer::No);  // given up
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_NE(said().find("done"), std::string::npos) << said();
    e.window->menus().labelChoiceActions[0]->trigger();  // labels always travel
    e.port.setOnYield([&] {
        ProgressWindow& p = e.window->progress();
        if (p.info()->text().contains("Labels") && p.cancelButton()->isEnabled()) p.cancelClicked();
    });
    e.trigger(&MainMenus::readRadioAction);
    EXPECT_NE(said().find("labels were not read"), std::string::npos) << said();
}

struct Entry {
    const char* name;
    int column;
    std::pair<int, std::string_view> before;  // typed first into another column of the row
    const char* keys;
    const char* shown;
    const char* said;  // part of the status bar's reason; "" when nothing is refused
    // A refusal on the way that the entry stored at the end takes down.
    enum class Refusal { Stands, TakenDown } refusal = Refusal::Stands;
};

class CellEntry : public ::testing::TestWithParam<Entry> {};

// Keys as typed (what a committed cell stores or refuses: entry_paths_test.cpp): a
// refused key gives back the old text selected, so typing goes on over it. The space
// bar released in Tx Freq opens the offset box, which offers the last offset whole and
// selected; Enter sets the transmit frequency to the receive frequency plus the offset,
// taken or refused as a typed one. Real keys through the window: each release reaches
// the widget that has the focus by then.
TEST_P(CellEntry, StoresWhatTheRadioHoldsAndRefusesTheRestSayingWhy) {
    const Entry& c = GetParam();
    Editor e;
    e.goTo(0, c.before.first).setFocus();
    e.pressKeys(c.before.second);
    e.goTo(0, c.column).setFocus();
    e.pressKeys(c.keys);
    EXPECT_EQ(e.cell(0, c.column), c.shown);
    EXPECT_FALSE(e.window->offsetEntry().isOpen());
    const std::string said = e.window->status().message().toStdString();
    EXPECT_TRUE(c.refusal == Entry::Refusal::TakenDown ? said.empty()
                                                       : said.find(c.said) != std::string::npos)
        << said;
    EXPECT_EQ(e.prompts.beeps, *c.said == '\0' ? 0 : 1);
    EXPECT_EQ(e.prompts.messages.empty(),
              std::string_view(c.keys).find("{F1}") == std::string::npos);
}

constexpr std::pair<int, std::string_view> kRx{kColRecFreq, "450.125\n"};

// clang-format off
const Entry kEntries[] = {
    {"StrayLetterFirst", kColRecFreq, {}, "q451.0125\n", "451.01250", "digits", Entry::Refusal::TakenDown},
    {"ChannelNumberIsFixed", 0, {}, "7", "1", ""}, {"ScanKey", kColScan, {}, " ", "Y", ""},
    {"ScanKeyTwice", kColScan, {}, "  ", "", ""},
    {"CopyReceive", kColTxFreq, {kColRecFreq, "452.5\n"}, "s", "452.50000", ""},
    {"CopyReceiveFromTheEditor", kColTxFreq, {kColRecFreq, "452.5\n"}, "4s", "452.50000", ""},
    {"CopyReceiveCode", kColTxCG, {kColRecCG, "067.0\n"}, "s", "067.0", "" },
    // S between two offsets: the second one takes the offer, not what Tx Freq holds.
    {"Reused", kColTxFreq, kRx, " 10\ns \n", "460.12500", ""},
    {"NegativeReused", kColTxFreq, {kColRecFreq, "446.0125\n"}, " -5\ns \n", "441.01250", ""},
    {"TypedOverTheOffer", kColTxFreq, kRx, " -5\ns -5\n", "445.12500", ""},
    {"HelpKeepsTheOffer", kColTxFreq, kRx, " 10\ns {F1}\n", "460.12500", ""},
    {"EndExtendsTheOffer", kColTxFreq, kRx, " 10\ns {End}5\n", "555.12500", ""},
    {"DropsTheCellEdit", kColTxFreq, kRx, "4 10\n", "460.12500", ""},
    {"Escaped", kColTxFreq, kRx, "460\n 7{Esc}", "460.00000", ""},
    {"SignAndPointStart", kColTxFreq, kRx, " -.5\n", "449.62500", ""},
    // Sums the radio cannot hold: entry_paths_test.cpp.
    {"BadKeyEmptiesTheBox", kColTxFreq, kRx, " -x5\n", "455.12500", "sign", Entry::Refusal::TakenDown}};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Keys, CellEntry, ::testing::ValuesIn(kEntries),
                         [](const auto& test) { return std::string(test.param.name); });

// Copy All pastes a whole group, Copy a row onto the current row, each cell checked as
// an entry is (and so is the copy key's); text from elsewhere is not pasted.
TEST(Clipboard, CopiesPasteIntoAnotherGroupAndForeignTextIsRefused) {
    Editor e;
    EXPECT_FALSE(e.window->menus().pasteAction->isEnabled());
    e.typeInCell(0, kColLabel, "AB");
    e.window->copyAll();
    e.selectGroup(3);
    e.window->paste();
    for (int r = 0; r < kChannelsPerGroup; ++r)
        EXPECT_EQ(e.doc.group(2)->copyChan(r), e.doc.group(0)->copyChan(r));
    const auto copyRowTo = [&](int row) {
        e.goTo(0, kColRecFreq);
        e.window->copyRow();
        e.goTo(row, kColLabel);
        e.window->paste();
    };
    copyRowTo(9);
    EXPECT_EQ(e.doc.group(2)->copyChan(9), e.doc.group(0)->copyChan(0));
    // Bytes no entry may store: 601 MHz.
    const auto at = static_cast<std::size_t>(e.doc.group(2)->channel(0).fieldAddress(kColRecFreq));
    std::ranges::copy(*freqTextToBytes("601"), e.mem().begin() + at);
    const MemImage before = e.mem();
    copyRowTo(9);
    EXPECT_TRUE(e.mem() == before &&
                e.window->status().message().startsWith("Rec Freq: 601.00000 is not"));
    e.goTo(0, kColTxFreq);
    e.typeKeys("s");  // nor does the copy key
    EXPECT_TRUE(e.mem() == before && e.window->status().message().startsWith("601.00000 is not"));
    e.clipboard.setText(std::string(e.clipboard.text().size(), 'x'));
    e.window->updatePasteEnabled();
    EXPECT_FALSE(e.window->menus().pasteAction->isEnabled());
    const std::string kept = e.doc.group(2)->copyChan(8);
    e.goTo(8, kColLabel);
    e.window->paste();
    EXPECT_TRUE(e.prompts.texts().size() == 1 && e.doc.group(2)->copyChan(8) == kept);
}

// Each header control stores its value as the user commits it, one Undo step each and
// only its own bits; showing groups stores nothing, so an untouched group keeps every
// byte; a refused entry goes back to the stored value (what is stored and told: entry_paths_test).
TEST(GroupControls, StoreWhatTheUserCommitsAndShowingStoresNothing) {
    Editor e;
    const std::size_t page = static_cast<std::size_t>(groupAddress(0));
    e.mem()[page + 3] = 0x0F;  // priority channel 15 shows as 14
    e.window->showGroup(0);
    const MemImage untouched = e.mem();
    e.selectGroup(2);
    e.selectGroup(1);
    EXPECT_EQ(e.mem(), untouched);
    const GroupControls& c = e.window->controls();
    const auto header = [&] {
        return std::array{e.mem()[page], e.mem()[page + 2], e.mem()[page + 3]};
    };
    c.totCombo->setCurrentIndex(3);
    emit c.totCombo->activated(3);  // chosen as the user does
    c.priKeyLockCheck->click();
    c.battSaveButton[1]->click();
    EXPECT_EQ(header(), (std::array<Byte, 3>{0x80, 0x03, 0x2F}));
    e.trigger(&MainMenus::undoAction);  // the battery saver alone
    EXPECT_TRUE(header() == (std::array<Byte, 3>{0x00, 0x03, 0x2F}) &&
                c.battSaveButton[0]->isChecked());
    for (int i = 0; i < 2; ++i) e.trigger(&MainMenus::undoAction);
    EXPECT_TRUE(e.mem() == untouched && c.totCombo->currentIndex() == 0);
    e.typeInCell(2, kColRecFreq, "450.0125");
    e.selectGroup(2);
    EXPECT_EQ(e.cell(2, kColRecFreq), "none");
    e.selectGroup(1);
    EXPECT_EQ(e.cell(2, kColRecFreq), "450.01250");
    // Refused: the stored value comes back; accepted: shown as stored.
    for (const auto& [keys, shown] :
         {std::pair("12345678\n", c.idEdit->text()), {"ab\n", QStringLiteral("00000AB")}}) {
        c.idEdit->selectAll();
        e.typeKeys(keys, c.idEdit);
        EXPECT_EQ(c.idEdit->text(), shown) << keys;
    }
}

}  // namespace
}  // namespace zav::test
