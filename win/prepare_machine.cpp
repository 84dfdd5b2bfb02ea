#include "win/prepare_machine.h"

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <cctype>
#include <cstring>
#include <vector>

#include "win/handles.h"
#include "win/power.h"
#include "win/registry_store.h"
#include "win/task_command.h"

namespace app {

namespace {

// A well-known SID, held in place.
class WellKnownSid {
public:
    explicit WellKnownSid(WELL_KNOWN_SID_TYPE type) {
        DWORD size = sizeof sid_;
        ok_ = CreateWellKnownSid(type, nullptr, sid_, &size) != FALSE;
    }
    PSID get() const { return ok_ ? const_cast<BYTE*>(sid_) : nullptr; }

private:
    BYTE sid_[SECURITY_MAX_SID_SIZE] = {};
    bool ok_ = false;
};

// The account that installs Windows components; no well-known SID type
// names it.
constexpr const char* kTrustedInstallerSid =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

std::string SidText(PSID sid) {
    LPSTR text = nullptr;
    if (!sid || !ConvertSidToStringSidA(sid, &text)) return {};
    const UniqueLocal owned(text);
    return text;
}

bool IsTrustedOwner(PSID owner, FolderOwners owners) {
    if (!owner || !IsValidSid(owner)) return false;
    if (IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
        IsWellKnownSid(owner, WinLocalSystemSid))
        return true;
    const std::string text = SidText(owner);
    if (text == kTrustedInstallerSid) return true;
    return owners == FolderOwners::kAdministratorsOrMe && text == CurrentUserSid().value_or("");
}

// A protected access list: SYSTEM and Administrators `full`, Users `users`,
// each inherited by everything below (`inheritance`).
bool SetProtectedAccessList(HANDLE object, SE_OBJECT_TYPE type, DWORD full, DWORD users,
                            DWORD inheritance, PSID new_owner = nullptr) {
    const WellKnownSid system(WinLocalSystemSid), admins(WinBuiltinAdministratorsSid),
        users_sid(WinBuiltinUsersSid);
    const std::pair<PSID, DWORD> grants[] = {
        {system.get(), full}, {admins.get(), full}, {users_sid.get(), users}};
    std::vector<EXPLICIT_ACCESSA> entries;
    for (const auto& [sid, rights] : grants) {
        if (!sid) return false;
        EXPLICIT_ACCESSA access{};
        access.grfAccessPermissions = rights;
        access.grfAccessMode = SET_ACCESS;
        access.grfInheritance = inheritance;
        access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = static_cast<LPSTR>(sid);
        entries.push_back(access);
    }
    PACL acl = nullptr;
    if (SetEntriesInAclA(static_cast<ULONG>(entries.size()), entries.data(), nullptr, &acl) !=
        ERROR_SUCCESS)
        return false;
    const UniqueLocal owned_acl(acl);
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION;
    if (new_owner) what |= OWNER_SECURITY_INFORMATION;
    return SetSecurityInfo(object, type, what, new_owner, nullptr, acl, nullptr) == ERROR_SUCCESS;
}

// Opens the folder itself, never what a link in its place points to, and
// holds it: without FILE_SHARE_DELETE nobody renames it away meanwhile.
UniqueFile OpenFolderItself(const std::string& path, DWORD access) {
    return UniqueFile(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
}

// Whether the open folder is a reparse point. The handle answers on Windows;
// the path is asked too because Wine follows a link even when opening with
// FILE_FLAG_OPEN_REPARSE_POINT, and only its path lookup shows the link.
bool IsReparsePoint(HANDLE folder, const std::string& path) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!GetFileInformationByHandleEx(folder, FileAttributeTagInfo, &info, sizeof info))
        return true;  // not known to be a plain folder
    const DWORD by_path = GetFileAttributesA(path.c_str());
    return (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
           !(info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
           by_path == INVALID_FILE_ATTRIBUTES || (by_path & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The checks on an open folder: a plain folder with an owner we trust.
FolderVerdict VerifyFolder(HANDLE folder, const std::string& path, FolderOwners owners) {
    if (IsReparsePoint(folder, path)) return FolderVerdict::kReparsePoint;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &sd) != ERROR_SUCCESS)
        return FolderVerdict::kFailed;
    const UniqueLocal owned_sd(sd);
    return IsTrustedOwner(owner, owners) ? FolderVerdict::kPrepared : FolderVerdict::kForeignOwner;
}

// Makes the folder when it is missing and opens it for the checks.
UniqueFile MakeAndOpenFolder(const std::string& path, DWORD access) {
    CreateDirectoryA(path.c_str(), nullptr);  // fails harmlessly when it is there
    return OpenFolderItself(path, access);
}

FolderVerdict PrepareDataFolder(const std::string& folder, FolderOwners owners) {
    const size_t slash = folder.find_last_of('\\');
    if (slash == std::string::npos) return FolderVerdict::kFailed;
    // The parent is held open and verified while the folder is made in it.
    const std::string parent_path = folder.substr(0, slash);
    const UniqueFile parent = MakeAndOpenFolder(parent_path, READ_CONTROL);
    if (!parent) return FolderVerdict::kFailed;
    if (const FolderVerdict v = VerifyFolder(parent, parent_path, owners);
        v != FolderVerdict::kPrepared)
        return v;
    const UniqueFile own = MakeAndOpenFolder(folder, READ_CONTROL | WRITE_DAC);
    if (!own) return FolderVerdict::kFailed;
    if (const FolderVerdict v = VerifyFolder(own, folder, owners); v != FolderVerdict::kPrepared)
        return v;
    return SetProtectedAccessList(own, SE_FILE_OBJECT, FILE_ALL_ACCESS, kUsersFolderRights,
                                  SUB_CONTAINERS_AND_OBJECTS_INHERIT)
        ? FolderVerdict::kPrepared
        : FolderVerdict::kFailed;
}

std::string KnownFolder(int csidl) {
    char buf[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, buf))) return {};
    return std::string(buf, strnlen(buf, MAX_PATH + 1));
}

}  // namespace

bool IsPrepareMachineCommand(const char* command_line) {
    if (!command_line) return false;
    std::string text(command_line);
    const size_t first = text.find_first_not_of(" \t\"");
    const size_t last = text.find_last_not_of(" \t\"");
    if (first == std::string::npos) return false;
    text = text.substr(first, last - first + 1);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text == "/prepare-machine" || text == "-prepare-machine";
}

bool UsersGranted(const std::string& object, SE_OBJECT_TYPE type, DWORD rights) {
    const WellKnownSid users(WinBuiltinUsersSid);
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!users.get() || GetNamedSecurityInfoA(object.c_str(), type, DACL_SECURITY_INFORMATION,
                                            nullptr, nullptr, &acl, nullptr, &sd) != ERROR_SUCCESS)
        return false;
    const UniqueLocal owned_sd(sd);
    // A missing access list allows everyone everything.
    bool granted = acl == nullptr;
    DWORD allowed = 0;
    for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(acl, i, &ace)) continue;
        auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if (EqualSid(reinterpret_cast<PSID>(&allow->SidStart), users.get())) allowed |= allow->Mask;
    }
    // Generic rights as they are stored are mapped for the comparison.
    GENERIC_MAPPING mapping = type == SE_REGISTRY_KEY
        ? GENERIC_MAPPING{KEY_READ, KEY_WRITE, KEY_EXECUTE, KEY_ALL_ACCESS}
        : GENERIC_MAPPING{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                          FILE_ALL_ACCESS};
    MapGenericMask(&allowed, &mapping);
    DWORD wanted = rights;
    MapGenericMask(&wanted, &mapping);
    return granted || (allowed & wanted) == wanted;
}

PreparedMachine PrepareMachineAt(HKEY root, const std::string& subkey, const std::string& folder,
                                 FolderOwners owners) {
    PreparedMachine done;
    UniqueKey key;
    // Setting the access list replaces every entry, a Users grant an
    // earlier version added included.
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | WRITE_DAC, nullptr, key.put(), nullptr) == ERROR_SUCCESS)
        done.key = SetProtectedAccessList(key.get(), SE_REGISTRY_KEY, KEY_ALL_ACCESS,
                                          kUsersKeyRights, SUB_CONTAINERS_AND_OBJECTS_INHERIT);
    if (!folder.empty()) done.folder = PrepareDataFolder(folder, owners);
    return done;
}

bool IsBelowProgramFiles(const std::string& folder,
                         std::initializer_list<std::string> program_files) {
    for (const std::string& base : program_files) {
        if (base.empty() || folder.size() <= base.size() + 1 || folder[base.size()] != '\\')
            continue;
        if (_strnicmp(folder.c_str(), base.c_str(), base.size()) == 0) return true;
    }
    return false;
}

FolderVerdict ProtectProgramFolder(const std::string& folder) {
    const UniqueFile own = OpenFolderItself(folder, READ_CONTROL | WRITE_DAC | WRITE_OWNER);
    if (!own) return FolderVerdict::kFailed;
    if (IsReparsePoint(own, folder)) return FolderVerdict::kReparsePoint;
    // Whoever made the folder (it may have existed before the installation)
    // could otherwise change its access list again as its owner.
    const WellKnownSid admins(WinBuiltinAdministratorsSid);
    return admins.get() &&
            SetProtectedAccessList(own, SE_FILE_OBJECT, FILE_ALL_ACCESS,
                                   FILE_GENERIC_READ | FILE_GENERIC_EXECUTE,
                                   SUB_CONTAINERS_AND_OBJECTS_INHERIT, admins.get())
        ? FolderVerdict::kPrepared
        : FolderVerdict::kFailed;
}

int CopySettingsFrom32BitView(HKEY root, const std::string& subkey) {
    UniqueKey old_key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, old_key.put()) !=
        ERROR_SUCCESS)
        return 0;
    int copied = 0;
    UniqueKey key;
    DWORD values = 0;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE | KEY_WOW64_64KEY, nullptr, key.put(),
                        nullptr) == ERROR_SUCCESS &&
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        values == 0) {
        char name[16384];
        BYTE data[65536];
        for (DWORD i = 0;; ++i) {
            DWORD name_size = sizeof name, data_size = sizeof data, type = 0;
            const LSTATUS st = RegEnumValueA(old_key, i, name, &name_size, nullptr, &type, data,
                                             &data_size);
            if (st == ERROR_NO_MORE_ITEMS) break;
            if (st != ERROR_SUCCESS) continue;  // a value too large for a setting
            // The old window handle means nothing to the new program.
            if (_stricmp(name, "Hwnd") == 0) continue;
            if (RegSetValueExA(key, name, 0, type, data, data_size) == ERROR_SUCCESS) ++copied;
        }
    }
    return copied;
}

int PrepareMachine() {
    CopySettingsFrom32BitView(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
    const std::string common = KnownFolder(CSIDL_COMMON_APPDATA);
    const PreparedMachine done = PrepareMachineAt(
        HKEY_LOCAL_MACHINE, kSettingsKeyPath, common.empty() ? "" : common + "\\ravenhall\\waktuna3");
    std::string program = ProgramFolder();
    if (!program.empty() && program.back() == '\\') program.pop_back();
    const bool program_ok =
        program.empty() ||
        IsBelowProgramFiles(program, {KnownFolder(CSIDL_PROGRAM_FILES),
                                      KnownFolder(CSIDL_PROGRAM_FILESX86)}) ||
        ProtectProgramFolder(program) == FolderVerdict::kPrepared;
    if (done.folder == FolderVerdict::kReparsePoint || done.folder == FolderVerdict::kForeignOwner)
        return kPrepareDataFolderRefused;
    if (!program_ok) return kPrepareProgramFolderRefused;
    return done.ok() ? kPrepareOk : kPrepareFailed;
}

}  // namespace app
