// The main window for a user who does not use a mouse or does not see the screen: every
// control is named through Qt's accessibility interface, a grid cell reads its column,
// row and value, Tab goes through the grid and on out of it, Alt and a letter opens a menu.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenu>

#include "support/editor.h"
#include "ui/offset_entry.h"

namespace zav::test {
namespace {

// Named by a name of its own (a combo box on Linux is named by its shown value, which
// does not count) or by a caption that labels it.
bool named(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    const QString name = a->text(QAccessible::Name);
    if (!name.isEmpty() &&
        (a->role() != QAccessible::ComboBox || name != a->text(QAccessible::Value)))
        return true;
    const auto labels = a->relations(QAccessible::Label);
    return std::any_of(labels.begin(), labels.end(),
                       [](const auto& l) { return !l.first->text(QAccessible::Name).isEmpty(); });
}

// Tab from the last cell (or its open editor) and Ctrl+Tab from any go on to the next
// control, Shift+Tab from the first back to the group selector; between, Tab walks cells.
TEST(Accessible, NamesEveryControlAndCellAndTabAndAltLettersLeadEverywhere) {
    Editor e;
    e.pressKeys("");
    e.window->offsetEntry().open(0);
    int controls = 0;
    for (QWidget* w : e.window->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) == 0 || !w->isVisible()) continue;
        ++controls;
        EXPECT_TRUE(named(w)) << w->objectName().toStdString();
    }
    EXPECT_GE(controls, 25);
    e.typeKeys("\x1b", e.window->offsetEntry().box());
    ChannelGridView& grid = e.window->grid();
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&grid)->tableInterface();
    EXPECT_EQ(table->cellAt(1, kColRecFreq)->text(QAccessible::Name).toStdString(),
              "Rec Freq, row 2, " + e.cell(1, kColRecFreq));
    EXPECT_EQ(table->cellAt(13, kColRecCG)->text(QAccessible::Name), "Rec CG, row 14, empty");

    const GroupControls& c = e.window->controls();
    using Case = std::tuple<int, int, bool, Qt::KeyboardModifiers, QWidget*>;  // nullptr: a cell
    for (const auto& [row, column, editing, keys, lands] :
         {Case{13, kColScan, false, {}, c.groupLabelEdit},
          Case{13, kColScan, true, {}, c.groupLabelEdit}, Case{13, kColLabel, true, {}, nullptr},
          Case{3, kColTxFreq, true, Qt::ControlModifier, c.groupLabelEdit},
          Case{0, 0, false, Qt::ShiftModifier, c.currentGroupCombo}}) {
        grid.setFocus();
        e.goTo(row, column);
        if (editing) grid.edit(grid.currentIndex());
        QTest::keyClick(e.window->windowHandle(), Qt::Key_Tab, keys);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(lands != nullptr ? focus == lands : grid.isAncestorOf(focus)) << row;
        grid.commitPendingEdit();
    }
    // Alt and a top-level menu's first letter ("&File") opens it, its first item highlighted.
    const MainMenus& m = e.window->menus();
    for (QMenu* menu : {m.fileMenu, m.radioMenu, m.editMenu, m.configMenu, m.helpMenu}) {
        const QString title = menu->title();
        QTest::keyClick(e.window->windowHandle(), title.at(1).toLower().toLatin1(),
                        Qt::AltModifier);
        EXPECT_TRUE(menu->isVisible()) << title.toStdString();
        EXPECT_EQ(menu->activeAction(), menu->actions().front()) << title.toStdString();
        menu->close();
    }
}

}  // namespace
}  // namespace zav::test
