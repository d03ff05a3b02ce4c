// The Move Banks dialog: which old bank each bank number holds after OK or Cancel, and the
// numbers it offers next time. Which texts are bank numbers is the model's test.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "model/document.h"
#include "ui/bank_move_dialog.h"

namespace zav {
namespace {

struct MoveCase {
    const char* from;  // nullptr: as offered (15 to 1)
    const char* to;
    std::vector<int> banks;  // empty: nothing moves
    bool cancel = false;
};

class MoveBanks : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveBanks, MovesAWholeBankNumberOrNothing) {
    const MoveCase& c = GetParam();
    Document doc;
    std::vector<int> banks(15);
    for (int b = 1; b <= 15; ++b) doc.mem[b * kPageSize + 5] = static_cast<Byte>(banks[b - 1] = b);
    BankMoveDialog dialog(doc);
    dialog.show();
    auto boxes = dialog.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    if (c.from != nullptr) boxes[0]->setEditText(QString::fromLatin1(c.from));
    if (c.to != nullptr) boxes[1]->setEditText(QString::fromLatin1(c.to));
    if (c.cancel)
        dialog.findChild<QPushButton*>(QStringLiteral("btnMoveCancel"))->click();
    else
        dialog.acceptMove();
    for (int b = 1; b <= 15; ++b) banks[b - 1] = doc.mem[b * kPageSize + 5];
    const std::vector<int> unmoved{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_EQ(banks, c.banks.empty() ? unmoved : c.banks);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();  // the texts typed are offered again
    EXPECT_EQ(boxes[0]->currentText(), c.from != nullptr ? c.from : "15");
    EXPECT_EQ(boxes[1]->currentText(), c.to != nullptr ? c.to : "1");
}

INSTANTIATE_TEST_SUITE_P(
    Typed, MoveBanks,
    ::testing::Values(
        MoveCase{nullptr, nullptr, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        MoveCase{"2", "5", {1, 3, 4, 5, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        MoveCase{nullptr, nullptr, {}, true}, MoveCase{"4", " 4 ", {}}, MoveCase{"2.5", "5", {}},
        MoveCase{"2", "16", {}}));

}  // namespace
}  // namespace zav
