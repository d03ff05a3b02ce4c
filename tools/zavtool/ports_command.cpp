// `zavtool ports`: the serial ports as the Serial Port Device dialog lists them, a block
// per port that starts with its device (the completion takes those lines).

#include <ostream>

#include "commands.h"
#include "qt/port_devices.h"

namespace zav::tool {

int portsCommand(const Options& /*options*/, ToolIo& io) {
    const std::vector<SerialPortEntry> entries =
        io.listPorts ? io.listPorts() : systemSerialPorts();
    if (entries.empty()) io.out << "no serial ports\n";
    const auto last = pluggedInLast(entries);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const SerialPortEntry& e = entries[i];
        const auto field = [&io](std::string_view name, const std::string& value) {
            if (!value.empty()) io.out << "    " << name << ": " << value << "\n";
        };
        io.out << e.device << "\n";
        field("description", e.description);
        field("manufacturer", e.manufacturer);
        field("usb id", usbIdText(e));
        field("serial number", e.serialNumber);
        field("in use", !e.holder           ? std::string("no")
                        : e.holder->process ? "by process " + std::to_string(*e.holder->process)
                                            : std::string("by another program"));
        if (i == last) io.out << "    plugged in most recently\n";
    }
    return io.out.good() ? kExitDone : kExitFailed;
}

}  // namespace zav::tool
