#include "ui/offset_entry.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>

#include "model/channel.h"
#include "model/frequency_check.h"  // addOffset
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"

namespace zav {

namespace {
OffsetKey offsetKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return OffsetKey::Enter;
        case Qt::Key_Left:
            return OffsetKey::Left;
        case Qt::Key_Right:
            return OffsetKey::Right;
        case Qt::Key_F1:
            return OffsetKey::F1;
        default:
            return OffsetKey::Other;
    }
}

bool isModifierKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return true;
        default:
            return false;
    }
}

bool typesText(const QKeyEvent& key) {
    return !key.text().isEmpty() && key.text().front().isPrint();
}
}  // namespace

OffsetEntry::OffsetEntry(ChannelGridModel& model, ChannelGridView& grid, QWidget* parent)
    : QGroupBox(tr("Offset"), parent),
      model_(model),
      grid_(grid),
      offsetEdit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmOffset"));
    offsetEdit_->setObjectName(QStringLiteral("txtOffset"));
    offsetEdit_->installEventFilter(this);
    setAutoFillBackground(true);  // covers the frame it is opened over
    hide();
}

void OffsetEntry::open(int row) {
    row_ = row;
    pressed_.clear();
    offered_ = true;
    show();
    raise();
    offsetEdit_->setText(QString::fromStdString(lastText_));
    offsetEdit_->selectAll();
    offsetEdit_->setFocus();
}

bool OffsetEntry::eventFilter(QObject* object, QEvent* event) {
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (object != offsetEdit_ || !keyEvent) return QGroupBox::eventFilter(object, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (event->type() == QEvent::KeyPress) {
        if (key.key() == Qt::Key_Escape) {  // leaves the transmit frequency as it was
            close();
            return true;
        }
        keyPressed(key);
    } else if (!key.isAutoRepeat()) {
        const auto pressed = std::ranges::find(pressed_, key.key());
        if (pressed != pressed_.end()) {
            pressed_.erase(pressed);
            keyReleased(key.key());
        }
    }
    return QGroupBox::eventFilter(object, event);
}

void OffsetEntry::keyPressed(const QKeyEvent& key) {
    if (!key.isAutoRepeat() && std::ranges::find(pressed_, key.key()) == pressed_.end())
        pressed_.push_back(key.key());
    if (!offered_ || isModifierKey(key.key())) return;
    offered_ = false;
    // Typing after an entry starts a new offset, also where the offer is no longer selected
    // (a selected offer the typed character replaces anyway).
    if (typesText(key) && !offsetEdit_->hasSelectedText()) offsetEdit_->clear();
}

void OffsetEntry::keyReleased(int qtKey) {
    if (!isOpen()) return;
    const std::string text = offsetEdit_->text().toStdString();
    const OffsetStep step = offsetKeyUp(text, offsetKey(qtKey));
    if (step.invalid) {
        grid_.refuse(tr("An offset takes digits, a sign and a decimal point only."));
        offsetEdit_->clear();
        return;
    }
    if (step.help) emit helpRequested();
    if (step.commit) commit(text);
}

// The sum goes through the grid's own entry of a typed transmit frequency: what the radio
// cannot hold is refused, saying why, and the old value stays.
void OffsetEntry::commit(const std::string& offset) {
    const std::string sum = addOffset(model_.cellText(row_, kColRecFreq).toStdString(), offset);
    lastText_ = offset;
    close();
    grid_.commitCellText(model_.index(row_, kColTxFreq), QString::fromStdString(sum));
}

void OffsetEntry::close() {
    hide();
    pressed_.clear();
    grid_.setCurrentIndex(model_.index(row_, kColTxFreq));
    grid_.setFocus();
}

}  // namespace zav
