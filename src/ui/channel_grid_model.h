#pragma once
// The channel grid's rows: the 14 channels of the document's shown group, asked from the
// group record whenever the view paints. The model holds no channel data of its own (nor
// which group is shown); a changed cell goes straight to the group record's update.

#include <QAbstractTableModel>
#include <array>

#include "model/document.h"
#include "model/field_entry.h"

namespace zav {

class ImageHistory;

inline constexpr int kGridColumns = 7;
inline constexpr const auto& kGridCaptions = kChannelCaptions;
static_assert(kGridCaptions.size() == kGridColumns);

// A column's caption as the grid shows it: translated.
QString gridCaption(int column);

class ChannelGridModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ChannelGridModel(Document& doc, QObject* parent = nullptr);

    // Makes g (-1: none, no rows) the document's shown group and lists its channels.
    void showGroup(int g);
    [[nodiscard]] int group() const { return doc_.shownGroup(); }
    // Repaint every row from the image.
    void refresh();
    // Where cell changes become undo steps (none: not recorded).
    void setHistory(ImageHistory* history) { history_ = history; }

    [[nodiscard]] QString cellText(int row, int column) const;
    // Stores a cell's text through its channel's setter, the field's gate: what the cell
    // then shows, or why it stays as it was. An unchanged text stores nothing.
    FieldEntry setCellText(int row, int column, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  private:
    [[nodiscard]] const Group* shown() const;

    Document& doc_;
    ImageHistory* history_ = nullptr;
};

}  // namespace zav
