#pragma once
// The editor's radio operations, sequenced once for every caller: the Radio menu with
// its Labels submenu, and the command line's radio commands. Each refuses while another
// radio operation runs, asks what the editor asks (confirmation, the global block, the
// labels), shows the progress window, backs up the image or the labels around a read and
// puts them back when it fails, runs the transfers and the label step, tells the outcome
// through the link's prompts and returns it. Cancel is whatever the link's progress
// reports: the window's button or a terminal's interrupt. A read first asks whether
// unsaved changes are to be saved, as every command that replaces the document does.
//
// The window is reached only through EditorHooks, so the operations run the same with
// the main window and without one (DocumentEditor).
//
// Given a radio history, every read keeps what it brought there, and every write first
// reads the radio whole (with its labels when labels go) and keeps that copy, before its
// first byte: a write whose copy cannot be read or kept does not start. A label write
// then sends only the label bytes that differ from the radio's.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/settings.h"
#include "iface/progress.h"
#include "iface/shown_text.h"
#include "model/memory_image.h"
#include "model/radio_band.h"

#include "ops/operation_result.h"

namespace zav {

class Document;
class EditorHooks;
class RadioHistory;
class RadioLink;
class SettingsStore;
class TracePort;
enum class GlobalBlock : std::uint8_t;
enum class HistoryReason : std::uint8_t;
struct KeptCopy;

// askLabelTransfer's answer.
enum class LabelChoice : std::uint8_t { Transfer, Skip, Cancel };

class RadioOperations {
  public:
    // Takes the label setting and the port number from the settings store and points the
    // link at that port (closing it when open). Without a history nothing is kept and no
    // write backs up.
    RadioOperations(Document& doc, RadioLink& link, SettingsStore& settings, EditorHooks& editor,
                    RadioHistory* history = nullptr);

    // Radio menu. The group operations work on the selected group.
    OperationResult readRadio();
    OperationResult readGlobal();
    OperationResult readGroup();
    OperationResult writeRadio();
    OperationResult writeGlobal();
    OperationResult writeGroup();
    // Radio > Labels: the selected group's labels (group 1's when none is selected) or
    // all of them.
    OperationResult labelReadGroup();
    OperationResult labelReadRadio();
    OperationResult labelWriteGroup();
    OperationResult labelWriteRadio();

    // Config: the label setting and the port number (1..4), both kept in the settings
    // store. A port that is open is closed first; the next radio operation opens the new
    // one. A port out of range is ignored.
    void setLabelSetting(LabelSetting setting);
    void useCommPort(int port);
    // Config: every write (radio, group, global) reads the radio back and fails on any
    // byte it wrote that the radio does not hold (and on any label, when the labels went
    // too); kept in the settings store.
    void setVerifyAfterWrite(bool verify);
    [[nodiscard]] bool verifyAfterWrite() const { return verify_; }
    // Config: every write first backs the radio up into the history; on unless turned
    // off, kept in the settings store.
    void setBackupBeforeWrite(bool backup);
    [[nodiscard]] bool backupBeforeWrite() const { return backup_; }
    // The history file the last operation kept (what its read brought, or what its write
    // replaced); empty when it kept none.
    [[nodiscard]] const std::string& historyFile() const { return historyFile_; }
    // What the last write's band check has to say (kBandUnknown: written without it);
    // empty when it had nothing to say.
    [[nodiscard]] const std::string& bandNote() const { return bandNote_; }
    // The band of the radio the last operation read (a whole or global read, a write's
    // band check); nullopt when it read no band bytes or they give no band.
    [[nodiscard]] const std::optional<RadioBand>& radioBand() const { return radioBand_; }
    [[nodiscard]] LabelSetting labelSetting() const { return labelSetting_; }
    [[nodiscard]] int portNumber() const { return port_; }

    // Whether labels travel with a radio read or write: the setting, or the user's answer.
    LabelChoice askLabelTransfer(OperationKind kind);

    [[nodiscard]] RadioLink& link() { return link_; }
    // The serial trace that brackets each operation above with its name and outcome
    // (nullptr: none); the link's log gets the same brackets.
    void setTrace(TracePort* trace);

    // Texts of the operations' progress windows and questions.
    static constexpr const char* kReadingRadio =
        shownText("Messages", "Please Wait - Reading Radio");
    static constexpr const char* kWritingRadio =
        shownText("Messages", "Please Wait - Writing Radio");
    static constexpr const char* kVerifyingRadio =
        shownText("Messages", "Please Wait - Verifying Radio");
    static constexpr const char* kBackingUpRadio =
        shownText("Messages", "Please Wait - Backing Up Radio");
    static constexpr const char* kHistoryTitle = shownText("Messages", "Radio History");
    static constexpr const char* kVerifyTitle = shownText("Messages", "Verify After Write");
    static constexpr const char* kVerifyFailed =
        shownText("Messages", "Verify failed: the radio does not hold what was written.");
    static constexpr const char* kConfirmWrite =
        shownText("Messages", "Are you sure you want to write to the radio?");
    static constexpr const char* kAskWriteGlobal =
        shownText("Messages", "Write Global Parameters?");
    static constexpr const char* kNoGroupInCommon =
        shownText("Messages", "No group of this file is on the radio: no group was written.");
    static constexpr const char* kAskReadLabels = shownText("Messages", "Read Labels from Radio");
    static constexpr const char* kAskWriteLabels = shownText("Messages", "Write Labels to Radio");
    static constexpr const char* kAskSaveBeforeRead =
        shownText("Messages", "Save changes before reading the radio?");
    static constexpr const char* kLabelQuestionTitle = shownText("Messages", "ZAV Editor");
    static constexpr const char* kBandTitle = shownText("Messages", "Radio Band");
    static constexpr const char* kWriteAnyway = shownText("Messages", "Write anyway?");
    static constexpr const char* kBandUnknown =
        shownText("Messages",
                  "the radio's band is unknown (its band bytes are blank or out of range): written "
                  "without the band check");

  private:
    // An operation of the menus, bracketed by its name and outcome in the log and the trace.
    OperationResult traced(std::string_view name, OperationResult (RadioOperations::*steps)());
    OperationResult readRadioSteps();
    OperationResult readGlobalSteps();
    OperationResult readGroupSteps();
    OperationResult writeRadioSteps();
    OperationResult writeGlobalSteps();
    OperationResult writeGroupSteps();
    OperationResult labelReadGroupSteps();
    OperationResult labelReadRadioSteps();
    OperationResult labelWriteGroupSteps();
    OperationResult labelWriteRadioSteps();

    static OperationResult busy();
    // Refuses (with the link's message) while another radio operation runs.
    [[nodiscard]] bool linkFree();
    // linkFree, as a command starts: nothing kept yet, no labels known to be the radio's.
    [[nodiscard]] bool start();
    [[nodiscard]] bool confirmWrite();
    // The label operations' group: the selector's group, 0 when none.
    [[nodiscard]] int labelGroup() const;
    void tell(const std::string& text, const char* title = "");
    // Cancelled when the user cancelled the transfer, else Failed with `message`.
    [[nodiscard]] OperationResult failure(std::string message) const;
    [[nodiscard]] OperationResult labelWriteStopped() const;
    // The label step of a read or write that went well so far: `step` when the labels
    // travel, else `result` as it is.
    OperationResult withLabels(LabelChoice labels, OperationResult result,
                               OperationResult (RadioOperations::*step)());
    // Every read replaces part of the document: asked before it starts (true: go on).
    [[nodiscard]] bool mayReplace();
    // The label reads, as their commands run them after asking and as the label step of
    // an image read, which has asked already.
    OperationResult readGroupLabels();
    OperationResult readAllLabels();
    OperationResult labelRead(OperationResult (RadioOperations::*read)());
    // The label writes, after their backup; with the radio's labels read by it, only the
    // bytes that differ go.
    OperationResult writeGroupLabels();
    OperationResult writeAllLabels();

    // Before a write: the radio whole (and its labels, when they travel) into the history.
    // Done when the write may start, also when no backup is to be made; failed (told)
    // when the radio was not read or the copy not kept.
    OperationResult backUp(HistoryReason reason, LabelChoice labels);
    // Before a write of `group` (the whole radio: nullopt), after its backup: every channel it
    // sends within the radio's band (from the backup's copy, else read for it), or the
    // user's yes to the channels outside it (band_check.cpp).
    OperationResult checkBand(std::optional<int> group);
    // After a read: the document as it stands now into the history.
    void keepRead(HistoryReason reason);
    // A kept copy becomes historyFile_; a copy not kept is told, saying where it was to go.
    bool kept(const KeptCopy& copy, std::string_view what, std::string_view consequence);

    // The read-back after a write of `block` (0 global, 1..15 a group; none: the whole
    // radio, with or without its `global` block) and of the labels of `labels` (a
    // group index, kAllLabels; none when no labels went). Done when the radio holds what
    // was written; otherwise the differences have been told.
    static constexpr int kAllLabels = -1;  // the label transfers' group index for all
    OperationResult verifyWrite(std::optional<int> block, GlobalBlock global,
                                std::optional<int> labels);

    Document& doc_;
    RadioLink& link_;
    SettingsStore& settings_;
    EditorHooks& editor_;
    RadioHistory* history_;
    LabelSetting labelSetting_;
    int port_;
    bool verify_;
    bool backup_;
    std::string historyFile_;
    std::optional<LabelImage> radioLabels_;  // the radio's labels, as the backup read them
    std::optional<MemImage> radioImage_;     // the radio's memory, as the backup read it
    std::string bandNote_;
    std::optional<RadioBand> radioBand_;
};

}  // namespace zav
