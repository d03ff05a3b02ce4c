// The Serial Port Device dialog: the listed ports, refresh, and the device it stores for
// the current port number.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <stdexcept>
#include <vector>

#include "files/settings.h"
#include "iface/settings_store.h"
#include "link/port_devices.h"
#include "ui/port_device_dialog.h"

namespace zav {
namespace {

struct PortDialog {
    explicit PortDialog(int port = 3)
        : dialog(settings, port, nullptr, [this] {
              ++listings;
              return ports;
          }) {}
    template <class W>
    W* child(const char* name) {
        W* w = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTreeWidget* list() { return child<QTreeWidget>("lstSerialPorts"); }
    QLineEdit* device() { return child<QLineEdit>("txtDevice"); }

    MemorySettingsStore settings;
    std::vector<SerialPortEntry> ports{
        {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", 0x0403, 0x6001},
        {"/dev/ttyS0", "", "", std::nullopt, std::nullopt},
    };
    int listings = 0;
    PortDeviceDialog dialog;
};

TEST(PortDevice, ListsWhatTheSystemReports) {
    PortDialog d;
    EXPECT_EQ(d.dialog.windowTitle(), "Serial Port Device");
    EXPECT_EQ(d.listings, 1);
    QTreeWidget* list = d.list();
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->headerItem()->text(0), "Device");
    EXPECT_EQ(list->headerItem()->text(1), "Description");
    EXPECT_EQ(list->headerItem()->text(2), "Manufacturer");
    EXPECT_EQ(list->headerItem()->text(3), "USB ID");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    const QTreeWidgetItem* usb = list->topLevelItem(0);
    EXPECT_EQ(usb->text(0), "/dev/ttyUSB0");
    EXPECT_EQ(usb->text(1), "FT232R USB UART");
    EXPECT_EQ(usb->text(2), "FTDI");
    EXPECT_EQ(usb->text(3), "0403:6001");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "");
    EXPECT_TRUE(d.child<QLabel>("lblNoPorts")->isHidden());
    EXPECT_EQ(d.child<QLabel>("lblDevice")->text(), "&Device for Comm Port 3:");
    // Nothing stored: the box is empty and names the system's usual device.
    EXPECT_EQ(d.device()->text(), "");
    EXPECT_TRUE(
        d.device()->placeholderText().startsWith(QString::fromStdString(defaultPortDevice(3))));
}

TEST(PortDevice, ChoosingARowAndOkStoresItForThePortNumber) {
    PortDialog d;
    d.list()->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(d.device()->text(), "/dev/ttyUSB0");
    int chosenPort = 0;
    QString chosen;
    QObject::connect(&d.dialog, &PortDeviceDialog::deviceChosen, [&](int p, const QString& dev) {
        chosenPort = p;
        chosen = dev;
    });
    d.child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(readDevicePath(d.settings, 3), "/dev/ttyUSB0");
    EXPECT_EQ(resolvePortDevice("3", &d.settings), "/dev/ttyUSB0");
    EXPECT_FALSE(d.settings.contains("Comm", "Device1"));
    EXPECT_EQ(chosenPort, 3);
    EXPECT_EQ(chosen, "/dev/ttyUSB0");
    EXPECT_EQ(d.dialog.result(), QDialog::Accepted);
}

TEST(PortDevice, ATypedDeviceAndTheDefault) {
    PortDialog d(2);
    d.device()->setText(QStringLiteral("  /dev/pts/7 "));
    d.dialog.accept();
    EXPECT_EQ(readDevicePath(d.settings, 2), "/dev/pts/7");

    d.settings.write("Comm", "Device2", "/dev/ttyUSB0");
    // A stored device shows in the box and selects its row.
    PortDeviceDialog reopened(d.settings, 2, nullptr, [&] { return d.ports; });
    auto* box = reopened.findChild<QLineEdit*>(QStringLiteral("txtDevice"));
    auto* list = reopened.findChild<QTreeWidget*>(QStringLiteral("lstSerialPorts"));
    EXPECT_EQ(box->text(), "/dev/ttyUSB0");
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().front()->text(0), "/dev/ttyUSB0");
    // Use Default empties it: the port number's usual device again.
    reopened.findChild<QPushButton*>(QStringLiteral("cmdDefault"))->click();
    reopened.accept();
    EXPECT_EQ(readDevicePath(d.settings, 2), "");
    EXPECT_EQ(resolvePortDevice("2", &d.settings), defaultPortDevice(2));
}

TEST(PortDevice, RefreshListsAgainAndCancelStoresNothing) {
    PortDialog d;
    d.ports.clear();
    d.child<QPushButton>("cmdRefresh")->click();
    EXPECT_EQ(d.listings, 2);
    EXPECT_EQ(d.list()->topLevelItemCount(), 0);
    EXPECT_FALSE(d.child<QLabel>("lblNoPorts")->isHidden());
    d.ports.push_back({"/dev/ttyACM0", "USB modem", "Maker", 0x2341, std::nullopt});
    d.device()->setText(QStringLiteral("/dev/ttyACM0"));
    d.dialog.refresh();
    ASSERT_EQ(d.list()->topLevelItemCount(), 1);
    EXPECT_EQ(d.list()->topLevelItem(0)->text(3), "2341:");
    EXPECT_TRUE(d.list()->topLevelItem(0)->isSelected());
    d.child<QPushButton>("cmdCancel")->click();
    EXPECT_FALSE(d.settings.contains("Comm", "Device3"));
}

TEST(PortDevice, OnlyPortNumbersOneToFour) {
    MemorySettingsStore s;
    for (int bad : {0, 5, -1})
        EXPECT_THROW(PortDeviceDialog(s, bad, nullptr, [] { return std::vector<SerialPortEntry>{}; }),
                     std::out_of_range);
}

TEST(PortDevice, TheSystemListingNamesDevices) {
    for (const SerialPortEntry& e : systemSerialPorts()) EXPECT_FALSE(e.device.empty());
}

TEST(PortDevice, Renders) {
    PortDialog d;
    d.dialog.show();
    const QString dir = QStringLiteral(ZAV_BINARY_DIR "/renders");
    QDir().mkpath(dir);
    EXPECT_TRUE(d.dialog.grab().save(dir + QStringLiteral("/frmPortDevice.png")));
}

}  // namespace
}  // namespace zav
