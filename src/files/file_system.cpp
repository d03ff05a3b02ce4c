#include "files/file_system.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <regex>

#include "files/disk_names.h"

namespace zav {

namespace fs = std::filesystem;

namespace {

// How a temporary file of this program is named: ".NAME.xxxxxx.zavtmp".
constexpr std::string_view kTempEnding = ".zavtmp";
// A temporary file this old belongs to no save still running.
constexpr auto kStaleAfter = std::chrono::minutes(1);
// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

class RefusalCategory final : public std::error_category {
  public:
    [[nodiscard]] const char* name() const noexcept override { return "file"; }
    [[nodiscard]] std::string message(int /*value*/) const override { return "not a regular file"; }
};

bool isStaleTemporary(const fs::directory_entry& entry) {
    static const std::regex kPattern(R"(\..*\.[0-9a-f]{6}\.zavtmp)");
    std::error_code ec;
    if (!entry.is_regular_file(ec) ||
        !std::regex_match(disk::toUtf8(entry.path().filename()), kPattern))
        return false;
    const auto written = entry.last_write_time(ec);
    return !ec && fs::file_time_type::clock::now() - written > kStaleAfter;
}

// The length of the longest start of a UTF-8 text that ends between characters and holds
// at most `limit` bytes.
std::size_t characterCut(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0U) == 0x80U) --cut;
    return cut;
}

}  // namespace

std::error_code refusalError(FileRefusal refusal) {
    static const RefusalCategory kCategory;
    return {static_cast<int>(refusal), kCategory};
}

namespace disk {

fs::path fromUtf8(std::string_view utf8) {
    return {std::u8string(utf8.begin(), utf8.end())};
}

std::string toUtf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::error_code resolveTarget(fs::path& target) {
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return {};
        if (hops == kMaxLinkHops)
            return std::make_error_code(std::errc::too_many_symbolic_link_levels);
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return ec;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

fs::path temporaryName(const fs::path& target, unsigned digits, std::size_t nameMax) {
    std::array<char, sizeof ".ffffff"> suffix{};
    std::snprintf(suffix.data(), suffix.size(), ".%06x", digits & 0xFFFFFFU);
    const std::string ending = suffix.data() + std::string(kTempEnding);
    const std::string name = "." + toUtf8(target.filename());
    return target.parent_path() /
           fromUtf8(name.substr(0, characterCut(name, nameMax - ending.size())) + ending);
}

unsigned randomDigits() {
    static thread_local std::mt19937 gen(std::random_device{}());
    return std::uniform_int_distribution<unsigned>(0, 0xFFFFFF)(gen);
}

void removeStaleTemporaries(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code ignored;
        if (isStaleTemporary(*it)) fs::remove(it->path(), ignored);
    }
}

}  // namespace disk

std::error_code DiskFileSystem::createFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(disk::fromUtf8(path), ec);
    return ec;
}

std::vector<std::string> DiskFileSystem::fileNames(const std::string& folder, std::error_code& ec) {
    std::vector<std::string> names;
    ec.clear();
    const fs::path dir = disk::fromUtf8(folder);
    if (!fs::exists(dir, ec)) return names;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored)) names.push_back(disk::toUtf8(it->path().filename()));
    }
    return names;
}

// Enough lines of a trace to be worth one write.
constexpr std::size_t kAppendBuffer = 8192;

AppendFile::~AppendFile() {
    (void)close();
}

void AppendFile::write(std::string_view text) {
    if (!isOpen() || error_) return;
    pending_ += text;
    if (pending_.size() >= kAppendBuffer) flush();
}

}  // namespace zav
