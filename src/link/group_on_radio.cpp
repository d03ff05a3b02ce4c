#include "link/group_on_radio.h"
#include "iface/shown_text.h"

#include "iface/prompts.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"

namespace zav {

GroupOnRadio checkGroupOnRadio(RadioLink& link, int g, std::string_view title) {
    Byte status{};
    if (!link.readByteAt(statusByteAddress(g), status)) return GroupOnRadio::Unknown;
    // A present group's block transfer confirms the status in step.
    if (blockPresent(statusNibble(status, g))) return GroupOnRadio::Present;
    if (!link.confirmInStep()) return GroupOnRadio::Unknown;
    link.prompts().ask(
        warning(shownText("Messages", "Requested group does not exist on radio."), title));
    link.endSession();
    return GroupOnRadio::Absent;
}

}  // namespace zav
