#include "win/program_files.h"
#include "win/handles.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

#include "waktuna/files/files.h"
#include "waktuna/pages/about_page.h"

namespace app {

namespace {

// The ANSI text of a wide one; `exact` says whether every character had its
// own counterpart (no "?" put in, no look-alike chosen).
std::string ToAnsi(const std::wstring& wide, bool& exact) {
    exact = false;
    if (wide.empty()) return {};
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0,
                                         nullptr, &usedDefault);
    if (size <= 0) return {};
    std::string text(static_cast<size_t>(size), '\0');
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, text.data(), size, nullptr,
                        &usedDefault);
    text.resize(static_cast<size_t>(size) - 1);
    exact = !usedDefault;
    return text;
}

}  // namespace

std::wstring ToWide(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide.data(), size);
    wide.resize(static_cast<size_t>(size) - 1);
    return wide;
}

StartupRunKeys::StartupRunKeys(HKEY userRoot, HKEY machineRoot)
    : keys_(userRoot, machineRoot, waktuna::kRunKeyPath) {}

std::optional<waktuna::StoredValue> StartupRunKeys::Read(std::string_view name) const { return keys_.Read(name); }

std::vector<std::string> StartupRunKeys::Names() const { return keys_.Names(); }

bool StartupRunKeys::Write(std::string_view name, const waktuna::StoredValue& value) {
    const auto machine = keys_.Machine().Read(name);
    if (machine && *machine == value) return DeleteUsers(name);  // the machine's starts it already
    return keys_.Write(name, value);
}

bool StartupRunKeys::Delete(std::string_view name) { return DeleteUsers(name) && !keys_.Machine().Read(name); }

bool StartupRunKeys::DeleteUsers(std::string_view name) {
    SettingsKey& user = keys_.User();
    return !user.Read(name) || user.Delete(name);
}

std::string ProgramFilePath() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

waktuna::ChosenFile ChosenFileOf(const std::wstring& path) {
    waktuna::ChosenFile file;
    file.path = ToAnsi(path, file.path_exact);
    if (file.path_exact) return file;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return file;
    std::wstring shortPath(size, L'\0');
    const DWORD got = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (got == 0 || got >= size) return file;
    shortPath.resize(got);
    file.short_path = ToAnsi(shortPath, file.short_path_exact);
    return file;
}

std::vector<std::string> ListLanguageFiles(const std::string& programFolder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const std::string pattern = programFolder + "languages\\*.wlp";
    const UniqueFind find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string name = found.cFileName;
        // "*.wlp" also matches longer extensions through their short names.
        if (name.size() < 4 || lstrcmpiA(name.c_str() + name.size() - 4, ".wlp") != 0) continue;
        names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileA(find, &found));
    return names;
}

bool EditLanguageFile(const std::string& programFolder, const std::string& name) {
    const std::string folder = programFolder + "languages";
    const std::string file = name + ".wlp";
    if (name.empty() || !waktuna::FileExists(folder + "\\" + file)) return false;
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "Open", "notepad.exe", file.c_str(), folder.c_str(),
                                                   SW_SHOWNORMAL)) > 32;
}

std::string LicenceText(const std::string& programFolder, std::string_view fileName) {
    const auto bytes = waktuna::ReadWholeFile(programFolder + std::string(fileName));
    return bytes ? waktuna::LicenceBoxText(*bytes) : std::string();
}

}  // namespace app
