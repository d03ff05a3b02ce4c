#pragma once
// The Radio and Config menu commands of the editor: each confirms, shows the progress
// window, runs one or more transfers and reports the outcome. They work on the document
// and the link and reach the editor window only through RadioCommandEditor, so they run
// the same with the real window and without one.

#include <cstdint>
#include <span>

#include "model/memory_image.h"

namespace zav {

class Document;
class RadioLink;
class SettingsStore;

// What the radio commands ask of the editor window.
class RadioCommandEditor {
  public:
    virtual ~RadioCommandEditor() = default;

    // The group number (1..15) the group selector shows; 0 when it shows none.
    [[nodiscard]] virtual int selectedGroupNumber() const = 0;
    // The selector's group takes the window's edits (when it shows one).
    virtual void storeGroupMemory() = 0;
    // Stores the selector's group (group 0 when none) and makes it the current group;
    // returns the group stored.
    virtual int commitCurrentGroup() = 0;
    // The selector's group shows its contents from the image again.
    virtual void displayGroupMemory() = 0;
    // Rebuilds the group records from the page map and shows the first listed group.
    virtual void initGroups(int mode) = 0;
    // Group g (0..14) takes the window's edits when it is the group shown / shows its
    // contents from the image.
    virtual void storeGroup(int g) = 0;
    virtual void showGroup(int g) = 0;
    // Edits of other open windows (the global parameters) reach the image.
    virtual void storeOtherWindows() = 0;

    // The scratch copy kept during reads (imageBackup_).
    [[nodiscard]] virtual std::span<Byte> imageBackup() = 0;
    virtual void saveLabels() = 0;
    virtual void restoreLabels() = 0;

    // A read succeeded: image bytes first..first + count - 1 now hold the radio's.
    virtual void memoryRead(int first, int count) = 0;
    // A label read succeeded: group groupIndex's labels (all for -1) are the radio's.
    virtual void labelsRead(int groupIndex) = 0;
};

// The label transfer setting: with radio reads and writes, labels travel always, never,
// or when the user says so.
enum class LabelSetting : std::uint8_t { Always = 0, Never = 1, Prompt = 2 };

// askLabelTransfer's answer.
enum class LabelChoice : std::uint8_t { Transfer = 1, Skip = 0, Cancel = 2 };

class RadioCommands {
  public:
    // Takes the label setting and the port number from the settings store and points the
    // link at that port (closing it when open).
    RadioCommands(Document& doc, RadioLink& link, SettingsStore& settings,
                  RadioCommandEditor& editor);

    // Radio menu.
    void readRadio();
    void readGlobal();
    void readGroup();
    void writeRadio();
    void writeGlobal();
    void writeGroup();
    // Radio > Labels.
    void labelReadGroup();
    void labelReadRadio();
    void labelWriteGroup();
    void labelWriteRadio();

    // Config: the label setting (0..2) and the port number (1..4), both kept in the
    // settings store. A port that is open is closed first; the next radio operation
    // opens the new one. Values out of range are ignored.
    void setLabelSetting(int setting);
    void useCommPort(int port);
    [[nodiscard]] int labelSetting() const { return labelSetting_; }
    [[nodiscard]] int portNumber() const { return port_; }

    // Whether labels travel with a radio read or write: the setting, or the user's answer.
    LabelChoice askLabelTransfer(bool writing);

    // Texts of the commands' messages.
    static constexpr const char* kReadingRadio = "Please Wait - Reading Radio";
    static constexpr const char* kWritingRadio = "Please Wait - Writing Radio";
    static constexpr const char* kConfirmWrite = "Are you sure you want to write to the radio?";
    static constexpr const char* kAskWriteGlobal = "Write Global Parameters?";
    static constexpr const char* kLabelQuestionTitle = "ZAV Editor";

  private:
    // Refuses (with the link's message) while another radio operation runs.
    [[nodiscard]] bool linkFree();
    [[nodiscard]] bool confirmWrite();
    // The label commands' group: the selector's group, 0 when none.
    [[nodiscard]] int labelGroup() const;
    void tell(const char* text, const char* title = "");

    Document& doc_;
    RadioLink& link_;
    SettingsStore& settings_;
    RadioCommandEditor& editor_;
    int labelSetting_ = 2;
    int port_ = 1;
};

}  // namespace zav
