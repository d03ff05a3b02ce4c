#include "ops/operation_trace.h"

#include <string>

#include "iface/log.h"
#include "link/radio_link.h"
#include "link/trace_port.h"
#include "ops/radio_operations.h"

namespace zav {

std::string outcomeText(const OperationResult& result) {
    switch (result.outcome) {
        case Outcome::Done:
            return "done";
        case Outcome::Cancelled:
            return "cancelled";
        case Outcome::Failed:
            break;
    }
    return result.message.empty() ? "failed" : "failed: " + result.message;
}

OperationResult bracketed(RadioLink& link, std::string_view name,
                          const std::function<OperationResult()>& steps) {
    if (link.busy()) return steps();
    link.log().write(LogArea::Operations, std::string(name) + " begins");
    if (link.trace() != nullptr) link.trace()->operationBegins(name);
    const OperationResult result = steps();
    const std::string outcome = outcomeText(result);
    link.log().write(LogArea::Operations, std::string(name) + " ends: " + outcome);
    if (link.trace() != nullptr) link.trace()->operationEnds(name, outcome);
    return result;
}

void RadioOperations::setTrace(TracePort* trace) {
    link_.setTrace(trace);
}

OperationResult RadioOperations::traced(std::string_view name,
                                        OperationResult (RadioOperations::*steps)()) {
    return bracketed(link_, name, [&] { return (this->*steps)(); });
}

OperationResult RadioOperations::readRadio() {
    return traced("Read Radio", &RadioOperations::readRadioSteps);
}

OperationResult RadioOperations::readGlobal() {
    return traced("Read Global", &RadioOperations::readGlobalSteps);
}

OperationResult RadioOperations::readGroup() {
    return traced("Read Group", &RadioOperations::readGroupSteps);
}

OperationResult RadioOperations::writeRadio() {
    return traced("Write Radio", &RadioOperations::writeRadioSteps);
}

OperationResult RadioOperations::writeGlobal() {
    return traced("Write Global", &RadioOperations::writeGlobalSteps);
}

OperationResult RadioOperations::writeGroup() {
    return traced("Write Group", &RadioOperations::writeGroupSteps);
}

OperationResult RadioOperations::labelReadGroup() {
    return traced("Read Group Labels", &RadioOperations::labelReadGroupSteps);
}

OperationResult RadioOperations::labelReadRadio() {
    return traced("Read Labels", &RadioOperations::labelReadRadioSteps);
}

OperationResult RadioOperations::labelWriteGroup() {
    return traced("Write Group Labels", &RadioOperations::labelWriteGroupSteps);
}

OperationResult RadioOperations::labelWriteRadio() {
    return traced("Write Labels", &RadioOperations::labelWriteRadioSteps);
}

}  // namespace zav
