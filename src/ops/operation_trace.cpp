// Each radio operation of the menus and zavtool, bracketed by its name and how it ended,
// so that a trace or a log shows which bytes belong to what the user did.
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

OperationResult RadioOperations::traced(std::string_view name,
                                        OperationResult (RadioOperations::*steps)()) {
    // A second operation refused while one runs brackets nothing: its refusal is no
    // conversation of its own.
    if (link_.busy()) return (this->*steps)();
    link_.log().write(LogArea::Operations, std::string(name) + " begins");
    if (trace_ != nullptr) trace_->operationBegins(name);
    const OperationResult result = (this->*steps)();
    const std::string outcome = outcomeText(result);
    link_.log().write(LogArea::Operations, std::string(name) + " ends: " + outcome);
    if (trace_ != nullptr) trace_->operationEnds(name, outcome);
    return result;
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
