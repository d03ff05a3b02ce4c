#include "ui/channel_grid_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>

#include <set>

#include "model/frequency_check.h"
#include "ui/grid_delegate.h"
#include "ui/image_history.h"

namespace zav {

namespace {

constexpr int kRowPadding = 6;  // around a row's text: its cell editor's frame

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
    // Moving the cursor selects its cell alone, as before; Shift and Ctrl extend the
    // selection, whose rows the Edit menu's row commands take.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setAccessibleName(tr("Channels"));
    // The grid is made as tall as its 14 rows (fitRows): a vertical bar never hides one.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(kColLabel, QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRows();
}

void ChannelGridView::fitRows() {
    const QFontMetrics fm = fontMetrics();
    // A row holds a line of text and the Scan cell's button; the header one caption.
    const int row = std::max(fm.height() + kRowPadding, horizontalHeader()->sizeHint().height());
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(row);
    horizontalHeader()->setFixedHeight(row);
    // Columns in proportion to what they hold.
    const int pad = 14;
    setColumnWidth(0, fm.horizontalAdvance(gridCaption(0)) + pad);
    setColumnWidth(kColRecFreq, fm.horizontalAdvance(QStringLiteral("000.00000")) + pad);
    setColumnWidth(kColRecCG, fm.horizontalAdvance(QStringLiteral("D000-")) + pad);
    setColumnWidth(kColTxFreq, fm.horizontalAdvance(QStringLiteral("000.00000")) + pad);
    setColumnWidth(kColTxCG, fm.horizontalAdvance(QStringLiteral("D000-")) + pad);
    // The label column stretches over what is left: its width here is its least.
    const int labelWidth = fm.horizontalAdvance(QStringLiteral("WWWWWWWW")) + pad;
    setColumnWidth(kColLabel, labelWidth);
    setColumnWidth(kColScan, fm.horizontalAdvance(gridCaption(kColScan)) + pad + row);
    int columns = 0;
    for (int c = 0; c < kGridColumns; ++c) columns += c == kColLabel ? labelWidth : columnWidth(c);
    const int frame = 2 * frameWidth();
    setMinimumWidth(columns + frame);
    setFixedHeight(row * (kChannelsPerGroup + 1) + frame);
}

void ChannelGridView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fitRows();
    QTableView::changeEvent(event);
}

bool ChannelGridView::tabWouldWrap(bool next) const {
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) return true;
    if (next) return cur.row() == model_.rowCount() - 1 && cur.column() == kGridColumns - 1;
    return cur.row() == 0 && cur.column() == 0;
}

bool ChannelGridView::focusNextPrevChild(bool next) {
    // Past the last cell the item view would start again at the first: the focus moves
    // on along the window's tab chain instead.
    // QWidget's on purpose: the item view's own would move to a cell.
    if (tabWouldWrap(next))
        return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
    return QTableView::focusNextPrevChild(next);
}

void ChannelGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool leaves =
        (next || hint == QAbstractItemDelegate::EditPreviousItem) && tabWouldWrap(next);
    QTableView::closeEditor(editor, leaves ? QAbstractItemDelegate::NoHint : hint);
    if (leaves) QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
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

FieldEntry ChannelGridView::copyReceive(int row, int column) {
    return model_.setCellText(row, column, model_.cellText(row, column - 2));
}

void ChannelGridView::copyReceiveKey(int row, int column) {
    if (!isTransmitColumn(column)) return;
    if (const FieldEntry entry = copyReceive(row, column); !entry)
        refuse(QString::fromStdString(entry.reason()));
}

void ChannelGridView::copyReceiveAll(int row, int column) {
    if (!isTransmitColumn(column)) return;
    // One step: Undo brings back every row's transmit value at once. A receive value the
    // transmit field cannot take (bytes from a file) stays behind, named.
    std::string refused;
    const auto copy = [&](int r) {
        const FieldEntry entry = copyReceive(r, column);
        if (!entry && refused.empty())
            refused = tr("Chan %1, %2")
                          .arg(r + 1)
                          .arg(QString::fromStdString(entry.reason()))
                          .toStdString();
    };
    history_.record(tr("Copy Receive to Transmit"), [&] {
        copy(row);
        for (int r = 0; r < model_.rowCount(); ++r) copy(r);
    });
    setCurrentIndex(model_.index(0, 0));
    if (!refused.empty())
        refuse(QString::fromStdString(refused));
    else
        emit copiedToAllRows(column);
}

void ChannelGridView::toggleScan(int row) {
    const QString now = model_.cellText(row, kColScan);
    model_.setCellText(row, kColScan, now == QStringLiteral("Y") ? QString() : QStringLiteral("Y"));
}

void ChannelGridView::commitCellText(const QModelIndex& index, const QString& text) {
    if (!index.isValid()) return;
    // The channel's setter is the field's gate: a cell left as it was stores nothing, an
    // entry the field cannot hold exactly is refused and the cell stays as it was.
    const FieldEntry entry = model_.setCellText(index.row(), index.column(), text);
    if (!entry) refuse(QString::fromStdString(entry.reason()));
}

void ChannelGridView::refuse(const QString& reason) {
    prompts_.beep();
    emit entryRefused(reason);
}

std::vector<int> ChannelGridView::selectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.insert(index.row());
    if (rows.empty() && currentIndex().isValid()) rows.insert(currentIndex().row());
    return {rows.begin(), rows.end()};
}

void ChannelGridView::selectRows(std::span<const int> rows, int column) {
    if (rows.empty() || model_.rowCount() == 0) return;
    setCurrentIndex(model_.index(rows.front(), column));
    QItemSelection selection;
    for (const int row : rows)
        selection.select(model_.index(row, 0), model_.index(row, kGridColumns - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
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
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (tab && (e->modifiers() & Qt::ControlModifier) != 0) {
        if (editor != nullptr) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
        const bool back = key == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier) != 0;
        QWidget::focusNextPrevChild(!back);  // NOLINT(bugprone-parent-virtual-call)
        return true;
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && editor != nullptr && (e->modifiers() & Qt::ControlModifier) != 0) {
        const QString text = editor->text();
        discardEditor(editor);  // the rows take the text together, or none does
        emit setOnSelectedRequested(column, text);
        return true;
    }
    if (!plainKey(e)) return false;
    if (isTransmitColumn(column) && (key == Qt::Key_S || key == Qt::Key_C)) {
        discardEditor(editor);
        if (key == Qt::Key_S) {
            copyReceiveKey(cur.row(), column);
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
    // Only a key that made the text no number complains: a text left as the cell showed it
    // ("none" too) or emptied is no mistake.
    const QString text = editor->text();
    if (text == savedText_ || text.isEmpty() || isNumericText(text.toStdString())) return false;
    refuse(tr("A frequency takes digits and a decimal point only."));
    // Selected, so that the next key replaces the old text instead of adding to it.
    editor->setText(savedText_);
    editor->selectAll();
    return false;
}

}  // namespace zav
