#pragma once
// The editor's radio data: the memory image, the label image, the group objects that
// decode and encode them, which group the editor shows and whether it is saved. Group and channel
// objects refer to the images in place, so a document is neither copied nor moved.

#include <array>
#include <cstdint>
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

    // Rebuilds the group objects from the page map, keeping their contents. The old group
    // objects are gone afterwards, so no group is shown. Returns the group to show: the
    // first existing group, -1 when no group exists.
    int reloadGroups();
    // The same, and every existing group gets its default contents.
    int resetGroups();

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

    // Whether the images differ from their state when last marked clean (opened, saved),
    // or a radio read came in since: what was read is saved nowhere yet.
    [[nodiscard]] bool modified() const;
    void markClean();
    void markRead() { readSinceClean_ = true; }

  private:
    enum class Contents : std::uint8_t { Kept, Defaults };
    int rebuildGroups(Contents contents);

    // Entry g is empty when group g does not exist in the page map.
    std::array<std::unique_ptr<Group>, kGroupCount> groups_;
    int shownGroup_ = -1;
    MemImage cleanMem_{};
    LabelImage cleanLabels_{};
    bool readSinceClean_ = false;
};

}  // namespace zav
