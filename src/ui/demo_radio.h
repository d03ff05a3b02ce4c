#pragma once
// Demo mode: a simulated radio served on a pseudo-terminal by a thread of its own, so
// that the editor's every radio command can be tried without a radio. The radio is
// confined to the serving thread once it runs; the editor only opens its device like a
// serial port.

#include <QtGlobal>
#include <memory>
#include <string>
#include <thread>

#include "sim/demo_contents.h"
#include "sim/sim_radio.h"

namespace zav {

namespace sim {
class PtyServer;
}

// The caption suffix of a run against the simulated radio.
inline constexpr const char* kSimulatedCaption =
    QT_TRANSLATE_NOOP("zav::MainWindow", " [simulated radio]");

class DemoRadio {
  public:
    // Opens the pseudo-terminal and starts serving; throws std::system_error when the
    // system has no pseudo-terminal to give.
    DemoRadio();
    // Stops the serving thread (the editor's port should be closed by then).
    ~DemoRadio();
    DemoRadio(const DemoRadio&) = delete;
    DemoRadio& operator=(const DemoRadio&) = delete;

    // The device to open (/dev/pts/N).
    [[nodiscard]] const std::string& devicePath() const { return path_; }

  private:
    sim::SimRadio radio_;
    std::unique_ptr<sim::PtyServer> server_;
    std::string path_;
    int stopFd_ = -1;
    std::thread thread_;
};

}  // namespace zav
