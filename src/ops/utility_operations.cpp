#include "ops/utility_operations.h"

#include <string>

#include "link/dtmf_deviation.h"
#include "ops/operation_trace.h"
#include "syncal/syncal.h"

namespace zav {

namespace {

OperationResult dtmfSteps(RadioLink& link, int code) {
    switch (writeDtmfDeviation(link, code)) {
        case DtmfWriteResult::Written:
            return OperationResult::success();
        case DtmfWriteResult::ReadFailed:
            return OperationResult::failure(
                "the radio did not send its byte 0x6F; nothing was written");
        case DtmfWriteResult::WriteFailed:
            return OperationResult::failure("the radio did not confirm the write");
        case DtmfWriteResult::Busy:
            return OperationResult::failure("another radio operation is in progress");
        case DtmfWriteResult::HookFailed:
            break;
    }
    return OperationResult::failure("the radio was not reached");
}

OperationResult alignmentSteps(Syncal& syncal) {
    const SyncalOutcome outcome = syncal.run();
    if (syncal.completed()) return OperationResult::success();
    std::string text = outcomeText(outcome);
    if (text.empty()) text = "the alignment did not complete";
    if (const int status = statusNumber(outcome); status != 0)
        text += " (status " + std::to_string(status) + ")";
    return OperationResult::failure(text);
}

}  // namespace

OperationResult sendDtmfDeviation(RadioLink& link, int code) {
    return bracketed(link, "Write DTMF Deviation", [&] { return dtmfSteps(link, code); });
}

OperationResult alignSynthesizer(Syncal& syncal) {
    if (syncal.running()) return OperationResult::failure("an alignment is running");
    return bracketed(syncal.link(), "Syncal", [&] { return alignmentSteps(syncal); });
}

}  // namespace zav
