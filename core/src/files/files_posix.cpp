// The file operations that need the platform, for POSIX systems (the command
// line and the tests on Linux). The Windows build takes them from the
// Windows side instead.
#if !defined(_WIN32)

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <new>

#include "waktuna/files/files.h"

namespace waktuna {

bool StandardReplaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

class PosixNewFile final : public NewFile {
public:
    explicit PosixNewFile(int fd) : fd_(fd) {}
    ~PosixNewFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    bool Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    bool FlushAndClose() override {
        const bool synced = ::fsync(fd_) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return synced && closed;
    }

private:
    int fd_;
};

}  // namespace

CreatedFile StandardCreateNewFile(const std::string& path) {
    CreatedFile result;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        result.error = errno;
        result.status = errno == EEXIST ? CreateNewStatus::NameTaken : CreateNewStatus::Failed;
        return result;
    }
    result.status = CreateNewStatus::Created;
    result.file = std::make_unique<PosixNewFile>(fd);
    return result;
}

void RemoveTempLeftovers(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string_view name =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTempLeftoverName(entry->d_name, name)) continue;
        const std::string leftover = (slash == std::string::npos ? "" : folder) + entry->d_name;
        struct stat st;
        // lstat: a link is removed as a link, whatever it points at.
        if (::lstat(leftover.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
        if (now - st.st_mtime > kTempLeftoverAge) ::unlink(leftover.c_str());
    }
    ::closedir(dir);
}

OwnedFile StandardReadOwnedFile(const std::string& path, uint64_t limit) {
    OwnedFile result;
    // Non-blocking, so a FIFO lying there cannot hold the program up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                                                            : FileReadStatus::Unreadable;
        return result;
    }
    result.status = FileReadStatus::Unreadable;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) <= limit) {
        try {
            std::string bytes;
            bytes.reserve(static_cast<size_t>(st.st_size));
            char buf[65536];
            ssize_t n = -1;
            while (bytes.size() <= limit && ((n = ::read(fd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))) {
                if (n > 0) bytes.append(buf, static_cast<size_t>(n));
            }
            if (n == 0 && bytes.size() <= limit) {
                result.status = FileReadStatus::Read;
                result.bytes = std::move(bytes);
                result.owner = st.st_uid == ::geteuid() ? FileOwner::CurrentUser
                               : st.st_uid == 0          ? FileOwner::Administrators
                                                         : FileOwner::Other;
            }
        } catch (const std::exception&) {  // bad_alloc: unreadable
        }
    }
    ::close(fd);
    return result;
}

}  // namespace waktuna

#endif  // !_WIN32
