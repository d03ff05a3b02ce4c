#include "ui/frm_move.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

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
constexpr TwipRect kOkButton{1560, 1320, 1335, 375};
constexpr TwipRect kCancelButton{240, 1320, 1095, 375};
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

frmMove::frmMove(Document& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
    setObjectName(QStringLiteral("frmMove"));
    setWindowTitle(QStringLiteral("Move Banks"));
    setModal(true);

    lblFromBank_ = boldLabel(this, "lblFromBank", "From Bank");
    cboFromBank_ = bankBox(this, "cboFromBank", "15");
    lblToBank_ = boldLabel(this, "lblToBank", "To Bank");
    cboToBank_ = bankBox(this, "cboToBank", "1");
    lblFromBank_->setBuddy(cboFromBank_);
    lblToBank_->setBuddy(cboToBank_);

    btnMoveCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btnMoveCancel_->setObjectName(QStringLiteral("btnMoveCancel"));
    btnMoveOK_ = new QPushButton(QStringLiteral("OK"), this);
    btnMoveOK_->setObjectName(QStringLiteral("btnMoveOK"));
    btnMoveOK_->setDefault(true);
    setTabOrder(cboFromBank_, cboToBank_);
    setTabOrder(cboToBank_, btnMoveOK_);
    setTabOrder(btnMoveOK_, btnMoveCancel_);

    const double dpi = logicalDpi(this);
    place(lblFromBank_, kFromLabel, dpi);
    place(cboFromBank_, kFromBox, dpi);
    place(lblToBank_, kToLabel, dpi);
    place(cboToBank_, kToBox, dpi);
    place(btnMoveOK_, kOkButton, dpi);
    place(btnMoveCancel_, kCancelButton, dpi);
    const int margin = twipsToPixels(kMargin, dpi);
    setFixedSize(btnMoveOK_->geometry().right() + 1 + margin,
                 btnMoveOK_->geometry().bottom() + 1 + margin);

    connect(btnMoveOK_, &QPushButton::clicked, this, &frmMove::btnMoveOK_Click);
    connect(btnMoveCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmMove::btnMoveOK_Click() {
    const auto from = ParseBankNumber(cboFromBank_->currentText().toStdString());
    const auto to = ParseBankNumber(cboToBank_->currentText().toStdString());
    // A number that is not a bank number, or two equal ones, moves nothing and the
    // dialog closes without a word; its texts stay for the next Move.
    if (from && to) {
        fromBank_ = static_cast<std::int16_t>(*from);
        toBank_ = static_cast<std::int16_t>(*to);
        if (*from != *to) {
            emit aboutToMove(*from, *to);
            clsMoves(doc_).moveGroups(*from, *to);
            emit moved(*from, *to);
        }
    }
    accept();  // hides the dialog; it keeps its texts for the next Move
}

void frmMove::centreOnScreen() {
    const QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr) return;
    const QRect area = s->availableGeometry();
    move(area.center() - rect().center());
}

}  // namespace zav
