#pragma once
// What every reader of the settings must give, whatever the store holds: values in their
// ranges, finite window placements, numbers that read back as written, recent files without
// gaps. The settings targets fill the store each their own way.

#include <cmath>
#include <limits>
#include <string>

#include "files/settings.h"
#include "fuzz_check.h"
#include "iface/settings_store.h"

namespace zav::fuzz {

inline bool finite(const WindowGeometry& g) {
    return std::isfinite(g.top) && std::isfinite(g.left) && std::isfinite(g.width) &&
           std::isfinite(g.height);
}

inline void checkSettingsReaders(SettingsStore& store, Extent screen, Extent window) {
    for (const SettingKey& key : settings::kAll) {
        (void)readText(store, key);
        const std::string stored = store.read(std::string(key.section), std::string(key.key), "");
        // Numbers are kept in single precision: one that readNumber takes is written
        // and read back as the same float.
        const auto number = parseSettingNumber(stored);
        if (number && std::fabs(*number) <= std::numeric_limits<float>::max()) {
            const auto again = parseSettingNumber(formatSettingNumber(*number));
            require(again && static_cast<float>(*again) == static_cast<float>(*number),
                    "a number written reads back unchanged");
        }
        require(std::isfinite(readNumber(store, key, 0)), "a number setting is finite");
        if (key.form == SettingForm::Integer) {
            const int value = readInt(store, key);
            require(value == key.integerDefault || (value >= key.minimum && value <= key.maximum),
                    "an integer setting is in its range");
        }
        require(std::isfinite(defaultFor(key, screen, window)), "a default is finite");
    }
    require(finite(readGroupWindowGeometry(store, screen, window)), "the main window is placed");
    require(finite(readGlobalWindowPosition(store, screen, window)), "the global window is placed");
    const int state = static_cast<int>(readGroupWindowState(store));
    require(state >= 0 && state <= 2, "the window state is one of three");
    const int port = readPort(store);
    require(port >= 1 && port <= 4, "the port is 1 to 4");
    const int labels = static_cast<int>(readLabelSetting(store));
    require(labels >= 0 && labels <= 2, "the label setting is 0 to 2");
    for (int p = 0; p <= 5; ++p) (void)readDevicePath(store, p);
    (void)readLastOpen(store);

    const auto recent = readRecentFiles(store);
    require(recent.size() <= settings::kRecent.size(), "at most eight recent files");
    for (const auto& path : recent) require(!path.empty(), "the recent files have no gaps");
    rememberRecentFile(store, "/tmp/new.frq");
    const auto after = readRecentFiles(store);
    require(!after.empty() && after.front() == "/tmp/new.frq", "a file opened is the newest");
}

}  // namespace zav::fuzz
