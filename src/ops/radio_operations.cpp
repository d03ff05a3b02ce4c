#include "ops/radio_operations.h"
#include "iface/shown_text.h"

#include <algorithm>
#include <string>

#include "files/radio_history.h"
#include "files/settings.h"
#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/global_transfer.h"
#include "link/label_transfer.h"
#include "link/port_devices.h"
#include "link/radio_link.h"
#include "link/radio_read.h"
#include "link/radio_write.h"
#include "link/write_verify.h"
#include "model/document.h"
#include "model/image_diff.h"
#include "ops/editor_hooks.h"
#include "ops/write_stopped.h"

namespace zav {

namespace {

// A failed read puts back the radio's part of the image; the spare byte after it is the
// file's and never changes.
void restoreRadioBytes(MemImage& image, const MemImage& backup) {
    std::copy_n(backup.begin(), kRadioMemorySize, image.begin());
}

OperationResult absent(int number) {
    return OperationResult::failure("group " + std::to_string(number) + " is not on the radio");
}

}  // namespace

RadioOperations::RadioOperations(Document& doc, RadioLink& link, SettingsStore& settings,
                                 EditorHooks& editor, RadioHistory* history)
    : doc_(doc),
      link_(link),
      settings_(settings),
      editor_(editor),
      history_(history),
      labelSetting_(readLabelSetting(settings)),
      port_(readPort(settings)),
      verify_(readInt(settings, settings::kVerifyWrite) == 1),
      backup_(readInt(settings, settings::kBackupWrite) == 1) {
    if (link_.transport().isOpen()) link_.transport().closePort();
    link_.transport().setPort(std::to_string(port_));
}

OperationResult RadioOperations::busy() {
    return OperationResult::failure("another radio operation is in progress");
}

bool RadioOperations::linkFree() {
    return link_.tryBeginOperation().has_value();
}

bool RadioOperations::start() {
    historyFile_.clear();
    bandNote_.clear();
    radioBand_.reset();
    radioLabels_.reset();
    return linkFree();
}

void RadioOperations::tell(const std::string& text, const char* title) {
    Message m;
    m.text = text;
    m.title = title;
    link_.prompts().ask(m);
}

OperationResult RadioOperations::failure(std::string message) const {
    if (link_.progress().cancelled()) return OperationResult::cancelled();
    return OperationResult::failure(std::move(message));
}

OperationResult RadioOperations::withLabels(LabelChoice labels, OperationResult result,
                                            OperationResult (RadioOperations::*step)()) {
    if (labels != LabelChoice::Transfer) return result;
    // A cancel asked for while the image step could not stop skips the labels.
    OperationResult labelResult =
        link_.progress().cancelled() ? OperationResult::cancelled() : (this->*step)();
    if (!result.done()) return result;
    // The image step's success message follows a cancelled label step: the result keeps
    // which part did not happen.
    const bool reading =
        step == &RadioOperations::readAllLabels || step == &RadioOperations::readGroupLabels;
    if (labelResult.outcome == Outcome::Cancelled && labelResult.message.empty())
        labelResult.message = reading ? "the labels were not read" : "the labels were not written";
    return labelResult;
}

bool RadioOperations::mayReplace() {
    return editor_.mayReplace(kAskSaveBeforeRead);
}

bool RadioOperations::confirmWrite() {
    Message m;
    m.text = kConfirmWrite;
    m.buttons = Buttons::OkCancel;
    return link_.prompts().ask(m) == Answer::Ok;
}

int RadioOperations::labelGroup() const {
    return std::max(editor_.shownGroup(), 0);
}

LabelChoice RadioOperations::askLabelTransfer(OperationKind kind) {
    if (labelSetting_ == LabelSetting::Always) return LabelChoice::Transfer;
    if (labelSetting_ == LabelSetting::Never) return LabelChoice::Skip;
    Message m;
    m.text = kind == OperationKind::Writes ? kAskWriteLabels : kAskReadLabels;
    m.title = kLabelQuestionTitle;
    m.buttons = Buttons::YesNoCancel;
    m.icon = Icon::Question;
    switch (link_.prompts().ask(m)) {
        case Answer::Yes:
            return LabelChoice::Transfer;
        case Answer::No:
            return LabelChoice::Skip;
        default:
            return LabelChoice::Cancel;
    }
}

// --- Reads -----------------------------------------------------------------------------

OperationResult RadioOperations::readRadioSteps() {
    if (!start()) return busy();
    if (!mayReplace()) return OperationResult::cancelled();
    const LabelChoice labels = askLabelTransfer(OperationKind::Reads);
    if (labels == LabelChoice::Cancel) return OperationResult::cancelled();
    Progress& progress = link_.progress();
    progress.beginOperation(kReadingRadio, OperationKind::Reads);
    const MemImage backup = doc_.mem;
    const bool ok = zav::readRadio(link_, doc_.mem);
    progress.endOperation();
    if (!ok) {
        restoreRadioBytes(doc_.mem, backup);
        return failure("the radio was not read");
    }
    doc_.markRead();
    radioBand_ = decodeRadioBand(bandBytesOf(doc_.mem));
    OperationResult result =
        withLabels(labels, OperationResult::success(), &RadioOperations::readAllLabels);
    tell(shownText("Messages", "All groups read OK."), shownText("Messages", "Read Radio"));
    editor_.replaced(Replaced::Radio);
    keepRead(HistoryReason::Read);
    return result;
}

OperationResult RadioOperations::readGlobalSteps() {
    if (!start()) return busy();
    if (!mayReplace()) return OperationResult::cancelled();
    // Read into a copy: a read that breaks off part-way would otherwise leave a global
    // block that is half the radio's and half the old one.
    MemImage scratch = doc_.mem;
    if (zav::readGlobal(link_, scratch)) {
        std::copy_n(scratch.begin(), kPageSize, doc_.mem.begin());
        doc_.markRead();
        radioBand_ = decodeRadioBand(bandBytesOf(doc_.mem));
        editor_.replaced(Replaced::Global);
        keepRead(HistoryReason::ReadGlobal);
        return OperationResult::success();
    }
    // A port or hook failure has been reported; a read that broke off after the radio
    // answered would otherwise end without a word.
    if (hookReplyAccepted(link_.hookReply()) && !link_.progress().cancelled()) {
        Message m;
        m.text = shownText("Messages", "Error reading radio");
        m.title = kCommErrorTitle;
        m.icon = Icon::Information;
        link_.prompts().ask(m);
    }
    return failure("the global block was not read");
}

OperationResult RadioOperations::readGroupSteps() {
    if (!start()) return busy();
    const int number = editor_.shownGroup() + 1;
    // Without a selected group there is nothing to read into (group 0 would be the
    // global block).
    if (number < 1 || number > kGroupCount) return OperationResult::failure("no group is selected");
    if (!mayReplace()) return OperationResult::cancelled();
    const LabelChoice labels = askLabelTransfer(OperationKind::Reads);
    if (labels == LabelChoice::Cancel) return OperationResult::cancelled();
    Progress& progress = link_.progress();
    progress.beginOperation(kReadingRadio, OperationKind::Reads);
    // The link changes the image only when the whole group came.
    const GroupTransfer read = zav::readGroup(link_, doc_.mem, number);
    progress.endOperation();
    if (read != GroupTransfer::Done) {
        // A group the radio lacks has been told; its labels are not read either.
        return read == GroupTransfer::Absent ? absent(number) : failure("the group was not read");
    }
    doc_.markRead();
    editor_.replaced(Replaced::Group);
    OperationResult result =
        withLabels(labels, OperationResult::success(), &RadioOperations::readGroupLabels);
    keepRead(HistoryReason::ReadGroup);
    return result;
}

// --- Writes ----------------------------------------------------------------------------

OperationResult RadioOperations::writeRadioSteps() {
    if (!start()) return busy();
    if (!confirmWrite()) return OperationResult::cancelled();
    Message global;
    global.text = kAskWriteGlobal;
    global.buttons = Buttons::YesNo;
    const GlobalBlock globalBlock =
        link_.prompts().ask(global) == Answer::No ? GlobalBlock::Skip : GlobalBlock::Write;
    const LabelChoice labels = askLabelTransfer(OperationKind::Writes);
    if (labels == LabelChoice::Cancel) return OperationResult::cancelled();
    if (OperationResult b = backUp(HistoryReason::BeforeWrite, labels); !b.done()) return b;
    if (OperationResult b = checkBand(std::nullopt); !b.done()) return b;
    Progress& progress = link_.progress();
    progress.beginOperation(kWritingRadio, OperationKind::Writes);
    BlocksReached reached{};
    const RadioWrite written = zav::writeRadio(link_, doc_.mem, globalBlock, reached);
    progress.endOperation();
    if (written == RadioWrite::NoGroupInCommon) {
        const std::string text = kNoGroupInCommon;
        tell(text, shownText("Messages", "Write Radio"));
        return OperationResult::failure(text);
    }
    if (written != RadioWrite::Written) {
        // A write that stopped part-way says what the radio now holds, also when cancelled.
        const std::optional<std::string> stopped = writeStoppedText(reached);
        if (!stopped && progress.cancelled()) return {Outcome::Cancelled, "nothing was written"};
        OperationResult result = failure(stopped.value_or("the radio was not written"));
        if (stopped)
            result.message =
                *stopped + (labels == LabelChoice::Transfer ? "; the labels were not written" : "");
        return result;
    }
    OperationResult result =
        withLabels(labels, OperationResult::success(), &RadioOperations::writeAllLabels);
    if (verify_ && result.done()) {
        OperationResult checked =
            verifyWrite(std::nullopt, globalBlock,
                        labels == LabelChoice::Transfer ? std::optional(kAllLabels) : std::nullopt);
        if (!checked.done()) return checked;
    }
    tell(shownText("Messages", "All groups written OK."), shownText("Messages", "Write Radio"));
    return result;
}

OperationResult RadioOperations::verifyWrite(std::optional<int> block, GlobalBlock global,
                                             std::optional<int> labels) {
    Progress& progress = link_.progress();
    // A cancel asked for while the write could not stop, or during the read back.
    const OperationResult notReadBack{Outcome::Cancelled, "the radio was written, not read back"};
    if (progress.cancelled()) return notReadBack;
    progress.beginOperation(kVerifyingRadio, OperationKind::Reads);
    MemImage radio = doc_.mem;
    bool read = false;
    if (!block)
        read = zav::readRadio(link_, radio);
    else if (*block == 0)
        read = zav::readGlobal(link_, radio);
    else
        read = zav::readGroup(link_, radio, *block) == GroupTransfer::Done;
    progress.endOperation();
    if (!read && progress.cancelled()) return notReadBack;
    if (!read) return failure("the radio was not read back to verify the write");
    const std::vector<int> blocks =
        block ? std::vector<int>{*block} : blocksWritten(doc_.mem, radio, global);
    std::vector<std::string> lines;
    std::string addresses;
    const auto fault = [&](std::string_view where, int a, Byte written, Byte held) {
        lines.push_back(byteDifferenceText(where, static_cast<std::size_t>(a), written, held));
        addresses +=
            (addresses.empty() ? "" : ", ") + lines.back().substr(0, lines.back().find(':'));
    };
    for (const int a : unwrittenBytes(doc_.mem, radio, blocks))
        fault("byte", a, doc_.mem.at(static_cast<std::size_t>(a)),
              radio.at(static_cast<std::size_t>(a)));
    if (labels) {
        // Only the labels read can differ from the copy they are read into.
        LabelImage radioLabels = doc_.labels;
        if (!readLabelsFromRadio(link_, radioLabels, *labels))
            return progress.cancelled()
                       ? notReadBack
                       : failure("the labels were not read back to verify the write");
        for (const int a : unwrittenLabels(doc_.labels, radioLabels))
            fault("label byte", a, doc_.labels.at(static_cast<std::size_t>(a)),
                  radioLabels.at(static_cast<std::size_t>(a)));
    }
    if (lines.empty()) return OperationResult::success();
    std::string text = std::string(kVerifyFailed) + " Written -> read back:";
    for (const std::string& line : lines) text += "\n" + line;
    link_.prompts().ask(warning(text, kVerifyTitle));
    return OperationResult::failure("verify failed at " + addresses);
}

OperationResult RadioOperations::writeGlobalSteps() {
    if (!start()) return busy();
    if (!confirmWrite()) return OperationResult::cancelled();
    if (OperationResult b = backUp(HistoryReason::BeforeWriteGlobal, LabelChoice::Skip); !b.done())
        return b;
    Progress& progress = link_.progress();
    progress.beginOperation(kWritingRadio, OperationKind::Writes);
    const bool ok = zav::writeGlobal(link_, doc_.mem);
    if (!ok && !progress.cancelled()) tell(shownText("Messages", "Write Global Failed"));
    progress.endOperation();
    if (!ok) return failure(shownText("Messages", "Write Global Failed"));
    return verify_ ? verifyWrite(0, GlobalBlock::Write, std::nullopt) : OperationResult::success();
}

OperationResult RadioOperations::writeGroupSteps() {
    if (!start()) return busy();
    const int number = editor_.shownGroup() + 1;
    // Without a selected group there is no current group; block 0 would be the global
    // block.
    if (number < 1 || number > kGroupCount) return OperationResult::failure("no group is selected");
    if (!confirmWrite()) return OperationResult::cancelled();
    const LabelChoice labels = askLabelTransfer(OperationKind::Writes);
    if (labels == LabelChoice::Cancel) return OperationResult::cancelled();
    if (OperationResult b = backUp(HistoryReason::BeforeWriteGroup, labels); !b.done()) return b;
    if (OperationResult b = checkBand(number); !b.done()) return b;
    Progress& progress = link_.progress();
    progress.beginOperation(kWritingRadio, OperationKind::Writes);
    const GroupTransfer written = zav::writeGroup(link_, doc_.mem, number);
    const bool cancelled = progress.cancelled();
    if (written == GroupTransfer::Failed && !cancelled)
        tell(shownText("Messages", "Write Group Failed"));
    progress.endOperation();
    // A group the radio lacks has been told and takes no labels either.
    if (written == GroupTransfer::Absent) return absent(number);
    OperationResult result = written == GroupTransfer::Done
                                 ? OperationResult::success()
                                 : failure(shownText("Messages", "Write Group Failed"));
    // The labels go out whether or not the group write succeeded, but not after the
    // user cancelled the write: that asked for the radio to be left alone.
    if (cancelled) return result;
    result = withLabels(labels, std::move(result), &RadioOperations::writeGroupLabels);
    if (!verify_ || !result.done()) return result;
    return verifyWrite(
        number, GlobalBlock::Write,
        labels == LabelChoice::Transfer ? std::optional(labelGroup()) : std::nullopt);
}

// --- Config ----------------------------------------------------------------------------

void RadioOperations::setLabelSetting(LabelSetting setting) {
    labelSetting_ = setting;
    writeLabelSetting(settings_, setting);
}

void RadioOperations::setVerifyAfterWrite(bool verify) {
    verify_ = verify;
    writeInt(settings_, settings::kVerifyWrite, verify ? 1 : 0);
}

void RadioOperations::useCommPort(int port) {
    if (port < kFirstPortNumber || port > kLastPortNumber) return;
    // Closing the port under a running operation (an alignment run) would break it off.
    if (!linkFree()) return;
    if (link_.transport().isOpen()) link_.transport().closePort();
    port_ = port;
    link_.transport().setPort(std::to_string(port));
    writePort(settings_, port);
}

}  // namespace zav
