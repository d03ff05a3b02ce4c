#include "transfer_options.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <utility>

#include "model/memory_image.h"

namespace zav::tool {

bool takeFlag(Args& args, std::string_view flag) {
    const auto n = std::erase(args, std::string(flag));
    return n > 0;
}

std::optional<int> takeGroup(Args& args, std::string_view command) {
    const auto it = std::find(args.begin(), args.end(), "--group");
    if (it == args.end()) return std::nullopt;
    int g = 0;
    bool ok = it + 1 != args.end();
    if (ok) {
        const std::string& text = *(it + 1);
        const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), g);
        ok = ec == std::errc{} && p == text.data() + text.size() && g >= 1 && g <= kGroupCount;
    }
    if (!ok) {
        std::cerr << "zavtool " << command << ": --group takes a group number 1 to " << kGroupCount
                  << "\n";
        return 0;
    }
    args.erase(it, it + 2);
    return g;
}

std::optional<GroupRadioOptions> parseGroupRadioOptions(Args args, std::string_view command,
                                                        std::string_view usage,
                                                        bool groupRequired) {
    GroupRadioOptions o;
    o.group = takeGroup(args, command);
    if (o.group == 0) return std::nullopt;
    auto radio = parseRadioOptions(args, command, usage);
    if (!radio) return std::nullopt;
    if (groupRequired && !o.group) {
        std::cerr << "usage: zavtool " << command << " " << usage << "\n";
        return std::nullopt;
    }
    o.radio = std::move(*radio);
    return o;
}

}  // namespace zav::tool
