#include "link/global_transfer.h"

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/radio_link.h"

namespace zav {

namespace {

constexpr int kPageMapAddress = 80;

// Bit 3 of a block's status nibble says the block exists on the radio.
bool blockPresent(Byte statusByte, int g) {
    const int nibble = g % 2 == 0 ? statusByte >> 4 : statusByte & 0x0F;
    return (nibble & 8) != 0;
}

}  // namespace

bool ReadGlobal(RadioLink& link, MemImage& image) {
    const auto guard = link.TryBeginOperation();
    if (!guard) return false;
    if (!link.HookRadio(false)) {
        link.EndSession();
        return false;
    }
    link.progress().enableCancel();
    const bool ok = link.ReadBlock(image, 0, static_cast<int>(kPageSize));
    link.prompts().beep();
    link.EndSession();
    return ok;
}

bool WriteGroup(RadioLink& link, const MemImage& image, int g) {
    if (g < 0 || g > kGroupCount) return false;
    const auto guard = link.TryBeginOperation();
    if (!guard) return false;
    Transport& transport = link.transport();
    for (;;) {
        link.ReleaseRadio();
        if (transport.PortError()) {
            link.EndSession();
            return false;
        }
        link.ReleaseRadio();
        transport.PauseBlocking(std::chrono::milliseconds(500));
        if (!link.HookRadio(false)) {
            link.EndSession();
            return false;
        }
        bool statusRead = true;
        if (g != 0) {
            Byte status = 0;
            statusRead = link.ReadByteAt(kPageMapAddress + g / 2, status);
            if (statusRead && !blockPresent(status, g)) {
                Message m;
                m.text = "Requested group does not exist on radio.";
                m.title = "Write Group";
                m.icon = Icon::Exclamation;
                link.prompts().ask(m);
                link.EndSession();
                return true;
            }
        }
        const int size = static_cast<int>(kPageSize);
        if (statusRead && link.WriteBlock(image, size * g, size)) {
            link.prompts().beep();
            link.EndSession();
            return true;
        }
        bool retry = false;
        if (!link.progress().cancelled()) {
            Message m;
            m.text = "Write Failed. Cycle Radio Power before Retrying.";
            m.title = "COMM ERROR";
            m.buttons = Buttons::RetryCancel;
            m.icon = Icon::Information;
            retry = link.prompts().ask(m) == Answer::Retry;
        }
        if (!retry) {
            link.prompts().beep();
            link.EndSession();
            return false;
        }
    }
}

bool WriteGlobal(RadioLink& link, const MemImage& image) {
    return WriteGroup(link, image, 0);
}

}  // namespace zav
