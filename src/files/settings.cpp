#include "files/settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace zav {

namespace {

std::string str(std::string_view s) {
    return std::string(s);
}

std::string readRaw(const SettingsStore& store, const SettingKey& key,
                    const std::string& fallback) {
    return store.read(str(key.section), str(key.key), fallback);
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<double> parseSettingNumber(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string formatSettingNumber(double value) {
    // Room for the significant digits and the sign, point and exponent around them.
    std::array<char, std::numeric_limits<float>::max_digits10 + sizeof "-.e-38"> buf{};
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<float>(value));
    if (ec != std::errc{}) return "0";
    return {buf.data(), end};
}

std::string readText(const SettingsStore& store, const SettingKey& key) {
    return readRaw(store, key, str(key.textDefault));
}

void writeText(SettingsStore& store, const SettingKey& key, const std::string& value) {
    store.write(str(key.section), str(key.key), value);
}

int readInt(const SettingsStore& store, const SettingKey& key) {
    return readInt(store, key, key.integerDefault);
}

int readInt(const SettingsStore& store, const SettingKey& key, int fallback) {
    const auto value = parseSettingNumber(readRaw(store, key, {}));
    if (!value) return fallback;
    const double rounded = std::nearbyint(*value);
    if (key.minimum < key.maximum && (rounded < key.minimum || rounded > key.maximum))
        return fallback;
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return fallback;
    return static_cast<int>(rounded);
}

void writeInt(SettingsStore& store, const SettingKey& key, int value) {
    writeText(store, key, std::to_string(value));
}

double readNumber(const SettingsStore& store, const SettingKey& key, double fallback) {
    const auto value = parseSettingNumber(readRaw(store, key, {}));
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return fallback;
    return *value;
}

void writeNumber(SettingsStore& store, const SettingKey& key, double value) {
    writeText(store, key, formatSettingNumber(value));
}

int centredPosition(double screenExtent, double windowExtent) {
    const double diff = std::nearbyint(screenExtent - windowExtent);
    if (!std::isfinite(diff) || std::fabs(diff) > std::numeric_limits<int>::max()) return 0;
    return static_cast<int>(diff) / 2;
}

double defaultFor(const SettingKey& key, Extent screen, Extent window) {
    switch (key.defaultRule) {
        case SettingDefault::CentreVertically:
            return centredPosition(screen.height, window.height);
        case SettingDefault::CentreHorizontally:
            return centredPosition(screen.width, window.width);
        case SettingDefault::WindowWidth:
            return window.width;
        case SettingDefault::WindowHeight:
            return window.height;
        case SettingDefault::Fixed:
            break;
    }
    return key.integerDefault;
}

namespace {
double readPlacement(const SettingsStore& store, const SettingKey& key, Extent screen,
                     Extent window) {
    return readNumber(store, key, defaultFor(key, screen, window));
}
}  // namespace

WindowGeometry readGroupWindowGeometry(const SettingsStore& store, Extent screen, Extent window) {
    using namespace settings;
    return {readPlacement(store, kGroupTop, screen, window),
            readPlacement(store, kGroupLeft, screen, window),
            readPlacement(store, kGroupWidth, screen, window),
            readPlacement(store, kGroupHeight, screen, window)};
}

WindowState readGroupWindowState(const SettingsStore& store) {
    return static_cast<WindowState>(readInt(store, settings::kState));
}

void writeGroupWindowPlacement(SettingsStore& store, WindowState state,
                               const WindowGeometry& geometry) {
    using namespace settings;
    writeInt(store, kState, static_cast<int>(state));
    if (state != WindowState::Normal) return;
    writeNumber(store, kGroupTop, geometry.top);
    writeNumber(store, kGroupLeft, geometry.left);
    writeNumber(store, kGroupWidth, geometry.width);
    writeNumber(store, kGroupHeight, geometry.height);
}

WindowGeometry readGlobalWindowPosition(const SettingsStore& store, Extent screen, Extent window) {
    using namespace settings;
    return {readPlacement(store, kGlobalTop, screen, window),
            readPlacement(store, kGlobalLeft, screen, window), window.width, window.height};
}

void writeGlobalWindowPosition(SettingsStore& store, double top, double left) {
    writeNumber(store, settings::kGlobalTop, top);
    writeNumber(store, settings::kGlobalLeft, left);
}

std::string readLastOpen(const SettingsStore& store) {
    return readText(store, settings::kLastOpen);
}

void writeLastOpen(SettingsStore& store, const std::string& path) {
    writeText(store, settings::kLastOpen, path);
}

std::vector<std::string> readRecentFiles(const SettingsStore& store) {
    std::vector<std::string> files;
    for (const SettingKey& key : settings::kRecent) {
        std::string path = readText(store, key);
        if (!path.empty()) files.push_back(std::move(path));
    }
    return files;
}

void rememberRecentFile(SettingsStore& store, const std::string& path) {
    std::vector<std::string> files = readRecentFiles(store);
    std::erase(files, path);
    files.insert(files.begin(), path);
    files.resize(settings::kRecent.size());
    for (std::size_t i = 0; i < files.size(); ++i) writeText(store, settings::kRecent[i], files[i]);
}

int readPort(const SettingsStore& store) {
    return readInt(store, settings::kPort);
}

void writePort(SettingsStore& store, int port) {
    writeInt(store, settings::kPort, port);
}

namespace {
// The stored code of each label setting is its place here.
constexpr std::array kLabelSettingCodes{LabelSetting::Always, LabelSetting::Never,
                                        LabelSetting::Prompt};
}  // namespace

LabelSetting readLabelSetting(const SettingsStore& store) {
    const int code = readInt(store, settings::kLabel);
    if (code < 0 || code >= static_cast<int>(kLabelSettingCodes.size()))
        return LabelSetting::Prompt;
    return kLabelSettingCodes[static_cast<std::size_t>(code)];
}

void writeLabelSetting(SettingsStore& store, LabelSetting setting) {
    const auto* at = std::find(kLabelSettingCodes.begin(), kLabelSettingCodes.end(), setting);
    writeInt(store, settings::kLabel, static_cast<int>(at - kLabelSettingCodes.begin()));
}

std::string readDevicePath(const SettingsStore& store, int port) {
    if (port < 1 || port > static_cast<int>(settings::kDevice.size())) return {};
    return readText(store, settings::kDevice[static_cast<std::size_t>(port - 1)]);
}

}  // namespace zav
