// The Move Banks dialog: its controls, the remembered numbers, and what OK does.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <string>
#include <vector>

#include "model/document.h"
#include "ui/bank_move_dialog.h"
#include "ui/twips.h"

namespace zav {
namespace {

struct MoveDialog {
    Document doc;
    BankMoveDialog dialog{doc};
    std::vector<std::string> events;

    MoveDialog() {
        for (int b = 1; b <= 15; ++b)
            doc.mem[static_cast<std::size_t>(b) * kPageSize + 5] = static_cast<Byte>(b);
        QObject::connect(&dialog, &BankMoveDialog::aboutToMove, [this](int f, int t) {
            events.push_back("about " + std::to_string(f) + ">" + std::to_string(t));
        });
        QObject::connect(&dialog, &BankMoveDialog::moved, [this](int f, int t) {
            events.push_back("moved " + std::to_string(f) + ">" + std::to_string(t));
        });
        dialog.show();
    }
    template <class W>
    W* child(const char* name) {
        return dialog.findChild<W*>(QString::fromLatin1(name));
    }
    void type(const char* box, const char* text) {
        child<QComboBox>(box)->setEditText(QString::fromLatin1(text));
    }
    // Which old bank each bank number holds now (byte 5 of each page names it).
    std::vector<int> banks() const {
        std::vector<int> out;
        for (int b = 1; b <= 15; ++b) out.push_back(doc.mem[static_cast<std::size_t>(b) * 128 + 5]);
        return out;
    }
};

const std::vector<int> kUnmoved{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

TEST(MoveDialog, ControlsCaptionsAndStartingNumbers) {
    MoveDialog m;
    EXPECT_EQ(m.dialog.windowTitle(), "Move Banks");
    EXPECT_TRUE(m.dialog.isModal());
    for (const char* name : {"lblFromBank", "lblToBank"}) {
        ASSERT_NE(m.child<QLabel>(name), nullptr) << name;
        EXPECT_TRUE(m.child<QLabel>(name)->font().bold()) << name;
    }
    EXPECT_EQ(m.child<QLabel>("lblFromBank")->text(), "From Bank");
    EXPECT_EQ(m.child<QLabel>("lblToBank")->text(), "To Bank");
    EXPECT_EQ(m.child<QPushButton>("btnMoveOK")->text(), "OK");
    for (const char* name : {"cboFromBank", "cboToBank"}) {
        QComboBox* box = m.child<QComboBox>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_TRUE(box->isEditable());
        ASSERT_EQ(box->count(), 15);
        for (int i = 0; i < 15; ++i) EXPECT_EQ(box->itemText(i), QString::number(i + 1));
    }
    EXPECT_EQ(m.child<QComboBox>("cboFromBank")->currentText(), "15");
    EXPECT_EQ(m.child<QComboBox>("cboToBank")->currentText(), "1");

    // Placed as laid out in twips: labels on the left, boxes and OK in a column on the right.
    const double dpi = logicalDpi(&m.dialog);
    const QRect from = m.child<QComboBox>("cboFromBank")->geometry();
    EXPECT_EQ(from.x(), twipsToPixels(1560, dpi));
    EXPECT_EQ(from.y(), twipsToPixels(240, dpi));
    EXPECT_EQ(from.width(), twipsToPixels(1335, dpi));
    EXPECT_EQ(m.child<QComboBox>("cboToBank")->geometry().y(), twipsToPixels(720, dpi));
    EXPECT_EQ(m.child<QPushButton>("btnMoveOK")->geometry().topLeft(),
              QPoint(twipsToPixels(1560, dpi), twipsToPixels(1320, dpi)));
}

TEST(MoveDialog, TheDefaultNumbersMoveBankFifteenToOne) {
    MoveDialog m;
    m.child<QPushButton>("btnMoveOK")->click();
    EXPECT_EQ(m.banks(), (std::vector<int>{15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(m.events, (std::vector<std::string>{"about 15>1", "moved 15>1"}));
    EXPECT_FALSE(m.dialog.isVisible());
    EXPECT_EQ(m.dialog.fromBank(), 15);
    EXPECT_EQ(m.dialog.toBank(), 1);
}

struct Typed {
    const char* from;
    const char* to;
};

class MoveDialogRefuses : public ::testing::TestWithParam<Typed> {};

// Numbers that are not bank numbers move nothing, and the dialog closes without a word
// like it does for two equal numbers; the typed texts are offered again next time.
TEST_P(MoveDialogRefuses, NumbersThatAreNotWholeBankNumbersMoveNothingSilently) {
    MoveDialog m;
    m.dialog.acceptMove();  // an accepted move first: 15 to 1
    const std::vector<int> before = m.banks();
    m.events.clear();
    m.dialog.show();
    m.type("cboFromBank", GetParam().from);
    m.type("cboToBank", GetParam().to);
    m.dialog.acceptMove();
    EXPECT_EQ(m.banks(), before);
    EXPECT_TRUE(m.events.empty());
    EXPECT_FALSE(m.dialog.isVisible());
    EXPECT_EQ(m.dialog.fromBank(), 15);  // the numbers of the last move
    EXPECT_EQ(m.dialog.toBank(), 1);
    EXPECT_EQ(m.child<QComboBox>("cboFromBank")->currentText(), GetParam().from);
    EXPECT_EQ(m.child<QComboBox>("cboToBank")->currentText(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Texts, MoveDialogRefuses,
                         ::testing::Values(Typed{"2.5", "5"}, Typed{"2", "5.5"}, Typed{"0", "5"},
                                           Typed{"16", "5"}, Typed{"2", "-1"}, Typed{"", "5"},
                                           Typed{"two", "5"}, Typed{"2", "1e1"},
                                           Typed{"100000", "1"}));

TEST(MoveDialog, EqualNumbersMoveNothingSilently) {
    MoveDialog m;
    m.type("cboFromBank", "4");
    m.type("cboToBank", " 4 ");
    m.dialog.acceptMove();
    EXPECT_EQ(m.banks(), kUnmoved);
    EXPECT_TRUE(m.events.empty());
    EXPECT_FALSE(m.dialog.isVisible());
}

TEST(MoveDialog, RemembersTheNumbersForTheNextMove) {
    MoveDialog m;
    m.type("cboFromBank", "2");
    m.type("cboToBank", "5");
    m.dialog.acceptMove();
    EXPECT_EQ(m.banks(), (std::vector<int>{1, 3, 4, 5, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    m.dialog.show();
    EXPECT_EQ(m.child<QComboBox>("cboFromBank")->currentText(), "2");
    EXPECT_EQ(m.child<QComboBox>("cboToBank")->currentText(), "5");
    // The same OK again moves the same way again.
    m.dialog.acceptMove();
    EXPECT_EQ(m.banks(), (std::vector<int>{1, 4, 5, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(MoveDialog, CancelMovesNothing) {
    MoveDialog m;
    m.child<QPushButton>("btnMoveCancel")->click();
    EXPECT_EQ(m.banks(), kUnmoved);
    EXPECT_TRUE(m.events.empty());
    EXPECT_FALSE(m.dialog.isVisible());
}

TEST(MoveDialog, RendersWithoutClippingOrOverlap) {
    MoveDialog m;
    const auto widgets = m.dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (const QWidget* a : widgets) {
        EXPECT_TRUE(m.dialog.rect().contains(a->geometry())) << a->objectName().toStdString();
        EXPECT_GE(a->width(), a->minimumSizeHint().width()) << a->objectName().toStdString();
        if (auto* l = qobject_cast<const QLabel*>(a)) {
            EXPECT_GE(l->width(), l->sizeHint().width()) << a->objectName().toStdString();
        }
        for (const QWidget* b : widgets) {
            if (a == b) continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " / " << b->objectName().toStdString();
        }
    }
    const QString dir = QStringLiteral(ZAV_BINARY_DIR "/renders");
    QDir().mkpath(dir);
    EXPECT_TRUE(m.dialog.grab().save(dir + QStringLiteral("/frmMove.png")));
}

}  // namespace
}  // namespace zav
