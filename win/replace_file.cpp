// Replacing a file on Windows: the core's StandardReplaceFile for the
// Windows build. The core's CMake compiles this file into core when it
// builds for Windows (the core itself stays free of <windows.h>), so every
// safe write of the program and of waktuna-cli.exe goes through it.
//
// Names are the program's own 8-bit text in the ANSI code page and go to
// the A call as they are; the standard library's path would read them as
// Latin-1 and miss any file whose name holds another code-page character.
#include <windows.h>

#include "waktuna/files/files.h"

namespace waktuna {

bool StandardReplaceFile(const std::string& from, const std::string& to) {
    // The temporary file lies beside the target, so this is a rename on one
    // volume: the target has its old content or the new one, never a mixture.
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace waktuna
