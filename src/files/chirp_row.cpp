#include "files/chirp_row.h"

#include <algorithm>
#include <cstdint>

#include "model/field_entry.h"
#include "model/field_texts.h"
#include "model/frequency_check.h"

namespace zav {

namespace {

// CHIRP's defaults: what a column older exports lack holds, and what the unused column of
// a pair holds.
constexpr std::string_view kDefaultTone = "88.5";
constexpr std::string_view kDefaultCode = "023";
constexpr std::string_view kDefaultCross = "Tone->Tone";
constexpr std::string_view kNormal = "NN";
constexpr std::string_view kNoFrequency = "none";
constexpr std::string_view kArrow = "->";
constexpr std::string_view kToneMode = "Tone";
constexpr std::string_view kCodeMode = "DTCS";

constexpr int kHzDecimals = 6;  // MHz with six decimals is a whole number of hertz
constexpr std::int64_t kHzPerMHz = 1'000'000;
// A frequency the gate reads in MHz has at most three whole digits.
constexpr std::int64_t kMHzTextLimit = 1000 * kHzPerMHz;
// Transmit frequencies further than this from the receive one are written as split.
constexpr std::int64_t kLargestShift = 10 * kHzPerMHz;

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string mhzText(std::int64_t hz) {
    std::string decimals = std::to_string(hz % kHzPerMHz);
    decimals.insert(0, static_cast<std::size_t>(kHzDecimals) - decimals.size(), '0');
    return std::to_string(hz / kHzPerMHz) + "." + decimals;
}

// A code guard text for a side of a row: a tone ("088.5") or a code ("D023", "D023-").
using Guard = std::optional<std::string>;

class RowReader {
  public:
    explicit RowReader(const ChirpCells& cells) : cells_(cells) {}

    ChannelTexts read() {
        ChannelTexts out;
        RowData& t = out.texts;
        if (auto rx = receive()) t[kColRecFreq] = *rx;
        if (auto tx = refusal_ ? Guard{} : transmit(t[kColRecFreq])) t[kColTxFreq] = *tx;
        if (!refusal_) guards(t[kColTxCG], t[kColRecCG]);
        // Some radios' names are padded with blanks past the label's 8 characters.
        std::string name(cell("Name"));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!refusal_) t[kColLabel] = gated(kColLabel, "Name", name);
        if (!refusal_) t[kColScan] = scanText();
        if (!refusal_) modeCheck();
        out.refusal = refusal_;
        return out;
    }

  private:
    // A cell, or `absent` when the table lacks its column or leaves it empty.
    std::string_view cell(std::string_view column, std::string_view absent = {}) const {
        const auto at = cells_.find(column);
        return at == cells_.end() || at->second.empty() ? absent : std::string_view(at->second);
    }

    Guard refuse(std::string_view column, std::string reason) {
        if (!refusal_) refusal_ = RowRefusal{std::string(column), std::move(reason)};
        return std::nullopt;
    }

    // The text the gate of a grid column shows for an entry; "" after a refusal.
    std::string gated(int column, std::string_view name, std::string_view text) {
        const FieldEntry entry = channelEntry(column, text);
        if (entry) return entry.shown();
        refuse(name, entry.reason());
        return {};
    }

    std::optional<std::int64_t> hertz(std::string_view column) {
        const auto hz = wholeUnits(cell(column), kHzDecimals);
        if (!hz) refuse(column, quoted(cell(column)) + " is not a frequency in MHz");
        return hz;
    }

    Guard frequency(std::string_view column, std::int64_t hz) {
        if (hz >= kMHzTextLimit)
            return refuse(column, mhzText(hz) + " is not a frequency of the radio: 400 to 600 MHz");
        const FieldEntry entry = frequencyEntry(mhzText(hz));
        if (!entry) return refuse(column, entry.reason());
        return entry.shown();
    }

    Guard receive() {
        const auto hz = hertz("Frequency");
        if (!hz) return std::nullopt;
        Guard rx = frequency("Frequency", *hz);
        if (rx == kNoFrequency) return refuse("Frequency", "a channel needs a receive frequency");
        return rx;
    }

    Guard transmit(const std::string& rx) {
        const std::string_view duplex = cell("Duplex");
        if (duplex.empty()) return rx;
        if (duplex == "off") return std::string(kNoFrequency);
        if (duplex != "+" && duplex != "-" && duplex != "split")
            return refuse("Duplex", quoted(duplex) + " is not a duplex: empty, +, -, split or off");
        const auto offset = hertz("Offset");
        if (!offset) return std::nullopt;
        if (duplex == "split") return frequency("Offset", *offset);
        const std::int64_t base = wholeUnits(rx, kHzDecimals).value_or(0);
        const std::int64_t hz = duplex == "+" ? base + *offset : base - *offset;
        if (hz <= 0) return refuse("Offset", "Frequency - Offset leaves no frequency");
        return frequency("Offset", hz);
    }

    Guard tone(std::string_view column) {
        const std::string_view text = cell(column, kDefaultTone);
        if (text.starts_with('D') || text.starts_with('d'))
            return refuse(column, quoted(text) + " is not a tone");
        std::string shown = gated(kColTxCG, column, text);
        if (!refusal_ && shown.empty()) return refuse(column, quoted(text) + " is not a tone");
        return refusal_ ? Guard{} : Guard{shown};
    }

    // A code's three octal digits ("023" from "23").
    Guard codeDigits(std::string_view column) {
        const std::string_view text = cell(column, kDefaultCode);
        std::string digits(text);
        if (text.empty() || text.size() > 3 ||
            !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '7'; }))
            return refuse(column, quoted(text) + " is not a digital code: three digits 0 to 7");
        digits.insert(0, 3 - digits.size(), '0');
        return digits;
    }

    static Guard code(const Guard& digits, char polarity) {
        if (!digits) return std::nullopt;
        return "D" + *digits + (polarity == 'R' ? "-" : "");
    }

    // The transmit and receive code guards of the tone columns.
    void guards(std::string& tx, std::string& rx) {
        const std::string_view polarity = cell("DtcsPolarity", kNormal);
        if (polarity.size() != 2 ||
            !std::ranges::all_of(polarity, [](char c) { return c == 'N' || c == 'R'; })) {
            refuse("DtcsPolarity", quoted(polarity) + " is not a polarity: two of N and R");
            return;
        }
        const std::string_view mode = cell("Tone");
        Guard t = std::string();
        Guard r = std::string();
        if (mode == kToneMode) {
            t = tone("rToneFreq");
        } else if (mode == "TSQL") {
            t = r = tonePair();
        } else if (mode == kCodeMode) {
            const Guard digits = codePair("DtcsCode", "RxDtcsCode");
            t = code(digits, polarity[0]);
            r = code(digits, polarity[1]);
        } else if (mode == "Cross") {
            cross(t, r, polarity);
        } else if (!mode.empty()) {
            refuse("Tone", quoted(mode) + " is not a tone mode: empty, Tone, TSQL, DTCS or Cross");
        }
        if (refusal_) return;
        tx = *t;
        rx = *r;
    }

    void cross(Guard& t, Guard& r, std::string_view polarity) {
        const std::string_view mode = cell("CrossMode", kDefaultCross);
        const auto arrow = mode.find(kArrow);
        const std::string_view from = mode.substr(0, arrow);
        const std::string_view to =
            arrow == std::string_view::npos ? "?" : mode.substr(arrow + kArrow.size());
        const auto side = [](std::string_view s) {
            return s.empty() || s == kToneMode || s == kCodeMode;
        };
        if (!side(from) || !side(to) || (from.empty() && to.empty())) {
            refuse("CrossMode", quoted(mode) + " is not a cross mode such as Tone->DTCS");
            return;
        }
        if (from == kToneMode) t = tone("rToneFreq");
        if (from == kCodeMode) t = code(codeDigits("DtcsCode"), polarity[0]);
        if (to == kToneMode) r = tone("cToneFreq");
        if (to == kCodeMode)
            r = code(
                from == kCodeMode ? codeDigits("RxDtcsCode") : codePair("RxDtcsCode", "DtcsCode"),
                polarity[1]);
    }

    Guard tonePair() { return pairOf("rToneFreq", "cToneFreq", &RowReader::tone); }
    Guard codePair(std::string_view a, std::string_view b) {
        return pairOf(a, b, &RowReader::codeDigits);
    }

    // The value of a pair of columns of which CHIRP fills one, the other at its default:
    // the one that is not the default, or the value both hold; two others are refused.
    Guard pairOf(std::string_view first, std::string_view second,
                 Guard (RowReader::*value)(std::string_view)) {
        const Guard a = (this->*value)(first);
        const Guard b = a ? (this->*value)(second) : Guard{};
        if (!b) return std::nullopt;
        const ChirpCells noCells;
        RowReader defaults(noCells);
        const Guard fallback = (defaults.*value)(first);
        if (*a == *b || *b == *fallback) return a;
        if (*a == *fallback) return b;
        return refuse(second, quoted(cell(second)) + " and " + std::string(first) + " " +
                                  quoted(cell(first)) + " differ and neither is the default");
    }

    std::string scanText() {
        const std::string_view skip = cell("Skip");
        if (skip.empty()) return std::string(kFlagSet);
        if (skip != "S" && skip != "P")
            refuse("Skip", quoted(skip) + " is not a skip: empty, S or P");
        return {};
    }

    void modeCheck() {
        const std::string_view mode = cell("Mode");
        if (!mode.empty() && mode != "FM" && mode != "NFM")
            refuse("Mode", quoted(mode) + " cannot be held: the radio's channels are FM");
    }

    const ChirpCells& cells_;
    std::optional<RowRefusal> refusal_;
};

// "67.0" for "067.0".
std::string toneCell(std::string_view guard) {
    while (guard.size() > 1 && guard.front() == '0' && guard[1] != '.') guard.remove_prefix(1);
    return std::string(guard);
}

bool isCode(std::string_view guard) {
    return guard.starts_with('D');
}

std::string codeCell(std::string_view guard) {
    return std::string(guard.substr(1, 3));
}

std::string_view side(std::string_view guard) {
    if (guard.empty()) return {};
    return isCode(guard) ? kCodeMode : kToneMode;
}

// The tone columns of a channel's transmit and receive code guards: the plain modes where
// they fit, else Cross. Each pair a reader takes one value from holds it twice.
void toneCells(ChirpCells& cells, std::string_view tx, std::string_view rx) {
    const auto letter = [](std::string_view g) {
        return isCode(g) && g.ends_with('-') ? 'R' : 'N';
    };
    cells["DtcsPolarity"] = {letter(tx), letter(rx)};
    if (tx.empty() && rx.empty()) return;
    if (side(tx) == kToneMode && rx.empty()) {
        cells["Tone"] = kToneMode;
        cells["rToneFreq"] = toneCell(tx);
    } else if (side(tx) == kToneMode && tx == rx) {
        cells["Tone"] = "TSQL";
        cells["rToneFreq"] = cells["cToneFreq"] = toneCell(tx);
    } else if (isCode(tx) && isCode(rx) && codeCell(tx) == codeCell(rx)) {
        cells["Tone"] = kCodeMode;
        cells["DtcsCode"] = cells["RxDtcsCode"] = codeCell(tx);
    } else {
        cells["Tone"] = "Cross";
        cells["CrossMode"] = std::string(side(tx)) + std::string(kArrow) + std::string(side(rx));
        if (side(tx) == kToneMode) cells["rToneFreq"] = toneCell(tx);
        if (isCode(tx)) cells["DtcsCode"] = codeCell(tx);
        if (side(rx) == kToneMode) cells["cToneFreq"] = toneCell(rx);
        if (isCode(rx)) cells["RxDtcsCode"] = codeCell(rx);
        if (isCode(rx) && !isCode(tx)) cells["DtcsCode"] = codeCell(rx);
    }
}

}  // namespace

ChannelTexts channelTexts(const ChirpCells& cells) {
    return RowReader(cells).read();
}

ChirpCells chirpCells(const RowData& texts) {
    ChirpCells cells{{"Tone", ""},
                     {"rToneFreq", std::string(kDefaultTone)},
                     {"cToneFreq", std::string(kDefaultTone)},
                     {"DtcsCode", std::string(kDefaultCode)},
                     {"RxDtcsCode", std::string(kDefaultCode)},
                     {"CrossMode", std::string(kDefaultCross)},
                     {"Mode", "FM"},
                     {"TStep", "12.50"},
                     {"Skip", texts[kColScan] == kFlagSet ? "" : "S"}};
    const std::int64_t rx = wholeUnits(texts[kColRecFreq], kHzDecimals).value_or(0);
    const auto tx = wholeUnits(texts[kColTxFreq], kHzDecimals);
    cells["Frequency"] = mhzText(rx);
    cells["Offset"] = mhzText(0);
    if (!tx || *tx == 0) {
        cells["Duplex"] = "off";
    } else if (*tx != rx && std::max(*tx, rx) - std::min(*tx, rx) <= kLargestShift) {
        cells["Duplex"] = *tx > rx ? "+" : "-";
        cells["Offset"] = mhzText(std::max(*tx, rx) - std::min(*tx, rx));
    } else if (*tx != rx) {
        cells["Duplex"] = "split";
        cells["Offset"] = mhzText(*tx);
    }
    toneCells(cells, texts[kColTxCG], texts[kColRecCG]);
    return cells;
}

}  // namespace zav
