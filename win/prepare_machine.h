// `Waktuna.exe /prepare-machine`, run once by the installer (elevated): the
// machine-wide settings key under HKEY_LOCAL_MACHINE and the common data
// folder are made with the machine's ordinary protection, administrators
// write and users read. Each user's own settings and tasks live in that
// user's key and folder, so nothing here is writable by the Users group; a
// grant an earlier version gave them is taken away. A data folder (or its
// parent) that someone else prepared in advance, a link or a folder owned by
// a user, is refused rather than used.
#pragma once

#include <windows.h>

#include <accctrl.h>

#include <initializer_list>
#include <string>

namespace app {

// True when the command line asks for the machine preparation.
bool IsPrepareMachineCommand(const char* command_line);

// Who may own the data folder and its parent for the preparation to accept
// them: Administrators, SYSTEM and TrustedInstaller, and with kOrMe also the
// account running the preparation (an administrator, elevated; under Wine
// every folder belongs to that account).
enum class FolderOwners { kAdministrators, kAdministratorsOrMe };

// What the preparation found about one folder.
enum class FolderVerdict {
    kPrepared,      // verified, and its access list set on the verified handle
    kReparsePoint,  // a junction or symbolic link: refused
    kForeignOwner,  // owned by someone else: refused
    kFailed,        // missing, unreadable, or its access list not set
};

// What the preparation did; every step is tried even after one fails.
struct PreparedMachine {
    bool key = false;  // the key exists with administrators-only write
    FolderVerdict folder = FolderVerdict::kFailed;
    bool ok() const { return key && folder == FolderVerdict::kPrepared; }
};

// Creates `subkey` under `root` and the folder (with its parent) when
// missing, and gives both a protected access list: SYSTEM and Administrators
// full use, Users reading only (inherited by what is created below them).
PreparedMachine PrepareMachineAt(HKEY root, const std::string& subkey, const std::string& folder,
                                 FolderOwners owners = FolderOwners::kAdministratorsOrMe);

// Gives the program's folder, when it is not below Program Files (whose own
// protection it then has), Administrators as owner and a protected access
// list: SYSTEM and Administrators full use, Users reading and running.
// Refuses a folder that is a reparse point.
FolderVerdict ProtectProgramFolder(const std::string& folder);

// True when `folder` lies below one of the Program Files folders (compared
// without case; `program_files` as the system names them, no final '\').
bool IsBelowProgramFiles(const std::string& folder, std::initializer_list<std::string> program_files);

// The settings of an earlier 32-bit Waktuna, which 64-bit Windows keeps in
// the registry's 32-bit view (WOW6432Node), copied into `subkey` of the
// 64-bit view when that holds no values yet; nothing is overwritten. The
// number of values copied.
int CopySettingsFrom32BitView(HKEY root, const std::string& subkey);

// The exit status of /prepare-machine, which the installer reports.
inline constexpr int kPrepareOk = 0;
inline constexpr int kPrepareFailed = 1;                // key or data folder not prepared
inline constexpr int kPrepareDataFolderRefused = 2;     // a link or owned by someone else
inline constexpr int kPrepareProgramFolderRefused = 3;  // custom folder not protected

// HKLM\Software\Waktuna3 (with an earlier 32-bit installation's settings),
// "<common application data>\ravenhall\waktuna3" and the folder of the
// running program. One of the statuses above.
int PrepareMachine();

// The rights the Users group keeps on the key and on the data folder.
inline constexpr DWORD kUsersKeyRights = KEY_READ;
inline constexpr DWORD kUsersFolderRights = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;

// True when the object's access list allows the Users group at least
// `rights` (read back with GetNamedSecurityInfo; `object` as SetNamedSecurityInfo
// names it: "MACHINE\Software\…" for a key, the path for a folder).
bool UsersGranted(const std::string& object, SE_OBJECT_TYPE type, DWORD rights);

}  // namespace app
