#pragma once
// Cell editing of the channel grid: a line editor whose keys the grid sees before and
// after they take effect, and the button of the Scan cells.

#include <QPointer>
#include <QStyledItemDelegate>

class QLineEdit;

namespace zav {

class ChannelGridView;

class ChannelCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit ChannelCellDelegate(ChannelGridView& view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The editor that is open, if any.
    [[nodiscard]] QLineEdit* openEditor() const;

    // Where a Scan cell draws its button.
    static QRect buttonRect(const QRect& cell);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    ChannelGridView& view_;
    mutable QPointer<QLineEdit> editor_;
};

}  // namespace zav
