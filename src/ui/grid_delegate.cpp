#include "ui/grid_delegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include "model/channel.h"
#include "ui/channel_grid_view.h"

namespace zav {

ChannelCellDelegate::ChannelCellDelegate(ChannelGridView& view)
    : QStyledItemDelegate(&view), view_(view) {}

QWidget* ChannelCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFrame(false);
    (void)option;
    (void)index;
    editor_ = editor;
    return editor;
}

void ChannelCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    (void)model;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) view_.commitCellText(index, line->text());
}

QLineEdit* ChannelCellDelegate::openEditor() const {
    return editor_.data();
}

QRect ChannelCellDelegate::buttonRect(const QRect& cell) {
    const int side = cell.height() - 2;
    return {cell.right() - side, cell.top() + 1, side, side};
}

void ChannelCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    if (index.column() != kColScan) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The flag is centred in the room left of the cell's button.
    const QRect buttonArea = buttonRect(option.rect);
    painter->fillRect(option.rect, option.palette.base());
    QStyleOptionViewItem text = option;
    text.rect.setRight(buttonArea.left() - 1);
    QStyledItemDelegate::paint(painter, text, index);
    QStyleOptionButton button;
    button.rect = buttonArea;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.text = QStringLiteral("\u2026");
    QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
}

bool ChannelCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                      const QStyleOptionViewItem& option,
                                      const QModelIndex& index) {
    if (index.column() == kColScan && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            buttonRect(option.rect).contains(mouse->position().toPoint())) {
            view_.toggleScan(index.row());
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool ChannelCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* line = qobject_cast<QLineEdit*>(object);
    if (line != nullptr &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool handled = event->type() == QEvent::KeyPress ? view_.editorKeyPress(line, key)
                                                               : view_.editorKeyRelease(line, key);
        if (handled) return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace zav
