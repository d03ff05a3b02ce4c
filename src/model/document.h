#pragma once
// The editor's radio data: the memory image, the label image, the group objects that
// decode and encode them, and which group the editor shows. Group and channel objects
// refer to the images in place, so a document is neither copied nor moved.

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

    // The two images are the document's data: the group objects, the file code and the
    // transfers read and write them in place, and may replace them wholesale.
    MemImage mem{};
    LabelImage labels{};

    // Rebuilds the group objects from the page map; mode 1 also gives every existing
    // group its default contents. The old group objects are gone afterwards, so no group
    // is shown. Returns the group to show: selectorValue - 1, where selectorValue is the
    // group number the window's group selector shows (1..15) and a value above 14 (or
    // below 0) becomes 0; when that group does not exist the first existing group, and -1
    // when no group exists. The window refills its selector and shows the group itself.
    int initGroups(int mode, int selectorValue);

    // Group g (0..14); nullptr when it does not exist. Throws std::out_of_range for g
    // outside 0..14.
    Group* group(int g);
    const Group* group(int g) const;

    // The group the editor shows: its values fill the main window's controls and its
    // channels the grid; -1 when none is.
    [[nodiscard]] int shownGroup() const { return shownGroup_; }
    // g is -1 or an existing group; throws std::out_of_range for a group outside 0..14
    // and std::invalid_argument for one that does not exist.
    void setShownGroup(int g);

  private:
    // Entry g is empty when group g does not exist in the page map.
    std::array<std::unique_ptr<Group>, kGroupCount> groups_;
    int shownGroup_ = -1;
};

}  // namespace zav
