#pragma once

// Texts as a technician types them into a cell, a dialog or an option.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// `text` without the spaces and tabs around it.
std::string_view trimmed(std::string_view text);

// A list such as "1-7,9,11-14" of the numbers 1..highest in the order given, spaces around
// a number allowed; or why it is none: a number outside 1..highest, a reversed range, a
// number named twice. `noun` names one number in the refusal ("channel", "group").
struct NumberList {
    std::vector<int> numbers;
    std::string refusal;  // empty when the list was read
};
NumberList parseNumberList(std::string_view text, int highest, std::string_view noun);

}  // namespace zav
