#include "ui/channel_grid_model.h"

#include <QCoreApplication>
#include <optional>
#include <string>

#include "ui/image_history.h"

namespace zav {

QString gridCaption(int column) {
    return QCoreApplication::translate("Channel",
                                       kGridCaptions.at(static_cast<std::size_t>(column)).data());
}

ChannelGridModel::ChannelGridModel(Document& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {}

const Group* ChannelGridModel::shown() const {
    return group() >= 0 ? doc_.group(group()) : nullptr;
}

void ChannelGridModel::showGroup(int g) {
    beginResetModel();
    doc_.setShownGroup(g);
    endResetModel();
}

void ChannelGridModel::refresh() {
    if (rowCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, kGridColumns - 1));
}

int ChannelGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || shown() == nullptr) return 0;
    return kChannelsPerGroup;
}

int ChannelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kGridColumns;
}

QString ChannelGridModel::cellText(int row, int column) const {
    const Group* g = shown();
    if (g == nullptr || row < 0 || row >= kChannelsPerGroup || column < 0 || column >= kGridColumns)
        return {};
    if (column == 0) return QString::number(row + 1);
    return QString::fromStdString(g->display(row)[static_cast<std::size_t>(column)]);
}

FieldEntry ChannelGridModel::setCellText(int row, int column, const QString& text) {
    Group* g = group() >= 0 ? doc_.group(group()) : nullptr;
    if (g == nullptr || row < 0 || row >= kChannelsPerGroup)
        return FieldEntry::refused("no channel is shown in row " + std::to_string(row + 1));
    std::optional<FieldEntry> entry;
    const auto change = [&] { entry = g->channel(row).update(column, text.toStdString()); };
    if (history_ != nullptr && column >= kColRecFreq && column <= kColScan) {
        history_->record(tr("Edit %1").arg(gridCaption(column)), change);
    } else {
        change();
    }
    if (*entry) emit dataChanged(index(row, 0), index(row, kGridColumns - 1));
    return *entry;
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return cellText(index.row(), index.column());
    if (role == Qt::AccessibleTextRole) {  // what a screen reader says of the cell
        const QString value = cellText(index.row(), index.column()).trimmed();
        return tr("%1, row %2, %3")
            .arg(headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString())
            .arg(index.row() + 1)
            .arg(value.isEmpty() ? tr("empty") : value);
    }
    if (role == Qt::TextAlignmentRole) {
        const bool centred = index.column() == 0 || index.column() == kColScan;
        const Qt::Alignment a = Qt::AlignVCenter | (centred ? Qt::AlignHCenter : Qt::AlignLeft);
        return a.toInt();
    }
    return {};
}

QVariant ChannelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kGridColumns)
        return gridCaption(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() != 0) f |= Qt::ItemIsEditable;  // the channel number is fixed
    return f;
}

bool ChannelGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == 0) return false;
    return setCellText(index.row(), index.column(), value.toString()).accepted();
}

}  // namespace zav
