// Writing a file as a stream so that its reader never sees half of it: the
// text goes to a temporary file beside the target, which replaces the target
// only once all of it has been written and put on the disk.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "waktuna/files/files.h"

namespace waktuna {

// How many names "<path>.<number>.tmp" a writer tries before it gives up.
inline constexpr int kTempNameAttempts = 100;

class SafeFileWriter {
public:
    // Creates the temporary file "<path>.<number>.tmp" with `create`, which
    // makes a new file only: a name that is taken (a file, or a link someone
    // put there) is passed over for another, and when none of
    // kTempNameAttempts names is free nothing is written. Check Ok() before
    // writing. File names are 8-bit text in the system's code page.
    explicit SafeFileWriter(std::string path, ReplaceFileFunction replace = StandardReplaceFile,
                            CreateNewFileFunction create = StandardCreateNewFile);
    // Removes the temporary file unless Commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool Ok() const { return error_.empty() && out_.good(); }
    std::ostream& Stream() { return out_; }

    // Writes out the stream, puts the temporary file on the disk, closes it
    // and moves it over the target; then removes the temporary files earlier
    // writes left behind. False (with Error() set) when anything failed, the
    // stream included; the target is then as it was before.
    bool Commit();
    // Why the file could not be written, naming it, for the user.
    const std::string& Error() const { return error_; }

private:
    class Buffer;
    void Fail(const std::string& what);

    std::string path_;
    std::string temp_;  // empty until a temporary file was created
    ReplaceFileFunction replace_;
    std::unique_ptr<NewFile> file_;
    std::unique_ptr<Buffer> buffer_;
    std::ostream out_;
    std::string error_;
    bool committed_ = false;
};

// Writes a whole text at once through a SafeFileWriter: false when the file
// could not be written or replaced, the old file then being as it was.
bool WriteFileReplacing(const std::string& path, std::string_view bytes,
                        ReplaceFileFunction replace = StandardReplaceFile,
                        CreateNewFileFunction create = StandardCreateNewFile);

}  // namespace waktuna
