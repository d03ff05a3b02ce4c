#include <QAction>

#include "editor_fixture.h"
#include "model/memory_map.h"
#include "ui/offset_entry.h"
#include "ui/offset_logic.h"

namespace zav::test {
namespace {

void fillRow(const Editor& e, int row, const char* rx, const char* cg, const char* label) {
    e.typeInCell(row, kColRecFreq, rx);
    e.typeInCell(row, kColRecCG, cg);
    e.typeInCell(row, kColLabel, label);
}

TEST(Clipboard, CopyAllGivesFourteenLinesEndedByCarriageReturns) {
    Editor e;
    fillRow(e, 0, "450.0125", "067.0", "AB");
    e.window->copyAll();
    const std::string text = e.clipboard.text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 14);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.back(), '\r');
    EXPECT_EQ(text.substr(0, text.find('\r')), "450.01250\t067.0\tnone\t\tAB      \t");
    EXPECT_TRUE(e.window->clipboard().copiedAll());
    EXPECT_EQ(e.window->clipboard().clipboardLength(), static_cast<int>(text.size()));
}

TEST(Clipboard, CopyAllPastesIntoAnotherGroup) {
    Editor e;
    fillRow(e, 0, "450.0125", "067.0", "AB");
    fillRow(e, 13, "512.5375", "D023-", "LAST");
    e.grid().toggleScan(13);
    e.window->copyAll();
    e.selectGroup(3);
    e.window->paste();
    for (int r = 0; r < 14; ++r)
        EXPECT_EQ(e.doc.group(2)->copyChan(r), e.doc.group(0)->copyChan(r)) << r;
    EXPECT_EQ(e.cell(13, kColScan), "Y");
    EXPECT_TRUE(e.prompts.messages.empty());
}

TEST(Clipboard, CopyARowPastesOnTheCurrentRowOfAnotherGroup) {
    Editor e;
    fillRow(e, 4, "455.0000", "D754", "ROW5");
    e.grid().setCurrentIndex(e.model().index(4, kColRecFreq));
    e.window->copyRow();
    EXPECT_EQ(e.clipboard.text(), "455.00000\tD754\tnone\t\tROW5    \t");
    e.selectGroup(2);
    e.grid().setCurrentIndex(e.model().index(9, kColLabel));
    e.window->paste();
    EXPECT_EQ(e.doc.group(1)->copyChan(9), e.doc.group(0)->copyChan(4));
    EXPECT_EQ(e.cell(8, kColLabel), "CHAN 9  ");
}

TEST(Clipboard, PasteRefusesAForeignTextOfTheSameLength) {
    Editor e;
    e.window->paste();  // nothing copied yet
    e.window->copyRow();
    std::string foreign(e.clipboard.text().size(), 'x');
    e.clipboard.setText(foreign);
    e.window->updatePasteEnabled();
    EXPECT_FALSE(e.window->menus().pasteAction->isEnabled());
    const std::string before = e.doc.group(0)->copyChan(0);
    e.window->paste();
    ASSERT_EQ(e.prompts.messages.size(), 2u);
    EXPECT_EQ(e.prompts.messages[1].text, "No record has been selected to the clipboard");
    EXPECT_EQ(e.doc.group(0)->copyChan(0), before);
}

TEST(Clipboard, StartsEmptyWithPasteDisabled) {
    Editor e;
    EXPECT_EQ(e.clipboard.text(), "");
    EXPECT_FALSE(e.window->menus().pasteAction->isEnabled());
    EXPECT_EQ(e.window->clipboard().clipboardLength(), -1);
    e.window->copyAll();
    EXPECT_TRUE(e.window->menus().pasteAction->isEnabled());
}

// The first key after a click records the cell; Undo puts it back exactly.
void clickAndType(const Editor& e, int row, int column, const std::string& text) {
    e.grid().setCurrentIndex(e.model().index(row, column));
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e.grid().viewport(), &click);
    e.grid().setCurrentIndex(e.model().index(row, column));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(&e.grid(), &key);
    e.typeInCell(row, column, text);
}

TEST(Undo, PutsBackADigitalCodeGuard) {
    Editor e;
    e.typeInCell(3, kColRecCG, "D023-");
    clickAndType(e, 3, kColRecCG, "067.0");
    EXPECT_EQ(e.cell(3, kColRecCG), "067.0");
    e.window->undo();
    EXPECT_EQ(e.cell(3, kColRecCG), "D023-");
    const int rec = channelAddress(0, 3);
    EXPECT_EQ(e.doc.mem[static_cast<std::size_t>(rec + 2)], 0xC8);
    EXPECT_EQ(e.doc.mem[static_cast<std::size_t>(rec + 3)], 0x13);
    EXPECT_EQ(e.grid().currentIndex().row(), 3);
    // The record stays: a second Undo restores the same again.
    e.typeInCell(3, kColRecCG, "100.0");
    e.window->undo();
    EXPECT_EQ(e.cell(3, kColRecCG), "D023-");
}

TEST(Undo, PutsBackErasedLabelsAndFrequencies) {
    Editor e;
    for (int k = 0; k < 8; ++k) e.doc.labels[labelIndex(0, 1, k)] = 0xFF;
    clickAndType(e, 1, kColLabel, "NEW");
    e.window->undo();
    for (int k = 0; k < 8; ++k) EXPECT_EQ(e.doc.labels[labelIndex(0, 1, k)], 0xFF);
    e.typeInCell(1, kColTxFreq, "455.0125");
    clickAndType(e, 1, kColTxFreq, "456");
    e.window->undo();
    EXPECT_EQ(e.cell(1, kColTxFreq), "455.01250");
}

TEST(Undo, GroupSwitchClearsTheRecord) {
    Editor e;
    clickAndType(e, 0, kColRecFreq, "450");
    e.selectGroup(2);
    e.selectGroup(1);
    EXPECT_EQ(e.window->undoRecord().column(), -1);
    e.window->undo();
    EXPECT_EQ(e.cell(0, kColRecFreq), "450.00000");
}

// --- Frequency offset ---------------------------------------------------------------------

struct OffsetFixture : ::testing::Test {
    Editor e;
    OffsetEntry& box() const { return e.window->offsetEntry(); }

    void openOnRow(int row) {
        e.grid().setCurrentIndex(e.model().index(row, kColTxFreq));
        Editor::press(&e.grid(), Qt::Key_Space, QStringLiteral(" "));
    }
    void type(const QString& text, int key) const {
        box().box()->setText(text);
        box().keyReleased(key);
    }
};

TEST_F(OffsetFixture, MinusFiveSetsTheTransmitFrequency) {
    e.typeInCell(2, kColRecFreq, "450.125");
    e.typeInCell(2, kColTxFreq, "460");
    openOnRow(2);
    ASSERT_TRUE(box().isVisibleTo(e.window.get()));
    type(QStringLiteral("-"), Qt::Key_Minus);
    type(QStringLiteral("-5"), Qt::Key_5);
    type(QStringLiteral("-5"), Qt::Key_Return);
    EXPECT_EQ(e.cell(2, kColTxFreq), "445.12500");
    EXPECT_FALSE(box().isVisibleTo(e.window.get()));
    EXPECT_EQ(box().lastOffsetText(), "-5");
    EXPECT_EQ(e.prompts.beeps, 0);
}

TEST_F(OffsetFixture, MinusSixtyIsRejectedAndTheOldValueStays) {
    e.typeInCell(2, kColRecFreq, "450.125");
    e.typeInCell(2, kColTxFreq, "460");
    openOnRow(2);
    type(QStringLiteral("-60"), Qt::Key_0);
    type(QStringLiteral("-60"), Qt::Key_Return);
    EXPECT_EQ(e.cell(2, kColTxFreq), "460.00000");
    EXPECT_EQ(e.prompts.beeps, 1);
    // The last offset is offered again, all of it selected.
    openOnRow(2);
    EXPECT_EQ(box().box()->text(), "-60");
    EXPECT_EQ(box().box()->selectedText(), "-60");
}

TEST_F(OffsetFixture, SignOrPointAloneStartsAnEntryOtherTextBeeps) {
    openOnRow(0);
    type(QStringLiteral("-"), Qt::Key_Minus);
    EXPECT_EQ(box().box()->text(), "-");
    type(QStringLiteral("."), Qt::Key_Period);
    EXPECT_EQ(box().box()->text(), ".");
    EXPECT_EQ(e.prompts.beeps, 0);
    type(QStringLiteral("-x"), Qt::Key_X);
    EXPECT_EQ(box().box()->text(), "");
    EXPECT_EQ(e.prompts.beeps, 1);
    EXPECT_TRUE(box().isVisibleTo(e.window.get()));
}

TEST_F(OffsetFixture, F1ShowsTheHelp) {
    openOnRow(0);
    type(QStringLiteral("5"), Qt::Key_F1);
    ASSERT_EQ(e.prompts.messages.size(), 1u);
    EXPECT_EQ(e.prompts.messages[0].text, "Enter the frequency offset, eg: -2, 7");
}

TEST(OffsetLogic, KeyRules) {
    using K = OffsetKey;
    struct Case {
        const char* text;
        K key;
        K last;
        bool invalid;
        bool commit;
        const char* box;
    } cases[] = {
        {"-5", K::Other, K::Other, false, false, "-5"},
        {"-.", K::Other, K::Other, false, false, "-."},
        {"-x", K::Other, K::Other, true, false, ""},
        {"-x", K::Left, K::Other, false, false, "-x"},    // arrows only move the caret
        {"abc", K::Enter, K::Other, false, true, "abc"},  // Enter always commits
        {"-57", K::Other, K::Enter, false, false, "7"},   // a new entry after Enter
        {"", K::F1, K::Other, false, false, ""},
    };
    for (const Case& c : cases) {
        const OffsetStep s = offsetKeyUp(c.text, c.key, c.last);
        EXPECT_EQ(s.invalid, c.invalid) << c.text;
        EXPECT_EQ(s.commit, c.commit) << c.text;
        if (!s.invalid) {
            EXPECT_EQ(s.boxText, c.box) << c.text;
        }
    }
}

}  // namespace
}  // namespace zav::test
