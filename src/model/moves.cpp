#include "model/moves.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

#include "model/document.h"
#include "model/memory_map.h"

namespace zav {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t pageStart(int bank) {
    if (bank < kFirstBank || bank > kLastBank) {
        throw std::out_of_range("bank number " + std::to_string(bank) + " is not 1 to 15");
    }
    return static_cast<std::size_t>(blockAddress(bank));  // bank n is block n
}

}  // namespace

std::optional<int> parseBankNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    double value{};
    const char* const end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
    if (value != std::floor(value) || value < kFirstBank || value > kLastBank) return std::nullopt;
    return static_cast<int>(value);
}

BankMoves::BankMoves(Document& doc) : mem_(doc.mem), labels_(doc.labels) {}

void BankMoves::moveLabels(int fromGroup, int toGroup) {
    (void)pageStart(fromGroup);
    (void)pageStart(toGroup);
    // A bank's label bytes are spread over the image (the group index varies fastest):
    // take them out bank by bank, turn the banks between the two numbers, put them back.
    constexpr std::size_t kBlockSize = std::size_t{kLabelSlots} * kLabelPositions;
    std::array<std::array<Byte, kBlockSize>, kGroupCount> banks{};
    const auto visit = [](auto&& copy) {
        for (int g = 0; g < kGroupCount; ++g)
            for (int s = 0; s < kLabelSlots; ++s)
                for (int k = 0; k < kLabelPositions; ++k)
                    copy(static_cast<std::size_t>(g),
                         static_cast<std::size_t>(s * kLabelPositions + k), labelIndex(g, s, k));
    };
    visit([&](std::size_t g, std::size_t i, std::size_t at) { banks[g][i] = labels_[at]; });
    const auto first = banks.begin() + (std::min(fromGroup, toGroup) - 1);
    const auto last = banks.begin() + std::max(fromGroup, toGroup);
    if (fromGroup < toGroup) {
        std::rotate(first, first + 1, last);
    } else if (fromGroup > toGroup) {
        std::rotate(first, last - 1, last);
    }
    visit([&](std::size_t g, std::size_t i, std::size_t at) { labels_[at] = banks[g][i]; });
}

void BankMoves::moveGroups(int fromGroup, int toGroup) {
    (void)pageStart(fromGroup);
    (void)pageStart(toGroup);
    if (fromGroup < toGroup) {
        leftShiftGroups(fromGroup, toGroup);
    } else if (fromGroup > toGroup) {
        rightShiftGroups(toGroup, fromGroup);
    }
}

void BankMoves::leftShiftGroups(int fromGroup, int toGroup) {
    (void)pageStart(fromGroup);
    (void)pageStart(toGroup);
    copyToTemp(fromGroup);
    for (int i = fromGroup; i <= toGroup - 1; ++i) copyGroup(i + 1, i);
    copyFromTemp(toGroup);
}

void BankMoves::rightShiftGroups(int toGroup, int fromGroup) {
    (void)pageStart(fromGroup);
    (void)pageStart(toGroup);
    copyToTemp(fromGroup);
    for (int i = fromGroup; i >= toGroup + 1; --i) copyGroup(i - 1, i);
    copyFromTemp(toGroup);
}

void BankMoves::copyGroup(int fromGroup, int toGroup) {
    const std::size_t from = pageStart(fromGroup);
    const std::size_t to = pageStart(toGroup);
    std::copy_n(mem_.begin() + static_cast<std::ptrdiff_t>(from), kPageSize,
                mem_.begin() + static_cast<std::ptrdiff_t>(to));
}

void BankMoves::copyToTemp(int fromGroup) {
    const std::size_t from = pageStart(fromGroup);
    std::copy_n(mem_.begin() + static_cast<std::ptrdiff_t>(from), kPageSize, buffer_.begin());
}

void BankMoves::copyFromTemp(int toGroup) {
    const std::size_t to = pageStart(toGroup);
    std::copy_n(buffer_.begin(), kPageSize, mem_.begin() + static_cast<std::ptrdiff_t>(to));
}

}  // namespace zav
