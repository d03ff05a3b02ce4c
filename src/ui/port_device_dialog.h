#pragma once
// "Serial Port Device...": lists the serial ports the system reports (device, description,
// maker, USB vendor and product ids) and names the device the editor opens for the
// current port number ("Comm"/"DeviceN"), so a USB serial cable can be used without
// knowing its device name. An empty device means the system's usual one for the number.

#include <QDialog>
#include <string>

#include "qt/port_devices.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zav {

class SettingsStore;

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
    // The device cell's tip: the device, its serial number and who holds it.
    static QString deviceTip(const SerialPortEntry& entry);
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
