// The Edit menu's row commands as the user gives them: rows selected with the mouse and the
// keyboard and counted in the status bar, a column set on them (Ctrl+Enter in a cell or the
// dialog), frequencies filled in steps, blocks copied, cut, pasted, deleted and moved; each
// one Undo step, and a refused one changes nothing and says why.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>
#include <set>

#include "support/undo_step.h"
#include "ui/bulk_edit_dialogs.h"
#include "ui/channel_grid_model.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

// The window with distinct channels in group 1, shown, active and the grid in focus.
struct RowEditor : Editor {
    RowEditor() {
        fillDistinct(*doc.group(0));
        window->showGroup(0);
        pressKeys("");
        window->grid().setFocus();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers) const {
        QTest::keyClick(window->windowHandle(), k, modifiers);
    }
    void click(int row, Qt::KeyboardModifiers modifiers) const {
        ChannelGridView& grid = window->grid();
        const QRect cell = grid.visualRect(window->gridModel().index(row, kColLabel));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    template <typename Dialog>
    void answer(QAction* MainMenus::*item, std::function<void(Dialog&)> fill) const {
        inModal<Dialog>(item, [fill](Dialog& d) {
            fill(d);
            d.accept();
        });
    }
    [[nodiscard]] std::string status() const { return window->status().message().toStdString(); }
};

void setText(QDialog& d, const char* name, const char* text) {
    d.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
}

TEST(RowSelection, ByMouseAndKeysCountedInTheStatusBar) {
    RowEditor e;
    ChannelGridView& grid = e.window->grid();
    const auto counted = [&] { return e.window->status().selectedRowsText().toStdString(); };
    e.click(1, Qt::NoModifier);
    EXPECT_EQ(counted(), "");  // one row is no selection worth counting
    e.click(4, Qt::ShiftModifier);
    e.click(7, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector{1, 2, 3, 4, 7}));
    EXPECT_EQ(counted(), "5 rows selected");
    e.click(7, Qt::NoModifier);
    e.key(Qt::Key_Down, Qt::ShiftModifier);
    e.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows(), (std::vector{7, 8, 9}));
    e.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid.selectedRows().size(), std::size_t{kChannelsPerGroup});
    // Ctrl+A stays Copy All: the whole group's 14 lines.
    e.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(std::ranges::count(e.clipboard.text(), '\r'), kChannelsPerGroup);
}

struct RowCase {
    const char* name;
    std::vector<int> selected;
    int column;
    std::function<void(RowEditor&)> command;
    std::vector<std::tuple<int, int, std::string>> cells;  // (row, column, text) afterwards
    std::string refusal;  // in the status bar when nothing changes; empty: done
};

const RowCase kCases[] = {
    {"Ctrl+Enter in a cell",
     {1, 2, 4},
     kColRecCG,
     [](RowEditor& e) {
         ChannelGridView& grid = e.window->grid();
         grid.edit(grid.currentIndex());
         grid.cellEditor()->setText(QStringLiteral("D023"));
         QTest::keyClick(grid.cellEditor(), Qt::Key_Return, Qt::ControlModifier);
     },
     {{1, kColRecCG, "D023"}, {2, kColRecCG, "D023"}, {4, kColRecCG, "D023"}},
     ""},
    {"the dialog refuses a text one row cannot hold",
     {0, 1},
     kColTxFreq,
     [](RowEditor& e) {
         e.answer<SetRowsDialog>(&MainMenus::setRowsAction,
                                 [](SetRowsDialog& d) { setText(d, "txtValue", "450.00625"); });
     },
     {},
     "Channels 1-2, Tx Freq"},
    {"fill with a transmit offset",
     {3, 4, 5},
     kColLabel,
     [](RowEditor& e) {
         e.answer<FillDialog>(&MainMenus::fillAction, [](FillDialog& d) {
             setText(d, "txtStart", "451.025");
             d.findChild<QCheckBox*>(QStringLiteral("chkTransmit"))->setChecked(true);
             setText(d, "txtOffset", "+5");
         });
     },
     {{3, kColRecFreq, "451.02500"},
      {4, kColRecFreq, "451.03750"},
      {5, kColRecFreq, "451.05000"},
      {5, kColTxFreq, "456.05000"},
      {6, kColRecFreq, "450.15000"}},
     ""},
    {"a fill that leaves the band",
     {11, 12, 13},
     kColRecFreq,
     [](RowEditor& e) {
         e.answer<FillDialog>(&MainMenus::fillAction, [](FillDialog& d) {
             setText(d, "txtStart", "599.9875");
             setText(d, "txtStep", "0.0125");
         });
     },
     {},
     "Channel 14, Rec Freq"},
    {"a step off the raster",
     {1, 2},
     kColRecFreq,
     [](RowEditor& e) {
         e.answer<FillDialog>(&MainMenus::fillAction,
                              [](FillDialog& d) { setText(d, "txtStep", "0.01"); });
     },
     {},
     "no multiple"},
    {"a block pasted from the current row",
     {0, 1},
     kColLabel,
     [](RowEditor& e) {
         e.key(Qt::Key_C, Qt::ControlModifier);
         e.goTo(12, kColLabel);
         e.trigger(&MainMenus::pasteAction);
     },
     {{12, kColLabel, "CH0     "}, {13, kColLabel, "CH1     "}},
     ""},
    {"a block that does not fit",
     {0, 1, 2},
     kColLabel,
     [](RowEditor& e) {
         e.trigger(&MainMenus::copyRowsAction);
         e.goTo(12, kColLabel);
         e.trigger(&MainMenus::pasteAction);
     },
     {},
     "3 channels do not fit from Chan 13"},
    {"a block cut",
     {5, 6},
     kColLabel,
     [](RowEditor& e) { e.key(Qt::Key_X, Qt::ControlModifier); },
     {{5, kColRecFreq, "none"}, {6, kColRecCG, ""}, {6, kColLabel, "CH6     "}},
     ""},
    {"rows deleted",
     {9},
     kColLabel,
     [](RowEditor& e) { e.key(Qt::Key_Delete, Qt::NoModifier); },
     {{9, kColTxFreq, "none"}, {9, kColTxCG, ""}},
     ""},
    {"a block moved up",
     {3, 4},
     kColLabel,
     [](RowEditor& e) { e.key(Qt::Key_Up, Qt::AltModifier); },
     {{2, kColLabel, "CH3     "}, {3, kColLabel, "CH4     "}, {4, kColLabel, "CH2     "}},
     ""},
    {"a block at the end moved down",
     {12, 13},
     kColLabel,
     [](RowEditor& e) { e.trigger(&MainMenus::moveDownAction); },
     {},
     "cannot move down"},
};

TEST(RowCommands, EachIsOneUndoStepOrChangesNothingSayingWhy) {
    for (const RowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        RowEditor e;
        e.window->grid().selectRows(c.selected, c.column);
        const StepResult step = runAsOneStep(e, [&] { c.command(e); });
        if (!c.refusal.empty()) {
            EXPECT_EQ(step.after, step.before);
            EXPECT_NE(e.status().find(c.refusal), std::string::npos) << e.status();
            continue;
        }
        std::set<int> rows;
        for (const auto& [row, column, text] : c.cells) {
            EXPECT_EQ(e.cell(row, column), text) << row << "/" << column;
            if (step.before[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] !=
                text)
                rows.insert(row);
        }
        // No row changes that the command does not name.
        for (const int r : changedRows(step.before, step.after)) EXPECT_TRUE(rows.contains(r)) << r;
    }
}

}  // namespace
}  // namespace zav::test
