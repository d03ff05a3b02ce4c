#include "link/global_transfer.h"

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"
#include "link/write_attempt.h"

namespace zav {

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
    do {
        if (!BeginWriteAttempt(link)) return false;
        bool statusRead = true;
        if (g != 0) {
            Byte status = 0;
            statusRead = link.ReadByteAt(StatusByteAddress(g), status);
            if (statusRead && !BlockPresent(StatusNibble(status, g))) {
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
    } while (RetryFailedWrite(link));
    return false;
}

bool WriteGlobal(RadioLink& link, const MemImage& image) {
    return WriteGroup(link, image, 0);
}

}  // namespace zav
