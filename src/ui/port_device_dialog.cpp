#include "ui/port_device_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "files/settings.h"
#include "link/port_devices.h"

namespace zav {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

QString PortDeviceDialog::deviceTip(const SerialPortEntry& entry) {
    QString tip = qs(entry.device);
    if (!entry.serialNumber.empty())
        tip += QLatin1Char('\n') + tr("Serial number: %1").arg(qs(entry.serialNumber));
    if (entry.holder)
        tip += QLatin1Char('\n') + (entry.holder->process
                                        ? tr("In use by process %1").arg(*entry.holder->process)
                                        : tr("In use by another program"));
    return tip;
}

PortDeviceDialog::PortDeviceDialog(SettingsStore& settings, int portNumber, QWidget* parent,
                                   SerialPortLister lister)
    : QDialog(parent), settings_(settings), port_(portNumber), lister_(std::move(lister)) {
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber)
        throw std::out_of_range("port number " + std::to_string(portNumber) + " is not 1 to 4");
    setObjectName(QStringLiteral("frmPortDevice"));
    setWindowTitle(tr("Serial Port Device"));
    setModal(true);

    auto* portsLabel = new QLabel(tr("Serial ports on this computer:"), this);
    portsLabel->setObjectName(QStringLiteral("lblPorts"));
    serialPortsList_ = new QTreeWidget(this);
    serialPortsList_->setObjectName(QStringLiteral("lstSerialPorts"));
    serialPortsList_->setHeaderLabels(
        {tr("Device"), tr("Description"), tr("Manufacturer"), tr("USB ID")});
    serialPortsList_->setRootIsDecorated(false);
    serialPortsList_->setUniformRowHeights(true);
    serialPortsList_->setAllColumnsShowFocus(true);
    serialPortsList_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    serialPortsList_->setMinimumSize(520, 160);
    portsLabel->setBuddy(serialPortsList_);
    noPortsLabel_ = new QLabel(tr("The system reports no serial ports."), this);
    noPortsLabel_->setObjectName(QStringLiteral("lblNoPorts"));

    auto* refreshButton = new QPushButton(tr("&Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("cmdRefresh"));
    refreshButton->setAutoDefault(false);

    const QString fallback = qs(defaultPortDevice(port_));
    auto* deviceLabel = new QLabel(tr("&Device for Comm Port %1:").arg(port_), this);
    deviceLabel->setObjectName(QStringLiteral("lblDevice"));
    deviceEdit_ = new QLineEdit(qs(readDevicePath(settings_, port_)), this);
    deviceEdit_->setObjectName(QStringLiteral("txtDevice"));
    deviceEdit_->setPlaceholderText(fallback + tr(" (the system's usual device)"));
    deviceEdit_->setClearButtonEnabled(true);
    deviceLabel->setBuddy(deviceEdit_);
    auto* defaultButton = new QPushButton(tr("Use &Default"), this);
    defaultButton->setObjectName(QStringLiteral("cmdDefault"));
    defaultButton->setAutoDefault(false);
    defaultButton->setToolTip(tr("Open %1 for Comm Port %2.").arg(fallback).arg(port_));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

    auto* listHead = new QHBoxLayout;
    listHead->addWidget(portsLabel, 1);
    listHead->addWidget(refreshButton);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(deviceLabel);
    deviceRow->addWidget(deviceEdit_, 1);
    deviceRow->addWidget(defaultButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listHead);
    layout->addWidget(serialPortsList_, 1);
    layout->addWidget(noPortsLabel_);
    layout->addLayout(deviceRow);
    layout->addWidget(buttons);

    connect(refreshButton, &QPushButton::clicked, this, &PortDeviceDialog::refresh);
    connect(defaultButton, &QPushButton::clicked, deviceEdit_, &QLineEdit::clear);
    connect(serialPortsList_, &QTreeWidget::itemSelectionChanged, this,
            &PortDeviceDialog::rowChosen);
    connect(serialPortsList_, &QTreeWidget::itemDoubleClicked, this, &PortDeviceDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &PortDeviceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    refresh();
}

void PortDeviceDialog::refresh() {
    const QString keep = deviceEdit_->text().trimmed();
    const QSignalBlocker block(serialPortsList_);
    serialPortsList_->clear();
    const std::vector<SerialPortEntry> entries = lister_();
    const auto newest = pluggedInLast(entries);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SerialPortEntry& e = entries[i];
        QString description = qs(e.description);
        if (i == newest) description += tr(" (plugged in most recently)");
        auto* row = new QTreeWidgetItem(
            serialPortsList_, {qs(e.device), description, qs(e.manufacturer), qs(usbIdText(e))});
        row->setToolTip(0, deviceTip(e));
    }
    noPortsLabel_->setVisible(serialPortsList_->topLevelItemCount() == 0);
    selectDevice(keep.isEmpty() ? qs(defaultPortDevice(port_)) : keep);
}

void PortDeviceDialog::selectDevice(const QString& device) {
    const QSignalBlocker block(serialPortsList_);
    serialPortsList_->clearSelection();
    for (int i = 0; i < serialPortsList_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = serialPortsList_->topLevelItem(i);
        if (row->text(0) == device) {
            row->setSelected(true);
            serialPortsList_->setCurrentItem(row);
            serialPortsList_->scrollToItem(row);
            return;
        }
    }
}

void PortDeviceDialog::rowChosen() {
    const auto rows = serialPortsList_->selectedItems();
    if (!rows.isEmpty()) deviceEdit_->setText(rows.front()->text(0));
}

std::string PortDeviceDialog::chosenDevice() const {
    return deviceEdit_->text().trimmed().toStdString();
}

void PortDeviceDialog::accept() {
    const std::string device = chosenDevice();
    writeText(settings_, settings::kDevice[static_cast<std::size_t>(port_ - 1)], device);
    emit deviceChosen(port_, qs(device));
    QDialog::accept();
}

}  // namespace zav
