// What the program settings and About pages need of the system besides
// their windows: the Run key that starts the program with Windows, the
// program file's own path, the conversion of a chosen file's name to the
// code page the settings (and the task file) keep, falling back to the
// file's short name, the language and licence files.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win/registry_store.h"
#include "waktuna/pages/program_page.h"

namespace app {

// "Start with Windows": the user's Run key
// (HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run, which a
// standard user may always write) over the machine's (HKEY_LOCAL_MACHINE,
// where the installer starts the program for everyone). The box is ticked
// when either starts the program. A write goes to the user's key, unless the
// machine's already holds the same value (the program would start twice):
// then the user's copy goes. A delete removes the user's value and fails while
// the machine's still holds one (only an administrator can change that).
class StartupRunKeys final : public waktuna::SettingsStore {
public:
    StartupRunKeys(HKEY userRoot = HKEY_CURRENT_USER, HKEY machineRoot = HKEY_LOCAL_MACHINE);

    std::optional<waktuna::StoredValue> Read(std::string_view name) const override;
    bool Write(std::string_view name, const waktuna::StoredValue& value) override;
    bool Delete(std::string_view name) override;
    std::vector<std::string> Names() const override;

private:
    // The user's own value gone (or never there).
    bool DeleteUsers(std::string_view name);

    ProgramSettingsKey keys_;
};

// The program file's full path in the ANSI code page.
std::string ProgramFilePath();

// A path as the settings keep it: the ANSI form and whether every character
// came through, and the same for its short (8.3) path.
waktuna::ChosenFile ChosenFileOf(const std::wstring& path);

// A text in the ANSI code page as UTF-16.
std::wstring ToWide(const std::string& ansi);

// The language files in "<programFolder>languages\", each by its name
// without ".wlp", in the order the directory listing gives.
std::vector<std::string> ListLanguageFiles(const std::string& programFolder);

// Opens "languages\<name>.wlp" in Notepad with the languages folder as its
// working folder; false (nothing started) when the file does not exist.
bool EditLanguageFile(const std::string& programFolder, const std::string& name);

// A licence file beside the program as the licence box shows it; empty when
// the file is missing.
std::string LicenceText(const std::string& programFolder, std::string_view fileName);

}  // namespace app
