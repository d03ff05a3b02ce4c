#include "ui/frm_port_device.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <stdexcept>

#include "files/settings.h"
#include "link/port_devices.h"

namespace zav {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string hex4(std::uint16_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04x", static_cast<unsigned>(v));
    return buf;
}

}  // namespace

std::vector<SerialPortEntry> systemSerialPorts() {
    std::vector<SerialPortEntry> out;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry e;
        e.device = info.systemLocation().toStdString();
        e.description = info.description().toStdString();
        e.manufacturer = info.manufacturer().toStdString();
        if (info.hasVendorIdentifier()) e.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) e.productId = info.productIdentifier();
        out.push_back(std::move(e));
    }
    return out;
}

std::string usbIdText(const SerialPortEntry& entry) {
    if (!entry.vendorId) return {};
    return hex4(*entry.vendorId) + ":" + (entry.productId ? hex4(*entry.productId) : "");
}

frmPortDevice::frmPortDevice(SettingsStore& settings, int portNumber, QWidget* parent,
                             SerialPortLister lister)
    : QDialog(parent), settings_(settings), port_(portNumber), lister_(std::move(lister)) {
    if (portNumber < kFirstPortNumber || portNumber > kLastPortNumber)
        throw std::out_of_range("port number " + std::to_string(portNumber) + " is not 1 to 4");
    setObjectName(QStringLiteral("frmPortDevice"));
    setWindowTitle(QStringLiteral("Serial Port Device"));
    setModal(true);

    auto* lblPorts = new QLabel(QStringLiteral("Serial ports on this computer:"), this);
    lblPorts->setObjectName(QStringLiteral("lblPorts"));
    lstSerialPorts_ = new QTreeWidget(this);
    lstSerialPorts_->setObjectName(QStringLiteral("lstSerialPorts"));
    lstSerialPorts_->setHeaderLabels({QStringLiteral("Device"), QStringLiteral("Description"),
                                      QStringLiteral("Manufacturer"), QStringLiteral("USB ID")});
    lstSerialPorts_->setRootIsDecorated(false);
    lstSerialPorts_->setUniformRowHeights(true);
    lstSerialPorts_->setAllColumnsShowFocus(true);
    lstSerialPorts_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstSerialPorts_->setMinimumSize(520, 160);
    lblPorts->setBuddy(lstSerialPorts_);
    lblNoPorts_ = new QLabel(QStringLiteral("The system reports no serial ports."), this);
    lblNoPorts_->setObjectName(QStringLiteral("lblNoPorts"));

    auto* cmdRefresh = new QPushButton(QStringLiteral("&Refresh"), this);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setAutoDefault(false);

    const QString fallback = qs(defaultPortDevice(port_));
    auto* lblDevice = new QLabel(QStringLiteral("&Device for Comm Port %1:").arg(port_), this);
    lblDevice->setObjectName(QStringLiteral("lblDevice"));
    txtDevice_ = new QLineEdit(qs(readDevicePath(settings_, port_)), this);
    txtDevice_->setObjectName(QStringLiteral("txtDevice"));
    txtDevice_->setPlaceholderText(fallback + QStringLiteral(" (the system's usual device)"));
    txtDevice_->setClearButtonEnabled(true);
    lblDevice->setBuddy(txtDevice_);
    auto* cmdDefault = new QPushButton(QStringLiteral("Use &Default"), this);
    cmdDefault->setObjectName(QStringLiteral("cmdDefault"));
    cmdDefault->setAutoDefault(false);
    cmdDefault->setToolTip(QStringLiteral("Open %1 for Comm Port %2.").arg(fallback).arg(port_));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

    auto* listHead = new QHBoxLayout;
    listHead->addWidget(lblPorts, 1);
    listHead->addWidget(cmdRefresh);
    auto* deviceRow = new QHBoxLayout;
    deviceRow->addWidget(lblDevice);
    deviceRow->addWidget(txtDevice_, 1);
    deviceRow->addWidget(cmdDefault);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listHead);
    layout->addWidget(lstSerialPorts_, 1);
    layout->addWidget(lblNoPorts_);
    layout->addLayout(deviceRow);
    layout->addWidget(buttons);

    connect(cmdRefresh, &QPushButton::clicked, this, &frmPortDevice::refresh);
    connect(cmdDefault, &QPushButton::clicked, txtDevice_, &QLineEdit::clear);
    connect(lstSerialPorts_, &QTreeWidget::itemSelectionChanged, this, &frmPortDevice::rowChosen);
    connect(lstSerialPorts_, &QTreeWidget::itemDoubleClicked, this, &frmPortDevice::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmPortDevice::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    refresh();
}

void frmPortDevice::refresh() {
    const QString keep = txtDevice_->text().trimmed();
    const QSignalBlocker block(lstSerialPorts_);
    lstSerialPorts_->clear();
    for (const SerialPortEntry& e : lister_()) {
        auto* row = new QTreeWidgetItem(lstSerialPorts_, {qs(e.device), qs(e.description),
                                                          qs(e.manufacturer), qs(usbIdText(e))});
        row->setToolTip(0, qs(e.device));
    }
    lblNoPorts_->setVisible(lstSerialPorts_->topLevelItemCount() == 0);
    selectDevice(keep.isEmpty() ? qs(defaultPortDevice(port_)) : keep);
}

void frmPortDevice::selectDevice(const QString& device) {
    const QSignalBlocker block(lstSerialPorts_);
    lstSerialPorts_->clearSelection();
    for (int i = 0; i < lstSerialPorts_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = lstSerialPorts_->topLevelItem(i);
        if (row->text(0) == device) {
            row->setSelected(true);
            lstSerialPorts_->setCurrentItem(row);
            lstSerialPorts_->scrollToItem(row);
            return;
        }
    }
}

void frmPortDevice::rowChosen() {
    const auto rows = lstSerialPorts_->selectedItems();
    if (!rows.isEmpty()) txtDevice_->setText(rows.front()->text(0));
}

std::string frmPortDevice::chosenDevice() const {
    return txtDevice_->text().trimmed().toStdString();
}

void frmPortDevice::accept() {
    const std::string device = chosenDevice();
    writeText(settings_, settings::Device[static_cast<std::size_t>(port_ - 1)], device);
    emit deviceChosen(port_, qs(device));
    QDialog::accept();
}

}  // namespace zav
