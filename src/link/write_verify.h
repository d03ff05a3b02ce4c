#pragma once
// The check after a whole radio write: the bytes the write put out that the radio read
// back does not hold. Only what a write may change counts: the bits of the write masks in
// the global block (unless it was skipped) and in every group the write took; bytes 8 to
// 15 of a group page and the global bits outside the masks are the radio's own.

#include <vector>

#include "model/memory_image.h"

namespace zav {

// Image addresses where `radio` (read back after the write) differs from `image`.
std::vector<int> unwrittenBytes(const MemImage& image, const MemImage& radio, bool skipGlobal);

// Label image indices where the labels read back differ from those written.
std::vector<int> unwrittenLabels(const LabelImage& labels, const LabelImage& radio);

}  // namespace zav
