#include "qt/qt_serial_port.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#ifdef __linux__
#include <grp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#endif

namespace zav {

namespace {

QSerialPort::Parity toQt(Parity p) {
    switch (p) {
        case Parity::None:
            return QSerialPort::NoParity;
        case Parity::Odd:
            return QSerialPort::OddParity;
        case Parity::Even:
            return QSerialPort::EvenParity;
    }
    return QSerialPort::NoParity;
}

// The event loop counts its timeouts in whole milliseconds, rounded up: a timer may wake
// the loop up to this much after its time. A wait's timer ends this much before the
// deadline, and the rest of the wait is slept to the deadline itself.
constexpr LinkTime kTimerEarly = std::chrono::milliseconds(1);

}  // namespace

std::string permissionHint(const std::string& device) {
#ifdef __linux__
    // The group to join is the device's own (dialout on Debian, uucp on others), when
    // that group may read and write it; otherwise no group helps.
    struct stat node {};
    const bool groupOpens = ::stat(device.c_str(), &node) == 0 &&
                            (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    std::array<char, 1024> buffer{};
    group entry{};
    group* found = nullptr;
    if (groupOpens &&
        ::getgrgid_r(node.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr)
        return "Your user may not open serial ports. Add it to the serial-port group with "
               "\"sudo usermod -a -G " +
               std::string(found->gr_name) + " $USER\", then log out and in again.";
    return "Your user may not open " + device +
           ", and its group may not either: ask the "
           "administrator for access to it.";
#else
    (void)device;
    return {};
#endif
}

std::string openFailureReason(const std::string& device, QSerialPort::SerialPortError error,
                              const std::string& errorText) {
    std::string reason = errorText.empty() ? "The device could not be opened." : errorText;
#ifdef __linux__
    // A lock held by another program is also reported as a permission error; only a
    // device the user may not open needs the group hint.
    if (error == QSerialPort::PermissionError && ::access(device.c_str(), R_OK | W_OK) != 0)
        reason += "\n" + permissionHint(device);
#else
    (void)device;
    (void)error;
#endif
    return reason;
}

std::optional<EmptyLock> clearEmptyLock(const std::string& device,
                                        std::span<const std::string_view> folders) {
    namespace fs = std::filesystem;
    const std::string name = portLockName(device);
    for (const std::string_view folder : folders) {
        const fs::path lock = fs::path(folder) / name;
        std::error_code ec;
        if (!fs::is_regular_file(lock, ec) || fs::file_size(lock, ec) != 0 || ec) continue;
        const auto written = fs::last_write_time(lock, ec);
        const bool stale =
            !ec && fs::file_time_type::clock::now() - written > std::chrono::minutes(1);
        return EmptyLock{lock.string(), stale && fs::remove(lock, ec)};
    }
    return std::nullopt;
}

QtSerialPort::QtSerialPort() {
#ifdef __linux__
    // The system lets a sleep or a poll of this thread (the one that waits on the port)
    // end up to 50 us late by default, which a label write's four pauses per byte would
    // add up; a nanosecond is asked for instead.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    waitTimer_.setTimerType(Qt::PreciseTimer);
    waitTimer_.setSingleShot(true);
    QObject::connect(&waitTimer_, &QTimer::timeout, [this] { woken_ = true; });
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { woken_ = woken_ || wakeOnInput_; });
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        woken_ = true;  // a wait in progress looks at the port again
        // A device that goes away while open cannot be used again; what is waiting fails.
        if (port_.isOpen() && deviceGone(e)) {
            lastError_ = port_.errorString().toStdString();
            lost_ = true;
            port_.close();
        }
    });
}

QtSerialPort::~QtSerialPort() {
    close();
}

bool QtSerialPort::deviceGone(QSerialPort::SerialPortError error) const {
    if (error == QSerialPort::ResourceError) return true;  // EIO and the like
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return false;
#ifdef __linux__
    // Qt reports some of the ways a device goes (ENODEV, ENXIO) as read or write errors:
    // ask the device itself, and whether its file is still there.
    termios t{};
    if (::tcgetattr(static_cast<int>(port_.handle()), &t) != 0 &&
        (errno == EIO || errno == ENXIO || errno == ENODEV))
        return true;
    return ::access(device_.c_str(), F_OK) != 0 && errno == ENOENT;
#else
    return false;
#endif
}

bool QtSerialPort::applySettings(const LineSettings& s) {
    return port_.setBaudRate(s.baud) &&
           port_.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) &&
           port_.setParity(toQt(s.parity)) &&
           port_.setStopBits(s.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
           port_.setFlowControl(QSerialPort::NoFlowControl);
}

std::optional<std::string> QtSerialPort::open(const std::string& device,
                                              const LineSettings& settings) {
    lastError_.clear();
    lost_ = false;
    pending_.clear();
    device_ = device;
    port_.setPortName(QString::fromStdString(device));
    applySettings(settings);
    bool opened = port_.open(QIODevice::ReadWrite);
    std::optional<EmptyLock> lock;
    if (!opened && port_.error() == QSerialPort::PermissionError) lock = clearEmptyLock(device);
    if (lock && lock->removed) {
        port_.clearError();
        opened = port_.open(QIODevice::ReadWrite);
    }
    if (!opened) {
        const auto error = port_.error();
        std::string text = port_.errorString().toStdString();
        port_.clearError();
        std::string reason = openFailureReason(device, error, text);
        if (lock && !lock->removed)
            reason += "\nThe port's lock file " + lock->path +
                      " is empty: a program was stopped while it took the port. Remove that "
                      "file, or try again in a minute.";
        return reason;
    }
    if (!applySettings(settings)) {
        std::string text = port_.errorString().toStdString();
        port_.close();
        return "The line settings were refused: " + text;
    }
    port_.clear(QSerialPort::AllDirections);
    return std::nullopt;
}

void QtSerialPort::drainOutput() {
    sendQueued();
    if (port_.bytesToWrite() > 0) port_.waitForBytesWritten(200);
#ifdef __linux__
    // New settings apply at once, also to bytes still in the driver's queue; those must
    // leave at the speed they were written at.
    ::tcdrain(static_cast<int>(port_.handle()));
#endif
}

void QtSerialPort::close() {
    if (!port_.isOpen()) return;
    // The release byte must leave before the device is closed, which also puts back the
    // settings the device had before it was opened.
    drainOutput();
    port_.close();
}

void QtSerialPort::setSettings(const LineSettings& settings) {
    if (port_.isOpen()) drainOutput();
    applySettings(settings);
}

bool QtSerialPort::writeByte(Byte value) {
    if (!port_.isOpen()) return false;
    // Bytes written one after another leave together at the next wait, settings change,
    // close or question: the link waits after every frame, so they leave when they did one
    // by one, for a quarter of the system calls.
    pending_.push_back(static_cast<char>(value));
    return true;
}

void QtSerialPort::sendQueued() {
    if (pending_.empty()) return;
    std::string_view rest = pending_;
#ifdef __linux__
    // Straight to the device while nothing waits in the port's buffer: the buffer's write
    // notifier would wake the event loop twice for every write, which for a fleet of radios
    // costs more than the transfers themselves. What the device does not take at once goes
    // the buffered way, which also reports the device's errors.
    while (!rest.empty() && port_.isOpen() && port_.bytesToWrite() == 0) {
        const ssize_t written = ::write(static_cast<int>(port_.handle()), rest.data(), rest.size());
        if (written > 0)
            rest.remove_prefix(static_cast<std::size_t>(written));
        else if (written == 0 || errno != EINTR)
            break;
    }
#endif
    if (!rest.empty() && port_.isOpen()) {
        port_.write(rest.data(), static_cast<qint64>(rest.size()));
        port_.flush();
    }
    pending_.clear();
}

int QtSerialPort::bytesWaiting() {
    return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

std::optional<Byte> QtSerialPort::readByte() {
    char c = 0;
    if (!port_.isOpen() || !port_.getChar(&c)) return std::nullopt;
    return static_cast<Byte>(c);
}

void QtSerialPort::discardInput() {
    // Clears the system's input queue and the port's own buffer.
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

LinkTime QtSerialPort::now() const {
    return std::chrono::steady_clock::now() - origin_;
}

void QtSerialPort::sleepUntil(LinkTime deadline) const {
#ifdef __linux__
    // An absolute deadline on the clock steady_clock reads: the time spent before the
    // sleep starts is not added to it.
    const auto at = (origin_ + deadline).time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(at);
    timespec ts{};
    ts.tv_sec = static_cast<std::time_t>(seconds.count());
    ts.tv_nsec = static_cast<long>(std::chrono::nanoseconds(at - seconds).count());
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
#else
    std::this_thread::sleep_for(deadline - now());
#endif
}

void QtSerialPort::waitUntil(LinkTime deadline, bool wakeOnInput) {
    sendQueued();
    const LinkTime remaining = deadline - now();
    if ((wakeOnInput && bytesWaiting() > 0) || remaining <= LinkTime::zero()) {
        QCoreApplication::processEvents();
        return;
    }
    // The timer ends early enough that its lateness cannot carry the wait past the
    // deadline; the last part of the wait is slept, so that a pause ends on time
    // without spinning.
    const auto ms = std::chrono::floor<std::chrono::milliseconds>(remaining - kTimerEarly);
    if (ms.count() <= 0) {
        sleepUntil(deadline);
        // The events were handled in the pass before; a byte may have come meanwhile.
        if (wakeOnInput) QCoreApplication::processEvents();
        return;
    }
    wakeOnInput_ = wakeOnInput;
    woken_ = false;
    waitTimer_.start(ms);
    // Each pass blocks until an event came; handling the event that wakes the wait
    // needs no second wake-up of the event loop, as quitting a nested loop would.
    while (!woken_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waitTimer_.stop();
    wakeOnInput_ = false;
}

void QtSerialPort::sleepBlocking(std::chrono::milliseconds duration) {
    sendQueued();
    std::this_thread::sleep_for(duration);
}

}  // namespace zav
