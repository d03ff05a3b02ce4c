#include <QHeaderView>

#include "editor_fixture.h"
#include "model/memory_map.h"

namespace zav::test {
namespace {

TEST(ChannelGrid, ShowsSevenCaptionedColumnsAndFourteenRows) {
    Editor e;
    const char* captions[] = {"Chan", "Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Label", "Scan"};
    ASSERT_EQ(e.model().columnCount(), 7);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(e.model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), captions[c]);
    EXPECT_EQ(e.model().rowCount(), 14);
    EXPECT_EQ(e.cell(0, kColRecFreq), "none");
    EXPECT_FALSE(e.model().flags(e.model().index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(e.model().flags(e.model().index(0, kColLabel)) & Qt::ItemIsEditable);
}

TEST(ChannelGrid, ChannelNumberCannotBeEdited) {
    Editor e;
    e.grid().setCurrentIndex(e.model().index(3, 0));
    e.grid().edit(e.model().index(3, 0));
    EXPECT_EQ(e.grid().cellEditor(), nullptr);
    Editor::press(&e.grid(), Qt::Key_7, QStringLiteral("7"));
    EXPECT_EQ(e.cell(3, 0), "4");
}

struct TypedFrequency {
    const char* typed;
    const char* shown;  // nullptr: rejected, the cell keeps its value
};

class FrequencyEntry : public ::testing::TestWithParam<TypedFrequency> {};

TEST_P(FrequencyEntry, IsCheckedBeforeItIsStored) {
    Editor e;
    e.typeInCell(0, kColTxFreq, "460.0000");
    const int beeps = e.prompts.beeps;
    e.typeInCell(0, kColTxFreq, GetParam().typed);
    if (GetParam().shown == nullptr) {
        EXPECT_EQ(e.cell(0, kColTxFreq), "460.00000");
        EXPECT_EQ(e.prompts.beeps, beeps + 1);
    } else {
        EXPECT_EQ(e.cell(0, kColTxFreq), GetParam().shown);
        EXPECT_EQ(e.prompts.beeps, beeps);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencyEntry,
    ::testing::Values(TypedFrequency{"450125", "450.12500"}, TypedFrequency{"4501250", "450.12500"},
                      TypedFrequency{"450.001", nullptr}, TypedFrequency{"450.0125", "450.01250"},
                      // accepted, then stored on the radio's 12.5 kHz raster
                      TypedFrequency{"450.00625", "450.00000"}, TypedFrequency{"399.9975", nullptr},
                      TypedFrequency{"600.0025", nullptr}, TypedFrequency{"600", "600.00000"},
                      TypedFrequency{"450.1234567", nullptr}, TypedFrequency{"0", "none"},
                      TypedFrequency{"", "none"}));

TEST(ChannelGrid, NonNumericTypingBeepsAndRestores) {
    Editor e;
    e.typeInCell(1, kColRecFreq, "451.0000");
    e.grid().setCurrentIndex(e.model().index(1, kColRecFreq));
    e.grid().edit(e.model().index(1, kColRecFreq));
    auto* editor = e.grid().cellEditor();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("451.x"));
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(editor, &up);
    EXPECT_EQ(editor->text(), "451.00000");
    EXPECT_EQ(e.prompts.beeps, 1);
    // Navigation keys leave an unfinished entry alone.
    editor->setText(QStringLiteral("-"));
    QKeyEvent left(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(editor, &left);
    EXPECT_EQ(editor->text(), "-");
    EXPECT_EQ(e.prompts.beeps, 1);
}

TEST(ChannelGrid, LabelAndCodeGuardTextsAreStoredAsTyped) {
    Editor e;
    e.typeInCell(4, kColRecCG, "d023-");
    e.typeInCell(4, kColLabel, "AB.C");
    EXPECT_EQ(e.cell(4, kColRecCG), "D023-");
    EXPECT_EQ(e.cell(4, kColLabel), "AB.C     ");
}

TEST(ChannelGrid, KeySCopiesTheReceiveValueOfTheRow) {
    Editor e;
    e.typeInCell(2, kColRecFreq, "451.2500");
    e.typeInCell(2, kColRecCG, "D023");
    e.grid().setCurrentIndex(e.model().index(2, kColTxFreq));
    Editor::press(&e.grid(), Qt::Key_S, QStringLiteral("s"));
    e.grid().setCurrentIndex(e.model().index(2, kColTxCG));
    Editor::press(&e.grid(), Qt::Key_S, QStringLiteral("S"), Qt::ShiftModifier);
    EXPECT_EQ(e.cell(2, kColTxFreq), "451.25000");
    EXPECT_EQ(e.cell(2, kColTxCG), "D023");
    EXPECT_EQ(e.cell(3, kColTxCG), "");  // only the current row
}

TEST(ChannelGrid, KeyCInTxCGCopiesEveryRowAndGoesHome) {
    Editor e;
    for (int r = 0; r < 14; ++r) e.typeInCell(r, kColRecCG, r % 2 ? "067.0" : "D754");
    e.grid().setCurrentIndex(e.model().index(5, kColTxCG));
    Editor::press(&e.grid(), Qt::Key_C, QStringLiteral("c"));
    for (int r = 0; r < 14; ++r) EXPECT_EQ(e.cell(r, kColTxCG), e.cell(r, kColRecCG)) << r;
    EXPECT_EQ(e.grid().currentIndex().row(), 0);
    EXPECT_EQ(e.grid().currentIndex().column(), 0);
    EXPECT_EQ(e.cell(0, kColTxFreq), "none");  // the other transmit column is untouched
}

TEST(ChannelGrid, KeyInsideAnOpenTransmitEditorCopiesToo) {
    Editor e;
    e.typeInCell(6, kColRecFreq, "452.5000");
    e.grid().setCurrentIndex(e.model().index(6, kColTxFreq));
    e.grid().edit(e.model().index(6, kColTxFreq));
    auto* editor = e.grid().cellEditor();
    ASSERT_NE(editor, nullptr);
    Editor::press(editor, Qt::Key_S, QStringLiteral("s"));
    QApplication::processEvents();
    EXPECT_EQ(e.cell(6, kColTxFreq), "452.50000");
}

TEST(ChannelGrid, HomeGoesToReceiveFrequency) {
    Editor e;
    e.grid().setCurrentIndex(e.model().index(7, kColLabel));
    Editor::press(&e.grid(), Qt::Key_Home);
    EXPECT_EQ(e.grid().currentIndex().row(), 7);
    EXPECT_EQ(e.grid().currentIndex().column(), kColRecFreq);
}

TEST(ChannelGrid, ScanCellToggles) {
    Editor e;
    e.grid().toggleScan(9);
    EXPECT_EQ(e.cell(9, kColScan), "Y");
    EXPECT_EQ(e.doc.mem[groupAddress(0) + 0] & 0x02, 0x02);  // channel 10: header byte 0 bit 1
    e.grid().setCurrentIndex(e.model().index(9, kColScan));
    Editor::press(&e.grid(), Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(e.cell(9, kColScan), "");
    EXPECT_EQ(e.doc.mem[groupAddress(0) + 0] & 0x02, 0);
}

TEST(ChannelGrid, UnchangedCellIsNotReEncoded) {
    Editor e;
    const std::size_t first = labelIndex(0, 3, 0);
    for (int k = 0; k < 8; ++k) e.doc.labels[labelIndex(0, 3, k)] = 0xFF;
    e.model().refresh();
    EXPECT_EQ(e.cell(3, kColLabel), " blank  ");
    e.typeInCell(3, kColLabel, " blank  ");
    EXPECT_EQ(e.doc.labels[first], 0xFF);
}

}  // namespace
}  // namespace zav::test

namespace zav::test {
namespace {

// Typing into a cell replaces its text, as in a spreadsheet.
TEST(ChannelGrid, TypingStartsAnEditThatReplacesTheCell) {
    Editor e;
    e.grid().setCurrentIndex(e.model().index(0, kColRecFreq));
    Editor::press(&e.grid(), Qt::Key_4, QStringLiteral("4"));
    QLineEdit* editor = e.grid().cellEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "4");
    EXPECT_EQ(e.grid().editColumn(), kColRecFreq);
    EXPECT_EQ(e.prompts.beeps, 0);
    editor->setText(QStringLiteral("462.5"));
    Editor::press(editor, Qt::Key_Return);
    QApplication::processEvents();  // Enter commits through a queued call
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(e.cell(0, kColRecFreq), "462.50000");
}

}  // namespace
}  // namespace zav::test
