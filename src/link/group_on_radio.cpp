#include "link/group_on_radio.h"

#include "iface/prompts.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"

namespace zav {

GroupOnRadio checkGroupOnRadio(RadioLink& link, int g, std::string_view title) {
    Byte status{};
    if (!link.readByteAt(statusByteAddress(g), status) || !link.confirmInStep())
        return GroupOnRadio::Unknown;
    if (blockPresent(statusNibble(status, g))) return GroupOnRadio::Present;
    link.prompts().ask(warning("Requested group does not exist on radio.", title));
    link.endSession();
    return GroupOnRadio::Absent;
}

}  // namespace zav
