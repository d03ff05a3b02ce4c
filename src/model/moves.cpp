#include "model/moves.h"

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
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
    if (value != std::floor(value) || value < kFirstBank || value > kLastBank) return std::nullopt;
    return static_cast<int>(value);
}

BankMoves::BankMoves(Document& doc) : mem_(doc.mem) {}

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
    for (std::size_t k = 0; k < kPageSize; ++k) mem_[to + k] = mem_[from + k];
}

void BankMoves::copyToTemp(int fromGroup) {
    const std::size_t from = pageStart(fromGroup);
    for (std::size_t k = 0; k < kPageSize; ++k) buffer_[k] = mem_[from + k];
}

void BankMoves::copyFromTemp(int toGroup) {
    const std::size_t to = pageStart(toGroup);
    for (std::size_t k = 0; k < kPageSize; ++k) mem_[to + k] = buffer_[k];
}

}  // namespace zav
