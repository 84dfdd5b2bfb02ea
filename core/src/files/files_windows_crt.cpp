// The platform's file operations for the Windows build, written with the C
// runtime's low-level calls (they take the names as the A calls do).
//
// INTERIM for StandardReadOwnedFile: it reads the bytes but cannot read the
// owner without the Windows security calls, so it reports the file as the
// current user's, which trusts task files as the program did before owners
// were read at load (Command tasks are still checked by the Windows side when
// they run). The Windows side is to supply its own StandardReadOwnedFile
// (CreateFileA once, GetSecurityInfo and ReadFile on that handle) and this
// definition is then to be removed.
#if defined(_WIN32)

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "waktuna/files/files.h"

namespace waktuna {

namespace {

class CrtNewFile final : public NewFile {
public:
    explicit CrtNewFile(int fd) : fd_(fd) {}
    ~CrtNewFile() override {
        if (fd_ >= 0) _close(fd_);
    }

    bool Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
            const int n = _write(fd_, bytes.data(), chunk);
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    // _commit is FlushFileBuffers on the file's handle.
    bool FlushAndClose() override {
        const bool flushed = _commit(fd_) == 0;
        const bool closed = _close(fd_) == 0;
        fd_ = -1;
        return flushed && closed;
    }

private:
    int fd_;
};

}  // namespace

CreatedFile StandardCreateNewFile(const std::string& path) {
    CreatedFile result;
    // _O_EXCL with _O_CREAT is CREATE_NEW.
    const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                         _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        result.error = errno;
        result.status = errno == EEXIST ? CreateNewStatus::NameTaken : CreateNewStatus::Failed;
        return result;
    }
    result.status = CreateNewStatus::Created;
    result.file = std::make_unique<CrtNewFile>(fd);
    return result;
}

void RemoveTempLeftovers(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string_view name =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    _finddata_t found;
    const intptr_t search = _findfirst((path + ".*.tmp").c_str(), &found);
    if (search == -1) return;
    const std::time_t now = std::time(nullptr);
    do {
        if ((found.attrib & _A_SUBDIR) || !IsTempLeftoverName(found.name, name)) continue;
        if (now - found.time_write > kTempLeftoverAge) _unlink((folder + found.name).c_str());
    } while (_findnext(search, &found) == 0);
    _findclose(search);
}

OwnedFile StandardReadOwnedFile(const std::string& path, uint64_t limit) {
    OwnedFile result;
    if (!FileExists(path)) return result;
    auto bytes = ReadWholeFile(path, limit);
    if (!bytes) {
        result.status = FileReadStatus::Unreadable;
        return result;
    }
    result.status = FileReadStatus::Read;
    result.bytes = std::move(*bytes);
    result.owner = FileOwner::CurrentUser;  // interim: see above
    return result;
}

}  // namespace waktuna

#endif  // _WIN32
