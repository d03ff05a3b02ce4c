// The Move Banks dialog's effect on the image: which old bank each bank number holds after
// OK or Cancel, and the numbers the dialog offers next time.

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
    std::vector<int> unmoved;
    for (int b = 1; b <= 15; ++b) doc.mem[b * kPageSize + 5] = static_cast<Byte>(b);
    for (int b = 1; b <= 15; ++b) unmoved.push_back(b);
    BankMoveDialog dialog(doc);
    dialog.show();
    auto* from = dialog.findChild<QComboBox*>(QStringLiteral("cboFromBank"));
    auto* to = dialog.findChild<QComboBox*>(QStringLiteral("cboToBank"));
    if (c.from != nullptr) from->setEditText(QString::fromLatin1(c.from));
    if (c.to != nullptr) to->setEditText(QString::fromLatin1(c.to));
    if (c.cancel)
        dialog.findChild<QPushButton*>(QStringLiteral("btnMoveCancel"))->click();
    else
        dialog.acceptMove();
    std::vector<int> banks;
    for (int b = 1; b <= 15; ++b) banks.push_back(doc.mem[b * kPageSize + 5]);
    EXPECT_EQ(banks, c.banks.empty() ? unmoved : c.banks);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();  // the texts typed are offered again
    EXPECT_EQ(from->currentText(), c.from != nullptr ? c.from : "15");
    EXPECT_EQ(to->currentText(), c.to != nullptr ? c.to : "1");
}

INSTANTIATE_TEST_SUITE_P(
    Typed, MoveBanks,
    ::testing::Values(
        MoveCase{nullptr, nullptr, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        MoveCase{"2", "5", {1, 3, 4, 5, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        MoveCase{nullptr, nullptr, {}, true}, MoveCase{"4", " 4 ", {}}, MoveCase{"2.5", "5", {}},
        MoveCase{"2", "5.5", {}}, MoveCase{"0", "5", {}}, MoveCase{"16", "5", {}},
        MoveCase{"2", "-1", {}}, MoveCase{"", "5", {}}, MoveCase{"two", "5", {}},
        MoveCase{"2", "1e1", {}}, MoveCase{"100000", "1", {}}));

}  // namespace
}  // namespace zav
