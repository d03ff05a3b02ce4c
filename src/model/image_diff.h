#pragma once
// What differs between two radios' images, as lines a technician reads: every field the
// editor shows (global parameters, then group by group and channel by channel) by its
// name with both texts, then every byte whose difference no field shows (bytes the editor
// does not interpret, protected bytes, and bits two texts cannot tell apart) by its
// address with both values. No line: the images are the same.

#include <string>
#include <string_view>
#include <vector>

#include "model/memory_image.h"

namespace zav {

struct ImagePair {
    const MemImage& mem;
    const LabelImage& labels;
};

std::vector<std::string> compareImages(ImagePair first, ImagePair second);

// One byte's line: "byte 0x0A0: 12 -> 34" (`where` names the memory: "byte", "label byte").
std::string byteDifferenceText(std::string_view where, std::size_t address, Byte first,
                               Byte second);

}  // namespace zav
