#include "ui/demo_radio.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "sim/pty_server.h"
#include "sim/synthesizer.h"

namespace zav {

DemoRadio::DemoRadio() {
    sim::loadDemoRadio(radio_);
    sim::installSynthesizer(radio_);

    server_ = std::make_unique<sim::PtyServer>(radio_, false);
    path_ = server_->devicePath();
    stopFd_ = ::eventfd(0, EFD_CLOEXEC);
    if (stopFd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
    // From here on only the serving thread touches the radio.
    thread_ = std::thread([this] {
        try {
            server_->serve(stopFd_);
        } catch (const std::exception&) {
            // The pseudo-terminal failed; the editor then finds no radio on the line.
        }
    });
}

DemoRadio::~DemoRadio() {
    const std::uint64_t one = 1;
    if (stopFd_ >= 0) (void)::write(stopFd_, &one, sizeof one);
    if (thread_.joinable()) thread_.join();
    if (stopFd_ >= 0) ::close(stopFd_);
}

}  // namespace zav
