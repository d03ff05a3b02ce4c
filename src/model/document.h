#pragma once
// The editor's radio data: the memory image, the label image and the group objects that
// decode and encode them. Group and channel objects refer to the images in place, so a
// document is neither copied nor moved.

#include <array>
#include <memory>

#include "model/group.h"
#include "model/memory_image.h"

namespace zav {

class Document {
  public:
    // The default image: default global page, then all 15 groups with default contents.
    // The spare byte and label slot 15 stay zero.
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    Document(Document&&) = delete;
    Document& operator=(Document&&) = delete;
    ~Document() = default;

    MemImage mem{};
    LabelImage labels{};
    // Entry g is empty when group g does not exist in the page map.
    std::array<std::unique_ptr<Group>, kGroupCount> groups;
    // Group to show after the last initGroups, -1 when there is none.
    int currentGroup = 0;

    // Rebuilds Groups from the page map; mode 1 also gives every existing group its
    // default contents. selectorValue is the group number the window's group selector
    // shows (1..15): currentGroup = selectorValue - 1, a value above 14 becomes 0 (and
    // below 0 too); when that group does not exist the first existing group is taken, and
    // -1 when no group exists. Returns currentGroup.
    // The window refills its selector (setupCombos) and shows the group (Read) itself;
    // old group objects are gone afterwards, so the window must not store into them.
    int initGroups(int mode, int selectorValue);

    // Group g (0..14); nullptr when it does not exist. Throws std::out_of_range for g
    // outside 0..14.
    Group* group(int g);
    const Group* group(int g) const;
};

}  // namespace zav
