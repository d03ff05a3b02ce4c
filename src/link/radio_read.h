#pragma once
// Reading the radio into the memory image: the whole radio through the read program at
// 9600 baud, or one group with resident word reads at 4800 baud. Each call is one
// complete connection and ends with endSession. The image changes only when the read
// succeeds; a failed read leaves it as it was.

#include "link/group_on_radio.h"
#include "model/memory_image.h"

namespace zav {

class RadioLink;

// The read program's conversation, after uploadProgram: 0x00, then for segment 0 and
// every segment i (1..7) whose byte 80 + i in `image` (just filled by segment 0) is not
// 0, the request 2 * i and its 256 bytes into image[256 * i..], then 0xFF. A byte that
// does not come ends its segment; the next segment is still asked for. True only when
// every byte of every requested segment came.
bool runReadProgram(RadioLink& link, MemImage& image);

// The whole radio. Shows "Error reading radio" on failure (unless the user cancelled)
// and "Warning: No valid channel groups" when no group's status nibble is set, in which
// case group 1 is marked present.
bool readRadio(RadioLink& link, MemImage& image);

// Group g (1..15) into bytes 128 * g.. of the image. A group that does not exist on the
// radio is reported ("Requested group does not exist on radio.") and leaves the image
// unchanged (Absent).
GroupTransfer readGroup(RadioLink& link, MemImage& image, int g);

}  // namespace zav
