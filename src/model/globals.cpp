#include "model/globals.h"

#include <stdexcept>

#include "model/lists.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

namespace gl = global_field;

constexpr std::size_t kPasswordDigits = 6;

void CheckListIndex(int value, std::size_t listSize, const char* what) {
    if (value < 0 || static_cast<std::size_t>(value) >= listSize) {
        throw std::overflow_error(std::string(what) + " " + std::to_string(value) +
                                  " does not fit its field");
    }
}

}  // namespace

GlobalParams LoadGlobalsToForm(const MemImage& mem) {
    GlobalParams p;
    p.password = LoadPassword(mem);
    p.globalBat = 1 - GetBits(mem, gl::kGlobalBattSave);  // stored inverted
    p.bankScan = GetBits(mem, gl::kBankScan);
    p.priRate = GetBits(mem, gl::kPriorityRate);
    p.dtmfDev = GetBits(mem, gl::kDtmfDeviation);
    p.aniRate = GetBits(mem, gl::kAniRate);
    p.porchTime = GetBits(mem, gl::kFrontPorch);
    return p;
}

void StoreGlobalsFromForm(MemImage& mem, const GlobalParams& p) {
    // Check everything first so that a refused value leaves the page as it was.
    CheckListIndex(p.globalBat, lists::kGlobalBattSave.size(), "global battery saver");
    CheckListIndex(p.priRate, lists::kPriorityRate.size(), "priority rate");
    CheckListIndex(p.bankScan, lists::kBankScan.size(), "bank scan");
    CheckListIndex(p.dtmfDev, lists::kDtmfDeviation.size(), "DTMF deviation");
    CheckListIndex(p.aniRate, lists::kAniRate.size(), "ANI rate");
    CheckListIndex(p.porchTime, lists::kFrontPorch.size(), "front porch time");

    StorePassword(mem, p.password);
    StoreField(mem, gl::kGlobalBattSave, 1 - p.globalBat);
    StoreField(mem, gl::kPriorityRate, p.priRate);
    StoreField(mem, gl::kBankScan, p.bankScan);
    StoreField(mem, gl::kDtmfDeviation, p.dtmfDev);
    StoreField(mem, gl::kAniRate, p.aniRate);
    StoreField(mem, gl::kFrontPorch, p.porchTime);
}

std::string LoadPassword(const MemImage& mem) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text;
    for (const BitField f : gl::kPassword) {
        const auto b = static_cast<std::size_t>(GetBits(mem, f));
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

void StorePassword(MemImage& mem, std::string_view text) {
    std::string t(text);
    if (t.size() < kPasswordDigits) t.insert(0, kPasswordDigits - t.size(), '0');
    for (std::size_t i = 0; i < gl::kPassword.size(); ++i) {
        SetBits(mem, gl::kPassword[i], HexTextToValue(t.substr(2 * i, 2)));
    }
}

}  // namespace zav
