#include "model/globals.h"

#include <stdexcept>

#include "model/lists.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

namespace gl = global_field;

constexpr std::size_t kPasswordDigits = 6;

void checkListIndex(int value, std::size_t listSize, const char* what) {
    if (value < 0 || static_cast<std::size_t>(value) >= listSize) {
        throw std::overflow_error(std::string(what) + " " + std::to_string(value) +
                                  " does not fit its field");
    }
}

}  // namespace

GlobalParams readGlobalParams(const MemImage& mem) {
    GlobalParams p;
    p.password = loadPassword(mem);
    p.globalBat = 1 - getBits(mem, gl::kGlobalBattSave);  // stored inverted
    p.bankScan = getBits(mem, gl::kBankScan);
    p.priRate = getBits(mem, gl::kPriorityRate);
    p.dtmfDev = getBits(mem, gl::kDtmfDeviation);
    p.aniRate = getBits(mem, gl::kAniRate);
    p.porchTime = getBits(mem, gl::kFrontPorch);
    return p;
}

void writeGlobalParams(MemImage& mem, const GlobalParams& p) {
    // Check everything first so that a refused value leaves the page as it was.
    checkListIndex(p.globalBat, lists::kGlobalBattSave.size(), "global battery saver");
    checkListIndex(p.priRate, lists::kPriorityRate.size(), "priority rate");
    checkListIndex(p.bankScan, lists::kBankScan.size(), "bank scan");
    checkListIndex(p.dtmfDev, lists::kDtmfDeviation.size(), "DTMF deviation");
    checkListIndex(p.aniRate, lists::kAniRate.size(), "ANI rate");
    checkListIndex(p.porchTime, lists::kFrontPorch.size(), "front porch time");

    storePassword(mem, p.password);
    storeField(mem, gl::kGlobalBattSave, 1 - p.globalBat);
    storeField(mem, gl::kPriorityRate, p.priRate);
    storeField(mem, gl::kBankScan, p.bankScan);
    storeField(mem, gl::kDtmfDeviation, p.dtmfDev);
    storeField(mem, gl::kAniRate, p.aniRate);
    storeField(mem, gl::kFrontPorch, p.porchTime);
}

std::string loadPassword(const MemImage& mem) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text;
    for (const BitField f : gl::kPassword) {
        const auto b = static_cast<std::size_t>(getBits(mem, f));
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

void storePassword(MemImage& mem, std::string_view text) {
    std::string t(text);
    if (t.size() < kPasswordDigits) t.insert(0, kPasswordDigits - t.size(), '0');
    for (std::size_t i = 0; i < gl::kPassword.size(); ++i) {
        setBits(mem, gl::kPassword[i], hexTextToValue(t.substr(2 * i, 2)));
    }
}

}  // namespace zav
