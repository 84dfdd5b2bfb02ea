// `Waktuna.exe /prepare-machine`, run once by the installer (elevated): the
// settings key under HKEY_LOCAL_MACHINE and the common data folder are made
// and the Users group is allowed to read and write both, so that a standard
// user's Save succeeds. Without this only administrators could store
// settings or tasks.
#pragma once

#include <windows.h>

#include <accctrl.h>

#include <string>

namespace app {

// True when the command line asks for the machine preparation.
bool IsPrepareMachineCommand(const char* command_line);

// What the preparation did; every step is tried even after one fails.
struct PreparedMachine {
    bool key = false;     // the key exists and Users may read and write it
    bool folder = false;  // the same for the data folder
    bool ok() const { return key && folder; }
};

// Creates `subkey` under `root` and the folder (with its parent) when
// missing, and adds Users to the access list of both (keeping every entry
// already there, inherited by what is created below them).
PreparedMachine PrepareMachineAt(HKEY root, const std::string& subkey, const std::string& folder);

// The settings of an earlier 32-bit Waktuna, which 64-bit Windows keeps in
// the registry's 32-bit view (WOW6432Node), copied into `subkey` of the
// 64-bit view when that holds no values yet; nothing is overwritten. The
// number of values copied.
int CopySettingsFrom32BitView(HKEY root, const std::string& subkey);

// HKLM\Software\Waktuna3 (with an earlier 32-bit installation's settings)
// and "<common application data>\ravenhall\waktuna3".
// The exit status of /prepare-machine: 0 when both were prepared, else 1.
int PrepareMachine();

// The rights given. On the key, Users read, set and delete values and
// create subkeys. On the folder itself, Users list it and add, replace and
// delete files in it; each file gives full use to the user who made it, and
// the others keep only what the folder above gives them (reading).
inline constexpr DWORD kUsersKeyRights = KEY_READ | KEY_WRITE;
inline constexpr DWORD kUsersFolderRights =
    FILE_GENERIC_READ | FILE_GENERIC_EXECUTE | FILE_ADD_FILE | FILE_DELETE_CHILD;
inline constexpr DWORD kCreatorFileRights = FILE_GENERIC_READ | FILE_GENERIC_WRITE | DELETE;

// True when the object's access list allows the Users group at least
// `rights` (read back with GetNamedSecurityInfo; `object` as SetNamedSecurityInfo
// names it: "MACHINE\Software\…" for a key, the path for a folder).
bool UsersGranted(const std::string& object, SE_OBJECT_TYPE type, DWORD rights);

}  // namespace app
