#include "link/global_transfer.h"

#include <algorithm>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/group_on_radio.h"
#include "link/radio_link.h"
#include "link/write_attempt.h"
#include "model/memory_map.h"

namespace zav {

bool readGlobal(RadioLink& link, MemImage& image) {
    const auto guard = link.tryBeginOperation();
    if (!guard) return false;
    if (!link.hookRadio(LineSpeed::Baud4800)) {
        link.endSession();
        return false;
    }
    link.progress().enableCancel();
    // The image changes only when the whole block came in step.
    MemImage scratch = image;
    const bool ok = link.readBlock(scratch, 0, static_cast<int>(kPageSize));
    link.prompts().beep();
    link.endSession();
    if (ok) std::copy_n(scratch.begin(), kPageSize, image.begin());
    return ok;
}

GroupTransfer writeGroup(RadioLink& link, const MemImage& image, int g) {
    if (g < 0 || g > kGroupCount) return GroupTransfer::Failed;
    const auto guard = link.tryBeginOperation();
    if (!guard) return GroupTransfer::Failed;
    do {
        if (!beginWriteAttempt(link)) return GroupTransfer::Failed;
        // The global block is always there.
        const GroupOnRadio onRadio =
            g == 0 ? GroupOnRadio::Present : checkGroupOnRadio(link, g, kWriteGroupTitle);
        if (onRadio == GroupOnRadio::Absent) return GroupTransfer::Absent;
        const int size = static_cast<int>(kPageSize);
        if (onRadio == GroupOnRadio::Present && link.writeBlock(image, blockAddress(g), size)) {
            link.prompts().beep();
            link.endSession();
            return GroupTransfer::Done;
        }
    } while (retryFailedWrite(link));
    return GroupTransfer::Failed;
}

bool writeGlobal(RadioLink& link, const MemImage& image) {
    return writeGroup(link, image, 0) == GroupTransfer::Done;
}

}  // namespace zav
