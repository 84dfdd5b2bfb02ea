// The program's one file dialog, for every Browse, Open, Save, Export and
// Import. It asks with the wide dialog, so any file can be chosen, and gives
// the name as the program's files keep names: in the code page, or as the
// file's short name when the name holds letters the code page lacks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace app {

enum class FileDialog { Open, Save };

struct FileQuestion {
    FileDialog kind = FileDialog::Open;
    // "Description|pattern|Description|pattern"; spaces around "|" are ignored.
    std::string_view filter;
    // Empty: the system's own title.
    std::string title;
    // Added to a name typed without an extension (Save), e.g. L"sav".
    const wchar_t* default_extension = nullptr;
};

class PageHost;

// The name to open or write the chosen file by; nullopt when the user
// cancelled, or chose a file with no name in the code page (nor a short
// name), which the user is told in an error dialog. A file to save to that
// does not exist yet is created empty when its name needs a short name, so
// that it has one.
std::optional<std::string> AskFileName(PageHost& host, HWND owner, const FileQuestion& question);

}  // namespace app
