// The channel grid as the user edits it: what typing stores, the copy keys, the scan
// flag, the clipboard and the frequency offset box; and the group selector storing
// a group's edits when another group is shown.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QRadioButton>

#include "model/memory_map.h"
#include "support/editor.h"
#include "ui/offset_entry.h"

namespace zav::test {
namespace {

void key(QWidget* w, int k, const QString& text = {}, QEvent::Type type = QEvent::KeyPress) {
    QKeyEvent event(type, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &event);
}

ChannelGridView& goTo(const Editor& e, int row, int column) {
    e.window->grid().setCurrentIndex(e.window->gridModel().index(row, column));
    return e.window->grid();
}

// The checks themselves are the model's; the grid applies them, beeps at a refused value
// (one the radio could not store, off its 12.5 kHz raster, too) and stores the rest.
TEST(ChannelGrid, TypedValuesAreCheckedAndStoredAsTheRadioHoldsThem) {
    Editor e;
    // clang-format off
    const std::tuple<int, const char*, const char*> cases[] = {
        {kColTxFreq, "4501250", "450.12500"}, {kColTxFreq, "450.00625", nullptr},
        {kColTxFreq, "0", "none"}, {kColTxFreq, "", "none"}, {kColTxFreq, "450.001", nullptr},
        {kColRecCG, "d023-", "D023-"}, {kColLabel, "AB.C", "AB.C     "}};
    // clang-format on
    int row = 0;
    for (const auto& [column, typed, shown] : cases) {
        e.typeInCell(row, column, "460");
        const std::string old = e.cell(row, column);
        const int beeps = e.prompts.beeps;
        e.typeInCell(row, column, typed);
        EXPECT_EQ(e.cell(row, column), shown != nullptr ? shown : old) << typed;
        EXPECT_EQ(e.prompts.beeps - beeps, shown != nullptr ? 0 : 1) << typed;
        ++row;
    }
}

TEST(ChannelGrid, TypingReplacesTheCellAndALetterInANumberIsRefusedAtOnce) {
    Editor e;
    key(&goTo(e, 3, 0), Qt::Key_7, QStringLiteral("7"));  // the channel number stays
    EXPECT_EQ(e.cell(3, 0), "4");
    key(&goTo(e, 0, kColRecFreq), Qt::Key_4, QStringLiteral("4"));
    QLineEdit* editor = e.window->grid().cellEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "4");
    editor->setText(QStringLiteral("462.x"));
    key(editor, Qt::Key_X, QStringLiteral("x"), QEvent::KeyRelease);
    EXPECT_EQ(editor->text(), "none");
    editor->setText(QStringLiteral("-"));  // an arrow key leaves an unfinished entry alone
    key(editor, Qt::Key_Left, {}, QEvent::KeyRelease);
    EXPECT_EQ(editor->text(), "-");
    EXPECT_EQ(e.prompts.beeps, 1);
    editor->setText(QStringLiteral("462.5"));
    key(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(e.cell(0, kColRecFreq), "462.50000");
}

// S copies the row's receive value to its transmit cell, also from inside an open
// editor; C does it for every row.
TEST(ChannelGrid, CopyKeysFillTheTransmitCells) {
    Editor e;
    for (int r = 0; r < 14; ++r) e.typeInCell(r, kColRecCG, r % 2 ? "067.0" : "D754");
    e.typeInCell(2, kColRecFreq, "451.25");
    key(&goTo(e, 2, kColTxFreq), Qt::Key_S, QStringLiteral("s"));
    EXPECT_EQ(e.cell(2, kColTxFreq), "451.25000");
    EXPECT_EQ(e.cell(2, kColTxCG), "");
    key(&goTo(e, 5, kColTxCG), Qt::Key_C, QStringLiteral("c"));
    for (int r = 0; r < 14; ++r) EXPECT_EQ(e.cell(r, kColTxCG), e.cell(r, kColRecCG)) << r;
    EXPECT_EQ(e.cell(0, kColTxFreq), "none");
    e.typeInCell(6, kColRecFreq, "452.5");
    goTo(e, 6, kColTxFreq).edit(e.window->gridModel().index(6, kColTxFreq));
    key(e.window->grid().cellEditor(), Qt::Key_S, QStringLiteral("s"));
    QApplication::processEvents();
    EXPECT_EQ(e.cell(6, kColTxFreq), "452.50000");
}

// Space toggles the scan flag (channel 10: bit 1 of the group's first byte); an erased
// label shown as " blank  " and left unchanged is not stored as that text.
TEST(ChannelGrid, ScanFlagAndUnchangedCells) {
    Editor e;
    key(&goTo(e, 9, kColScan), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(e.cell(9, kColScan), "Y");
    EXPECT_EQ(e.mem()[groupAddress(0)] & 0x02, 0x02);
    key(&e.window->grid(), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(e.mem()[groupAddress(0)] & 0x02, 0);
    for (int k = 0; k < 8; ++k) e.labels()[labelIndex(0, 3, k)] = 0xFF;
    e.window->gridModel().refresh();
    e.typeInCell(3, kColLabel, e.cell(3, kColLabel));
    EXPECT_EQ(e.labels()[labelIndex(0, 3, 0)], 0xFF);
}

// Copy All pastes a whole group, Copy a row onto the current row; text from elsewhere is
// not pasted.
TEST(Clipboard, CopiesPasteIntoAnotherGroupAndForeignTextIsRefused) {
    Editor e;
    EXPECT_FALSE(e.window->menus().pasteAction->isEnabled());
    e.typeInCell(0, kColLabel, "AB");
    e.window->grid().toggleScan(13);
    e.window->copyAll();
    e.selectGroup(3);
    e.window->paste();
    for (int r = 0; r < 14; ++r)
        EXPECT_EQ(e.doc.group(2)->copyChan(r), e.doc.group(0)->copyChan(r));
    EXPECT_EQ(e.cell(13, kColScan), "Y");
    goTo(e, 0, kColRecFreq);
    e.window->copyRow();
    e.selectGroup(2);
    goTo(e, 9, kColLabel);
    e.window->paste();
    EXPECT_EQ(e.doc.group(1)->copyChan(9), e.doc.group(0)->copyChan(0));
    const std::string pasted = e.doc.group(1)->copyChan(8);
    e.clipboard.setText(std::string(e.clipboard.text().size(), 'x'));
    e.window->updatePasteEnabled();
    EXPECT_FALSE(e.window->menus().pasteAction->isEnabled());
    goTo(e, 8, kColLabel);
    e.window->paste();
    EXPECT_EQ(e.prompts.texts().size(), 1u);
    EXPECT_EQ(e.doc.group(1)->copyChan(8), pasted);
}

// Space in a transmit cell opens the offset box; Enter sets the transmit frequency from
// the receive frequency, an offset out of range is refused and offered again.
TEST(Offset, SetsTheTransmitFrequencyFromTheReceiveFrequency) {
    Editor e;
    OffsetEntry& entry = e.window->offsetEntry();
    const auto type = [&](const char* text, int k) {
        entry.box()->setText(QString::fromLatin1(text));
        entry.keyReleased(k);
    };
    e.typeInCell(2, kColRecFreq, "450.125");
    for (const char* offset : {"-5", "-60"}) {
        key(&goTo(e, 2, kColTxFreq), Qt::Key_Space, QStringLiteral(" "));
        type("-", Qt::Key_Minus);
        type(offset, Qt::Key_0);
        type(offset, Qt::Key_Return);
    }
    EXPECT_EQ(e.cell(2, kColTxFreq), "445.12500");
    EXPECT_EQ(e.prompts.beeps, 1);
    key(&goTo(e, 2, kColTxFreq), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(entry.box()->selectedText(), "-60");
}

// Showing another group stores the shown one's controls and channels into the image, and
// they come back unchanged; an untouched group keeps every byte.
TEST(GroupSelector, StoresTheShownGroupAndShowsTheNext) {
    Editor e;
    const std::size_t page = static_cast<std::size_t>(groupAddress(0));
    e.mem()[page + 3] = 0x0F;  // priority channel 15 shows as 14
    e.window->displayGroupMemory();
    const MemImage untouched = e.mem();
    e.selectGroup(2);
    e.selectGroup(1);
    EXPECT_EQ(e.mem(), untouched);
    const GroupControls& c = e.window->controls();
    c.totCombo->setCurrentIndex(3);
    c.idEdit->setText(QStringLiteral("12AB"));
    c.priKeyLockCheck->setChecked(true);
    c.battSaveButton[1]->setChecked(true);
    e.typeInCell(2, kColRecFreq, "450.0125");
    e.selectGroup(2);
    EXPECT_EQ(e.cell(2, kColRecFreq), "none");
    EXPECT_EQ((std::array{e.mem()[page], e.mem()[page + 2], e.mem()[page + 3], e.mem()[page + 6],
                          e.mem()[page + 7]}),
              (std::array<Byte, 5>{0x80, 0x03, 0x2F, 0x12, 0xAB}));
    e.selectGroup(1);
    EXPECT_EQ(c.idEdit->text(), "00012AB");
    EXPECT_EQ(e.cell(2, kColRecFreq), "450.01250");
    for (std::size_t i = 80; i <= 87; ++i) e.mem()[i] = 0;  // a page map without groups
    e.window->initGroups(0);
    EXPECT_EQ(e.window->gridModel().rowCount(), 0);
    e.selectGroup(1);
}

}  // namespace
}  // namespace zav::test
