#pragma once
// Every setting the editor keeps in the per-user store: section, key, value form and
// default, declared once here, with typed accessors over SettingsStore. The store is
// plain text; a value that does not read as what the key expects (a hand-edited store)
// gives the default instead of stopping the program.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "iface/settings_store.h"

namespace zav {

enum class SettingForm {
    Text,     // stored as is
    Integer,  // decimal integer text
    Number,   // decimal text of a single-precision number (window positions, in twips)
};

// Where the default of a missing key comes from.
enum class SettingDefault {
    Fixed,               // textDefault or integerDefault below
    CentreVertically,    // (screen height - window height) div 2
    CentreHorizontally,  // (screen width - window width) div 2
    WindowWidth,         // the window's current width
    WindowHeight,        // the window's current height
};

struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingForm form = SettingForm::Text;
    SettingDefault defaultRule = SettingDefault::Fixed;
    std::string_view textDefault{};
    int integerDefault{};
    int minimum{};  // Integer form: values outside minimum..maximum give the default
    int maximum{};
};

// An on/off choice stored as 1 or 0; off unless stored.
constexpr SettingKey switchSetting(std::string_view section, std::string_view key,
                                   int initially = 0) {
    return {.section = section,
            .key = key,
            .form = SettingForm::Integer,
            .integerDefault = initially,
            .minimum = 0,
            .maximum = 1};
}

namespace settings {

inline constexpr std::string_view kApplication = "ZAVPROG";

// Main window placement.
inline constexpr SettingKey kGroupTop{"Position", "GroupTop", SettingForm::Number,
                                      SettingDefault::CentreVertically};
inline constexpr SettingKey kGroupLeft{"Position", "GroupLeft", SettingForm::Number,
                                       SettingDefault::CentreHorizontally};
inline constexpr SettingKey kGroupWidth{"Position", "GroupWidth", SettingForm::Number,
                                        SettingDefault::WindowWidth};
inline constexpr SettingKey kGroupHeight{"Position", "GroupHeight", SettingForm::Number,
                                         SettingDefault::WindowHeight};
// 0 normal, 1 minimised, 2 maximised.
inline constexpr SettingKey kState{.section = "Position",
                                   .key = "State",
                                   .form = SettingForm::Integer,
                                   .integerDefault = 0,
                                   .minimum = 0,
                                   .maximum = 2};
// Global parameters window position.
inline constexpr SettingKey kGlobalTop{"Position", "GlobalTop", SettingForm::Number,
                                       SettingDefault::CentreVertically};
inline constexpr SettingKey kGlobalLeft{"Position", "GlobalLeft", SettingForm::Number,
                                        SettingDefault::CentreHorizontally};
// Full path of the last frequency file opened or saved.
inline constexpr SettingKey kLastOpen{"File", "LastOpen", SettingForm::Text};
// Serial port number 1 to 4.
inline constexpr SettingKey kPort{.section = "Comm",
                                  .key = "Port",
                                  .form = SettingForm::Integer,
                                  .integerDefault = 1,
                                  .minimum = 1,
                                  .maximum = 4};
// Label transfer with radio reads and writes: 0 always, 1 never, 2 ask each time.
inline constexpr SettingKey kLabel{.section = "Features",
                                   .key = "Label",
                                   .form = SettingForm::Integer,
                                   .integerDefault = 2,
                                   .minimum = 0,
                                   .maximum = 2};
// Move Banks: 1 moves a bank's alpha labels with its channels, 0 leaves them in place.
inline constexpr SettingKey kMoveLabels = switchSetting("Features", "MoveLabels");
// Write Radio reads the radio back and checks it: 1 on, 0 off.
inline constexpr SettingKey kVerifyWrite = switchSetting("Features", "VerifyWrite");
// Every write first reads the radio into the radio history: 1 on (unless stored off), 0 off.
inline constexpr SettingKey kBackupWrite = switchSetting("Features", "BackupWrite", 1);
// The serial trace: 1 writes every byte on the line to the trace file, 0 does not.
inline constexpr SettingKey kTrace = switchSetting("Features", "Trace");
inline constexpr SettingKey kTraceFile{"Features", "TraceFile", SettingForm::Text};
// Optional device path for port number N (e.g. /dev/ttyUSB0); empty: the system's
// usual device for that number.
inline constexpr auto kDevice = std::to_array<SettingKey>({
    {"Comm", "Device1", SettingForm::Text},
    {"Comm", "Device2", SettingForm::Text},
    {"Comm", "Device3", SettingForm::Text},
    {"Comm", "Device4", SettingForm::Text},
});

// The files opened or saved most recently, newest first (the File menu's list).
inline constexpr auto kRecent = std::to_array<SettingKey>({
    {"File", "Recent1", SettingForm::Text},
    {"File", "Recent2", SettingForm::Text},
    {"File", "Recent3", SettingForm::Text},
    {"File", "Recent4", SettingForm::Text},
    {"File", "Recent5", SettingForm::Text},
    {"File", "Recent6", SettingForm::Text},
    {"File", "Recent7", SettingForm::Text},
    {"File", "Recent8", SettingForm::Text},
});

inline constexpr std::array kAll{
    kGroupTop,  kGroupLeft, kGroupWidth, kGroupHeight, kState,       kGlobalTop,   kGlobalLeft,
    kLastOpen,  kPort,      kLabel,      kMoveLabels,  kVerifyWrite, kBackupWrite, kTrace,
    kTraceFile, kDevice[0], kDevice[1],  kDevice[2],   kDevice[3],   kRecent[0],   kRecent[1],
    kRecent[2], kRecent[3], kRecent[4],  kRecent[5],   kRecent[6],   kRecent[7]};

// Every key has a name, and no two keys the same one.
constexpr bool namedOnce(std::span<const SettingKey> keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].section.empty() || keys[i].key.empty()) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (keys[i].section == keys[j].section && keys[i].key == keys[j].key) return false;
    }
    return true;
}
static_assert(namedOnce(kAll));
static_assert(namedOnce(kDevice));
static_assert(namedOnce(kRecent));

}  // namespace settings

// --- Plain reads and writes ------------------------------------------------------

// Text keys: the stored text, or the key's fixed default when missing.
std::string readText(const SettingsStore& store, const SettingKey& key);
void writeText(SettingsStore& store, const SettingKey& key, const std::string& value);

// Integer keys: the stored number when it is an integer within the key's range,
// otherwise the key's fixed default (or the given fallback).
int readInt(const SettingsStore& store, const SettingKey& key);
int readInt(const SettingsStore& store, const SettingKey& key, int fallback);
void writeInt(SettingsStore& store, const SettingKey& key, int value);

// Number keys: the stored number, or fallback when missing or not a number.
double readNumber(const SettingsStore& store, const SettingKey& key, double fallback);
void writeNumber(SettingsStore& store, const SettingKey& key, double value);

// A stored text as a finite number; nullopt when it is not one. Surrounding blanks
// are allowed.
std::optional<double> parseSettingNumber(std::string_view text);
// The decimal text a number is stored as: shortest form, "1234" for a whole number.
std::string formatSettingNumber(double value);

// --- Window placement ----------------------------------------------------------------

// (screen - window) rounded to the nearest integer, then halved with integer division.
int centredPosition(double screenExtent, double windowExtent);

struct Extent {
    double width{};
    double height{};
};

struct WindowGeometry {
    double top{};
    double left{};
    double width{};
    double height{};
};

enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };

// The default of a Number key for a window of the given size on the given screen.
double defaultFor(const SettingKey& key, Extent screen, Extent window);

// Main window: stored placement, centred at its current size when missing.
WindowGeometry readGroupWindowGeometry(const SettingsStore& store, Extent screen, Extent window);
WindowState readGroupWindowState(const SettingsStore& store);
// On close: the state always; the geometry only in the normal state, so a maximised
// window keeps its last normal placement.
void writeGroupWindowPlacement(SettingsStore& store, WindowState state,
                               const WindowGeometry& geometry);

// Global parameters window: top and left only.
WindowGeometry readGlobalWindowPosition(const SettingsStore& store, Extent screen, Extent window);
void writeGlobalWindowPosition(SettingsStore& store, double top, double left);

// --- Other settings ------------------------------------------------------------------

std::string readLastOpen(const SettingsStore& store);

// The recent files, newest first, without gaps.
std::vector<std::string> readRecentFiles(const SettingsStore& store);
// Puts path at the head of the recent files (once), the oldest dropping off the end.
void rememberRecentFile(SettingsStore& store, const std::string& path);
void writeLastOpen(SettingsStore& store, const std::string& path);
int readPort(const SettingsStore& store);  // 1 to 4
void writePort(SettingsStore& store, int port);
// The label transfer setting: with radio reads and writes, labels travel always, never,
// or when the user says so. Stored as 0, 1 and 2.
enum class LabelSetting : std::uint8_t { Always, Never, Prompt };
LabelSetting readLabelSetting(const SettingsStore& store);
void writeLabelSetting(SettingsStore& store, LabelSetting setting);
// The device path configured for port 1 to 4; empty when none (or port out of range).
std::string readDevicePath(const SettingsStore& store, int port);

}  // namespace zav
