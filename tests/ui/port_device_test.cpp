// The Serial Port Device dialog stores the chosen, typed or default device for its port
// number, which the link then opens.

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
    const std::vector<SerialPortEntry> ports{{"/dev/ttyUSB0", "UART", "Maker", 0x0403, 0x6001, std::nullopt},
                                             {"/dev/ttyACM0", "", "", 0x2341, std::nullopt, std::nullopt}};
    PortDeviceDialog dialog(settings, 3, nullptr, [&] { return ports; });
    auto* list = dialog.findChild<QTreeWidget*>();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    list->topLevelItem(1)->setSelected(true);
    dialog.accept();
    EXPECT_EQ(resolvePortDevice("3", &settings), "/dev/ttyACM0");
    EXPECT_FALSE(settings.contains("Comm", "Device1"));
    dialog.findChild<QLineEdit*>()->setText(QStringLiteral("  /dev/pts/7 "));
    dialog.accept();
    PortDeviceDialog reopened(settings, 3, nullptr, [&] { return ports; });
    EXPECT_EQ(reopened.findChild<QLineEdit*>()->text(), "/dev/pts/7");
    reopened.findChild<QPushButton*>(QStringLiteral("cmdDefault"))->click();
    reopened.accept();
    EXPECT_EQ(resolvePortDevice("3", &settings), defaultPortDevice(3));
}

}  // namespace
}  // namespace zav
