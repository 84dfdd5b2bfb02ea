#include "win/power.h"
#include "win/handles.h"

#include <windows.h>

#include <shlobj.h>

#include <cstring>

namespace app {

namespace {

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Enables one privilege of the process token; false when its name is unknown.
bool EnablePrivilege(HANDLE token, const char* name) {
    TOKEN_PRIVILEGES tp{};
    if (!LookupPrivilegeValueA(nullptr, name, &tp.Privileges[0].Luid)) return false;
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD length = 0;
    AdjustTokenPrivileges(token, FALSE, &tp, sizeof previous, &previous, &length);
    return true;
}

void KeyEvent(BYTE key, DWORD flags) {
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), flags, 0);
}

}  // namespace

bool IsWin9xFamily() { return (GetVersion() & 0x80000000u) != 0; }

void Shutdown() {
    if (IsWin9xFamily()) {
        ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, 0);
        return;
    }
    UniqueHandle token;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put());
    const bool ok = EnablePrivilege(token, "SeShutdownPrivilege") &&
                    EnablePrivilege(token, "SeRemoteShutdownPrivilege");
    if (ok) ExitWindowsEx(EWX_FORCE | EWX_POWEROFF, 0);
}

void Hibernate() {
    const UniqueLibrary dll(LoadLibraryA("POWRPROF.DLL"));
    if (!dll) return;
    using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    auto fn = reinterpret_cast<SetSuspendStateFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "SetSuspendState")));
    if (fn) fn(TRUE, FALSE, FALSE);
}

bool IsHibernateAllowed(const char* library) {
    const UniqueLibrary dll(LoadLibraryA(library));
    if (!dll) return false;
    using AllowedFn = BOOLEAN(WINAPI*)();
    auto fn = reinterpret_cast<AllowedFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "IsPwrHibernateAllowed")));
    return fn && fn() != 0;
}

void MinimizeAllWindows() {
    KeyEvent(VK_LWIN, 0);
    KeyEvent('M', 0);
    KeyEvent('M', KEYEVENTF_KEYUP);
    KeyEvent(VK_LWIN, KEYEVENTF_KEYUP);
}

std::string ProgramFolder() {
    char path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string AppDataFolderBelow(const std::string& common, const FolderMessage& refused) {
    if (common.empty() || !IsFolder(common)) return {};
    const std::string company = common + "\\ravenhall";
    if (!IsFolder(company)) CreateDirectoryA(company.c_str(), nullptr);
    const std::string program = company + "\\waktuna3";
    if (!IsFolder(program)) CreateDirectoryA(program.c_str(), nullptr);
    const std::string result = program + "\\";
    if (!IsFolder(result) && refused) refused("Gagal untuk mengakses directory\r\n" + result);
    return result;
}

std::string GetAppDataFolder() {
    if (IsWin9xFamily()) return ProgramFolder();
    char buf[MAX_PATH + 1] = {};
    std::string common;
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, buf)))
        common.assign(buf, strnlen(buf, MAX_PATH + 1));
    return AppDataFolderBelow(common, [](const std::string& text) {
        MessageBoxA(nullptr, text.c_str(), "Waktuna3", MB_OK);
    });
}

namespace {

// "<the shell folder>\ravenhall\waktuna3\", nothing created; empty when the
// shell does not know the folder.
std::string DataFolderIn(int csidl) {
    if (IsWin9xFamily()) return ProgramFolder();
    char buf[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, buf))) return {};
    const std::string shell(buf, strnlen(buf, MAX_PATH + 1));
    return shell.empty() ? std::string() : shell + "\\ravenhall\\waktuna3\\";
}

}  // namespace

std::string GetUserDataFolder() { return DataFolderIn(CSIDL_APPDATA); }
std::string MachineDataFolder() { return DataFolderIn(CSIDL_COMMON_APPDATA); }

bool CreateDataFolder(const std::string& folder) {
    if (folder.empty()) return false;
    std::string path = folder;
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    const size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && !IsFolder(path.substr(0, slash)))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    if (!IsFolder(path)) CreateDirectoryA(path.c_str(), nullptr);
    return IsFolder(path);
}

bool IsElevatedAdministrator() {
    if (IsWin9xFamily()) return true;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID admins = nullptr;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &admins))
        return false;
    // With the calling thread's token: a filtered (not elevated) token holds
    // the group for denying only, which does not count.
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, admins, &member)) member = FALSE;
    FreeSid(admins);
    return member != FALSE;
}

}  // namespace app
