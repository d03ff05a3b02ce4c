// The main window for a user who does not use a mouse or does not see the screen: every
// control is named through Qt's accessibility interface, a grid cell reads its column,
// row and value, Tab goes through the grid and on out of it, Alt and a letter opens a
// menu, and the help pages take their colours from the palette.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextBrowser>

#include "support/editor.h"
#include "ui/help_viewer.h"
#include "ui/offset_entry.h"

namespace zav::test {
namespace {

// A control is named when it has a name of its own (a combo box on Linux is named by its
// shown value, which does not count), or when a caption labels it.
bool named(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a == nullptr) return false;
    const QString name = a->text(QAccessible::Name);
    const bool onlyValue =
        a->role() == QAccessible::ComboBox && name == a->text(QAccessible::Value);
    if (!name.isEmpty() && !onlyValue) return true;
    const auto labels = a->relations(QAccessible::Label);
    return std::any_of(labels.begin(), labels.end(), [](const auto& label) {
        return !label.first->text(QAccessible::Name).isEmpty();
    });
}

TEST(Accessible, EveryFocusableControlIsNamedAndAGridCellReadsColumnRowAndValue) {
    Editor e;
    e.window->show();
    e.window->offsetEntry().open(0);  // the offset box too
    int controls = 0;
    for (QWidget* w : e.window->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) == 0 || !w->isVisible()) continue;
        ++controls;
        EXPECT_TRUE(named(w)) << w->objectName().toStdString();
    }
    EXPECT_GE(controls, 25);
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&e.window->grid())->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->cellAt(1, kColRecFreq)->text(QAccessible::Name).toStdString(),
              "Rec Freq, row 2, " + e.cell(1, kColRecFreq));
    EXPECT_EQ(table->cellAt(13, kColRecCG)->text(QAccessible::Name), "Rec CG, row 14, empty");
}

// Tab from the last cell (also from its open editor) and Ctrl+Tab from any cell go on to
// the next control; Shift+Tab from the first cell goes back to the group selector.
TEST(Accessible, TabLeavesTheGridAtItsEndAndCtrlTabAtOnce) {
    Editor e;
    e.pressKeys("");
    const GroupControls& c = e.window->controls();
    ChannelGridView& grid = e.window->grid();
    const int last = kChannelsPerGroup - 1;
    struct Case {
        int row, column;
        bool editing;
        Qt::KeyboardModifiers keys;
        QWidget* lands;
    };
    for (const Case& k :
         {Case{last, kGridColumns - 1, false, {}, c.groupLabelEdit},
          Case{last, kColLabel, false, {}, &grid}, Case{last, kColLabel, true, {}, &grid},
          Case{last, kGridColumns - 1, true, {}, c.groupLabelEdit},
          Case{3, kColTxFreq, false, Qt::ControlModifier, c.groupLabelEdit},
          Case{3, kColTxFreq, true, Qt::ControlModifier, c.groupLabelEdit},
          Case{0, 0, false, Qt::ShiftModifier, c.currentGroupCombo}}) {
        grid.setFocus();
        e.goTo(k.row, k.column);
        if (k.editing) grid.edit(grid.currentIndex());
        QTest::keyClick(e.window->windowHandle(), Qt::Key_Tab, k.keys);
        QApplication::processEvents();
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == k.lands || (k.lands == &grid && grid.isAncestorOf(focus)))
            << k.row << "," << k.column << (focus ? focus->objectName().toStdString() : "none");
        grid.commitPendingEdit();
    }
}

TEST(Accessible, AltAndALetterOpensItsMenuWithTheFirstItemHighlighted) {
    Editor e;
    e.pressKeys("");
    const MainMenus& m = e.window->menus();
    for (QMenu* menu : {m.fileMenu, m.radioMenu, m.editMenu, m.configMenu, m.helpMenu}) {
        const QString title = menu->title();
        ASSERT_TRUE(title.startsWith(QLatin1Char('&'))) << title.toStdString();
        QTest::keyClick(e.window->windowHandle(), title.at(1).toLower().toLatin1(),
                        Qt::AltModifier);
        QApplication::processEvents();
        EXPECT_TRUE(menu->isVisible()) << title.toStdString();
        EXPECT_EQ(menu->activeAction(), menu->actions().front()) << title.toStdString();
        menu->close();
        QApplication::processEvents();
    }
}

// No page fixes a colour of its own, which a dark palette would leave unreadable (dark
// headings on dark, white on a light box); links keep the palette's link colour.
TEST(Accessible, HelpPagesTakeTheirColoursFromThePalette) {
    HelpWindow help(nullptr);
    const QString folder = QString::fromLatin1(kHelpResourceFolder) + QLatin1Char('/');
    const QStringList pages = QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& page : pages) {
        help.browser()->setSource(QUrl(QStringLiteral("qrc") + folder + page));
        const QTextDocument& doc = *help.browser()->document();
        for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next()) {
            EXPECT_FALSE(b.blockFormat().hasProperty(QTextFormat::BackgroundBrush))
                << page.toStdString() << ": " << b.text().toStdString();
            for (auto f = b.begin(); !f.atEnd(); ++f) {
                const QTextCharFormat format = f.fragment().charFormat();
                EXPECT_TRUE(format.isAnchor() || !format.hasProperty(QTextFormat::ForegroundBrush))
                    << page.toStdString() << ": " << f.fragment().text().toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace zav::test
