// Reading files with a size limit, and the few file operations that need the
// platform (replacing a file, creating a file that must be new, reading a
// file together with its owner). File names are 8-bit text in the system's
// code page.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace waktuna {

// ---- Size limits --------------------------------------------------------------
//
// Every file the program reads has a limit; a larger file counts as unreadable
// and is never loaded (a sparse file of gigabytes must not be allocated).
// Text files the user edits: tasks, language files, settings files, the
// schedule template, time-zone rules.
inline constexpr uint64_t kMaxTextFileSize = 4ull << 20;
// Place-name files: the largest shipped one is under 1 MiB; generated files
// grow, so the limit leaves a wide margin.
inline constexpr uint64_t kMaxPlaceFileSize = 64ull << 20;

bool FileExists(const std::string& path);

// The file's bytes; nullopt when it cannot be opened or read, or when it holds
// more than `limit` bytes (its size is looked at before anything is read).
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         uint64_t limit = kMaxTextFileSize);

// ---- Replacing a file ------------------------------------------------------------

// Moves the file `from` over the file `to` in one step: afterwards `to`
// holds either its old content or the new one, never a mixture, and `from`
// is gone. Creates `to` when it does not exist. False when it could not be
// done; `to` is then unchanged.
using ReplaceFileFunction = bool (*)(const std::string& from, const std::string& to);

// The platform's replacing rename: the standard library's rename on POSIX
// file systems (atomic there); on Windows MoveFileExA with the names as they
// are (app/replace_file.cpp, compiled into the Windows build of core), so
// names holding any character of the code page work. The replaced file's
// attributes and security are not carried over: the new file has those of a
// file newly made in its folder.
bool StandardReplaceFile(const std::string& from, const std::string& to);

// ---- Creating a file that must be new ----------------------------------------------

// A file opened for writing by CreateNewFile. Destroying it closes it.
class NewFile {
public:
    virtual ~NewFile() = default;
    // Writes all of the bytes; false on any failure.
    virtual bool Write(std::string_view bytes) = 0;
    // Puts what was written on the disk (fsync, FlushFileBuffers) and closes
    // the file; false when either failed.
    virtual bool FlushAndClose() = 0;
};

enum class CreateNewStatus {
    Created,
    NameTaken,  // something (a file, a folder, a link) already has that name
    Failed,     // any other failure (no rights, no such folder)
};

struct CreatedFile {
    CreateNewStatus status = CreateNewStatus::Failed;
    std::unique_ptr<NewFile> file;  // set when Created
    int error = 0;                  // the errno of a failure, 0 when unknown
};

// Creates `path` for writing only when nothing of that name exists, in one
// step with the test (POSIX open with O_CREAT | O_EXCL, which also refuses a
// symbolic link lying there; Windows CreateFileA with CREATE_NEW). The new
// file is readable and writable by its owner only (others gain access only
// through what the folder grants).
using CreateNewFileFunction = CreatedFile (*)(const std::string& path);
CreatedFile StandardCreateNewFile(const std::string& path);

// Removes the files "<path>.<digits>.tmp" beside `path` that a safe write left
// behind (a crash, a power cut) and that were last written more than
// kTempLeftoverAge seconds ago, so a write still in progress is left alone.
// Best effort: failures are ignored.
inline constexpr int64_t kTempLeftoverAge = 600;
void RemoveTempLeftovers(const std::string& path);
// True for a name of the form "<fileName>.<one or more digits>.tmp".
bool IsTempLeftoverName(std::string_view name, std::string_view fileName);

// ---- Reading a file together with its owner ------------------------------------------

// Who owns a file, as the platform read it from the open handle its bytes
// were read through.
enum class FileOwner : uint8_t {
    CurrentUser,     // the user the program runs for
    Administrators,  // the Administrators group or the system's own accounts
    Other,           // anybody else, or the owner could not be read
};

enum class FileReadStatus : uint8_t {
    Missing,     // no such file
    Unreadable,  // there, but could not be opened or read, or too large
    Read,
};

// What a file looked like at one moment: whether it was there, its size and a
// hash of its bytes. Two reads with equal stamps read the same content.
struct FileStamp {
    FileReadStatus status = FileReadStatus::Missing;
    uint64_t size = 0;
    uint64_t hash = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

struct OwnedFile {
    FileReadStatus status = FileReadStatus::Missing;
    std::string bytes;                  // when Read
    FileOwner owner = FileOwner::Other;  // when Read
};

FileStamp StampOf(const OwnedFile& file);
// The stamp a file holding `bytes` has.
FileStamp StampOfBytes(std::string_view bytes);

// Opens the file once and reads both its owner and at most `limit` bytes
// through that one handle, so a file swapped in between cannot lend its owner
// to another file's bytes. A file larger than the limit is Unreadable and is
// not read. On POSIX the owner is the file's user id: this process's
// effective user is CurrentUser, root is Administrators. The Windows side
// reads the owner with GetSecurityInfo on the handle.
using ReadOwnedFileFunction = OwnedFile (*)(const std::string& path, uint64_t limit);
OwnedFile StandardReadOwnedFile(const std::string& path, uint64_t limit);

}  // namespace waktuna
