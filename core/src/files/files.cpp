#include "waktuna/files/files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace waktuna {

namespace {
// Opening a folder for reading succeeds on POSIX systems (and reads nothing);
// on Windows it fails by itself.
bool IsFolder(const std::string& path) {
#if defined(_WIN32)
    (void)path;
    return false;
#else
    std::error_code ec;
    return std::filesystem::is_directory(std::filesystem::path(path), ec);
#endif
}
}  // namespace

bool FileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.is_open() && !IsFolder(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (IsFolder(path)) return std::nullopt;
    if (!in) return std::nullopt;
    std::string bytes;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        bytes.append(buf, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return bytes;
}

#if !defined(_WIN32)
// Windows has its own, in app/replace_file.cpp.
bool StandardReplaceFile(const std::string& from, const std::string& to) {
    try {
        std::error_code ec;
        std::filesystem::rename(std::filesystem::path(from), std::filesystem::path(to), ec);
        return !ec;
    } catch (const std::exception&) {  // a name the path type cannot convert
        return false;
    }
}
#endif

}  // namespace waktuna
