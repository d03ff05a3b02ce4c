#include "link/global_transfer.h"

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/group_on_radio.h"
#include "link/radio_link.h"
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
        // The global block is always there.
        const GroupOnRadio onRadio =
            g == 0 ? GroupOnRadio::Present : CheckGroupOnRadio(link, g, "Write Group");
        if (onRadio == GroupOnRadio::Absent) return true;
        const int size = static_cast<int>(kPageSize);
        if (onRadio == GroupOnRadio::Present && link.WriteBlock(image, size * g, size)) {
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
