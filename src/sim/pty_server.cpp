#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <span>
#include <system_error>

namespace zav::sim {

namespace {

[[noreturn]] void fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

int speedToBaud(speed_t s) {
    switch (s) {
        case B1200:
            return 1200;
        case B2400:
            return 2400;
        case B4800:
            return 4800;
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

}  // namespace

PtyServer::PtyServer(SimRadio& radio, bool pace) : radio_(radio) {
    radio_.config().lineTiming = pace;
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) fail("posix_openpt");
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ::close(master_);
        fail("grantpt/unlockpt");
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        ::close(master_);
        fail("ptsname");
    }
    path_ = name;
    // Holding the slave open keeps the pty alive between the host's connections (a
    // master with no slave open reads as hung up).
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        ::close(master_);
        fail("open pty slave");
    }
    termios t{};
    if (::tcgetattr(slave_, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetspeed(&t, B4800);
#ifdef EXTPROC
        // With this flag kept on the terminal, every change the host makes to it is
        // reported to the master in packet mode (below).
        t.c_lflag |= EXTPROC;
#endif
        ::tcsetattr(slave_, TCSANOW, &t);
    }
#if defined(TIOCPKT) && defined(EXTPROC)
    int on = 1;
    packetMode_ = ::ioctl(master_, TIOCPKT, &on) == 0;
#endif
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    speed_ = hostBaud();
}

PtyServer::~PtyServer() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

int PtyServer::hostBaud() const {
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) return 0;
    return speedToBaud(::cfgetospeed(&t));
}

void PtyServer::takeHostBytes(SimTime now) {
    std::array<Byte, 257> buffer{};
    bool changed = false;
    for (;;) {
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n <= 0) break;
        std::span<const Byte> bytes(buffer.data(), static_cast<std::size_t>(n));
        if (packetMode_) {
#if defined(TIOCPKT) && defined(EXTPROC)
            // A status packet: the host changed its terminal (speed, flush). It is read
            // ahead of bytes the host wrote before the change, so the bytes still
            // waiting now keep the speed they were sent at; the new speed applies to
            // what comes after them.
            if (bytes[0] != TIOCPKT_DATA) {
                changed = true;
                continue;
            }
#endif
            bytes = bytes.subspan(1);
        } else {
            speed_ = hostBaud();
        }
        for (const Byte b : bytes) radio_.hostSends(now, b, speed_);
    }
    if (changed) speed_ = hostBaud();
}

void PtyServer::deliver(SimTime now) {
    for (const auto& d : radio_.runUntil(now, hostBaud())) {
        // A host that does not read lets the pty fill up; its bytes are then lost, as
        // on a real line.
        (void)::write(master_, &d.value, 1);
    }
}

void PtyServer::serve(int stopFd) {
    using Clock = std::chrono::steady_clock;
    const auto origin = Clock::now();
    const auto elapsed = [&] { return std::chrono::duration_cast<SimTime>(Clock::now() - origin); };
    constexpr SimTime kIdlePoll = std::chrono::milliseconds(200);
    for (;;) {
        deliver(elapsed());
        SimTime wait = kIdlePoll;
        if (const auto next = radio_.nextEventTime())
            wait = std::clamp(*next - elapsed(), SimTime::zero(), kIdlePoll);
        std::array<pollfd, 2> fds{pollfd{master_, POLLIN, 0}, pollfd{stopFd, POLLIN, 0}};
        const auto secs = std::chrono::duration_cast<std::chrono::seconds>(wait);
        const timespec timeout{static_cast<time_t>(secs.count()),
                               static_cast<long>((wait - secs).count())};
        const int ready = ::ppoll(fds.data(), fds.size(), &timeout, nullptr);
        if (ready < 0 && errno != EINTR) fail("ppoll");
        if (ready > 0 && (fds[1].revents & POLLIN) != 0) return;
        if (ready > 0 && (fds[0].revents & POLLIN) != 0) takeHostBytes(elapsed());
    }
}

}  // namespace zav::sim
