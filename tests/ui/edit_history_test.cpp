// Undo and redo of whole changes, and the status bar's word on what happened.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "files/settings.h"
#include "link/port_devices.h"
#include "model/memory_map.h"
#include "support/editor.h"
#include "ui/bank_move_dialog.h"
#include "ui/globals_window.h"
#include "ui/progress_window.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

// C copies every row's receive values at once; one Undo brings all 14 back, Redo again.
// Undo and Redo are offered only when they would change something (an edit still in the
// controls is undone too).
TEST(History, UndoesTheCopyKeyForEveryRowAtOnce) {
    Editor e;
    const auto column = [&](int c) {
        std::vector<std::string> cells;
        for (int r = 0; r < kChannelsPerGroup; ++r) cells.push_back(e.cell(r, c));
        return cells;
    };
    const auto offered = [&] {
        return std::pair(e.window->menus().undoAction->isEnabled(),
                         e.window->menus().redoAction->isEnabled());
    };
    EXPECT_EQ(offered(), std::pair(false, false));
    e.typeInCell(2, kColRecFreq, "451.25");
    e.typeInCell(4, kColTxFreq, "465.0125");
    EXPECT_EQ(offered(), std::pair(true, false));
    const auto before = column(kColTxFreq);
    e.goTo(3, kColTxFreq);
    e.typeKeys("c");
    EXPECT_EQ(column(kColTxFreq), column(kColRecFreq));
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(column(kColTxFreq), before);
    EXPECT_EQ(offered(), std::pair(true, true));
    e.trigger(&MainMenus::redoAction);
    EXPECT_EQ(column(kColTxFreq), column(kColRecFreq));
    for (int i = 0; i < 3; ++i) e.trigger(&MainMenus::undoAction);  // the typed cells too
    EXPECT_EQ(e.cell(4, kColTxFreq), "none");
    EXPECT_FALSE(e.window->isWindowModified());
    EXPECT_EQ(offered(), std::pair(false, true));
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
    e.window->controls().groupLabelEdit->setText(QStringLiteral("KEPT"));
    e.inModal<BankMoveDialog>(&MainMenus::moveAction, [](BankMoveDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("chkMoveLabels"))->setChecked(true);
        dialog.findChild<QComboBox*>(QStringLiteral("cboFromBank"))->setEditText("2");
        dialog.findChild<QComboBox*>(QStringLiteral("cboToBank"))->setEditText("5");
        dialog.acceptMove();
    });
    EXPECT_TRUE(std::equal(mem.begin() + blockAddress(2), mem.begin() + blockAddress(3),
                           e.mem().begin() + blockAddress(5)));
    EXPECT_EQ(e.labels()[labelIndex(4, 14, 0)], 0x11);
    EXPECT_EQ(e.doc.group(1)->readGroupLabel(), "KEPT    ");
    EXPECT_EQ(e.cell(0, kColRecFreq), "470.00000");  // group 3 holds bank 4 now
    EXPECT_EQ(readInt(e.settings, settings::kMoveLabels), 1);
    e.trigger(&MainMenus::undoAction);
    EXPECT_EQ(e.mem(), mem);
    EXPECT_EQ(e.labels()[labelIndex(1, 14, 0)], 0x11);
    EXPECT_EQ(e.labels()[labelIndex(4, 14, 0)], labels[labelIndex(4, 14, 0)]);
    e.trigger(&MainMenus::undoAction);  // the typed group label
    EXPECT_EQ(e.labels(), labels);
    e.trigger(&MainMenus::redoAction);
    e.trigger(&MainMenus::redoAction);
    e.trigger(&MainMenus::readGlobalAction);
    e.trigger(&MainMenus::undoAction);  // nothing left to undo
    EXPECT_EQ(e.labels()[labelIndex(4, 14, 0)], 0x11);
}

// The status bar: the file, the port, the mark of unsaved changes, and a word on how a
// radio command ended, a cancelled label read included.
TEST(StatusBar, SaysWhatHappened) {
    Editor e;
    const auto permanent = [&](const char* name) {
        return e.window->findChild<QLabel*>(QString::fromLatin1(name))->text().toStdString();
    };
    const auto said = [&] { return e.window->status().message().toStdString(); };
    EXPECT_NE(permanent("statusPort").find(defaultPortDevice(1)), std::string::npos);
    e.window->controls().idEdit->clear();
    e.typeKeys("5", e.window->controls().idEdit);  // not yet stored, but a change
    EXPECT_TRUE(e.window->isWindowModified());
    EXPECT_NE(permanent("statusFile").find("unsaved"), std::string::npos);
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_NE(said().find("done"), std::string::npos) << said();
    e.trigger(&MainMenus::globalsAction);
    e.window->globalsWindow()->sendDtmfDeviation();  // the live write
    EXPECT_NE(said().find("DTMF Deviation: done"), std::string::npos);
    e.window->menus().labelChoiceActions[0]->trigger();  // labels always travel
    e.port.setOnYield([&] {
        ProgressWindow& p = e.window->progress();
        if (p.info()->text().contains("Labels") && p.cancelButton()->isEnabled()) p.cancelClicked();
    });
    e.trigger(&MainMenus::readRadioAction);
    EXPECT_NE(said().find("labels were not read"), std::string::npos) << said();
}

}  // namespace
}  // namespace zav::test
