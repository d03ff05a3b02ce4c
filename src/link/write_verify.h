#pragma once
// The check after a write: the bytes the write put out that the radio read back does not
// hold. Only what a write may change counts: the bits of the write masks in the blocks
// written; bytes 8 to 15 of a group page and the global bits outside the masks are the
// radio's own.

#include <vector>

#include "link/radio_write.h"
#include "model/memory_image.h"

namespace zav {

// The blocks a whole write took (0 the global block, 1..15 groups), as the radio read
// back after it says: the global block unless skipped, and every group chooseGroups takes.
std::vector<int> blocksWritten(const MemImage& image, const MemImage& radio, GlobalBlock global);

// Image addresses in those blocks where `radio` (read back after the write) differs from
// `image` in the bits a write may change.
std::vector<int> unwrittenBytes(const MemImage& image, const MemImage& radio,
                                const std::vector<int>& blocks);

// Label image indices where the labels read back differ from those written.
std::vector<int> unwrittenLabels(const LabelImage& labels, const LabelImage& radio);

}  // namespace zav
