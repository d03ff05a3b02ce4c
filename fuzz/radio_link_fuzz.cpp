// The host's side of every radio operation against a radio that answers with the
// fuzzer's bytes at the fuzzer's times: the operation ends (no crash, no wait beyond the
// limits), leaves the port closed, and writes no protected bit (scripted_radio_port.h).

#include <cstdint>

#include "radio_replies.h"
#include "scripted_radio_port.h"

using namespace zav;
using namespace zav::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const RunHeader header{input.takeByte(), input.takeByte(), input.takeByte(), input.takeByte()};
    ScriptedRadioPort port(input, computedBytes(header));
    (void)runOperation(port, header);
    require(!port.isOpen(), "the operation closes the port");
    return 0;
}
