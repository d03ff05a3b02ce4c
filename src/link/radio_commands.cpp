#include "link/radio_commands.h"

#include <algorithm>
#include <string>

#include "files/settings.h"
#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/global_transfer.h"
#include "link/label_transfer.h"
#include "link/port_devices.h"
#include "link/radio_link.h"
#include "link/radio_read.h"
#include "link/radio_write.h"
#include "model/document.h"

namespace zav {

namespace {

constexpr int kBlockBytes = static_cast<int>(kPageSize);
constexpr int kRadioBytes = static_cast<int>(kRadioMemorySize);

// The first count bytes of from into to (as far as both reach).
void copyBytes(std::span<Byte> to, std::span<const Byte> from, int count) {
    const std::size_t n =
        std::min({to.size(), from.size(), static_cast<std::size_t>(std::max(count, 0))});
    std::copy_n(from.begin(), n, to.begin());
}

}  // namespace

RadioCommands::RadioCommands(Document& doc, RadioLink& link, SettingsStore& settings,
                             RadioCommandEditor& editor)
    : doc_(doc), link_(link), settings_(settings), editor_(editor) {
    labelSetting_ = readLabelSetting(settings_);
    port_ = readPort(settings_);
    if (link_.transport().isOpen()) link_.transport().closePort();
    link_.transport().setPort(std::to_string(port_));
}

bool RadioCommands::linkFree() {
    return link_.tryBeginOperation().has_value();
}

void RadioCommands::tell(const char* text, const char* title) {
    Message m;
    m.text = text;
    m.title = title;
    link_.prompts().ask(m);
}

bool RadioCommands::confirmWrite() {
    Message m;
    m.text = kConfirmWrite;
    m.buttons = Buttons::OkCancel;
    return link_.prompts().ask(m) == Answer::Ok;
}

int RadioCommands::labelGroup() const {
    return std::max(editor_.selectedGroupNumber() - 1, 0);
}

LabelChoice RadioCommands::askLabelTransfer(bool writing) {
    if (labelSetting_ == static_cast<int>(LabelSetting::Always)) return LabelChoice::Transfer;
    if (labelSetting_ == static_cast<int>(LabelSetting::Never)) return LabelChoice::Skip;
    Message m;
    m.text = writing ? "Write Labels to Radio" : "Read Labels from Radio";
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

void RadioCommands::readRadio() {
    if (!linkFree()) return;
    const LabelChoice labels = askLabelTransfer(false);
    if (labels == LabelChoice::Cancel) return;
    Progress& progress = link_.progress();
    progress.showForm(kReadingRadio, false);
    copyBytes(editor_.imageBackup(), doc_.mem, kRadioBytes);
    const bool ok = zav::readRadio(link_, doc_.mem);
    progress.hideForm();
    if (!ok) {
        copyBytes(doc_.mem, editor_.imageBackup(), kRadioBytes);
        return;
    }
    editor_.memoryRead(0, kRadioBytes);
    if (labels == LabelChoice::Transfer) labelReadRadio();
    tell("All groups read OK.", "Read Radio");
    editor_.initGroups(0);
}

void RadioCommands::readGlobal() {
    if (!linkFree()) return;
    // Read into a copy: a read that breaks off part-way would otherwise leave a global
    // block that is half the radio's and half the old one.
    MemImage scratch = doc_.mem;
    const bool ok = zav::readGlobal(link_, scratch);
    if (ok) {
        std::copy_n(scratch.begin(), kPageSize, doc_.mem.begin());
        editor_.memoryRead(0, kBlockBytes);
        return;
    }
    // A port or hook failure has been reported; a read that broke off after the radio
    // answered would otherwise end without a word.
    if (hookReplyAccepted(link_.hookReply()) && !link_.progress().cancelled()) {
        Message m;
        m.text = "Error reading radio";
        m.title = kCommErrorTitle;
        m.icon = Icon::Information;
        link_.prompts().ask(m);
    }
}

void RadioCommands::readGroup() {
    if (!linkFree()) return;
    const int number = editor_.selectedGroupNumber();
    // Without a selected group there is nothing to read into (group 0 would be the
    // global block).
    if (number < 1 || number > kGroupCount) return;
    const LabelChoice labels = askLabelTransfer(false);
    if (labels == LabelChoice::Cancel) return;
    Progress& progress = link_.progress();
    progress.showForm(kReadingRadio, false);
    copyBytes(editor_.imageBackup(), doc_.mem, kRadioBytes);
    const bool ok = zav::readGroup(link_, doc_.mem, number);
    progress.hideForm();
    if (!ok) {
        copyBytes(doc_.mem, editor_.imageBackup(), kRadioBytes);
        return;
    }
    editor_.memoryRead(kBlockBytes * number, kBlockBytes);
    // The controls show the group as read before the label read stores them: edits left
    // in them would otherwise go over the radio's values.
    editor_.displayGroupMemory();
    if (labels == LabelChoice::Transfer) labelReadGroup();
    editor_.displayGroupMemory();
}

// --- Writes ----------------------------------------------------------------------------

void RadioCommands::writeRadio() {
    if (!linkFree()) return;
    editor_.storeGroupMemory();
    editor_.storeOtherWindows();
    if (!confirmWrite()) return;
    Message global;
    global.text = kAskWriteGlobal;
    global.buttons = Buttons::YesNo;
    const bool skipGlobal = link_.prompts().ask(global) == Answer::No;
    const LabelChoice labels = askLabelTransfer(true);
    if (labels == LabelChoice::Cancel) return;
    editor_.commitCurrentGroup();
    Progress& progress = link_.progress();
    progress.showForm(kWritingRadio, true);
    const bool ok = zav::writeRadio(link_, doc_.mem, skipGlobal);
    progress.hideForm();
    if (!ok) return;
    if (labels == LabelChoice::Transfer) labelWriteRadio();
    tell("All groups written OK.", "Write Radio");
}

void RadioCommands::writeGlobal() {
    if (!linkFree()) return;
    editor_.storeOtherWindows();
    if (!confirmWrite()) return;
    Progress& progress = link_.progress();
    progress.showForm(kWritingRadio, true);
    const bool ok = zav::writeGlobal(link_, doc_.mem);
    if (!ok && !progress.cancelled()) tell("Write Global Failed");
    progress.hideForm();
}

void RadioCommands::writeGroup() {
    if (!linkFree()) return;
    const int number = editor_.selectedGroupNumber();
    // Without a selected group there is no current group; block 0 would be the global
    // block.
    if (number < 1 || number > kGroupCount) return;
    editor_.storeGroupMemory();
    if (!confirmWrite()) return;
    const LabelChoice labels = askLabelTransfer(true);
    if (labels == LabelChoice::Cancel) return;
    editor_.commitCurrentGroup();
    Progress& progress = link_.progress();
    progress.showForm(kWritingRadio, true);
    const bool ok = zav::writeGroup(link_, doc_.mem, number);
    const bool cancelled = progress.cancelled();
    if (!ok && !cancelled) tell("Write Group Failed");
    progress.hideForm();
    // The labels go out whether or not the group write succeeded, but not after the
    // user cancelled the write: that asked for the radio to be left alone.
    if (labels == LabelChoice::Transfer && !cancelled) labelWriteGroup();
}

// --- Labels ----------------------------------------------------------------------------

void RadioCommands::labelReadGroup() {
    if (!linkFree()) return;
    const int g = labelGroup();
    // The window's edits are stored before the backup is taken, so that a failed read
    // puts back labels that include them (the controls still show them).
    editor_.storeGroup(g);
    editor_.saveLabels();
    if (!readLabelsFromRadio(link_, doc_.labels, g)) {
        editor_.restoreLabels();
        return;
    }
    editor_.showGroup(g);
    editor_.labelsRead(g);
    const std::string text = "Group " + std::to_string(g + 1) + " labels read OK.";
    tell(text.c_str(), "Read Labels");
}

void RadioCommands::labelReadRadio() {
    if (!linkFree()) return;
    editor_.saveLabels();
    if (!readLabelsFromRadio(link_, doc_.labels, -1)) {
        editor_.restoreLabels();
        return;
    }
    const int g = labelGroup();
    editor_.showGroup(g);
    editor_.labelsRead(-1);
    tell("All labels read OK.", "Read Labels");
}

void RadioCommands::labelWriteGroup() {
    if (!linkFree()) return;
    const int g = labelGroup();
    editor_.storeGroup(g);
    if (!writeLabelsToRadio(link_, doc_.labels, g)) return;
    const std::string text = "Group " + std::to_string(g + 1) + " labels written OK.";
    tell(text.c_str(), "Write Labels");
}

void RadioCommands::labelWriteRadio() {
    if (!linkFree()) return;
    editor_.storeGroup(labelGroup());
    if (!writeLabelsToRadio(link_, doc_.labels, -1)) return;
    tell("All labels written OK.", "Write Labels");
}

// --- Config ----------------------------------------------------------------------------

void RadioCommands::setLabelSetting(int setting) {
    if (setting < 0 || setting > 2) return;
    labelSetting_ = setting;
    writeLabelSetting(settings_, setting);
}

void RadioCommands::useCommPort(int port) {
    if (port < kFirstPortNumber || port > kLastPortNumber) return;
    // Closing the port under a running operation (an alignment run) would break it off.
    if (!linkFree()) return;
    if (link_.transport().isOpen()) link_.transport().closePort();
    port_ = port;
    link_.transport().setPort(std::to_string(port));
    writePort(settings_, port);
}

}  // namespace zav
