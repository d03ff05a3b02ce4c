#include "link/radio_link.h"
#include "iface/shown_text.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string>

#include "iface/progress.h"
#include "iface/prompts.h"

namespace zav {

namespace {

// Resident firmware frames.
constexpr Byte kHookFill = 0x00;
constexpr int kHookFillCount = 10;
constexpr auto kHookSequence = std::to_array<Byte>({0x0A, 0x14, 0x28});
constexpr Byte kProbe = 0x28;
constexpr Byte kReadWordCommand = 0xE1;   // | segment << 1
constexpr Byte kWriteWordCommand = 0xE0;  // | segment << 1
constexpr Byte kRamWrite = 0xD0;
constexpr Byte kExecute = 0xF0;
constexpr Byte kRamHigh = 0x00;
constexpr Byte kRelease = 0x01;
constexpr Byte kBaudRegister = 0x0D;
constexpr Byte kBaud9600 = 0x30;
constexpr Byte kBaud4800 = 0x31;
constexpr int kHookAttempts = 4;

// The answer to an unanswered hook attempt may still come: before the next attempt the
// line must have been quiet this long (discarding what came), for at most kSettleLimit.
constexpr std::chrono::milliseconds kSettleQuiet{100};
constexpr std::chrono::milliseconds kSettleLimit{1000};
// An answer is complete when no byte follows it within this time; it is longer than a USB
// serial adapter's latency timer (16 ms by default) may hold a byte back.
constexpr std::chrono::milliseconds kAnswerEnd{20};

constexpr int kRadioMemoryEnd = static_cast<int>(kRadioMemorySize);

Byte lowByte(int value) {
    return static_cast<Byte>(value & 0xFF);
}

// The bits of the byte at `address` a masked write may change.
Byte writeMask(int address) {
    const auto& table =
        address < static_cast<int>(kPageSize) ? kWriteMasks.global : kWriteMasks.group;
    return table[static_cast<std::size_t>(address & 127)];
}

std::string hexText(unsigned value, const char* format) {
    std::array<char, sizeof "0x12345678"> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}
std::string hexByte(Byte value) {
    return hexText(value, "0x%02X");
}
std::string hexWord(int address) {
    return hexText(static_cast<unsigned>(address), "0x%04X");
}

}  // namespace

RadioLink::RadioLink(LinkPort& port, Prompts& prompts, Progress& progress,
                     const SettingsStore* settings)
    : prompts_(prompts, port), transport_(port, prompts_, settings), progress_(progress) {}

std::optional<RadioLink::BusyGuard> RadioLink::tryBeginOperation() {
    if (busy_) {
        Message m;
        m.text = shownText("Messages", "Another radio operation is in progress.");
        m.title = kCommErrorTitle;
        prompts_.ask(m);
        return std::nullopt;
    }
    return std::optional<BusyGuard>(std::in_place, *this);
}

bool RadioLink::hookRadio(LineSpeed speed) {
    transport_.setSettings(kSettings4800);
    hookReply_ = 0;
    logStep("hooking the radio on " + transport_.device());
    if (!transport_.openPort()) {
        logStep("the port did not open");
        return false;
    }
    // Set once an attempt went unanswered: its answer may still be on the way.
    bool answerPending = false;
    for (;;) {
        for (int attempts = 0; attempts < kHookAttempts; ++attempts) {
            if (answerPending) (void)transport_.settleInput(kSettleQuiet, kSettleLimit);
            for (int i = 0; i < kHookFillCount; ++i) transport_.sendByte(kHookFill);
            transport_.discardInput();
            for (const Byte b : kHookSequence) transport_.sendByte(b);
            Byte reply{};
            if (!transport_.receiveByte(reply)) {
                answerPending = true;
                continue;
            }
            // What came may be an earlier attempt's late answer; this attempt's own then
            // follows it, and taking either would leave every later answer one byte off.
            if (answerPending && !transport_.staysQuiet(kSettleQuiet)) {
                hookReply_ = 0;
                continue;
            }
            hookReply_ = reply;
            break;
        }
        logStep("hook reply " + hexByte(hookReply_));
        if (hookReplyAccepted(hookReply_)) {
            // A failed switch has put the line back to 4800; the connection goes on there.
            if (speed == LineSpeed::Baud9600) (void)setBaud(LineSpeed::Baud9600);
            return true;
        }
        Message m;
        m.text = shownText("Messages", "Error Hooking to Radio.");
        m.title = kCommErrorTitle;
        m.detail = "Device: " + transport_.device();
        m.buttons = Buttons::RetryCancel;
        if (prompts_.ask(m) != Answer::Retry) return false;
    }
}

bool RadioLink::setBaud(LineSpeed speed) {
    const bool fast = speed == LineSpeed::Baud9600;
    const std::string_view settings = fast ? kSettings9600 : kSettings4800;
    const Byte value = fast ? kBaud9600 : kBaud4800;

    // The radio needs these pauses between the bytes of the register write.
    transport_.delay(150);
    transport_.sendByte(kRamWrite);
    transport_.sendByte(kRamHigh);
    transport_.delay(30);
    transport_.sendByte(kBaudRegister);
    transport_.delay(25);
    transport_.sendByte(value);
    transport_.delay(10);
    transport_.setSettings(settings);
    transport_.delay(10);
    // Whatever came back during the switch is noise at one speed or the other.
    while (transport_.bytesWaiting() > 0) {
        Byte dropped{};
        (void)transport_.receiveByte(dropped);
        transport_.delay(25);
    }
    transport_.sendByte(kProbe);
    Byte reply{};
    if (transport_.receiveByte(reply)) {
        logStep("line now " + std::string(settings));
        return true;
    }
    logStep("no answer at " + std::string(settings) + ": back to " + std::string(kSettings4800));

    Message m;
    m.text = shownText("Messages", "Unable to set baud rate");
    prompts_.ask(m);
    transport_.setSettings(kSettings4800);
    // The radio may have switched and only its answer gone astray.
    speedUnsure_ = fast;
    return false;
}

void RadioLink::releaseRadio() {
    // A device that went away reaches no radio; opening it again would only tell the
    // failure a second time.
    if (transport_.deviceLost() || !transport_.openPort()) {
        logStep("radio not released: the port is gone");
        return;
    }
    logStep("releasing the radio");
    // After a speed switch that went unanswered the radio may be at either speed: the
    // release goes at 9600 baud first (a radio at 4800 cannot read it), then at 4800.
    if (std::exchange(speedUnsure_, false)) {
        const std::string settings = transport_.settings();
        transport_.setSettings(kSettings9600);
        transport_.sendByte(kRelease);
        transport_.delay(10);
        transport_.setSettings(settings);
    }
    transport_.sendByte(kRelease);
    transport_.closePort();
}

void RadioLink::endSession() {
    // A port that just failed to open has nothing to release; trying again would only
    // repeat the same message.
    if (!(transport_.portError() && !transport_.isOpen())) releaseRadio();
    progress_.connectionEnded();
    progress_.setBarVisible(false);
}

void RadioLink::pauseBlocking(std::chrono::milliseconds duration) {
    progress_.beforeBlockingPause();
    transport_.pauseBlocking(duration);
}

bool RadioLink::confirmInStep() {
    return transport_.quietAfterLastByte(kAnswerEnd);
}

bool RadioLink::inputClear() {
    return transport_.bytesWaiting() == 0;
}

bool RadioLink::readWord(int address, Word& word) {
    if (!inputClear()) return false;
    transport_.sendByte(static_cast<Byte>(kReadWordCommand | ((address >> 7) & 0x0E)));
    transport_.sendByte(static_cast<Byte>(address & 0xFE));
    if (!transport_.receiveByte(word[0])) return false;
    return transport_.receiveByte(word[1]);
}

bool RadioLink::readByteAt(int address, Byte& value) {
    Word word{};
    const bool ok = readWord(address & 0xFFFE, word);
    value = word[static_cast<std::size_t>(address & 1)];
    return ok;
}

bool RadioLink::writeWord(int address, Byte d0, Byte d1) {
    const int a = address & 0x7FFE;
    if (!inputClear()) return false;
    transport_.sendByte(static_cast<Byte>(kWriteWordCommand | ((a >> 7) & 0x0E)));
    transport_.sendByte(lowByte(a & 0xFE));
    transport_.sendByte(d0);
    transport_.sendByte(d1);
    Byte e0{};
    Byte e1{};
    if (!transport_.receiveByte(e0)) return false;
    if (!transport_.receiveByte(e1)) return false;
    return e0 == d0 && e1 == d1;
}

bool RadioLink::writable(int address) {
    return (writeMask(address) | writeMask(address + 1)) != 0;
}

bool RadioLink::readKeptBits(MemImage& image, int address, int n) {
    for (int a = address; a < address + n; a += 2) {
        const Byte m0 = writeMask(a);
        const Byte m1 = writeMask(a + 1);
        if ((m0 & m1) == 0xFF || (m0 | m1) == 0) continue;
        Word current{};
        if (!readWord(a, current)) return false;
        auto& d0 = image.at(static_cast<std::size_t>(a));
        auto& d1 = image.at(static_cast<std::size_t>(a) + 1);
        d0 = static_cast<Byte>((d0 & m0) | (current[0] & ~m0));
        d1 = static_cast<Byte>((d1 & m1) | (current[1] & ~m1));
    }
    return true;
}

void RadioLink::prepareProgressBar(int address, int n) {
    // Widen first so that the minimum never exceeds the maximum on the way.
    progress_.setMinimum(0);
    progress_.setMaximum(30000);
    progress_.setMinimum(address);
    progress_.setMaximum(address + n);
}

bool RadioLink::readBlock(MemImage& image, int address, int n) {
    if (address < 0 || n < 0 || address + n > kRadioMemoryEnd) return false;
    logStep("reading " + std::to_string(n) + " bytes from " + hexWord(address));
    prepareProgressBar(address, n);
    progress_.setBarVisible(true);
    progress_.enableCancel();
    pauseBlocking(std::chrono::milliseconds(500));
    int a = address;
    for (int i = 0; i < n; i += 2) {
        if (progress_.cancelled()) return false;
        Word word{};
        if (!readWord(a, word)) return false;
        image.at(static_cast<std::size_t>(a)) = word[0];
        image.at(static_cast<std::size_t>(a) + 1) = word[1];
        a += 2;
        progress_.setValue(a);
    }
    return confirmInStep();
}

bool RadioLink::writeBlock(const MemImage& image, int address, int n) {
    if (address < 0 || n < 0 || address + n > kRadioMemoryEnd) return false;
    logStep("writing " + std::to_string(n) + " bytes from " + hexWord(address));
    prepareProgressBar(address, n);
    progress_.setValue(address);
    progress_.setBarVisible(true);
    progress_.enableCancel();
    pauseBlocking(std::chrono::milliseconds(500));
    // The words the masks split are read first and confirmed in step together (the pause
    // confirms what came before): no merge uses a byte that may have come out of step.
    MemImage merged = image;
    if (!readKeptBits(merged, address, n) || !confirmInStep()) return false;
    for (int x = address; x < address + n; x += 2) {
        if (progress_.cancelled()) return false;
        const auto i = static_cast<std::size_t>(x);
        if (writable(x) && !writeWord(x, merged.at(i), merged.at(i + 1))) return false;
        progress_.setValue(x);
    }
    return true;
}

bool RadioLink::pokeRam(Byte ramAddress, Byte value) {
    if (!inputClear()) return false;
    transport_.sendByte(kRamWrite);
    transport_.sendByte(kRamHigh);
    transport_.sendByte(ramAddress);
    transport_.sendByte(value);
    Byte echo{};
    return transport_.receiveByte(echo) && echo == value;
}

bool RadioLink::pokeBlock(Byte start, std::span<const Byte> bytes) {
    int r = start;
    for (const Byte b : bytes) {
        if (!pokeRam(lowByte(r), b)) return false;
        ++r;
    }
    return true;
}

void RadioLink::executeAt(Byte ramAddress) {
    transport_.sendByte(kExecute);
    transport_.sendByte(kRamHigh);
    transport_.sendByte(ramAddress);
}

}  // namespace zav
