#include "files/radio_history.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <tuple>

#include "files/file_system.h"
#include "files/frequency_file.h"
#include "model/group.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr std::string_view kFolderName = "zavprog";
constexpr std::string_view kEnding = ".frq";
constexpr std::size_t kTimeLength = std::string_view("2026-12-08T091502").size();
constexpr auto kUnitLength = static_cast<std::size_t>(kIdDigits);

struct ReasonName {
    HistoryReason reason;
    std::string_view slug;  // in the file name; a whole read has none
};

// Longer slugs first, so that one that ends another is matched whole.
constexpr std::array kReasons{
    ReasonName{HistoryReason::BeforeWriteLabels, "before-write-labels"},
    ReasonName{HistoryReason::BeforeWriteGlobal, "before-write-global"},
    ReasonName{HistoryReason::BeforeWriteGroup, "before-write-group"},
    ReasonName{HistoryReason::BeforeWrite, "before-write"},
    ReasonName{HistoryReason::ReadLabels, "read-labels"},
    ReasonName{HistoryReason::ReadGlobal, "read-global"},
    ReasonName{HistoryReason::ReadGroup, "read-group"},
    ReasonName{HistoryReason::Read, ""},
};

std::string_view slugOf(HistoryReason reason) {
    return std::ranges::find(kReasons, reason, &ReasonName::reason)->slug;
}

// The unit number of an image: the first group's ANI/ID, zeros when it holds no group.
std::string unitOf(const MemImage& image, const LabelImage& labels) {
    for (int g = 0; g < kGroupCount; ++g) {
        if (!groupExists(image, g)) continue;
        MemImage mem = image;
        LabelImage names = labels;
        return Group(mem, names, g).readIdNum();
    }
    return std::string(kUnitLength, '0');
}

// A port's part of a name: a device's last part, without what a file name cannot hold.
std::string portPart(std::string_view port) {
    port = port.substr(port.find_last_of('/') + 1);
    std::string part(port.empty() ? "port" : port);
    std::ranges::replace_if(
        part, [](char c) { return std::iscntrl(static_cast<unsigned char>(c)) != 0; }, '_');
    return part;
}

std::string timePart(const LocalTime& t) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d%02d%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text.data();
}

bool allOf(std::string_view text, int (*test)(int)) {
    return !text.empty() && std::ranges::all_of(text, [test](char c) {
        return test(static_cast<unsigned char>(c));
    });
}

bool isTime(std::string_view t) {
    const auto digitsAt = [&](std::size_t at, std::size_t n) {
        return allOf(t.substr(at, n), [](int c) { return std::isdigit(c); });
    };
    return t.size() == kTimeLength && digitsAt(0, 4) && t[4] == '-' && digitsAt(5, 2) &&
           t[7] == '-' && digitsAt(8, 2) && t[10] == 'T' && digitsAt(11, 6);
}

}  // namespace

std::string historyReasonText(HistoryReason reason) {
    std::string text(slugOf(reason));
    if (text.empty()) return "read";
    std::ranges::replace(text, '-', ' ');
    return text;
}

std::string historyFolder(const Environment& environment) {
    const std::optional<std::string> data = environment.variable("XDG_DATA_HOME");
    if (data && data->starts_with('/')) return *data + "/" + std::string(kFolderName);
    const std::string home = environment.variable("HOME").value_or(".");
    return home + "/.local/share/" + std::string(kFolderName);
}

std::optional<HistoryEntry> parseHistoryName(const std::string& folder, std::string_view name) {
    HistoryEntry entry;
    entry.path = folder + "/" + std::string(name);
    if (!name.ends_with(kEnding)) return std::nullopt;
    std::string_view stem = name.substr(0, name.size() - kEnding.size());
    if (const auto mark = stem.rfind('_'); mark != std::string_view::npos) {
        const std::string_view digits = stem.substr(mark + 1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), entry.copy);
        if (error != std::errc() || end != digits.data() + digits.size() || entry.copy < 2)
            return std::nullopt;
        stem = stem.substr(0, mark);
    }
    for (const ReasonName& r : kReasons) {
        if (!r.slug.empty() && !stem.ends_with("-" + std::string(r.slug))) continue;
        entry.reason = r.reason;
        stem.remove_suffix(r.slug.empty() ? 0 : r.slug.size() + 1);
        break;
    }
    if (stem.size() < kTimeLength + kUnitLength + 3) return std::nullopt;
    const std::string_view time = stem.substr(0, kTimeLength);
    const std::string_view unit = stem.substr(stem.size() - kUnitLength);
    const std::string_view port =
        stem.substr(kTimeLength + 1, stem.size() - kTimeLength - kUnitLength - 2);
    if (!isTime(time) || stem[kTimeLength] != '-' || stem[stem.size() - kUnitLength - 1] != '-' ||
        !allOf(unit, [](int c) { return std::isxdigit(c); }) || port.empty())
        return std::nullopt;
    entry.time = std::string(time.substr(0, 10)) + " " + std::string(time.substr(11, 2)) + ":" +
                 std::string(time.substr(13, 2)) + ":" + std::string(time.substr(15, 2));
    entry.port = std::string(port);
    entry.unit = std::string(unit);
    return entry;
}

RadioHistory::RadioHistory(FileSystem& files, const Clock& clock, std::string folder)
    : files_(files), clock_(clock), folder_(std::move(folder)) {}

KeptCopy RadioHistory::keep(HistoryReason reason, std::string_view port, const MemImage& image,
                            const LabelImage& labels) {
    const std::lock_guard lock(mutex_);
    if (const auto ec = files_.createFolders(folder_)) return {folder_, ec};
    std::error_code ec;
    const std::vector<std::string> taken = files_.fileNames(folder_, ec);
    if (ec) return {folder_, ec};
    std::string stem = timePart(clock_.now()) + "-" + portPart(port) + "-" + unitOf(image, labels);
    if (const std::string_view slug = slugOf(reason); !slug.empty())
        stem += "-" + std::string(slug);
    std::string name = stem + std::string(kEnding);
    for (int copy = 2; std::ranges::find(taken, name) != taken.end(); ++copy)
        name = stem + "_" + std::to_string(copy) + std::string(kEnding);
    const std::string path = folder_ + "/" + name;
    const FrequencyFileBytes bytes = encodeFrequencyFile(image, labels);
    return {path, files_.replaceFile(path, bytes)};
}

std::vector<HistoryEntry> RadioHistory::entries(std::error_code& ec) const {
    std::vector<HistoryEntry> list;
    for (const std::string& name : files_.fileNames(folder_, ec))
        if (auto entry = parseHistoryName(folder_, name)) list.push_back(std::move(*entry));
    std::ranges::sort(list, [](const HistoryEntry& a, const HistoryEntry& b) {
        return std::tie(a.time, a.copy, a.path) > std::tie(b.time, b.copy, b.path);
    });
    return list;
}

}  // namespace zav
