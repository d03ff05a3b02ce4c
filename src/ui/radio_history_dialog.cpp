#include "ui/radio_history_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "files/radio_history.h"
#include "qt/local_path.h"

namespace zav {

namespace {

// The path, as the bytes the file system knows it by, rides in the row's data.
constexpr int kPathRole = Qt::UserRole;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

RadioHistoryDialog::RadioHistoryDialog(const RadioHistory& history, QWidget* parent)
    : QDialog(parent),
      folder_(new QLabel(this)),
      list_(new QTreeWidget(this)),
      open_(new QPushButton(tr("&Open"), this)) {
    setObjectName(QStringLiteral("frmRadioHistory"));
    setWindowTitle(tr("Radio History"));
    list_->setObjectName(QStringLiteral("historyList"));
    list_->setHeaderLabels({tr("Time"), tr("Port"), tr("Unit"), tr("Operation"), tr("File")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    std::error_code ec;
    const std::vector<HistoryEntry> entries = history.entries(ec);
    const QString where = shownPath(history.folder());
    folder_->setText(ec ? tr("The folder %1 cannot be read: %2").arg(where, text(ec.message()))
                     : entries.empty()
                         ? tr("No radio has been read or written yet (%1).").arg(where)
                         : tr("Kept in %1, newest first:").arg(where));
    folder_->setWordWrap(true);
    for (const HistoryEntry& e : entries) {
        auto* row = new QTreeWidgetItem(list_);
        const std::string name = e.path.substr(e.path.find_last_of('/') + 1);
        const QStringList cells{text(e.time), text(e.port), text(e.unit),
                                text(historyReasonText(e.reason)), shownPath(name)};
        for (int c = 0; c < cells.size(); ++c) row->setText(c, cells[c]);
        row->setToolTip(4, shownPath(e.path));
        row->setData(0, kPathRole, QByteArray::fromStdString(e.path));
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    open_->setObjectName(QStringLiteral("cmdOpen"));
    open_->setDefault(true);
    open_->setEnabled(list_->currentItem() != nullptr);
    buttons->addButton(open_, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::currentItemChanged, this,
            [this] { open_->setEnabled(list_->currentItem() != nullptr); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folder_);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    // Wide enough for every column of the rows it holds, so nothing is cut at first sight.
    int width = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < list_->columnCount(); ++c) {
        list_->resizeColumnToContents(c);
        width += std::max(list_->columnWidth(c), list_->header()->sectionSizeHint(c));
    }
    list_->setMinimumWidth(width);
}

std::optional<std::string> RadioHistoryDialog::chosen() const {
    if (result() != QDialog::Accepted || list_->currentItem() == nullptr) return std::nullopt;
    return list_->currentItem()->data(0, kPathRole).toByteArray().toStdString();
}

}  // namespace zav
