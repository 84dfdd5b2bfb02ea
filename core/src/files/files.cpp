#include "waktuna/files/files.h"

#include <filesystem>
#include <fstream>
#include <new>
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

std::optional<std::string> ReadWholeFile(const std::string& path, uint64_t limit) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (IsFolder(path) || !in) return std::nullopt;
        // The size first: a file over the limit is refused before anything
        // is read or allocated.
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        if (size < 0 || static_cast<uint64_t>(size) > limit) return std::nullopt;
        in.seekg(0, std::ios::beg);
        std::string bytes;
        bytes.reserve(static_cast<size_t>(size));
        char buf[65536];
        // A file that grows while it is read is cut at the limit plus one
        // byte, and refused.
        while (bytes.size() <= limit && (in.read(buf, sizeof buf) || in.gcount() > 0)) {
            bytes.append(buf, static_cast<size_t>(in.gcount()));
        }
        if (in.bad() || bytes.size() > limit) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {  // bad_alloc: as unreadable
        return std::nullopt;
    }
}

FileStamp StampOfBytes(std::string_view bytes) {
    // FNV-1a, 64 bits: a change of content changes the stamp.
    uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return FileStamp{FileReadStatus::Read, bytes.size(), hash};
}

FileStamp StampOf(const OwnedFile& file) {
    if (file.status != FileReadStatus::Read) return FileStamp{file.status, 0, 0};
    return StampOfBytes(file.bytes);
}

bool IsTempLeftoverName(std::string_view name, std::string_view fileName) {
    if (fileName.empty() || name.size() < fileName.size() + 6 || !name.starts_with(fileName) ||
        name[fileName.size()] != '.' || !name.ends_with(".tmp"))
        return false;
    const std::string_view digits = name.substr(fileName.size() + 1, name.size() - fileName.size() - 5);
    if (digits.empty()) return false;
    for (const char c : digits) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace waktuna
