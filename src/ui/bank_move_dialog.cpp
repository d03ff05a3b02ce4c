#include "ui/bank_move_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "files/settings.h"
#include "model/document.h"
#include "model/moves.h"

namespace zav {

namespace {

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
    auto* label = new QLabel(BankMoveDialog::tr(text), parent);
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
    setWindowTitle(tr("Move Banks"));
    setModal(true);

    fromBankLabel_ = boldLabel(this, "lblFromBank", QT_TR_NOOP("From Bank"));
    fromBankCombo_ = bankBox(this, "cboFromBank", "15");
    toBankLabel_ = boldLabel(this, "lblToBank", QT_TR_NOOP("To Bank"));
    toBankCombo_ = bankBox(this, "cboToBank", "1");
    fromBankLabel_->setBuddy(fromBankCombo_);
    toBankLabel_->setBuddy(toBankCombo_);

    moveLabelsCheck_ = new QCheckBox(tr("Move labels with the channels"), this);
    moveLabelsCheck_->setObjectName(QStringLiteral("chkMoveLabels"));
    moveLabelsCheck_->setChecked(settings_ != nullptr &&
                                 readInt(*settings_, settings::kMoveLabels) == 1);

    moveCancelButton_ = new QPushButton(tr("Cancel"), this);
    moveCancelButton_->setObjectName(QStringLiteral("btnMoveCancel"));
    moveOkButton_ = new QPushButton(tr("OK"), this);
    moveOkButton_->setObjectName(QStringLiteral("btnMoveOK"));
    moveOkButton_->setDefault(true);
    setTabOrder(fromBankCombo_, toBankCombo_);
    setTabOrder(toBankCombo_, moveLabelsCheck_);
    setTabOrder(moveLabelsCheck_, moveOkButton_);
    setTabOrder(moveOkButton_, moveCancelButton_);

    // The captions and their boxes in two columns; OK under the boxes, Cancel beside it.
    auto* layout = new QGridLayout(this);
    layout->addWidget(fromBankLabel_, 0, 0);
    layout->addWidget(fromBankCombo_, 0, 1);
    layout->addWidget(toBankLabel_, 1, 0);
    layout->addWidget(toBankCombo_, 1, 1);
    layout->addWidget(moveLabelsCheck_, 2, 0, 1, 2);
    layout->addWidget(moveCancelButton_, 3, 0);
    layout->addWidget(moveOkButton_, 3, 1);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->activate();  // the size is known before the dialog is first centred

    connect(moveOkButton_, &QPushButton::clicked, this, &BankMoveDialog::acceptMove);
    connect(moveCancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void BankMoveDialog::acceptMove() {
    const auto from = parseBankNumber(fromBankCombo_->currentText().toStdString());
    const auto to = parseBankNumber(toBankCombo_->currentText().toStdString());
    // A number that is not a bank number, or two equal ones, moves nothing and the
    // dialog closes without a word; its texts stay for the next Move.
    if (from && to) {
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
