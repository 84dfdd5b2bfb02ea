// Writing a file as a stream so that its reader never sees half of it: the
// text goes to a temporary file beside the target, which replaces the target
// only once all of it has been written.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

#include "waktuna/files/files.h"

namespace waktuna {

class SafeFileWriter {
public:
    // Creates the temporary file "<path>.<number>.tmp", a name no file has
    // yet; check Ok() before writing. File names are 8-bit text in the
    // system's code page.
    explicit SafeFileWriter(std::string path, ReplaceFileFunction replace = StandardReplaceFile);
    // Removes the temporary file unless Commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool Ok() const { return error_.empty() && out_.good(); }
    std::ostream& Stream() { return out_; }

    // Flushes and closes the temporary file and moves it over the target.
    // False (with Error() set) when anything failed, the stream included;
    // the target is then as it was before.
    bool Commit();
    // Why the file could not be written, naming it, for the user.
    const std::string& Error() const { return error_; }

private:
    void Fail(const std::string& what);

    std::string path_;
    std::string temp_;
    ReplaceFileFunction replace_;
    std::ofstream out_;
    std::string error_;
    bool committed_ = false;
};

// Writes a whole text at once through a SafeFileWriter: false when the file
// could not be written or replaced, the old file then being as it was.
bool WriteFileReplacing(const std::string& path, std::string_view bytes,
                        ReplaceFileFunction replace = StandardReplaceFile);

}  // namespace waktuna
