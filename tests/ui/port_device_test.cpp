// The Serial Port Device dialog: the ports it lists and the device it stores for the
// port number, which the link then opens.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "files/settings.h"
#include "link/port_devices.h"
#include "ui/port_device_dialog.h"

namespace zav {
namespace {

TEST(PortDevice, StoresTheChosenTypedOrDefaultDeviceForItsPortNumber) {
    MemorySettingsStore settings;
    std::vector<SerialPortEntry> ports{{"/dev/ttyUSB0", "UART", "Maker", 0x0403, 0x6001},
                                       {"/dev/ttyACM0", "", "", 0x2341, std::nullopt},
                                       {"/dev/ttyS0", "", "", std::nullopt, std::nullopt}};
    const auto open = [&](int port) {
        auto d = std::make_unique<PortDeviceDialog>(settings, port, nullptr, [&] { return ports; });
        auto* list = d->findChild<QTreeWidget*>();
        return std::pair(std::move(d), list);
    };
    auto [dialog, list] = open(3);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(3), "0403:6001");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "2341:");
    EXPECT_EQ(list->topLevelItem(2)->text(3), "");
    list->topLevelItem(1)->setSelected(true);
    ports.pop_back();
    dialog->refresh();  // lists again, the chosen device still selected
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(list->topLevelItem(1)->isSelected());
    dialog->accept();
    EXPECT_EQ(resolvePortDevice("3", &settings), "/dev/ttyACM0");
    EXPECT_FALSE(settings.contains("Comm", "Device1"));

    auto [typed, typedList] = open(3);
    EXPECT_EQ(typedList->selectedItems().value(0)->text(0), "/dev/ttyACM0");  // the stored one
    typed->findChild<QLineEdit*>()->setText(QStringLiteral("  /dev/pts/7 "));
    typed->accept();
    EXPECT_EQ(readDevicePath(settings, 3), "/dev/pts/7");
    auto [reset, resetList] = open(3);
    reset->findChild<QPushButton*>(QStringLiteral("cmdDefault"))->click();
    reset->accept();
    EXPECT_EQ(resolvePortDevice("3", &settings), defaultPortDevice(3));
    auto [cancelled, cancelledList] = open(2);
    cancelledList->topLevelItem(0)->setSelected(true);
    cancelled->reject();
    EXPECT_FALSE(settings.contains("Comm", "Device2"));
    EXPECT_THROW(open(5), std::out_of_range);
}

}  // namespace
}  // namespace zav
