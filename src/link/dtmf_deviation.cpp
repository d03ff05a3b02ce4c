#include "link/dtmf_deviation.h"

#include <cctype>
#include <charconv>
#include <stdexcept>
#include <string>

#include "link/radio_link.h"
#include "model/lists.h"

namespace zav {

namespace {

// The word frame holding byte 0x6F starts at the even address before it.
constexpr int kWordAddress = kDtmfDeviationAddress & ~1;

void checkCode(int code) {
    if (!dtmfCodeValid(code))
        throw std::out_of_range("DTMF deviation code " + std::to_string(code) + " is not 0 to 31");
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::optional<int> dtmfCodeFromText(std::string_view text) {
    const std::string_view t = trimmed(text);
    int index = -1;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), index);
    if (!t.empty() && ec == std::errc{} && ptr == t.data() + t.size())
        return dtmfCodeValid(index) ? std::optional<int>(index) : std::nullopt;
    for (std::size_t i = 0; i < lists::kDtmfDeviation.size(); ++i) {
        if (sameText(t, trimmed(lists::kDtmfDeviation[i]))) return static_cast<int>(i);
    }
    return std::nullopt;
}

int dtmfDeviationCode(const MemImage& mem) {
    return fieldValue(mem[kDtmfDeviationAddress], global_field::kDtmfDeviation);
}

void storeDtmfDeviation(MemImage& mem, int code) {
    checkCode(code);
    mem[kDtmfDeviationAddress] = mergeDtmfDeviation(mem[kDtmfDeviationAddress], code);
}

DtmfWriteResult writeDtmfDeviation(RadioLink& link, int code) {
    checkCode(code);
    const auto guard = link.tryBeginOperation();
    if (!guard) return DtmfWriteResult::Busy;
    if (!link.hookRadio(LineSpeed::Baud4800)) {
        // A radio that did not answer leaves the port open; free it without a second
        // message. A port that failed to open has nothing to release.
        if (link.transport().isOpen()) link.releaseRadio();
        return DtmfWriteResult::HookFailed;
    }
    Word word{};
    DtmfWriteResult result = DtmfWriteResult::ReadFailed;
    // The radio's byte 0x6E and low bits of 0x6F go back as read: only a word read in
    // step may be written.
    if (link.readWord(kWordAddress, word) && link.confirmInStep()) {
        // The masks would allow the whole of byte 0x6F; the merge keeps the radio's low
        // bits itself, so the word goes out unmasked.
        const Byte merged = mergeDtmfDeviation(word[1], code);
        result = link.writeWord(kWordAddress, word[0], merged) ? DtmfWriteResult::Written
                                                               : DtmfWriteResult::WriteFailed;
    }
    link.releaseRadio();
    return result;
}

}  // namespace zav
