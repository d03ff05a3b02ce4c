#include "link/group_on_radio.h"

#include "iface/prompts.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"

namespace zav {

GroupOnRadio checkGroupOnRadio(RadioLink& link, int g, const char* title) {
    Byte status = 0;
    if (!link.readByteAt(statusByteAddress(g), status) || !link.confirmInStep())
        return GroupOnRadio::Unknown;
    if (blockPresent(statusNibble(status, g))) return GroupOnRadio::Present;
    Message m;
    m.text = "Requested group does not exist on radio.";
    m.title = title;
    m.icon = Icon::Exclamation;
    link.prompts().ask(m);
    link.endSession();
    return GroupOnRadio::Absent;
}

}  // namespace zav
