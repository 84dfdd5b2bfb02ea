// The installer's preparation of the settings key and the data folder, and
// reading a task file with its owner, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "win/prepare_machine.h"
#include "win/task_command.h"

using namespace app;

namespace {

std::string TempPath(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
}

// Wine answers a folder's access list from its Unix mode bits and keeps none
// that is set, so a folder's entries can be read back only on Windows.
bool IsWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A directory link at `link` to `target`. Wine cannot make one through its
// own calls, so there the Unix `ln` makes it (Wine shows a Unix link as a
// reparse point); Windows makes a symbolic link (the tests run elevated).
bool MakeFolderLink(const std::string& link, const std::string& target) {
    if (!IsWine())
        return CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    using UnixName = char* (*)(const wchar_t*);
    const auto unix_name = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const auto to_unix = [&](const std::string& path) {
        const std::wstring wide(path.begin(), path.end());
        char* name = unix_name ? unix_name(wide.c_str()) : nullptr;
        std::string text = name ? name : "";
        if (name) HeapFree(GetProcessHeap(), 0, name);
        return text;
    };
    std::string command = "/bin/ln -s \"" + to_unix(target) + "\" \"" + to_unix(link) + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 100 && GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    const DWORD attributes = GetFileAttributesA(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Makes the key's access list what an earlier version left: Users may write.
void GrantUsersWriteAsBefore(const std::string& subkey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0,
                              KEY_READ | WRITE_DAC, nullptr, &key, nullptr), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:(A;CI;KA;;;BA)(A;CI;KA;;;SY)(A;CI;KR;;;BU)(A;CI;KW;;;BU)", SDDL_REVISION_1, &sd,
        nullptr));
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    LocalFree(sd);
    RegCloseKey(key);
}

// The rights that would let a user change what every session obeys.
bool UsersMayWrite(const std::string& object, SE_OBJECT_TYPE type) {
    const DWORD rights[] = {WRITE_DAC, WRITE_OWNER,
                            type == SE_REGISTRY_KEY ? DWORD{KEY_SET_VALUE} : DWORD{FILE_ADD_FILE},
                            type == SE_REGISTRY_KEY ? DWORD{KEY_CREATE_SUB_KEY}
                                                    : DWORD{FILE_DELETE_CHILD}};
    for (DWORD r : rights)
        if (UsersGranted(object, type, r)) return true;
    return false;
}

}  // namespace

TEST(PrepareMachine, KeyAndFolderAreMadeAndUsersMayOnlyReadThem) {
    const std::string subkey = "Software\\WaktunaPrepareTest" + std::to_string(GetTickCount());
    // The parent of the data folder does not exist yet, as on a fresh system.
    const std::string folder = TempPath("waktuna-company") + "\\waktuna3";
    // A machine prepared by an earlier version, which let Users write.
    GrantUsersWriteAsBefore(subkey);
    ASSERT_TRUE(UsersMayWrite("MACHINE\\" + subkey, SE_REGISTRY_KEY));
    for (int run = 0; run < 2; ++run) {  // installing again changes nothing
        const PreparedMachine done = PrepareMachineAt(HKEY_LOCAL_MACHINE, subkey, folder);
        EXPECT_TRUE(done.key) << "run " << run;
        EXPECT_EQ(done.folder, FolderVerdict::kPrepared) << "run " << run;
        EXPECT_FALSE(UsersMayWrite("MACHINE\\" + subkey, SE_REGISTRY_KEY)) << "run " << run;
        EXPECT_TRUE(UsersGranted("MACHINE\\" + subkey, SE_REGISTRY_KEY, KEY_QUERY_VALUE));
        if (!IsWine()) {
            EXPECT_FALSE(UsersMayWrite(folder, SE_FILE_OBJECT));
            EXPECT_TRUE(UsersGranted(folder, SE_FILE_OBJECT, kUsersFolderRights));
        }
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, subkey.c_str());
}

// A user who made the data folder, or a link in its place or in its
// parent's, before the installation would otherwise have the elevated
// preparation set its rights on a folder of their choosing.
TEST(PrepareMachine, ALinkOrAFolderOwnedBySomeoneElseIsRefused) {
    const std::string subkey = "Software\\WaktunaRefuseTest" + std::to_string(GetTickCount());
    const std::string target = TempPath("waktuna-target");
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    const std::string parent = TempPath("waktuna-maker");
    ASSERT_TRUE(CreateDirectoryA(parent.c_str(), nullptr));
    const std::string linked_parent = TempPath("waktuna-linked");
    ASSERT_TRUE(MakeFolderLink(parent + "\\waktuna3", target));
    ASSERT_TRUE(MakeFolderLink(linked_parent, target));
    const struct {
        const char* what;
        std::string folder;
        FolderOwners owners;
        FolderVerdict expected;
    } cases[] = {
        {"a link in place of the folder", parent + "\\waktuna3",
         FolderOwners::kAdministratorsOrMe, FolderVerdict::kReparsePoint},
        {"a link in place of its parent", linked_parent + "\\waktuna3",
         FolderOwners::kAdministratorsOrMe, FolderVerdict::kReparsePoint},
        // The folders here belong to the account running the test, which
        // stands for a user when only administrators are trusted.
        {"a folder owned by a user", TempPath("waktuna-user") + "\\waktuna3",
         FolderOwners::kAdministrators, FolderVerdict::kForeignOwner},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrepareMachineAt(HKEY_LOCAL_MACHINE, subkey, c.folder, c.owners).folder,
                  c.expected)
            << c.what;
    }
    EXPECT_EQ(ProtectProgramFolder(linked_parent), FolderVerdict::kReparsePoint);
    // Nothing was made through the links.
    EXPECT_EQ(GetFileAttributesA((target + "\\waktuna3").c_str()), INVALID_FILE_ATTRIBUTES);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, subkey.c_str());
}

// A custom install folder outside Program Files inherits rights that let
// users replace Waktuna.exe; below Program Files the system's own apply.
TEST(PrepareMachine, AProgramFolderOutsideProgramFilesIsProtected) {
    const std::initializer_list<std::string> bases = {"C:\\Program Files",
                                                      "C:\\Program Files (x86)"};
    EXPECT_TRUE(IsBelowProgramFiles("C:\\Program Files\\Waktuna", bases));
    EXPECT_TRUE(IsBelowProgramFiles("c:\\program files (x86)\\Waktuna", bases));
    EXPECT_FALSE(IsBelowProgramFiles("C:\\Program Files", bases));
    EXPECT_FALSE(IsBelowProgramFiles("C:\\Program Files2\\Waktuna", bases));
    EXPECT_FALSE(IsBelowProgramFiles("D:\\Apps\\Waktuna", bases));
    const std::string folder = TempPath("waktuna-custom");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(ProtectProgramFolder(folder), FolderVerdict::kPrepared);
    if (!IsWine()) {
        EXPECT_FALSE(UsersMayWrite(folder, SE_FILE_OBJECT));
        EXPECT_TRUE(UsersGranted(folder, SE_FILE_OBJECT, FILE_GENERIC_EXECUTE));
    }
}

TEST(PrepareMachine, AnEarlier32BitInstallationsSettingsAreKeptOnce) {
    const std::string subkey = "Software\\WaktunaViewTest" + std::to_string(GetTickCount());
    HKEY old_key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, 0,
                              KEY_WRITE | KEY_WOW64_32KEY, nullptr, &old_key, nullptr),
              ERROR_SUCCESS);
    const DWORD skin = 7, hwnd = 1234;
    RegSetValueExA(old_key, "Area", 0, REG_SZ, reinterpret_cast<const BYTE*>("Bandung"), 8);
    RegSetValueExA(old_key, "Skin", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&skin), 4);
    RegSetValueExA(old_key, "Hwnd", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hwnd), 4);
    RegCloseKey(old_key);

    EXPECT_EQ(CopySettingsFrom32BitView(HKEY_LOCAL_MACHINE, subkey), 2);
    char area[32] = {};
    DWORD size = sizeof area;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, subkey.c_str(), "Area",
                           RRF_RT_REG_SZ, nullptr, area, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(area, "Bandung");
    EXPECT_NE(RegGetValueA(HKEY_LOCAL_MACHINE, subkey.c_str(), "Hwnd",
                           RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    // Settings the 64-bit program already has are never replaced.
    EXPECT_EQ(CopySettingsFrom32BitView(HKEY_LOCAL_MACHINE, subkey), 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), KEY_WOW64_64KEY, 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), KEY_WOW64_32KEY, 0);
}

TEST(PrepareMachine, OnlyItsOwnSwitchStartsIt) {
    EXPECT_TRUE(IsPrepareMachineCommand("/prepare-machine"));
    EXPECT_TRUE(IsPrepareMachineCommand("  /PREPARE-MACHINE "));
    EXPECT_FALSE(IsPrepareMachineCommand(""));
    EXPECT_FALSE(IsPrepareMachineCommand(nullptr));
    EXPECT_FALSE(IsPrepareMachineCommand("/prepare-machines"));
    EXPECT_FALSE(IsPrepareMachineCommand("C:\\Users\\a\\settings.sav"));
}

// Trust is decided from the owner read through the handle the bytes came
// through: a file this user just made is the user's own.
TEST(TaskCommand, AFileThisUserMadeReadsAsTheUsersOwn) {
    const std::string file = TempPath("waktuna-task") + ".dat";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "Tes|5|1", 7, &written, nullptr);
    CloseHandle(h);
    const waktuna::OwnedFile read = waktuna::StandardReadOwnedFile(file, waktuna::kMaxTextFileSize);
    EXPECT_EQ(read.status, waktuna::FileReadStatus::Read);
    EXPECT_EQ(read.bytes, "Tes|5|1");
    EXPECT_EQ(read.owner, waktuna::FileOwner::CurrentUser);
    // Larger than the limit: not read, and no owner lent to it.
    EXPECT_EQ(waktuna::StandardReadOwnedFile(file, 6).status, waktuna::FileReadStatus::Unreadable);
    EXPECT_EQ(waktuna::StandardReadOwnedFile(file + ".missing", 100).status, waktuna::FileReadStatus::Missing);
    DeleteFileA(file.c_str());
}
