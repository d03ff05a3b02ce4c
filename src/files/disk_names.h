#pragma once
// What the POSIX and the Windows DiskFileSystem share: UTF-8 names on both, links
// followed to the file they name, temporary names that fit the folder's limit, and the
// leftovers of killed saves. Internal to the file layer.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace zav::disk {

// A path from UTF-8 and back, whatever the system's own encoding of names (Windows's is
// UTF-16, which a plain std::string path would take as the local code page).
std::filesystem::path fromUtf8(std::string_view utf8);
std::string toUtf8(const std::filesystem::path& path);

// The file a name finally refers to, following links even when the last one dangles,
// so that a save writes through the link instead of replacing it.
std::error_code resolveTarget(std::filesystem::path& target);

// ".NAME.xxxxxx.zavtmp" beside the target, its name at most nameMax bytes of UTF-8 however
// long the target's is, cut between characters.
std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned digits,
                                    std::size_t nameMax);
unsigned randomDigits();

// Removes what killed saves left in the folder; failing that is no reason to stop a save.
void removeStaleTemporaries(const std::filesystem::path& dir);

}  // namespace zav::disk
