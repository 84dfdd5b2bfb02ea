// Whole-file reading and safe replacement of a file, with the standard
// library. File names are 8-bit text in the system's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace waktuna {

bool FileExists(const std::string& path);

// The file's bytes; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

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

}  // namespace waktuna
