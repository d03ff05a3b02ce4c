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
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), k, modifiers);
    }
    void click(int row, Qt::KeyboardModifiers modifiers) const {
        ChannelGridView& grid = window->grid();
        const QRect cell = grid.visualRect(window->gridModel().index(row, kColLabel));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    [[nodiscard]] std::string status() const { return window->status().message().toStdString(); }
};

using Command = std::function<void(RowEditor&)>;
using Texts = std::vector<std::pair<const char*, const char*>>;  // object name, text

Command keys(Qt::Key k, Qt::KeyboardModifiers modifiers) {
    return [=](RowEditor& e) { e.key(k, modifiers); };
}
template <typename Dialog>
Command dialog(QAction* MainMenus::*item, Texts texts, bool transmit = false) {
    return [=](RowEditor& e) {
        e.inModal<Dialog>(item, [&](Dialog& d) {
            for (const auto& [name, text] : texts)
                d.template findChild<QLineEdit*>(QString::fromLatin1(name))
                    ->setText(QString::fromLatin1(text));
            if (auto* box = d.template findChild<QCheckBox*>()) box->setChecked(transmit);
            d.accept();
        });
    };
}
Command pasteAt(int row) {
    return [=](RowEditor& e) {
        e.key(Qt::Key_C, Qt::ControlModifier);
        e.goTo(row, kColLabel);
        e.trigger(&MainMenus::pasteAction);
    };
}

struct RowCase {
    const char* name;
    std::vector<int> selected;
    int column;
    Command command;
    std::vector<std::tuple<int, int, std::string>> cells;  // (row, column, text) afterwards
    std::string refusal{};  // in the status bar when nothing changes; empty: done
};

// clang-format off
const RowCase kCases[] = {
    {"Ctrl+Enter in a cell", {1, 2, 4}, kColRecCG, [](RowEditor& e) {
         ChannelGridView& grid = e.window->grid();
         grid.edit(grid.currentIndex());
         grid.cellEditor()->setText(QStringLiteral("D023"));
         QTest::keyClick(grid.cellEditor(), Qt::Key_Return, Qt::ControlModifier);
     }, {{1, kColRecCG, "D023"}, {2, kColRecCG, "D023"}, {4, kColRecCG, "D023"}}},
    {"a text one row cannot hold", {0, 1}, kColTxFreq,
     dialog<SetRowsDialog>(&MainMenus::setRowsAction, {{"txtValue", "450.00625"}}), {},
     "Channels 1-2, Tx Freq"},
    {"a fill with a transmit offset", {3, 4, 5}, kColLabel,
     dialog<FillDialog>(&MainMenus::fillAction, {{"txtStart", "451.025"}, {"txtOffset", "+5"}}, true),
     {{3, kColRecFreq, "451.02500"}, {4, kColRecFreq, "451.03750"}, {5, kColTxFreq, "456.05000"},
      {6, kColRecFreq, "450.15000"}}},
    {"a fill leaving the band", {11, 12, 13}, kColRecFreq,
     dialog<FillDialog>(&MainMenus::fillAction, {{"txtStart", "599.9875"}}), {}, "Channel 14, Rec Freq"},
    {"a block pasted", {0, 1}, kColLabel, pasteAt(12),
     {{12, kColLabel, "CH0     "}, {13, kColLabel, "CH1     "}}},
    {"a block not fitting", {0, 1, 2}, kColLabel, pasteAt(12), {}, "3 channels do not fit"},
    {"a block cut", {5, 6}, kColLabel, keys(Qt::Key_X, Qt::ControlModifier),
     {{5, kColRecFreq, "none"}, {6, kColRecCG, ""}, {6, kColLabel, "CH6     "}}},
    {"a row deleted", {9}, kColLabel, keys(Qt::Key_Delete, {}), {{9, kColTxFreq, "none"}}},
    {"a block moved up", {3, 4}, kColLabel, keys(Qt::Key_Up, Qt::AltModifier),
     {{2, kColLabel, "CH3     "}, {3, kColLabel, "CH4     "}, {4, kColLabel, "CH2     "}}},
};
// clang-format on

TEST(RowCommands, EachIsOneUndoStepOrChangesNothingSayingWhy) {
    for (const RowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        RowEditor e;
        e.window->grid().selectRows(c.selected, c.column);
        const StepResult step = runAsOneStep(e, [&] { c.command(e); });
        EXPECT_NE(e.status().find(c.refusal), std::string::npos) << e.status();
        EXPECT_EQ(step.after == step.before, !c.refusal.empty());
        std::set<int> named;  // no row changes that the case does not name
        for (const auto& [row, column, text] : c.cells) {
            EXPECT_EQ(e.cell(row, column), text) << row << "/" << column;
            if (step.before[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] !=
                text)
                named.insert(row);
        }
        for (const int r : changedRows(step.before, step.after))
            EXPECT_TRUE(named.contains(r)) << r;
    }
}

TEST(RowSelection, ByMouseAndKeysCountedInTheStatusBar) {
    RowEditor e;
    const auto selected = [&] { return e.window->grid().selectedRows(); };
    e.click(1, Qt::NoModifier);
    EXPECT_EQ(e.window->status().selectedRowsText(), QString());  // one row: no count
    e.click(4, Qt::ShiftModifier);
    e.click(7, Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector{1, 2, 3, 4, 7}));
    EXPECT_EQ(e.window->status().selectedRowsText(), QStringLiteral("5 rows selected"));
    e.click(7, Qt::NoModifier);
    for (int i = 0; i < 2; ++i) e.key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selected(), (std::vector{7, 8, 9}));
    e.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(selected().size(), std::size_t{kChannelsPerGroup});
    e.key(Qt::Key_A, Qt::ControlModifier);  // still Copy All: the whole group's 14 lines
    EXPECT_EQ(std::ranges::count(e.clipboard.text(), '\r'), kChannelsPerGroup);
    // In a cell being typed, Delete is the text's: no row is cleared.
    const GroupRows before = groupRows(*e.doc.group(0));
    e.window->grid().edit(e.window->grid().currentIndex());
    e.key(Qt::Key_Delete);
    EXPECT_EQ(e.window->grid().cellEditor()->text(), QString());
    EXPECT_EQ(groupRows(*e.doc.group(0)), before);
}

}  // namespace
}  // namespace zav::test
