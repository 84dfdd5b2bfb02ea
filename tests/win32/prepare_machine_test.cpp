// The installer's preparation of the settings key and the data folder, and
// reading a task file with its owner, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

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

}  // namespace

TEST(PrepareMachine, KeyAndFolderAreMadeAndUsersMayWriteThem) {
    const std::string subkey = "Software\\WaktunaPrepareTest" + std::to_string(GetTickCount());
    // The parent of the data folder does not exist yet, as on a fresh system.
    const std::string folder = TempPath("waktuna-company") + "\\waktuna3";
    for (int run = 0; run < 2; ++run) {  // installing again changes nothing
        const PreparedMachine done = PrepareMachineAt(HKEY_LOCAL_MACHINE, subkey, folder);
        EXPECT_TRUE(done.key) << "run " << run;
        EXPECT_TRUE(done.folder) << "run " << run;
        EXPECT_TRUE(UsersGranted("MACHINE\\" + subkey, SE_REGISTRY_KEY, kUsersKeyRights));
        if (!IsWine()) EXPECT_TRUE(UsersGranted(folder, SE_FILE_OBJECT, kUsersFolderRights));
    }
    // A key made without the preparation does not pass the read-back.
    HKEY plain = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (subkey + "Plain").c_str(), 0, nullptr, 0,
                              KEY_READ, nullptr, &plain, nullptr), ERROR_SUCCESS);
    RegCloseKey(plain);
    EXPECT_FALSE(UsersGranted("MACHINE\\" + subkey + "Plain", SE_REGISTRY_KEY, kUsersKeyRights));
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (subkey + "Plain").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, subkey.c_str());
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
