// Settings as a user or another program may have left them: any text under any key,
// read by every reader the editor has. Readers give values in their ranges and finite
// window placements; a number written reads back as the same number.

#include <cstdint>
#include <string>

#include "files/settings.h"
#include "fuzz_check.h"
#include "iface/settings_store.h"
#include "settings_checks.h"

using namespace zav;
using zav::fuzz::checkSettingsReaders;
using zav::fuzz::FuzzInput;

namespace {

double extentFrom(FuzzInput& input) {
    return static_cast<double>(input.takeByte()) * 16.0 + input.takeByte();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Extent screen{extentFrom(input), extentFrom(input)};
    const Extent window{extentFrom(input), extentFrom(input)};
    MemorySettingsStore store;
    // Key index, then the value up to a zero byte, as often as the input lasts.
    while (!input.empty()) {
        const SettingKey& key = settings::kAll[input.takeByte() % settings::kAll.size()];
        store.write(std::string(key.section), std::string(key.key), input.takeField());
    }

    checkSettingsReaders(store, screen, window);
    return 0;
}
