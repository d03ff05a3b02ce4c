// The radio history's part in the radio operations: what a read brought is kept after
// it, and what a write replaces is read and kept before its first byte.

#include "files/file_error.h"
#include "files/radio_history.h"
#include "files/settings.h"
#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/label_transfer.h"
#include "link/radio_link.h"
#include "link/radio_read.h"
#include "model/document.h"
#include "ops/radio_operations.h"

namespace zav {

bool RadioOperations::kept(const KeptCopy& copy, std::string_view what,
                           std::string_view consequence) {
    if (!copy.error) {
        historyFile_ = copy.path;
        return true;
    }
    const FileError error = classicFileError(copy.error, copy.path);
    link_.prompts().ask(warning(std::string(what) + " could not be kept in " + copy.path + ": " +
                                    error.description + "." + std::string(consequence),
                                kHistoryTitle, error.systemReason));
    return false;
}

void RadioOperations::keepRead(HistoryReason reason) {
    if (history_ == nullptr) return;
    (void)kept(history_->keep(reason, link_.transport().device(), doc_.mem, doc_.labels),
               "The read", "");
}

OperationResult RadioOperations::backUp(HistoryReason reason, LabelChoice labels) {
    radioLabels_.reset();
    radioImage_.reset();
    if (history_ == nullptr || !backup_) return OperationResult::success();
    // Read as a Read Radio reads into the editor, into copies: what the radio does not
    // hold (absent groups, the labels when they are not read) is the document's.
    MemImage image = doc_.mem;
    LabelImage radioLabels = doc_.labels;
    Progress& progress = link_.progress();
    progress.beginOperation(kBackingUpRadio, OperationKind::Reads);
    const bool read = zav::readRadio(link_, image);
    progress.endOperation();
    const bool readLabels = labels == LabelChoice::Transfer;
    if (!read || (readLabels && !readLabelsFromRadio(link_, radioLabels, kAllLabels))) {
        if (progress.cancelled()) return {Outcome::Cancelled, "nothing was written"};
        return failure("the radio was not read for its backup: nothing was written");
    }
    const KeptCopy copy = history_->keep(reason, link_.transport().device(), image, radioLabels);
    if (!kept(copy, "The radio's contents", " Nothing was written to the radio."))
        return OperationResult::failure("the radio's contents could not be kept in " + copy.path +
                                        ": nothing was written");
    if (readLabels) radioLabels_ = radioLabels;
    radioImage_ = image;
    return OperationResult::success();
}

void RadioOperations::setBackupBeforeWrite(bool backup) {
    backup_ = backup;
    writeInt(settings_, settings::kBackupWrite, backup ? 1 : 0);
}

}  // namespace zav
