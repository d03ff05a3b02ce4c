#pragma once
// "Serial Port Device...": lists the serial ports the system reports (device, description,
// maker, USB vendor and product ids) and names the device the editor opens for the
// current port number ("Comm"/"DeviceN"), so a USB serial cable can be used without
// knowing its device name. An empty device means the system's usual one for the number.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zav {

class SettingsStore;

struct SerialPortEntry {
    std::string device;  // what to open, e.g. /dev/ttyUSB0 or COM3
    std::string description;
    std::string manufacturer;
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    // When the device node appeared (seconds since the epoch): a cable just plugged in is
    // the newest.
    std::optional<std::int64_t> appearedAt;
};

// The entry that appeared most recently, when the times tell one apart.
std::optional<std::size_t> newestEntry(const std::vector<SerialPortEntry>& entries);

using SerialPortLister = std::function<std::vector<SerialPortEntry>()>;

// The serial ports the system reports now.
std::vector<SerialPortEntry> systemSerialPorts();

// "0403:6001", "0403:" or empty, as far as the ids are known.
std::string usbIdText(const SerialPortEntry& entry);

class PortDeviceDialog final : public QDialog {
    Q_OBJECT
  public:
    // portNumber 1..4 (std::out_of_range otherwise).
    PortDeviceDialog(SettingsStore& settings, int portNumber, QWidget* parent = nullptr,
                     SerialPortLister lister = systemSerialPorts);

    // Lists the ports again, keeping the chosen device selected when it is still there.
    void refresh();
    // The device the dialog would store: the edited text without surrounding blanks.
    [[nodiscard]] std::string chosenDevice() const;
    // OK: stores the device for the port number.
    void accept() override;

  signals:
    void deviceChosen(int portNumber, const QString& device);

  private:
    void rowChosen();
    void selectDevice(const QString& device);

    SettingsStore& settings_;
    int port_;
    SerialPortLister lister_;
    QTreeWidget* serialPortsList_ = nullptr;
    QLabel* noPortsLabel_ = nullptr;
    QLineEdit* deviceEdit_ = nullptr;
};

}  // namespace zav
