#pragma once
// Whether a group exists on the connected radio, as the single-group read and write
// check it before they touch the group's block.

#include <cstdint>
#include <string_view>

#include "iface/shown_text.h"

namespace zav {

class RadioLink;

// Titles of the single-group transfers' boxes.
inline constexpr std::string_view kReadGroupTitle = shownText("Messages", "Read Group");
inline constexpr std::string_view kWriteGroupTitle = shownText("Messages", "Write Group");

enum class GroupOnRadio { Present, Absent, Unknown };

// How a single-group read or write ended. Absent: the group is not on the radio, which
// has been told; nothing was read or written.
enum class GroupTransfer : std::uint8_t { Done, Failed, Absent };

// Reads bit 3 of group g's (1..15) status nibble from the radio. Absent: the group is
// not there; "Requested group does not exist on radio." has been shown under `title`
// and the session ended. Unknown: the status did not come, or came out of step. Present is
// not yet confirmed in step: the block transfer that follows confirms it (a write before
// its first word, a read with its last).
GroupOnRadio checkGroupOnRadio(RadioLink& link, int g, std::string_view title);

}  // namespace zav
