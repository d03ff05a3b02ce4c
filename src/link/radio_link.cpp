#include "link/radio_link.h"

#include "iface/progress.h"
#include "iface/prompts.h"

namespace zav {

namespace {

// Resident firmware frames.
constexpr Byte kHookFill = 0x00;
constexpr int kHookFillCount = 10;
constexpr std::array<Byte, 3> kHookSequence{0x0A, 0x14, 0x28};
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

constexpr int kRadioMemoryEnd = static_cast<int>(kRadioMemorySize);

Byte lowByte(int value) {
    return static_cast<Byte>(value & 0xFF);
}

}  // namespace

RadioLink::RadioLink(LinkPort& port, Prompts& prompts, Progress& progress,
                     const SettingsStore* settings)
    : transport_(port, prompts, settings), prompts_(prompts), progress_(progress) {}

std::optional<RadioLink::BusyGuard> RadioLink::TryBeginOperation() {
    if (busy_) {
        Message m;
        m.text = "Another radio operation is in progress.";
        m.title = "COMM ERROR";
        prompts_.ask(m);
        return std::nullopt;
    }
    return std::optional<BusyGuard>(std::in_place, *this);
}

bool RadioLink::HookRadio(bool switchBaud) {
    transport_.setSettings(kSettings4800);
    hookReply_ = 0;
    if (!transport_.OpenPort()) return false;
    for (;;) {
        int attempts = 0;
        for (;;) {
            for (int i = 0; i < kHookFillCount; ++i) transport_.SendByte(kHookFill);
            transport_.DiscardInput();
            for (const Byte b : kHookSequence) transport_.SendByte(b);
            Byte reply = 0;
            if (transport_.ReceiveByte(reply)) {
                hookReply_ = reply;
                break;
            }
            ++attempts;
            if (HookReplyAccepted(hookReply_) || attempts >= kHookAttempts) break;
        }
        if (HookReplyAccepted(hookReply_)) {
            // A failed switch has put the line back to 4800; the connection goes on there.
            if (switchBaud) (void)SetBaud(1);
            return true;
        }
        Message m;
        m.text = "Error Hooking to Radio.";
        m.title = "COMM ERROR";
        m.buttons = Buttons::RetryCancel;
        if (prompts_.ask(m) != Answer::Retry) return false;
    }
}

bool RadioLink::SetBaud(int mode) {
    const bool fast = mode == 1;
    const std::string_view settings = fast ? kSettings9600 : kSettings4800;
    const Byte value = fast ? kBaud9600 : kBaud4800;

    // The radio needs these pauses between the bytes of the register write.
    transport_.Delay(150);
    transport_.SendByte(kRamWrite);
    transport_.SendByte(kRamHigh);
    transport_.Delay(30);
    transport_.SendByte(kBaudRegister);
    transport_.Delay(25);
    transport_.SendByte(value);
    transport_.Delay(10);
    transport_.setSettings(settings);
    transport_.Delay(10);
    // Whatever came back during the switch is noise at one speed or the other.
    while (transport_.BytesWaiting() > 0) {
        Byte dropped = 0;
        (void)transport_.ReceiveByte(dropped);
        transport_.Delay(25);
    }
    transport_.SendByte(kProbe);
    Byte reply = 0;
    if (transport_.ReceiveByte(reply)) return true;

    Message m;
    m.text = "Unable to set baud rate";
    prompts_.ask(m);
    transport_.setSettings(kSettings4800);
    return false;
}

void RadioLink::ReleaseRadio() {
    if (!transport_.OpenPort()) return;
    transport_.SendByte(kRelease);
    transport_.ClosePort();
}

void RadioLink::EndSession() {
    // A port that just failed to open has nothing to release; trying again would only
    // repeat the same message.
    if (!(transport_.PortError() && !transport_.IsOpen())) ReleaseRadio();
    progress_.enableMainWindow();
    progress_.setBarVisible(false);
}

bool RadioLink::ReadWord(int address, Word& word) {
    transport_.SendByte(static_cast<Byte>(kReadWordCommand | ((address >> 7) & 0x0E)));
    transport_.SendByte(static_cast<Byte>(address & 0xFE));
    if (!transport_.ReceiveByte(word[0])) return false;
    return transport_.ReceiveByte(word[1]);
}

bool RadioLink::ReadByteAt(int address, Byte& value) {
    Word word{0, 0};
    const bool ok = ReadWord(address & 0xFFFE, word);
    value = word[static_cast<std::size_t>(address & 1)];
    return ok;
}

bool RadioLink::WriteWord(int address, Byte d0, Byte d1, bool useMask) {
    const int a = address & 0x7FFE;
    const int block = a >> 7;
    if (useMask) {
        const auto& table =
            a < static_cast<int>(kPageSize) ? kWriteMasks.global : kWriteMasks.group;
        const auto offset = static_cast<std::size_t>(a & 127);
        const Byte m0 = table[offset];
        const Byte m1 = table[offset + 1];
        if (m0 == 0x00 && m1 == 0x00) return true;
        if (m0 != 0xFF || m1 != 0xFF) {
            // Merging needs the radio's current bytes; without them the word is given
            // up rather than overwriting protected bits with the image's.
            Word current{0, 0};
            if (!ReadWord(a, current)) return false;
            d0 = static_cast<Byte>((d0 & m0) | (current[0] & ~m0));
            d1 = static_cast<Byte>((d1 & m1) | (current[1] & ~m1));
        }
    }
    transport_.SendByte(static_cast<Byte>(kWriteWordCommand | (block & 0x0E)));
    transport_.SendByte(lowByte(a & 0xFE));
    transport_.SendByte(d0);
    transport_.SendByte(d1);
    Byte e0 = 0;
    Byte e1 = 0;
    if (!transport_.ReceiveByte(e0)) return false;
    if (!transport_.ReceiveByte(e1)) return false;
    return e0 == d0 && e1 == d1;
}

bool RadioLink::WriteByteAt(int address, Byte value) {
    Word word{0, 0};
    if (!ReadWord(address, word)) return false;
    word[static_cast<std::size_t>(address & 1)] = value;
    return WriteWord(address, word[0], word[1], true);
}

void RadioLink::prepareProgressBar(int address, int n) {
    // Widen first so that the minimum never exceeds the maximum on the way.
    progress_.setMinimum(0);
    progress_.setMaximum(30000);
    progress_.setMinimum(address);
    progress_.setMaximum(address + n);
}

bool RadioLink::ReadBlock(MemImage& image, int address, int n) {
    if (address < 0 || n < 0 || address + n > kRadioMemoryEnd) return false;
    prepareProgressBar(address, n);
    progress_.setBarVisible(true);
    progress_.enableCancel();
    transport_.PauseBlocking(std::chrono::milliseconds(500));
    int a = address;
    for (int i = 0; i <= n - 1; i += 2) {
        if (progress_.cancelled()) return false;
        Word word{0, 0};
        if (!ReadWord(a, word)) return false;
        image.at(static_cast<std::size_t>(a)) = word[0];
        image.at(static_cast<std::size_t>(a) + 1) = word[1];
        a += 2;
        progress_.setValue(a);
    }
    return true;
}

bool RadioLink::WriteBlock(const MemImage& image, int address, int n) {
    if (address < 0 || n < 0 || address + n > kRadioMemoryEnd) return false;
    prepareProgressBar(address, n);
    progress_.setValue(address);
    progress_.setBarVisible(true);
    progress_.enableCancel();
    transport_.PauseBlocking(std::chrono::milliseconds(500));
    for (int x = address; x <= address + n - 1; x += 2) {
        if (progress_.cancelled()) return false;
        const auto i = static_cast<std::size_t>(x);
        if (!WriteWord(x, image.at(i), image.at(i + 1), true)) return false;
        progress_.setValue(x);
    }
    return true;
}

bool RadioLink::PokeRam(Byte ramAddress, Byte value) {
    transport_.SendByte(kRamWrite);
    transport_.SendByte(kRamHigh);
    transport_.SendByte(ramAddress);
    transport_.SendByte(value);
    Byte echo = 0;
    return transport_.ReceiveByte(echo) && echo == value;
}

bool RadioLink::PokeBlock(Byte start, std::span<const Byte> bytes) {
    int r = start;
    for (const Byte b : bytes) {
        if (!PokeRam(lowByte(r), b)) return false;
        ++r;
    }
    return true;
}

void RadioLink::ExecuteAt(Byte ramAddress) {
    transport_.SendByte(kExecute);
    transport_.SendByte(kRamHigh);
    transport_.SendByte(ramAddress);
}

}  // namespace zav
