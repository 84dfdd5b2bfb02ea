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

// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run, opened
// with the access asked for; nullptr when it cannot be (a standard user
// cannot open it for writing).
std::unique_ptr<RegistryStore> OpenRunKey(REGSAM access);

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
