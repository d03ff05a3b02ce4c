#include "model/typed_text.h"

#include <charconv>
#include <optional>

namespace zav {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

NumberList parseNumberList(std::string_view text, int highest, std::string_view noun) {
    const auto number = [highest](std::string_view digits) -> std::optional<int> {
        digits = trimmed(digits);
        int n{};
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (error != std::errc() || end != digits.data() + digits.size() || n < 1 || n > highest)
            return std::nullopt;
        return n;
    };
    NumberList list;
    std::vector<bool> seen(static_cast<std::size_t>(highest) + 1);
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view range = text.substr(from, comma - from);
        from = comma + 1;
        const auto dash = range.find('-');
        const auto low = number(range.substr(0, dash));
        const auto high = dash == std::string_view::npos ? low : number(range.substr(dash + 1));
        if (!low || !high || *high < *low)
            return {{},
                    "'" + std::string(trimmed(range)) + "' is no " + std::string(noun) + " 1 to " +
                        std::to_string(highest) + " or range of them (such as 1-7,9,11-14)"};
        for (int n = *low; n <= *high; ++n) {
            if (seen[static_cast<std::size_t>(n)])
                return {{}, std::string(noun) + " " + std::to_string(n) + " is named twice"};
            seen[static_cast<std::size_t>(n)] = true;
            list.numbers.push_back(n);
        }
    }
    return list;
}

}  // namespace zav
