#include "standard_streams.h"

#include <istream>
#include <ostream>

namespace zav::tool {

ReadResult StandardStreamFiles::readFile(const std::string& path, std::size_t maxBytes) {
    if (path != kStandardStream) return disk_.readFile(path, maxBytes);
    ReadResult result;
    // One byte more than asked for tells whether more follow.
    std::string text(maxBytes + 1, '\0');
    in_.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in_.gcount()));
    if (in_.bad()) result.error = std::make_error_code(std::errc::io_error);
    result.moreFollow = text.size() > maxBytes;
    if (result.moreFollow) text.resize(maxBytes);
    result.bytes.assign(text.begin(), text.end());
    return result;
}

std::error_code StandardStreamFiles::replaceFile(const std::string& path,
                                                 std::span<const Byte> bytes) {
    if (path != kStandardStream) return disk_.replaceFile(path, bytes);
    out_.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    out_.flush();
    return out_ ? std::error_code{} : std::make_error_code(std::errc::io_error);
}

}  // namespace zav::tool
