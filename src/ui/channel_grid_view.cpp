#include "ui/channel_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include "model/field_entry.h"
#include "model/frequency_check.h"
#include "ui/grid_delegate.h"
#include "ui/image_history.h"

namespace zav {

namespace {

bool isFrequencyColumn(int column) {
    return column == kColRecFreq || column == kColTxFreq;
}
bool isTransmitColumn(int column) {
    return column == kColTxFreq || column == kColTxCG;
}

bool plainKey(const QKeyEvent* e) {
    return (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

// Keys that may leave a frequency cell's text unfinished without a complaint.
bool isNavigationKey(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Backspace:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Shift:
        case Qt::Key_Escape:
            return true;
        default:
            return false;
    }
}

}  // namespace

ChannelGridView::ChannelGridView(ChannelGridModel& model, Document& doc, Prompts& prompts,
                                 ImageHistory& history, QWidget* parent)
    : QTableView(parent),
      model_(model),
      doc_(doc),
      prompts_(prompts),
      history_(history),
      delegate_(new ChannelCellDelegate(*this)) {
    setObjectName(QStringLiteral("Grid"));
    setModel(&model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(kColLabel, QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}

void ChannelGridView::fitRows(int height) {
    const int frame = 2 * frameWidth();
    const int row =
        std::max((height - frame) / (kChannelsPerGroup + 1), fontMetrics().height() + 4);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(row);
    horizontalHeader()->setFixedHeight(row);
    // Columns in proportion to what they hold.
    const QFontMetrics fm = fontMetrics();
    const int pad = 14;
    setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("Chan")) + pad);
    setColumnWidth(kColRecFreq, fm.horizontalAdvance(QStringLiteral("000.00000")) + pad);
    setColumnWidth(kColRecCG, fm.horizontalAdvance(QStringLiteral("D000-")) + pad);
    setColumnWidth(kColTxFreq, fm.horizontalAdvance(QStringLiteral("000.00000")) + pad);
    setColumnWidth(kColTxCG, fm.horizontalAdvance(QStringLiteral("D000-")) + pad);
    setColumnWidth(kColLabel, fm.horizontalAdvance(QStringLiteral("WWWWWWWW")) + pad);
    setColumnWidth(kColScan, fm.horizontalAdvance(QStringLiteral("Scan")) + pad + row);
}

bool ChannelGridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid() || index.column() == 0) return false;  // the channel number is fixed
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened) {
        editColumn_ = index.column();
        savedText_ = model_.cellText(index.row(), index.column());
    }
    return opened;
}

QLineEdit* ChannelGridView::cellEditor() const {
    return state() == EditingState ? delegate_->openEditor() : nullptr;
}

void ChannelGridView::commitPendingEdit() {
    if (QLineEdit* editor = cellEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void ChannelGridView::discardEditor(QLineEdit* editor) {
    if (editor != nullptr) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void ChannelGridView::copyReceive(int row, int column) {
    if (!isTransmitColumn(column)) return;
    model_.setCellText(row, column, model_.cellText(row, column - 2));
}

void ChannelGridView::copyReceiveAll(int row, int column) {
    if (!isTransmitColumn(column)) return;
    // One step: Undo brings back every row's transmit value at once.
    history_.record(QStringLiteral("Copy Receive to Transmit"), [&] {
        copyReceive(row, column);
        for (int r = 0; r < model_.rowCount(); ++r) copyReceive(r, column);
    });
    setCurrentIndex(model_.index(0, 0));
    emit copiedToAllRows(column);
}

void ChannelGridView::toggleScan(int row) {
    const QString now = model_.cellText(row, kColScan);
    model_.setCellText(row, kColScan, now == QStringLiteral("Y") ? QString() : QStringLiteral("Y"));
}

void ChannelGridView::commitCellText(const QModelIndex& index, const QString& text) {
    if (!index.isValid()) return;
    const int row = index.row();
    const int column = index.column();
    // A cell left as it was stores nothing; an entry its field cannot hold exactly is
    // refused and the cell stays as it was.
    if (text == model_.cellText(row, column)) return;
    const FieldEntry entry = channelEntry(column, text.toStdString());
    if (entry.accepted)
        model_.setCellText(row, column, QString::fromStdString(entry.text));
    else
        refuse(QString::fromStdString(entry.text));
}

void ChannelGridView::refuse(const QString& reason) {
    prompts_.beep();
    emit entryRefused(reason);
}

bool ChannelGridView::commandKey(QKeyEvent* e, int column, QLineEdit* editor) {
    if (!e->isAutoRepeat()) offsetRow_.reset();  // only the very next release opens the entry
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) return false;
    const int key = e->key();
    if (key == Qt::Key_Home) {
        if (editor != nullptr) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        setCurrentIndex(model_.index(cur.row(), kColRecFreq));
        return true;
    }
    if (!plainKey(e)) return false;
    if (isTransmitColumn(column) && (key == Qt::Key_S || key == Qt::Key_C)) {
        discardEditor(editor);
        if (key == Qt::Key_S) {
            copyReceive(cur.row(), column);
        } else {
            copyReceiveAll(cur.row(), column);
        }
        return true;
    }
    if (key == Qt::Key_Space && column == kColTxFreq) {
        discardEditor(editor);  // the typed blank is dropped
        offsetRow_ = cur.row();
        return true;
    }
    if (key == Qt::Key_Space && column == kColScan && editor == nullptr) {
        toggleScan(cur.row());
        return true;
    }
    return false;
}

void ChannelGridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex cur = currentIndex();
    // A key that starts an edit makes its cell the edit column.
    if (cur.isValid() && !event->text().isEmpty() && cur.column() != 0 &&
        event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
        editColumn_ = cur.column();
    if (commandKey(event, cur.isValid() ? cur.column() : -1, nullptr)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelGridView::keyReleaseEvent(QKeyEvent* event) {
    if (offsetKeyUp(event)) {
        event->accept();
        return;
    }
    QTableView::keyReleaseEvent(event);
}

bool ChannelGridView::offsetKeyUp(const QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !offsetRow_) return false;
    const int row = *offsetRow_;
    offsetRow_.reset();
    emit offsetRequested(row);
    return true;
}

bool ChannelGridView::editorKeyPress(QLineEdit* editor, QKeyEvent* event) {
    return commandKey(event, editColumn_, editor);
}

bool ChannelGridView::editorKeyRelease(QLineEdit* editor, QKeyEvent* event) {
    if (offsetKeyUp(event)) return true;
    if (!isFrequencyColumn(editColumn_) || isNavigationKey(event->key())) return false;
    if (isNumericText(editor->text().toStdString())) return false;
    if (editor->text().isEmpty() && event->key() == Qt::Key_Delete) return false;
    refuse(QStringLiteral("A frequency takes digits and a decimal point only."));
    // Selected, so that the next key replaces the old text instead of adding to it.
    editor->setText(savedText_);
    editor->selectAll();
    return false;
}

}  // namespace zav
