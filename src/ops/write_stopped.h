#pragma once
// What a whole-radio write that failed tells of the radio it left behind: the parts that
// hold the file's contents, the part it was writing when it stopped, and that the rest
// is still the radio's own. A technician needs this to know what to trust before the
// next attempt.

#include <optional>
#include <string>

#include "link/radio_write.h"

namespace zav {

// "the write stopped part-way: groups 15 to 13 hold the file's contents, group 12
// perhaps part of them, the others the radio's earlier ones"; nullopt when nothing of
// the image went to the radio.
std::optional<std::string> writeStoppedText(const BlocksReached& reached);

}  // namespace zav
