#include "files/file_system.h"

#include <cerrno>
#include <memory>
#include <random>

#if __has_include(<unistd.h>)
#include <unistd.h>  // fsync
#endif

namespace zav {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::error_code lastError() {
    // Some C libraries leave errno at 0 on a failed stream operation; report an I/O error then.
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

// The file the name finally refers to, so that a link keeps pointing at the new contents.
fs::path resolveTarget(const fs::path& target) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) return target;
    auto resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

// A new, empty file beside the target that no one else has opened.
FilePtr createTemporary(const fs::path& target, fs::path& tempPath, std::error_code& ec) {
    std::random_device seed;
    std::mt19937 gen(seed());
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    const fs::path dir = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%06x.tmp", digits(gen));
        tempPath = dir / ("." + target.filename().string() + suffix);
        errno = 0;
        FilePtr file(std::fopen(tempPath.c_str(), "wbx"));
        if (file) return file;
        if (errno != EEXIST) {
            ec = lastError();
            return nullptr;
        }
    }
    ec = std::make_error_code(std::errc::file_exists);
    return nullptr;
}

}  // namespace

ReadResult DiskFileSystem::readFile(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.error = lastError();
        return result;
    }
    result.bytes.resize(maxBytes);
    errno = 0;
    const std::size_t got = std::fread(result.bytes.data(), 1, maxBytes, file.get());
    if (got < maxBytes && std::ferror(file.get())) {
        result.error = lastError();
        result.bytes.clear();
        return result;
    }
    result.bytes.resize(got);
    return result;
}

std::error_code DiskFileSystem::replaceFile(const std::string& path, std::span<const Byte> bytes) {
    const fs::path target = resolveTarget(fs::path(path));
    std::error_code ec;

    // An existing file we may not write (read-only, a folder) is refused as the system
    // would refuse writing it in place, rather than replaced behind its back.
    errno = 0;
    if (FilePtr probe{std::fopen(target.c_str(), "r+b")}; !probe && errno != ENOENT)
        return lastError();
    const auto oldStatus = fs::status(target, ec);
    // Renaming over a device or a fifo would replace it with a plain file.
    if (fs::exists(oldStatus) && !fs::is_regular_file(oldStatus))
        return std::make_error_code(std::errc::operation_not_permitted);

    fs::path tempPath;
    FilePtr temp = createTemporary(target, tempPath, ec);
    if (!temp) return ec;

    ec = writeTemporary(temp.get(), bytes);
    if (!ec) {
        errno = 0;
        if (std::fflush(temp.get()) != 0) ec = lastError();
    }
#if __has_include(<unistd.h>)
    if (!ec && ::fsync(::fileno(temp.get())) != 0) ec = lastError();
#endif
    errno = 0;
    if (std::fclose(temp.release()) != 0 && !ec) ec = lastError();
    if (!ec && fs::exists(oldStatus)) {
        std::error_code ignored;  // keeping the old permissions is a courtesy, not a must
        fs::permissions(tempPath, oldStatus.permissions(), ignored);
    }
    if (!ec) ec = moveOver(tempPath, target);
    if (ec) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
    }
    return ec;
}

std::error_code DiskFileSystem::writeTemporary(std::FILE* file, std::span<const Byte> bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return lastError();
    return {};
}

std::error_code DiskFileSystem::moveOver(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec;
}

}  // namespace zav
