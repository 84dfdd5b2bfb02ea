// The installer's preparation of the settings key and the data folder, and
// the owner check of Command tasks, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "prepare_machine.h"
#include "task_command.h"

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

TEST(PrepareMachine, OnlyItsOwnSwitchStartsIt) {
    EXPECT_TRUE(IsPrepareMachineCommand("/prepare-machine"));
    EXPECT_TRUE(IsPrepareMachineCommand("  /PREPARE-MACHINE "));
    EXPECT_FALSE(IsPrepareMachineCommand(""));
    EXPECT_FALSE(IsPrepareMachineCommand(nullptr));
    EXPECT_FALSE(IsPrepareMachineCommand("/prepare-machines"));
    EXPECT_FALSE(IsPrepareMachineCommand("C:\\Users\\a\\settings.sav"));
}

TEST(TaskCommand, ATaskFileSavedByThisUserRunsItsCommands) {
    const std::string file = TempPath("waktuna-task") + ".dat";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    ASSERT_TRUE(CurrentUserSid().has_value());
    ASSERT_TRUE(OwnerSidOf(file).has_value());
    EXPECT_EQ(CheckTaskFileCommands(file), waktuna::CommandVerdict::Run);
    // A task file without an owner to read is not trusted.
    EXPECT_EQ(CheckTaskFileCommands(file + ".missing"), waktuna::CommandVerdict::OwnerUnknown);
    DeleteFileA(file.c_str());
}
