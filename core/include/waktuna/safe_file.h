// Writing a file so that its reader never sees half of it: the text goes to a
// temporary file beside the target, which replaces the target only once all
// of it has been written.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace waktuna {

class SafeFileWriter {
public:
    // Creates the temporary file; check Ok() before writing.
    explicit SafeFileWriter(std::filesystem::path target);
    // Removes the temporary file unless Commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool Ok() const { return error_.empty() && out_.good(); }
    std::ostream& Stream() { return out_; }

    // Flushes and closes the temporary file and moves it over the target.
    // False (with Error() set) when anything failed; the target is then as
    // it was before.
    bool Commit();
    // Why the file could not be written, for the user: names the file.
    const std::string& Error() const { return error_; }

private:
    void Fail(const std::string& what);

    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::ofstream out_;
    std::string error_;
    bool committed_ = false;
};

}  // namespace waktuna
