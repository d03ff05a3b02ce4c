#pragma once
// Bank moves: one bank (a whole 128-byte group page of the memory image) takes another
// bank number and the banks in between close up by one, like dragging an entry within
// a numbered list. Only the pages move; the page map stays where it is, so a bank keeps
// existing (or not) at its number. The alpha labels stay too unless moveLabels moves
// them the same way.

#include <array>
#include <optional>
#include <string_view>

#include "model/memory_image.h"

namespace zav {

class Document;

inline constexpr int kFirstBank = 1;
inline constexpr int kLastBank = kGroupCount;  // 15

// A bank number typed by the user: a whole number 1..15, blanks around it allowed
// ("3", " 12 ", "4.0"). Anything else, including a number that is not whole, gives
// nullopt.
std::optional<int> parseBankNumber(std::string_view text);

class BankMoves {
  public:
    explicit BankMoves(Document& doc);

    // Bank numbers are 1..15 (image pages); a number outside throws std::out_of_range
    // before anything is copied, so the global page can never be overwritten.
    void moveGroups(int fromGroup, int toGroup);
    // fromGroup < toGroup: fromGroup's page ends at toGroup, the pages after it move
    // down one place.
    void leftShiftGroups(int fromGroup, int toGroup);
    // toGroup < fromGroup (note the argument order): fromGroup's page ends at toGroup,
    // the pages from toGroup on move up one place.
    void rightShiftGroups(int toGroup, int fromGroup);
    // The banks' label blocks (channel labels, group label, backlight byte) move as
    // moveGroups moves their pages.
    void moveLabels(int fromGroup, int toGroup);
    void copyGroup(int fromGroup, int toGroup);
    void copyToTemp(int fromGroup);
    void copyFromTemp(int toGroup);

  private:
    MemImage& mem_;
    LabelImage& labels_;
    std::array<Byte, kPageSize> buffer_{};
};

}  // namespace zav
