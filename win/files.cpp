// The core's file operations on Windows (declared in waktuna/files/files.h):
// replacing a file, creating a file that must be new, removing a safe
// write's leftovers, and reading a file together with its owner through one
// handle. Names are the program's own 8-bit text in the ANSI code page and
// go to the A calls as they are; the standard library's path would read them
// as Latin-1 and miss any file whose name holds another code-page character.
#include <windows.h>

#include <aclapi.h>

#include "waktuna/files/files.h"
#include "waktuna/watch/command_rule.h"
#include "win/handles.h"
#include "win/power.h"
#include "win/task_command.h"

namespace waktuna {

using app::UniqueFile;

bool StandardReplaceFile(const std::string& from, const std::string& to) {
    // The temporary file lies beside the target, so this is a rename on one
    // volume: the target has its old content or the new one, never a mixture.
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {

class WindowsNewFile final : public NewFile {
public:
    explicit WindowsNewFile(HANDLE h) : file_(h) {}

    bool Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool FlushAndClose() override {
        const bool flushed = FlushFileBuffers(file_) != 0;
        const bool closed = CloseHandle(file_.release()) != 0;
        return flushed && closed;
    }

private:
    UniqueFile file_;
};

}  // namespace

CreatedFile StandardCreateNewFile(const std::string& path) {
    CreatedFile result;
    // CREATE_NEW fails on anything lying there, a link included; no other
    // program may open the file while it is written.
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        result.error = static_cast<int>(error);
        result.status = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS
                            ? CreateNewStatus::NameTaken
                            : CreateNewStatus::Failed;
        return result;
    }
    result.status = CreateNewStatus::Created;
    result.file = std::make_unique<WindowsNewFile>(file.release());
    return result;
}

void RemoveTempLeftovers(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string_view name =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    WIN32_FIND_DATAA found;
    const app::UniqueFind search(FindFirstFileA((path + ".*.tmp").c_str(), &found));
    if (!search) return;
    FILETIME now_ft;
    GetSystemTimeAsFileTime(&now_ft);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    const uint64_t now = ticks(now_ft);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsTempLeftoverName(found.cFileName, name))
            continue;
        const uint64_t written = ticks(found.ftLastWriteTime);
        // FILETIME counts 100 ns steps.
        if (now > written && (now - written) / 10000000 > static_cast<uint64_t>(kTempLeftoverAge))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
}

OwnedFile StandardReadOwnedFile(const std::string& path, uint64_t limit) {
    OwnedFile result;
    // Opened once: the owner and the bytes come through this one handle, so
    // a file swapped in meanwhile cannot lend its owner to other bytes.
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | READ_CONTROL, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        result.status = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReadStatus::Missing
                                                                                     : FileReadStatus::Unreadable;
        return result;
    }
    result.status = FileReadStatus::Unreadable;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > limit)
        return result;

    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    std::optional<std::string> owner_text;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &sd) == ERROR_SUCCESS) {
        const app::UniqueLocal keep(sd);
        owner_text = app::SidText(owner);
    }

    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 30));
        if (!ReadFile(file, bytes.data() + got, want, &n, nullptr)) return result;
        if (n == 0) break;  // the file shrank meanwhile
        got += n;
    }
    bytes.resize(got);
    result.status = FileReadStatus::Read;
    result.bytes = std::move(bytes);
    result.owner = FileOwnerOf({app::IsWin9xFamily(), owner_text, app::CurrentUserSid()});
    return result;
}

}  // namespace waktuna
