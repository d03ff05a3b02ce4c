#include "ui/offset_entry.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "model/channel.h"
#include "model/frequency_check.h"
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
}  // namespace

OffsetEntry::OffsetEntry(ChannelGridModel& model, ChannelGridView& grid, Prompts& prompts,
                         QWidget* parent)
    : QGroupBox(QStringLiteral("Offset"), parent),
      model_(model),
      grid_(grid),
      prompts_(prompts),
      offsetEdit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmOffset"));
    offsetEdit_->setObjectName(QStringLiteral("txtOffset"));
    offsetEdit_->installEventFilter(this);
    setAutoFillBackground(true);  // covers the frame it is opened over
    hide();
}

void OffsetEntry::open(int row) {
    row_ = row;
    show();
    raise();
    offsetEdit_->setText(QString::fromStdString(lastText_));
    offsetEdit_->selectAll();
    offsetEdit_->setFocus();
}

bool OffsetEntry::eventFilter(QObject* object, QEvent* event) {
    if (object == offsetEdit_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {  // leaves the transmit frequency as it was
                close();
                return true;
            }
        } else if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) keyReleased(key->key());
        }
    }
    return QGroupBox::eventFilter(object, event);
}

void OffsetEntry::keyReleased(int qtKey) {
    if (!isOpen()) return;
    const OffsetKey key = offsetKey(qtKey);
    const std::string text = offsetEdit_->text().toStdString();
    const OffsetStep step = offsetKeyUp(text, key, lastKey_);
    if (step.invalid) {
        prompts_.beep();
        offsetEdit_->clear();
        return;
    }
    if (step.boxText != text) offsetEdit_->setText(QString::fromStdString(step.boxText));
    if (step.help) emit helpRequested();
    lastKey_ = key;
    if (step.commit) commit(step.boxText);
}

void OffsetEntry::commit(const std::string& offset) {
    const std::string sum = addOffset(model_.cellText(row_, kColRecFreq).toStdString(), offset);
    const FreqCheckResult r = checkFrequency(sum);
    switch (r.outcome) {
        case FreqCheckOutcome::Accepted:
            model_.setCellText(row_, kColTxFreq, QString::fromStdString(r.text));
            break;
        case FreqCheckOutcome::Unchanged:
            model_.setCellText(row_, kColTxFreq, QString::fromStdString(sum));
            break;
        case FreqCheckOutcome::Rejected:
            prompts_.beep();
            break;
    }
    lastText_ = offset;
    close();
}

void OffsetEntry::close() {
    hide();
    grid_.setCurrentIndex(model_.index(row_, kColTxFreq));
    grid_.setFocus();
}

}  // namespace zav
