#pragma once
// What every fuzz target shares: a failed property ends the run the way libFuzzer
// reports a crash (and fails the replay test), and the input taken apart piece by piece.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace zav::fuzz {

inline void require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property failed: %s\n", property);
    std::abort();
}

// The fuzzer's bytes, read from the front; past the end every read gives zeros.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

    [[nodiscard]] bool empty() const { return pos_ >= bytes_.size(); }
    std::uint8_t takeByte() { return empty() ? 0 : bytes_[pos_++]; }
    // Up to `count` bytes as a text.
    std::string takeText(std::size_t count) {
        const std::size_t n = std::min(count, bytes_.size() - std::min(pos_, bytes_.size()));
        std::string text(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
        pos_ += n;
        return text;
    }
    // A text that ends at the next zero byte (which is consumed) or at the end.
    std::string takeField() {
        std::string text;
        while (!empty()) {
            const auto c = static_cast<char>(takeByte());
            if (c == '\0') break;
            text.push_back(c);
        }
        return text;
    }
    std::string takeRest() { return takeText(bytes_.size()); }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace zav::fuzz
