// The label commands of the radio operations: reading and writing the alpha labels of one
// group or of the whole radio, with the history's copies and backups.

#include "files/radio_history.h"
#include "iface/progress.h"
#include "iface/prompts.h"
#include "iface/shown_text.h"
#include "link/label_transfer.h"
#include "link/radio_link.h"
#include "model/document.h"
#include "ops/editor_hooks.h"
#include "ops/radio_operations.h"

namespace zav {

OperationResult RadioOperations::labelReadGroupSteps() {
    return labelRead(&RadioOperations::readGroupLabels);
}

OperationResult RadioOperations::labelReadRadioSteps() {
    return labelRead(&RadioOperations::readAllLabels);
}

// A label read as a command of its own: asked over unsaved edits, kept in the history.
OperationResult RadioOperations::labelRead(OperationResult (RadioOperations::*read)()) {
    if (!start()) return busy();
    if (!mayReplace()) return OperationResult::cancelled();
    OperationResult result = (this->*read)();
    if (result.done()) keepRead(HistoryReason::ReadLabels);
    return result;
}

OperationResult RadioOperations::readGroupLabels() {
    if (!linkFree()) return busy();
    const int g = labelGroup();
    const LabelImage backup = doc_.labels;
    if (!readLabelsFromRadio(link_, doc_.labels, g)) {
        doc_.labels = backup;
        return failure("the labels were not read");
    }
    doc_.markRead();
    editor_.replaced(Replaced::GroupLabels);
    tell("Group " + std::to_string(g + 1) + " labels read OK.",
         shownText("Messages", "Read Labels"));
    return OperationResult::success();
}

OperationResult RadioOperations::readAllLabels() {
    if (!linkFree()) return busy();
    const LabelImage backup = doc_.labels;
    if (!readLabelsFromRadio(link_, doc_.labels, -1)) {
        doc_.labels = backup;
        return failure("the labels were not read");
    }
    doc_.markRead();
    editor_.replaced(Replaced::AllLabels);
    tell(shownText("Messages", "All labels read OK."), shownText("Messages", "Read Labels"));
    return OperationResult::success();
}

OperationResult RadioOperations::labelWriteGroupSteps() {
    if (!start()) return busy();
    OperationResult b = backUp(HistoryReason::BeforeWriteLabels, LabelChoice::Transfer);
    return b.done() ? writeGroupLabels() : b;
}

OperationResult RadioOperations::labelWriteRadioSteps() {
    if (!start()) return busy();
    OperationResult b = backUp(HistoryReason::BeforeWriteLabels, LabelChoice::Transfer);
    return b.done() ? writeAllLabels() : b;
}

// A cancelled label write stopped between two labels: some may have gone.
OperationResult RadioOperations::labelWriteStopped() const {
    if (link_.progress().cancelled())
        return {Outcome::Cancelled, "the labels were not all written"};
    return OperationResult::failure("the labels were not written");
}

OperationResult RadioOperations::writeGroupLabels() {
    if (!linkFree()) return busy();
    const int g = labelGroup();
    if (!writeLabelsToRadio(link_, doc_.labels, g, radioLabels_ ? &*radioLabels_ : nullptr))
        return labelWriteStopped();
    tell("Group " + std::to_string(g + 1) + " labels written OK.",
         shownText("Messages", "Write Labels"));
    return OperationResult::success();
}

OperationResult RadioOperations::writeAllLabels() {
    if (!linkFree()) return busy();
    if (!writeLabelsToRadio(link_, doc_.labels, -1, radioLabels_ ? &*radioLabels_ : nullptr))
        return labelWriteStopped();
    tell(shownText("Messages", "All labels written OK."), shownText("Messages", "Write Labels"));
    return OperationResult::success();
}

}  // namespace zav
