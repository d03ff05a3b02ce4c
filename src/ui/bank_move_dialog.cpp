#include "ui/bank_move_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "files/settings.h"
#include "model/document.h"
#include "model/moves.h"
#include "ui/twips.h"

namespace zav {

namespace {

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// The dialog's layout in twips; widgets keep at least the size their text needs.
constexpr TwipRect kFromLabel{240, 240, 1095, 375};
constexpr TwipRect kFromBox{1560, 240, 1335, 315};
constexpr TwipRect kToLabel{240, 720, 1095, 375};
constexpr TwipRect kToBox{1560, 720, 1335, 315};
constexpr TwipRect kMoveLabels{240, 1200, 2655, 315};
constexpr TwipRect kOkButton{1560, 1680, 1335, 375};
constexpr TwipRect kCancelButton{240, 1680, 1095, 375};
constexpr int kMargin = 240;

void place(QWidget* w, const TwipRect& r, double dpi) {
    const QSize least = w->minimumSizeHint().expandedTo(QSize(0, w->sizeHint().height()));
    w->setGeometry(twipsToPixels(r.left, dpi), twipsToPixels(r.top, dpi),
                   std::max(twipsToPixels(r.width, dpi), least.width()),
                   std::max(twipsToPixels(r.height, dpi), least.height()));
}

QComboBox* bankBox(QWidget* parent, const char* name, const char* initial) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (int b = kFirstBank; b <= kLastBank; ++b) box->addItem(QString::number(b));
    box->setEditText(QString::fromLatin1(initial));
    return box;
}

QLabel* boldLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

}  // namespace

BankMoveDialog::BankMoveDialog(Document& doc, QWidget* parent)
    : BankMoveDialog(doc, nullptr, parent) {}

BankMoveDialog::BankMoveDialog(Document& doc, SettingsStore* settings, QWidget* parent)
    : QDialog(parent), doc_(doc), settings_(settings) {
    setObjectName(QStringLiteral("frmMove"));
    setWindowTitle(QStringLiteral("Move Banks"));
    setModal(true);

    fromBankLabel_ = boldLabel(this, "lblFromBank", "From Bank");
    fromBankCombo_ = bankBox(this, "cboFromBank", "15");
    toBankLabel_ = boldLabel(this, "lblToBank", "To Bank");
    toBankCombo_ = bankBox(this, "cboToBank", "1");
    fromBankLabel_->setBuddy(fromBankCombo_);
    toBankLabel_->setBuddy(toBankCombo_);

    moveLabelsCheck_ = new QCheckBox(QStringLiteral("Move labels with the channels"), this);
    moveLabelsCheck_->setObjectName(QStringLiteral("chkMoveLabels"));
    moveLabelsCheck_->setChecked(settings_ != nullptr &&
                                 readInt(*settings_, settings::kMoveLabels) == 1);

    moveCancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    moveCancelButton_->setObjectName(QStringLiteral("btnMoveCancel"));
    moveOkButton_ = new QPushButton(QStringLiteral("OK"), this);
    moveOkButton_->setObjectName(QStringLiteral("btnMoveOK"));
    moveOkButton_->setDefault(true);
    setTabOrder(fromBankCombo_, toBankCombo_);
    setTabOrder(toBankCombo_, moveLabelsCheck_);
    setTabOrder(moveLabelsCheck_, moveOkButton_);
    setTabOrder(moveOkButton_, moveCancelButton_);

    const double dpi = logicalDpi(this);
    place(fromBankLabel_, kFromLabel, dpi);
    place(fromBankCombo_, kFromBox, dpi);
    place(toBankLabel_, kToLabel, dpi);
    place(toBankCombo_, kToBox, dpi);
    place(moveLabelsCheck_, kMoveLabels, dpi);
    place(moveOkButton_, kOkButton, dpi);
    place(moveCancelButton_, kCancelButton, dpi);
    const int margin = twipsToPixels(kMargin, dpi);
    setFixedSize(std::max(moveOkButton_->geometry().right(), moveLabelsCheck_->geometry().right()) +
                     1 + margin,
                 moveOkButton_->geometry().bottom() + 1 + margin);

    connect(moveOkButton_, &QPushButton::clicked, this, &BankMoveDialog::acceptMove);
    connect(moveCancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void BankMoveDialog::acceptMove() {
    const auto from = parseBankNumber(fromBankCombo_->currentText().toStdString());
    const auto to = parseBankNumber(toBankCombo_->currentText().toStdString());
    // A number that is not a bank number, or two equal ones, moves nothing and the
    // dialog closes without a word; its texts stay for the next Move.
    if (from && to) {
        fromBank_ = static_cast<std::int16_t>(*from);
        toBank_ = static_cast<std::int16_t>(*to);
        if (*from != *to) {
            emit aboutToMove(*from, *to);
            BankMoves moves(doc_);
            moves.moveGroups(*from, *to);
            if (moveLabelsCheck_->isChecked()) moves.moveLabels(*from, *to);
            emit moved(*from, *to);
        }
    }
    if (settings_ != nullptr)
        writeInt(*settings_, settings::kMoveLabels, moveLabelsCheck_->isChecked() ? 1 : 0);
    accept();  // hides the dialog; it keeps its texts for the next Move
}

void BankMoveDialog::centreOnScreen() {
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr) return;
    const QRect area = s->availableGeometry();
    move(area.center() - rect().center());
}

}  // namespace zav
