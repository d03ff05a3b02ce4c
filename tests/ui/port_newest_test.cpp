// The Serial Port Device dialog points at the cable just plugged in.

#include <gtest/gtest.h>

#include <QTreeWidget>

#include "files/settings.h"
#include "ui/port_device_dialog.h"

namespace zav {
namespace {

SerialPortEntry port(const char* device, std::optional<std::int64_t> appearedAt) {
    SerialPortEntry e;
    e.device = device;
    e.description = "UART";
    e.appearedAt = appearedAt;
    return e;
}

TEST(PortDevice, MarksTheDeviceThatAppearedMostRecently) {
    const std::vector<SerialPortEntry> ports{port("/dev/ttyS0", 100), port("/dev/ttyUSB0", 900),
                                             port("/dev/ttyUSB1", std::nullopt)};
    EXPECT_EQ(newestEntry(ports), 1u);
    EXPECT_EQ(newestEntry({port("a", 5), port("b", 5)}), std::nullopt);  // no telling
    EXPECT_EQ(newestEntry({port("a", std::nullopt)}), std::nullopt);

    MemorySettingsStore settings;
    PortDeviceDialog dialog(settings, 1, nullptr, [&] { return ports; });
    const auto* list = dialog.findChild<QTreeWidget*>();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list->topLevelItem(i)->text(1).contains(QStringLiteral("most recently")), i == 1);
}

}  // namespace
}  // namespace zav
